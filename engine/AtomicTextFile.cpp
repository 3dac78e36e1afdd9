#include "AtomicTextFile.h"

#include "shell/RuntimeError.h"

#include <QDir>

namespace {
constexpr qsizetype FlushSize = 1 << 20;
}

AtomicTextFile::AtomicTextFile(const QString& path)
    : file_(path) {
    if (!file_.open(QIODevice::WriteOnly))
        fail();
    buffer_.reserve(FlushSize);
}

void AtomicTextFile::writeLine(const QString& line) {
    buffer_ += line.toUtf8();
    buffer_ += "\r\n";
    if (buffer_.size() < FlushSize)
        return;
    if (file_.write(buffer_) != buffer_.size())
        fail();
    buffer_.resize(0); // keeps the memory for the next lines
}

void AtomicTextFile::writeLines(const QByteArray& lines) {
    if (file_.write(buffer_) != buffer_.size() || file_.write(lines) != lines.size())
        fail();
    buffer_.resize(0);
}

void AtomicTextFile::commit() {
    if (file_.write(buffer_) != buffer_.size() || !file_.commit())
        fail();
    buffer_.clear();
}

void AtomicTextFile::fail() {
    const QString reason = file_.errorString();
    file_.cancelWriting();
    throw RuntimeError::fileAccess(QDir::toNativeSeparators(file_.fileName()) +
                                   QLatin1String(" (") + reason + QLatin1Char(')'));
}

void writeTextFile(const QString& path, const QStringList& lines) {
    AtomicTextFile file(path);
    for (const QString& line : lines)
        file.writeLine(line);
    file.commit();
}
