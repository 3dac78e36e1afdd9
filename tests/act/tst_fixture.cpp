#include "act/standin/DatabaseFile.h"
#include "act/standin/Fixture.h"
#include "shell/RuntimeError.h"
#include "support/StandinFixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

// The activity given more keys, imported and exported again.
QJsonObject exported(const char* keys) {
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("d.actdb"));
    act::standin::importFixture(db, activityWith(keys));
    return parsed(act::standin::exportFixture(db)).value("activities").toArray().first().toObject();
}

} // namespace

class FixtureTest : public QObject {
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
        QTest::newRow("user id of 11 characters")
            << changed(R"("id": "USR000000001", "name")", R"("id": "USR00000001", "name")")
            << R"(user "USR00000001", key "id": a user id has exactly 12 characters)";
        QTest::newRow("unknown current user")
            << changed(R"("current_user": "USR000000001")", R"("current_user": "USR000000009")")
            << R"(fixture, key "current_user": no user "USR000000009")";
        QTest::newRow("unknown contact") << changed(R"("contact": "C1"})", R"("contact": "C2"})")
                                         << R"(activity "A1", key "contact": no contact "C2")";
        QTest::newRow("end before start")
            << activityWith(R"("end": "2024-03-11 08:00")")
            << R"(activity "A1", key "end": the end is before the start)";
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

    void badPlacesAreReportedAndNothingIsTouched() {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(
            RuntimeError,
            act::standin::importFixture(dir.filePath("no/such/x.actdb"), validFixture()));
        const QString missing = dir.filePath(QStringLiteral("missing.actdb"));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, act::standin::exportFixture(missing));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, act::standin::checkStandinDatabase(missing));
        QVERIFY(QDir(dir.path()).isEmpty());

        const QString notes = dir.filePath(QStringLiteral("notes.actdb"));
        QFile file(notes);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("my notes, not a database\n");
        file.close();
        const QByteArray before = fileHash(notes);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, act::standin::importFixture(notes, validFixture()));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, act::standin::createEmptyDatabase(notes));
        QCOMPARE(fileHash(notes), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"notes.actdb"});
    }

    void everyKeyRoundTrips() {
        const QByteArray original = StandinFixture::fixtureFile(QStringLiteral("every-key.json"));
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("every.actdb"));
        act::standin::importFixture(db, original);
        const QByteArray exported = act::standin::exportFixture(db);
        QCOMPARE(parsed(exported), parsed(original));
        const QString again = dir.filePath(QStringLiteral("again.actdb"));
        act::standin::importFixture(again, exported);
        QCOMPARE(act::standin::exportFixture(again), exported);
    }

    // An end without a duration used to get 60 minutes, so a 09:00-11:30 call showed until 10:00.
    void endAndDurationFollowFromEachOther_data() {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QString>("end");
        QTest::addColumn<qint64>("duration");
        QTest::newRow("end only") << QByteArray(R"("end": "2024-03-11 11:30")")
                                  << "2024-03-11 11:30" << qint64(150);
        QTest::newRow("duration only")
            << QByteArray(R"("duration": 45)") << "2024-03-11 09:45" << qint64(45);
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
        const QJsonObject a = exported(keys.constData());
        QCOMPARE(a.value("end").toString(), end);
        QCOMPARE(a.value("duration").toInteger(), duration);
    }
};

QTEST_GUILESS_MAIN(FixtureTest)
#include "tst_fixture.moc"
