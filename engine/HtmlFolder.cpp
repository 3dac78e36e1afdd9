#include "HtmlFolder.h"

#include "shell/RuntimeError.h"
#include "shell/WholeFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

// Remembers, per page file, the hash of the copy Daywise made, to tell it from the user's.
const QString CopiesFileName = QStringLiteral(".daywise-page-copies.json");

bool writable(const QString& folder) {
    QTemporaryFile probe(folder + QLatin1String("/.daywise-XXXXXX"));
    return probe.open();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw RuntimeError::fileAccess(QStringLiteral("%1: %2").arg(path, file.errorString()));
}

QString hashOf(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QJsonObject readCopies(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

} // namespace

QString htmlFolder() {
    const QString beside = QCoreApplication::applicationDirPath() + QLatin1String("/html");
    if (holdsShippedPage(QCoreApplication::applicationDirPath()) && writable(beside))
        return beside;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1String("/Daywise/html");
}

void copyPageFiles(const QString& source, const QString& target) {
    const QStringList generated = {QStringLiteral("data.js"), QStringLiteral("script.js")};
    const QString copiesPath = target + QLatin1Char('/') + CopiesFileName;
    const QJsonObject before = readCopies(copiesPath);
    QJsonObject copies = before;
    const QDir from(source);
    for (const QString& name : from.entryList(QDir::Files)) {
        if (generated.contains(name))
            continue;
        const QByteArray shipped = readWholeFile(from.filePath(name));
        const QString shippedHash = hashOf(shipped);
        const QString copy = target + QLatin1Char('/') + name;
        const QString present = QFileInfo::exists(copy) ? hashOf(readWholeFile(copy)) : QString();
        // A file that is not the copy made before was changed by the user, or was made
        // before copies were remembered: either way it is theirs.
        if (present != shippedHash && !present.isEmpty() &&
            present != before.value(name).toString())
            continue;
        if (present != shippedHash)
            writeAll(copy, shipped);
        copies.insert(name, shippedHash);
    }
    if (copies != before)
        writeAll(copiesPath, QJsonDocument(copies).toJson());
}

QString preparePageFolder(const QString& folder) {
    if (!QDir().mkpath(folder))
        throw RuntimeError::fileAccess(
            QStringLiteral("%1: the folder cannot be made").arg(QDir::toNativeSeparators(folder)));
    const QString shipped = shippedFolder();
    if (shipped.isEmpty())
        throw RuntimeError(53, QStringLiteral("File not found: %1 shipped with Daywise, looked for "
                                              "beside the program and in share/daywise")
                                   .arg(PageFileName));
    const QString source = shipped + QLatin1String("/html");
    if (QDir(source) != QDir(folder))
        copyPageFiles(source, folder);
    return folder;
}
