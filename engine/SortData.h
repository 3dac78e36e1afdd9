#pragma once

#include "ActivityRow.h"

#include <QDate>
#include <QList>
#include <QString>

// The display order of the stored rows and how many fall on each day of the range.
struct SortResult {
    QList<qsizetype> order;     // row indexes, in display order
    QList<qsizetype> dayCounts; // one count per day of the range, first day at 0
};

// Orders the rows by start (rows that start together in reverse storage order, as the
// calendar has always shown them), counts them per day and writes every row's time text:
// 24-hour when the locale's time picture holds "H", else 12-hour. Rows outside the range
// are not shown, so that the day counts always add up to the rows written.
SortResult SortData(QList<ActivityRow>& rows, const QDate& first, const QDate& last,
                    const QString& timeFormat);
