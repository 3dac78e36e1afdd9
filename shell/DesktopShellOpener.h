#pragma once

#include "ShellOpener.h"

// The desktop's "open": the default browser for addresses and pages; a stand-in ACT!
// database file starts the stand-in ACT! on it, as opening a database file starts ACT!.
class DesktopShellOpener : public ShellOpener {
public:
    bool open(const QUrl& url) override;
};
