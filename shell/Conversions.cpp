#include "Conversions.h"

#include "RuntimeError.h"

#include <QDateTime>
#include <QLocale>
#include <cmath>
#include <limits>

namespace convert {

qint64 toNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const qint64 whole = trimmed.toLongLong(&ok);
    if (ok)
        return whole;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw RuntimeError::typeMismatch();
    if (std::abs(value) >= 9.2e18)
        throw RuntimeError::overflow();
    return qint64(std::nearbyint(value)); // the default rounding mode rounds half to even
}

template <typename Int> static Int narrowed(qint64 value) {
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
        throw RuntimeError::overflow();
    return Int(value);
}

qint16 toInt16(const QString& text) {
    return narrowed<qint16>(toNumber(text));
}

qint32 toInt32(const QString& text) {
    return narrowed<qint32>(toNumber(text));
}

bool toBool(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return toNumber(trimmed) != 0;
}

QDate toDate(const QString& text) {
    const QString trimmed = text.trimmed();
    QDate date = QDate::fromString(trimmed.left(10), Qt::ISODate);
    if (!date.isValid())
        date = QLocale::system().toDate(trimmed, QLocale::ShortFormat);
    if (!date.isValid())
        date = QLocale::system().toDateTime(trimmed, QLocale::ShortFormat).date();
    if (!date.isValid())
        throw RuntimeError::typeMismatch();
    return date;
}

QString dateText(const QDate& date) {
    return date.toString(Qt::ISODate);
}

} // namespace convert
