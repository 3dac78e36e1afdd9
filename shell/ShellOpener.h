#pragma once

#include <QUrl>

// The platform's "open this document or address" request, behind one seam so that tests
// can see what would have been opened.
class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    virtual bool open(const QUrl& url) = 0;
};

ShellOpener& shellOpener();
void setShellOpener(ShellOpener* opener);
