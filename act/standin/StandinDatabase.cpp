#include "StandinDatabase.h"

#include "SqlConnection.h"
#include "StandinActivity.h"
#include "StandinContact.h"
#include "StandinUsers.h"
#include "shell/RuntimeError.h"

namespace act::standin {

StandinDatabase::StandinDatabase(ActHome home)
    : home_(std::move(home)) {}

StandinDatabase::~StandinDatabase() {
    Close();
}

void StandinDatabase::OpenEx(const QString& path) {
    const QString chosen = path.isEmpty() ? home_.openDatabasePath() : path;
    if (chosen.isEmpty())
        throw RuntimeError(440, QStringLiteral("ACT! has no database open"));
    Close();
    auto connection = std::make_shared<const SqlConnection>(chosen, SqlConnection::Mode::ReadOnly);
    auto query =
        connection->prepare(QStringLiteral("SELECT value FROM meta WHERE key = 'current_user'"));
    connection->exec(query);
    const QString currentUser = connection->next(query) ? query.value(0).toString() : QString();
    users_ = std::make_unique<StandinUsers>(*connection, currentUser);
    contact_ = std::make_unique<StandinContact>(connection, currentUser);
    activity_ = std::make_unique<StandinActivity>(connection, *contact_);
    connection_ = std::move(connection);
}

// The stand-in stores phone numbers as they are to be shown.
void StandinDatabase::PhoneFormatting(int) {
    requireOpen();
}

void StandinDatabase::Close() {
    activity_.reset();
    contact_.reset();
    users_.reset();
    connection_.reset();
}

void StandinDatabase::requireOpen() const {
    if (!connection_)
        throw RuntimeError(91, QStringLiteral("Object variable or With block variable not set"));
}

QString StandinDatabase::GetDatabasePath() const {
    requireOpen();
    return connection_->path();
}

QString StandinDatabase::CurrentUser() const {
    requireOpen();
    return users_->nameOf(users_->CurrentUserID());
}

Activity& StandinDatabase::activity() {
    requireOpen();
    return *activity_;
}

Contact& StandinDatabase::contact() {
    requireOpen();
    return *contact_;
}

Users& StandinDatabase::users() {
    requireOpen();
    return *users_;
}

} // namespace act::standin
