#include "DatabaseFile.h"
#include "Fixture.h"
#include "FixtureModel.h"
#include "Schema.h"
#include "SqlConnection.h"

#include <QVariant>
#include <algorithm>
#include <numeric>

namespace act::standin {

namespace {

QString dateTimeText(const QDateTime& value) {
    return value.toString(QLatin1String(DateTimeFormat));
}

QString dateText(const QDate& value) {
    return value.toString(QLatin1String(DateFormat));
}

void putMeta(const SqlConnection& c, const QString& key, const QString& value) {
    auto query = c.prepare(QStringLiteral("INSERT INTO meta VALUES(?, ?)"));
    query.addBindValue(key);
    query.addBindValue(value);
    c.exec(query);
}

void writeUsers(const SqlConnection& c, const Fixture& fixture) {
    auto query = c.prepare(QStringLiteral("INSERT INTO users VALUES(?, ?, ?, ?, ?)"));
    for (qsizetype i = 0; i < fixture.users.size(); ++i) {
        const FixtureUser& user = fixture.users.at(i);
        query.addBindValue(i + 1);
        query.addBindValue(user.id);
        query.addBindValue(user.name);
        query.addBindValue(user.access);
        query.addBindValue(user.security);
        c.exec(query);
    }
}

void writeContacts(const SqlConnection& c, const Fixture& fixture) {
    auto contact = c.prepare(QStringLiteral("INSERT INTO contacts VALUES(?, ?)"));
    auto field = c.prepare(QStringLiteral("INSERT INTO contact_data VALUES(?, ?, ?)"));
    for (qsizetype i = 0; i < fixture.contacts.size(); ++i) {
        const FixtureContact& item = fixture.contacts.at(i);
        contact.addBindValue(i + 1);
        contact.addBindValue(item.id);
        c.exec(contact);
        for (auto it = item.fields.begin(); it != item.fields.end(); ++it) {
            field.addBindValue(item.id);
            field.addBindValue(it.key());
            field.addBindValue(it.value());
            c.exec(field);
        }
    }
}

void writeContactFields(const SqlConnection& c, const Fixture& fixture) {
    putMeta(c, QStringLiteral("contact_fields_given"),
            fixture.contactFields ? QStringLiteral("1") : QStringLiteral("0"));
    if (!fixture.contactFields)
        return;
    auto query = c.prepare(QStringLiteral("INSERT INTO contact_fields VALUES(?, ?, ?)"));
    for (qsizetype i = 0; i < fixture.contactFields->size(); ++i) {
        query.addBindValue(i + 1);
        query.addBindValue(fixture.contactFields->at(i).id);
        query.addBindValue(fixture.contactFields->at(i).label);
        c.exec(query);
    }
}

void bindRecurrence(QSqlQuery& query, const std::optional<FixtureRecurrence>& recurrence) {
    const QVariant none;
    if (!recurrence) {
        for (int i = 0; i < 7; ++i)
            query.addBindValue(none);
        return;
    }
    QStringList exceptions;
    for (const QDate& day : recurrence->exceptions)
        exceptions << dateText(day);
    query.addBindValue(recurrence->kind);
    query.addBindValue(recurrence->every);
    query.addBindValue(dateText(recurrence->until));
    query.addBindValue(recurrence->daysOfMonth);
    query.addBindValue(recurrence->weeks);
    query.addBindValue(recurrence->weekdays);
    query.addBindValue(exceptions.join(ListSeparator));
}

// Activities are stored in visiting order (start, then identifier), so that a date scope
// reads neighbouring rows instead of jumping across the file; `pos` keeps the fixture's
// order for export.
QList<qsizetype> visitingOrder(const QList<FixtureActivity>& activities) {
    QList<qsizetype> order(activities.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const FixtureActivity& x = activities.at(a);
        const FixtureActivity& y = activities.at(b);
        return x.start != y.start ? x.start < y.start : x.id < y.id;
    });
    return order;
}

// Returns the longest time any single activity spans, in minutes: the date scope looks
// back that far for activities reaching into its range.
qint64 writeActivities(const SqlConnection& c, const Fixture& fixture) {
    auto query = c.prepare(QStringLiteral("INSERT INTO activities VALUES(?, ?, ?, ?, ?, ?, ?, ?, "
                                          "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    qint64 longestSpan = 0;
    qint64 row = 0;
    for (const qsizetype i : visitingOrder(fixture.activities)) {
        const FixtureActivity& a = fixture.activities.at(i);
        if (!a.recurrence)
            longestSpan = std::max(longestSpan, a.start.secsTo(a.end) / 60);
        query.addBindValue(++row);
        query.addBindValue(i + 1);
        query.addBindValue(a.id);
        query.addBindValue(a.type);
        query.addBindValue(a.priority);
        query.addBindValue(a.regarding);
        query.addBindValue(a.details);
        query.addBindValue(dateTimeText(a.start));
        query.addBindValue(dateTimeText(a.end));
        query.addBindValue(a.duration);
        query.addBindValue(a.timeless ? QVariant(int(*a.timeless)) : QVariant());
        query.addBindValue(int(a.alarm));
        query.addBindValue(a.alarmLead);
        query.addBindValue(a.color);
        query.addBindValue(a.scheduledFor);
        query.addBindValue(a.contact);
        query.addBindValue(int(a.cleared));
        query.addBindValue(a.with.join(ListSeparator));
        query.addBindValue(int(a.recurrence.has_value()));
        bindRecurrence(query, a.recurrence);
        c.exec(query);
    }
    return longestSpan;
}

} // namespace

void importFixture(const QString& dbPath, const QByteArray& json) {
    const Fixture fixture = parseFixture(json);
    buildDatabase(dbPath, [&](const SqlConnection& c) {
        putMeta(c, QStringLiteral("current_user"), fixture.currentUser);
        writeUsers(c, fixture);
        writeContacts(c, fixture);
        writeContactFields(c, fixture);
        putMeta(c, QStringLiteral("longest_span_minutes"),
                QString::number(writeActivities(c, fixture)));
    });
}

} // namespace act::standin
