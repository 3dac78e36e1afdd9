#include "SortData.h"

#include "TextRules.h"
#include "shell/StringTable.h"

#include <QLocale>
#include <algorithm>
#include <array>

namespace {

// The clock texts of the picture, made once for each minute of the day that a row needs and
// then shared by all rows at that minute.
class ClockTexts {
public:
    explicit ClockTexts(const QString& picture)
        : picture_(picture) {}

    QString operator()(const QTime& time) {
        if (!time.isValid())
            return QLocale::c().toString(time, picture_);
        QString& text = texts_[std::size_t(time.hour() * 60 + time.minute())];
        if (text.isNull())
            text = QLocale::c().toString(time, picture_);
        return text;
    }

private:
    QString picture_;
    std::array<QString, 24 * 60> texts_;
};

void writeTimeText(ActivityRow& row, ClockTexts& clock) {
    if (row.Timeless) {
        row.TimeText = str(Caption::None);
        row.StartText = row.EndText = row.TimeText;
    } else if (row.StartTime.secsTo(row.EndTime) / 60 == 1439) {
        row.TimeText = QStringLiteral("All Day");
        row.StartText = row.EndText = row.TimeText;
    } else {
        row.StartText = clock(row.StartTime.time());
        row.EndText = clock(row.EndTime.time());
        row.TimeText = Check(row.StartText + QLatin1String(" - ") + row.EndText);
    }
    if (row.Cleared)
        row.TimeText +=
            QLatin1String("<br><span class=done>") + str(Caption::Done) + QLatin1String("</span>");
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
        const qint64 startA = starts.at(a);
        const qint64 startB = starts.at(b);
        return startA != startB ? startA < startB : a > b;
    });

    const QString picture = timeFormat.contains(QLatin1Char('H')) ? QStringLiteral("HH:mm")
                                                                  : QStringLiteral("hh:mm AP");
    ClockTexts clock(picture);
    for (ActivityRow& row : rows)
        writeTimeText(row, clock);
    return result;
}
