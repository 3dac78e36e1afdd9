#pragma once

#include "ActivityRow.h"
#include "act/ActSession.h"
#include "act/ActivityFields.h"

#include <QDateTime>
#include <QList>
#include <QString>

// One occurrence of an activity as a calendar file holds it.
struct IcsEntry {
    struct Person {
        QString id;
        QString name;
        QString email;
    };

    QString activityId;
    int type = act::ActivityType::Call;
    int priority = 1; // 0 high, 1 medium, 2 low
    QString regarding;
    QString details;
    QDateTime start; // wall clock
    QDateTime end;
    bool timeless = false;
    bool cleared = false;
    bool alarm = false;
    int alarmLead = 0; // minutes
    QList<Person> people;
};

// Every activity of the calendar's rows once, each occurrence of a recurring one apart, read
// back from ACT! for the values the rows hold only as display text.
QList<IcsEntry> icsEntries(act::ActSession& session, const QList<ActivityRow>& rows,
                           const QDate& first, const QDate& last);
