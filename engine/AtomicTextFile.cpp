#include "AtomicTextFile.h"

#include "StagedFiles.h"
#include "shell/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>

namespace {
constexpr qsizetype FlushSize = 1 << 20;
}

AtomicTextFile::AtomicTextFile(const QString& path, StagedFiles* together)
    : path_(path)
    , file_(together ? together->stage(path) : path) {
    if (!file_.open(QIODevice::WriteOnly))
        fail();
    buffer_.reserve(FlushSize);
}

void AtomicTextFile::writeLine(const QString& line) {
    buffer_ += line.toUtf8();
    buffer_ += "\r\n";
    if (buffer_.size() < FlushSize)
        return;
    write(buffer_);
    buffer_.resize(0); // keeps the memory for the next lines
}

void AtomicTextFile::writeLines(const QByteArray& lines) {
    write(buffer_);
    write(lines);
    buffer_.resize(0);
}

void AtomicTextFile::commit() {
    write(buffer_);
    if (!file_.flush() || !file_.commit())
        fail();
    buffer_.clear();
}

// A write that stops short (a full disk) is tried again for the rest, which then fails with
// the reason; the short write itself gives none.
void AtomicTextFile::write(const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file_.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            fail();
        done += written;
    }
}

void AtomicTextFile::fail() {
    const int error = errno;
    QString reason = file_.errorString();
    // Qt keeps no reason for a flush that stopped short, nor for some failed commits.
    if (reason == QFile().errorString() && error != 0)
        reason = QString::fromLocal8Bit(std::strerror(error));
    file_.cancelWriting();
    throw RuntimeError::fileAccess(QDir::toNativeSeparators(path_) + QLatin1String(" (") + reason +
                                   QLatin1Char(')'));
}

void writeTextFile(const QString& path, const QStringList& lines, StagedFiles* together) {
    AtomicTextFile file(path, together);
    for (const QString& line : lines)
        file.writeLine(line);
    file.commit();
}
