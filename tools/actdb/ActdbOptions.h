#pragma once

#include <QCommandLineParser>
#include <QDate>
#include <QString>

// A mistake on daywise-actdb's command line, named in one line; the exit status is 2.
struct ActdbUsageError {
    QString message;
};

// The day an option names, as YYYY-MM-DD; `fallback` when the option is not given.
inline QDate dateOption(const QCommandLineParser& parser, const QString& name,
                        const QDate& fallback) {
    if (!parser.isSet(name))
        return fallback;
    const QString value = parser.value(name);
    const QDate date = QDate::fromString(value, Qt::ISODate);
    if (!date.isValid() || value.size() != 10)
        throw ActdbUsageError{
            QStringLiteral("--%1 wants a date YYYY-MM-DD, not '%2'").arg(name, value)};
    return date;
}
