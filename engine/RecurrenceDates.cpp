#include "RecurrenceDates.h"

namespace {

template <std::size_t Size> std::array<bool, Size> decodeBits(quint32 bits) {
    std::array<bool, Size> set{};
    for (std::size_t n = 1; n < Size; ++n)
        set[n] = (bits >> (n - 1)) & 1U;
    return set;
}

QDate firstOfMonth(const QDate& date) {
    return QDate(date.year(), date.month(), 1);
}

} // namespace

int actWeekDay(const QDate& date) {
    return date.dayOfWeek() % 7 + 1;
}

MonthDays GetUniqueDays(quint32 bits) {
    return decodeBits<32>(bits);
}

WeekNumbers GetWeek(quint32 bits) {
    return decodeBits<6>(bits);
}

WeekDays GetDays(quint32 bits) {
    return decodeBits<8>(bits);
}

bool InMonth(const QDate& date, const QDate& first, const QDate& last) {
    return firstOfMonth(first) <= date && date < firstOfMonth(last).addMonths(1);
}

bool Exception(const QDate& date, const QList<QDate>& exceptions) {
    return exceptions.contains(date);
}

QDate GetDateOfDay(int dayOfWeek, int week, int month, int year, bool fourthWeekListed) {
    const QDate first(year, month, 1);
    const int lead = (dayOfWeek - actWeekDay(first) + 7) % 7;
    const QDate date = first.addDays(lead + 7 * (week - 1));
    if (week < 5 || date.month() == month)
        return date;
    return fourthWeekListed ? QDate() : date.addDays(-7);
}
