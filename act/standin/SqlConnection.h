#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

namespace act::standin {

// One named SQLite connection, removed again when the object goes. Every failure throws
// RuntimeError with a message that names the file.
class SqlConnection {
public:
    enum class Mode { ReadOnly, ReadWrite, Create };

    // ReadOnly and ReadWrite refuse a file that does not exist or is not a stand-in
    // database, so opening never creates a file by accident.
    SqlConnection(const QString& path, Mode mode);
    ~SqlConnection();
    SqlConnection(const SqlConnection&) = delete;
    SqlConnection& operator=(const SqlConnection&) = delete;

    QSqlDatabase database() const;
    QString path() const { return path_; }

    QSqlQuery prepare(const QString& sql) const;
    void exec(const QString& sql) const;
    void exec(QSqlQuery& query) const;
    // The query's next row; false after the last. A row that cannot be read throws, where
    // QSqlQuery would end the rows as if there were no more.
    bool next(QSqlQuery& query) const;

private:
    void checkFormat() const;

    QString path_;
    QString name_;
};

// The text of the database's own mark; a file without it is not a stand-in database.
inline constexpr auto FormatMark = "daywise-actdb 1";

} // namespace act::standin
