#include "IcsExport.h"

#include "AtomicTextFile.h"
#include "act/ActivityFields.h"
#include "ical/IcalHandles.h"
#include "ical/IcalZones.h"

#include <algorithm>

namespace {

// Keeps the zone's definition short: its rules from shortly before the first entry on.
constexpr int ZoneYearsBefore = 1;

icaltimetype icalTime(const QDateTime& wall, bool date, icaltimezone* zone) {
    icaltimetype time = icaltime_null_time();
    time.year = wall.date().year();
    time.month = wall.date().month();
    time.day = wall.date().day();
    time.is_date = date;
    if (!date) {
        time.hour = wall.time().hour();
        time.minute = wall.time().minute();
        time.zone = zone;
    }
    return time;
}

// The calendar's zone: the system's zone file under its plain name; none for floating times.
class ExportZone {
public:
    explicit ExportZone(const QString& name)
        : zone_(ical::zoneNamed(name))
        , name_(name.toUtf8()) {}

    bool isUtc() const { return zone_ == icaltimezone_get_utc_timezone(); }

    // A local time names the zone's definition; a UTC one carries its Z; a floating one neither.
    icalproperty* time(icalproperty* property, const QDateTime& wall, bool date) const {
        const bool local = !date && zone_ && !isUtc();
        const icaltimetype value = icalTime(wall, date, local ? nullptr : zone_);
        icalproperty_set_value(property,
                               date ? icalvalue_new_date(value) : icalvalue_new_datetime(value));
        if (local)
            icalproperty_add_parameter(property, icalparameter_new_tzid(name_.constData()));
        return property;
    }

    void addDefinition(icalcomponent* calendar, const QDateTime& firstEntry) const {
        if (!zone_ || isUtc())
            return;
        icalcomponent* definition = icalcomponent_new_clone(icaltimezone_get_component(zone_));
        icalproperty* tzid = icalcomponent_get_first_property(definition, ICAL_TZID_PROPERTY);
        icalproperty_set_tzid(tzid, name_.constData());
        const QDateTime from(QDate(firstEntry.date().year() - ZoneYearsBefore, 1, 1), QTime(0, 0),
                             Qt::UTC);
        icaltimezone_truncate_vtimezone(definition,
                                        icalTime(from, false, icaltimezone_get_utc_timezone()),
                                        icaltime_null_time(), 0);
        icalcomponent_add_component(calendar, definition);
    }

private:
    icaltimezone* zone_;
    QByteArray name_;
};

int icsPriority(int priority) {
    switch (priority) {
    case 0:
        return 1;
    case 2:
        return 9;
    default:
        return 5;
    }
}

// An all-day entry's end is the day after its last day.
QDate dayAfterLast(const IcsEntry& entry) {
    if (entry.end.date() > entry.start.date() && entry.end.time() == QTime(0, 0))
        return entry.end.date();
    return std::max(entry.end.date(), entry.start.date()).addDays(1);
}

void addTimes(icalcomponent* item, const IcsEntry& entry, const ExportZone& zone) {
    const bool toDo = entry.type == act::ActivityType::ToDo;
    icalcomponent_add_property(
        item, zone.time(icalproperty_new(ICAL_DTSTART_PROPERTY), entry.start, entry.timeless));
    if (entry.timeless && toDo && dayAfterLast(entry) == entry.start.date().addDays(1))
        return;
    const QDateTime end =
        entry.timeless ? QDateTime(dayAfterLast(entry), QTime(0, 0), Qt::UTC) : entry.end;
    icalcomponent_add_property(
        item, zone.time(icalproperty_new(toDo ? ICAL_DUE_PROPERTY : ICAL_DTEND_PROPERTY), end,
                        entry.timeless));
}

void addPeople(icalcomponent* item, const IcsEntry& entry) {
    for (const IcsEntry::Person& person : entry.people) {
        // A person without an address is still named, under an address of our own.
        const QString address = person.email.isEmpty()
                                    ? QStringLiteral("urn:x-daywise:contact:") + person.id
                                    : QStringLiteral("mailto:") + person.email;
        icalproperty* attendee = icalproperty_new_attendee(address.toUtf8().constData());
        if (!person.name.isEmpty())
            icalproperty_add_parameter(attendee,
                                       icalparameter_new_cn(person.name.toUtf8().constData()));
        icalcomponent_add_property(item, attendee);
    }
}

void addAlarm(icalcomponent* item, const IcsEntry& entry) {
    if (!entry.alarm)
        return;
    icaltriggertype trigger{icaltime_null_time(),
                            icaldurationtype_from_int(-std::max(0, entry.alarmLead) * 60)};
    icalcomponent* alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm,
                               icalproperty_new_description(entry.regarding.toUtf8().constData()));
    icalcomponent_add_component(item, alarm);
}

icalcomponent* itemOf(const IcsEntry& entry, const ExportZone& zone, const icaltimetype& stamp) {
    const bool toDo = entry.type == act::ActivityType::ToDo;
    icalcomponent* item = toDo ? icalcomponent_new_vtodo() : icalcomponent_new_vevent();
    // One entry per activity and day: the same UID in every run.
    const QString uid =
        QStringLiteral("%1-%2@daywise")
            .arg(entry.activityId, entry.start.date().toString(QStringLiteral("yyyyMMdd")));
    icalcomponent_add_property(item, icalproperty_new_uid(uid.toUtf8().constData()));
    icalcomponent_add_property(item, icalproperty_new_dtstamp(stamp));
    addTimes(item, entry, zone);
    icalcomponent_add_property(item,
                               icalproperty_new_summary(entry.regarding.toUtf8().constData()));
    if (!entry.details.isEmpty())
        icalcomponent_add_property(
            item, icalproperty_new_description(entry.details.toUtf8().constData()));
    if (entry.type == act::ActivityType::Call)
        icalcomponent_add_property(item, icalproperty_new_categories("Call"));
    icalcomponent_add_property(item, icalproperty_new_priority(icsPriority(entry.priority)));
    const icalproperty_status open = toDo ? ICAL_STATUS_NEEDSACTION : ICAL_STATUS_CONFIRMED;
    icalcomponent_add_property(
        item, icalproperty_new_status(entry.cleared ? ICAL_STATUS_COMPLETED : open));
    addPeople(item, entry);
    addAlarm(item, entry);
    return item;
}

} // namespace

QByteArray icsCalendar(const QList<IcsEntry>& entries, const QString& zoneName) {
    const ExportZone zone(zoneName);
    ical::Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Daywise//Daywise//EN"));
    if (!entries.isEmpty()) {
        const auto first = std::min_element(
            entries.begin(), entries.end(),
            [](const IcsEntry& a, const IcsEntry& b) { return a.start < b.start; });
        zone.addDefinition(calendar.get(), first->start);
    }
    const icaltimetype stamp = icaltime_current_time_with_zone(icaltimezone_get_utc_timezone());
    for (const IcsEntry& entry : entries)
        icalcomponent_add_component(calendar.get(), itemOf(entry, zone, stamp));
    const ical::Text text(icalcomponent_as_ical_string_r(calendar.get()));
    return QByteArray(text.get());
}

void writeIcsCalendar(const QString& path, act::ActSession& session, const QList<ActivityRow>& rows,
                      const QDate& first, const QDate& last) {
    const QByteArray text =
        icsCalendar(icsEntries(session, rows, first, last), ical::systemZoneName());
    AtomicTextFile file(path);
    file.writeLines(text);
    file.commit();
}
