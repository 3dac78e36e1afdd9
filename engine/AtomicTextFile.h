#pragma once

#include <QSaveFile>
#include <QString>
#include <QStringList>

class StagedFiles;

// A generated text file: UTF-8, every line ended by CR LF, written whole to a temporary
// file that replaces the old one only on commit(), so a failure leaves the last good file.
// Every failure throws RuntimeError naming the file and saying what went wrong.
class AtomicTextFile {
public:
    // When `together` is given, the file replaces the old one only when `together` commits,
    // with the others staged there.
    explicit AtomicTextFile(const QString& path, StagedFiles* together = nullptr);

    void writeLine(const QString& line);
    void writeLines(const QByteArray& lines); // in UTF-8, each ended by CR LF already
    void commit();

private:
    void write(const QByteArray& bytes);
    [[noreturn]] void fail();

    QString path_;
    QSaveFile file_;
    QByteArray buffer_;
};

// Writes the lines as one whole file; when `together` is given, it replaces the old one
// only when `together` commits.
void writeTextFile(const QString& path, const QStringList& lines, StagedFiles* together = nullptr);
