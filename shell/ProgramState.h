#pragma once

#include <QString>
#include <QtGlobal>

// The two program-wide values every window shares: the current language's first string
// identifier (200 English, 400 French) and the user's consent to restart ACT!.
inline qint16 LanguageBase = 200;
inline bool RestartRequested = false;

// Only "1" selects French: any other stored value (absent, "-1", garbage) must still give
// the user readable English captions.
inline qint16 languageBaseFor(const QString& storedLanguage) {
    return storedLanguage.trimmed() == QLatin1String("1") ? 400 : 200;
}
