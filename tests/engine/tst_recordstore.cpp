#include "GenerationFixture.h"
#include "engine/EmailLink.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {
const QString Alice = QStringLiteral("USR000000001");
const QString Bob = QStringLiteral("USR000000002");
const QString Carol = QStringLiteral("USR000000003");
} // namespace

// Which users an activity belongs to, and how each of its rows reads.
class RecordStoreTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GenerationFixture> fx;

private slots:
    void init() { fx = std::make_unique<GenerationFixture>(); }
    void cleanup() { fx.reset(); }

    void userModesChooseTheUsersShown_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("me") << "Me"
                            << "" << QStringList{Alice} << QStringList{"Alice Martin"};
        QTest::newRow("me and nobody") << "MeAnd"
                                       << "" << QStringList{Alice} << QStringList{"Alice Martin"};
        QTest::newRow("me and two") << "MeAnd" << Bob + Carol << QStringList{Alice, Bob, Carol}
                                    << QStringList{"Alice Martin", "Bob Stone", "Carol O'Diaz"};
        QTest::newRow("all listable") << "All"
                                      << "" << QStringList{Alice, Bob, Carol}
                                      << QStringList{"Alice Martin", "Bob Stone", "Carol O'Diaz"};
        QTest::newRow("unknown mode")
            << "Everyone" << Bob << QStringList{Alice} << QStringList{"Alice Martin"};
    }
    void userModesChooseTheUsersShown() {
        QFETCH(QString, mode);
        QFETCH(QString, chosen);
        fx->store.SaveSetting("Filter", "Users", mode);
        fx->store.SaveSetting("Filter", "SelUsers", chosen);
        const GenerationState state = fx->state();
        QFETCH(QStringList, ids);
        QCOMPARE(state.SelectedUserIds, ids);
        QFETCH(QStringList, names);
        QCOMPARE(state.SelectedUserNames, names);
        QCOMPARE(state.EligibleUserIds, (QStringList{Alice, Bob, Carol}));
    }

    void anActivityCountsOnceForEachOfItsSelectedUsers() {
        QCOMPARE(fx->rowsOf("ACT000000002").size(), 1); // with one's own record: still once
        QCOMPARE(fx->rowsOf("ACT000000005").size(), 0); // Bob's, while only Alice is shown
        fx->store.SaveSetting("Filter", "Users", "All");
        QCOMPARE(fx->rowsOf("ACT000000012").size(), 3); // Alice twice in the list, Bob, Carol
        QCOMPARE(fx->rowsOf("ACT000000010").size(), 0); // Dan cannot be listed
    }

    void labelsShowWithoutTheirValues() {
        fx->store.SaveSetting("Options", "Field34", 1);
        fx->store.SaveSetting("Options", "Label34", "Re:");
        fx->store.SaveSetting("Options", "Field4", 0);
        fx->store.SaveSetting("Options", "Field41", 1);
        fx->store.SaveSetting("Options", "Label41", "None");
        fx->store.SaveSetting("Options", "Field11", 1);
        const ActivityRow row = fx->rowsOf("ACT000000001").value(0);
        QCOMPARE(row.RegardingText, "Re: ");
        QCOMPARE(row.AlarmText, " 15\\'");
    }

    // Hidden details used to reach every e-mail link.
    void theEmailLinkShowsNoHiddenField() {
        fx->store.SaveSetting("Email", "Active", 1);
        fx->store.SaveSetting("Email", "Subject", "<regarding>");
        fx->store.SaveSetting("Email", "Body", "<details>");
        fx->store.SaveSetting("Options", "Field9", 1);
        fx->store.SaveSetting("Options", "Field5", 1);
        GenerationState shown = fx->state();
        const ActivityRow visible = fx->rowsOf(shown, "ACT000000001").value(0);
        QCOMPARE(CompleteEmail(visible, shown),
                 "<a href=\"mailto:jl@example.org?Subject=Quarterly%20review&amp;"
                 "Body=Bring%20the%20figures\">jl@example.org</a>");

        fx->store.SaveSetting("Options", "Field4", 0);
        fx->store.SaveSetting("Options", "Field5", 0);
        GenerationState hidden = fx->state();
        const ActivityRow row = fx->rowsOf(hidden, "ACT000000001").value(0);
        QCOMPARE(CompleteEmail(row, hidden),
                 "<a href=\"mailto:jl@example.org?Subject=&amp;Body=\">jl@example.org</a>");
    }

    // Bob's own planning, scheduled with Alice, used to name nobody on Alice's row.
    void othersScheduledWithNamesTheUserItIsScheduledFor() {
        fx.reset();
        fx = std::make_unique<GenerationFixture>(R"({"current_user": "USR000000001",
            "users": [{"id": "USR000000001", "name": "Alice Martin"},
                      {"id": "USR000000002", "name": "Bob Stone"}],
            "activities": [{"id": "ACT000000001", "type": 1, "start": "2024-03-12 09:00",
                            "scheduled_for": "USR000000002", "contact": "USR000000002",
                            "with": ["USR000000002", "USR000000001"]}]})");
        fx->store.SaveSetting("Filter", "Users", "All");
        fx->store.SaveSetting("Options", "Field12", 1);
        fx->store.SaveSetting("Options", "Field14", 1);
        const QList<ActivityRow> rows = fx->rowsOf("ACT000000001");
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].ScheduledForText, "Bob Stone");
        QCOMPARE(rows[0].AlsoWithText, "Alice Martin");
        QCOMPARE(rows[1].ScheduledForText, "Alice Martin");
        QCOMPARE(rows[1].AlsoWithText, "Bob Stone");
    }

    // Each person was looked up in a list of those seen: 20 000 people took three seconds.
    void thousandsScheduledWithAreListedOnceInLinearTime() {
        constexpr int People = 20000;
        QByteArray contacts;
        QByteArray with = R"("CON000000000")";
        for (int round = 0; round < 2; ++round) {
            for (int i = 1; i <= People; ++i) {
                const QByteArray id = "CON" + QByteArray::number(i).rightJustified(9, '0');
                with += ",\"" + id + '"';
                if (round == 0)
                    contacts +=
                        "{\"id\": \"" + id + "\", \"name\": \"P" + QByteArray::number(i) + "\"},";
            }
        }
        fx.reset();
        fx = std::make_unique<GenerationFixture>(R"({"current_user": "USR000000001",
            "users": [{"id": "USR000000001", "name": "Alice Martin"}],
            "contacts": [)" + contacts + R"({"id": "CON000000000", "name": "Main"}],
            "activities": [{"id": "ACT000000001", "type": 1, "start": "2024-03-12 09:00",
                            "scheduled_for": "USR000000001", "contact": "CON000000000",
                            "with": [)" + with + "]}]}");
        fx->store.SaveSetting("Options", "Field14", 1);
        QElapsedTimer timer;
        timer.start();
        const ActivityRow row = fx->rowsOf("ACT000000001").value(0);
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        const QStringList names = row.AlsoWithText.split("<br>");
        QCOMPARE(names.size(), People);
        QCOMPARE(names.first(), "P1");
        QCOMPARE(names.last(), QStringLiteral("P%1").arg(People));
    }

    // The dialog's "no custom field" is empty text, not a reason to fail the calendar.
    void noCustomFieldChosen() {
        fx->store.SaveSetting("Options", "Field13", 1);
        fx->store.SaveSetting("Options", "Custom", "");
        QCOMPARE(fx->rowsOf("ACT000000001").value(0).CustomText, QString());
    }

    void colourModes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("activity");
        QTest::addColumn<QString>("color");
        QTest::newRow("by priority") << 0 << "ACT000000001"
                                     << "0000FF";
        QTest::newRow("no priority") << 0 << "ACT000000006"
                                     << "";
        QTest::newRow("by user without a colour") << 1 << "ACT000000001"
                                                  << "000000";
        QTest::newRow("the database's own") << 3 << "ACT000000001"
                                            << "FF0000";
        QTest::newRow("unknown") << 7 << "ACT000000001"
                                 << "";
    }
    void colourModes() {
        QFETCH(int, mode);
        QFETCH(QString, activity);
        fx->store.SaveSetting("Colors", "ColorDefault", mode);
        fx->store.SaveSetting("Colors", "PriorityColor0", 0xFF0000);
        QFETCH(QString, color);
        QCOMPARE(fx->rowsOf(activity).value(0).ColorText, color);
    }

    void activitiesWithOnesOwnRecord() {
        QCOMPARE(fx->rowsOf("ACT000000002").value(0).ContactText, "Alice Martin");
        fx->store.SaveSetting("Options", "Myself", 1);
        fx->store.SaveSetting("Options", "Myselftext", "Me, {myself}");
        const ActivityRow row = fx->rowsOf("ACT000000002").value(0);
        QCOMPARE(row.ContactText, "Me, (myself)");
        QCOMPARE(row.PhoneText, QString());
    }

    void aContactThatCannotBeFoundLeavesTheContactFieldsEmpty() {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "delete-contact");
            db.setDatabaseName(fx->act.databasePath());
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec("DELETE FROM contacts WHERE id = 'CON000000099'"));
        }
        QSqlDatabase::removeDatabase("delete-contact");
        GenerationState state = fx->state();
        fx->rowsOf(state, "ACT000000001");
        const ActivityRow row = fx->rowsOf(state, "ACT000000009").value(0);
        QCOMPARE(row.ContactText, QString());
        QCOMPARE(row.CompanyText, QString());
        QCOMPARE(row.PhoneText, QString());
        QCOMPARE(row.EmailAddress, QString());
        QCOMPARE(row.RegardingText, "Its contact was deleted");
    }
};

QTEST_GUILESS_MAIN(RecordStoreTest)
#include "tst_recordstore.moc"
