#include "CommandLine.h"
#include "HeadlessCreate.h"
#include "Module1.h"

// Qt's own options (-platform, -style ...) start the desktop program with its main window, as
// no argument does; anything else is for the headless run, which names any mistake.
int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (asksForHeadlessRun(arguments))
        return runHeadless(argc, argv);
    return runDesktop(argc, argv);
}
