#pragma once

#include "shell/ShellOpener.h"

#include <QApplication>
#include <QList>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

// Records what the program asked the shell to open.
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

// Acts on the first visible dialog of type Dialog while the code under test is inside its
// modal loop. The watch ends when the returned object goes.
template <typename Dialog> std::unique_ptr<QTimer> whenShown(std::function<void(Dialog*)> action) {
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(5);
    QTimer* raw = timer.get();
    QObject::connect(raw, &QTimer::timeout, raw, [raw, action] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<Dialog*>(widget);
            if (dialog && dialog->isVisible()) {
                raw->stop();
                action(dialog);
                return;
            }
        }
    });
    timer->start();
    return timer;
}
