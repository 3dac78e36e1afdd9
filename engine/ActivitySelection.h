#pragma once

#include "GenerationState.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace act {
class Activity;
class Database;
class Users;
} // namespace act

// Reads the current user's own contact identifier, sets CurrentUserName, returns the identifier.
QString getUserID(act::Database& database);

// The display name of the user with that identifier, or empty text.
QString GetUserName(act::Users& users, const QString& id);

// True when the activity's main contact is a listable user's own record.
bool IsScheduledWithUser(const GenerationState& state, const act::Activity& activity);

// Finds the selected users the activity belongs to (the user it is scheduled for, its main
// contact, the others it is scheduled with), each once, into state.OccurrenceUsers.
qsizetype CountUserGood(GenerationState& state, act::Activity& activity);

// True when the day lies in the range, both ends included.
bool InRange(const GenerationState& state, const QDate& day);

// The week day's name in the current language.
QString GetDay(const QDate& day);
