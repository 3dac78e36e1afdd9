#include "RecordingMessages.h"
#include "engine/Expansion.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>
#include <ctime>
#include <limits>

namespace {

QDate date(const char* text) {
    return QDate::fromString(QString::fromLatin1(text), Qt::ISODate);
}

QDateTime at(const char* text) {
    const QString s = QString::fromLatin1(text);
    return QDateTime(QDate::fromString(s.left(10), Qt::ISODate),
                     QTime::fromString(s.mid(11), QStringLiteral("HH:mm")), Qt::UTC);
}

quint32 bits(std::initializer_list<int> numbers) {
    quint32 result = 0;
    for (int n : numbers)
        result |= 1U << (n - 1);
    return result;
}

bool has(quint32 set, int number) {
    return number >= 1 && number <= 32 && (set >> (number - 1)) & 1U;
}

// An activity whose recurrence a test sets field by field; kind 0 is a single activity.
struct FakeActivity : act::Activity {
    QDateTime start;
    QDateTime end;
    int duration = 60;
    int kind = 0;
    int every = 1;
    QDate until;
    quint32 monthDays = 0;
    quint32 weeks = 0;
    quint32 weekDays = 0;
    QList<QDate> exceptions;

    void SetDateScope(const QDate&, const QDate&) override {}
    void MoveFirst() override {}
    void MoveNext() override {}
    bool IsEOF() const override { return true; }
    QVariant Data(int field) const override {
        const QMap<int, QVariant> fields{
            {1, QStringLiteral("ACT000000001")}, {28, start}, {29, end}, {30, duration}};
        return fields.value(field, QString());
    }
    bool IsRecurring() const override { return kind != 0; }
    int recurringType() const override { return kind; }
    int GetRecurringFrequency() const override { return every; }
    QDate GetRecurringUntilDate() const override { return until; }
    quint32 GetDaysOfMonthBits() const override { return monthDays; }
    quint32 GetWeeksOfMonthBits() const override { return weeks; }
    quint32 GetDaysofWeekBits() const override { return weekDays; }
    QList<QDate> ExceptionInfo() const override { return exceptions; }
    QString FirstScheduledWith() override { return {}; }
    QString NextScheduledWith() override { return {}; }
};

FakeActivity recurring(const char* start, int kind, int every = 1) {
    FakeActivity a;
    a.start = at(start);
    a.end = a.start.addSecs(3600);
    a.kind = kind;
    a.every = every;
    a.until = a.start.date().addYears(10);
    return a;
}

FakeActivity spanning(const QDateTime& start, const QDateTime& end) {
    FakeActivity a;
    a.start = start;
    a.end = end;
    a.duration = int(start.secsTo(end) / 60);
    return a;
}

using Row = std::pair<QDateTime, QDateTime>;

// The rows the record store would make of each call.
QList<Row> expand(FakeActivity& a, const QDate& first, const QDate& last) {
    QList<Row> rows;
    const StoreRecordFn store = [&](const QString&, qint64 offset, qint64 endMinutes,
                                    bool minuteOffset) {
        const QDateTime s = minuteOffset ? a.start.addSecs(60LL * offset) : a.start.addDays(offset);
        rows.append({s, s.addSecs(60LL * (endMinutes != 0 ? endMinutes : a.duration))});
    };
    if (a.kind != 0)
        Treat_Recurring(a, first, last, store);
    else
        Treat_MultipleDays(a, first, last, store);
    std::sort(rows.begin(), rows.end());
    return rows;
}

// "03-10 09:00-10:00" for each row.
QStringList texts(const QList<Row>& rows) {
    QStringList list;
    for (const Row& row : rows)
        list << row.first.toString(QStringLiteral("MM-dd HH:mm-")) +
                    row.second.toString(QStringLiteral("HH:mm"));
    return list;
}

// The occurrence days found by walking every day from the series' start, deliberately naive.
QList<QDate> referenceDays(const FakeActivity& a, const QDate& first, const QDate& last) {
    const int every = std::max(1, a.every);
    QList<QDate> result;
    int seenWeekDay[8] = {};
    int month = 0;
    for (QDate d = a.start.date(); d <= last && d <= a.until; d = d.addDays(1)) {
        if (d.day() == 1 && d != a.start.date())
            ++month;
        const int weekDay = d.dayOfWeek() == Qt::Sunday ? 1 : d.dayOfWeek() + 1;
        const int nth = seenWeekDay[weekDay]++;
        const bool lastOfMonth = d.addDays(7).month() != d.month();
        bool occurs = false;
        if (a.kind == 1)
            occurs = a.start.date().daysTo(d) % every == 0;
        else if (a.kind == 2)
            occurs = has(a.weekDays, weekDay) && nth % every == 0;
        else if (a.kind == 3)
            occurs = month % every == 0 && has(a.monthDays, d.day());
        else if (a.kind == 4)
            occurs = month % every == 0 && has(a.weekDays, weekDay) &&
                     (has(a.weeks, (d.day() - 1) / 7 + 1) || (has(a.weeks, 5) && lastOfMonth));
        if (occurs && d >= first && !a.exceptions.contains(d))
            result << d;
    }
    return result;
}

} // namespace

