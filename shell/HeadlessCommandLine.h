#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// What a headless `daywise` command line asks for.
struct HeadlessRequest {
    enum class Action { Create, Help, HelpAll, Version };
    enum class Length { AsStored, Week, Month };

    Action action = Action::Create;
    QDate start;                      // invalid: as the main window would restore it
    QDate end;                        // invalid: from the length
    Length length = Length::AsStored; // used when no end is given
    QString htmlDir;                  // empty: the usual folder
    bool open = false;
    QString icsFile; // empty: no iCalendar file
};

// A mistake on the command line, named in one line.
struct UsageError {
    QString message;
};

// Reads a command line (program name first, without Qt's window options); days count from
// `today`. Throws UsageError.
HeadlessRequest parseHeadlessCommandLine(const QStringList& arguments, const QDate& today);

// The text of --help; --help-all adds Qt's window options.
QString headlessHelpText(bool withQtOptions);

// The complaint about a range given on the command line that Create would refuse: ending
// before it starts, or longer than a month (naming the last end allowed). Empty when fine.
QString rangeMistake(const QDate& start, const QDate& end);
