#include "ScriptFile.h"

#include "CalendarField.h"
#include "ScriptFileLayout.h"

#include "shell/ProgramState.h"
#include "shell/StringTable.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <stdexcept>

namespace {

const QString LayoutMarker = QStringLiteral("// @layout");

// A JavaScript string literal: JSON's escaping is a subset of it.
QString jsString(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString jsStrings(Caption first, int count) {
    QStringList quoted;
    for (int k = 0; k < count; ++k)
        quoted.append(jsString(str(first + k)));
    return quoted.join(QStringLiteral(", "));
}

// A colour that is not six hex digits would break the banner's markup; the page then keeps
// the program's default.
QString safeColour(const QString& colour) {
    static const QRegularExpression sixHexDigits(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    return sixHexDigits.match(colour).hasMatch() ? colour : QStringLiteral("FFCC00");
}

QStringList layoutLines(const ScriptFileLayout& layout, const QString& background) {
    QStringList widths;
    for (int width : layout.widths)
        widths.append(QString::number(width));
    QStringList out;
    out << QStringLiteral("var Layout = {")
        << QStringLiteral("    header: %1,").arg(layout.header ? "true" : "false")
        << QStringLiteral("    language: \"%1\",").arg(LanguageBase == FrenchBase ? "fr" : "en")
        << QStringLiteral("    dateBackground: \"%1\",").arg(safeColour(background))
        << QStringLiteral("    widths: [%1],").arg(widths.join(QStringLiteral(", ")))
        << QStringLiteral("    iconColumn: %1,").arg(layout.columns[0])
        << QStringLiteral("    // Each text field as [entry in data.js, class, column], in the "
                          "order shown.")
        << QStringLiteral("    fields: [");
    for (qsizetype k = 0; k < layout.textFieldOrder.size(); ++k) {
        const int m = layout.textFieldOrder[k];
        out << QStringLiteral("        [%1, \"%2\", %3]%4")
                   .arg(m)
                   .arg(QLatin1String(CalendarFields[m].pageClass))
                   .arg(layout.columns[m])
                   .arg(k + 1 < layout.textFieldOrder.size() ? "," : "");
    }
    out << QStringLiteral("    ],")
        << QStringLiteral("    forCaption: %1,").arg(jsString(str(Caption::For)))
        << QStringLiteral("    emptyDay: %1,").arg(jsString(str(Caption::NoActivitiesScheduled)))
        << QStringLiteral("    months: [%1],").arg(jsStrings(Caption::FirstMonthName, 12))
        << QStringLiteral("    weekdays: [%1]").arg(jsStrings(Caption::FirstWeekdayAbbreviation, 7))
        << QStringLiteral("};");
    return out;
}

QStringList templateLines() {
    QFile file(QStringLiteral(":/daywise/CalendarScript.js"));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("the calendar script is missing from the program's resources");
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

} // namespace

QStringList scriptFileLines(const QString& dateBackground, const ScriptFileLayout& layoutSettings) {
    QStringList out = templateLines();
    const qsizetype marker = out.indexOf(LayoutMarker);
    if (marker < 0)
        throw std::runtime_error("the calendar script has no place for the layout");
    out.remove(marker);
    const QStringList layout = layoutLines(layoutSettings, dateBackground);
    for (qsizetype k = 0; k < layout.size(); ++k)
        out.insert(marker + k, layout[k]);
    return out;
}
