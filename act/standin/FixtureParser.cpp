#include "Fixture.h"
#include "FixtureModel.h"
#include "JsonFields.h"
#include "StandardFields.h"

#include <QJsonDocument>
#include <QSet>

namespace act::standin {

namespace {

constexpr int UserIdLength = 12;

QString quoted(const QString& id) {
    return QStringLiteral("\"%1\"").arg(id);
}

// Identifiers end up in list columns and in messages: no empty ones, no control characters.
QString identifier(const JsonFields& fields, const QString& key) {
    const QString id = fields.text(key);
    if (id.isEmpty())
        fields.fail(key, QStringLiteral("an identifier must not be empty"));
    for (QChar c : id)
        if (c.category() == QChar::Other_Control)
            fields.fail(key, QStringLiteral("an identifier must not hold control characters"));
    return id;
}

quint32 bitSet(const JsonFields& fields, const QString& key, int highest) {
    if (!fields.has(key))
        return 0;
    quint32 bits = 0;
    for (const QJsonValue& item : fields.array(key)) {
        const int n = fields.integerAt(key, item);
        if (n < 1 || n > highest)
            fields.fail(key, QStringLiteral("%1 is not between 1 and %2").arg(n).arg(highest));
        bits |= 1u << (n - 1);
    }
    return bits;
}

FixtureUser parseUser(const QJsonValue& value, int index) {
    JsonFields fields(value, QStringLiteral("user #%1").arg(index + 1));
    FixtureUser user;
    user.id = identifier(fields, QStringLiteral("id"));
    fields.setName(QStringLiteral("user %1").arg(quoted(user.id)));
    static const QStringList keys{"id", "name", "access", "security"};
    fields.rejectUnknownKeys(keys);
    if (user.id.size() != UserIdLength)
        fields.fail(QStringLiteral("id"), QStringLiteral("a user id has exactly 12 characters"));
    user.name = fields.text(QStringLiteral("name"));
    user.access = fields.integer(QStringLiteral("access"), 0);
    user.security = fields.integer(QStringLiteral("security"), 0);
    return user;
}

FixtureContact parseContact(const QJsonValue& value, int index) {
    JsonFields fields(value, QStringLiteral("contact #%1").arg(index + 1));
    FixtureContact contact;
    contact.id = identifier(fields, QStringLiteral("id"));
    fields.setName(QStringLiteral("contact %1").arg(quoted(contact.id)));
    static const QStringList keys = [] {
        QStringList allowed{"id", "fields"};
        for (const StandardField& field : StandardContactFields)
            allowed << QLatin1String(field.key);
        return allowed;
    }();
    fields.rejectUnknownKeys(keys);
    for (const StandardField& field : StandardContactFields) {
        const QString key = QLatin1String(field.key);
        if (fields.has(key))
            contact.fields.insert(field.number, fields.text(key));
    }
    if (!fields.has(QStringLiteral("fields")))
        return contact;
    const QJsonObject others = fields.object(QStringLiteral("fields"));
    for (auto it = others.begin(); it != others.end(); ++it) {
        const QString key = QStringLiteral("fields.") + it.key();
        bool ok = false;
        const int number = it.key().toInt(&ok);
        if (!ok || number < 2 || QString::number(number) != it.key())
            fields.fail(key, QStringLiteral("a field number from 2 up is expected"));
        if (contact.fields.contains(number))
            fields.fail(key, QStringLiteral("field %1 is given twice").arg(number));
        contact.fields.insert(number, fields.textAt(key, it.value()));
    }
    return contact;
}

FixtureField parseContactField(const QJsonValue& value, int index) {
    JsonFields fields(value, QStringLiteral("contact field #%1").arg(index + 1));
    static const QStringList keys{"id", "label"};
    fields.rejectUnknownKeys(keys);
    return {fields.integer(QStringLiteral("id")), fields.text(QStringLiteral("label"))};
}

FixtureRecurrence parseRecurrence(const JsonFields& activity) {
    JsonFields fields(activity.object(QStringLiteral("recurrence")), QString());
    fields.setName(QStringLiteral("%1, recurrence").arg(activity.name()));
    static const QStringList keys{"kind",  "every",    "until",     "days_of_month",
                                  "weeks", "weekdays", "exceptions"};
    fields.rejectUnknownKeys(keys);
    FixtureRecurrence recurrence;
    recurrence.kind = fields.integer(QStringLiteral("kind"));
    recurrence.every = fields.integer(QStringLiteral("every"), 1);
    if (recurrence.every < 1)
        fields.fail(QStringLiteral("every"), QStringLiteral("the interval is at least 1"));
    if (fields.has(QStringLiteral("until")))
        recurrence.until = fields.date(QStringLiteral("until"));
    recurrence.daysOfMonth = bitSet(fields, QStringLiteral("days_of_month"), 31);
    recurrence.weeks = bitSet(fields, QStringLiteral("weeks"), 5);
    recurrence.weekdays = bitSet(fields, QStringLiteral("weekdays"), 7);
    if (fields.has(QStringLiteral("exceptions")))
        for (const QJsonValue& item : fields.array(QStringLiteral("exceptions")))
            recurrence.exceptions << fields.dateAt(QStringLiteral("exceptions"), item);
    return recurrence;
}

FixtureActivity parseActivity(const QJsonValue& value, int index) {
    JsonFields fields(value, QStringLiteral("activity #%1").arg(index + 1));
    FixtureActivity activity;
    activity.id = identifier(fields, QStringLiteral("id"));
    fields.setName(QStringLiteral("activity %1").arg(quoted(activity.id)));
    static const QStringList keys{
        "id",       "type",     "priority",  "regarding",  "details", "start",         "end",
        "duration", "timeless", "alarm",     "alarm_lead", "color",   "scheduled_for", "contact",
        "with",     "cleared",  "recurrence"};
    fields.rejectUnknownKeys(keys);
    activity.type = fields.integer(QStringLiteral("type"));
    activity.priority = fields.integer(QStringLiteral("priority"), 1);
    activity.regarding = fields.text(QStringLiteral("regarding"), QString());
    activity.details = fields.text(QStringLiteral("details"), QString());
    activity.start = fields.dateTime(QStringLiteral("start"));
    // Either of end and duration follows from the other; given both, both stay as given.
    const bool hasDuration = fields.has(QStringLiteral("duration"));
    const bool hasEnd = fields.has(QStringLiteral("end"));
    activity.duration = fields.integer(QStringLiteral("duration"), 60);
    if (activity.duration < 0)
        fields.fail(QStringLiteral("duration"), QStringLiteral("a duration is not negative"));
    activity.end = hasEnd ? fields.dateTime(QStringLiteral("end"))
                          : activity.start.addSecs(activity.duration * 60);
    if (activity.end < activity.start)
        fields.fail(QStringLiteral("end"), QStringLiteral("the end is before the start"));
    if (hasEnd && !hasDuration)
        activity.duration = activity.start.secsTo(activity.end) / 60;
    if (fields.has(QStringLiteral("timeless")))
        activity.timeless = fields.flag(QStringLiteral("timeless"), false);
    activity.alarm = fields.flag(QStringLiteral("alarm"), false);
    activity.alarmLead = fields.integer(QStringLiteral("alarm_lead"), 0);
    activity.color = fields.integer(QStringLiteral("color"), 0);
    if (activity.color < 0 || activity.color > 0xFFFFFF)
        fields.fail(QStringLiteral("color"), QStringLiteral("a colour is from 0 to 16777215"));
    activity.scheduledFor = fields.text(QStringLiteral("scheduled_for"));
    activity.contact = fields.text(QStringLiteral("contact"));
    activity.cleared = fields.flag(QStringLiteral("cleared"), false);
    if (fields.has(QStringLiteral("with"))) {
        for (const QJsonValue& item : fields.array(QStringLiteral("with")))
            activity.with << fields.textAt(QStringLiteral("with"), item);
    } else {
        activity.with << activity.contact;
    }
    if (fields.has(QStringLiteral("recurrence"))) {
        activity.recurrence = parseRecurrence(fields);
        if (!activity.recurrence->until.isValid())
            activity.recurrence->until = activity.start.date().addYears(10);
    }
    return activity;
}

template <typename T, typename Parse>
QList<T> parseList(const JsonFields& top, const QString& key, Parse parse) {
    QList<T> items;
    if (!top.has(key))
        return items;
    const QJsonArray array = top.array(key);
    items.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i)
        items << parse(array.at(i), int(i));
    return items;
}

// Every user has a contact record of its own; a fixture may leave it out.
void addUsersOwnContacts(Fixture& fixture, QSet<QString>& contactIds) {
    for (const FixtureUser& user : fixture.users) {
        if (contactIds.contains(user.id))
            continue;
        FixtureContact own{user.id, {{ContactField::Name, user.name}}};
        fixture.contacts << own;
        contactIds.insert(user.id);
    }
}

template <typename T> QSet<QString> uniqueIds(const QList<T>& items, const QString& kind) {
    QSet<QString> ids;
    for (const T& item : items) {
        if (ids.contains(item.id))
            throw FixtureError(QStringLiteral("%1 %2, key \"id\": the identifier is used twice")
                                   .arg(kind, quoted(item.id))
                                   .toStdString());
        ids.insert(item.id);
    }
    return ids;
}

void checkReferences(const Fixture& fixture, const QSet<QString>& userIds,
                     const QSet<QString>& contactIds) {
    const auto fail = [](const FixtureActivity& a, const char* key, const QString& problem) {
        throw FixtureError(QStringLiteral("activity %1, key \"%2\": %3")
                               .arg(quoted(a.id), QLatin1String(key), problem)
                               .toStdString());
    };
    for (const FixtureActivity& a : fixture.activities) {
        if (!userIds.contains(a.scheduledFor))
            fail(a, "scheduled_for", QStringLiteral("no user %1").arg(quoted(a.scheduledFor)));
        if (!contactIds.contains(a.contact))
            fail(a, "contact", QStringLiteral("no contact %1").arg(quoted(a.contact)));
        for (const QString& person : a.with)
            if (!contactIds.contains(person))
                fail(a, "with", QStringLiteral("no contact %1").arg(quoted(person)));
    }
}

} // namespace

