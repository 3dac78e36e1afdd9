#pragma once

#include "RuntimeError.h"

#include <QString>
#include <exception>
#include <utility>

// The text of the program's error report: the failure, where it happened, and whom to tell.
// `footer` replaces the usual last line (string 0 of the current language) when not null;
// `extra` is diagnostic text some procedures append after it.
QString errorReportText(int number, const QString& description, const QString& unit,
                        const QString& kind, const QString& name, int line,
                        const QString& footer = {}, const QString& extra = {});

// Shows an error report through the program's message sink, titled "Daywise error".
void showErrorReport(const QString& text);

// One procedure's error handler. A procedure marks the step it has reached with line(n);
// run() executes the body and, when it throws, reports the failure naming that step and
// returns false, so the caller goes on as if the procedure had ended.
class Procedure {
public:
    // Every procedure of Daywise reports as a Sub; a Function would name its kind.
    Procedure(QString unit, QString name, QString kind = QStringLiteral("Sub"))
        : unit_(std::move(unit))
        , kind_(std::move(kind))
        , name_(std::move(name)) {}

    void line(int n) { line_ = n; }
    int currentLine() const { return line_; }
    void setFooter(const QString& footer) { footer_ = footer; }
    void setExtra(const QString& extra) { extra_ = extra; }

    template <typename Body> bool run(Body&& body) {
        try {
            std::forward<Body>(body)();
            return true;
        } catch (const RuntimeError& e) {
            report(e.number(), e.description());
        } catch (const std::exception& e) {
            report(51, QString::fromUtf8(e.what()));
        }
        return false;
    }

    void report(int number, const QString& description) const;

private:
    QString unit_;
    QString kind_;
    QString name_;
    QString footer_;
    QString extra_;
    int line_ = 0;
};
