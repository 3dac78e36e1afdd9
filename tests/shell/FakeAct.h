#pragma once

#include "act/ActSession.h"
#include "shell/RuntimeError.h"

#include <QStringList>

// A scripted ACT! for window tests: what it answers is set by the test, what Daywise asked
// of it is recorded in `log`.
namespace fake {

struct Script {
    QString appPath;
    QString databasePath = QStringLiteral("/data/demo.actdb");
    bool databaseOpen = true;
    qint32 registration = 1;
    bool running = true;
    bool tabThere = true;
    bool viewThere = true;
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

class NoFields : public act::ContactFields {
public:
    int Count() const override { return 0; }
    int Id(int) const override { return -1; }
    QString Label(int) const override { return {}; }
    int FieldID(const QString&) const override { return -1; }
};

class MyContact : public act::Contact {
public:
    void LookupMyRecord() override {}
    void SetQuery(const QString&) override {}
    void Execute() override {}
    bool GoTo(const QString&) override { return false; }
    QString Data(int field) const override {
        return field == 1 ? QStringLiteral("me-id") : QString();
    }
    const act::ContactFields& fields() const override { return fields_; }

private:
    NoFields fields_;
};

class OneUser : public act::Users {
public:
    int Count() const override { return 1; }
    int Access(int) const override { return 0; }
    int Security(int) const override { return 0; }
    QString UniqueId(int) const override { return QStringLiteral("me-id"); }
    QString Name(int) const override { return QStringLiteral("Chris Me"); }
    QString CurrentUserID() const override { return QStringLiteral("me-id"); }
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
    QString GetDatabasePath() const override { return script_.databasePath; }
    QString CurrentUser() const override { return QStringLiteral("Chris Me"); }
    act::Activity& activity() override { return activity_; }
    act::Contact& contact() override { return contact_; }
    act::Users& users() override { return users_; }

private:
    Script& script_;
    NoActivity activity_;
    MyContact contact_;
    OneUser users_;
};

class View : public act::View {
public:
    View(Script& script, int kind)
        : script_(script)
        , kind_(kind) {}
    void Refresh() override { script_.log << QStringLiteral("Refresh %1").arg(kind_); }

private:
    Script& script_;
    int kind_;
};

class Views : public act::Views {
public:
    explicit Views(Script& script)
        : script_(script) {}
    std::unique_ptr<act::View> FindExplorerView(const QString& name, int kind) override {
        const bool there = name == QLatin1String("Daywise") &&
                           (kind == 100 ? script_.tabThere : kind == 7 && script_.viewThere);
        lastError_ = there ? 0 : 1;
        return there ? std::make_unique<View>(script_, kind) : nullptr;
    }
    int GetLastError() const override { return lastError_; }

private:
    Script& script_;
    int lastError_ = 0;
};

class Application : public act::Application {
public:
    explicit Application(Script& script)
        : script_(script)
        , views_(script) {}
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
    Views views_;
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
    Factory factory(script);
    act::ActSession s;
    s.application = factory.createApplication();
    s.database = s.application->database();
    s.events = factory.createEventControl();
    return s;
}

} // namespace fake
