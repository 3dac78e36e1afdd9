#include "act/standin/StandinAuxCommands.h"
#include "shell/RuntimeError.h"
#include "support/StandinFixture.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

const QByteArray OneUser = R"({"current_user": "USR000000001",
    "users": [{"id": "USR000000001", "name": "Alice Martin"}]})";

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

// What the stand-in keeps in its ACT! home: the session, views, aux commands, events.
class ActHomeTest : public QObject {
    Q_OBJECT

private slots:
    void viewsExistWhenTheirControlFilesDo() {
        StandinFixture fixture(OneUser);
        act::Views& views = fixture.session().views();
        // A view not found must also say so through the last error.
        const auto missing = [&](int kind) {
            return !views.FindExplorerView(QStringLiteral("Daywise"), kind) &&
                   views.GetLastError() != 0;
        };
        QVERIFY(missing(100) && missing(7));

        touch(fixture.home().netLinksPath() + QStringLiteral("/Daywise-tab.ctl"));
        auto tab = views.FindExplorerView(QStringLiteral("Daywise"), 100);
        QVERIFY(tab);
        QCOMPARE(views.GetLastError(), 0);
        QVERIFY(missing(7));

        touch(fixture.home().netLinksPath() + QStringLiteral("/Daywise-viewbar.ctl"));
        auto view = views.FindExplorerView(QStringLiteral("Daywise"), 7);
        QVERIFY(view);
        QCOMPARE(views.GetLastError(), 0);

        tab->Refresh();
        view->Refresh();
        QCOMPARE(fixture.home().refreshCount(), 2);

        fixture.session().application->Command(150);
        QVERIFY(missing(100));
    }

    void auxCommandsAndPlacementsPersistInTheHome() {
        StandinFixture fixture(OneUser);
        const QString name = QStringLiteral("Daywise");
        {
            auto aux = fixture.session().application->auxCommands();
            QVERIFY(aux->AddAuxCommandToToolbar(1, name) != 0);
            QCOMPARE(aux->AddAuxCommand(name, "a", "b", "c", "d", "e", "f", 1), 0);
            QCOMPARE(aux->AddAuxCommandToToolbar(1, name), 0);
            QCOMPARE(aux->AddAuxCommandToToolbar(6, name), 0);
            QCOMPARE(aux->AddAuxCommandToToolsMenu(3, name), 0);
            QVERIFY(aux->AddAuxCommandToToolbar(7, name) != 0);
        }
        auto aux = fixture.openSession().application->auxCommands();
        QCOMPARE(aux->AuxCommandExistsInToolbar(6, name), 1);
        QCOMPARE(aux->AuxCommandExistsInToolsMenu(3, name), 1);
        QCOMPARE(aux->RemoveAuxCommandFromToolbar(6, name), 0);
        QCOMPARE(aux->AuxCommandExistsInToolbar(6, name), 0);
        QCOMPARE(aux->AuxCommandExistsInToolbar(1, name), 1);

        touch(fixture.home().auxFailurePath());
        QVERIFY(aux->AddAuxCommandToToolsMenu(2, name) != 0);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, aux->DeleteAuxCommand(name));
        QCOMPARE(aux->AuxCommandExists(name), 1);
        QFile::remove(fixture.home().auxFailurePath());
        aux->DeleteAuxCommand(name);
        QCOMPARE(aux->AuxCommandExistsInToolbar(1, name), 0);

        QFile file(fixture.home().auxCommandsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{ not json");
        file.close();
        QVERIFY_THROWS_EXCEPTION(RuntimeError, aux->AuxCommandExists(name));
    }

    // ACT! closed by Daywise's restart command raises the close event once, and the
    // desktop's open starts it again on the same database.
    void closingActRaisesTheCloseEventOnceAndOpeningRestartsIt() {
        StandinFixture fixture(OneUser);
        act::ActSession& session = fixture.session();
        act::EventControl& events = *session.events;
        QSignalSpy closing(&events, &act::EventControl::OnActUserWantsToClose);
        QVERIFY(events.dispatchIsRunning());
        QVERIFY(events.dispatchRegister(0) >= 1);
        QTest::qWait(100);
        QCOMPARE(closing.count(), 0);
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

        act::standin::StandinFactory factory(fixture.home());
        auto application = factory.createApplication();
        application->OpenFile(QString());
        QVERIFY(!application->IsDBOpen());
        QVERIFY_THROWS_EXCEPTION(RuntimeError, application->database()->OpenEx(QString()));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, application->database()->activity());
    }
};

QTEST_GUILESS_MAIN(ActHomeTest)
#include "tst_acthome.moc"
