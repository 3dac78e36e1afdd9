#include "SqliteRows.h"

#include "SqlConnection.h"
#include "act/ActObjects.h"

#include <QSqlDriver>
#include <sqlite3.h>

namespace act::standin {

namespace {

sqlite3* handleOf(const SqlConnection& connection) {
    const QVariant handle = connection.database().driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

} // namespace

SqliteFile::SqliteFile(const QString& path)
    : path_(path) {
    const QByteArray name = path.toUtf8();
    if (sqlite3_open_v2(name.constData(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                        nullptr) == SQLITE_OK)
        return;
    const QString message = QString::fromUtf8(sqlite3_errmsg(db_));
    sqlite3_close(db_);
    throw DatabaseError(path_ + QLatin1String(": ") + message);
}

SqliteFile::~SqliteFile() {
    sqlite3_close(db_);
}

SqliteRows::SqliteRows(const SqlConnection& connection, const QString& sql,
                       const QStringList& values)
    : SqliteRows(handleOf(connection), connection.path(), sql, values) {}

SqliteRows::SqliteRows(const SqliteFile& file, const QString& sql, const QStringList& values)
    : SqliteRows(file.handle(), file.path(), sql, values) {}

SqliteRows::SqliteRows(sqlite3* db, QString path, const QString& sql, const QStringList& values)
    : path_(std::move(path))
    , db_(db) {
    if (!db_)
        throw DatabaseError(path_ + QLatin1String(": not open"));
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &statement_, nullptr) !=
        SQLITE_OK)
        fail();
    for (int i = 0; i < values.size(); ++i) {
        const QByteArray value = values.at(i).toUtf8();
        if (sqlite3_bind_text(statement_, i + 1, value.constData(), int(value.size()),
                              SQLITE_TRANSIENT) != SQLITE_OK)
            fail();
    }
}

SqliteRows::~SqliteRows() {
    sqlite3_finalize(statement_);
}

bool SqliteRows::next() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW)
        return true;
    if (result != SQLITE_DONE)
        fail();
    return false;
}

QString SqliteRows::text(int column) const {
    const QByteArrayView bytes = utf8(column);
    return bytes.isNull() ? QString() : QString::fromUtf8(bytes);
}

QByteArrayView SqliteRows::utf8(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text ? QByteArrayView(text, sqlite3_column_bytes(statement_, column)) : QByteArrayView();
}

qint64 SqliteRows::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

bool SqliteRows::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

// Also used while constructing, where no destructor follows: the statement goes here.
void SqliteRows::fail() {
    const QString message = QString::fromUtf8(sqlite3_errmsg(db_));
    sqlite3_finalize(statement_);
    statement_ = nullptr;
    throw DatabaseError(path_ + QLatin1String(": ") + message);
}

} // namespace act::standin
