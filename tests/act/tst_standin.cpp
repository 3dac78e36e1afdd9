#include "act/ActivityFields.h"
#include "act/standin/DatabaseFile.h"
#include "act/standin/Fixture.h"
#include "engine/Expansion.h"
#include "shell/RuntimeError.h"
#include "support/DamagedDatabase.h"
#include "support/StandinFixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

using act::standin::FixtureError;

const QByteArray OneActivity = R"({"id": "A1", "type": 0, "start": "2024-03-11 09:00",
    "scheduled_for": "USR000000001", "contact": "C1"})";

QByteArray validFixture(const QByteArray& activities = OneActivity) {
    return R"({"current_user": "USR000000001",
        "users": [{"id": "USR000000001", "name": "Alice"}],
        "contacts": [{"id": "C1", "name": "Chloé"}],
        "activities": [)" +
           activities + "]}";
}

// The valid fixture with one piece of its text replaced.
QByteArray changed(const char* from, const char* to) {
    return validFixture().replace(from, to);
}

// The valid fixture whose activity has more keys.
QByteArray activityWith(const char* keys) {
    return changed(R"("contact": "C1"})",
                   QByteArray(R"("contact": "C1", )" + QByteArray(keys) + "}"));
}

QByteArray fileHash(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QJsonObject parsed(const QByteArray& json) {
    return QJsonDocument::fromJson(json).object();
}

// Two users, one client; the activities are given per test.
QByteArray fixtureWith(const QByteArrayList& activities = {}) {
    return R"({"current_user": "USR000000001",
        "users": [{"id": "USR000000001", "name": "Alice Martin"},
                  {"id": "USR000000002", "name": "Bob Stone", "access": 3, "security": 1}],
        "contacts": [{"id": "CON000000001", "name": "Chloé Dubois", "company": "Acme; The",
                      "phone": "555-1234", "extension": "12", "fields": {"120": "1970-04-01"}}],
        "activities": [)" +
           activities.join(',') + "]}";
}

QByteArray activity(const char* id, const char* start, const char* end, const char* extra = "") {
    return QStringLiteral(R"({"id": "%1", "type": 1, "start": "%2", "end": "%3",
        "scheduled_for": "USR000000001", "contact": "CON000000001"%4})")
        .arg(QLatin1String(id), QLatin1String(start), QLatin1String(end), QLatin1String(extra))
        .toUtf8();
}

QStringList visit(act::Activity& activity, const QDate& first, const QDate& afterLast) {
    activity.SetDateScope(first, afterLast);
    QStringList ids;
    for (; !activity.IsEOF(); activity.MoveNext())
        ids << activity.Data(act::ActivityField::Id).toString();
    return ids;
}

} // namespace

// The stand-in ACT!: its fixtures in and out, its database as the engine reads it, and its
// home with the session, aux commands and events.
class StandinTest : public QObject {
    Q_OBJECT

private slots:
    void badFixtureIsRefusedNamingObjectAndKey_data() {
        QTest::addColumn<QByteArray>("fixture");
        QTest::addColumn<QString>("expected");
        QTest::newRow("not JSON") << QByteArray("{\"current_user\": ") << "not valid JSON";
        QTest::newRow("unknown top-level key") << changed("\"users\"", "\"colour\": 1, \"users\"")
                                               << R"(fixture, key "colour": unknown key)";
        QTest::newRow("missing start") << changed(R"("start": "2024-03-11 09:00",)", "")
                                       << R"(activity "A1", key "start": missing required key)";
        QTest::newRow("unknown contact") << changed(R"("contact": "C1"})", R"("contact": "C2"})")
                                         << R"(activity "A1", key "contact": no contact "C2")";
        QTest::newRow("week day 8")
            << activityWith(R"("recurrence": {"kind": 2, "weekdays": [2, 8]})")
            << R"(activity "A1", recurrence, key "weekdays": 8 is not between 1 and 7)";
        QTest::newRow("activity id used twice")
            << validFixture(OneActivity + "," + OneActivity)
            << R"(activity "A1", key "id": the identifier is used twice)";
    }

