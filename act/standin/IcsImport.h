#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace act::standin {

struct IcsImportOptions {
    QString userName; // the database's user, who owns every imported item
    QString zoneName; // the wall clock times are given in; empty for the system's zone
    QDate from;       // the days over which repetitions the stand-in cannot hold
    QDate to;         // are stored one by one
};

struct IcsImportSummary {
    int activities = 0;
    int expandedItems = 0;       // repeating items stored as single activities
    int expandedOccurrences = 0; // the single activities they became
    int leftOut = 0;             // cancelled items and to-dos without a date
};

// Builds a new stand-in database at dbPath from calendar files, refusing an existing file.
// Throws IcsError (file and line at fault) for the files' faults and RuntimeError for the
// database's; nothing is left at dbPath then.
IcsImportSummary importIcs(const QString& dbPath, const QStringList& files,
                           const IcsImportOptions& options);

} // namespace act::standin
