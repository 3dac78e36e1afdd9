#include "Fixture.h"
#include "JsonFields.h"
#include "Schema.h"
#include "SqlConnection.h"
#include "StandardFields.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace act::standin {

namespace {

QString meta(const SqlConnection& c, const QString& key) {
    auto query = c.prepare(QStringLiteral("SELECT value FROM meta WHERE key = ?"));
    query.addBindValue(key);
    c.exec(query);
    return c.next(query) ? query.value(0).toString() : QString();
}

QJsonArray exportUsers(const SqlConnection& c) {
    auto query =
        c.prepare(QStringLiteral("SELECT id, name, access, security FROM users ORDER BY pos"));
    c.exec(query);
    QJsonArray users;
    while (c.next(query))
        users.append(QJsonObject{{"id", query.value(0).toString()},
                                 {"name", query.value(1).toString()},
                                 {"access", query.value(2).toInt()},
                                 {"security", query.value(3).toInt()}});
    return users;
}

QHash<QString, QJsonObject> contactFieldValues(const SqlConnection& c) {
    QHash<int, QString> keys;
    for (const StandardField& field : StandardContactFields)
        keys.insert(field.number, QLatin1String(field.key));
    auto query = c.prepare(QStringLiteral("SELECT contact_id, field, value FROM contact_data"));
    c.exec(query);
    QHash<QString, QJsonObject> named;
    QHash<QString, QJsonObject> others;
    while (c.next(query)) {
        const QString id = query.value(0).toString();
        const int field = query.value(1).toInt();
        const QString value = query.value(2).toString();
        if (keys.contains(field))
            named[id].insert(keys.value(field), value);
        else
            others[id].insert(QString::number(field), value);
    }
    for (auto it = others.begin(); it != others.end(); ++it)
        named[it.key()].insert(QStringLiteral("fields"), it.value());
    return named;
}

QJsonArray exportContacts(const SqlConnection& c) {
    const QHash<QString, QJsonObject> values = contactFieldValues(c);
    auto query = c.prepare(QStringLiteral("SELECT id FROM contacts ORDER BY pos"));
    c.exec(query);
    QJsonArray contacts;
    while (c.next(query)) {
        const QString id = query.value(0).toString();
        QJsonObject contact = values.value(id);
        contact.insert(QStringLiteral("id"), id);
        contacts.append(contact);
    }
    return contacts;
}

QJsonArray exportContactFields(const SqlConnection& c) {
    auto query = c.prepare(QStringLiteral("SELECT id, label FROM contact_fields ORDER BY pos"));
    c.exec(query);
    QJsonArray fields;
    while (c.next(query))
        fields.append(
            QJsonObject{{"id", query.value(0).toInt()}, {"label", query.value(1).toString()}});
    return fields;
}

QJsonArray listOf(const QString& joined) {
    return joined.isEmpty() ? QJsonArray()
                            : QJsonArray::fromStringList(joined.split(ListSeparator));
}

QJsonObject exportRecurrence(const QSqlQuery& row) {
    QJsonObject recurrence{{"kind", row.value(18).toInt()},
                           {"every", row.value(19).toInt()},
                           {"until", row.value(20).toString()}};
    const std::pair<const char*, int> bitColumns[] = {
        {"days_of_month", 21}, {"weeks", 22}, {"weekdays", 23}};
    for (const auto& [key, column] : bitColumns)
        if (const QJsonArray bits = bitList(row.value(column).toUInt()); !bits.isEmpty())
            recurrence.insert(QLatin1String(key), bits);
    if (const QJsonArray days = listOf(row.value(24).toString()); !days.isEmpty())
        recurrence.insert(QStringLiteral("exceptions"), days);
    return recurrence;
}

QJsonArray exportActivities(const SqlConnection& c) {
    auto query = c.prepare(QStringLiteral(
        "SELECT id, type, priority, regarding, details, start, end_at, duration, timeless, "
        "alarm, alarm_lead, color, scheduled_for, contact, cleared, with_list, recurring, "
        "pos, rec_kind, rec_every, rec_until, dom_bits, week_bits, weekday_bits, exceptions "
        "FROM activities ORDER BY pos"));
    c.exec(query);
    QJsonArray activities;
    while (c.next(query)) {
        QJsonObject a{{"id", query.value(0).toString()},
                      {"type", query.value(1).toInt()},
                      {"priority", query.value(2).toInt()},
                      {"regarding", query.value(3).toString()},
                      {"details", query.value(4).toString()},
                      {"start", query.value(5).toString()},
                      {"end", query.value(6).toString()},
                      {"duration", query.value(7).toLongLong()},
                      {"alarm", query.value(9).toBool()},
                      {"alarm_lead", query.value(10).toInt()},
                      {"color", query.value(11).toInt()},
                      {"scheduled_for", query.value(12).toString()},
                      {"contact", query.value(13).toString()},
                      {"cleared", query.value(14).toBool()},
                      {"with", listOf(query.value(15).toString())}};
        if (!query.value(8).isNull())
            a.insert(QStringLiteral("timeless"), query.value(8).toBool());
        if (query.value(16).toBool())
            a.insert(QStringLiteral("recurrence"), exportRecurrence(query));
        activities.append(a);
    }
    return activities;
}

} // namespace

QByteArray exportFixture(const QString& dbPath) {
    const SqlConnection c(dbPath, SqlConnection::Mode::ReadOnly);
    QJsonObject fixture{{"current_user", meta(c, QStringLiteral("current_user"))},
                        {"users", exportUsers(c)},
                        {"contacts", exportContacts(c)},
                        {"activities", exportActivities(c)}};
    if (meta(c, QStringLiteral("contact_fields_given")) == QLatin1String("1"))
        fixture.insert(QStringLiteral("contact_fields"), exportContactFields(c));
    return QJsonDocument(fixture).toJson(QJsonDocument::Indented);
}

} // namespace act::standin
