#include "engine/SortData.h"
#include "shell/ProgramState.h"

#include <QTest>
#include <ctime>

namespace {

QDateTime at(int day, int hour, int minute = 0) {
    return QDateTime(QDate(2024, 3, day), QTime(hour, minute), Qt::UTC);
}

ActivityRow row(const QDateTime& start, int minutes) {
    ActivityRow r;
    r.StartTime = start;
    r.EndTime = start.addSecs(qint64(minutes) * 60);
    return r;
}

QList<qsizetype> indexes(std::initializer_list<qsizetype> list) {
    return QList<qsizetype>(list);
}

} // namespace

class SortDataTest : public QObject {
    Q_OBJECT

private slots:
    void init() { LanguageBase = 200; }

    void ordersByStartWithEqualStartsInReverseStorageOrder() {
        QList<ActivityRow> rows;
        for (int i = 0; i < 10; ++i)
            rows << row(at(5, 12), 30);
        rows[1] = row(at(5, 8), 30);
        rows[3] = row(at(4, 9), 30); // day 2 at 09:00 ...
        rows[2] = row(at(3, 8), 30); // ... comes after day 1 at 08:00
        const SortResult sorted = SortData(rows, QDate(2024, 3, 3), QDate(2024, 3, 5), "HH:mm");
        QCOMPARE(sorted.order, indexes({2, 3, 1, 9, 8, 7, 6, 5, 4, 0}));
        QCOMPARE(sorted.dayCounts, indexes({1, 1, 8}));
    }

    void countsEveryDayOfTheRangeAndSkipsRowsOutsideIt() {
        QList<ActivityRow> rows = {row(at(10, 9), 60), row(at(1, 9), 60), row(at(13, 23, 59), 0)};
        const SortResult sorted = SortData(rows, QDate(2024, 3, 10), QDate(2024, 3, 13), "HH:mm");
        QCOMPARE(sorted.dayCounts, indexes({1, 0, 0, 1}));
        QCOMPARE(sorted.order, indexes({0, 2}));

        QList<ActivityRow> none;
        const SortResult empty = SortData(none, QDate(2024, 3, 10), QDate(2024, 3, 10), "HH:mm");
        QCOMPARE(empty.dayCounts, indexes({0}));
        QVERIFY(empty.order.isEmpty());
    }

    void writesTimeTextsInTheLocaleStyle() {
        QList<ActivityRow> rows = {row(at(5, 9), 90), row(at(5, 0), 1439), row(at(5, 0), 1440),
                                   row(at(5, 0), 1438), row(at(5, 13, 5), 10)};
        rows[4].Cleared = true;
        SortData(rows, QDate(2024, 3, 5), QDate(2024, 3, 5), "HH:mm:ss");
        QCOMPARE(rows[0].TimeText, "09:00 - 10:30");
        QCOMPARE(rows[1].TimeText, "All Day");
        QCOMPARE(rows[2].TimeText, "00:00 - 00:00");
        QCOMPARE(rows[3].TimeText, "00:00 - 23:58");
        QCOMPARE(rows[4].TimeText, "13:05 - 13:15<br><span class=done>DONE</span>");

        SortData(rows, QDate(2024, 3, 5), QDate(2024, 3, 5), "h:mm:ss AP");
        QCOMPARE(rows[4].TimeText, "01:05 PM - 01:15 PM<br><span class=done>DONE</span>");
        // An unreadable locale gives no picture at all: the 12-hour style.
        SortData(rows, QDate(2024, 3, 5), QDate(2024, 3, 5), QString());
        QCOMPARE(rows[0].TimeText, "09:00 AM - 10:30 AM");
    }

    void timelessRowsShowNoTimeInTheCurrentLanguage() {
        QList<ActivityRow> rows = {row(at(5, 9), 60)};
        rows[0].Timeless = true;
        rows[0].Cleared = true;
        LanguageBase = 400;
        SortData(rows, QDate(2024, 3, 5), QDate(2024, 3, 5), "HH:mm");
        QCOMPARE(rows[0].TimeText, "Aucun<br><span class=done>FAIT</span>");
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
        QCOMPARE(sorted.dayCounts, indexes({1, 2}));
        QCOMPARE(sorted.order, indexes({2, 0, 1}));
    }

    void largeSortIsNotQuadratic() {
        QList<ActivityRow> rows;
        for (int i = 0; i < 100000; ++i)
            rows << row(at(1 + i % 31, i % 24, i % 60), 30);
        QElapsedTimer timer;
        timer.start();
        const SortResult sorted = SortData(rows, QDate(2024, 3, 1), QDate(2024, 3, 31), "HH:mm");
        QCOMPARE(sorted.order.size(), rows.size());
        QVERIFY2(timer.elapsed() < 5000, "sorting 100 000 rows took too long");
        for (qsizetype k = 1; k < sorted.order.size(); ++k)
            QVERIFY(rows[sorted.order[k - 1]].StartTime <= rows[sorted.order[k]].StartTime);
    }
};

QTEST_GUILESS_MAIN(SortDataTest)
#include "tst_sortdata.moc"
