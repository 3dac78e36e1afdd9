#pragma once

#include "act/standin/ActHome.h"
#include "act/standin/Fixture.h"
#include "act/standin/StandinFactory.h"

#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

// For tests: a temporary ACT! home whose ACT! runs on a database made from fixture JSON
// text. While the object lives, $DAYWISE_ACT_HOME names that home, so code that makes its
// own StandinFactory finds it too.
class StandinFixture {
public:
    explicit StandinFixture(const QByteArray& fixtureJson)
        : previousHome_(qgetenv("DAYWISE_ACT_HOME"))
        , hadHome_(qEnvironmentVariableIsSet("DAYWISE_ACT_HOME")) {
        if (!dir_.isValid())
            throw std::runtime_error("cannot make a temporary folder");
        act::standin::importFixture(databasePath(), fixtureJson);
        home().open(databasePath());
        qputenv("DAYWISE_ACT_HOME", homePath().toUtf8());
        session_ = openSession();
    }

    ~StandinFixture() {
        session_ = {};
        if (hadHome_)
            qputenv("DAYWISE_ACT_HOME", previousHome_);
        else
            qunsetenv("DAYWISE_ACT_HOME");
    }

    // The text of a file of tests/fixtures/.
    static QByteArray fixtureFile(const QString& name) {
        QFile file(qEnvironmentVariable("DAYWISE_FIXTURES") + QLatin1Char('/') + name);
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error("missing fixture " + name.toStdString());
        return file.readAll();
    }

    QString homePath() const { return dir_.filePath(QStringLiteral("act")); }
    QString databasePath() const { return dir_.filePath(QStringLiteral("fixture.actdb")); }
    act::standin::ActHome home() const { return act::standin::ActHome(homePath()); }

    act::ActSession& session() { return session_; }

    // A new session, opened the way the program's start-up opens one.
    act::ActSession openSession() const {
        act::standin::StandinFactory factory(home());
        act::ActSession session;
        session.application = factory.createApplication();
        session.application->OpenFile(QString());
        if (!session.application->IsDBOpen())
            throw std::runtime_error("the stand-in ACT! has no database open");
        session.database = session.application->database();
        session.database->OpenEx(QString());
        session.database->PhoneFormatting(2);
        session.events = factory.createEventControl();
        return session;
    }

private:
    QTemporaryDir dir_;
    QByteArray previousHome_;
    bool hadHome_;
    act::ActSession session_;
};
