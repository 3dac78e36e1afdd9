#include "Expansion.h"

void Treat_Recurring(act::Activity&, const QDate&, const QDate&, const StoreRecordFn&) {}

void Treat_MultipleDays(act::Activity&, const QDate&, const QDate&, const StoreRecordFn&) {}

bool isMultiDay(const QDateTime& start, const QDateTime& end) {
    return start.date() != end.date();
}
