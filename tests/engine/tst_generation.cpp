#include "RecordingMessages.h"
#include "RecordingOpener.h"
#include "act/ActivityFields.h"
#include "engine/ActivitySelection.h"
#include "engine/EmailLink.h"
#include "engine/Generation.h"
#include "engine/GenerationSettings.h"
#include "engine/HtmlFolder.h"
#include "engine/RecordStore.h"
#include "shell/HeadlessCreate.h"
#include "shell/MemorySettingsStore.h"
#include "shell/Messages.h"
#include "shell/ProgramState.h"
#include "support/DamagedDatabase.h"
#include "support/StandinFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

const QString Alice = QStringLiteral("USR000000001");
const QString Bob = QStringLiteral("USR000000002");
const QString Carol = QStringLiteral("USR000000003");

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The week of 11 to 17 March 2024 of tests/fixtures/engine-week.json, or of the fixture
// given, with settings in memory.
struct GenerationFixture {
    explicit GenerationFixture(
        const QByteArray& fixture = StandinFixture::fixtureFile(QStringLiteral("engine-week.json")))
        : act(fixture) {
        setSettings(&store);
        LanguageBase = 200;
        MyRecordId = getUserID(*act.session().database);
    }
    ~GenerationFixture() { setSettings(nullptr); }

    // The generation state as Create reads it from the settings.
    GenerationState state() {
        GenerationState state;
        state.FirstDay = QDate(2024, 3, 11);
        state.LastDay = QDate(2024, 3, 17);
        selectUsers(state, act.session().users());
        loadGenerationSettings(state);
        return state;
    }

    // The rows Create stores for one activity of the week.
    QList<ActivityRow> rowsOf(GenerationState& state, const QString& id) {
        act::Activity& activity = act.session().activity();
        activity.SetDateScope(state.FirstDay, state.LastDay.addDays(1));
        while (!activity.IsEOF() && activity.Data(act::ActivityField::Id).toString() != id)
            activity.MoveNext();
        if (activity.IsEOF())
            return {};
        const qsizetype first = state.ActivityRows.size();
        CountUserGood(state, activity);
        RecordStore(state, activity, act.session().contact()).Store_Record(id, 0, 0, false);
        return state.ActivityRows.mid(first);
    }

    QList<ActivityRow> rowsOf(const QString& id) {
        GenerationState fresh = state();
        return rowsOf(fresh, id);
    }

    MemorySettingsStore store;
    RecordingMessages messages;
    RecordingOpener opener;
    StandinFixture act;
};

} // namespace

// One press of Create, start to end, over the week fixture; and which users an activity
// belongs to, and how each of its rows reads.
class GenerationTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GenerationFixture> fx;
    std::unique_ptr<QTemporaryDir> html;

    GenerationOutcome create(const QDate& start = QDate(2024, 3, 11),
                             const QDate& end = QDate(2024, 3, 17), const QString& folder = {}) {
        Generation generation(fx->act.session());
        generation.setHtmlFolder(folder.isEmpty() ? html->path() : folder);
        return generation.run(start, end);
    }
    // daywise --create with the arguments given, writing into the test's folder.
    int headless(act::ActFactory& factory, const QStringList& arguments,
                 const QString& folder = {}) {
        return runHeadlessCreate(
            QStringList{"daywise", "--create"} + arguments +
                QStringList{"--html-dir", folder.isEmpty() ? html->path() : folder},
            factory);
    }
    QString dataJs() const { return QString::fromUtf8(fileBytes(html->filePath("data.js"))); }
    // Besides the calendar, the folder holds the page's own files and what records their copy.
    QStringList calendarFolderFiles() const {
        return QDir(html->path()).entryList(QDir::Files | QDir::Hidden);
    }

