#include "ErrorReport.h"

#include "AppInfo.h"
#include "Messages.h"
#include "StringTable.h"

QString errorReportText(int number, const QString& description, const QString& unit,
                        const QString& kind, const QString& name, int line, const QString& footer,
                        const QString& extra) {
    // A single CR separates the lines, as the report has always been written.
    const QChar cr(u'\r');
    QString text = QStringLiteral("Error %1: '%2'").arg(number).arg(description);
    text += cr + QStringLiteral("in %1: %2 %3 - Line # %4").arg(unit, kind, name).arg(line);
    text += cr;
    text += cr;
    text += footer.isNull() ? str(Caption::ContactSupport) : footer;
    text += extra;
    return text;
}

void showErrorReport(const QString& text) {
    messages().show(text, app::Title + QStringLiteral(" error"));
}

void Procedure::report(int number, const QString& description) const {
    showErrorReport(
        errorReportText(number, description, unit_, kind_, name_, line_, footer_, extra_));
}
