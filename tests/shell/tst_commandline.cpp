#include "shell/CommandLine.h"
#include "shell/HeadlessCommandLine.h"
#include "support/RunProgram.h"

#include <QTest>

class CommandLineTest : public QObject {
    Q_OBJECT

    const QDate today{2024, 3, 11};

private slots:
    void onlyDaywiseOptionsMakeTheHeadlessRun_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("headless");
        QTest::newRow("nothing") << QStringList{} << false;
        QTest::newRow("-style and -reverse")
            << QStringList{"-style", "Fusion", "-reverse"} << false;
        QTest::newRow("--create after Qt's")
            << QStringList{"-platform", "offscreen", "--create"} << true;
        QTest::newRow("a stray word") << QStringList{"calendar"} << true;
    }
    void onlyDaywiseOptionsMakeTheHeadlessRun() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, headless);
        QCOMPARE(asksForHeadlessRun(QStringList{"daywise"} + arguments), headless);
    }
    void qtOptionsAndTheirValuesAreLeftToQt() {
        QCOMPARE(withoutQtWindowOptions(
                     {"daywise", "-platform", "offscreen", "--create", "-style=Fusion", "--week"}),
                 QStringList({"daywise", "--create", "--week"}));
    }
    void daysInEveryForm_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("day");
        QTest::newRow("ISO") << "2024-02-29" << QDate(2024, 2, 29);
        QTest::newRow("Tomorrow") << "Tomorrow" << QDate(2024, 3, 12);
        QTest::newRow("+N") << "+30" << QDate(2024, 4, 10);
        QTest::newRow("-N") << "-11" << QDate(2024, 2, 29);
        QTest::newRow("no such day") << "2023-02-29" << QDate();
        QTest::newRow("no sign") << "3" << QDate();
    }
    void daysInEveryForm() {
        QFETCH(QString, text);
        QFETCH(QDate, day);
        QCOMPARE(dayFromText(text, today), day);
    }
    void theRequestAsGiven() {
        const HeadlessRequest r = parseHeadlessCommandLine(
            {"daywise", "--create", "--start=-7", "--end", "+2", "--html-dir", "out", "--open"},
            today);
        QCOMPARE(r.action, HeadlessRequest::Action::Create);
        QCOMPARE(r.start, QDate(2024, 3, 4));
        QCOMPARE(r.end, QDate(2024, 3, 13));
        QCOMPARE(r.htmlDir, "out");
        QVERIFY(r.open);
    }
    void mistakesAreNamed_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown option") << QStringList{"--bogus"} << "'bogus'";
        QTest::newRow("--start without --create")
            << QStringList{"--start", "today"} << "--start needs --create";
        QTest::newRow("--end with --week")
            << QStringList{"--create", "--end", "today", "--week"} << "--end and --week";
        QTest::newRow("bad day") << QStringList{"--create", "--start", "11/03/2024"}
                                 << "--start: not a day: '11/03/2024'";
        QTest::newRow("stray word") << QStringList{"--create", "week"} << "'week'";
    }
    void mistakesAreNamed() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        try {
            parseHeadlessCommandLine(QStringList{"daywise"} + arguments, today);
            QFAIL("the mistake went through");
        } catch (const UsageError& mistake) {
            QVERIFY2(mistake.message.contains(named), qPrintable(mistake.message));
        }
    }
    void refusedRangesNameWhatIsAllowed() {
        QCOMPARE(rangeMistake(QDate(2024, 1, 15), QDate(2024, 2, 15)), QString());
        QCOMPARE(rangeMistake(QDate(2024, 1, 15), QDate(2024, 2, 16)),
                 "the range 2024-01-15 to 2024-02-16 is longer than a month; the last end date "
                 "allowed is 2024-02-15");
        QVERIFY(rangeMistake(QDate(2024, 1, 31), QDate(2024, 3, 3)).endsWith("2024-03-02"));
        QCOMPARE(rangeMistake(QDate(2024, 1, 15), QDate(2024, 1, 14)),
                 "the range ends on 2024-01-14, before it starts on 2024-01-15");
    }
    // The program itself: one line naming the mistake, the hint, status 2; help for a user.
    void theProgramAnswersAsALinuxToolDoes() {
        ProgramResult run = runProgram(DAYWISE_PROGRAM, {"--create", "--week", "--month"}, {});
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.err, "daywise: --week and --month cannot be given together\n"
                          "Try 'daywise --help' for more information.\n");
        QVERIFY(run.out.isEmpty());

        run = runProgram(DAYWISE_PROGRAM, {"--help"}, {});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("Usage: daywise [--create [options]]\n"));
        QVERIFY(run.out.contains("DAYWISE_ACT_HOME"));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
