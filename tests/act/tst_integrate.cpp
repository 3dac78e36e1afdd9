#include "act/frmIntegrate.h"
#include "act/standin/StandinAuxCommands.h"
#include "shell/ShellTestSupport.h"
#include "shell/StringTable.h"
#include "support/StandinFixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <QTest>

using Answer = Messages::Answer;

namespace {

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

const QByteArray OneUser = R"({"current_user": "USR000000001",
    "users": [{"id": "USR000000001", "name": "Alice Martin"}], "activities": []})";

// Not the folder beside the program, so the page's path must come from the one handed over.
const QString PageFolder = QDir::tempPath() + "/daywise-calendar";

} // namespace

class IntegrateTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StandinFixture> act;
    std::unique_ptr<ShellTestEnvironment> env;
    int unloadRequests = 0;

    std::unique_ptr<frmIntegrate> open() {
        return std::make_unique<frmIntegrate>(*act->session().application, PageFolder,
                                              [this] { ++unloadRequests; });
    }
    act::standin::StandinAuxCommands commands() const {
        return act::standin::StandinAuxCommands(act->home());
    }
    QJsonObject command() const { return commands().all().value("Daywise").toObject(); }
    QJsonArray placements(const char* where) const { return command().value(where).toArray(); }
    void failCommands() { writeFile(act->home().auxFailurePath(), ""); }
    template <typename T = QCheckBox> static T* control(frmIntegrate& dialog, const QString& name) {
        T* found = dialog.findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
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
        unloadRequests = 0;
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

    void changingTheTabOrViewKeepsTheUnsavedOutsideBrowserChoice() {
        writeFile(netLinks("Daywise-tab.ctl"), "x");
        env->store.SaveSetting("Integration", "IE", "1");
        env->messages.answers = {Answer::Ok, Answer::No, Answer::Ok, Answer::No};
        auto dialog = open();
        control(*dialog, "chkOutputIE")->click();
        control(*dialog, "chkOutputView")->click(); // added
        control(*dialog, "chkOutputTab")->click();  // removed, and the dialog loads again
        QCOMPARE(env->messages.texts(),
                 QStringList({str(Caption::ConfirmAddViewbarButton), restartQuestion(),
                              str(Caption::ConfirmRemoveContactTab), restartQuestion()}));
        QVERIFY(!control(*dialog, "chkOutputIE")->isChecked());
        control<QPushButton>(*dialog, "cmdOK")->click();
        QCOMPARE(env->store.GetSetting("Integration", "IE", ""), QStringLiteral("0"));
    }

    // The tab names the page in the folder the start-up decided, whatever it is.
    void addingTheTabWritesItsFileAndAsksToRestart() {
        env->messages.answers = {Answer::Ok, Answer::No};
        auto dialog = open();
        control(*dialog, "chkOutputTab")->click();

        const QString page = nativePath(PageFolder + "/Daywise.htm");
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

    void removingAndAddingTheViewAsksTheRightQuestions() {
        writeFile(netLinks("Daywise-viewbar.ctl"), "old");
        env->messages.answers = {Answer::Ok, Answer::No, Answer::Ok, Answer::No};
        auto dialog = open();
        QCheckBox* view = control(*dialog, "chkOutputView");
        QVERIFY(view->isChecked());

        view->click();
        QVERIFY(!QFile::exists(netLinks("Daywise-viewbar.ctl")));

        view->click();
        QCOMPARE(env->messages.texts(),
                 QStringList({str(Caption::ConfirmRemoveViewbarButton), restartQuestion(),
                              str(Caption::ConfirmAddViewbarButton), restartQuestion()}));
        const QList<QByteArray> lines = fileBytes(netLinks("Daywise-viewbar.ctl")).split('\n');
        QCOMPARE(lines[2], QByteArray("TYPE = FLOATVIEW\r"));
        const QString bitmap = nativePath(QCoreApplication::applicationDirPath() + "/Daywise.bmp");
        QCOMPARE(lines[7], "BUTTON = \"Daywise\", \"" + bitmap.toUtf8() + "\"\r");
    }

    void anUnknownCommandIsRegisteredBeforeItIsPlaced() {
        auto dialog = open();
        screen(*dialog, 2)->click();
        screen(*dialog, 9)->click();
        const QJsonObject registered = command();
        QCOMPARE(registered["program_file"].toString(),
                 nativePath(QCoreApplication::applicationFilePath()));
        QCOMPARE(registered["flags"].toInt(), 1);
        QCOMPARE(placements("toolbar"), QJsonArray({3}));
        QCOMPARE(placements("tools_menu"), QJsonArray({4}));

        env->messages.answers = {Answer::No};
        control<QPushButton>(*dialog, "cmdOK")->click();
        QCOMPARE(env->messages.texts(), QStringList({restartQuestion()}));
    }

    void uncheckingEveryBoxDeletesTheCommandAtUnload() {
        auto aux = commands();
        aux.AddAuxCommand("Daywise", "daywise", "", "Daywise", "", "", "", 1);
        aux.AddAuxCommandToToolbar(1, "Daywise");
        aux.AddAuxCommandToToolsMenu(2, "Daywise");
        auto dialog = open();
        screen(*dialog, 0)->click();
        screen(*dialog, 7)->click();
        env->messages.answers = {Answer::No};
        control<QPushButton>(*dialog, "cmdOK")->click();
        QCOMPARE(aux.AuxCommandExists("Daywise"), 0);
        QCOMPARE(env->store.GetSetting("Integration", "IE", ""), QStringLiteral("1"));
    }

    void failedRegistrationOrPlacementIsReported() {
        failCommands();
        auto dialog = open();
        screen(*dialog, 0)->click();
        QCOMPARE(env->messages.texts(), QStringList({str(Caption::ChangeItManually)}));
        control<QPushButton>(*dialog, "cmdOK")->click();
        QCOMPARE(env->messages.texts(),
                 QStringList({str(Caption::ChangeItManually), str(Caption::ChangeItManually)}));
        QVERIFY(!RestartRequested);
    }

    void anUnwritableLinkFolderIsAFailureNotARestart() {
        writeFile(netLinks().chopped(1), "not a folder");
        env->messages.answers = {Answer::Ok, Answer::Ok};
        auto dialog = open();
        control(*dialog, "chkOutputTab")->click();
        control(*dialog, "chkOutputView")->click();
        QCOMPARE(
            env->messages.texts(),
            QStringList({str(Caption::ConfirmAddContactTab), str(Caption::ChangeItManually),
                         str(Caption::ConfirmAddViewbarButton), str(Caption::ChangeItManually)}));
        QVERIFY(!RestartRequested);
    }
};

QTEST_MAIN(IntegrateTest)
#include "tst_integrate.moc"
