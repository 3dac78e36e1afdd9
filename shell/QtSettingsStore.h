#pragma once

#include "SettingsStore.h"

#include <QSettings>

// The store as the platform keeps per-user settings: an INI file under the user's config
// folder on Linux, the registry on Windows. Keys are encoded so that any text, such as a
// user's display name holding "/" or "\", stays one key.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    // For tests and tools: a store kept in the given INI file.
    explicit QtSettingsStore(const QString& iniFile);

    using SettingsStore::GetSetting;
    using SettingsStore::SaveSetting;
    QString GetSetting(const QString& section, const QString& key,
                       const QString& defaultValue) const override;
    void SaveSetting(const QString& section, const QString& key, const QString& value) override;

    static QString encodedKey(const QString& section, const QString& key);

private:
    mutable QSettings settings_;
};
