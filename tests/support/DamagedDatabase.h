#pragma once

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <stdexcept>

// A fixture whose users, contacts and activities each fill many pages of the database, so
// that one damaged page leaves the others readable: 300 users, 300 clients (CON…, which
// sort before the users' own records) and an activity with each client in March 2024.
inline QByteArray manyPagesFixture() {
    const QString padding(40, QLatin1Char('x'));
    QJsonArray users;
    QJsonArray contacts;
    QJsonArray activities;
    for (int i = 1; i <= 300; ++i) {
        const QString user = QStringLiteral("USR%1").arg(i, 9, 10, QLatin1Char('0'));
        const QString client = QStringLiteral("CON%1").arg(i, 9, 10, QLatin1Char('0'));
        users.append(
            QJsonObject{{"id", user}, {"name", QStringLiteral("User %1 %2").arg(i).arg(padding)}});
        contacts.append(
            QJsonObject{{"id", client},
                        {"name", QStringLiteral("Client %1").arg(i)},
                        {"company", QStringLiteral("Company %1 %2").arg(i).arg(padding)},
                        {"address1", padding}});
        activities.append(
            QJsonObject{{"id", QStringLiteral("ACT%1").arg(i, 9, 10, QLatin1Char('0'))},
                        {"type", 1},
                        {"regarding", QStringLiteral("Meeting %1 %2").arg(i).arg(padding)},
                        {"start", QStringLiteral("2024-03-%1 09:00").arg(11 + i % 7)},
                        {"scheduled_for", QStringLiteral("USR000000001")},
                        {"contact", client}});
    }
    return QJsonDocument(QJsonObject{{"current_user", "USR000000001"},
                                     {"users", users},
                                     {"contacts", contacts},
                                     {"activities", activities}})
        .toJson(QJsonDocument::Compact);
}

// Overwrites one leaf page of a table (or WITHOUT ROWID table) with zeros, as a failing disk
// might leave it; SQLite calls the file malformed when a read reaches that page. `leaf`
// counts the table's leaf pages in key order, -1 being the last.
inline void damageLeafPage(const QString& dbPath, const QString& table, int leaf) {
    QList<qint64> pages;
    qint64 pageSize = 0;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("damage"));
        db.setDatabaseName(dbPath);
        if (db.open()) {
            QSqlQuery query(db);
            query.prepare(QStringLiteral("SELECT pageno FROM dbstat WHERE name = ? AND "
                                         "pagetype = 'leaf' ORDER BY path"));
            query.addBindValue(table);
            query.exec();
            while (query.next())
                pages << query.value(0).toLongLong();
            query.exec(QStringLiteral("PRAGMA page_size"));
            if (query.next())
                pageSize = query.value(0).toLongLong();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("damage"));
    if (pages.size() < 2 || pageSize <= 0)
        throw std::runtime_error("the table fills too few pages to damage one of them");
    const qint64 page = leaf < 0 ? pages.last() : pages.at(leaf);
    QFile file(dbPath);
    if (!file.open(QIODevice::ReadWrite) || !file.seek((page - 1) * pageSize) ||
        file.write(QByteArray(pageSize, '\0')) != pageSize)
        throw std::runtime_error("cannot damage the database file");
}
