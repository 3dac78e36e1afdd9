#include "act/frmIntegrate.h"
#include "act/standin/StandinAuxCommands.h"
#include "engine/ActivitySelection.h"
#include "engine/Generation.h"
#include "shell/DesktopShellOpener.h"
#include "shell/ShellTestSupport.h"
#include "shell/StringTable.h"
#include "shell/frmMain.h"
#include "support/StandinFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Answer = Messages::Answer;

namespace {

const QByteArray OneUser = R"({"current_user": "USR000000001",
    "users": [{"id": "USR000000001", "name": "Alice Martin"}], "activities": []})";

// Not the folder beside the program, so the page's path must come from the one handed over.
const QString PageFolder = QDir::tempPath() + "/daywise-calendar";

// The desktop's "open", which starts ACT! again on a stand-in database.
class ReopeningShell : public RecordingOpener {
public:
    bool open(const QUrl& url) override {
        RecordingOpener::open(url);
        return DesktopShellOpener().open(url);
    }
};

} // namespace

class IntegrateTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StandinFixture> act;
    std::unique_ptr<ShellTestEnvironment> env;

    std::unique_ptr<frmIntegrate> open() {
        return std::make_unique<frmIntegrate>(*act->session().application, PageFolder, [] {});
    }
    act::standin::StandinAuxCommands commands() const {
        return act::standin::StandinAuxCommands(act->home());
    }
    QJsonObject command() const { return commands().all().value("Daywise").toObject(); }
    QJsonArray placements(const char* where) const { return command().value(where).toArray(); }
    template <typename T = QCheckBox> static T* control(frmIntegrate& dialog, const QString& name) {
        return dialog.findChild<T*>(name);
    }
    static QCheckBox* screen(frmIntegrate& dialog, int index) {
        return control(dialog, QStringLiteral("chkScreen_%1").arg(index));
    }
    QString netLinks(const QString& file = {}) const {
        return act->home().netLinksPath() + QLatin1Char('/') + file;
    }
    QString restartQuestion() const {
        return str(Caption::RestartActForChanges) + QStringLiteral("\r\n") +
               str(Caption::RestartActNow);
    }

