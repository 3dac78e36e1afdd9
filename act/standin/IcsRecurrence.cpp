#include "IcsRecurrence.h"
#include "JsonFields.h"

#include "act/ActivityFields.h"

#include <QJsonArray>
#include <QSet>
#include <algorithm>
#include <bit>

namespace act::standin {

namespace {

// Rules that produce more (every second for years) are cut there.
constexpr int InstanceLimit = 200000;

bool unused(const short* list) {
    return list[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

QDate dateOf(const icaltimetype& time) {
    return QDate(time.year, time.month, time.day);
}

// 1 = Sunday ... 7 = Saturday, as both libical and the stand-in count.
int weekdayOf(const QDate& date) {
    return date.dayOfWeek() % 7 + 1;
}

// Visits the rule's occurrences from `start` on; true when the rule ended before windowEnd.
template <typename Visit>
bool walkRule(const icalrecurrencetype& rule, const icaltimetype& start, const QDate& windowEnd,
              Visit visit) {
    ical::RecurIterator iterator(icalrecur_iterator_new(rule, start));
    if (!iterator)
        return true;
    for (int n = 0; n < InstanceLimit; ++n) {
        const icaltimetype time = icalrecur_iterator_next(iterator.get());
        if (icaltime_is_null_time(time))
            return true;
        if (dateOf(time) > windowEnd)
            return false;
        visit(time);
    }
    return false;
}

// One of the stand-in's four kinds of recurrence, as bit sets.
struct Shape {
    int kind = 0;
    quint32 weekdays = 0;
    quint32 daysOfMonth = 0;
    quint32 weeks = 0; // 1..4, and 5 for the last

    bool occursOn(const QDate& date) const {
        const bool weekday = weekdays & (1u << (weekdayOf(date) - 1));
        switch (kind) {
        case RecurrenceKind::Daily:
            return true;
        case RecurrenceKind::Weekly:
            return weekday;
        case RecurrenceKind::MonthlyOnDays:
            return daysOfMonth & (1u << (date.day() - 1));
        default:
            const bool last = date.day() + 7 > date.daysInMonth();
            return weekday && ((weeks & (1u << ((date.day() - 1) / 7))) || (last && (weeks & 16u)));
        }
    }
};

bool onlyDayLists(const icalrecurrencetype& rule) {
    return !rule.rscale && unused(rule.by_second) && unused(rule.by_minute) &&
           unused(rule.by_hour) && unused(rule.by_year_day) && unused(rule.by_week_no) &&
           unused(rule.by_month) && unused(rule.by_set_pos);
}

std::optional<Shape> weeklyShape(const icalrecurrencetype& rule, const QDate& start) {
    if (!unused(rule.by_month_day))
        return std::nullopt;
    Shape shape{RecurrenceKind::Weekly};
    for (int i = 0; i < ICAL_BY_DAY_SIZE && rule.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
        if (icalrecurrencetype_day_position(rule.by_day[i]) != 0)
            return std::nullopt;
        shape.weekdays |= 1u << (icalrecurrencetype_day_day_of_week(rule.by_day[i]) - 1);
    }
    if (!shape.weekdays)
        shape.weekdays = 1u << (weekdayOf(start) - 1);
    // Every n weeks, the stand-in counts each weekday from its first date after the start;
    // the rule counts weeks from the week start: the same only for days later in the week.
    const auto inWeek = [&](int day) { return (day - int(rule.week_start) + 7) % 7; };
    if (rule.interval > 1)
        for (int day = 1; day <= 7; ++day)
            if ((shape.weekdays & (1u << (day - 1))) && inWeek(day) < inWeek(weekdayOf(start)))
                return std::nullopt;
    return shape;
}

std::optional<Shape> monthlyShape(const icalrecurrencetype& rule, const QDate& start) {
    if (!unused(rule.by_day) && !unused(rule.by_month_day))
        return std::nullopt;
    Shape shape;
    if (unused(rule.by_day)) {
        shape.kind = RecurrenceKind::MonthlyOnDays;
        for (int i = 0;
             i < ICAL_BY_MONTHDAY_SIZE && rule.by_month_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
            const int day = rule.by_month_day[i];
            if (day < 1 || day > 31)
                return std::nullopt;
            shape.daysOfMonth |= 1u << (day - 1);
        }
        if (!shape.daysOfMonth)
            shape.daysOfMonth = 1u << (start.day() - 1);
        return shape;
    }
    shape.kind = RecurrenceKind::MonthlyOnWeeks;
    int pairs = 0;
    for (int i = 0; i < ICAL_BY_DAY_SIZE && rule.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
        const int position = icalrecurrencetype_day_position(rule.by_day[i]);
        if (position == 0 || position < -1 || position > 4)
            return std::nullopt;
        shape.weeks |= 1u << ((position == -1 ? 5 : position) - 1);
        shape.weekdays |= 1u << (icalrecurrencetype_day_day_of_week(rule.by_day[i]) - 1);
        ++pairs;
    }
    // The stand-in takes every weekday in every week given: the rule must list them all, and
    // a fourth that is also the last would come twice.
    const int full = std::popcount(shape.weeks) * std::popcount(shape.weekdays);
    if (pairs != full || (shape.weeks & 8u && shape.weeks & 16u))
        return std::nullopt;
    return shape;
}

std::optional<Shape> shapeOf(const icalrecurrencetype& rule, const QDate& start) {
    if (!onlyDayLists(rule))
        return std::nullopt;
    switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
        if (unused(rule.by_day) && unused(rule.by_month_day))
            return Shape{RecurrenceKind::Daily};
        return std::nullopt;
    case ICAL_WEEKLY_RECURRENCE:
        return weeklyShape(rule, start);
    case ICAL_MONTHLY_RECURRENCE:
        return monthlyShape(rule, start);
    default:
        return std::nullopt;
    }
}

QList<QDateTime> excludedTimes(const IcsItem& item, const IcsClock& clock) {
    QList<QDateTime> excluded;
    for (icalproperty* p = icalcomponent_get_first_property(item.component, ICAL_EXDATE_PROPERTY);
         p; p = icalcomponent_get_next_property(item.component, ICAL_EXDATE_PROPERTY))
        excluded << clock.wallClock(clock.timeOf(item, p));
    return excluded;
}

int countOf(const IcsItem& item, icalproperty_kind kind) {
    return icalcomponent_count_properties(item.component, kind);
}

QJsonObject recurrenceJson(const Shape& shape, int every, const QDate& until,
                           QList<QDate> exceptions) {
    QJsonObject recurrence{
        {"kind", shape.kind}, {"every", every}, {"until", until.toString(Qt::ISODate)}};
    if (shape.kind == RecurrenceKind::Weekly || shape.kind == RecurrenceKind::MonthlyOnWeeks)
        recurrence.insert("weekdays", bitList(shape.weekdays));
    if (shape.kind == RecurrenceKind::MonthlyOnDays)
        recurrence.insert("days_of_month", bitList(shape.daysOfMonth));
    if (shape.kind == RecurrenceKind::MonthlyOnWeeks)
        recurrence.insert("weeks", bitList(shape.weeks));
    std::sort(exceptions.begin(), exceptions.end());
    exceptions.erase(std::unique(exceptions.begin(), exceptions.end()), exceptions.end());
    QJsonArray dates;
    for (const QDate& day : exceptions)
        dates.append(day.toString(Qt::ISODate));
    if (!dates.isEmpty())
        recurrence.insert("exceptions", dates);
    return recurrence;
}

} // namespace

bool isRecurring(const IcsItem& item) {
    return countOf(item, ICAL_RRULE_PROPERTY) > 0 || countOf(item, ICAL_RDATE_PROPERTY) > 0;
}

std::optional<QJsonObject> standinRecurrence(const IcsItem& item, const IcsClock& clock,
                                             const QDate& windowEnd,
                                             const QList<QDateTime>& removed) {
    if (countOf(item, ICAL_RRULE_PROPERTY) != 1 || countOf(item, ICAL_RDATE_PROPERTY) > 0 ||
        countOf(item, ICAL_EXRULE_PROPERTY) > 0)
        return std::nullopt;
    const icalrecurrencetype rule = icalproperty_get_rrule(
        icalcomponent_get_first_property(item.component, ICAL_RRULE_PROPERTY));
    const icaltimetype start = clock.timeOf(item, ICAL_DTSTART_PROPERTY);
    const QDateTime startWall = clock.wallClock(start);
    const std::optional<Shape> shape = shapeOf(rule, dateOf(start));
    if (!shape || !shape->occursOn(dateOf(start)))
        return std::nullopt;
    // The stand-in repeats one wall-clock time on the same dates; a rule kept in another
    // zone drifts from it across daylight-saving changes the two zones do not share.
    bool steady = true;
    QDate last;
    const bool ended = walkRule(rule, start, windowEnd, [&](const icaltimetype& time) {
        const QDateTime wall = clock.wallClock(time);
        steady = steady && wall.time() == startWall.time() && wall.date() == dateOf(time);
        last = wall.date();
    });
    if (!steady)
        return std::nullopt;
    QList<QDate> exceptions;
    for (const QDateTime& time : excludedTimes(item, clock) + removed)
        exceptions << time.date();
    const QDate until = ended ? last : std::max(windowEnd, startWall.date());
    return recurrenceJson(*shape, std::max<int>(1, rule.interval), until, exceptions);
}

QList<icaltimetype> occurrenceStarts(const IcsItem& item, const IcsClock& clock,
                                     const QDate& windowEnd) {
    const icaltimetype start = clock.timeOf(item, ICAL_DTSTART_PROPERTY);
    QList<icaltimetype> starts;
    if (countOf(item, ICAL_RRULE_PROPERTY) == 0)
        starts << start;
    for (icalproperty* p = icalcomponent_get_first_property(item.component, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(item.component, ICAL_RRULE_PROPERTY))
        walkRule(icalproperty_get_rrule(p), start, windowEnd.addDays(1),
                 [&](const icaltimetype& time) { starts << time; });
    for (icalproperty* p = icalcomponent_get_first_property(item.component, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(item.component, ICAL_RDATE_PROPERTY)) {
        const icaltimetype time = clock.timeOf(item, p);
        starts << (icaltime_is_null_time(time) ? icalproperty_get_rdate(p).period.start : time);
    }
    const QList<QDateTime> excluded = excludedTimes(item, clock);
    QSet<QDateTime> seen(excluded.begin(), excluded.end());
    QList<icaltimetype> kept;
    for (const icaltimetype& time : starts) {
        const QDateTime wall = clock.wallClock(time);
        if (seen.contains(wall))
            continue;
        seen.insert(wall);
        kept << time;
    }
    return kept;
}

} // namespace act::standin
