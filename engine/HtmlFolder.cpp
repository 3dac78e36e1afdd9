#include "HtmlFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

bool writable(const QString& folder) {
    if (!QDir().mkpath(folder))
        return false;
    QTemporaryFile probe(folder + QLatin1String("/.daywise-XXXXXX"));
    return probe.open();
}

// Brings the per-user folder up to date with the page files shipped beside the program.
void copyShippedPage(const QString& shipped, const QString& target) {
    const QStringList generated = {QStringLiteral("data.js"), QStringLiteral("script.js")};
    const QDir source(shipped);
    for (const QString& name : source.entryList(QDir::Files)) {
        if (generated.contains(name))
            continue;
        const QString copy = target + QLatin1Char('/') + name;
        QFile::remove(copy);
        QFile::copy(source.filePath(name), copy);
    }
}

} // namespace

QString htmlFolder() {
    const QString beside = QCoreApplication::applicationDirPath() + QLatin1String("/html");
    if (writable(beside))
        return beside;
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                            QLatin1String("/Daywise/html");
    QDir().mkpath(perUser);
    copyShippedPage(beside, perUser);
    return perUser;
}
