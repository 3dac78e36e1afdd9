#include "FakeAct.h"
#include "ShellTestSupport.h"
#include "dialogs/frmLanguage.h"
#include "engine/HtmlFolder.h"
#include "shell/ClickableLabel.h"
#include "shell/InstanceGuard.h"
#include "shell/Module1.h"
#include "shell/QtSettingsStore.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Settings = QStringLiteral("Settings");

} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT

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
    void installed(const char* language = "0") {
        env->store.SaveSetting(Settings, QStringLiteral("Installed"), "1");
        env->store.SaveSetting(QStringLiteral("Options"), QStringLiteral("Language"), language);
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
    static void closeAct(frmMain& window) {
        static_cast<fake::Events*>(window.session().events.get())->userClosesAct();
    }

private slots:
    void init() {
        env = std::make_unique<ShellTestEnvironment>(
            QDateTime(QDate(2025, 1, 31), QTime(10, 0), Qt::UTC));
        script = std::make_unique<fake::Script>();
        languageAsked = 0;
        QFile::remove(InstanceGuard::lockPath());
    }
    void cleanup() { env.reset(); }

    void firstRunAsksLanguageThenWritesLinkInThatLanguage() {
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
        installed("-1");
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
        // A file where the folder should be: the folder can be neither used nor made.
        writeFile(script->act.home().netLinksPath(), {});
        auto answer = answerLanguage(0);
        auto window = loaded();
        QVERIFY(window->isVisible());
        QCOMPARE(stored("Installed"), QStringLiteral("1"));
        QCOMPARE(env->messages.shown.size(), 1);
        QVERIFY(env->messages.shown[0].text.contains(
            QStringLiteral("in frmMain: Sub Create_LinkMenuItem - Line # 1")));
    }
    void rangeIsStoredWholeOrNotAtAll() {
        installed();
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
    void unwritableSettingsFolderTellsOnceAndAsksNoLanguage() {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("config")), {});
        QtSettingsStore platform(dir.filePath(QStringLiteral("config/Daywise/Daywise.conf")));
        setSettings(&platform);
        auto watch = answerLanguage(0);
        auto window = loaded();
        QCOMPARE(languageAsked, 0);
        window->cmdCancel->click();
        QCOMPARE(env->messages.shown.size(), 1);
        QVERIFY(env->messages.shown[0].text.contains(QStringLiteral("will not be kept")));
    }
    void rangeRulesFollowTheStartDate() {
        installed();
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
    void storedRangeOption_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::newRow("custom restores both") << "2" << QDate(2024, 3, 5) << QDate(2024, 3, 20);
        QTest::newRow("unknown is a week") << "7" << QDate(2025, 1, 31) << QDate(2025, 2, 6);
    }
    void storedRangeOption() {
        QFETCH(QString, option);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        installed();
        env->store.SaveSetting(Settings, QStringLiteral("RangeOption"), option);
        env->store.SaveSetting(Settings, QStringLiteral("StartDate"), "2024-03-05");
        // The system's short form, as earlier versions stored it, reads as well.
        env->store.SaveSetting(
            Settings, QStringLiteral("EndDate"),
            QLocale::system().toString(QDate(2024, 3, 20), QLocale::ShortFormat));
        auto window = loaded();
        QCOMPARE(window->DTPicker1->date(), start);
        QCOMPARE(window->DTPicker2->date(), end);
        QCOMPARE(window->DTPicker2->isEnabled(), option == QLatin1String("2"));
    }
    void badStoredDateIsReportedAndTheWindowStillOpens() {
        installed();
        env->store.SaveSetting(Settings, QStringLiteral("RangeOption"), "2");
        env->store.SaveSetting(Settings, QStringLiteral("StartDate"), "someday");
        env->store.SaveSetting(Settings, QStringLiteral("EndDate"), "2025-02-10");
        auto window = loaded();
        QCOMPARE(env->messages.shown.size(), 1);
        QVERIFY(env->messages.shown[0].text.startsWith(
            QStringLiteral("Error 13: 'Type mismatch'\r"
                           "in frmMain: Sub Form_Load - Line # 7")));
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
        installed();
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
            closeAct(*window);

        QCOMPARE(stored("StartDate"), QStringLiteral("2025-03-01"));
        QCOMPARE(stored("EndDate"), QStringLiteral("2025-03-15"));
        QCOMPARE(stored("RangeOption"), QStringLiteral("2"));
        QCOMPARE(ended.size(), 1);
        QVERIFY(!window->session().isOpen());
        QCOMPARE(script->log.count(QStringLiteral("Close")), 1);

        // Whatever comes after the first unload leaves the stored range alone.
        env->store.SaveSetting(Settings, QStringLiteral("RangeOption"), "0");
        window->close();
        closeAct(*window);
        QCOMPARE(stored("RangeOption"), QStringLiteral("0"));
        QCOMPARE(ended.size(), 1);
    }
    void registration_data() {
        QTest::addColumn<qint32>("result");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("opens");
        QTest::newRow("-1 is a success") << -1 << true << QStringList() << true;
        QTest::newRow("fails, ACT! running")
            << 0 << true
            << QStringList{"Problem registering ACT! event.\r\nPlease run actreg.exe in your ACT! "
                           "folder and try again."}
            << true;
        QTest::newRow("fails, ACT! gone")
            << 0 << false << QStringList{"Please run ACT! before running Daywise"} << false;
    }
    void registration() {
        QFETCH(qint32, result);
        QFETCH(bool, running);
        QFETCH(QStringList, texts);
        QFETCH(bool, opens);
        installed();
        script->registration = result;
        script->running = running;
        const int settingsBefore = env->store.size();
        auto window = makeWindow();
        QSignalSpy ended(window.get(), &frmMain::programEnded);
        window->Form_Load();
        QCOMPARE(env->messages.texts(), texts);
        QCOMPARE(window->isVisible(), opens);
        QCOMPARE(ended.size(), opens ? 0 : 1);
        window->close();
        if (!opens)
            QCOMPARE(env->store.size(), settingsBefore);
    }
    void actClosingClosesAnOpenDialogFirst() {
        installed();
        auto window = loaded();
        QSignalSpy ended(window.get(), &frmMain::programEnded);
        frmMain* raw = window.get();
        auto closeIt = whenShown<frmLanguage>([raw](frmLanguage*) { closeAct(*raw); });
        window->mnuLanguage->trigger();
        QCOMPARE(ended.size(), 1);
        QVERIFY(script->log.contains(QStringLiteral("Acknowledge")));
        // The dialog was cancelled, not confirmed, and the window did not load again.
        QCOMPARE(env->store.GetSetting(QStringLiteral("Options"), QStringLiteral("Language"), "x"),
                 QStringLiteral("0"));
        QVERIFY(!window->isVisible());
    }
    // The two timer ticks that follow are timed end to end with the stand-in ACT!.
    void restartReopensTheDatabaseOnce() {
        installed();
        auto window = loaded();
        QSignalSpy ended(window.get(), &frmMain::programEnded);
        RestartRequested = true;
        // ACT! going away because Daywise restarts it must not end Daywise early.
        closeAct(*window);
        QVERIFY(window->isVisible());
        QCOMPARE(ended.size(), 0);

        window->Form_Unload();
        QCOMPARE(env->opener.opened,
                 QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/data/demo.actdb"))});
        window->Form_Unload();
        QCOMPARE(script->log.count(QStringLiteral("Command 150")), 1);
    }
    void menusOpenTheirDialogs() {
        installed();
        auto window = loaded();
        const QList<std::pair<const char*, const char*>> menus = {
            {"mnuFilterActivities", "frmFilter"},
            {"mnuColor", "frmColor"},
            {"mnuEmail", "frmEmail"},
            {"mnuFields", "frmFields"},
            {"mnuLanguage", "frmLanguage"},
            {"mnuIntegrate", "frmIntegrate"},
            {"mnuAbout", "frmAbout"}};
        for (const auto& [item, dialog] : menus) {
            QString seen;
            auto watch = whenShown<QDialog>([&](QDialog* shown) {
                seen = QString::fromLatin1(shown->metaObject()->className());
                shown->reject();
            });
            window->findChild<QAction*>(QLatin1String(item))->trigger();
            QCOMPARE(seen, QLatin1String(dialog));
        }
        QVERIFY(window->isVisible());
    }
    void startsOnTheOpenDatabase() {
        installed();
        InstanceGuard guard;
        const auto window = start(guard);
        QVERIFY(window);
        QVERIFY(window->isVisible());
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
        lock.close();
        InstanceGuard second;
        QVERIFY(!start(second));
        QCOMPARE(env->messages.texts(),
                 QStringList{"An instance of this program is already running !"});
        QVERIFY(script->log.isEmpty());
    }
    void lockOfACrashedInstanceIsTakenOver() {
        // A lock left by a process that is gone, as after a crash.
        QProcess gone;
        gone.start(QStringLiteral("true"));
        QVERIFY(gone.waitForStarted());
        const qint64 pid = gone.processId();
        QVERIFY(gone.waitForFinished());
        {
            QFile lock(InstanceGuard::lockPath());
            QVERIFY(lock.open(QIODevice::WriteOnly));
            lock.write(QByteArray::number(pid) + "\ndaywise\n\n");
        }
        InstanceGuard guard;
        QVERIFY(guard.acquire());
    }
    void noOpenDatabaseEndsAfterSaying() {
        installed();
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
