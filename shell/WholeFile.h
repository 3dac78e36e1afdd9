#pragma once

#include "RuntimeError.h"

#include <QByteArray>
#include <QFile>

// The whole file at `path`; a file that cannot be opened is a file-access error naming it and
// the reason.
inline QByteArray readWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError::fileAccess(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return file.readAll();
}
