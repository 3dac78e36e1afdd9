#include "SqlConnection.h"

#include "act/ActObjects.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>

namespace act::standin {

namespace {

QString uniqueConnectionName() {
    static QAtomicInt counter;
    return QStringLiteral("daywise-standin-%1").arg(counter.fetchAndAddRelaxed(1));
}

DatabaseError databaseError(const QString& path, const QString& what) {
    return DatabaseError(QStringLiteral("%1: %2").arg(path, what));
}

} // namespace

SqlConnection::SqlConnection(const QString& path, Mode mode)
    : path_(path)
    , name_(uniqueConnectionName()) {
    const QFileInfo info(path);
    if (mode != Mode::Create && !info.isFile())
        throw databaseError(path, QStringLiteral("no such database file"));
    if (mode == Mode::Create && info.exists())
        throw databaseError(path, QStringLiteral("the file exists already"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(path);
    if (mode == Mode::ReadOnly)
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open()) {
        const QString message = db.lastError().text();
        db = {};
        QSqlDatabase::removeDatabase(name_);
        throw databaseError(path, message);
    }
    if (mode == Mode::Create)
        return;
    try {
        checkFormat();
    } catch (...) {
        db.close();
        db = {};
        QSqlDatabase::removeDatabase(name_);
        throw;
    }
}

SqlConnection::~SqlConnection() {
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name_);
}

QSqlDatabase SqlConnection::database() const {
    return QSqlDatabase::database(name_, false);
}

QSqlQuery SqlConnection::prepare(const QString& sql) const {
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw databaseError(path_, query.lastError().text());
    return query;
}

void SqlConnection::exec(const QString& sql) const {
    QSqlQuery query(database());
    if (!query.exec(sql))
        throw databaseError(path_, query.lastError().text());
}

void SqlConnection::exec(QSqlQuery& query) const {
    if (!query.exec())
        throw databaseError(path_, query.lastError().text());
}

bool SqlConnection::next(QSqlQuery& query) const {
    if (query.next())
        return true;
    if (query.lastError().isValid())
        throw databaseError(path_, query.lastError().text());
    return false;
}

void SqlConnection::checkFormat() const {
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'format'")) ||
        !query.next() || query.value(0).toString() != QLatin1String(FormatMark))
        throw databaseError(path_, QStringLiteral("not a stand-in ACT! database"));
}

} // namespace act::standin
