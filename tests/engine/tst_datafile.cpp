#include "engine/ActivitySelection.h"
#include "engine/AtomicTextFile.h"
#include "engine/DataFile.h"
#include "engine/EmailLink.h"
#include "engine/SortData.h"
#include "engine/TextRules.h"
#include "shell/MemorySettingsStore.h"
#include "shell/ProgramState.h"
#include "shell/RuntimeError.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <ctime>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#endif

namespace {

using Indexes = QList<qsizetype>;

QDateTime at(int day, int hour, int minute = 0) {
    return QDateTime(QDate(2024, 3, day), QTime(hour, minute), Qt::UTC);
}

ActivityRow row(const QDateTime& start, int minutes) {
    ActivityRow r;
    r.StartTime = start;
    r.EndTime = start.addSecs(qint64(minutes) * 60);
    return r;
}

ActivityRow meeting(const QDateTime& start, const QString& regarding) {
    ActivityRow row;
    row.TypeCode = "1";
    row.PriorityText = "High";
    row.RecurringFlag = "0";
    row.StartTime = start;
    row.EndTime = start.addSecs(3600);
    row.Regarding = regarding;
    row.RegardingText = Check(htmlText(regarding));
    return row;
}

QStringList lines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QStringList split = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    if (split.last().isEmpty())
        split.removeLast();
    return split;
}

} // namespace

// data.js, the order of its rows and the texts that go into it.
class DataFileTest : public QObject {
    Q_OBJECT

    MemorySettingsStore store;
    QTemporaryDir dir;
    GenerationState state;

    QString write() {
        SortResult sorted = SortData(state.ActivityRows, state.FirstDay, state.LastDay, "HH:mm");
        const QString path = dir.filePath("data.js");
        CreateDataFile(path, state, sorted);
        return path;
    }

private slots:
    void init() {
        store = MemorySettingsStore();
        setSettings(&store);
        LanguageBase = 200;
        CurrentUserName = "Alice Martin";
        state = GenerationState();
        state.FirstDay = state.LastDay = QDate(2024, 3, 5);
        state.EnabledTypeNames = "Calls, Meetings";
    }
    void cleanup() { setSettings(nullptr); }

    // A range across the year end without activities still makes a whole file.
    void anEmptyRangeAcrossTheYearEndInFrench() {
        LanguageBase = 400;
        state.FirstDay = QDate(2024, 12, 30);
        state.LastDay = QDate(2025, 1, 2);
        const QStringList written = lines(write());
        QCOMPARE(written.mid(6, 4),
                 QStringList({"Fdaydate='2024 12 30';", "Ldaydate='2025 1 2';",
                              QString::fromUtf8("Fmonthmmm='déc';"), "Lmonthmmm='jan';"}));
        QVERIFY(written.contains("Day[3]='Jeudi~2 janvier 2025';Nbactivities[3]=0"));
        QCOMPARE(written.last(), "}");
    }

    // The golden week carries the other hostile texts; a line separator would end the string.
    void captionsAreEscapedForThePage() {
        state.ChosenUserNames = "Ann & <Bo>";
        CurrentUserName = "O'Neil";
        QVERIFY(lines(write()).contains("Users='O\\'Neil, Ann &amp; &lt;Bo&gt;';"));
        QCOMPARE(Check(QString::fromUtf16(u"a\u2028b")), "a b");
    }

    // Mail texts are made from the raw values: "&" as "and", beyond ASCII as UTF-8 bytes.
    void emailLinksAreBuiltFromRawValues() {
        QList<ActivityRow> rows = {meeting(at(5, 9), "Tom & Jerry's")};
        rows[0].Details = QString::fromUtf8("50% ~_-. caf\u00e9 \U0001F389");
        rows[0].EmailAddress = "o'neil+x@example.org";
        rows[0].EmailText = "o\\'neil+x@example.org";
        SortData(rows, QDate(2024, 3, 5), QDate(2024, 3, 5), "HH:mm");
        QVERIFY(FilePrint(rows[0], state, 0).contains("Activities[15]='o\\'neil+x@example.org';"));

        state.EmailLinks = true;
        state.EmailBody = "<regarding> at <start>, <details>";
        QCOMPARE(
            CompleteEmail(rows[0], state),
            "<a href=\"mailto:o%27neil%2Bx@example.org?Body=Tom%20and%20Jerry%27s%20at%2009%3A00"
            "%2C%2050%25%20~_-.%20caf%C3%A9%20%F0%9F%8E%89\">o\\'neil+x@example.org</a>");
        rows[0].EmailAddress.clear(); // the address is hidden: no link to nowhere
        QCOMPARE(CompleteEmail(rows[0], state), rows[0].EmailText);

        // A timeless row fills the time placeholders with its caption.
        rows[0].Timeless = true;
        SortData(rows, QDate(2024, 3, 5), QDate(2024, 3, 5), "HH:mm");
        QCOMPARE(Finalize("<start>/<fin>", rows[0]), "None/None");
    }

