#pragma once

#include "ActivityRow.h"
#include "ScriptFileLayout.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// Everything one press of Create reads before it walks the activities, and the rows it
// stores. Each generation starts from a fresh instance, so nothing leaks from one to the next.
struct GenerationState {
    QString TimeFormat;
    QDate FirstDay; // the start picker's day
    QDate LastDay;  // the end picker's day

    QStringList EligibleUserIds;
    QStringList SelectedUserIds;
    QHash<QString, qsizetype> SelectedUserIndex; // the first place of each id in SelectedUserIds
    QStringList SelectedUserNames;               // as ACT! gives them, not escaped
    qsizetype SelectedUserCount = 0;

    std::array<QString, 3> ActivityTypeNames;
    QString EnabledTypeCodes;
    QString EnabledTypeNames;
    bool HideCleared = true;

    std::array<bool, 16> FieldShown{};
    std::array<bool, 15> LabelShown{};
    std::array<QString, 15> FieldLabels;
    qint16 CustomField = 0;

    bool EmailLinks = false;
    QString EmailSubject;
    QString EmailBody;
    bool MyselfMode = false;
    QString MyselfText;
    QString HeaderText;      // the calendar's title, as typed
    QString ChosenUserNames; // the other users shown, as the Filter dialog described them

    qint16 ColorMode = 2;
    std::array<qint32, 3> PriorityColors{};
    QStringList UserColorTexts; // by selected user, for the colour mode "by user"
    QString DateBackground;

    ScriptFileLayout Layout;
    QString OpenInBrowser; // the stored choice as text, a number once the page is opened

    QList<ActivityRow> ActivityRows;
    QList<qsizetype> OccurrenceUsers; // indexes into SelectedUserIds of the current activity
};
