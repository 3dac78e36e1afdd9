#include "act/standin/DemoDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTest>

// The demo database must show everything the calendar can show, the same way every time.
class DemoTest : public QObject {
    Q_OBJECT

    const QDate today{2024, 3, 11};

    QJsonObject demo() const {
        return QJsonDocument::fromJson(act::standin::demoFixture(today)).object();
    }

private slots:
    void sameDayGivesTheSameDatabase() {
        QCOMPARE(act::standin::demoFixture(today), act::standin::demoFixture(today));
        QVERIFY(act::standin::demoFixture(today) != act::standin::demoFixture(today.addDays(1)));
    }

    void activitiesCoverEveryKind() {
        const QJsonObject d = demo();
        const QString me = d.value("current_user").toString();
        const QJsonArray activities = d.value("activities").toArray();
        QVERIFY(activities.size() >= 350 && activities.size() <= 450);
        QSet<int> types, priorities, kinds;
        int cleared = 0, timeless = 0, alarms = 0, severalPeople = 0, withMe = 0, multiDay = 0,
            intervals = 0, untils = 0, exceptions = 0;
        for (const QJsonValue& v : activities) {
            const QJsonObject a = v.toObject();
            types.insert(a["type"].toInt());
            priorities.insert(a["priority"].toInt());
            cleared += a["cleared"].toBool();
            timeless += a["timeless"].toBool();
            alarms += a["alarm"].toBool();
            severalPeople += a["with"].toArray().size() > 1;
            withMe += a["contact"].toString() == me;
            const QJsonObject r = a["recurrence"].toObject();
            if (r.isEmpty()) {
                multiDay += a.contains("end") &&
                            a["end"].toString().left(10) != a["start"].toString().left(10);
                continue;
            }
            kinds.insert(r["kind"].toInt());
            intervals += r["every"].toInt() > 1;
            untils += r.contains("until");
            exceptions += r.contains("exceptions");
        }
        QCOMPARE(types, QSet<int>({0, 1, 2}));
        QCOMPARE(priorities, QSet<int>({0, 1, 2}));
        QCOMPARE(kinds, QSet<int>({1, 2, 3, 4}));
        QVERIFY(cleared > 0 && timeless > 0 && alarms > 0 && severalPeople > 0 && withMe > 0);
        QVERIFY(multiDay >= 3 && intervals >= 3 && untils >= 3 && exceptions >= 2);
    }
};

QTEST_GUILESS_MAIN(DemoTest)
#include "tst_demo.moc"
