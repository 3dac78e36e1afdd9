#include "IcsEntry.h"

#include "act/ActivityFields.h"
#include "act/ContactFields.h"

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
        people.append(
            {id, contact.Data(act::ContactField::Name), contact.Data(act::ContactField::Email)});
    }
    return people;
}

IcsEntry entryOf(act::Activity& activity, act::Contact& contact) {
    IcsEntry entry;
    entry.activityId = activity.Data(act::ActivityField::Id).toString();
    entry.type = activity.Data(act::ActivityField::Type).toInt();
    entry.priority = activity.Data(act::ActivityField::Priority).toInt();
    entry.regarding = activity.Data(act::ActivityField::Regarding).toString();
    entry.details = activity.Data(act::ActivityField::Details).toString();
    entry.start = wallClock(activity.Data(act::ActivityField::Start));
    entry.end = wallClock(activity.Data(act::ActivityField::End));
    entry.timeless = activity.Data(act::ActivityField::Timeless).toInt() == 1;
    entry.alarm = activity.Data(act::ActivityField::Alarm).toInt() == 1;
    entry.alarmLead = activity.Data(act::ActivityField::AlarmLead).toInt();
    entry.cleared = activity.Data(act::ActivityField::Cleared).toInt() == 1;
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
        const QString id = activity.Data(act::ActivityField::Id).toString();
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
            entries.append(
                movedTo(entry, day, activity.Data(act::ActivityField::Duration).toInt()));
    }
    return entries;
}
