#include "act/ActivityFields.h"
#include "act/ContactFields.h"
#include "shell/RuntimeError.h"
#include "support/DamagedDatabase.h"
#include "support/StandinFixture.h"

#include <QTest>

namespace {

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

class StandinTest : public QObject {
    Q_OBJECT

private slots:
    void scopeKeepsWhatCanOccurInRange() {
        const auto until = [](const char* date) {
            return QByteArray(R"(, "recurrence": {"kind": 1, "until": ")") + date + "\"}";
        };
        StandinFixture fixture(fixtureWith(
            {activity("inside", "2024-03-12 09:00", "2024-03-12 10:00"),
             activity("reaches-in", "2024-01-20 09:00", "2024-03-11 10:00"),
             activity("ends-at-first", "2024-03-10 23:00", "2024-03-11 00:00"),
             activity("empty-at-first", "2024-03-11 00:00", "2024-03-11 00:00"),
             activity("starts-after", "2024-03-18 00:00", "2024-03-18 01:00"),
             activity("ended-before", "2024-03-01 09:00", "2024-03-02 10:00"),
             activity("rec-from-before", "2023-05-01 08:00", "2023-05-01 09:00",
                      until("2024-03-11")),
             activity("rec-over", "2023-05-01 08:00", "2023-05-01 09:00", until("2024-03-10")),
             activity("rec-later", "2024-03-18 08:00", "2024-03-18 09:00", until("2024-12-31")),
             activity("rec-forever", "2020-01-01 07:00", "2020-01-01 08:00",
                      R"(, "recurrence": {"kind": 2, "weekdays": [2]})")}));
        const QStringList ids =
            visit(fixture.session().activity(), QDate(2024, 3, 11), QDate(2024, 3, 18));
        QCOMPARE(ids, QStringList({"rec-forever", "rec-from-before", "reaches-in", "empty-at-first",
                                   "inside"}));
    }

    void fieldsReadByNumberWithDefaultsForWhatIsNotGiven() {
        StandinFixture fixture(
            fixtureWith({activity("full", "2024-03-12 09:00", "2024-03-14 17:30",
                                  R"(, "type": 2, "priority": 0, "duration": 45, "timeless": true,
                     "alarm": true, "cleared": true,
                     "with": ["CON000000001", "USR000000002", "USR000000001"])"),
                         activity("plain", "2024-03-13 09:00", "2024-03-13 10:00")}));
        act::Activity& a = fixture.session().activity();
        a.SetDateScope(QDate(2024, 3, 12), QDate(2024, 3, 14));
        namespace F = act::ActivityField;
        const auto values = [&] {
            return QVariantList{a.Data(F::Type),  a.Data(F::Priority), a.Data(F::Duration),
                                a.Data(F::Alarm), a.Data(F::Cleared),  a.Data(F::PeopleCount)};
        };
        QCOMPARE(values(), QVariantList({2, 0, 45, 1, 1, 3}));
        QVERIFY(a.Data(F::Timeless).toBool());
        QCOMPARE(a.Data(F::End).toDateTime(),
                 QDateTime(QDate(2024, 3, 14), QTime(17, 30), Qt::UTC));
        QCOMPARE(a.FirstScheduledWith(), QStringLiteral("CON000000001"));
        QCOMPARE(a.NextScheduledWith(), QStringLiteral("USR000000002"));
        a.MoveNext();
        QCOMPARE(a.Data(F::Id).toString(), QStringLiteral("plain"));
        QCOMPARE(values(), QVariantList({1, 1, 60, 0, 0, 1}));
        QCOMPARE(a.Data(F::Timeless), QVariant(QString()));
        QCOMPARE(a.NextScheduledWith(), QString());
    }

    // Reading on past a damaged page used to give fewer users, or contacts without fields.
    void aDamagedPageIsAnErrorNotMissingData_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("leaf");
        QTest::newRow("users") << "users" << -1;
        QTest::newRow("contacts") << "contact_data" << 0;
        QTest::newRow("activities") << "activities" << -1;
    }
    void aDamagedPageIsAnErrorNotMissingData() {
        QFETCH(QString, table);
        QFETCH(int, leaf);
        StandinFixture fixture(manyPagesFixture());
        damageLeafPage(fixture.databasePath(), table, leaf);
        const auto readEverything = [&] {
            act::ActSession s = fixture.openSession();
            QVERIFY(visit(s.activity(), QDate(2024, 3, 11), QDate(2024, 3, 18)).size() == 300);
            for (int i = 1; i <= 300; ++i)
                s.contact().GoTo(QStringLiteral("CON%1").arg(i, 9, 10, QLatin1Char('0')));
        };
        try {
            readEverything();
            QFAIL("the damaged page went unnoticed");
        } catch (const act::DatabaseError& e) {
            QVERIFY2(e.description().contains(fixture.databasePath()), qPrintable(e.description()));
            QVERIFY2(e.description().contains("malformed"), qPrintable(e.description()));
        }
    }

    void aFailedContactReadingIsNotRepeatedForEachContact() {
        StandinFixture fixture(manyPagesFixture());
        damageLeafPage(fixture.databasePath(), QStringLiteral("contact_data"), 0);
        act::ActSession s = fixture.openSession();
        QVERIFY_THROWS_EXCEPTION(act::DatabaseError, s.contact().GoTo("CON000000001"));
        // Mended behind the stand-in's back: a second reading would now succeed.
        QVERIFY(QFile::remove(fixture.databasePath()));
        act::standin::importFixture(fixture.databasePath(), manyPagesFixture());
        QVERIFY_THROWS_EXCEPTION(act::DatabaseError, s.contact().GoTo("CON000000002"));
    }
};

QTEST_GUILESS_MAIN(StandinTest)
#include "tst_standin.moc"
