#include "DateTexts.h"

#include "shell/ProgramState.h"
#include "shell/StringTable.h"

namespace {

QString englishSuffix(int day) {
    switch (day) {
    case 1:
    case 21:
    case 31:
        return QStringLiteral("st");
    case 2:
    case 22:
        return QStringLiteral("nd");
    case 3:
    case 23:
        return QStringLiteral("rd");
    default:
        return QStringLiteral("th");
    }
}

} // namespace

QString monthName(int month) {
    return str(Caption::FirstMonthName + (month - 1));
}

QString FormattedDate(const QDate& day) {
    if (LanguageBase == EnglishBase)
        return QStringLiteral("%1 %2%3, %4")
            .arg(monthName(day.month()))
            .arg(day.day())
            .arg(englishSuffix(day.day()))
            .arg(day.year());
    if (LanguageBase == FrenchBase)
        return QStringLiteral("%1%2 %3 %4")
            .arg(day.day())
            .arg(day.day() == 1 ? QStringLiteral("er") : QString())
            .arg(monthName(day.month()))
            .arg(day.year());
    return {};
}
