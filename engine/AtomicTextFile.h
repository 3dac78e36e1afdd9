#pragma once

#include <QSaveFile>
#include <QString>
#include <QStringList>

// A generated text file: UTF-8, every line ended by CR LF, written whole to a temporary
// file that replaces the old one only on commit(), so a failure leaves the last good file.
// Every failure throws RuntimeError naming the file.
class AtomicTextFile {
public:
    explicit AtomicTextFile(const QString& path);

    void writeLine(const QString& line);
    void writeLines(const QByteArray& lines); // in UTF-8, each ended by CR LF already
    void commit();

private:
    void fail();

    QSaveFile file_;
    QByteArray buffer_;
};

// Writes the lines as one whole file.
void writeTextFile(const QString& path, const QStringList& lines);
