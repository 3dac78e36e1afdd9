#pragma once

#include <QLocale>
#include <QString>

// The locale's time picture, in the notation where "H" marks a 24-hour hour: the sort
// writes 24-hour times when it holds one.

inline constexpr qint32 LocaleTimeFormat = 4099;

// The system locale's short time picture (on Linux, LC_ALL, LC_TIME or LANG decide), or
// empty text when it cannot be read.
QString GetTimeFormat();

// Item `type` of the locale's information (LocaleTimeFormat is the time picture); empty
// text for an item Daywise does not know.
QString GetUserLocaleInfo(const QLocale& locale, qint32 type);
