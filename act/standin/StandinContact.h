#pragma once

#include "act/ActObjects.h"

#include <QHash>
#include <QMap>
#include <QSqlQuery>
#include <memory>
#include <optional>

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

// The contact object. Contacts once looked up are kept, since a calendar goes to the same
// few contacts again and again.
class StandinContact : public Contact {
public:
    StandinContact(std::shared_ptr<const SqlConnection> connection, QString currentUserId);

    void LookupMyRecord() override;
    void SetQuery(const QString& query) override;
    void Execute() override;
    bool GoTo(const QString& id) override;
    QString Data(int field) const override;
    const ContactFields& fields() const override { return fields_; }

private:
    using Record = QMap<int, QString>;
    const Record* find(const QString& id);

    std::shared_ptr<const SqlConnection> connection_;
    QSqlQuery lookup_;
    QString currentUserId_;
    StandinContactFields fields_;
    QHash<QString, std::optional<Record>> known_;
    QString currentId_;
    const Record* current_ = nullptr;
    QString query_;
};

} // namespace act::standin