    // Rows come in start order, equal starts in reverse storage order; every day of the range
    // is counted, and rows outside it are left out.
    void ordersRowsAndCountsEveryDayOfTheRange() {
        QList<ActivityRow> rows = {row(at(5, 12), 30), row(at(4, 7), 30), row(at(3, 8), 30),
                                   row(at(5, 12), 30), row(at(1, 9), 60), row(at(7, 23, 59), 0),
                                   row(at(8, 0), 30)};
        const SortResult sorted = SortData(rows, QDate(2024, 3, 3), QDate(2024, 3, 7), "HH:mm");
        QCOMPARE(sorted.order, Indexes({2, 1, 3, 0, 5}));
        QCOMPARE(sorted.dayCounts, Indexes({1, 1, 2, 0, 1}));
    }

    void writesTimeTextsInTheLocaleStyle() {
        QList<ActivityRow> rows = {row(at(5, 9), 90), row(at(5, 0), 1440), row(at(5, 0), 1438),
                                   row(at(5, 13, 5), 10)};
        rows[3].Cleared = true;
        SortData(rows, QDate(2024, 3, 5), QDate(2024, 3, 5), "HH:mm:ss");
        QCOMPARE(rows[1].TimeText, "00:00 - 00:00");
        QCOMPARE(rows[2].TimeText, "00:00 - 23:58");
        QCOMPARE(rows[3].TimeText, "13:05 - 13:15<br><span class=done>DONE</span>");

        SortData(rows, QDate(2024, 3, 5), QDate(2024, 3, 5), "h:mm:ss AP");
        QCOMPARE(rows[3].TimeText, "01:05 PM - 01:15 PM<br><span class=done>DONE</span>");
        // An unreadable locale gives no picture at all: the 12-hour style.
        SortData(rows, QDate(2024, 3, 5), QDate(2024, 3, 5), QString());
        QCOMPARE(rows[0].TimeText, "09:00 AM - 10:30 AM");
    }

    // Wall-clock readings must not move when the machine's zone changes its clocks.
    void daylightSavingChangeMovesNothing() {
        const QByteArray zone = qgetenv("TZ");
        qputenv("TZ", "Europe/Berlin");
        tzset();
        QList<ActivityRow> rows = {row(at(31, 0), 1439), row(at(31, 2, 30), 60),
                                   row(at(30, 23), 180)};
        const SortResult sorted = SortData(rows, QDate(2024, 3, 30), QDate(2024, 3, 31), "HH:mm");
        qputenv("TZ", zone);
        tzset();
        QCOMPARE(rows[0].TimeText, "All Day");
        QCOMPARE(rows[1].TimeText, "02:30 - 03:30");
        QCOMPARE(rows[2].TimeText, "23:00 - 02:00");
        QCOMPARE(sorted.dayCounts, Indexes({1, 2}));
        QCOMPARE(sorted.order, Indexes({2, 0, 1}));
    }

    // Every entry lands in the file, however many there are.
    void manyActivitiesInOneDayAreAllWritten() {
        const QDateTime nine(QDate(2024, 3, 5), QTime(9, 0), Qt::UTC);
        for (int i = 0; i < 5000; ++i)
            state.ActivityRows << meeting(nine.addSecs(i), QStringLiteral("Entry %1 \\").arg(i));
        const QStringList written = lines(write());
        QVERIFY(written.contains("Day[0]='Tuesday~March 5th, 2024';Nbactivities[0]=5000"));
        // Rows are formatted in blocks on two threads: they must still come out in order.
        const qsizetype first = written.size() - 1 - 5000;
        for (qsizetype k = 0; k < 5000; ++k)
            QVERIFY(written.at(first + k).startsWith(
                QStringLiteral("Activities[%1]='1';").arg(22 * k)));
    }

    // A file that cannot grow (a full disk, here a size limit) was reported as
    // "(Unknown error)", and a write that stopped short went unnoticed.
    void aFileThatCannotGrowSaysWhy_data() {
        QTest::addColumn<int>("lineCount");
        QTest::newRow("flushed on commit") << 100;
        QTest::newRow("flushed while writing") << 100000;
    }
    void aFileThatCannotGrowSaysWhy() {
#ifdef Q_OS_UNIX
        QFETCH(int, lineCount);
        const QStringList lines(lineCount, QStringLiteral("Activities[0]='a line of data';"));
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit small = old;
        small.rlim_cur = 1024;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        QString reason;
        try {
            writeTextFile(dir.filePath("big.js"), lines);
        } catch (const RuntimeError& e) {
            reason = e.description();
        }
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY2(reason.contains(QString::fromLocal8Bit(std::strerror(EFBIG))), qPrintable(reason));
        QVERIFY(reason.contains("big.js"));
        QVERIFY(!QFile::exists(dir.filePath("big.js")));
#else
        QSKIP("needs a limit on the size of files");
#endif
    }
};

QTEST_GUILESS_MAIN(DataFileTest)
#include "tst_datafile.moc"