    // A bad fixture leaves the database that was there before exactly as it was.
    void badFixtureIsRefusedNamingObjectAndKey() {
        QFETCH(QByteArray, fixture);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("kept.actdb"));
        act::standin::importFixture(db, validFixture());
        const QByteArray before = fileHash(db);
        try {
            act::standin::importFixture(db, fixture);
            QFAIL("the fixture was accepted");
        } catch (const FixtureError& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(expected), e.what());
        }
        QCOMPARE(fileHash(db), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.actdb"});
    }

    void everyKeyRoundTrips() {
        const QByteArray original = StandinFixture::fixtureFile(QStringLiteral("every-key.json"));
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("every.actdb"));
        act::standin::importFixture(db, original);
        const QByteArray exported = act::standin::exportFixture(db);
        QCOMPARE(parsed(exported), parsed(original));
    }

    // An end without a duration used to get 60 minutes, so a 09:00-11:30 call showed until 10:00.
    void endAndDurationFollowFromEachOther_data() {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QString>("end");
        QTest::addColumn<qint64>("duration");
        QTest::newRow("end only") << QByteArray(R"("end": "2024-03-11 11:30")")
                                  << "2024-03-11 11:30" << qint64(150);
        QTest::newRow("both, as given")
            << QByteArray(R"("duration": 30, "end": "2024-03-11 11:30")") << "2024-03-11 11:30"
            << qint64(30);
        QTest::newRow("an end millennia later")
            << QByteArray(R"("end": "9024-03-11 09:00")") << "9024-03-11 09:00"
            << qint64(QDate(2024, 3, 11).daysTo(QDate(9024, 3, 11))) * 1440;
    }
    void endAndDurationFollowFromEachOther() {
        QFETCH(QByteArray, keys);
        QFETCH(QString, end);
        QFETCH(qint64, duration);
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("d.actdb"));
        act::standin::importFixture(db, activityWith(keys.constData()));
        const QJsonValue a = parsed(act::standin::exportFixture(db)).value("activities")[0];
        QCOMPARE(a["end"].toString(), end);
        QCOMPARE(a["duration"].toInteger(), duration);
    }

    // A user's own file given by mistake is neither opened, imported over nor made anew.
    void whatIsNotAStandinDatabaseIsRefusedAndKept() {
        StandinFixture fixture(fixtureWith());
        fixture.home().close();
        QTemporaryDir dir;
        const QString notes = dir.filePath(QStringLiteral("notes.actdb"));
        QFile file(notes);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("my notes, not a database\n");
        file.close();
        const QByteArray before = fileHash(notes);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, act::standin::importFixture(notes, validFixture()));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, act::standin::createEmptyDatabase(notes));
        QString error;
        QVERIFY(!act::standin::openDatabaseInActHome(notes, &error));
        QVERIFY2(error.contains(QStringLiteral("not a stand-in")), qPrintable(error));
        QVERIFY(!fixture.home().isRunning());
        QCOMPARE(fileHash(notes), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"notes.actdb"});
    }

    void scopeKeepsWhatCanOccurInRange() {
        StandinFixture fixture(
            fixtureWith({activity("reaches-in", "2024-01-20 09:00", "2024-03-11 10:00"),
                         activity("ends-at-first", "2024-03-10 23:00", "2024-03-11 00:00"),
                         activity("empty-at-first", "2024-03-11 00:00", "2024-03-11 00:00"),
                         activity("starts-after", "2024-03-18 00:00", "2024-03-18 01:00"),
                         activity("rec-from-before", "2023-05-01 08:00", "2023-05-01 09:00",
                                  R"(, "recurrence": {"kind": 1, "until": "2024-03-11"})"),
                         activity("rec-over", "2023-05-01 08:00", "2023-05-01 09:00",
                                  R"(, "recurrence": {"kind": 1, "until": "2024-03-10"})"),
                         activity("rec-forever", "2020-01-01 07:00", "2020-01-01 08:00",
                                  R"(, "recurrence": {"kind": 2, "weekdays": [2]})")}));
        const QStringList ids =
            visit(fixture.session().activity(), QDate(2024, 3, 11), QDate(2024, 3, 18));
        QCOMPARE(ids,
                 QStringList({"rec-forever", "rec-from-before", "reaches-in", "empty-at-first"}));
    }

    // The recurrence members and until dates mean to the expansion's walks what the fixtures
    // say they mean; weekly series, exceptions and multi-day rows come in through tst_ics.
    void recurrencesExpandOnEachDayTheyOccur() {
        StandinFixture fixture(fixtureWith(
            {activity("LASTFRI", "2024-01-05 10:00", "2024-01-05 11:00",
                      R"(, "recurrence": {"kind": 4, "weekdays": [6], "weeks": [4, 5]})"),
             activity("MONTHLY", "2024-02-15 11:00", "2024-02-15 12:00",
                      R"(, "recurrence": {"kind": 3, "days_of_month": [15, 31]})"),
             activity("OLDDAILY", "2014-03-03 08:00", "2014-03-03 09:00",
                      R"(, "recurrence": {"kind": 1, "every": 3, "until": "2024-03-20"})")}));
        act::Activity& a = fixture.session().activity();
        const QDate first(2024, 3, 11);
        const QDate last(2024, 3, 24);
        a.SetDateScope(first, last.addDays(1));
        QStringList stored;
        for (a.MoveFirst(); !a.IsEOF(); a.MoveNext()) {
            const QDateTime start = a.Data(act::ActivityField::Start).toDateTime();
            const StoreRecordFn store = [&](const QString& id, qint64 offset, qint64,
                                            bool minuteOffset) {
                const QDateTime at =
                    minuteOffset ? start.addSecs(60LL * offset) : start.addDays(offset);
                stored << id + at.toString(QStringLiteral(" MM-dd HH:mm"));
            };
            if (a.IsRecurring())
                Treat_Recurring(a, first, last, store);
        }
        stored.sort();
        QCOMPARE(stored,
                 QStringList({"LASTFRI 03-22 10:00", "MONTHLY 03-15 11:00", "OLDDAILY 03-13 08:00",
                              "OLDDAILY 03-16 08:00", "OLDDAILY 03-19 08:00"}));
    }

    // Reading on past a damaged page used to give fewer users; the damaged contact table is
    // the generation's test.
    void aDamagedPageIsAnErrorNotMissingData_data() {
        QTest::addColumn<QString>("table");
        QTest::newRow("users") << "users";
        QTest::newRow("activities") << "activities";
    }
    void aDamagedPageIsAnErrorNotMissingData() {
        QFETCH(QString, table);
        StandinFixture fixture(manyPagesFixture());
        damageLeafPage(fixture.databasePath(), table, -1);
        try {
            act::ActSession s = fixture.openSession();
            QCOMPARE(visit(s.activity(), QDate(2024, 3, 11), QDate(2024, 3, 18)).size(), 300);
            QFAIL("the damaged page went unnoticed");
        } catch (const act::DatabaseError& e) {
            QVERIFY2(e.description().contains(fixture.databasePath()), qPrintable(e.description()));
            QVERIFY2(e.description().contains("malformed"), qPrintable(e.description()));
        }
    }

    void closingActRaisesTheCloseEvent() {
        StandinFixture fixture(fixtureWith());
        act::ActSession& session = fixture.session();
        QSignalSpy closing(session.events.get(), &act::EventControl::OnActUserWantsToClose);
        QVERIFY(session.events->dispatchRegister(0) >= 1);
        session.application->Command(150);
        QTRY_COMPARE(closing.count(), 1);
        QVERIFY(!session.application->IsDBOpen());
    }

    void damagedAuxCommandFileIsReportedNotIgnored() {
        StandinFixture fixture(fixtureWith());
        QFile file(fixture.home().auxCommandsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{ not json");
        file.close();
        auto aux = fixture.session().application->auxCommands();
        QVERIFY_THROWS_EXCEPTION(RuntimeError, aux->AuxCommandExists(QStringLiteral("Daywise")));
    }
};

QTEST_GUILESS_MAIN(StandinTest)
#include "tst_standin.moc"
