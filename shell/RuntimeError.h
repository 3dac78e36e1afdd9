#pragma once

#include <QString>
#include <stdexcept>

// A failure a procedure reports through the program's error report: a number and a
// description in the style the report's first line shows.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString& description)
        : std::runtime_error(description.toStdString())
        , number_(number)
        , description_(description) {}

    int number() const { return number_; }
    QString description() const { return description_; }

    static RuntimeError typeMismatch() { return {13, QStringLiteral("Type mismatch")}; }
    static RuntimeError overflow() { return {6, QStringLiteral("Overflow")}; }
    static RuntimeError fileAccess(const QString& what) {
        return {75, QStringLiteral("Path/File access error: %1").arg(what)};
    }

private:
    int number_;
    QString description_;
};
