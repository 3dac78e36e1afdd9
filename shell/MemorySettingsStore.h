#pragma once

#include "RuntimeError.h"
#include "SettingsStore.h"

#include <QHash>

// A store that lives in memory: for tests, and for the headless run's own values.
class MemorySettingsStore : public SettingsStore {
public:
    using SettingsStore::GetSetting;
    using SettingsStore::SaveSetting;

    QString GetSetting(const QString& section, const QString& key,
                       const QString& defaultValue) const override {
        return values_.value(section + QLatin1Char('\n') + key, defaultValue);
    }
    void SaveSetting(const QString& section, const QString& key, const QString& value) override {
        if (failWrites)
            throw RuntimeError::fileAccess(QStringLiteral("memory store"));
        values_.insert(section + QLatin1Char('\n') + key, value);
    }

    bool contains(const QString& section, const QString& key) const {
        return values_.contains(section + QLatin1Char('\n') + key);
    }
    int size() const { return int(values_.size()); }

    // Lets a test make every write fail, as a read-only settings file would.
    bool failWrites = false;

private:
    QHash<QString, QString> values_;
};
