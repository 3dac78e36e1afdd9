#pragma once

#include "shell/ShellOpener.h"

#include <QList>
#include <QUrl>

// Records what the code under test asked the shell to open, opening nothing.
class RecordingOpener : public ShellOpener {
public:
    RecordingOpener() { setShellOpener(this); }
    ~RecordingOpener() override { setShellOpener(nullptr); }
    bool open(const QUrl& url) override {
        opened << url;
        return true;
    }
    QList<QUrl> opened;
};
