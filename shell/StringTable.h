#pragma once

#include "Captions.h"

#include <QString>

// The two-language string table: English at 200 + k, French at 400 + k. Entries the table
// does not hold read as empty text.

inline constexpr int EnglishBase = 200;
inline constexpr int FrenchBase = 400;

// Entry k of the current language (LanguageBase + k).
QString str(Caption k);

// Entry k as the caption of a frame or a field: both languages put a space before the colon.
QString strWithColon(Caption k);
