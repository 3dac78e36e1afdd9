#pragma once

#include "act/ActSession.h"
#include "shell/RuntimeError.h"

#include <QStringList>

// A scripted ACT! for window tests: an empty database whose only user is "me". What it
// answers is set by the test; what Daywise asked of it is recorded in `log`.
namespace fake {

struct Script {
    QString appPath;
    bool databaseOpen = true;
    qint32 registration = 1;
    bool running = true;
    QStringList log;
};

class NoActivity : public act::Activity {
public:
    void SetDateScope(const QDate&, const QDate&) override {}
    void MoveFirst() override {}
    void MoveNext() override {}
    bool IsEOF() const override { return true; }
    QVariant Data(int) const override { return {}; }
    bool IsRecurring() const override { return false; }
    int recurringType() const override { return 0; }
    int GetRecurringFrequency() const override { return 0; }
    QDate GetRecurringUntilDate() const override { return {}; }
    quint32 GetDaysOfMonthBits() const override { return 0; }
    quint32 GetWeeksOfMonthBits() const override { return 0; }
    quint32 GetDaysofWeekBits() const override { return 0; }
    QList<QDate> ExceptionInfo() const override { return {}; }
    QString FirstScheduledWith() override { return {}; }
    QString NextScheduledWith() override { return {}; }
};

class MyRecord : public act::Contact, public act::ContactFields {
public:
    void LookupMyRecord() override {}
    void SetQuery(const QString&) override {}
    void Execute() override {}
    bool GoTo(const QString&) override { return false; }
    QString Data(int field) const override { return field == 1 ? MeId : QString(); }
    const act::ContactFields& fields() const override { return *this; }
    int Count() const override { return 0; }
    int Id(int) const override { return -1; }
    QString Label(int) const override { return {}; }
    int FieldID(const QString&) const override { return -1; }
    static inline const QString MeId = QStringLiteral("me-id");
};

class OneUser : public act::Users {
public:
    int Count() const override { return 1; }
    int Access(int) const override { return 0; }
    int Security(int) const override { return 0; }
    QString UniqueId(int) const override { return MyRecord::MeId; }
    QString Name(int) const override { return QStringLiteral("Chris Me"); }
    QString CurrentUserID() const override { return MyRecord::MeId; }
};

class Database : public act::Database {
public:
    explicit Database(Script& script)
        : script_(script) {}
    void OpenEx(const QString&) override { script_.log << QStringLiteral("OpenEx"); }
    void PhoneFormatting(int mode) override {
        script_.log << QStringLiteral("PhoneFormatting %1").arg(mode);
    }
    void Close() override { script_.log << QStringLiteral("Close"); }
    QString GetDatabasePath() const override { return QStringLiteral("/data/demo.actdb"); }
    QString CurrentUser() const override { return QStringLiteral("Chris Me"); }
    act::Activity& activity() override { return activity_; }
    act::Contact& contact() override { return me_; }
    act::Users& users() override { return users_; }

private:
    Script& script_;
    NoActivity activity_;
    MyRecord me_;
    OneUser users_;
};

// No tab and no view are ever installed.
class NoViews : public act::Views {
public:
    std::unique_ptr<act::View> FindExplorerView(const QString&, int) override { return nullptr; }
    int GetLastError() const override { return 1; }
};

class Application : public act::Application {
public:
    explicit Application(Script& script)
        : script_(script) {}
    void OpenFile(const QString&) override { script_.log << QStringLiteral("OpenFile"); }
    bool IsDBOpen() const override { return script_.databaseOpen; }
    QString GetAppPath() const override { return script_.appPath; }
    void Command(int number) override { script_.log << QStringLiteral("Command %1").arg(number); }
    std::unique_ptr<act::Database> database() override {
        return std::make_unique<Database>(script_);
    }
    act::Views& views() override { return views_; }
    std::unique_ptr<act::AuxCommands> auxCommands() override {
        throw RuntimeError(429, QStringLiteral("ActiveX component can't create object"));
    }

private:
    Script& script_;
    NoViews views_;
};

class Events : public act::EventControl {
public:
    explicit Events(Script& script)
        : script_(script) {}
    qint32 dispatchRegister(qint32) override { return script_.registration; }
    void dispatchAcknowledgeClose() override { script_.log << QStringLiteral("Acknowledge"); }
    bool dispatchIsRunning() const override { return script_.running; }

    void userClosesAct() { emit OnActUserWantsToClose(); }

private:
    Script& script_;
};

class Factory : public act::ActFactory {
public:
    explicit Factory(Script& script)
        : script_(script) {}
    std::unique_ptr<act::Application> createApplication() override {
        return std::make_unique<Application>(script_);
    }
    std::unique_ptr<act::EventControl> createEventControl() override {
        return std::make_unique<Events>(script_);
    }

private:
    Script& script_;
};

inline act::ActSession session(Script& script) {
    act::ActSession s;
    s.application = std::make_unique<Application>(script);
    s.database = s.application->database();
    s.events = std::make_unique<Events>(script);
    return s;
}

} // namespace fake
