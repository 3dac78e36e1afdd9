#pragma once

#include <QJsonArray>
#include <QRandomGenerator>
#include <QStringList>

namespace act::standin {

// The users and contacts of the demo database.
struct DemoPeople {
    QString currentUser;
    QJsonArray users;
    QJsonArray contacts;
    QJsonArray contactFields;
    QStringList listableUserIds; // the current user first
    QStringList clientIds;       // contacts that are not users
};

DemoPeople makeDemoPeople(QRandomGenerator& random);

} // namespace act::standin
