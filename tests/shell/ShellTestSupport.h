#pragma once

#include "RecordingMessages.h"
#include "RecordingOpener.h"
#include "shell/Clock.h"
#include "shell/MemorySettingsStore.h"
#include "shell/ProgramState.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

// A fresh settings store, message recorder and link opener for one window test, in English
// and, when `now` is given, on a fixed day.
struct ShellTestEnvironment {
    explicit ShellTestEnvironment(const QDateTime& now = {}) {
        setSettings(&store);
        LanguageBase = 200;
        RestartRequested = false;
        setFixedNow(now);
    }
    ~ShellTestEnvironment() { setSettings(nullptr); }
    MemorySettingsStore store;
    RecordingMessages messages;
    RecordingOpener opener;
};

// Acts on the first visible dialog of type Dialog while the code under test is inside its
// modal loop. The watch ends when the returned object goes.
template <typename Dialog> std::unique_ptr<QTimer> whenShown(std::function<void(Dialog*)> action) {
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, [raw = timer.get(), action] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible()) {
                raw->stop();
                return action(dialog);
            }
        }
    });
    timer->start(5);
    return timer;
}

// Writes a file whole, making its folder first; a file where a folder should be is how the
// tests make a folder that can be neither used nor made, even for root.
inline void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
