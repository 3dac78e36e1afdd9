#pragma once

#include "act/ActObjects.h"

#include <QHash>
#include <QList>
#include <exception>
#include <future>
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

// One stored field of a contact: where its UTF-8 text lies in the texts of its snapshot.
struct ContactValue {
    int field;
    int size;
    qsizetype at;
};

// Contacts as read at one moment. The texts are kept as SQLite gives them, in one block, and
// become QStrings only when asked for: far less memory than a string for each.
struct ContactSnapshot {
    QHash<QString, std::pair<qsizetype, qsizetype>> ranges; // first and end in values
    QList<ContactValue> values; // each contact's together, by field number
    QByteArray texts;
};

// The contact object. Every contact is read at once, on a thread of its own from the moment
// the database opens: a calendar visits most of them, one pass over the table costs far
// less than a query per contact, and meanwhile the program reads its activities. The
// current user's record is read alone, so looking it up does not wait for the others. What
// was read serves until markStale(), after which the next GoTo reads them all again if the
// database has changed since.
class StandinContact : public Contact {
public:
    StandinContact(std::shared_ptr<const SqlConnection> connection, QString currentUserId);
    ~StandinContact() override;

    void LookupMyRecord() override;
    void SetQuery(const QString& query) override;
    void Execute() override;
    bool GoTo(const QString& id) override;
    QString Data(int field) const override;
    const ContactFields& fields() const override { return fields_; }

    void markStale() { stale_ = true; }

private:
    void startReading();
    const ContactSnapshot& everyone();
    bool position(const ContactSnapshot& snapshot, const QString& id);
    qint64 dataVersion() const;

    std::shared_ptr<const SqlConnection> connection_;
    QString currentUserId_;
    StandinContactFields fields_;
    std::future<ContactSnapshot> reading_;
    qint64 readVersion_ = -1; // SQLite's data version when the reading began
    ContactSnapshot everyone_;
    std::exception_ptr failure_; // of the last reading of everyone
    bool stale_ = false;
    ContactSnapshot me_;
    QString currentId_;
    std::span<const ContactValue> current_;
    const QByteArray* currentTexts_ = nullptr;
    QString query_;
};

} // namespace act::standin
