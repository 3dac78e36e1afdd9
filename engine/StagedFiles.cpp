#include "StagedFiles.h"

#include "shell/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString nameBeside(const QString& path, const char* kind) {
    QString name;
    do {
        name = QStringLiteral("%1.%2-%3")
                   .arg(path, QLatin1String(kind))
                   .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    } while (QFileInfo::exists(name));
    return name;
}

[[noreturn]] void fail(const QString& path, const std::error_code& error) {
    throw RuntimeError::fileAccess(QDir::toNativeSeparators(path) + QLatin1String(" (") +
                                   QString::fromLocal8Bit(error.message()) + QLatin1Char(')'));
}

} // namespace

StagedFiles::~StagedFiles() {
    removeLeftovers();
}

QString StagedFiles::stage(const QString& path) {
    files_.push_back({path, nameBeside(path, "new"), {}});
    return files_.back().staged;
}

void StagedFiles::commit() {
    std::size_t replaced = 0;
    try {
        for (; replaced < files_.size(); ++replaced) {
            File& file = files_[replaced];
            keepOld(file);
            std::error_code error;
            std::filesystem::rename(fsPath(file.staged), fsPath(file.path), error);
            if (error)
                fail(file.path, error);
        }
    } catch (...) {
        for (std::size_t i = 0; i < replaced; ++i)
            restore(files_[i]);
        removeLeftovers();
        throw;
    }
    removeLeftovers();
}

// A second name for the old file, so that it can come back without a moment in which the
// page finds no file at all; a copy where the file system has no links.
void StagedFiles::keepOld(File& file) {
    if (!QFileInfo::exists(file.path))
        return;
    const QString backup = nameBeside(file.path, "old");
    std::error_code error;
    std::filesystem::create_hard_link(fsPath(file.path), fsPath(backup), error);
    if (error && !QFile::copy(file.path, backup))
        fail(file.path, error);
    file.backup = backup;
}

void StagedFiles::restore(const File& file) {
    std::error_code error;
    if (file.backup.isEmpty())
        std::filesystem::remove(fsPath(file.path), error);
    else
        std::filesystem::rename(fsPath(file.backup), fsPath(file.path), error);
}

void StagedFiles::removeLeftovers() {
    for (File& file : files_) {
        std::error_code error;
        std::filesystem::remove(fsPath(file.staged), error);
        if (!file.backup.isEmpty())
            std::filesystem::remove(fsPath(file.backup), error);
        file.backup.clear();
    }
}
