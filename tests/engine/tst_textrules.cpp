#include "engine/ActivitySelection.h"
#include "engine/DateTexts.h"
#include "engine/TextRules.h"
#include "shell/ProgramState.h"

#include <QTest>

class TextRulesTest : public QObject {
    Q_OBJECT

private slots:
    void checkKeepsEveryTextOneScriptString_data() {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("safe");
        QTest::newRow("apostrophe and line break") << "Call Bob's\r\nteam"
                                                   << "Call Bob\\'s team";
        QTest::newRow("braces") << "Bob's {team}"
                                << "Bob\\'s (team)";
        QTest::newRow("trailing backslash") << "C:\\"
                                            << "C:\\\\";
        QTest::newRow("escape sequences") << "\\x41\\u0041\\'"
                                          << "\\\\x41\\\\u0041\\\\\\'";
        QTest::newRow("line separator") << QString::fromUtf16(u"a\u2028b") << "a b";
    }
    void checkKeepsEveryTextOneScriptString() {
        QFETCH(QString, raw);
        QFETCH(QString, safe);
        QCOMPARE(Check(raw), safe);
    }

    void convertTurnsWindowsColoursIntoPageColours() {
        QCOMPARE(Convert("FF"), "FF0000");
        QCOMPARE(Convert("CCFF"), "FFCC00");
        QCOMPARE(Convert("0"), "000000");
        QCOMPARE(Convert("ABCDEF"), "EFCDAB");
        QCOMPARE(colorText(52479), "FFCC00");
    }

    void longDatesInBothLanguages() {
        LanguageBase = 200;
        QCOMPARE(FormattedDate(QDate(2003, 1, 1)), "January 1st, 2003");
        QCOMPARE(FormattedDate(QDate(2003, 1, 22)), "January 22nd, 2003");
        QCOMPARE(FormattedDate(QDate(2003, 1, 23)), "January 23rd, 2003");
        QCOMPARE(FormattedDate(QDate(2003, 1, 11)), "January 11th, 2003");
        QCOMPARE(FormattedDate(QDate(2003, 1, 12)), "January 12th, 2003");
        QCOMPARE(FormattedDate(QDate(2003, 1, 13)), "January 13th, 2003");
        QCOMPARE(GetDay(QDate(2024, 3, 10)), "Sunday");
        LanguageBase = 400;
        QCOMPARE(FormattedDate(QDate(2003, 1, 1)), "1er janvier 2003");
        QCOMPARE(FormattedDate(QDate(2003, 8, 21)), QString::fromUtf8("21 août 2003"));
        QCOMPARE(GetDay(QDate(2024, 3, 10)), "Dimanche");
        LanguageBase = 200;
    }
};

QTEST_GUILESS_MAIN(TextRulesTest)
#include "tst_textrules.moc"
