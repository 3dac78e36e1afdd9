#pragma once

#include <QDate>
#include <QString>

// The long date of a day in the current language: "January 6th, 2003" or "1er janvier 2003".
QString FormattedDate(const QDate& day);

// The month's name in the current language.
QString monthName(int month);
