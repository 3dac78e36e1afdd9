#include "StandinContact.h"

#include "SqlConnection.h"
#include "StandardFields.h"
#include "shell/RuntimeError.h"

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
    , lookup_(connection_->prepare(
          QStringLiteral("SELECT d.field, d.value FROM contacts c LEFT JOIN contact_data d "
                         "ON d.contact_id = c.id WHERE c.id = ?")))
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

const StandinContact::Record* StandinContact::find(const QString& id) {
    auto known = known_.find(id);
    if (known == known_.end()) {
        lookup_.addBindValue(id);
        connection_->exec(lookup_);
        std::optional<Record> record;
        while (lookup_.next()) {
            if (!record)
                record.emplace();
            if (!lookup_.value(0).isNull())
                record->insert(lookup_.value(0).toInt(), lookup_.value(1).toString());
        }
        lookup_.finish();
        known = known_.insert(id, record);
    }
    return known->has_value() ? &**known : nullptr;
}

bool StandinContact::GoTo(const QString& id) {
    current_ = find(id);
    currentId_ = current_ ? id : QString();
    return current_ != nullptr;
}

QString StandinContact::Data(int field) const {
    if (!current_)
        return {};
    return field == ContactIdField ? currentId_ : current_->value(field);
}

} // namespace act::standin
