#include "act/ActivityFields.h"
#include "act/ContactFields.h"
#include "act/standin/DemoDatabase.h"
#include "support/StandinFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
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

    void peopleAreVaried() {
        const QJsonObject d = demo();
        const QJsonArray users = d.value("users").toArray();
        QCOMPARE(users.size(), 6);
        int notListable = 0;
        for (const QJsonValue& u : users) {
            const int access = u["access"].toInt();
            if (access == 2 || access == 3 || u["security"].toInt() == 1)
                ++notListable;
        }
        QCOMPARE(notListable, 1);

        const QJsonArray contacts = d.value("contacts").toArray();
        QVERIFY(contacts.size() >= 150);
        QSet<QString> keys;
        bool accent = false, apostrophe = false, theCompany = false;
        for (const QJsonValue& c : contacts) {
            const QJsonObject contact = c.toObject();
            for (auto it = contact.begin(); it != contact.end(); ++it)
                keys.insert(it.key());
            const QString name = contact["name"].toString();
            accent |= name.contains(QRegularExpression("[éèêëàâçîïôöûüÉ]"));
            apostrophe |= name.contains('\'');
            theCompany |= contact["company"].toString().endsWith("; The");
        }
        for (const char* key : {"company", "name", "address1", "address2", "address3", "city",
                                "zip", "state", "phone", "fax", "mobile", "pager", "title",
                                "assistant", "extension", "email", "fields"})
            QVERIFY2(keys.contains(key), key);
        QVERIFY(accent && apostrophe && theCompany);
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

    void theMonthAroundTodayIsBusyOnWorkingHours() {
        StandinFixture fixture(act::standin::demoFixture(today));
        act::Activity& a = fixture.session().activity();
        a.SetDateScope(today.addDays(-14), today.addDays(14));
        int count = 0, businessHours = 0;
        for (; !a.IsEOF(); a.MoveNext()) {
            ++count;
            const QTime start = a.Data(act::ActivityField::Start).toDateTime().time();
            businessHours += start.hour() >= 7 && start.hour() < 18;
        }
        QVERIFY2(count >= 150, qPrintable(QString::number(count)));
        QVERIFY(businessHours * 10 >= count * 8);
        fixture.session().contact().LookupMyRecord();
        QCOMPARE(fixture.session().contact().Data(act::ContactField::Name),
                 QStringLiteral("Claire Fontaine"));
    }
};

QTEST_GUILESS_MAIN(DemoTest)
#include "tst_demo.moc"
