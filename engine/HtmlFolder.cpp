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

QString shippedFolder() {
    return QCoreApplication::applicationDirPath() + QLatin1String("/html");
}

} // namespace

void copyShippedPage(const QString& target) {
    const QStringList generated = {QStringLiteral("data.js"), QStringLiteral("script.js")};
    const QDir source(shippedFolder());
    if (source == QDir(target))
        return;
    for (const QString& name : source.entryList(QDir::Files)) {
        if (generated.contains(name))
            continue;
        const QString copy = target + QLatin1Char('/') + name;
        QFile::remove(copy);
        QFile::copy(source.filePath(name), copy);
    }
}

QString htmlFolder() {
    const QString beside = shippedFolder();
    if (writable(beside))
        return beside;
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                            QLatin1String("/Daywise/html");
    QDir().mkpath(perUser);
    copyShippedPage(perUser);
    return perUser;
}
