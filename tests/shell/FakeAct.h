#pragma once

#include "act/ActSession.h"
#include "support/StandinFixture.h"

#include <QStringList>

// A scripted ACT! for window tests: what it answers is set by the test, what Daywise asked
// of it is recorded in `log`. Its activities, contacts and users are those of a stand-in
// database with one user, and its folder is the stand-in's home.
namespace fake {

struct Script {
    StandinFixture act{R"({"current_user": "USR000000001",
        "users": [{"id": "USR000000001", "name": "Chris Me"}]})"};
    bool databaseOpen = true;
    qint32 registration = 1;
    bool running = true;
    QStringList log;
};

template <typename Interface> struct Scripted : Interface {
    explicit Scripted(Script& script)
        : script_(script) {}
    Script& script_;
};

struct Database : Scripted<act::Database> {
    using Scripted::Scripted;
    void OpenEx(const QString&) override { script_.log << QStringLiteral("OpenEx"); }
    void PhoneFormatting(int mode) override {
        script_.log << QStringLiteral("PhoneFormatting %1").arg(mode);
    }
    void Close() override { script_.log << QStringLiteral("Close"); }
    QString GetDatabasePath() const override { return QStringLiteral("/data/demo.actdb"); }
    QString CurrentUser() const override { return QStringLiteral("Chris Me"); }
    act::Activity& activity() override { return script_.act.session().activity(); }
    act::Contact& contact() override { return script_.act.session().contact(); }
    act::Users& users() override { return script_.act.session().users(); }
};

struct Application : Scripted<act::Application> {
    using Scripted::Scripted;
    void OpenFile(const QString&) override { script_.log << QStringLiteral("OpenFile"); }
    bool IsDBOpen() const override { return script_.databaseOpen; }
    QString GetAppPath() const override { return script_.act.homePath(); }
    void Command(int number) override { script_.log << QStringLiteral("Command %1").arg(number); }
    std::unique_ptr<act::Database> database() override {
        return std::make_unique<Database>(script_);
    }
    act::Views& views() override { return script_.act.session().views(); }
    std::unique_ptr<act::AuxCommands> auxCommands() override {
        return script_.act.session().application->auxCommands();
    }
};

struct Events : Scripted<act::EventControl> {
    using Scripted::Scripted;
    qint32 dispatchRegister(qint32) override { return script_.registration; }
    void dispatchAcknowledgeClose() override { script_.log << QStringLiteral("Acknowledge"); }
    bool dispatchIsRunning() const override { return script_.running; }
};

struct Factory : Scripted<act::ActFactory> {
    using Scripted::Scripted;
    std::unique_ptr<act::Application> createApplication() override {
        return std::make_unique<Application>(script_);
    }
    std::unique_ptr<act::EventControl> createEventControl() override {
        return std::make_unique<Events>(script_);
    }
};

inline act::ActSession session(Script& script) {
    act::ActSession s;
    s.application = std::make_unique<Application>(script);
    s.database = s.application->database();
    s.events = std::make_unique<Events>(script);
    return s;
}

} // namespace fake
