#pragma once

#include "shell/ErrorReport.h"
#include "shell/SettingKeys.h"

#include <QString>

// A dialog reads each number setting on its own: a value that is not a number is reported
// through the dialog's procedure and the entry's default is used, so the dialog still opens
// and the user can repair the setting by confirming it.
qint16 readNumberSetting(Procedure& proc, const SettingKey& entry);
