#pragma once

#include "SettingKeys.h"

#include <QList>
#include <QString>
#include <utility>

// Keys of one section with the texts to store under them.
using SettingValues = QList<std::pair<QString, QString>>;

// The per-user store of settings: text values by section and key, under the application
// title. Every read names its own default; nothing is cached.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or `defaultValue` when the key is absent.
    virtual QString GetSetting(const QString& section, const QString& key,
                               const QString& defaultValue) const = 0;
    // Creates or replaces the value. A store that cannot write it either throws RuntimeError
    // or, as the platform's store does, keeps it for this run and tells the user itself.
    virtual void SaveSetting(const QString& section, const QString& key, const QString& value) = 0;
    // Creates or replaces several values that only make sense together: all of them are
    // written, or none is.
    virtual void SaveSettings(const QString& section, const SettingValues& values) = 0;
    // False when what is written now will be gone at the next run.
    virtual bool keepsValues() const { return true; }

    QString GetSetting(const QString& section, const QString& key, long long defaultValue) const {
        return GetSetting(section, key, QString::number(defaultValue));
    }
    QString GetSetting(const QString& section, const QString& key, int defaultValue) const {
        return GetSetting(section, key, QString::number(defaultValue));
    }
    QString GetSetting(const QString& section, const QString& key, const char* defaultValue) const {
        return GetSetting(section, key, QString::fromUtf8(defaultValue));
    }
    void SaveSetting(const QString& section, const QString& key, long long value) {
        SaveSetting(section, key, QString::number(value));
    }
    void SaveSetting(const QString& section, const QString& key, int value) {
        SaveSetting(section, key, QString::number(value));
    }
    void SaveSetting(const QString& section, const QString& key, const char* value) {
        SaveSetting(section, key, QString::fromUtf8(value));
    }

    // The entry's stored text, or its default.
    QString GetSetting(const SettingKey& entry) const {
        return GetSetting(entry.section, entry.key, entry.defaultValue);
    }
    void SaveSetting(const SettingKey& entry, const QString& value) {
        SaveSetting(entry.section, entry.key, value);
    }
    void SaveSetting(const SettingKey& entry, int value) {
        SaveSetting(entry.section, entry.key, QString::number(value));
    }
};

// The program's settings store; the start-up code installs one before anything runs.
SettingsStore& settings();
void setSettings(SettingsStore* store);
