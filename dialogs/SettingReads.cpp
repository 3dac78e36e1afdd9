#include "SettingReads.h"

#include "shell/Conversions.h"
#include "shell/SettingsStore.h"

qint16 readNumberSetting(Procedure& proc, const SettingKey& entry) {
    qint16 value = entry.defaultValue.toShort();
    proc.run([&] { value = convert::toInt16(settings().GetSetting(entry)); });
    return value;
}
