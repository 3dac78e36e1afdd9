#include "RecordingMessages.h"
#include "shell/AppInfo.h"
#include "shell/ErrorReport.h"
#include "shell/ProgramState.h"
#include "shell/StringTable.h"

#include <QTest>

class ErrorReportTest : public QObject {
    Q_OBJECT

private slots:
    void init() { LanguageBase = 200; }

    void reportHasExactFormWithSingleCarriageReturns() {
        const QString text =
            errorReportText(13, QStringLiteral("Type mismatch"), QStringLiteral("frmMain"),
                            QStringLiteral("Sub"), QStringLiteral("Form_Load"), 7);
        QCOMPARE(text, QStringLiteral("Error 13: 'Type mismatch'\rin frmMain: Sub Form_Load - "
                                      "Line # 7\r\rPlease contact ") +
                           app::SupportEmail + QStringLiteral(" with this error message."));
        QVERIFY(!text.contains(QLatin1Char('\n')));
    }

    void lastLineFollowsLanguageUnlessFixed() {
        LanguageBase = 400;
        const QString french =
            errorReportText(6, QStringLiteral("Overflow"), QStringLiteral("Module1"),
                            QStringLiteral("Sub"), QStringLiteral("Main"), 2);
        QVERIFY(french.endsWith(QStringLiteral("Merci de contacter ") + app::SupportEmail +
                                QStringLiteral(" avec ce message.")));
        const QString fixed = QStringLiteral("Please contact x with this error message.");
        QVERIFY(errorReportText(6, QStringLiteral("Overflow"), QStringLiteral("modTime"),
                                QStringLiteral("Function"), QStringLiteral("GetTimeFormat"), 1,
                                fixed)
                    .endsWith(QStringLiteral("\r\r") + fixed));
    }

    void procedureReportsTheStepItReachedAndGoesOn() {
        RecordingMessages recorder;
        Procedure proc(QStringLiteral("frmMain"), QStringLiteral("Function"),
                       QStringLiteral("Convert"));
        proc.setExtra(QStringLiteral("\r\rstrHex='ZZ'"));
        const bool finished = proc.run([&] {
            proc.line(1);
            proc.line(3);
            throw RuntimeError::typeMismatch();
        });
        QVERIFY(!finished);
        QCOMPARE(recorder.shown.size(), 1);
        QCOMPARE(recorder.shown[0].title, QStringLiteral("Daywise error"));
        QCOMPARE(recorder.shown[0].icon, Messages::Icon::None);
        QVERIFY(recorder.shown[0].text.contains(QStringLiteral("Function Convert - Line # 3\r")));
        QVERIFY(recorder.shown[0].text.endsWith(QStringLiteral("message.\r\rstrHex='ZZ'")));
        QVERIFY(proc.run([] {}));
        QCOMPARE(recorder.shown.size(), 1);
    }
};

QTEST_GUILESS_MAIN(ErrorReportTest)
#include "tst_errorreport.moc"
