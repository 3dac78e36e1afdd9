#include "StandinUsers.h"

#include "SqlConnection.h"
#include "shell/RuntimeError.h"

namespace act::standin {

StandinUsers::StandinUsers(const SqlConnection& connection, QString currentUserId)
    : currentUserId_(std::move(currentUserId)) {
    auto query = connection.prepare(
        QStringLiteral("SELECT id, name, access, security FROM users ORDER BY pos"));
    connection.exec(query);
    while (connection.next(query))
        users_.append({query.value(0).toString(), query.value(1).toString(), query.value(2).toInt(),
                       query.value(3).toInt()});
}

const StandinUsers::User& StandinUsers::at(int i) const {
    if (i < 1 || i > users_.size())
        throw RuntimeError(9, QStringLiteral("Subscript out of range"));
    return users_.at(i - 1);
}

int StandinUsers::Count() const {
    return int(users_.size());
}
int StandinUsers::Access(int i) const {
    return at(i).access;
}
int StandinUsers::Security(int i) const {
    return at(i).security;
}
QString StandinUsers::UniqueId(int i) const {
    return at(i).id;
}
QString StandinUsers::Name(int i) const {
    return at(i).name;
}

QString StandinUsers::nameOf(const QString& id) const {
    for (const User& user : users_)
        if (user.id == id)
            return user.name;
    return {};
}

} // namespace act::standin
