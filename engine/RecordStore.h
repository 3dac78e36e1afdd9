#pragma once

#include "GenerationState.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>

namespace act {
class Activity;
class Contact;
} // namespace act

// The row texts that come from the contact alone: made once for each contact and shared by
// all its rows.
struct ContactTexts {
    QString Contact, Title, Company, Address, City, Phone, Email, EmailAddress, Assistant, Fax,
        Cellular, Pager, Custom;

    void applyTo(ActivityRow& row) const;
};

// Turns the current activity record into one formatted ActivityRow per user it belongs to
// (state.OccurrenceUsers, found by CountUserGood).
class RecordStore {
public:
    RecordStore(GenerationState& state, act::Activity& activity, act::Contact& contact);

    // Stores the occurrence that starts `offset` days (or minutes, with minuteOffset) after
    // the activity's own start and lasts endMinutes, or the activity's duration when 0.
    // The identifier is not read: the current record is stored. A field that cannot be read
    // stays as built so far; the row is stored all the same. Throws act::DatabaseError when
    // the database cannot be read.
    void Store_Record(const QString& id, qint64 offset, qint64 endMinutes, bool minuteOffset);

private:
    void storeActivityFields(ActivityRow& row, qsizetype user, qint64 offset, qint64 endMinutes,
                             bool minuteOffset);
    void storeColor(ActivityRow& row, qsizetype user);
    QString othersScheduledWith(const QString& me);
    QString contactIdFor(const QString& me) const;
    void storeContact(ActivityRow& row, const QString& me, const QString& contactId);
    void storeContactFields(ActivityRow& row, const QString& contactId);
    void readContactTexts(ContactTexts& texts) const;

    QString label(int k) const;
    QString value(int k, const QString& raw) const;
    QString text(int field) const;
    QString nameOf(const QString& contactId);

    GenerationState& state_;
    act::Activity& activity_;
    act::Contact& contact_;
    std::array<QString, 15> labels_;            // as label() gives them, made once for every row
    std::array<QString, 3> priorityColors_;     // colorText of each priority colour
    QStringList scheduledFor_;                  // the scheduled-for entry of each selected user
    QHash<QString, ContactTexts> contactTexts_; // by contact id
};
