#pragma once

#include <QHash>
#include <QJsonArray>
#include <QString>
#include <QStringList>
#include <libical/ical.h>

namespace act::standin {

// The people that imported calendar items name, each made a contact once (by e-mail
// address, else by name); the importing user keeps the own record.
class IcsPeople {
public:
    static inline const QString UserId = QStringLiteral("USR000000001");

    explicit IcsPeople(QString userName)
        : userName_(std::move(userName)) {}

    struct Scheduled {
        QString contact; // the main contact
        QStringList with;
    };

    // The item's organizer and attendees as the stand-in schedules them: the first that is
    // not the user is the main contact, else the user's own record.
    Scheduled scheduledWith(icalcomponent* item);

    // Everyone met so far, in fixture form.
    QJsonArray contacts() const { return contacts_; }

private:
    QString idOf(icalproperty* person);

    QString userName_;
    QHash<QString, QString> ids_; // by lower-case address or name
    QJsonArray contacts_;
};

} // namespace act::standin
