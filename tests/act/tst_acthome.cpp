#include "shell/RuntimeError.h"
#include "support/StandinFixture.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

const QByteArray OneUser = R"({"current_user": "USR000000001",
    "users": [{"id": "USR000000001", "name": "Alice Martin"}]})";

} // namespace

// What the stand-in keeps in its ACT! home: the session, aux commands, events.
class ActHomeTest : public QObject {
    Q_OBJECT

private slots:
    // ACT! closed by Daywise's restart command raises the close event once, and the
    // desktop's open starts it again on the same database.
    void closingActRaisesTheCloseEventOnceAndOpeningRestartsIt() {
        StandinFixture fixture(OneUser);
        act::ActSession& session = fixture.session();
        act::EventControl& events = *session.events;
        QSignalSpy closing(&events, &act::EventControl::OnActUserWantsToClose);
        QVERIFY(events.dispatchIsRunning());
        QVERIFY(events.dispatchRegister(0) >= 1);
        const QString path = session.database->GetDatabasePath();
        session.application->Command(150);
        QTRY_COMPARE(closing.count(), 1);
        QVERIFY(!session.application->IsDBOpen());
        QVERIFY(!events.dispatchIsRunning());
        act::standin::StandinFactory factory(fixture.home());
        QCOMPARE(factory.createEventControl()->dispatchRegister(0), 0);
        events.dispatchAcknowledgeClose();
        QTest::qWait(700);
        QCOMPARE(closing.count(), 1);

        QVERIFY(act::standin::openDatabaseInActHome(path));
        QVERIFY(session.application->IsDBOpen());
        QCOMPARE(fixture.home().openDatabasePath(), path);
        QVERIFY(fixture.openSession().isOpen());
    }

    void withoutAStandinDatabaseNothingOpens() {
        StandinFixture fixture(OneUser);
        fixture.home().close();
        const QString missing = QDir(fixture.homePath()).filePath("missing.actdb");
        QString error;
        QVERIFY(!act::standin::openDatabaseInActHome(missing, &error));
        QVERIFY2(error.contains(missing), qPrintable(error));
        QVERIFY(!QFile::exists(missing));

        const QString text = QDir(fixture.homePath()).filePath("notes.actdb");
        QFile notes(text);
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("just some notes\n");
        notes.close();
        QVERIFY(!act::standin::openDatabaseInActHome(text, &error));
        QVERIFY2(error.contains(QStringLiteral("not a stand-in")), qPrintable(error));
        QVERIFY(!fixture.home().isRunning());
        QCOMPARE(QFileInfo(text).size(), qint64(16));
    }

    void damagedAuxCommandFileIsReportedNotIgnored() {
        StandinFixture fixture(OneUser);
        QFile file(fixture.home().auxCommandsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{ not json");
        file.close();
        auto aux = fixture.session().application->auxCommands();
        QVERIFY_THROWS_EXCEPTION(RuntimeError, aux->AuxCommandExists(QStringLiteral("Daywise")));
    }
};

QTEST_GUILESS_MAIN(ActHomeTest)
#include "tst_acthome.moc"