class ExpansionTest : public QObject {
    Q_OBJECT

private slots:
    // Every case runs where clocks change, so no reading may move with them.
    void initTestCase() {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    // The edges the day-by-day reference below seldom draws: an end at midnight, a start in
    // the last minute of a day.
    void multiDayRowsAtTheEdgesOfADay() {
        FakeActivity toMidnight = spanning(at("2024-03-11 14:00"), at("2024-03-13 00:00"));
        QCOMPARE(texts(expand(toMidnight, date("2024-03-10"), date("2024-03-16"))),
                 QStringList({"03-11 14:00-23:59", "03-12 00:00-23:59"}));
        QVERIFY(!isMultiDay(at("2024-03-11 12:00"), at("2024-03-12 00:00")));

        FakeActivity lateStart = spanning(at("2024-03-11 23:59"), at("2024-03-12 08:00"));
        QCOMPARE(texts(expand(lateStart, date("2024-03-10"), date("2024-03-16"))),
                 QStringList({"03-11 23:59-00:00", "03-12 00:00-08:00"}));
    }

    // Minute offsets of more than 2^31 used to overflow: spans past about 4 084 years.
    void extremeSpansAndIntervals() {
        RecordingMessages recorder;
        FakeActivity ages = spanning(at("0100-01-01 09:00"), at("9000-12-31 17:00"));
        QCOMPARE(texts(expand(ages, date("2024-03-11"), date("2024-03-12"))),
                 QStringList({"03-11 00:00-23:59", "03-12 00:00-23:59"}));
        QCOMPARE(texts(expand(ages, date("9000-12-31"), date("9000-12-31"))),
                 QStringList({"12-31 00:00-17:00"}));

        const int widest = std::numeric_limits<int>::max();
        for (const int kind : {1, 2, 3, 4}) {
            FakeActivity sparse = recurring("2024-03-11 09:00", kind, widest);
            sparse.until = QDate();
            sparse.weekDays = bits({2});
            sparse.monthDays = bits({11});
            sparse.weeks = bits({2});
            QCOMPARE(texts(expand(sparse, date("2024-03-01"), date("2024-03-31"))),
                     QStringList({"03-11 09:00-10:00"}));
            QVERIFY(expand(sparse, date("2024-04-01"), date("2024-04-30")).isEmpty());
        }
        QVERIFY2(recorder.shown.isEmpty(), qPrintable(recorder.texts().join('\n')));
    }

    void unreadableActivityIsReportedAndStoresNothing() {
        RecordingMessages recorder;
        FakeActivity broken = recurring("2024-03-01 09:00", 1);
        broken.start = QDateTime();
        QVERIFY(expand(broken, date("2024-03-01"), date("2024-03-31")).isEmpty());
        broken.kind = 0;
        QVERIFY(expand(broken, date("2024-03-01"), date("2024-03-31")).isEmpty());
        QCOMPARE(recorder.shown.size(), 2);
        QVERIFY(recorder.shown[0].text.contains(QStringLiteral("in frmMain: Sub Treat_Recurring")));
        QVERIFY(
            recorder.shown[1].text.contains(QStringLiteral("in frmMain: Sub Treat_MultipleDays")));
    }

    void occurrencesMatchADayByDayReference() {
        QRandomGenerator random(20240311);
        for (int i = 0; i < 4000; ++i) {
            const QDate first = date("2020-01-01").addDays(random.bounded(3000));
            const QDate last = first.addDays(random.bounded(40));
            FakeActivity a =
                recurring("2020-01-01 00:00", random.bounded(1, 5), random.bounded(0, 5));
            a.start = QDateTime(first.addDays(random.bounded(-4000, 40)),
                                QTime(random.bounded(24), random.bounded(60)), Qt::UTC);
            a.until = a.start.date().addDays(random.bounded(-5, 4000));
            a.monthDays = random.generate() & random.generate() & random.generate();
            a.weeks = random.bounded(32U);
            a.weekDays = random.bounded(128U);
            for (int e = random.bounded(3); e > 0; --e)
                a.exceptions << first.addDays(random.bounded(40));

            QList<QDate> found;
            for (const Row& row : expand(a, first, last)) {
                found << row.first.date();
                QVERIFY(row.first.time() == a.start.time() && row.first.secsTo(row.second) == 3600);
            }
            QVERIFY2(found == referenceDays(a, first, last), qPrintable(QString::number(i)));
        }
    }

    void multiDayRowsMatchADayByDayReference() {
        QRandomGenerator random(20240309);
        for (int i = 0; i < 3000; ++i) {
            const QDate first = date("2020-01-01").addDays(random.bounded(3000));
            const QDate last = first.addDays(random.bounded(35));
            const QDateTime start(first.addDays(random.bounded(-60, 40)),
                                  QTime(random.bounded(24), random.bounded(60)), Qt::UTC);
            const QDateTime end = start.addSecs(60 * random.bounded(1, 60 * 24 * 80));
            QCOMPARE(isMultiDay(start, end), end > QDateTime(start.date().addDays(1), {}, Qt::UTC));
            if (!isMultiDay(start, end))
                continue;

            QList<Row> expected;
            for (QDate d = first; d <= last; d = d.addDays(1)) {
                const QDateTime dayStart(d, QTime(0, 0), Qt::UTC);
                if (start >= dayStart.addDays(1) || end <= dayStart)
                    continue;
                const QDateTime rowStart = std::max(start, dayStart);
                const QDateTime dayEnd = dayStart.addSecs(1439 * 60);
                expected.append({rowStart, std::max(std::min(end, dayEnd), rowStart.addSecs(60))});
            }
            FakeActivity a = spanning(start, end);
            QVERIFY2(expand(a, first, last) == expected,
                     qPrintable(start.toString(Qt::ISODate) + " " + end.toString(Qt::ISODate)));
        }
    }
};

QTEST_GUILESS_MAIN(ExpansionTest)
#include "tst_expansion.moc"
