#pragma once

#include <QDate>
#include <QList>
#include <array>

// ACT!'s week-day numbers: 1 = Sunday ... 7 = Saturday.
int actWeekDay(const QDate& date);

// A recurrence's bit sets decoded: element n is set for day n of the month, week n of the
// month (5 = the last) or week day n; element 0 is never set, and bits beyond the set's size
// are ignored.
using MonthDays = std::array<bool, 32>;
using WeekNumbers = std::array<bool, 6>;
using WeekDays = std::array<bool, 8>;

MonthDays GetUniqueDays(quint32 bits);
WeekNumbers GetWeek(quint32 bits);
WeekDays GetDays(quint32 bits);

// True when the date lies in one of the calendar months that the range first..last touches.
bool InMonth(const QDate& date, const QDate& first, const QDate& last);

// True when an occurrence on that day has been cancelled.
bool Exception(const QDate& date, const QList<QDate>& exceptions);

// The week-th week day dayOfWeek of a month, week 5 meaning the last one. A null date when the
// last one is the fourth and the fourth week is listed as well, so that it is not given twice.
QDate GetDateOfDay(int dayOfWeek, int week, int month, int year, bool fourthWeekListed);
