#pragma once

#include <QDate>

// A calendar covers about a month at most: more than 31 days, or an end on a later day of a
// later month than the start, is too long.
bool rangeTooLong(const QDate& start, const QDate& end);

// The latest end a range from `start` may take.
QDate lastEndAllowed(const QDate& start);
