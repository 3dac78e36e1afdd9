#include "DialogTestSupport.h"
#include "dialogs/frmLanguage.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

class FrmLanguageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogTestEnvironment> env;

    static QComboBox* languages(const frmLanguage& dlg) {
        return control<QComboBox>(dlg, "cmbLanguage");
    }

private slots:
    void init() { env = std::make_unique<DialogTestEnvironment>("Options"); }
    void cleanup() { env.reset(); }

    // The first start must end with a stored language, so it cannot be escaped or closed.
    void onlyLaterStartsCanBeEscapedOrClosed() {
        frmLanguage dialog;
        dialog.show();
        QTest::keyClick(languages(dialog), Qt::Key_Escape);
        QVERIFY(!dialog.close());
        QVERIFY(dialog.isVisible());
        QVERIFY(!languages(dialog)->isEditable());
        languages(dialog)->setCurrentIndex(1);
        press(dialog, "cmdOK");
        QCOMPARE(env->stored("Language"), "1");

        env->store.SaveSetting("Settings", "Installed", "1");
        frmLanguage later;
        later.show();
        QTest::keyClick(languages(later), Qt::Key_Escape);
        QVERIFY(!later.isVisible());
    }

    void aRefusedFirstChoiceStillLetsTheUserLeave() {
        env->store.failWrites = true;
        frmLanguage dialog;
        press(dialog, "cmdOK");
        QVERIFY(dialog.isVisible());
        QCOMPARE(env->messages.shown.size(), 1);
        press(dialog, "cmdCancel");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(FrmLanguageTest)
#include "tst_frmlanguage.moc"
