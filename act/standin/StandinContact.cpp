#include "StandinContact.h"

#include "SqlConnection.h"
#include "SqliteRows.h"
#include "StandardFields.h"
#include "shell/RuntimeError.h"

#include <algorithm>

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

void StandinContact::loadAll() {
    QHash<QString, Record> contacts;
    SqliteRows ids(*connection_, QStringLiteral("SELECT id FROM contacts"));
    while (ids.next())
        contacts.insert(ids.text(0), Record());
    // In key order, so each contact's values come together and sorted by field.
    SqliteRows values(*connection_, QStringLiteral("SELECT contact_id, field, value FROM "
                                                   "contact_data ORDER BY contact_id, field"));
    QString id;
    Record* record = nullptr;
    while (values.next()) {
        const QString valueId = values.text(0);
        if (!record || valueId != id) {
            id = valueId;
            const auto found = contacts.find(id);
            record = found == contacts.end() ? nullptr : &*found;
            if (!record)
                continue;
        }
        record->append({int(values.integer(1)), values.text(2)});
    }
    contacts_ = std::move(contacts);
}

bool StandinContact::GoTo(const QString& id) {
    if (!contacts_)
        loadAll();
    const auto found = contacts_->constFind(id);
    current_ = found == contacts_->cend() ? nullptr : &*found;
    currentId_ = current_ ? id : QString();
    return current_ != nullptr;
}

QString StandinContact::Data(int field) const {
    if (!current_)
        return {};
    if (field == ContactIdField)
        return currentId_;
    const auto found =
        std::lower_bound(current_->cbegin(), current_->cend(), field,
                         [](const std::pair<int, QString>& entry, int f) { return entry.first < f; });
    return found != current_->cend() && found->first == field ? found->second : QString();
}

} // namespace act::standin
