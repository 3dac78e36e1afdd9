#include "DialogTestSupport.h"
#include "dialogs/frmEmail.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString Email = QStringLiteral("Email");
const QString EnglishSubject = QStringLiteral("Our meeting of this coming <dayofweek>");
const QString FrenchSubject = QStringLiteral("Notre prochaine rencontre prévue <joursem>");

QLineEdit* subject(const QDialog& dlg) {
    return control<QLineEdit>(dlg, QStringLiteral("txtSubject"));
}

QPlainTextEdit* body(const QDialog& dlg) {
    return control<QPlainTextEdit>(dlg, QStringLiteral("txtBody"));
}

} // namespace

class FrmEmailTest : public QObject {
    Q_OBJECT

private slots:
    void nothingStoredProposesTheLanguagesTemplates() {
        DialogTestEnvironment env;
        {
            frmEmail dlg;
            QVERIFY(!control<QCheckBox>(dlg, QStringLiteral("chkActive"))->isChecked());
            QCOMPARE(subject(dlg)->text(), EnglishSubject);
            QVERIFY(body(dlg)->toPlainText().startsWith(
                QStringLiteral("Just a quick reminder of our upcoming meeting on <month> <day>")));
            QVERIFY(body(dlg)->toPlainText().endsWith(
                QStringLiteral("Here are some preliminary notes : <details>")));
            press(dlg, QStringLiteral("cmdCancel"));
        }
        QCOMPARE(env.store.size(), 0);

        LanguageBase = 400;
        frmEmail french;
        QCOMPARE(french.windowTitle(), QStringLiteral("Options e-mail"));
        QCOMPARE(control<QPushButton>(french, QStringLiteral("cmdSave"))->text(),
                 QStringLiteral("&Enregistrer"));
        QCOMPARE(subject(french)->text(), FrenchSubject);
        QVERIFY(body(french)->toPlainText().contains(
            QStringLiteral("qui aura pour sujet <objet>. Voici quelques notes préliminaires : "
                           "<détails>")));
        press(french, QStringLiteral("cmdSave"));
        QCOMPARE(env.value(Email, QStringLiteral("Active")), QStringLiteral("0"));
        QCOMPARE(env.value(Email, QStringLiteral("Subject")), FrenchSubject);
        QCOMPARE(env.value(Email, QStringLiteral("Body")), body(french)->toPlainText());
    }

    void bodyStoredAsTheMarkerReplacesBothTemplates() {
        DialogTestEnvironment env;
        env.store.SaveSetting(Email, QStringLiteral("Subject"), QStringLiteral("Mine"));
        env.store.SaveSetting(Email, QStringLiteral("Body"), QStringLiteral("xyz"));
        frmEmail dlg;
        QCOMPARE(subject(dlg)->text(), EnglishSubject);
        QVERIFY(body(dlg)->toPlainText() != QStringLiteral("xyz"));
    }

    void saveWithoutChangesWritesBackWhatWasStored() {
        DialogTestEnvironment env;
        for (const QString& stored : {QString(), QStringLiteral("See you <day> <month>")}) {
            env.store.SaveSetting(Email, QStringLiteral("Active"), QStringLiteral("1"));
            env.store.SaveSetting(Email, QStringLiteral("Subject"), QStringLiteral("Q&A"));
            env.store.SaveSetting(Email, QStringLiteral("Body"), stored);
            frmEmail dlg;
            QCOMPARE(subject(dlg)->text(), QStringLiteral("Q&A"));
            QCOMPARE(body(dlg)->toPlainText(), stored);
            press(dlg, QStringLiteral("cmdSave"));
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(env.value(Email, QStringLiteral("Active")), QStringLiteral("1"));
            QCOMPARE(env.value(Email, QStringLiteral("Subject")), QStringLiteral("Q&A"));
            QCOMPARE(env.value(Email, QStringLiteral("Body")), stored);
            QCOMPARE(env.store.size(), 3);
        }
    }

    void typedEnterAndAmpersandAreIgnored() {
        DialogTestEnvironment env;
        env.store.SaveSetting(Email, QStringLiteral("Body"), QString());
        frmEmail dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        subject(dlg)->setFocus();
        QTest::keyClicks(subject(dlg), QStringLiteral("R&D"));
        QTest::keyClick(subject(dlg), Qt::Key_Return);
        QTest::keyClick(subject(dlg), Qt::Key_Enter);
        body(dlg)->setFocus();
        QTest::keyClicks(body(dlg), QStringLiteral("A&B"));
        QTest::keyClick(body(dlg), Qt::Key_Return);
        QTest::keyClicks(body(dlg), QStringLiteral("C"));
        QVERIFY(dlg.isVisible());
        QCOMPARE(subject(dlg)->text(), QStringLiteral("RD"));
        QCOMPARE(body(dlg)->toPlainText(), QStringLiteral("ABC"));
        QCOMPARE(env.store.size(), 1);
    }

    void pastedTextIsKeptAsItIs() {
        DialogTestEnvironment env;
        frmEmail dlg;
        dlg.show();
        subject(dlg)->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("Q&A"));
        subject(dlg)->setFocus();
        QTest::keyClick(subject(dlg), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(subject(dlg)->text(), QStringLiteral("Q&A"));
    }

    void unreadableActiveIsReportedAndCanBeRepaired() {
        DialogTestEnvironment env;
        env.store.SaveSetting(Email, QStringLiteral("Active"), QStringLiteral("yes"));
        env.store.SaveSetting(Email, QStringLiteral("Subject"), QStringLiteral("S"));
        env.store.SaveSetting(Email, QStringLiteral("Body"), QStringLiteral("B"));
        frmEmail dlg;
        QCOMPARE(env.messages.shown.size(), 1);
        QVERIFY(env.messages.texts()[0].startsWith(
            QStringLiteral("Error 13: 'Type mismatch'\rin frmEmail: Sub Form_Load")));
        QCOMPARE(subject(dlg)->text(), QStringLiteral("S"));
        QCOMPARE(body(dlg)->toPlainText(), QStringLiteral("B"));
        press(dlg, QStringLiteral("cmdSave"));
        QCOMPARE(env.value(Email, QStringLiteral("Active")), QStringLiteral("0"));
    }

    void failedWriteKeepsTheDialogOpen() {
        DialogTestEnvironment env;
        env.store.failWrites = true;
        frmEmail dlg;
        press(dlg, QStringLiteral("cmdSave"));
        QVERIFY(dlg.isVisible());
        QCOMPARE(env.messages.shown.size(), 1);
        QVERIFY(env.messages.texts()[0].contains(QStringLiteral("in frmEmail: Sub cmdSave_Click")));
    }
};

QTEST_MAIN(FrmEmailTest)
#include "tst_frmemail.moc"
