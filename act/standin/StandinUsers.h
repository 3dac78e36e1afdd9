#pragma once

#include "act/ActObjects.h"

namespace act::standin {

class SqlConnection;

class StandinUsers : public Users {
public:
    StandinUsers(const SqlConnection& connection, QString currentUserId);

    int Count() const override;
    int Access(int i) const override;
    int Security(int i) const override;
    QString UniqueId(int i) const override;
    QString Name(int i) const override;
    QString CurrentUserID() const override { return currentUserId_; }

    // The display name of the user with that id; empty when there is none.
    QString nameOf(const QString& id) const;

private:
    struct User {
        QString id;
        QString name;
        int access = 0;
        int security = 0;
    };
    const User& at(int i) const;

    QList<User> users_;
    QString currentUserId_;
};

} // namespace act::standin
