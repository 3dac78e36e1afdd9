#include "QtSettingsStore.h"

#include "AppInfo.h"
#include "RuntimeError.h"

#include <QUrl>

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, app::Title, app::Title) {}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(iniFile, QSettings::IniFormat) {}

QString QtSettingsStore::encodedKey(const QString& section, const QString& key) {
    // QSettings splits keys at "/" and "\"; percent-encoding leaves plain keys such as
    // "FieldCol3" readable and makes every other key a single name.
    return section + QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(key));
}

QString QtSettingsStore::GetSetting(const QString& section, const QString& key,
                                    const QString& defaultValue) const {
    const QVariant value = settings_.value(encodedKey(section, key));
    if (!value.isValid())
        return defaultValue;
    // A hand-edited file may hold a list ("a, b"); the readers expect the text as written.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void QtSettingsStore::SaveSetting(const QString& section, const QString& key,
                                  const QString& value) {
    settings_.setValue(encodedKey(section, key), value);
    settings_.sync();
    if (settings_.status() != QSettings::NoError)
        throw RuntimeError::fileAccess(settings_.fileName());
}
