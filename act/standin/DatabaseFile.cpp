#include "DatabaseFile.h"

#include "Schema.h"
#include "SqlConnection.h"
#include "shell/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cstdio>

namespace act::standin {

namespace {

QString temporaryNameBeside(const QString& path) {
    QString name;
    do {
        name = QStringLiteral("%1.building-%2")
                   .arg(path)
                   .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    } while (QFileInfo::exists(name));
    return name;
}

void fillNewDatabase(const QString& path, const std::function<void(const SqlConnection&)>& fill) {
    SqlConnection connection(path, SqlConnection::Mode::Create);
    // The file is renamed into place only when complete, so a crash cannot leave a
    // half-written database behind under the real name: no journal is needed.
    connection.exec(QStringLiteral("PRAGMA journal_mode = OFF"));
    connection.exec(QStringLiteral("PRAGMA synchronous = OFF"));
    connection.exec(QStringLiteral("BEGIN"));
    createSchema(connection);
    fill(connection);
    connection.exec(QStringLiteral("COMMIT"));
}

} // namespace

void checkStandinDatabase(const QString& path) {
    SqlConnection connection(path, SqlConnection::Mode::ReadOnly);
}

void createEmptyDatabase(const QString& dbPath) {
    if (QFileInfo::exists(dbPath))
        throw RuntimeError::fileAccess(QStringLiteral("%1: the file exists already").arg(dbPath));
    buildDatabase(dbPath, [](const SqlConnection&) {});
}

void buildDatabase(const QString& dbPath, const std::function<void(const SqlConnection&)>& fill) {
    const QFileInfo target(dbPath);
    if (!target.absoluteDir().exists())
        throw RuntimeError::fileAccess(
            QStringLiteral("%1: the folder does not exist").arg(target.absolutePath()));
    if (target.exists())
        checkStandinDatabase(dbPath);
    const QString building = temporaryNameBeside(target.absoluteFilePath());
    try {
        try {
            fillNewDatabase(building, fill);
        } catch (const RuntimeError& e) {
            throw RuntimeError::fileAccess(QStringLiteral("%1 cannot be written (%2)")
                                               .arg(target.absoluteFilePath(), e.description()));
        }
        if (std::rename(QFile::encodeName(building).constData(),
                        QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
            throw RuntimeError::fileAccess(
                QStringLiteral("%1: cannot be replaced").arg(target.absoluteFilePath()));
    } catch (...) {
        QFile::remove(building);
        throw;
    }
}

} // namespace act::standin