private slots:
    void init() {
        env = std::make_unique<ShellTestEnvironment>();
        act = std::make_unique<StandinFixture>(OneUser);
    }
    void cleanup() {
        act.reset();
        env.reset();
    }

    void anUnreadableOutsideBrowserSettingStillLetsTheTabBoxAsk() {
        writeFile(netLinks("Daywise-tab.ctl"), "x");
        env->store.SaveSetting("Integration", "IE", "zz9");
        env->messages.answers = {Answer::Ok, Answer::No};
        auto dialog = open();
        QCOMPARE(env->messages.shown.size(), 1);
        QVERIFY(env->messages.texts()[0].startsWith(
            "Error 13: 'Type mismatch'\rin frmIntegrate: Sub Form_Load"));
        QVERIFY(control(*dialog, "chkOutputIE")->isChecked());

        control(*dialog, "chkOutputTab")->click();
        QCOMPARE(env->messages.texts().mid(1),
                 QStringList({str(Caption::ConfirmRemoveContactTab), restartQuestion()}));
        QVERIFY(!QFile::exists(netLinks("Daywise-tab.ctl")));
    }

    // Each click asks what its file calls for, and the dialog loading again after the tab
    // goes keeps the outside-browser choice not yet saved.
    void clicksAskTheRightQuestionsAndKeepTheUnsavedBrowserChoice() {
        writeFile(netLinks("Daywise-tab.ctl"), "x");
        writeFile(netLinks("Daywise-viewbar.ctl"), "old");
        env->store.SaveSetting("Integration", "IE", "1");
        env->messages.answers = {Answer::Ok, Answer::No, Answer::Ok,
                                 Answer::No, Answer::Ok, Answer::No};
        auto dialog = open();
        control(*dialog, "chkOutputIE")->click();
        QCheckBox* view = control(*dialog, "chkOutputView");
        QVERIFY(view->isChecked());
        view->click();
        QVERIFY(!QFile::exists(netLinks("Daywise-viewbar.ctl")));
        view->click();
        control(*dialog, "chkOutputTab")->click();
        QCOMPARE(env->messages.texts(),
                 QStringList({str(Caption::ConfirmRemoveViewbarButton), restartQuestion(),
                              str(Caption::ConfirmAddViewbarButton), restartQuestion(),
                              str(Caption::ConfirmRemoveContactTab), restartQuestion()}));
        const QList<QByteArray> lines = fileBytes(netLinks("Daywise-viewbar.ctl")).split('\n');
        QCOMPARE(lines[2], QByteArray("TYPE = FLOATVIEW\r"));
        const QString bitmap =
            QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/Daywise.bmp");
        QCOMPARE(lines[7], "BUTTON = \"Daywise\", \"" + bitmap.toUtf8() + "\"\r");
        QVERIFY(!control(*dialog, "chkOutputIE")->isChecked());
        control<QPushButton>(*dialog, "cmdOK")->click();
        QCOMPARE(env->store.GetSetting("Integration", "IE", ""), QStringLiteral("0"));
    }

    // The tab names the page in the folder the start-up decided, whatever it is.
    void addingTheTabWritesItsFileAndAsksToRestart() {
        env->messages.answers = {Answer::Ok, Answer::No};
        auto dialog = open();
        control(*dialog, "chkOutputTab")->click();

        const QString page = QDir::toNativeSeparators(PageFolder + "/Daywise.htm");
        const QByteArray expected = "Act! Browser Control File Version 1.00\r\n"
                                    "[VIEW]\r\n"
                                    "TYPE = CONTACTTAB\r\n"
                                    "STARTURL = \"" +
                                    page.toUtf8() +
                                    "\"\r\n"
                                    "TITLE = \"Daywise\"\r\n"
                                    "PRIORITY = 0\r\n";
        QCOMPARE(fileBytes(netLinks("Daywise-tab.ctl")), expected);
        QCOMPARE(env->messages.texts(),
                 QStringList({str(Caption::ConfirmAddContactTab), restartQuestion()}));
        QVERIFY(control(*dialog, "chkOutputIE")->isEnabled());
        QVERIFY(!RestartRequested);
    }

    // Boxes load from where the command is placed, and unchecking the last deletes it.
    void theCommandIsRegisteredPlacedAndDeletedWithTheLastBox() {
        env->messages.answers = {Answer::No, Answer::No};
        auto dialog = open();
        screen(*dialog, 2)->click();
        screen(*dialog, 9)->click();
        QCOMPARE(command()["program_file"].toString(),
                 QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
        QCOMPARE(placements("toolbar"), QJsonArray({3}));
        QCOMPARE(placements("tools_menu"), QJsonArray({4}));
        control<QPushButton>(*dialog, "cmdOK")->click();

        auto again = open();
        QVERIFY(screen(*again, 2)->isChecked() && screen(*again, 9)->isChecked());
        screen(*again, 2)->click();
        screen(*again, 9)->click();
        control<QPushButton>(*again, "cmdOK")->click();
        QCOMPARE(commands().AuxCommandExists("Daywise"), 0);
    }

    // A file or command ACT! did not take changes nothing there, so there is nothing to
    // restart for.
    void failedChangesAreReportedNotRestarted() {
        writeFile(netLinks().chopped(1), "not a folder");
        writeFile(act->home().auxFailurePath(), "");
        env->messages.answers = {Answer::Ok, Answer::Ok};
        auto dialog = open();
        control(*dialog, "chkOutputTab")->click();
        control(*dialog, "chkOutputView")->click();
        screen(*dialog, 0)->click();
        control<QPushButton>(*dialog, "cmdOK")->click();
        const QString manually = str(Caption::ChangeItManually);
        QCOMPARE(env->messages.texts(), QStringList({str(Caption::ConfirmAddContactTab), manually,
                                                     str(Caption::ConfirmAddViewbarButton),
                                                     manually, manually, manually}));
        QVERIFY(!RestartRequested);
    }

    void restartedActShowsTheTabTheViewAndTheCommand() {
        env->store.SaveSetting("Settings", "Installed", "1");
        // Add the tab and the view without restarting, then restart when closing.
        env->messages.answers = {Answer::Ok, Answer::No, Answer::Ok, Answer::No, Answer::Yes};
        ReopeningShell shell;

        QTemporaryDir pages;
        auto window = std::make_unique<frmMain>(act->openSession(), pages.path());
        window->Form_Load();
        QSignalSpy ended(window.get(), &frmMain::programEnded);
        QSignalSpy ticks(window->Timer1, &QTimer::timeout);
        auto watch = whenShown<frmIntegrate>([](frmIntegrate* dialog) {
            for (const char* name : {"chkOutputTab", "chkOutputView", "chkScreen_0", "cmdOK"})
                control<QAbstractButton>(*dialog, name)->click();
        });
        window->mnuIntegrate->trigger();

        QVERIFY(RestartRequested);
        QTRY_COMPARE(shell.opened.size(), 1);
        QCOMPARE(act->home().openDatabasePath(), act->databasePath());
        QVERIFY(window->isHidden());
        QTRY_COMPARE_WITH_TIMEOUT(ticks.size(), 1, 5000);
        QCOMPARE(ended.size(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 5000);
        // The tab shows the page where this run writes it, as the start-up decided.
        QVERIFY(fileBytes(act->home().netLinksPath() + "/Daywise-tab.ctl")
                    .contains(QDir::toNativeSeparators(pages.filePath("Daywise.htm")).toUtf8()));
        QCOMPARE(
            act::standin::StandinAuxCommands(act->home()).AuxCommandExistsInToolbar(1, "Daywise"),
            1);

        // The next Daywise makes a calendar, which refreshes both places that show it.
        RestartRequested = false;
        act::ActSession again = act->openSession();
        MyRecordId = getUserID(*again.database);
        Generation generation(again);
        generation.setHtmlFolder(pages.path());
        generation.setPageOpening(Generation::PageOpening::Never);
        QCOMPARE(generation.run(QDate(2024, 3, 11), QDate(2024, 3, 17)).result,
                 GenerationOutcome::Result::Written);
        const QByteArray refreshed = fileBytes(act->home().refreshLogPath());
        QVERIFY(refreshed.contains("Daywise-tab.ctl"));
        QVERIFY(refreshed.contains("Daywise-viewbar.ctl"));
    }

    // Only names ending exactly in ".actdb" used to start ACT!; the others went to whatever
    // the desktop opens them with, and ACT! stayed closed without a word.
    void everyDatabaseTheStandinOpensStartsItAgain() {
        for (const char* name : {"DEMO.ACTDB", "x.db", "no-extension"}) {
            const QString path = QFileInfo(act->databasePath()).dir().filePath(name);
            QVERIFY(QFile::copy(act->databasePath(), path));
            act->home().close();
            QVERIFY2(DesktopShellOpener().open(QUrl::fromLocalFile(path)), name);
            QCOMPARE(act->home().openDatabasePath(), path);
        }
        QVERIFY(!act::standin::isDatabaseFile(act->home().sessionFilePath()));
        QVERIFY(!act::standin::isDatabaseFile(act->homePath()));
    }
};

QTEST_MAIN(IntegrateTest)
#include "tst_integrate.moc"
