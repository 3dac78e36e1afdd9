#include "GenerationFixture.h"

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

    void twoUsersOnOneActivityEachGetTheirRow() {
        fx->store.SaveSetting("Filter", "Users", "MeAnd");
        fx->store.SaveSetting("Filter", "SelUsers", Carol);
        for (const int k : {12, 14})
            fx->store.SaveSetting("Options", QStringLiteral("Field%1").arg(k), 1);
        const QList<ActivityRow> rows = fx->rowsOf("ACT000000001");
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].ScheduledForText, "Alice Martin");
        QCOMPARE(rows[0].AlsoWithText, "Carol O\\'Diaz");
        QCOMPARE(rows[1].ScheduledForText, "Carol O\\'Diaz");
        QCOMPARE(rows[1].AlsoWithText, "Alice Martin");
        QCOMPARE(rows[1].PhoneText, "555-1234 Ext: 12");
    }

    void othersScheduledWithListsEachPersonOnce() {
        fx->store.SaveSetting("Filter", "Users", "All");
        fx->store.SaveSetting("Options", "Field14", 1);
        const QList<ActivityRow> rows = fx->rowsOf("ACT000000012");
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].AlsoWithText, "Bob Stone<br>Carol O\\'Diaz");
        QCOMPARE(rows[1].AlsoWithText, "Carol O\\'Diaz<br>Alice Martin");
        QCOMPARE(rows[2].AlsoWithText, "Bob Stone<br>Alice Martin");
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
        QCOMPARE(row.Regarding, "Quarterly review");
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
        QTest::newRow("none") << 2 << "ACT000000001"
                              << "";
        QTest::newRow("as in ACT!") << 3 << "ACT000000001"
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

    void databaseTextStaysTextAndOneScriptString() {
        fx->store.SaveSetting("Options", "Field5", 1);
        fx->store.SaveSetting("Options", "Field9", 1);
        const ActivityRow row = fx->rowsOf("ACT000000006").value(0);
        QCOMPARE(row.ContactText, "&lt;img src=x onerror=alert(1)&gt;");
        QCOMPARE(row.CompanyText, "Back\\\\slash \\'Quote\\' (brace) &amp; &quot;Sons&quot;");
        QCOMPARE(row.RegardingText, "Call Bob\\'s team \\\\ \\\\x41 \\\\u0041 "
                                    "&lt;script&gt;alert(1)&lt;/script&gt;");
        QCOMPARE(row.DetailsText, "ends with a backslash \\\\");
        QCOMPARE(row.EmailText, "x&quot;y@example.org");
        QCOMPARE(row.PriorityText, QString());
    }
};

QTEST_GUILESS_MAIN(RecordStoreTest)
#include "tst_recordstore.moc"
