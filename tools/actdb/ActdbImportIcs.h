#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QStringList>
#include <QTextStream>

// The options of `daywise-actdb import-ics`.
QList<QCommandLineOption> importIcsOptions();

// import-ics DB FILE.ics [FILE.ics ...]: `values` hold the database, then the files.
// Throws ActdbUsageError for a wrong option value, IcsError, FixtureError or RuntimeError
// when nothing was imported.
void runImportIcs(const QStringList& values, const QCommandLineParser& parser, QTextStream& out);
