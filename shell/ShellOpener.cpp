#include "ShellOpener.h"

namespace {

// Until the program installs the platform's opener, nothing is opened.
class NoShellOpener : public ShellOpener {
public:
    bool open(const QUrl&) override { return false; }
};

NoShellOpener fallback;
ShellOpener* current = &fallback;

} // namespace

ShellOpener& shellOpener() {
    return *current;
}

void setShellOpener(ShellOpener* opener) {
    current = opener ? opener : &fallback;
}
