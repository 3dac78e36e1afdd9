#include "BrowserControlFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace integration {

namespace {

const QString Header = QStringLiteral("Act! Browser Control File Version 1.00");

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QStringList viewLines(const QString& type, const QString& page) {
    return {Header,
            QStringLiteral("[VIEW]"),
            QStringLiteral("TYPE = ") + type,
            QStringLiteral("STARTURL = ") + quoted(page),
            QStringLiteral("TITLE = ") + quoted(QStringLiteral("Daywise")),
            QStringLiteral("PRIORITY = 0")};
}

} // namespace

QStringList tabFileLines(const QString& page) {
    return viewLines(QStringLiteral("CONTACTTAB"), page);
}

QStringList viewBarFileLines(const QString& page, const QString& buttonBitmap) {
    QStringList lines = viewLines(QStringLiteral("FLOATVIEW"), page);
    lines << QStringLiteral("MENU = ") + quoted(QStringLiteral("Daywise"))
          << QStringLiteral("BUTTON = ") + quoted(QStringLiteral("Daywise")) +
                 QStringLiteral(", ") + quoted(buttonBitmap);
    return lines;
}

bool writeControlFile(const QString& path, const QStringList& lines) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return file.write(bytes) == bytes.size() && file.commit();
}

bool removeControlFile(const QString& path) {
    return !QFileInfo::exists(path) || QFile::remove(path);
}

} // namespace integration
