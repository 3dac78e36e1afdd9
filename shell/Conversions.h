#pragma once

#include <QDate>
#include <QString>

// The conversions settings readers use. Text that is not a number (or date) throws
// RuntimeError 13 "Type mismatch"; a number outside the target type throws 6 "Overflow".
namespace convert {

// Decimal text, blanks around it allowed; a fraction rounds half to even.
qint64 toNumber(const QString& text);
qint16 toInt16(const QString& text);
qint32 toInt32(const QString& text);
// True when the number is not 0; "True" and "False" are accepted as well.
bool toBool(const QString& text);
// ISO "yyyy-MM-dd" (with or without a time), or the system locale's short date.
QDate toDate(const QString& text);
// The one form dates are stored in, whatever the system's language.
QString dateText(const QDate& date);

} // namespace convert
