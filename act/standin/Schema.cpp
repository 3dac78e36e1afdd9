#include "Schema.h"

#include "SqlConnection.h"

#include <QStringList>

namespace act::standin {

void createSchema(const SqlConnection& connection) {
    const QStringList statements{
        QStringLiteral("CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE users(pos INTEGER PRIMARY KEY, id TEXT NOT NULL UNIQUE, "
                       "name TEXT, access INTEGER NOT NULL, security INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE contacts(pos INTEGER PRIMARY KEY, id TEXT NOT NULL UNIQUE)"),
        QStringLiteral("CREATE TABLE contact_data(contact_id TEXT NOT NULL, field INTEGER NOT "
                       "NULL, value TEXT, PRIMARY KEY(contact_id, field)) WITHOUT ROWID"),
        QStringLiteral("CREATE TABLE contact_fields(pos INTEGER PRIMARY KEY, id INTEGER NOT NULL, "
                       "label TEXT)"),
        // Texts may be NULL where the fixture gave none; they read as empty text.
        // Activities lie in visiting order (row) and are found through (recurring, start):
        // a month of a large database reads neighbouring rows, never the whole table.
        QStringLiteral(
            "CREATE TABLE activities(row INTEGER PRIMARY KEY, pos INTEGER NOT NULL, "
            "id TEXT NOT NULL UNIQUE, "
            "type INTEGER NOT NULL, priority INTEGER NOT NULL, regarding TEXT, "
            "details TEXT, start TEXT NOT NULL, end_at TEXT NOT NULL, "
            "duration INTEGER NOT NULL, timeless INTEGER, alarm INTEGER NOT NULL, "
            "alarm_lead INTEGER NOT NULL, color INTEGER NOT NULL, scheduled_for TEXT NOT NULL, "
            "contact TEXT NOT NULL, cleared INTEGER NOT NULL, with_list TEXT NOT NULL, "
            "recurring INTEGER NOT NULL, rec_kind INTEGER, rec_every INTEGER, rec_until TEXT, "
            "dom_bits INTEGER, week_bits INTEGER, weekday_bits INTEGER, exceptions TEXT)"),
        QStringLiteral("CREATE INDEX activities_by_start ON activities(recurring, start)"),
    };
    for (const QString& sql : statements)
        connection.exec(sql);
    auto mark = connection.prepare(QStringLiteral("INSERT INTO meta VALUES('format', ?)"));
    mark.addBindValue(QString::fromLatin1(FormatMark));
    connection.exec(mark);
}

} // namespace act::standin
