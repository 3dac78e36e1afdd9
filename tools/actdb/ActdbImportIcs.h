#pragma once

#include <QStringList>
#include <QTextStream>

// daywise-actdb import-ics DB FILE.ics [FILE.ics ...] [--zone ZONE] [--user NAME]
// [--from YYYY-MM-DD] [--to YYYY-MM-DD]: `arguments` start with the command's name.
// Returns the exit status: 0 done, 1 failed (nothing written), 2 usage error.
int runImportIcs(const QStringList& arguments, QTextStream& out, QTextStream& err);
