#include "JsonFields.h"

#include "Fixture.h"

#include <cmath>
#include <limits>

namespace act::standin {

JsonFields::JsonFields(const QJsonValue& value, QString what)
    : object_(value.toObject())
    , what_(std::move(what)) {
    if (!value.isObject())
        throw FixtureError(QStringLiteral("%1: not a JSON object").arg(what_).toStdString());
}

void JsonFields::rejectUnknownKeys(const QStringList& allowed) const {
    for (auto it = object_.begin(); it != object_.end(); ++it)
        if (!allowed.contains(it.key()))
            fail(it.key(), QStringLiteral("unknown key"));
}

void JsonFields::fail(const QString& key, const QString& problem) const {
    throw FixtureError(QStringLiteral("%1, key \"%2\": %3").arg(what_, key, problem).toStdString());
}

QJsonValue JsonFields::required(const QString& key) const {
    if (!object_.contains(key))
        fail(key, QStringLiteral("missing required key"));
    return object_.value(key);
}

QString JsonFields::textAt(const QString& key, const QJsonValue& item) const {
    if (!item.isString())
        fail(key, QStringLiteral("a text is expected"));
    return item.toString();
}

int JsonFields::integerAt(const QString& key, const QJsonValue& item) const {
    const double number = item.toDouble();
    if (!item.isDouble() || std::floor(number) != number ||
        number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        fail(key, QStringLiteral("a whole number is expected"));
    return static_cast<int>(number);
}

QDate JsonFields::dateAt(const QString& key, const QJsonValue& item) const {
    const QDate date = parseFixtureDate(textAt(key, item));
    if (!date.isValid())
        fail(key, QStringLiteral("a date \"YYYY-MM-DD\" is expected"));
    return date;
}

QString JsonFields::text(const QString& key) const {
    return textAt(key, required(key));
}

QString JsonFields::text(const QString& key, const QString& fallback) const {
    return has(key) ? text(key) : fallback;
}

int JsonFields::integer(const QString& key) const {
    return integerAt(key, required(key));
}

int JsonFields::integer(const QString& key, int fallback) const {
    return has(key) ? integer(key) : fallback;
}

bool JsonFields::flag(const QString& key, bool fallback) const {
    if (!has(key))
        return fallback;
    const QJsonValue value = object_.value(key);
    if (!value.isBool())
        fail(key, QStringLiteral("true or false is expected"));
    return value.toBool();
}

QDateTime JsonFields::dateTime(const QString& key) const {
    const QDateTime value = parseFixtureDateTime(text(key));
    if (!value.isValid())
        fail(key, QStringLiteral("a date and time \"YYYY-MM-DD HH:MM\" is expected"));
    return value;
}

QDate JsonFields::date(const QString& key) const {
    return dateAt(key, required(key));
}

QJsonArray JsonFields::array(const QString& key) const {
    const QJsonValue value = object_.value(key);
    if (!value.isArray())
        fail(key, QStringLiteral("a list is expected"));
    return value.toArray();
}

QJsonObject JsonFields::object(const QString& key) const {
    const QJsonValue value = object_.value(key);
    if (!value.isObject())
        fail(key, QStringLiteral("an object is expected"));
    return value.toObject();
}

namespace {

// Reads `count` decimal digits at `at`; -1 when any is not a digit. Hand-written because
// a large fixture holds hundreds of thousands of dates, and every date scope reads them.
int digits(QStringView text, int at, int count) {
    int value = 0;
    for (int i = at; i < at + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

} // namespace

QDateTime parseFixtureDateTime(QStringView text) {
    if (text.size() != 16 || text.at(10) != u' ' || text.at(13) != u':')
        return {};
    const QDate date = parseFixtureDate(text.left(10));
    const int hour = digits(text, 11, 2);
    const int minute = digits(text, 14, 2);
    if (!date.isValid() || !QTime::isValid(hour, minute, 0))
        return {};
    return QDateTime(date, QTime(hour, minute), Qt::UTC);
}

QDate parseFixtureDate(QStringView text) {
    if (text.size() != 10 || text.at(4) != u'-' || text.at(7) != u'-')
        return {};
    const int year = digits(text, 0, 4);
    const int month = digits(text, 5, 2);
    const int day = digits(text, 8, 2);
    if (year < 0 || month < 0 || day < 0)
        return {};
    return QDate(year, month, day);
}

QJsonArray bitList(quint32 bits) {
    QJsonArray numbers;
    for (int n = 1; n <= 32; ++n)
        if (bits & (1u << (n - 1)))
            numbers.append(n);
    return numbers;
}

} // namespace act::standin
