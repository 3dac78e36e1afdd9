#include "SettingsStore.h"

#include "MemorySettingsStore.h"

namespace {
MemorySettingsStore fallback;
SettingsStore* current = &fallback;
} // namespace

SettingsStore& settings() {
    return *current;
}

void setSettings(SettingsStore* store) {
    current = store ? store : &fallback;
}
