#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

struct sqlite3;
struct sqlite3_stmt;

namespace act::standin {

class SqlConnection;

// A read-only SQLite connection of its own to a database file, for reading on another thread
// than the one of the program's connection. Failures throw RuntimeError naming the file.
class SqliteFile {
public:
    explicit SqliteFile(const QString& path);
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    sqlite3* handle() const { return db_; }
    QString path() const { return path_; }

private:
    QString path_;
    sqlite3* db_ = nullptr;
};

// The rows of one query, read straight from SQLite on the connection's own handle. Qt's
// driver wraps every value in a converted copy, which dominates reading the tens of
// thousands of rows a calendar needs. Failures throw RuntimeError naming the file.
class SqliteRows {
public:
    SqliteRows(const SqlConnection& connection, const QString& sql, const QStringList& values = {});
    SqliteRows(const SqliteFile& file, const QString& sql, const QStringList& values = {});
    ~SqliteRows();
    SqliteRows(const SqliteRows&) = delete;
    SqliteRows& operator=(const SqliteRows&) = delete;

    bool next();                           // steps to the next row; false after the last
    QString text(int column) const;        // null text for NULL
    QByteArrayView utf8(int column) const; // valid until the next step
    qint64 integer(int column) const;
    bool isNull(int column) const;

private:
    SqliteRows(sqlite3* db, QString path, const QString& sql, const QStringList& values);
    [[noreturn]] void fail();

    QString path_;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
};

} // namespace act::standin
