#include "ActHome.h"

#include "DatabaseFile.h"
#include "act/LinkFolder.h"
#include "shell/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace act::standin {

ActHome::ActHome()
    : ActHome(defaultPath()) {}

ActHome::ActHome(const QString& path)
    : path_(QDir::cleanPath(QDir(path).absolutePath())) {}

QString ActHome::defaultPath() {
    const QString chosen = qEnvironmentVariable("DAYWISE_ACT_HOME");
    if (!chosen.isEmpty())
        return chosen;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Daywise/act");
}

QString ActHome::netLinksPath() const {
    return path_ + QLatin1Char('/') + integration::LinkFolderName;
}
QString ActHome::sessionFilePath() const {
    return path_ + QStringLiteral("/session");
}
QString ActHome::refreshLogPath() const {
    return path_ + QStringLiteral("/refresh.log");
}
QString ActHome::auxCommandsPath() const {
    return path_ + QStringLiteral("/auxcommands.json");
}
QString ActHome::auxFailurePath() const {
    return path_ + QStringLiteral("/fail-aux-commands");
}

void ActHome::open(const QString& dbPath) const {
    const QString absolute = QFileInfo(dbPath).absoluteFilePath();
    checkStandinDatabase(absolute);
    if (!QDir().mkpath(path_))
        throw RuntimeError::fileAccess(path_);
    QSaveFile session(sessionFilePath());
    if (!session.open(QIODevice::WriteOnly) || session.write(absolute.toUtf8()) < 0 ||
        !session.commit())
        throw RuntimeError::fileAccess(sessionFilePath());
}

void ActHome::close() const {
    QFile session(sessionFilePath());
    if (session.exists() && !session.remove())
        throw RuntimeError::fileAccess(
            QStringLiteral("%1: %2").arg(sessionFilePath(), session.errorString()));
}

bool ActHome::isRunning() const {
    return QFileInfo::exists(sessionFilePath());
}

QString ActHome::openDatabasePath() const {
    QFile session(sessionFilePath());
    if (!session.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(session.readAll()).trimmed();
}

int ActHome::refreshCount() const {
    QFile log(refreshLogPath());
    if (!log.open(QIODevice::ReadOnly))
        return 0;
    return int(log.readAll().count('\n'));
}

bool isDatabaseFile(const QString& path) {
    static constexpr char Header[] = "SQLite format 3"; // with its final NUL, 16 bytes
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) &&
           file.read(sizeof Header) == QByteArray(Header, sizeof Header);
}

bool openDatabaseInActHome(const QString& dbPath, QString* error) {
    try {
        ActHome().open(dbPath);
        return true;
    } catch (const RuntimeError& e) {
        if (error)
            *error = e.description();
        return false;
    }
}

} // namespace act::standin
