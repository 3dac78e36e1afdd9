#pragma once

#include <QString>

// The two-language string table: English at 200 + k, French at 400 + k. Entries the table
// does not hold read as empty text.
QString stringAt(int id);

inline constexpr int EnglishBase = 200;
inline constexpr int FrenchBase = 400;

// Runs of entries by k: January to December, Sunday to Saturday, and the week days' short
// names from Sunday.
inline constexpr int FirstMonthName = 155;
inline constexpr int FirstWeekdayName = 125;
inline constexpr int FirstWeekdayAbbreviation = 167;

// Entry k of the current language (LanguageBase + k).
QString str(int k);
