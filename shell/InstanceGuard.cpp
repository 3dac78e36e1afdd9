#include "InstanceGuard.h"

#include "AppInfo.h"

#include <QDir>
#include <QStandardPaths>

InstanceGuard::InstanceGuard()
    : lock_(lockPath()) {
    // Only a dead holder makes the lock stale: an age limit would hand the lock of a
    // long-running first instance to a second one.
    lock_.setStaleLockTime(0);
}

bool InstanceGuard::acquire() {
    return lock_.isLocked() || lock_.tryLock(0);
}

QString InstanceGuard::lockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(app::Title + QStringLiteral(".lock"));
}
