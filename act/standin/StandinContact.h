#pragma once

#include "act/ActObjects.h"

#include <QHash>
#include <QList>
#include <memory>
#include <span>

namespace act::standin {

class SqlConnection;

// The contact field list of the database: the fixture's own or the standard one.
class StandinContactFields : public ContactFields {
public:
    explicit StandinContactFields(const SqlConnection& connection);

    int Count() const override;
    int Id(int position) const override;
    QString Label(int id) const override;
    int FieldID(const QString& label) const override;

private:
    QList<std::pair<int, QString>> fields_;
};

// One stored field of a contact.
struct ContactValue {
    int field;
    QString text;
};

} // namespace act::standin

Q_DECLARE_TYPEINFO(act::standin::ContactValue, Q_RELOCATABLE_TYPE);

namespace act::standin {

// The contact object. The first GoTo reads every contact at once: a calendar visits most of
// them, and one pass over the table costs far less than a query per contact. What was read
// serves until markStale(), after which the next GoTo reads them all again if the database
// has changed since.
class StandinContact : public Contact {
public:
    StandinContact(std::shared_ptr<const SqlConnection> connection, QString currentUserId);

    void LookupMyRecord() override;
    void SetQuery(const QString& query) override;
    void Execute() override;
    bool GoTo(const QString& id) override;
    QString Data(int field) const override;
    const ContactFields& fields() const override { return fields_; }

    void markStale() { stale_ = true; }

private:
    using Value = ContactValue;
    using Values = QList<Value>;
    void loadAll();
    qint64 dataVersion() const;

    std::shared_ptr<const SqlConnection> connection_;
    QString currentUserId_;
    StandinContactFields fields_;
    // Every contact's values lie together in values_, by field number.
    Values values_;
    QHash<QString, std::pair<qsizetype, qsizetype>> contacts_; // first, end
    bool stale_ = true;
    qint64 loadedVersion_ = -1; // SQLite's data version when they were read
    QString currentId_;
    std::span<const Value> current_;
    bool positioned_ = false;
    QString query_;
};

} // namespace act::standin
