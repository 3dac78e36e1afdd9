#include "RangeLimits.h"

QDate weekEnd(const QDate& start) {
    return start.addDays(6);
}

QDate monthEnd(const QDate& start) {
    return start.addMonths(1).addDays(-1);
}

bool rangeTooLong(const QDate& start, const QDate& end) {
    return start.daysTo(end) > 31 || (end.day() > start.day() && end.month() > start.month());
}

QDate lastEndAllowed(const QDate& start) {
    QDate end = start.addDays(31);
    while (rangeTooLong(start, end))
        end = end.addDays(-1);
    return end;
}
