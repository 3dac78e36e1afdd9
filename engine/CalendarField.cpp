#include "CalendarField.h"

#include "shell/ErrorReport.h"
#include "shell/SettingsStore.h"

QString defaultColumn(int field) {
    return QString(QLatin1Char(CalendarFields.at(std::size_t(field)).defaultColumn));
}

void saveCol(int field) {
    Procedure proc(QStringLiteral("frmMain"), QStringLiteral("saveCol"));
    proc.run([&] {
        proc.line(1);
        settings().SaveSetting(setting::fieldColumn(field), defaultColumn(field));
    });
}
