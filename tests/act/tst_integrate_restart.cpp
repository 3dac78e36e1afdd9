#include "RecordingMessages.h"
#include "RecordingOpener.h"
#include "act/frmIntegrate.h"
#include "act/standin/StandinAuxCommands.h"
#include "engine/ActivitySelection.h"
#include "engine/Generation.h"
#include "shell/DesktopShellOpener.h"
#include "shell/MemorySettingsStore.h"
#include "shell/ProgramState.h"
#include "shell/ShellTestSupport.h"
#include "shell/frmMain.h"
#include "support/StandinFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using Answer = Messages::Answer;

namespace {

const QByteArray OneMeeting = R"({"current_user": "USR000000001",
    "users": [{"id": "USR000000001", "name": "Alice Martin"}],
    "activities": [{"id": "ACT000000001", "type": 1, "regarding": "Review",
                    "start": "2024-03-12 09:00", "end": "2024-03-12 10:00",
                    "scheduled_for": "USR000000001", "contact": "USR000000001"}]})";

// The desktop's "open", which starts ACT! again on a stand-in database.
class ReopeningShell : public RecordingOpener {
public:
    bool open(const QUrl& url) override {
        RecordingOpener::open(url);
        return DesktopShellOpener().open(url);
    }
};

void click(frmIntegrate* dialog, const char* name) {
    dialog->findChild<QAbstractButton*>(QLatin1String(name))->click();
}

} // namespace

class IntegrateRestartTest : public QObject {
    Q_OBJECT

private slots:
    void restartedActShowsTheTabTheViewAndTheCommand() {
        LanguageBase = 200;
        RestartRequested = false;
        MemorySettingsStore store;
        store.SaveSetting("Settings", "Installed", "1");
        setSettings(&store);
        RecordingMessages recorder;
        // Add the tab and the view without restarting, then restart when closing.
        recorder.answers = {Answer::Ok, Answer::No, Answer::Ok, Answer::No, Answer::Yes};
        ReopeningShell shell;
        StandinFixture act(OneMeeting);

        QTemporaryDir pages;
        auto window = std::make_unique<frmMain>(act.openSession(), pages.path());
        window->Form_Load();
        QSignalSpy ended(window.get(), &frmMain::programEnded);
        QSignalSpy ticks(window->Timer1, &QTimer::timeout);
        auto watch = whenShown<frmIntegrate>([](frmIntegrate* dialog) {
            click(dialog, "chkOutputTab");
            click(dialog, "chkOutputView");
            click(dialog, "chkScreen_0");
            click(dialog, "cmdOK");
        });
        window->mnuIntegrate->trigger();

        QVERIFY(RestartRequested);
        QTRY_COMPARE(shell.opened.size(), 1);
        QCOMPARE(shell.opened[0].toLocalFile(), act.databasePath());
        QCOMPARE(act.home().openDatabasePath(), act.databasePath());
        QVERIFY(window->isHidden());
        QTRY_COMPARE_WITH_TIMEOUT(ticks.size(), 1, 5000);
        QCOMPARE(ended.size(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 5000);
        // The tab shows the page where this run writes it, as the start-up decided.
        QVERIFY(fileBytes(act.home().netLinksPath() + "/Daywise-tab.ctl")
                    .contains(QDir::toNativeSeparators(pages.filePath("Daywise.htm")).toUtf8()));
        QCOMPARE(
            act::standin::StandinAuxCommands(act.home()).AuxCommandExistsInToolbar(1, "Daywise"),
            1);

        // The next Daywise makes a calendar, which refreshes both places that show it.
        RestartRequested = false;
        act::ActSession again = act.openSession();
        MyRecordId = getUserID(*again.database);
        QTemporaryDir html;
        Generation generation(again);
        generation.setHtmlFolder(html.path());
        generation.setPageOpening(Generation::PageOpening::Never);
        QCOMPARE(generation.run(QDate(2024, 3, 11), QDate(2024, 3, 17)).result,
                 GenerationOutcome::Result::Written);
        const QByteArray refreshed = fileBytes(act.home().refreshLogPath());
        QVERIFY(refreshed.contains("Daywise-tab.ctl"));
        QVERIFY(refreshed.contains("Daywise-viewbar.ctl"));
        setSettings(nullptr);
    }

    // Only names ending exactly in ".actdb" used to start ACT!; the others went to whatever
    // the desktop opens them with, and ACT! stayed closed without a word.
    void everyDatabaseTheStandinOpensStartsItAgain() {
        StandinFixture act(OneMeeting);
        for (const char* name : {"DEMO.ACTDB", "x.db", "no-extension"}) {
            const QString path = QFileInfo(act.databasePath()).dir().filePath(name);
            QVERIFY(QFile::copy(act.databasePath(), path));
            act.home().close();
            QVERIFY2(DesktopShellOpener().open(QUrl::fromLocalFile(path)), name);
            QCOMPARE(act.home().openDatabasePath(), path);
        }
        QVERIFY(!act::standin::isDatabaseFile(act.home().sessionFilePath()));
        QVERIFY(!act::standin::isDatabaseFile(act.homePath()));
    }
};

QTEST_MAIN(IntegrateRestartTest)
#include "tst_integrate_restart.moc"
