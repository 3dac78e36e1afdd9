#include "IcsClock.h"

#include "ical/IcalZones.h"

namespace act::standin {

icaltimetype IcsClock::timeOf(const IcsItem& item, icalproperty* property) const {
    icaltimetype time = icalproperty_get_datetime_with_component(property, item.component);
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    if (!tzid || time.zone || time.is_date || icaltime_is_utc(time))
        return time;
    const char* name = icalparameter_get_tzid(tzid);
    icaltimezone* zone = icaltimezone_get_builtin_timezone_from_tzid(name);
    if (!zone)
        zone = ical::zoneNamed(QString::fromUtf8(name));
    if (!zone)
        item.fail(icalproperty_kind_to_string(icalproperty_isa(property)),
                  QStringLiteral("unknown time zone \"%1\"").arg(QString::fromUtf8(name)));
    return icaltime_set_timezone(&time, zone);
}

icaltimetype IcsClock::timeOf(const IcsItem& item, icalproperty_kind kind) const {
    icalproperty* property = icalcomponent_get_first_property(item.component, kind);
    return property ? timeOf(item, property) : icaltime_null_time();
}

QDateTime IcsClock::wallClock(const icaltimetype& time) const {
    if (time.is_date || (!time.zone && !icaltime_is_utc(time)))
        return asWritten(time);
    return asWritten(icaltime_convert_to_zone(time, target_));
}

QDateTime asWritten(const icaltimetype& time) {
    const QDate date(time.year, time.month, time.day);
    return QDateTime(date, time.is_date ? QTime(0, 0) : QTime(time.hour, time.minute), Qt::UTC);
}

} // namespace act::standin
