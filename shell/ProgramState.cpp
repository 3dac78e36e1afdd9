#include "ProgramState.h"

#include "SettingsStore.h"

void applyStoredLanguage() {
    LanguageBase = languageBaseFor(settings().GetSetting(setting::Language));
}
