#include "Expansion.h"

#include "RecurrenceDates.h"
#include "act/ActivityFields.h"
#include "shell/ErrorReport.h"
#include "shell/RuntimeError.h"

#include <QTime>
#include <algorithm>

namespace {

Procedure procedure(const char* name) {
    return Procedure(QStringLiteral("frmMain"), QString::fromLatin1(name));
}

// Date-times are wall-clock readings: taken as such whatever zone they are tagged with, so
// that no daylight-saving change moves an occurrence or alters a span.
QDateTime wallClock(const QVariant& value) {
    const QDateTime dateTime = value.toDateTime();
    if (!dateTime.isValid())
        throw RuntimeError::typeMismatch();
    return QDateTime(dateTime.date(), dateTime.time(), Qt::UTC);
}

qint64 ceilDiv(qint64 count, qint64 step) {
    return (count + step - 1) / step;
}

qint64 monthNumber(const QDate& date) {
    return qint64(date.year()) * 12 + date.month() - 1;
}

QDate lastDayOf(const QDateTime& start, const QDateTime& end) {
    if (end.time() == QTime(0, 0) && end.date() > start.date())
        return end.date().addDays(-1);
    return end.date();
}

// One recurring activity as the walks see it, with the range they fill.
struct Series {
    QString id;
    QDate start; // the day of the first occurrence
    QDate until; // null when the series never ends
    QList<QDate> exceptions;
    qint64 interval; // at least 1
    QDate first;
    QDate last;
    const StoreRecordFn& store;

    QDate stop() const { return until.isValid() ? std::min(last, until) : last; }

    void storeIfOccurs(const QDate& date) const {
        if (date.isValid() && date >= std::max(start, first) && date <= stop() &&
            !Exception(date, exceptions))
            store(id, start.daysTo(date), 0, false);
    }
};

Series readSeries(act::Activity& activity, const QDate& first, const QDate& last,
                  const StoreRecordFn& store) {
    // An interval below 1 would never move the walk on.
    return {activity.Data(act::ActivityField::Id).toString(),
            wallClock(activity.Data(act::ActivityField::Start)).date(),
            activity.GetRecurringUntilDate(),
            activity.ExceptionInfo(),
            std::max(1, activity.GetRecurringFrequency()),
            first,
            last,
            store};
}

// The occurrences from `from` on, every `step` days. Jumps straight to the first one in the
// range, so a series begun years ago costs only what its occurrences in the range cost.
void walk(const Series& series, const QDate& from, qint64 step) {
    qint64 offset = series.start.daysTo(from);
    const qint64 lead = from.daysTo(series.first);
    if (lead > 0)
        offset += ceilDiv(lead, step) * step;
    const qint64 stopOffset = series.start.daysTo(series.stop());
    for (; offset <= stopOffset; offset += step)
        series.storeIfOccurs(series.start.addDays(offset));
}

void walkWeekly(const Series& series, const WeekDays& days) {
    for (int day = 1; day <= 7; ++day) {
        if (days[day])
            walk(series, series.start.addDays((day - actWeekDay(series.start) + 7) % 7),
                 7 * series.interval);
    }
}

// Expands every month of the range in which the series recurs, jumping straight to the first;
// stops when a month's expansion fails.
void walkMonths(const Series& series, const std::function<bool(const QDate&)>& expandMonth) {
    const qint64 lead = monthNumber(series.first) - monthNumber(series.start);
    const qint64 skip = lead > 0 ? ceilDiv(lead, series.interval) * series.interval : 0;
    if (skip > monthNumber(series.last) - monthNumber(series.start))
        return;
    const QDate startMonth(series.start.year(), series.start.month(), 1);
    for (QDate month = startMonth.addMonths(static_cast<int>(skip));
         InMonth(month, series.first, series.last) && expandMonth(month);
         month = month.addMonths(static_cast<int>(series.interval))) {
    }
}

bool Treat_Custom(const act::Activity& activity, const Series& series, const QDate& month) {
    Procedure proc = procedure("Treat_Custom");
    return proc.run([&] {
        proc.line(1);
        const MonthDays days = GetUniqueDays(activity.GetDaysOfMonthBits());
        proc.line(2);
        // Days the month lacks are skipped rather than rolled into the next month.
        for (int day = 1; day <= month.daysInMonth(); ++day) {
            if (days[day])
                series.storeIfOccurs(QDate(month.year(), month.month(), day));
        }
    });
}

bool Treat_Monthly(const act::Activity& activity, const Series& series, const QDate& month) {
    Procedure proc = procedure("Treat_Monthly");
    return proc.run([&] {
        proc.line(1);
        const WeekDays days = GetDays(activity.GetDaysofWeekBits());
        const WeekNumbers weeks = GetWeek(activity.GetWeeksOfMonthBits());
        proc.line(2);
        for (int day = 1; day <= 7; ++day) {
            for (int week = 1; week <= 5; ++week) {
                if (days[day] && weeks[week])
                    series.storeIfOccurs(
                        GetDateOfDay(day, week, month.month(), month.year(), weeks[4]));
            }
        }
    });
}

} // namespace

void Treat_Recurring(act::Activity& activity, const QDate& first, const QDate& last,
                     const StoreRecordFn& store) {
    Procedure proc = procedure("Treat_Recurring");
    proc.run([&] {
        proc.line(1);
        const Series series = readSeries(activity, first, last, store);
        proc.line(2);
        switch (activity.recurringType()) {
        case act::RecurrenceKind::Daily:
            walk(series, series.start, series.interval);
            break;
        case act::RecurrenceKind::Weekly:
            proc.line(3);
            walkWeekly(series, GetDays(activity.GetDaysofWeekBits()));
            break;
        case act::RecurrenceKind::MonthlyOnDays:
            proc.line(4);
            walkMonths(series,
                       [&](const QDate& month) { return Treat_Custom(activity, series, month); });
            break;
        case act::RecurrenceKind::MonthlyOnWeeks:
            proc.line(5);
            walkMonths(series,
                       [&](const QDate& month) { return Treat_Monthly(activity, series, month); });
            break;
        default:
            break;
        }
    });
}

void Treat_MultipleDays(act::Activity& activity, const QDate& first, const QDate& last,
                        const StoreRecordFn& store) {
    Procedure proc = procedure("Treat_MultipleDays");
    proc.run([&] {
        proc.line(1);
        const QString id = activity.Data(act::ActivityField::Id).toString();
        const QDateTime start = wallClock(activity.Data(act::ActivityField::Start));
        const QDateTime end = wallClock(activity.Data(act::ActivityField::End));
        proc.line(2);
        const QDate lastDay = std::min(lastDayOf(start, end), last);
        for (QDate day = std::max(start.date(), first); day <= lastDay; day = day.addDays(1)) {
            const QDateTime rowStart = std::max(start, QDateTime(day, QTime(0, 0), Qt::UTC));
            const QDateTime rowEnd = std::min(end, QDateTime(day, QTime(23, 59), Qt::UTC));
            // A row that starts at 23:59 runs to midnight; 0 minutes would mean the whole
            // duration.
            const qint64 minutes = std::max<qint64>(1, rowStart.secsTo(rowEnd) / 60);
            store(id, start.secsTo(rowStart) / 60, minutes, true);
        }
    });
}

bool isMultiDay(const QDateTime& start, const QDateTime& end) {
    return lastDayOf(start, end) > start.date();
}
