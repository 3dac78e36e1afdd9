#pragma once

#include <QStringList>

namespace act {
class ActFactory;
}

// `daywise --create [--start DAY] [--end DAY | --week | --month] [--html-dir DIR] [--open]`:
// the Create button's generation without windows, for scripts and schedulers. The range
// comes from the arguments, else from the stored range as the main window would restore it,
// and is not stored. Uses the installed settings, messages and shell opener; prints the
// page's path. Returns 0, 1 when anything was reported, or 2 for a mistake on the command
// line (named on standard error). Also answers --help, --help-all and --version. Needs a
// QCoreApplication.
int runHeadlessCreate(const QStringList& arguments, act::ActFactory& factory);

// The whole headless program: the platform's settings, standard error for messages, the
// stand-in ACT!, then runHeadlessCreate.
int runHeadless(int argc, char** argv);
