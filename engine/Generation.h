#pragma once

#include "ActivityRow.h"

#include <QDate>
#include <QList>
#include <QString>

namespace act {
struct ActSession;
}

// How one press of Create ended.
struct GenerationOutcome {
    enum class Result {
        EndBeforeStart, // reported; nothing written
        RangeTooLong,   // reported; correctedEnd is the end date the range should take
        Failed,         // an error was reported; the window stays open for another try
        Written,        // the calendar is written (and opened when asked)
    };
    Result result = Result::Failed;
    QDate correctedEnd;
    QString pagePath;        // the page showing the calendar, once its files are written
    QList<ActivityRow> rows; // the calendar's rows, once its files are written
};

// The generation behind the Create button and the headless --create: checks the range,
// reads the settings and the range's activities, stores, sorts and writes data.js and
// script.js, refreshes ACT!'s views and opens the page. Every problem is reported through
// the program's messages; nothing is shown directly. Needs MyRecordId and CurrentUserName
// (getUserID) to be set first.
class Generation {
public:
    enum class PageOpening { AsSettingSays, Always, Never };

    explicit Generation(act::ActSession& session);

    // The folder to write to, with the shipped page put there: the one the start-up decided
    // (htmlFolder()) or the one the command line names. Must be set before run().
    void setHtmlFolder(const QString& folder) { folder_ = folder; }
    void setPageOpening(PageOpening opening) { opening_ = opening; }

    GenerationOutcome run(const QDate& start, const QDate& end);

private:
    bool writeFiles(struct GenerationState& state, const QString& folder);
    void openPage(const QString& pagePath, const QString& openInBrowser);

    act::ActSession& session_;
    QString folder_;
    PageOpening opening_ = PageOpening::AsSettingSays;
};

// The range checks of Create: an end before the start, or a range longer than a month.
// Shows the message and returns false; a too-long range also gets *correctedEnd.
bool checkRange(const QDate& start, const QDate& end, QDate* correctedEnd);
