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
        SaveSettings(section, {{key, value}});
    }
    void SaveSettings(const QString& section, const SettingValues& values) override {
        for (const auto& entry : values) {
            if (failWrites || entry.first == failingKey)
                throw RuntimeError::fileAccess(QStringLiteral("memory store"));
        }
        for (const auto& [key, value] : values)
            values_.insert(section + QLatin1Char('\n') + key, value);
    }
    bool keepsValues() const override { return !failWrites; }

    bool contains(const QString& section, const QString& key) const {
        return values_.contains(section + QLatin1Char('\n') + key);
    }
    int size() const { return int(values_.size()); }

    // Lets a test make every write fail, as a read-only settings file would.
    bool failWrites = false;
    // Lets a test make the writes of one key fail, as a store that fills up part-way would.
    QString failingKey;

private:
    QHash<QString, QString> values_;
};
