#pragma once

#include "ActHome.h"
#include "act/ActObjects.h"

#include <memory>

namespace act::standin {

class SqlConnection;
class StandinActivity;
class StandinContact;
class StandinUsers;

// The database object. OpenEx("") opens the database ACT! has open; the database is only
// read, never written.
class StandinDatabase : public Database {
public:
    explicit StandinDatabase(ActHome home);
    ~StandinDatabase() override;

    void OpenEx(const QString& path) override;
    void PhoneFormatting(int mode) override;
    void Close() override;
    QString GetDatabasePath() const override;
    QString CurrentUser() const override;
    Activity& activity() override;
    Contact& contact() override;
    Users& users() override;

private:
    void requireOpen() const;

    ActHome home_;
    std::shared_ptr<const SqlConnection> connection_;
    std::unique_ptr<StandinUsers> users_;
    std::unique_ptr<StandinContact> contact_;
    std::unique_ptr<StandinActivity> activity_;
};

} // namespace act::standin
