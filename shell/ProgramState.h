#pragma once

#include "StringTable.h"

#include <QString>
#include <QtGlobal>

// The program-wide values every window shares: the current language's first string
// identifier (200 English, 400 French) and the user's consent to restart ACT!.
inline qint16 LanguageBase = EnglishBase;
inline bool RestartRequested = false;

// The current ACT! user's own contact identifier and name, read once when the main window
// loads (getUserID) and used by every generation.
inline QString MyRecordId;
inline QString CurrentUserName;

// Sets LanguageBase from the language the user stored.
void applyStoredLanguage();

// Only "1" selects French: any other stored value (absent, "-1", garbage) must still give
// the user readable English captions.
inline qint16 languageBaseFor(const QString& storedLanguage) {
    return storedLanguage.trimmed() == QLatin1String("1") ? FrenchBase : EnglishBase;
}
