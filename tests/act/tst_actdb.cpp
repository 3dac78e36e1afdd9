#include "act/standin/StandinAuxCommands.h"
#include "support/DamagedDatabase.h"
#include "support/RunProgram.h"
#include "support/StandinFixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// daywise-actdb run as a user would, in a temporary ACT! home.
class ActdbTest : public QObject {
    Q_OBJECT

    using Result = ProgramResult;

    QTemporaryDir dir_;

    QString home() const { return dir_.filePath(QStringLiteral("home")); }
    QString path(const char* name) const { return dir_.filePath(QLatin1String(name)); }

    Result actdb(const QStringList& arguments) const {
        return runProgram(QStringLiteral(DAYWISE_ACTDB), arguments,
                          {{QStringLiteral("DAYWISE_ACT_HOME"), home()}});
    }

private slots:
    void demoOpenStatusClose() {
        const QString db = path("demo.actdb");
        QCOMPARE(actdb({"demo", db, "--today", "2024-03-11"}).exitCode, 0);
        QCOMPARE(actdb({"open", db}).exitCode, 0);
        act::standin::ActHome actHome(home());
        act::standin::StandinAuxCommands aux(actHome);
        QCOMPARE(aux.AddAuxCommand("Daywise", "a", "b", "c", "d", "e", "f", 1), 0);
        QCOMPARE(aux.AddAuxCommandToToolbar(2, "Daywise"), 0);
        QCOMPARE(aux.AddAuxCommandToToolsMenu(5, "Daywise"), 0);

        const Result r = actdb({"status"});
        QCOMPARE(r.exitCode, 0);
        for (const QString& line :
             QStringList{"ACT! running: yes", "open database: " + QFileInfo(db).absoluteFilePath(),
                         "toolbar in views 2; Tools menu in views 5"})
            QVERIFY2(r.out.contains(line), qPrintable(r.out));
        QCOMPARE(actdb({"close"}).exitCode, 0);
        QVERIFY(actdb({"status"}).out.contains("ACT! running: no"));
    }

    // A bad fixture leaves the database as it was.
    void aBadFixtureLeavesTheDatabaseAsItWas() {
        const QString db = path("every.actdb");
        QCOMPARE(actdb({"import", db, qEnvironmentVariable("DAYWISE_FIXTURES") + "/every-key.json"})
                     .exitCode,
                 0);
        const Result before = actdb({"export", db});
        QCOMPARE(before.exitCode, 0);

        const QString fixture = path("bad.json");
        QFile file(fixture);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"current_user": "USR000000001", "users": [{"id": "USR1", "name": "A"}]})");
        file.close();
        const Result r = actdb({"import", db, fixture});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(R"(user "USR1", key "id")"), qPrintable(r.err));
        QCOMPARE(actdb({"export", db}).out, before.out);
    }

    void badPathsFailClearlyAndCreateNothing() {
        const QString missing = path("missing.actdb");
        for (const QStringList& arguments :
             {QStringList{"open", missing}, QStringList{"export", missing},
              QStringList{"import", missing, path("no-such-fixture.json")}}) {
            const Result r = actdb(arguments);
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains("missing") || r.err.contains("no-such-fixture"),
                     qPrintable(r.err));
        }
        QVERIFY(!QFile::exists(missing));
        QVERIFY(!act::standin::ActHome(home()).isRunning());
    }

    void usageErrorsExitWithTwoAndHelpDoesNothingElse() {
        const Result r = actdb({"demo", path("d.actdb"), "--today", "2024-02-30"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains("2024-02-30"));
        QCOMPARE(actdb({}).exitCode, 2);
        QCOMPARE(actdb({"frobnicate"}).exitCode, 2);
        for (const QStringList& arguments :
             {QStringList{"demo", path("d.actdb"), "--bogus"},
              QStringList{"status", "--today", "2024-03-11"}, QStringList{"close", "extra"}}) {
            const Result wrong = actdb(arguments);
            QCOMPARE(wrong.exitCode, 2);
            QVERIFY2(wrong.err.contains("Try 'daywise-actdb --help'"), qPrintable(wrong.err));
        }
        const Result demo = actdb({"demo", "--help"});
        QCOMPARE(demo.exitCode, 0);
        QVERIFY2(demo.out.startsWith("Usage: daywise-actdb demo [options] DB\n"),
                 qPrintable(demo.out));
        QVERIFY(!QFile::exists(path("d.actdb")));
        QVERIFY(!QFile::exists("--help"));
    }

    void aDamagedDatabaseIsNotExportedInPart() {
        const QString db = path("damaged.actdb");
        act::standin::importFixture(db, manyPagesFixture());
        damageLeafPage(db, QStringLiteral("contact_data"), 1);
        const Result r = actdb({"export", db});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("malformed"), qPrintable(r.err));
        QCOMPARE(r.out, QString());
    }

    void closeSaysWhenActCannotBeClosed() {
        const QString db = path("closing.actdb");
        QCOMPARE(actdb({"create", db}).exitCode, 0);
        QCOMPARE(actdb({"open", db}).exitCode, 0);
        // A session file that cannot be removed, even by the superuser.
        const act::standin::ActHome actHome(home());
        QVERIFY(QFile::remove(actHome.sessionFilePath()));
        QVERIFY(QDir().mkpath(actHome.sessionFilePath() + "/stuck"));
        const Result r = actdb({"close"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(!r.out.contains("closed"), qPrintable(r.out));
        QVERIFY2(r.err.contains(actHome.sessionFilePath()), qPrintable(r.err));
        QVERIFY(QDir(actHome.sessionFilePath()).removeRecursively());
        QCOMPARE(actdb({"close"}).out, "ACT! was not running\n");
    }
};

QTEST_GUILESS_MAIN(ActdbTest)
#include "tst_actdb.moc"