private slots:
    void init() {
        fx = std::make_unique<GenerationFixture>();
        html = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        html.reset();
        fx.reset();
    }

    // A range too long is reported with the end it should take; neither it nor one that ends
    // before it starts writes or opens anything.
    void rangeChecks_data() {
        using Result = GenerationOutcome::Result;
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<Result>("result");
        QTest::addColumn<QDate>("corrected");
        QTest::newRow("end before start")
            << QDate(2024, 5, 10) << QDate(2024, 5, 9) << Result::EndBeforeStart << QDate();
        QTest::newRow("30 days into the next month, later day")
            << QDate(2023, 2, 1) << QDate(2023, 3, 3) << Result::RangeTooLong << QDate(2023, 2, 28);
        QTest::newRow("31 days, earlier day")
            << QDate(2023, 1, 31) << QDate(2023, 3, 3) << Result::Written << QDate();
        QTest::newRow("32 days in a leap year") << QDate(2024, 1, 31) << QDate(2024, 3, 3)
                                                << Result::RangeTooLong << QDate(2024, 2, 28);
        QTest::newRow("one day") << QDate(2024, 3, 5) << QDate(2024, 3, 5) << Result::Written
                                 << QDate();
    }
    void rangeChecks() {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(GenerationOutcome::Result, result);
        QFETCH(QDate, corrected);
        const GenerationOutcome outcome = create(start, end);
        QCOMPARE(outcome.result, result);
        QCOMPARE(outcome.correctedEnd, corrected);
        const bool written = result == GenerationOutcome::Result::Written;
        QCOMPARE(fx->messages.shown.size(), written ? 0 : 1);
        QCOMPARE(QFile::exists(html->filePath("data.js")), written);
        QCOMPARE(fx->opener.opened.size(), written ? 1 : 0);
    }

    // The week as the golden file shows it, with every field and label shown, opened as a
    // file URL of the page.
    void theWeekMatchesItsGoldenFile() {
        for (int k = 0; k <= 15; ++k)
            fx->store.SaveSetting("Options", QStringLiteral("Field%1").arg(k), 1);
        fx->store.SaveSetting("Options", "Field39", 1);
        fx->store.SaveSetting("Options", "Label39", "Mail:");
        fx->store.SaveSetting("Options", "Custom", 120);
        fx->store.SaveSetting("Options", "HeaderText", "Week {11}");
        fx->store.SaveSetting("Email", "Active", 1);
        fx->store.SaveSetting("Email", "Subject", "<regarding> on <dayofweek>");
        fx->store.SaveSetting("Colors", "ColorDefault", 3);
        const GenerationOutcome outcome = create();
        QVERIFY2(fx->messages.shown.isEmpty(), qPrintable(fx->messages.texts().join('\n')));
        QCOMPARE(outcome.result, GenerationOutcome::Result::Written);
        QCOMPARE(outcome.pagePath, html->filePath("Daywise.htm"));
        QCOMPARE(fx->opener.opened,
                 QList<QUrl>{QUrl::fromLocalFile(html->filePath("Daywise.htm"))});
        const QByteArray written = fileBytes(html->filePath("data.js"));
        const QString golden = qEnvironmentVariable("DAYWISE_FIXTURES") + "/engine-week.data.js";
        if (qEnvironmentVariableIsSet("DAYWISE_UPDATE_GOLDEN")) {
            QFile update(golden);
            QVERIFY(update.open(QIODevice::WriteOnly));
            update.write(written);
        }
        QCOMPARE(written, fileBytes(golden));
    }

    void typeAndClearedFiltersFollowTheirSettings() {
        fx->store.SaveSetting("Filter", "Type2", 1);
        fx->store.SaveSetting("Filter", "Type0", 0);
        fx->store.SaveSetting("Filter", "Cleared", 0);
        create();
        QVERIFY(dataJs().contains("Activitytype='Meetings, To-do\\'s';"));
        QVERIFY(dataJs().contains("A to-do, hidden by default"));
        QVERIFY(!dataJs().contains("A cleared call")); // calls are off now
        QVERIFY(!dataJs().contains("Timeless call"));
    }

    void withoutAnActTabOrViewThePageOpensOutside() {
        fx->store.SaveSetting("Integration", "IE", 0);
        create();
        QCOMPARE(fx->store.GetSetting("Integration", "IE", ""), "1");
        QCOMPARE(fx->opener.opened.size(), 1);

        fx->opener.opened.clear();
        fx->store.SaveSetting("Integration", "IE", 0);
        const QString netLinks = fx->act.home().netLinksPath();
        QDir().mkpath(netLinks);
        QFile tab(netLinks + "/Daywise-tab.ctl");
        QVERIFY(tab.open(QIODevice::WriteOnly));
        tab.close();
        QCOMPARE(create().result, GenerationOutcome::Result::Written);
        QCOMPARE(fx->store.GetSetting("Integration", "IE", ""), "0");
        QVERIFY(fx->opener.opened.isEmpty());
    }

    // A calendar that could not be put in place is a failure, not a page to open.
    void aFolderThatCannotHoldThePageIsReported() {
        QFile blocker(html->filePath("not-a-folder"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const GenerationOutcome outcome =
            create(QDate(2024, 3, 11), QDate(2024, 3, 17), html->filePath("not-a-folder"));
        QCOMPARE(outcome.result, GenerationOutcome::Result::Failed);
        QVERIFY(outcome.pagePath.isEmpty());
        QVERIFY(fx->messages.texts().value(0).contains("not-a-folder"));
    }

    // The user's page files are theirs; an untouched copy follows the shipped page.
    void pageCopiesKeepTheUsersEdits() {
        QTemporaryDir shipped;
        const auto put = [](const QString& path, const QByteArray& bytes) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        put(shipped.filePath("Daywise.htm"), "page 1");
        put(shipped.filePath("Daywise.css"), "style 1");
        put(shipped.filePath("data.js"), "generated, never copied");
        copyPageFiles(shipped.path(), html->path());
        QCOMPARE(fileBytes(html->filePath("Daywise.htm")), "page 1");
        QVERIFY(!QFile::exists(html->filePath("data.js")));

        put(html->filePath("Daywise.css"), "the user's style");
        put(shipped.filePath("Daywise.htm"), "page 2");
        put(shipped.filePath("Daywise.css"), "style 2");
        copyPageFiles(shipped.path(), html->path());
        QCOMPARE(fileBytes(html->filePath("Daywise.htm")), "page 2");
        QCOMPARE(fileBytes(html->filePath("Daywise.css")), "the user's style");

        // A copy from before copies were remembered may be the user's: it stays.
        QVERIFY(QFile::remove(html->filePath(".daywise-page-copies.json")));
        put(shipped.filePath("Daywise.css"), "style 3");
        copyPageFiles(shipped.path(), html->path());
        QCOMPARE(fileBytes(html->filePath("Daywise.css")), "the user's style");
    }

    void anUnreadableSettingIsReported() {
        fx->store.SaveSetting("Colors", "ColorDefault", "red");
        QCOMPARE(create().result, GenerationOutcome::Result::Failed);
        QVERIFY(fx->messages.texts().value(0).startsWith(
            "Error 13: 'Type mismatch'\rin frmMain: Sub cmdOK_Click"));
        // The next press starts afresh and succeeds.
        fx->store.SaveSetting("Colors", "ColorDefault", 2);
        QCOMPARE(create().result, GenerationOutcome::Result::Written);
    }

    void headlessCreateRunsTheSameGeneration() {
        act::standin::StandinFactory factory(fx->act.home());
        const QStringList week = {"--start", "2024-03-11", "--week"};
        QCOMPARE(headless(factory, week), 0);
        QVERIFY(fx->opener.opened.isEmpty());
        QVERIFY(!fx->store.contains("Settings", "StartDate"));

        // A range given wrongly is a mistake of the command line, and touches no folder.
        const QString untouched = html->filePath("untouched");
        for (const char* end : {"2024-03-01", "2024-04-12"})
            QCOMPARE(headless(factory, {"--start", "2024-03-11", "--end", end}, untouched), 2);
        QVERIFY(!QFileInfo::exists(untouched));

        // A range given whole never reads the stored choice, which may hold anything.
        fx->store.SaveSetting("Settings", "RangeOption", "garbage");
        QCOMPARE(headless(factory, {"--start", "2024-03-11", "--month"}), 0);
        QCOMPARE(headless(factory, {"--start", "2024-03-11", "--end", "2024-03-13"}), 0);
        QVERIFY(fx->messages.shown.isEmpty());
        // Left open, the range needs it: the fault is reported, nothing is made.
        QCOMPARE(headless(factory, {"--week"}), 1);
        QVERIFY(fx->messages.texts().value(0).startsWith("Error 13: 'Type mismatch'"));

        // An unknown choice is a week, as the main window restores it.
        fx->store.SaveSetting("Settings", "RangeOption", 7);
        QCOMPARE(headless(factory, {"--start", "2024-03-11"}), 0);
        QVERIFY(dataJs().contains("Ldaydate='2024 3 17';"));

        // The stored custom range fills what the command line leaves open.
        fx->store.SaveSetting("Settings", "RangeOption", 2);
        fx->store.SaveSetting("Settings", "StartDate", "2024-03-12");
        fx->store.SaveSetting("Settings", "EndDate", "2024-03-14");
        QCOMPARE(headless(factory, {}), 0);
        QVERIFY(dataJs().contains("Ldaydate='2024 3 14';"));
        QCOMPARE(headless(factory, {"--week"}), 0);
        QVERIFY(dataJs().contains("Ldaydate='2024 3 18';"));

        // Without an open database the run says so, as the desktop start-up does.
        fx->act.home().close();
        QCOMPARE(headless(factory, week), 1);
        QCOMPARE(fx->messages.texts().last(), "Please open a database BEFORE running Daywise!");
    }

    // data.js used to be replaced first, so the page mixed the new range with the old layout.
    void dataAndScriptAreReplacedTogetherOrNotAtAll() {
        QCOMPARE(create().result, GenerationOutcome::Result::Written);
        QStringList pageFiles = calendarFolderFiles();
        QVERIFY(pageFiles.contains("data.js") && pageFiles.contains("script.js"));
        const QByteArray oldData = fileBytes(html->filePath("data.js"));
        QVERIFY(QFile::remove(html->filePath("script.js")));
        QVERIFY(QDir().mkpath(html->filePath("script.js/in-the-way")));

        QCOMPARE(create(QDate(2024, 3, 18), QDate(2024, 3, 24)).result,
                 GenerationOutcome::Result::Failed);
        QCOMPARE(fx->messages.shown.size(), 1);
        QVERIFY(fx->messages.shown[0].text.contains("script.js"));
        QCOMPARE(fileBytes(html->filePath("data.js")), oldData);
        pageFiles.removeOne("script.js");
        QCOMPARE(calendarFolderFiles(), pageFiles);
    }

    // It used to write a calendar with every contact field empty, re-reading all contacts
    // for each row.
    void aDamagedContactTableStopsTheGenerationAndKeepsTheCalendar() {
        StandinFixture damaged(manyPagesFixture());
        damageLeafPage(damaged.databasePath(), QStringLiteral("contact_data"), 0);
        QCOMPARE(create().result, GenerationOutcome::Result::Written);
        const QByteArray goodData = fileBytes(html->filePath("data.js"));

        act::ActSession session = damaged.openSession();
        MyRecordId = getUserID(*session.database);
        Generation generation(session);
        generation.setHtmlFolder(html->path());
        QCOMPARE(generation.run(QDate(2024, 3, 11), QDate(2024, 3, 17)).result,
                 GenerationOutcome::Result::Failed);
        QCOMPARE(fx->messages.shown.size(), 1);
        const QString report = fx->messages.shown[0].text;
        QVERIFY(report.contains("malformed") && report.contains("Sub cmdOK_Click"));
        QCOMPARE(fileBytes(html->filePath("data.js")), goodData);

        act::standin::StandinFactory factory(damaged.home());
        QCOMPARE(headless(factory, {"--start", "2024-03-11", "--week"}), 1);
        QCOMPARE(fileBytes(html->filePath("data.js")), goodData);
    }

    void userModesChooseTheUsersShown_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QStringList>("names");
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
        fx->store.SaveSetting("Options", "Field4", 0);
        GenerationState state = fx->state();
        const ActivityRow row = fx->rowsOf(state, "ACT000000001").value(0);
        QCOMPARE(CompleteEmail(row, state),
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
        for (int i = 1; i <= People; ++i) {
            const QByteArray id = "\"CON" + QByteArray::number(i).rightJustified(9, '0') + '"';
            contacts += "{\"id\": " + id + ", \"name\": \"P" + QByteArray::number(i) + "\"},";
            with += ',' + id;
        }
        with += ',' + with;
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
        QTest::newRow("no priority") << 0 << "ACT000000006"
                                     << "";
        QTest::newRow("by user without a colour") << 1 << "ACT000000001"
                                                  << "000000";
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

    // The golden week shows one's own record as a contact by default.
    void activitiesWithOnesOwnRecord() {
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
        QCOMPARE(row.PhoneText, QString());
        QCOMPARE(row.RegardingText, "Its contact was deleted");
    }
};

QTEST_GUILESS_MAIN(GenerationTest)
#include "tst_generation.moc"
