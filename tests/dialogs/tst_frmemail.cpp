#include "DialogTestSupport.h"
#include "dialogs/frmEmail.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace {

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

    // The stored body "xyz" means "never edited": both templates follow the language.
    void bodyStoredAsTheMarkerReplacesBothTemplates() {
        env->set("Subject=Mine;Body=xyz");
        LanguageBase = 400;
        frmEmail dlg;
        QCOMPARE(subject(dlg)->text(), "Notre prochaine rencontre prévue <joursem>");
        QVERIFY(body(dlg)->toPlainText() != "xyz");
    }

    void typedEnterAndAmpersandAreIgnoredButPastedTextIsKept() {
        env->set("Body=");
        frmEmail dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        subject(dlg)->setFocus();
        QTest::keyClicks(subject(dlg), "R&D");
        QTest::keyClick(subject(dlg), Qt::Key_Return);
        body(dlg)->setFocus();
        QTest::keyClicks(body(dlg), "A&B");
        QTest::keyClick(body(dlg), Qt::Key_Return);
        QCOMPARE(subject(dlg)->text(), "RD");
        QCOMPARE(body(dlg)->toPlainText(), "AB");

        subject(dlg)->clear();
        QGuiApplication::clipboard()->setText("Q&A");
        subject(dlg)->setFocus();
        QTest::keyClick(subject(dlg), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(subject(dlg)->text(), "Q&A");
    }
};

QTEST_MAIN(FrmEmailTest)
#include "tst_frmemail.moc"
