#pragma once

#include <memory>

class InstanceGuard;
class frmMain;

namespace act {
class ActFactory;
}

// The start-up up to the main window: splash, single-instance guard, the ACT! connection,
// then the main window's load. Null when the program is to end at once (another instance
// runs, ACT! has no database open, or the load stopped).
std::unique_ptr<frmMain> Main(act::ActFactory& factory, InstanceGuard& guard);

// The desktop program: installs the message boxes, the settings store and the shell
// opener, runs Main over the stand-in ACT! and then the event loop. Returns the exit status.
int runDesktop(int argc, char** argv);
