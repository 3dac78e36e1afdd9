#pragma once

#include <QDate>

// The last day of a week's and of a month's calendar that starts on `start`: the window's
// Week and Month choices, the headless --week and --month, and a too long range cut back.
QDate weekEnd(const QDate& start);
QDate monthEnd(const QDate& start);

// A calendar covers about a month at most: more than 31 days, or an end on a later day of a
// later month than the start, is too long.
bool rangeTooLong(const QDate& start, const QDate& end);

// The latest end a range from `start` may take.
QDate lastEndAllowed(const QDate& start);
