#pragma once

#include <QStringList>
#include <QTextStream>

// Runs one daywise-actdb command line (without the program name); returns the exit status.
// Results go to `out`, problems to `err`.
int runActdb(const QStringList& arguments, QTextStream& out, QTextStream& err);
