#include "SettingReads.h"

#include "shell/Conversions.h"
#include "shell/SettingsStore.h"

qint16 readNumberSetting(Procedure& proc, const QString& section, const QString& key,
                         qint16 defaultValue) {
    qint16 value = defaultValue;
    proc.run(
        [&] { value = convert::toInt16(settings().GetSetting(section, key, int(defaultValue))); });
    return value;
}
