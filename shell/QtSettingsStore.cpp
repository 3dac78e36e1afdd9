#include "QtSettingsStore.h"

#include "AppInfo.h"
#include "Messages.h"
#include "StringTable.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

QtSettingsStore::QtSettingsStore()
    : settings_(open()) {}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : iniFile_(iniFile)
    , settings_(open()) {}

QtSettingsStore::~QtSettingsStore() = default;

std::unique_ptr<QSettings> QtSettingsStore::open() const {
    if (iniFile_.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           app::Title, app::Title);
    return std::make_unique<QSettings>(iniFile_, QSettings::IniFormat);
}

QString QtSettingsStore::encodedKey(const QString& section, const QString& key) {
    // QSettings splits keys at "/" and "\"; percent-encoding leaves plain keys such as
    // "FieldCol3" readable and makes every other key a single name.
    return section + QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(key));
}

QString QtSettingsStore::folder() const {
    return QFileInfo(settings_->fileName()).absolutePath();
}

QString QtSettingsStore::GetSetting(const QString& section, const QString& key,
                                    const QString& defaultValue) const {
    const QString encoded = encodedKey(section, key);
    const auto unkept = unkept_.constFind(encoded);
    if (unkept != unkept_.cend())
        return *unkept;
    const QVariant value = settings_->value(encoded);
    if (!value.isValid())
        return defaultValue;
    // A hand-edited file may hold a list ("a, b"); the readers expect the text as written.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void QtSettingsStore::SaveSetting(const QString& section, const QString& key,
                                  const QString& value) {
    SaveSettings(section, {{key, value}});
}

void QtSettingsStore::SaveSettings(const QString& section, const SettingValues& values) {
    for (const auto& [key, value] : values)
        unkept_.insert(encodedKey(section, key), value);
    // What failed before goes again, so it reaches the disk with the first write that does.
    for (auto value = unkept_.cbegin(); value != unkept_.cend(); ++value)
        settings_->setValue(value.key(), value.value());
    if (synced())
        unkept_.clear();
    else
        tellUnkept();
}

bool QtSettingsStore::synced() {
    settings_->sync();
    if (settings_->status() == QSettings::NoError)
        return true;
    // Qt keeps a problem met while reading the file (a byte-order mark, a line without "=")
    // in the status for the object's whole life, so only a fresh object, which retries
    // what is still pending, tells whether the values reached the disk.
    settings_ = open();
    return settings_->status() == QSettings::NoError;
}

bool QtSettingsStore::keepsValues() const {
    return unkept_.isEmpty() && settings_->isWritable();
}

void QtSettingsStore::tellUnkept() {
    if (told_)
        return;
    told_ = true;
    messages().show(str(Caption::CannotSaveSettingsIn) + QStringLiteral("\r\n") +
                        QDir::toNativeSeparators(folder()) + QStringLiteral("\r\n") +
                        str(Caption::ChoicesNotKept),
                    app::Title, Messages::Icon::Exclamation);
}
