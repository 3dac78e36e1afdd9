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

    void visitsByStartThenIdAndRewinds() {
        StandinFixture fixture(
            fixtureWith({activity("b", "2024-03-12 09:00", "2024-03-12 10:00"),
                         activity("c", "2024-03-11 09:00", "2024-03-11 10:00"),
                         activity("a", "2024-03-12 09:00", "2024-03-12 09:30")}));
        act::Activity& a = fixture.session().activity();
        QCOMPARE(visit(a, QDate(2024, 3, 1), QDate(2024, 4, 1)), QStringList({"c", "a", "b"}));
        QVERIFY(a.IsEOF());
        a.MoveFirst();
        QCOMPARE(a.Data(act::ActivityField::Id).toString(), QStringLiteral("c"));
        QCOMPARE(visit(a, QDate(2024, 4, 1), QDate(2024, 5, 1)), QStringList());
        QVERIFY_THROWS_EXCEPTION(RuntimeError, a.Data(act::ActivityField::Id));
    }

    void fieldsReadByNumber() {
        StandinFixture fixture(fixtureWith(
            {activity("full", "2024-03-12 09:00", "2024-03-14 17:30",
                      R"(, "type": 2, "priority": 0, "regarding": "Review", "details": "Figures",
                     "duration": 45, "timeless": true, "alarm": true, "alarm_lead": 15,
                     "color": 255, "cleared": true,
                     "with": ["CON000000001", "USR000000002", "USR000000001"])"),
             activity("plain", "2024-03-13 09:00", "2024-03-13 10:00")}));
        act::Activity& a = fixture.session().activity();
        a.SetDateScope(QDate(2024, 3, 12), QDate(2024, 3, 13));
        QCOMPARE(a.Data(act::ActivityField::Type), QVariant(2));
        QCOMPARE(a.Data(act::ActivityField::Priority), QVariant(0));
        QCOMPARE(a.Data(act::ActivityField::Regarding), QVariant(QStringLiteral("Review")));
        QCOMPARE(a.Data(act::ActivityField::Start).toDateTime(),
                 QDateTime(QDate(2024, 3, 12), QTime(9, 0), Qt::UTC));
        QCOMPARE(a.Data(act::ActivityField::End).toDateTime(),
                 QDateTime(QDate(2024, 3, 14), QTime(17, 30), Qt::UTC));
        QCOMPARE(a.Data(act::ActivityField::Duration), QVariant(45));
        QCOMPARE(a.Data(act::ActivityField::Timeless).toBool(), true);
        QCOMPARE(a.Data(act::ActivityField::AlarmLead), QVariant(15));
        QCOMPARE(a.Data(act::ActivityField::Alarm), QVariant(1));
        QCOMPARE(a.Data(act::ActivityField::Color), QVariant(255));
        QCOMPARE(a.Data(act::ActivityField::ScheduledFor),
                 QVariant(QStringLiteral("USR000000001")));
        QCOMPARE(a.Data(act::ActivityField::Contact), QVariant(QStringLiteral("CON000000001")));
        QCOMPARE(a.Data(act::ActivityField::Cleared), QVariant(1));
        QCOMPARE(a.Data(act::ActivityField::Details), QVariant(QStringLiteral("Figures")));
        QCOMPARE(a.Data(act::ActivityField::PeopleCount), QVariant(3));
        QCOMPARE(a.Data(99), QVariant(QString()));
        QVERIFY(!a.IsRecurring());

        a.SetDateScope(QDate(2024, 3, 13), QDate(2024, 3, 14));
        a.MoveNext();
        QCOMPARE(a.Data(act::ActivityField::Id).toString(), QStringLiteral("plain"));
        QCOMPARE(a.Data(act::ActivityField::Priority), QVariant(1));
        QCOMPARE(a.Data(act::ActivityField::Duration), QVariant(60));
        QCOMPARE(a.Data(act::ActivityField::Timeless), QVariant(QString()));
        QCOMPARE(a.Data(act::ActivityField::Alarm), QVariant(0));
        QCOMPARE(a.Data(act::ActivityField::Cleared), QVariant(0));
        QCOMPARE(a.Data(act::ActivityField::PeopleCount), QVariant(1));
    }

    void scheduledWithWalksTheListThenGivesEmptyText() {
        StandinFixture fixture(
            fixtureWith({activity("x", "2024-03-12 09:00", "2024-03-12 10:00",
                                  R"(, "with": ["CON000000001", "USR000000002"])"),
                         activity("y", "2024-03-13 09:00", "2024-03-13 10:00")}));
        act::Activity& a = fixture.session().activity();
        a.SetDateScope(QDate(2024, 3, 12), QDate(2024, 3, 14));
        QCOMPARE(a.FirstScheduledWith(), QStringLiteral("CON000000001"));
        QCOMPARE(a.NextScheduledWith(), QStringLiteral("USR000000002"));
        QCOMPARE(a.NextScheduledWith(), QString());
        QCOMPARE(a.NextScheduledWith(), QString());
        QCOMPARE(a.FirstScheduledWith(), QStringLiteral("CON000000001"));
        a.MoveNext();
        QCOMPARE(a.NextScheduledWith(), QString());
        QCOMPARE(a.FirstScheduledWith(), QStringLiteral("CON000000001"));
    }

    void contactsByNumberAndMyRecord() {
        StandinFixture fixture(fixtureWith());
        act::Contact& c = fixture.session().contact();
        QCOMPARE(c.Data(act::ContactField::Id), QString());
        c.LookupMyRecord();
        QCOMPARE(c.Data(act::ContactField::Id), QStringLiteral("USR000000001"));
        QCOMPARE(c.Data(act::ContactField::Name), QStringLiteral("Alice Martin"));
        c.SetQuery(QString());
        c.Execute();
        QVERIFY(c.GoTo(QStringLiteral("CON000000001")));
        QCOMPARE(c.Data(act::ContactField::Company), QStringLiteral("Acme; The"));
        QCOMPARE(c.Data(act::ContactField::Name), QStringLiteral("Chloé Dubois"));
        QCOMPARE(c.Data(act::ContactField::Extension), QStringLiteral("12"));
        QCOMPARE(c.Data(120), QStringLiteral("1970-04-01"));
        QCOMPARE(c.Data(act::ContactField::Email), QString());
        QVERIFY(!c.GoTo(QStringLiteral("CON999999999")));
        QCOMPARE(c.Data(act::ContactField::Id), QString());
        QVERIFY(c.GoTo(QStringLiteral("USR000000002")));
        QCOMPARE(c.Data(act::ContactField::Name), QStringLiteral("Bob Stone"));
    }

    void fieldCollectionIsTheFixturesOrTheStandardOne() {
        StandinFixture fixture(fixtureWith());
        const act::ContactFields& f = fixture.session().contact().fields();
        QCOMPARE(f.Count(), 16);
        QCOMPARE(f.Id(0), 25);
        QCOMPARE(f.Id(15), 200);
        QCOMPARE(f.Id(16), -1);
        QCOMPARE(f.Id(-1), -1);
        QCOMPARE(f.Label(80), QStringLiteral("Phone Ext."));
        QCOMPARE(f.FieldID(QStringLiteral("Mobile Phone")), 38);
        QCOMPARE(f.FieldID(QStringLiteral("Nothing")), -1);

        StandinFixture listed(StandinFixture::fixtureFile(QStringLiteral("every-key.json")));
        const act::ContactFields& g = listed.session().contact().fields();
        QCOMPARE(g.Count(), 3);
        QCOMPARE(g.Id(2), 120);
        QCOMPARE(g.Label(120), QStringLiteral("Birthday"));
        QCOMPARE(g.FieldID(QStringLiteral("Company")), 25);
    }

    void sessionKnowsItsUsersHomeAndDatabase() {
        StandinFixture fixture(fixtureWith());
        act::ActSession& s = fixture.session();
        QCOMPARE(s.users().Count(), 2);
        QCOMPARE(s.users().UniqueId(2), QStringLiteral("USR000000002"));
        QCOMPARE(s.users().Name(1), QStringLiteral("Alice Martin"));
        QCOMPARE(s.users().Access(2), 3);
        QCOMPARE(s.users().Security(2), 1);
        QCOMPARE(s.users().Access(1), 0);
        QCOMPARE(s.users().CurrentUserID(), QStringLiteral("USR000000001"));
        QCOMPARE(s.database->CurrentUser(), QStringLiteral("Alice Martin"));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, s.users().Name(3));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, s.users().Name(0));
        QVERIFY(s.application->IsDBOpen());
        QCOMPARE(s.application->GetAppPath(), fixture.homePath());
        QCOMPARE(s.database->GetDatabasePath(), fixture.databasePath());
        QCOMPARE(act::standin::ActHome().path(), fixture.homePath());
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
