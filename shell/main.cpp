#include "HeadlessCreate.h"

#include <cstdio>

// With arguments Daywise runs headless (--create, --help, --version); without, it is the
// desktop program with its main window.
int main(int argc, char** argv) {
    if (argc > 1)
        return runHeadless(argc, argv);
    std::fputs("Daywise: the desktop program is not part of this build; use --create.\n", stderr);
    return 1;
}
