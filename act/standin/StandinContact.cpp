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
    if (connection.next(given) && given.value(0).toString() == QLatin1String("1")) {
        auto query =
            connection.prepare(QStringLiteral("SELECT id, label FROM contact_fields ORDER BY pos"));
        connection.exec(query);
        while (connection.next(query))
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

namespace {

// Reads the contacts the two queries give: the identifiers, then their values in key order,
// so that each contact's come together and sorted by field.
ContactSnapshot readContacts(SqliteRows& ids, SqliteRows& rows) {
    ContactSnapshot snapshot;
    while (ids.next())
        snapshot.ranges.insert(ids.text(0), {0, 0});
    std::optional<QByteArray> id;
    std::pair<qsizetype, qsizetype>* range = nullptr;
    while (rows.next()) {
        const QByteArrayView rowId = rows.utf8(0);
        if (!id || rowId != *id) {
            id = rowId.toByteArray();
            const auto found = snapshot.ranges.find(QString::fromUtf8(rowId));
            range = found == snapshot.ranges.end() ? nullptr : &*found;
            if (range)
                *range = {snapshot.values.size(), snapshot.values.size()};
        }
        if (!range)
            continue;
        const QByteArrayView text = rows.utf8(2);
        snapshot.values.append({int(rows.integer(1)), int(text.size()), snapshot.texts.size()});
        snapshot.texts += text;
        range->second = snapshot.values.size();
    }
    return snapshot;
}

ContactSnapshot readEveryone(const QString& path) {
    const SqliteFile file(path);
    SqliteRows ids(file, QStringLiteral("SELECT id FROM contacts"));
    SqliteRows rows(file, QStringLiteral("SELECT contact_id, field, value FROM contact_data "
                                         "ORDER BY contact_id, field"));
    return readContacts(ids, rows);
}

ContactSnapshot readOne(const SqlConnection& connection, const QString& id) {
    SqliteRows ids(connection, QStringLiteral("SELECT id FROM contacts WHERE id = ?"), {id});
    SqliteRows rows(connection,
                    QStringLiteral("SELECT contact_id, field, value FROM contact_data "
                                   "WHERE contact_id = ? ORDER BY field"),
                    {id});
    return readContacts(ids, rows);
}

} // namespace

StandinContact::StandinContact(std::shared_ptr<const SqlConnection> connection,
                               QString currentUserId)
    : connection_(std::move(connection))
    , currentUserId_(std::move(currentUserId))
    , fields_(*connection_) {
    startReading();
}

StandinContact::~StandinContact() = default;

void StandinContact::LookupMyRecord() {
    me_ = readOne(*connection_, currentUserId_);
    if (!position(me_, currentUserId_))
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

void StandinContact::startReading() {
    readVersion_ = dataVersion();
    failure_ = nullptr;
    reading_ = std::async(std::launch::async, readEveryone, connection_->path());
}

// A reading that failed fails every GoTo until the database changes: read again for each
// contact, a damaged table would cost a whole pass per row.
const ContactSnapshot& StandinContact::everyone() {
    if (stale_ && dataVersion() != readVersion_)
        startReading();
    stale_ = false;
    if (failure_)
        std::rethrow_exception(failure_);
    if (reading_.valid()) {
        current_ = {};
        currentTexts_ = nullptr;
        try {
            everyone_ = reading_.get();
        } catch (...) {
            failure_ = std::current_exception();
            throw;
        }
    }
    return everyone_;
}

bool StandinContact::position(const ContactSnapshot& snapshot, const QString& id) {
    const auto found = snapshot.ranges.constFind(id);
    if (found == snapshot.ranges.cend()) {
        currentId_.clear();
        current_ = {};
        currentTexts_ = nullptr;
        return false;
    }
    currentId_ = id;
    current_ = std::span<const ContactValue>(snapshot.values.constData() + found->first,
                                             std::size_t(found->second - found->first));
    currentTexts_ = &snapshot.texts;
    return true;
}

bool StandinContact::GoTo(const QString& id) {
    return position(everyone(), id);
}

QString StandinContact::Data(int field) const {
    if (!currentTexts_)
        return {};
    if (field == ContactField::Id)
        return currentId_;
    const auto found =
        std::lower_bound(current_.begin(), current_.end(), field,
                         [](const ContactValue& value, int f) { return value.field < f; });
    if (found == current_.end() || found->field != field)
        return {};
    return QString::fromUtf8(currentTexts_->constData() + found->at, found->size);
}

} // namespace act::standin
