#include "IcalZones.h"

#include <QTimeZone>

namespace ical {

icaltimezone* zoneNamed(const QString& name) {
    static const QStringList utcNames{"UTC",       "Etc/UTC",      "Etc/UCT", "UCT",
                                      "Zulu",      "Etc/Zulu",     "GMT",     "Etc/GMT",
                                      "Universal", "Etc/Universal"};
    if (utcNames.contains(name))
        return icaltimezone_get_utc_timezone();
    if (name.isEmpty())
        return nullptr;
    return icaltimezone_get_builtin_timezone(name.toUtf8().constData());
}

QString systemZoneName() {
    QString name = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    // TZ=:Europe/Paris is the POSIX spelling of a zone file name.
    if (name.startsWith(QLatin1Char(':')))
        name.remove(0, 1);
    return name;
}

} // namespace ical
