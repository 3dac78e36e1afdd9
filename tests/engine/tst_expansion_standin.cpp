#include "act/ActivityFields.h"
#include "engine/Expansion.h"
#include "support/StandinFixture.h"

#include <QTest>

// The expansion over the stand-in database's activity object: its recurrence members, until
// dates and exceptions mean to the walks what the fixtures say they mean.
class ExpansionStandinTest : public QObject {
    Q_OBJECT

private slots:
    void scopedActivitiesAppearOnEachDayTheyOccur() {
        StandinFixture fixture(R"({"current_user": "USR000000001",
          "users": [{"id": "USR000000001", "name": "Alice Martin"}],
          "activities": [
            {"id": "WEEKLY", "type": 1, "start": "2024-03-06 09:00", "scheduled_for": "USR000000001",
             "contact": "USR000000001", "recurrence": {"kind": 2, "until": "2024-06-30",
             "weekdays": [2, 5], "exceptions": ["2024-03-14"]}},
            {"id": "LASTFRI", "type": 1, "start": "2024-01-05 10:00", "scheduled_for": "USR000000001",
             "contact": "USR000000001", "recurrence": {"kind": 4, "weekdays": [6], "weeks": [4, 5]}},
            {"id": "MONTHLY", "type": 0, "start": "2024-02-15 11:00", "scheduled_for": "USR000000001",
             "contact": "USR000000001", "recurrence": {"kind": 3, "days_of_month": [15, 31]}},
            {"id": "OLDDAILY", "type": 0, "start": "2014-03-03 08:00", "scheduled_for": "USR000000001",
             "contact": "USR000000001", "recurrence": {"kind": 1, "every": 3, "until": "2024-03-20"}},
            {"id": "OVERNIGHT", "type": 1, "start": "2024-03-23 22:00", "end": "2024-03-26 01:00",
             "scheduled_for": "USR000000001", "contact": "USR000000001"}]})");
        act::Activity& activity = fixture.session().activity();
        const QDate first(2024, 3, 11);
        const QDate last(2024, 3, 24);
        activity.SetDateScope(first, last.addDays(1));

        QStringList stored;
        for (activity.MoveFirst(); !activity.IsEOF(); activity.MoveNext()) {
            const QDateTime start = activity.Data(act::ActivityField::Start).toDateTime();
            const StoreRecordFn store = [&](const QString& id, qint64 offset, qint64,
                                            bool minuteOffset) {
                const QDateTime at =
                    minuteOffset ? start.addSecs(60LL * offset) : start.addDays(offset);
                stored << id + at.toString(QStringLiteral(" MM-dd HH:mm"));
            };
            if (activity.IsRecurring())
                Treat_Recurring(activity, first, last, store);
            else if (isMultiDay(start, activity.Data(act::ActivityField::End).toDateTime()))
                Treat_MultipleDays(activity, first, last, store);
        }
        stored.sort();
        QCOMPARE(stored,
                 QStringList({"LASTFRI 03-22 10:00", "MONTHLY 03-15 11:00", "OLDDAILY 03-13 08:00",
                              "OLDDAILY 03-16 08:00", "OLDDAILY 03-19 08:00",
                              "OVERNIGHT 03-23 22:00", "OVERNIGHT 03-24 00:00",
                              "WEEKLY 03-11 09:00", "WEEKLY 03-18 09:00", "WEEKLY 03-21 09:00"}));
    }
};

QTEST_GUILESS_MAIN(ExpansionStandinTest)
#include "tst_expansion_standin.moc"
