#pragma once

#include "SettingsStore.h"

#include <QHash>
#include <QSettings>
#include <memory>

// The store as the platform keeps per-user settings: an INI file under the user's config
// folder on Linux, the registry on Windows. Keys are encoded so that any text, such as a
// user's display name holding "/" or "\", stays one key. A value that cannot be written is
// kept for the rest of the run, and the user is told once that choices will not be kept.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    // For tests and tools: a store kept in the given INI file.
    explicit QtSettingsStore(const QString& iniFile);
    ~QtSettingsStore() override;

    using SettingsStore::GetSetting;
    using SettingsStore::SaveSetting;
    QString GetSetting(const QString& section, const QString& key,
                       const QString& defaultValue) const override;
    void SaveSetting(const QString& section, const QString& key, const QString& value) override;
    void SaveSettings(const QString& section, const SettingValues& values) override;
    bool keepsValues() const override;

    // The folder that holds the settings file.
    QString folder() const;
    static QString encodedKey(const QString& section, const QString& key);

private:
    std::unique_ptr<QSettings> open() const;
    bool synced();
    void tellUnkept();

    QString iniFile_; // empty: the platform's own place
    std::unique_ptr<QSettings> settings_;
    // Values of this run that have not reached the disk, by encoded key.
    QHash<QString, QString> unkept_;
    bool told_ = false;
};
