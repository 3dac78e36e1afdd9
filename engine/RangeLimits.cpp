#include "RangeLimits.h"

bool rangeTooLong(const QDate& start, const QDate& end) {
    return start.daysTo(end) > 31 || (end.day() > start.day() && end.month() > start.month());
}

QDate lastEndAllowed(const QDate& start) {
    QDate end = start.addDays(31);
    while (rangeTooLong(start, end))
        end = end.addDays(-1);
    return end;
}
