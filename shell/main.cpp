#include "HeadlessCreate.h"
#include "Module1.h"

// With arguments Daywise runs headless (--create, --help, --version); without, it is the
// desktop program with its main window.
int main(int argc, char** argv) {
    if (argc > 1)
        return runHeadless(argc, argv);
    return runDesktop(argc, argv);
}
