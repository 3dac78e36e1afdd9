#include "IcsEntry.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

QDateTime wallClock(const QVariant& value) {
    const QDateTime time = value.toDateTime();
    return QDateTime(time.date(), time.time(), Qt::UTC);
}

QList<IcsEntry::Person> peopleOf(act::Activity& activity, act::Contact& contact) {
    QList<IcsEntry::Person> people;
    for (QString id = activity.FirstScheduledWith(); !id.isEmpty();
         id = activity.NextScheduledWith()) {
        if (!contact.GoTo(id))
            continue;
        people.append({id, contact.Data(26), contact.Data(200)});
    }
    return people;
}

IcsEntry entryOf(act::Activity& activity, act::Contact& contact) {
    IcsEntry entry;
    entry.activityId = activity.Data(1).toString();
    entry.type = activity.Data(25).toInt();
    entry.priority = activity.Data(26).toInt();
    entry.regarding = activity.Data(27).toString();
    entry.details = activity.Data(45).toString();
    entry.start = wallClock(activity.Data(28));
    entry.end = wallClock(activity.Data(29));
    entry.timeless = activity.Data(31).toInt() == 1;
    entry.alarm = activity.Data(33).toInt() == 1;
    entry.alarmLead = activity.Data(32).toInt();
    entry.cleared = activity.Data(41).toInt() == 1;
    entry.people = peopleOf(activity, contact);
    return entry;
}

// A recurring activity's occurrence on another day: same time of day, same length.
IcsEntry movedTo(IcsEntry entry, const QDate& day, qint64 minutes) {
    entry.start = QDateTime(day, entry.start.time(), Qt::UTC);
    entry.end = entry.start.addSecs(minutes * 60);
    return entry;
}

} // namespace

QList<IcsEntry> icsEntries(act::ActSession& session, const QList<ActivityRow>& rows,
                           const QDate& first, const QDate& last) {
    QHash<QString, QSet<QDate>> days; // the rows' days of each activity
    for (const ActivityRow& row : rows)
        days[row.ActivityId].insert(row.StartTime.date());
    QList<IcsEntry> entries;
    act::Activity& activity = session.activity();
    activity.MoveFirst();
    activity.SetDateScope(first, last.addDays(1));
    QSet<QString> done;
    for (; !activity.IsEOF(); activity.MoveNext()) {
        const QString id = activity.Data(1).toString();
        if (!days.contains(id) || done.contains(id))
            continue;
        done.insert(id);
        const IcsEntry entry = entryOf(activity, session.contact());
        if (!activity.IsRecurring()) {
            entries.append(entry);
            continue;
        }
        QList<QDate> occurrences = days.value(id).values();
        std::sort(occurrences.begin(), occurrences.end());
        for (const QDate& day : occurrences)
            entries.append(movedTo(entry, day, activity.Data(30).toInt()));
    }
    return entries;
}
