#pragma once

#include <QDate>
#include <QStringList>

// The command line without Qt's own window options (-platform, -style, -session ...) and
// their values, which Qt takes for itself.
QStringList withoutQtWindowOptions(const QStringList& arguments);

// Whether `daywise` runs headless: anything beside Qt's window options is for the headless
// run, which either makes a calendar, answers --help or --version, or names the mistake.
// Program name first.
bool asksForHeadlessRun(const QStringList& arguments);

// A day as the command line accepts it: YYYY-MM-DD, "today", "tomorrow", "yesterday", or +N
// or -N days from today. Invalid when the text is none of these.
QDate dayFromText(const QString& text, const QDate& today);

// Qt's window options as --help-all lists them.
QString qtWindowOptionsHelp();
