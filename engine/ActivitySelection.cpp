#include "ActivitySelection.h"

#include "act/ActObjects.h"
#include "act/ActivityFields.h"
#include "act/ContactFields.h"
#include "shell/ProgramState.h"
#include "shell/StringTable.h"

QString getUserID(act::Database& database) {
    act::Contact& contact = database.contact();
    contact.LookupMyRecord();
    const QString id = contact.Data(act::ContactField::Id);
    CurrentUserName = database.CurrentUser();
    contact.SetQuery(QString());
    contact.Execute();
    return id;
}

QString GetUserName(act::Users& users, const QString& id) {
    for (int i = 1; i <= users.Count(); ++i) {
        if (users.UniqueId(i) == id)
            return users.Name(i);
    }
    return {};
}

bool IsScheduledWithUser(const GenerationState& state, const act::Activity& activity) {
    return state.EligibleUserIds.contains(activity.Data(act::ActivityField::Contact).toString());
}

qsizetype CountUserGood(GenerationState& state, act::Activity& activity) {
    state.OccurrenceUsers.clear();
    // Each selected user once: an id's place stands for the id.
    const auto take = [&](const QString& id) {
        const qsizetype k = state.SelectedUserIndex.value(id, -1);
        if (k >= 0 && !state.OccurrenceUsers.contains(k))
            state.OccurrenceUsers.append(k);
    };
    take(activity.Data(act::ActivityField::ScheduledFor).toString());
    take(activity.Data(act::ActivityField::Contact).toString());
    const int people = activity.Data(act::ActivityField::PeopleCount).toInt();
    if (people > 1) {
        take(activity.FirstScheduledWith());
        for (int j = 2; j <= people; ++j)
            take(activity.NextScheduledWith());
    }
    return state.OccurrenceUsers.size();
}

bool InRange(const GenerationState& state, const QDate& day) {
    return state.FirstDay <= day && day <= state.LastDay;
}

QString GetDay(const QDate& day) {
    // Qt counts Monday as 1 and Sunday as 7; the string table starts at Sunday.
    return str(Caption::FirstWeekdayName + day.dayOfWeek() % 7);
}
