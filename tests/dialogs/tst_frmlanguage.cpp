#include "DialogTestSupport.h"
#include "dialogs/frmLanguage.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class FrmLanguageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogTestEnvironment> env;

    static QComboBox* languages(const frmLanguage& dlg) {
        return control<QComboBox>(dlg, "cmbLanguage");
    }
    QString language() const { return env->stored("Language"); }
    void installed() { env->store.SaveSetting("Settings", "Installed", "1"); }

private slots:
    void init() { env = std::make_unique<DialogTestEnvironment>("Options"); }
    void cleanup() { env.reset(); }

    void firstStartSpeaksBothLanguagesAndCannotBeCancelled() {
        frmLanguage dialog;
        QCOMPARE(control<QLabel>(dialog, "Label1")->text(),
                 "Pick your language/Choisissez une langue :");
        QVERIFY(control<QPushButton>(dialog, "cmdCancel")->isHidden());
        QCOMPARE(languages(dialog)->currentText(), "English");
        // Only the two listed languages can be chosen, never free text.
        QVERIFY(!languages(dialog)->isEditable());
        languages(dialog)->setCurrentIndex(1);
        press(dialog, "cmdOK");
        QCOMPARE(language(), "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void onlyLaterStartsCanBeEscapedOrClosed() {
        frmLanguage dialog;
        dialog.show();
        QTest::keyClick(languages(dialog), Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.close());
        QVERIFY(dialog.isVisible());

        installed();
        frmLanguage later;
        later.show();
        QTest::keyClick(languages(later), Qt::Key_Escape);
        QVERIFY(!later.isVisible());
        QCOMPARE(later.result(), int(QDialog::Rejected));
        QCOMPARE(language(), "<absent>");
    }

    void aRefusedFirstChoiceStillLetsTheUserLeave() {
        env->store.failWrites = true;
        frmLanguage dialog;
        press(dialog, "cmdOK");
        QVERIFY(dialog.isVisible());
        QCOMPARE(env->messages.shown.size(), 1);
        QVERIFY(control<QPushButton>(dialog, "cmdCancel")->isVisible());
        press(dialog, "cmdCancel");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void laterOpeningsSpeakTheCurrentLanguageAndCancelStoresNothing() {
        installed();
        env->set("Language=1");
        LanguageBase = 400;
        frmLanguage dialog;
        QVERIFY(!control<QPushButton>(dialog, "cmdCancel")->isHidden());
        QCOMPARE(languages(dialog)->currentText(), "Français");
        languages(dialog)->setCurrentIndex(0);
        press(dialog, "cmdCancel");
        QCOMPARE(language(), "1");
    }
};

QTEST_MAIN(FrmLanguageTest)
#include "tst_frmlanguage.moc"
