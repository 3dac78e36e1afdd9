#pragma once

#include <QLocale>

// Qt's own texts (standard buttons, the colour dialog, context menus) in the program's
// language: installs Qt's French translation when LanguageBase says French and removes it
// otherwise. Returns false when French is chosen but Qt's translation is not installed
// (Debian's qt6-translations-l10n), so those texts stay English.
bool useQtTranslation(int languageBase);

// The locale dates are shown in for the program's language.
QLocale languageLocale(int languageBase);
