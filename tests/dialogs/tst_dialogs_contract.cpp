#include "DialogTestSupport.h"
#include "dialogs/frmColor.h"
#include "dialogs/frmEmail.h"
#include "dialogs/frmFields.h"
#include "dialogs/frmFilter.h"
#include "dialogs/frmLanguage.h"
#include "dialogs/frmLayout.h"

#include <QTest>
#include <functional>

using OpenDialog = std::function<std::unique_ptr<QDialog>()>;
Q_DECLARE_METATYPE(OpenDialog)

// What every settings dialog promises: a write the store refuses is reported under the
// confirming button's name and leaves the dialog open, so nothing the user set is lost.
class DialogsContractTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogTestEnvironment> env;
    FakeUsers users;
    FakeContactFields fields;

private slots:
    void init() {
        env = std::make_unique<DialogTestEnvironment>();
        users.users = {{"USR000000001", "Alice Martin"}, {"USR000000002", "Bob Stone"}};
        users.current = "USR000000001";
        fields.positions = {{25, "Company"}, {80, "Phone Ext."}};
    }
    void cleanup() { env.reset(); }

    void aRefusedWriteIsReportedAndKeepsTheDialogOpen_data() {
        QTest::addColumn<OpenDialog>("open");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("procedure");
        const auto row = [](const char* name, OpenDialog open, const char* button) {
            QTest::newRow(name) << open << QString::fromLatin1(button)
                                << QStringLiteral("in %1: Sub %2_Click").arg(name, button);
        };
        row(
            "frmFilter", [this] { return std::make_unique<frmFilter>(users); }, "cmdOK");
        row(
            "frmFields", [this] { return std::make_unique<frmFields>(fields); }, "cmdOK");
        row(
            "frmEmail", [] { return std::make_unique<frmEmail>(); }, "cmdSave");
        row(
            "frmColor", [this] { return std::make_unique<frmColor>(users); }, "cmdOK");
        row(
            "frmLayout", [] { return std::make_unique<frmLayout>(); }, "cmdOK");
        row(
            "frmLanguage", [] { return std::make_unique<frmLanguage>(); }, "cmdOK");
    }
    void aRefusedWriteIsReportedAndKeepsTheDialogOpen() {
        QFETCH(OpenDialog, open);
        QFETCH(QString, button);
        QFETCH(QString, procedure);
        const std::unique_ptr<QDialog> dialog = open();
        env->store.failWrites = true;
        press(*dialog, button);
        QVERIFY(dialog->isVisible());
        QCOMPARE(env->messages.shown.size(), 1);
        QVERIFY2(env->messages.texts()[0].contains(procedure),
                 qPrintable(env->messages.texts()[0]));
    }
};

QTEST_MAIN(DialogsContractTest)
#include "tst_dialogs_contract.moc"
