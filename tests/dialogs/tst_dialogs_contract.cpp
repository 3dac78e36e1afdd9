#include "DialogTestSupport.h"
#include "dialogs/frmColor.h"
#include "dialogs/frmEmail.h"
#include "dialogs/frmFields.h"
#include "dialogs/frmFilter.h"
#include "dialogs/frmLanguage.h"
#include "dialogs/frmLayout.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <functional>

using OpenDialog = std::function<std::unique_ptr<QDialog>()>;
Q_DECLARE_METATYPE(OpenDialog)

namespace {

// Everything a user could change without a colour picker: every box and option clicked,
// every list entry chosen, every text box typed into and Enter pressed in it, and every
// button other than the confirming ones pressed.
void changeEverything(QDialog& dialog, const QString& confirm) {
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (button->objectName() != confirm && button->objectName() != "cmdCancel")
            button->click();
    for (QListWidget* list : dialog.findChildren<QListWidget*>())
        list->selectAll();
    for (QComboBox* combo : dialog.findChildren<QComboBox*>())
        combo->setCurrentIndex(combo->count() - 1);
    for (QLineEdit* text : dialog.findChildren<QLineEdit*>()) {
        text->setFocus();
        QTest::keyClicks(text, "7");
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClick(text, Qt::Key_Enter);
    }
}

} // namespace

// What every settings dialog promises: only its confirming button writes, and a write the
// store refuses is reported under that button's name and leaves the dialog open, so
// nothing the user set is lost.
class DialogsContractTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogTestEnvironment> env;
    FakeUsers users;
    FakeContactFields fields;

    void everyDialog() {
        QTest::addColumn<OpenDialog>("open");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("frenchTitle");
        const auto row = [](const char* name, OpenDialog open, const char* confirm,
                            const char* french) {
            QTest::newRow(name) << open << QString::fromLatin1(confirm)
                                << QString::fromUtf8(french);
        };
        row(
            "frmFilter", [this] { return std::make_unique<frmFilter>(users); }, "cmdOK",
            "Filtrage des activités");
        row(
            "frmFields", [this] { return std::make_unique<frmFields>(fields); }, "cmdOK",
            "Éléments devant apparaître dans le calendrier");
        row(
            "frmEmail", [] { return std::make_unique<frmEmail>(); }, "cmdSave", "Options e-mail");
        row(
            "frmColor", [this] { return std::make_unique<frmColor>(users); }, "cmdOK",
            "Choix des couleurs");
        row(
            "frmLayout", [] { return std::make_unique<frmLayout>(); }, "cmdOK",
            "Disposition à l'écran");
        row(
            "frmLanguage", [] { return std::make_unique<frmLanguage>(); }, "cmdOK", "Langue");
    }

private slots:
    void init() {
        env = std::make_unique<DialogTestEnvironment>();
        // Not the first start, so the language dialog can be cancelled too.
        env->store.SaveSetting("Settings", "Installed", "1");
        users.users = {{"USR000000001", "Alice Martin"}, {"USR000000002", "Bob Stone"}};
        users.current = "USR000000001";
        fields.positions = {{25, "Company"}, {80, "Phone Ext."}};
    }
    void cleanup() { env.reset(); }

    // Each window takes its captions from the chosen language, not only the main one.
    void everyDialogSpeaksFrench_data() { everyDialog(); }
    void everyDialogSpeaksFrench() {
        QFETCH(OpenDialog, open);
        QFETCH(QString, frenchTitle);
        LanguageBase = 400;
        QCOMPARE(open()->windowTitle(), frenchTitle);
        QCOMPARE(env->messages.shown.size(), 0);
    }

    void cancelEnterAndTheCloseBoxWriteNothing_data() { everyDialog(); }
    void cancelEnterAndTheCloseBoxWriteNothing() {
        QFETCH(OpenDialog, open);
        QFETCH(QString, confirm);
        for (const bool closeBox : {false, true}) {
            const std::unique_ptr<QDialog> dialog = open();
            dialog->show();
            QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
            changeEverything(*dialog, confirm);
            QVERIFY(dialog->isVisible());
            if (closeBox)
                dialog->close();
            else
                press(*dialog, "cmdCancel");
            QCOMPARE(dialog->result(), int(QDialog::Rejected));
            QCOMPARE(env->store.size(), 1);
        }
    }

    void aRefusedWriteIsReportedAndKeepsTheDialogOpen_data() { everyDialog(); }
    void aRefusedWriteIsReportedAndKeepsTheDialogOpen() {
        QFETCH(OpenDialog, open);
        QFETCH(QString, confirm);
        const std::unique_ptr<QDialog> dialog = open();
        env->store.failWrites = true;
        press(*dialog, confirm);
        QVERIFY(dialog->isVisible());
        QCOMPARE(env->messages.shown.size(), 1);
        const QString where =
            QStringLiteral("in %1: Sub %2_Click").arg(QTest::currentDataTag(), confirm);
        QVERIFY2(env->messages.texts()[0].contains(where), qPrintable(env->messages.texts()[0]));
    }
};

QTEST_MAIN(DialogsContractTest)
#include "tst_dialogs_contract.moc"
