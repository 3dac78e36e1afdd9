#include "FakeAct.h"
#include "ShellTestSupport.h"
#include "dialogs/frmLanguage.h"
#include "engine/HtmlFolder.h"
#include "shell/ClickableLabel.h"
#include "shell/InstanceGuard.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

class FrmMainTest : public QObject {
    Q_OBJECT

    const QString Settings = QStringLiteral("Settings");
    std::unique_ptr<ShellTestEnvironment> env;
    std::unique_ptr<fake::Script> script;
    int languageAsked = 0;

    // Answers the language dialog as a user does: the language at `index`, then OK.
    std::unique_ptr<QTimer> answerLanguage(int index) {
        return whenShown<frmLanguage>([this, index](frmLanguage* dialog) {
            ++languageAsked;
            dialog->findChild<QComboBox*>(QStringLiteral("cmbLanguage"))->setCurrentIndex(index);
            dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
    }
    std::unique_ptr<frmMain> makeWindow() {
        return std::make_unique<frmMain>(fake::session(*script), htmlFolder());
    }
    QString linkFile() const {
        return script->act.home().netLinksPath() + QStringLiteral("/1010it_wise.web");
    }
    QString stored(const char* key) const {
        return env->store.GetSetting(Settings, QString::fromLatin1(key), QStringLiteral("absent"));
    }
    std::unique_ptr<frmMain> loaded() {
        auto window = makeWindow();
        window->Form_Load();
        return window;
    }
    std::unique_ptr<frmMain> start(InstanceGuard& guard) {
        fake::Factory factory(*script);
        return Main(factory, guard);
    }

private slots:
    void init() {
        env = std::make_unique<ShellTestEnvironment>(
            QDateTime(QDate(2025, 1, 31), QTime(10, 0), Qt::UTC));
        script = std::make_unique<fake::Script>();
        languageAsked = 0;
        env->store.SaveSetting(Settings, QStringLiteral("Installed"), "1");
        env->store.SaveSetting(QStringLiteral("Options"), QStringLiteral("Language"), "0");
        QFile::remove(InstanceGuard::lockPath());
    }
    void cleanup() { env.reset(); }

    void firstRunAsksLanguageThenWritesLinkInThatLanguage() {
        env->store.SaveSetting(Settings, QStringLiteral("Installed"), "0");
        auto answer = answerLanguage(1);
        auto window = loaded();
        QCOMPARE(stored("Installed"), QStringLiteral("1"));
        QCOMPARE(window->cmdOK->text(), QStringLiteral("C&réer"));
        QCOMPARE(fileBytes(linkFile()), "[Utilitaires gratuits pour ACT!]"
                                        "https://www.daywise.example.com/logiciels.htm\r\n");
        QVERIFY(env->messages.shown.isEmpty());
    }
    void laterRunKeepsLinkFileAndOnlyMissingColumnsInEnglish() {
        // A stored language other than "0" or "1" reads as English.
        env->store.SaveSetting(QStringLiteral("Options"), QStringLiteral("Language"), "-1");
        writeFile(linkFile(), "[Mine]somewhere\r\n");
        env->store.SaveSetting(QStringLiteral("Layout"), QStringLiteral("FieldCol0"), "C");
        env->store.SaveSetting(QStringLiteral("Layout"), QStringLiteral("FieldCol9"), "-1");
        auto watch = answerLanguage(0);
        auto window = loaded();
        QCOMPARE(languageAsked, 0);
        QCOMPARE(fileBytes(linkFile()), "[Mine]somewhere\r\n");
        QString columns;
        for (int field : {0, 1, 9, 19})
            columns += env->store.GetSetting(QStringLiteral("Layout"),
                                             QStringLiteral("FieldCol%1").arg(field), "?");
        QCOMPARE(columns, QStringLiteral("CBEF"));
        QCOMPARE(window->cmdOK->text(), QStringLiteral("C&reate"));
    }
    void unwritableLinksFolderStillMarksInstalledAndOpens() {
        env->store.SaveSetting(Settings, QStringLiteral("Installed"), "0");
        writeFile(script->act.home().netLinksPath(), {});
        auto answer = answerLanguage(0);
        auto window = loaded();
        QVERIFY(window->isVisible());
        QCOMPARE(stored("Installed"), QStringLiteral("1"));
        QCOMPARE(env->messages.shown.size(), 1);
        QVERIFY(env->messages.shown[0].text.contains("in frmMain: Sub Create_LinkMenuItem"));
    }
    void rangeIsStoredWholeOrNotAtAll() {
        env->store.SaveSetting(Settings, QStringLiteral("RangeOption"), "1");
        auto window = loaded();
        window->optCustom->click();
        env->store.failingKey = QStringLiteral("EndDate");
        window->cmdCancel->click();
        QCOMPARE(env->messages.shown.size(), 1);
        QVERIFY(env->messages.shown[0].text.contains(QStringLiteral("Sub Form_Unload - Line # 3")));
        QCOMPARE(stored("StartDate"), QStringLiteral("absent"));
        QCOMPARE(stored("RangeOption"), QStringLiteral("1"));
    }
    // A language chosen where it cannot be kept would be asked for again at every start.
    void unwritableSettingsAskNoLanguage() {
        env->store.SaveSetting(Settings, QStringLiteral("Installed"), "0");
        env->store.failWrites = true;
        auto watch = answerLanguage(0);
        auto window = loaded();
        QCOMPARE(languageAsked, 0);
    }
    void rangeRulesFollowTheStartDate() {
        auto window = loaded();
        QCOMPARE(window->DTPicker2->date(), QDate(2025, 2, 6));
        QTest::mouseClick(window->Label2[1], Qt::LeftButton);
        QCOMPARE(window->DTPicker2->date(), QDate(2025, 2, 27));
        window->DTPicker1->setDate(QDate(2024, 1, 31));
        QCOMPARE(window->DTPicker2->date(), QDate(2024, 2, 28));
        QTest::mouseClick(window->Label2[2], Qt::LeftButton);
        window->DTPicker2->setDate(QDate(2024, 2, 10));
        window->DTPicker1->setDate(QDate(2024, 2, 1));
        QCOMPARE(window->DTPicker2->date(), QDate(2024, 2, 10));
        QTest::mouseClick(window->Label2[0], Qt::LeftButton);
        QCOMPARE(window->DTPicker2->date(), QDate(2024, 2, 7));
    }
    void storedCustomRangeIsRestored() {
        env->store.SaveSetting(Settings, QStringLiteral("RangeOption"), "2");
        env->store.SaveSetting(Settings, QStringLiteral("StartDate"), "2024-03-05");
        // The system's short form, as earlier versions stored it, reads as well.
        env->store.SaveSetting(
            Settings, QStringLiteral("EndDate"),
            QLocale::system().toString(QDate(2024, 3, 20), QLocale::ShortFormat));
        auto window = loaded();
        QCOMPARE(window->DTPicker1->date(), QDate(2024, 3, 5));
        QCOMPARE(window->DTPicker2->date(), QDate(2024, 3, 20));
        QVERIFY(window->DTPicker2->isEnabled());
    }
    void badStoredDateIsReportedAndTheWindowStillOpens() {
        env->store.SaveSetting(Settings, QStringLiteral("RangeOption"), "2");
        env->store.SaveSetting(Settings, QStringLiteral("StartDate"), "someday");
        env->store.SaveSetting(Settings, QStringLiteral("EndDate"), "2025-02-10");
        auto window = loaded();
        QCOMPARE(env->messages.shown.size(), 1);
        QVERIFY(env->messages.shown[0].text.startsWith(
            "Error 13: 'Type mismatch'\rin frmMain: Sub Form_Load - Line # 7"));
        QCOMPARE(window->DTPicker1->date(), QDate(2025, 1, 31));
        QCOMPARE(window->DTPicker2->date(), QDate(2025, 2, 10));
    }
    void everyWayOfClosingStoresTheRangeOnce_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("close box") << 1;
        QTest::newRow("ACT! closes") << 2;
    }
    void everyWayOfClosingStoresTheRangeOnce() {
        QFETCH(int, how);
        auto window = loaded();
        QSignalSpy ended(window.get(), &frmMain::programEnded);
        window->optCustom->click();
        window->DTPicker1->setDate(QDate(2025, 3, 1));
        window->DTPicker2->setDate(QDate(2025, 3, 15));
        if (how == 0)
            window->cmdCancel->click();
        else if (how == 1)
            window->close();
        else
            emit window->session().events->OnActUserWantsToClose();

        QCOMPARE(stored("StartDate"), QStringLiteral("2025-03-01"));
        QCOMPARE(stored("EndDate"), QStringLiteral("2025-03-15"));
        QCOMPARE(stored("RangeOption"), QStringLiteral("2"));
        QCOMPARE(ended.size(), 1);
        QVERIFY(!window->session().isOpen());
        QCOMPARE(script->log.count(QStringLiteral("Close")), 1);

        // Whatever comes after the first unload leaves the stored range alone.
        env->store.SaveSetting(Settings, QStringLiteral("RangeOption"), "0");
        window->close();
        emit window->session().events->OnActUserWantsToClose();
        QCOMPARE(stored("RangeOption"), QStringLiteral("0"));
        QCOMPARE(ended.size(), 1);
    }
    void registration_data() {
        QTest::addColumn<qint32>("result");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("said");
        QTest::newRow("-1 is a success") << -1 << true << QString();
        QTest::newRow("fails, ACT! running") << 0 << true << "Problem registering ACT! event.";
        QTest::newRow("fails, ACT! gone") << 0 << false << "Please run ACT! before running";
    }
    void registration() {
        QFETCH(qint32, result);
        QFETCH(bool, running);
        QFETCH(QString, said);
        script->registration = result;
        script->running = running;
        const int settingsBefore = env->store.size();
        auto window = makeWindow();
        QSignalSpy ended(window.get(), &frmMain::programEnded);
        window->Form_Load();
        QCOMPARE(env->messages.shown.size(), said.isEmpty() ? 0 : 1);
        QVERIFY(env->messages.texts().join(QString()).startsWith(said));
        QCOMPARE(window->isVisible(), running);
        QCOMPARE(ended.size(), running ? 0 : 1);
        window->close();
        if (!running)
            QCOMPARE(env->store.size(), settingsBefore);
    }
    void actClosingClosesAnOpenDialogFirst() {
        auto window = loaded();
        QSignalSpy ended(window.get(), &frmMain::programEnded);
        auto closeIt = whenShown<frmLanguage>(
            [&window](frmLanguage*) { emit window->session().events->OnActUserWantsToClose(); });
        window->mnuLanguage->trigger();
        QCOMPARE(ended.size(), 1);
        QVERIFY(script->log.contains(QStringLiteral("Acknowledge")));
        // The dialog was cancelled, not confirmed, and the window did not load again.
        QCOMPARE(env->store.GetSetting("Options", "Language", "x"), "0");
        QVERIFY(!window->isVisible());
    }
    // The two timer ticks that follow are timed end to end with the stand-in ACT!.
    void restartReopensTheDatabaseOnce() {
        auto window = loaded();
        QSignalSpy ended(window.get(), &frmMain::programEnded);
        RestartRequested = true;
        // ACT! going away because Daywise restarts it must not end Daywise early.
        emit window->session().events->OnActUserWantsToClose();
        QVERIFY(window->isVisible());
        QCOMPARE(ended.size(), 0);

        window->Form_Unload();
        QCOMPARE(env->opener.opened, QList<QUrl>{QUrl::fromLocalFile("/data/demo.actdb")});
        window->Form_Unload();
        QCOMPARE(script->log.count(QStringLiteral("Command 150")), 1);
    }
    void startsOnTheOpenDatabase() {
        InstanceGuard guard;
        const auto window = start(guard);
        QVERIFY(window && window->isVisible());
        QCOMPARE(script->log, (QStringList{"OpenFile", "OpenEx", "PhoneFormatting 2"}));
        QVERIFY(env->messages.shown.isEmpty());
    }
    void secondInstanceIsRefusedEvenLongAfterTheFirstStarted() {
        InstanceGuard first;
        QVERIFY(first.acquire());
        QFile lock(InstanceGuard::lockPath());
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
        InstanceGuard second;
        QVERIFY(!start(second));
        QCOMPARE(env->messages.texts(),
                 QStringList{"An instance of this program is already running !"});
        QVERIFY(script->log.isEmpty());
    }
    void lockOfACrashedInstanceIsTakenOver() {
        // A lock left by a process that is gone, as after a crash: no system hands out this id.
        writeFile(InstanceGuard::lockPath(), "1073741823\ndaywise\n\n");
        InstanceGuard guard;
        QVERIFY(guard.acquire());
    }
    void noOpenDatabaseEndsAfterSaying() {
        script->databaseOpen = false;
        const int settingsBefore = env->store.size();
        InstanceGuard guard;
        QVERIFY(!start(guard));
        QCOMPARE(env->messages.texts(),
                 QStringList{"Please open a database BEFORE running Daywise!"});
        QCOMPARE(env->store.size(), settingsBefore);
    }
};

QTEST_MAIN(FrmMainTest)
#include "tst_frmmain.moc"
