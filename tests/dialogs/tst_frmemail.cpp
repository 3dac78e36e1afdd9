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

const QString EnglishSubject = QStringLiteral("Our meeting of this coming <dayofweek>");
const QString FrenchSubject = QStringLiteral("Notre prochaine rencontre prévue <joursem>");

QLineEdit* subject(const QDialog& dlg) {
    return control<QLineEdit>(dlg, "txtSubject");
}

QPlainTextEdit* body(const QDialog& dlg) {
    return control<QPlainTextEdit>(dlg, "txtBody");
}

} // namespace

class FrmEmailTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DialogTestEnvironment> env;

private slots:
    void init() { env = std::make_unique<DialogTestEnvironment>("Email"); }
    void cleanup() { env.reset(); }

    void nothingStoredProposesTheLanguagesTemplates() {
        {
            frmEmail dlg;
            QVERIFY(!control<QCheckBox>(dlg, "chkActive")->isChecked());
            QCOMPARE(subject(dlg)->text(), EnglishSubject);
            QVERIFY(body(dlg)->toPlainText().startsWith(
                "Just a quick reminder of our upcoming meeting on <month> <day>"));
            press(dlg, "cmdCancel");
        }
        QCOMPARE(env->store.size(), 0);

        LanguageBase = 400;
        frmEmail french;
        QCOMPARE(subject(french)->text(), FrenchSubject);
        QVERIFY(body(french)->toPlainText().contains(
            "qui aura pour sujet <objet>. Voici quelques notes préliminaires : <détails>"));
        press(french, "cmdSave");
        QCOMPARE(env->stored("Active"), "0");
        QCOMPARE(env->stored("Subject"), FrenchSubject);
        QCOMPARE(env->stored("Body"), body(french)->toPlainText());
    }

    void bodyStoredAsTheMarkerReplacesBothTemplates() {
        env->set("Subject=Mine;Body=xyz");
        frmEmail dlg;
        QCOMPARE(subject(dlg)->text(), EnglishSubject);
        QVERIFY(body(dlg)->toPlainText() != "xyz");
    }

    void saveWithoutChangesWritesBackWhatWasStored() {
        for (const QString& text : {QString(), QStringLiteral("See you <day> <month>")}) {
            env->set("Active=1;Subject=Q&A;Body=" + text);
            frmEmail dlg;
            QCOMPARE(subject(dlg)->text(), "Q&A");
            QCOMPARE(body(dlg)->toPlainText(), text);
            press(dlg, "cmdSave");
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(env->differing("Active=1;Subject=Q&A"), QStringList());
            QCOMPARE(env->stored("Body"), text);
            QCOMPARE(env->store.size(), 3);
        }
    }

    void typedEnterAndAmpersandAreIgnoredButPastedTextIsKept() {
        env->set("Body=");
        frmEmail dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        subject(dlg)->setFocus();
        QTest::keyClicks(subject(dlg), "R&D");
        QTest::keyClick(subject(dlg), Qt::Key_Return);
        QTest::keyClick(subject(dlg), Qt::Key_Enter);
        body(dlg)->setFocus();
        QTest::keyClicks(body(dlg), "A&B");
        QTest::keyClick(body(dlg), Qt::Key_Return);
        QTest::keyClicks(body(dlg), "C");
        QVERIFY(dlg.isVisible());
        QCOMPARE(subject(dlg)->text(), "RD");
        QCOMPARE(body(dlg)->toPlainText(), "ABC");
        QCOMPARE(env->store.size(), 1);

        subject(dlg)->clear();
        QGuiApplication::clipboard()->setText("Q&A");
        subject(dlg)->setFocus();
        QTest::keyClick(subject(dlg), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(subject(dlg)->text(), "Q&A");
    }

    void unreadableActiveIsReportedAndCanBeRepaired() {
        env->set("Active=yes;Subject=S;Body=B");
        frmEmail dlg;
        QCOMPARE(env->messages.shown.size(), 1);
        QVERIFY(env->messages.texts()[0].startsWith(
            "Error 13: 'Type mismatch'\rin frmEmail: Sub Form_Load"));
        QCOMPARE(subject(dlg)->text(), "S");
        QCOMPARE(body(dlg)->toPlainText(), "B");
        press(dlg, "cmdSave");
        QCOMPARE(env->stored("Active"), "0");
    }
};

QTEST_MAIN(FrmEmailTest)
#include "tst_frmemail.moc"
