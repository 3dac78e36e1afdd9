#include "StandinContact.h"

#include "SqlConnection.h"
#include "SqliteRows.h"
#include "StandardFields.h"
#include "shell/RuntimeError.h"

#include <algorithm>
#include <optional>

namespace act::standin {

StandinContactFields::StandinContactFields(const SqlConnection& connection) {
    auto given = connection.prepare(
        QStringLiteral("SELECT value FROM meta WHERE key = 'contact_fields_given'"));
    connection.exec(given);
    if (given.next() && given.value(0).toString() == QLatin1String("1")) {
        auto query =
            connection.prepare(QStringLiteral("SELECT id, label FROM contact_fields ORDER BY pos"));
        connection.exec(query);
        while (query.next())
            fields_.append({query.value(0).toInt(), query.value(1).toString()});
        return;
    }
    for (const StandardField& field : StandardContactFields)
        fields_.append({field.number, QString::fromLatin1(field.label)});
}

int StandinContactFields::Count() const {
    return int(fields_.size());
}

int StandinContactFields::Id(int position) const {
    return position >= 0 && position < fields_.size() ? fields_.at(position).first : -1;
}

QString StandinContactFields::Label(int id) const {
    for (const auto& [fieldId, label] : fields_)
        if (fieldId == id)
            return label;
    return {};
}

int StandinContactFields::FieldID(const QString& label) const {
    for (const auto& [fieldId, fieldLabel] : fields_)
        if (fieldLabel == label)
            return fieldId;
    return -1;
}

StandinContact::StandinContact(std::shared_ptr<const SqlConnection> connection,
                               QString currentUserId)
    : connection_(std::move(connection))
    , currentUserId_(std::move(currentUserId))
    , fields_(*connection_) {}

void StandinContact::LookupMyRecord() {
    if (!GoTo(currentUserId_))
        throw RuntimeError(440, QStringLiteral("The current user has no contact record"));
}

void StandinContact::SetQuery(const QString& query) {
    query_ = query;
}

// Daywise only ever resets the lookup to all contacts; the stand-in knows no query language.
void StandinContact::Execute() {
    if (!query_.isEmpty())
        throw RuntimeError(5, QStringLiteral("Invalid procedure call or argument"));
}

qint64 StandinContact::dataVersion() const {
    SqliteRows version(*connection_, QStringLiteral("PRAGMA data_version"));
    return version.next() ? version.integer(0) : -1;
}

void StandinContact::loadAll() {
    const qint64 version = dataVersion();
    QHash<QString, std::pair<qsizetype, qsizetype>> contacts;
    Values values;
    SqliteRows ids(*connection_, QStringLiteral("SELECT id FROM contacts"));
    while (ids.next())
        contacts.insert(ids.text(0), {0, 0});
    // In key order, so each contact's values come together and sorted by field.
    SqliteRows rows(*connection_, QStringLiteral("SELECT contact_id, field, value FROM "
                                                 "contact_data ORDER BY contact_id, field"));
    std::optional<QByteArray> id;
    std::pair<qsizetype, qsizetype>* range = nullptr;
    while (rows.next()) {
        const QByteArrayView rowId = rows.utf8(0);
        if (!id || rowId != *id) {
            id = rowId.toByteArray();
            const auto found = contacts.find(QString::fromUtf8(rowId));
            range = found == contacts.end() ? nullptr : &*found;
            if (range)
                *range = {values.size(), values.size()};
        }
        if (!range)
            continue;
        values.append({int(rows.integer(1)), rows.text(2)});
        range->second = values.size();
    }
    values_ = std::move(values);
    contacts_ = std::move(contacts);
    loadedVersion_ = version;
}

bool StandinContact::GoTo(const QString& id) {
    if (stale_) {
        if (dataVersion() != loadedVersion_)
            loadAll();
        stale_ = false;
    }
    const auto found = contacts_.constFind(id);
    positioned_ = found != contacts_.cend();
    current_ = positioned_ ? std::span<const Value>(values_.constData() + found->first,
                                                    std::size_t(found->second - found->first))
                           : std::span<const Value>();
    currentId_ = positioned_ ? id : QString();
    return positioned_;
}

QString StandinContact::Data(int field) const {
    if (!positioned_)
        return {};
    if (field == ContactIdField)
        return currentId_;
    const auto found = std::lower_bound(current_.begin(), current_.end(), field,
                                        [](const Value& value, int f) { return value.field < f; });
    return found != current_.end() && found->field == field ? found->text : QString();
}

} // namespace act::standin
