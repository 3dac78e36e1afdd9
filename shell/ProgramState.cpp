#include "ProgramState.h"

#include "SettingsStore.h"

void applyStoredLanguage() {
    LanguageBase = languageBaseFor(
        settings().GetSetting(QStringLiteral("Options"), QStringLiteral("Language"), 0));
}