Fixture parseFixture(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull())
        throw FixtureError(QStringLiteral("fixture: not valid JSON (%1 at offset %2)")
                               .arg(error.errorString())
                               .arg(error.offset)
                               .toStdString());
    JsonFields top(document.object(), QStringLiteral("fixture"));
    if (!document.isObject())
        top.fail(QString(), QStringLiteral("not a JSON object"));
    top.rejectUnknownKeys({"current_user", "users", "contacts", "contact_fields", "activities"});

    Fixture fixture;
    fixture.currentUser = top.text(QStringLiteral("current_user"));
    fixture.users = parseList<FixtureUser>(top, QStringLiteral("users"), parseUser);
    fixture.contacts = parseList<FixtureContact>(top, QStringLiteral("contacts"), parseContact);
    if (top.has(QStringLiteral("contact_fields")))
        fixture.contactFields =
            parseList<FixtureField>(top, QStringLiteral("contact_fields"), parseContactField);
    fixture.activities =
        parseList<FixtureActivity>(top, QStringLiteral("activities"), parseActivity);

    const QSet<QString> userIds = uniqueIds(fixture.users, QStringLiteral("user"));
    QSet<QString> contactIds = uniqueIds(fixture.contacts, QStringLiteral("contact"));
    uniqueIds(fixture.activities, QStringLiteral("activity"));
    if (!userIds.contains(fixture.currentUser))
        top.fail(QStringLiteral("current_user"),
                 QStringLiteral("no user %1").arg(quoted(fixture.currentUser)));
    addUsersOwnContacts(fixture, contactIds);
    checkReferences(fixture, userIds, contactIds);
    return fixture;
}

} // namespace act::standin
