#pragma once

#include "act/ActObjects.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <functional>

// Stores one occurrence of the current activity: its start is the activity's own start plus
// offset days (or minutes when minuteOffset is set), and it lasts endMinutes, or the activity's
// own duration when endMinutes is 0.
using StoreRecordFn =
    std::function<void(const QString& id, qint64 offset, qint64 endMinutes, bool minuteOffset)>;

// Stores every occurrence of the current recurring activity on the days first..last.
void Treat_Recurring(act::Activity& activity, const QDate& first, const QDate& last,
                     const StoreRecordFn& store);

// Stores one row for each day of first..last that the current single activity, which spans
// several days, touches: its start to 23:59, whole days 00:00 to 23:59, then 00:00 to its end.
void Treat_MultipleDays(act::Activity& activity, const QDate& first, const QDate& last,
                        const StoreRecordFn& store);

// True when the activity runs into a later day. An end at exactly 00:00 closes the day before,
// so an activity that ends at the midnight after its start day is a single-day one.
bool isMultiDay(const QDateTime& start, const QDateTime& end);
