#include "SortData.h"

#include "TextRules.h"
#include "shell/StringTable.h"

#include <QLocale>
#include <algorithm>

namespace {

void writeTimeText(ActivityRow& row, const QString& picture) {
    if (row.Timeless) {
        row.TimeText = str(141);
        row.StartText = row.EndText = row.TimeText;
    } else if (row.StartTime.secsTo(row.EndTime) / 60 == 1439) {
        row.TimeText = QStringLiteral("All Day");
        row.StartText = row.EndText = row.TimeText;
    } else {
        const QLocale c = QLocale::c();
        row.StartText = c.toString(row.StartTime.time(), picture);
        row.EndText = c.toString(row.EndTime.time(), picture);
        row.TimeText = Check(row.StartText + QLatin1String(" - ") + row.EndText);
    }
    if (row.Cleared)
        row.TimeText +=
            QLatin1String("<br><span class=done>") + str(124) + QLatin1String("</span>");
}

} // namespace

SortResult SortData(QList<ActivityRow>& rows, const QDate& first, const QDate& last,
                    const QString& timeFormat) {
    SortResult result;
    const qint64 days = first.daysTo(last) + 1;
    result.dayCounts.fill(0, qsizetype(std::max<qint64>(days, 0)));

    result.order.reserve(rows.size());
    QList<qint64> starts(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QDateTime& start = rows[i].StartTime;
        const qint64 day = start.isValid() ? first.daysTo(start.date()) : -1;
        if (day < 0 || day >= days)
            continue;
        starts[i] = start.toMSecsSinceEpoch();
        result.order.append(i);
        ++result.dayCounts[qsizetype(day)];
    }
    std::sort(result.order.begin(), result.order.end(), [&](qsizetype a, qsizetype b) {
        return starts[a] != starts[b] ? starts[a] < starts[b] : a > b;
    });

    const QString picture = timeFormat.contains(QLatin1Char('H')) ? QStringLiteral("HH:mm")
                                                                  : QStringLiteral("hh:mm AP");
    for (ActivityRow& row : rows)
        writeTimeText(row, picture);
    return result;
}
