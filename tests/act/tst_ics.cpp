#include "act/standin/ActHome.h"
#include "support/DamagedDatabase.h"
#include "support/RunProgram.h"
#include "support/StandinFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// daywise-actdb run as a user would, and calendar files in and out: daywise-actdb import-ics,
// then daywise --create over the database, judged by the rows of the data.js it writes.
class IcsTest : public QObject {
    Q_OBJECT

    using Result = ProgramResult;

    struct Row {
        QDate day;
        QStringList fields;
        QString time() const { return fields.value(2); }
        QString regarding() const { return fields.value(4); }
    };
    enum Field { Alarm = 3, Details = 5, Contact = 6, AlsoWith = 19 };

    QTemporaryDir dir_;
    QString zone_ = QStringLiteral("UTC");

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString home() const { return path(QStringLiteral("home")); }
    static QString fixture(const QString& name) {
        return qEnvironmentVariable("DAYWISE_FIXTURES") + QStringLiteral("/ics/") + name;
    }

    Result run(const QString& program, const QStringList& arguments) const {
        return runProgram(program, arguments,
                          {{QStringLiteral("DAYWISE_ACT_HOME"), home()},
                           {QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config"))},
                           {QStringLiteral("TZ"), zone_}});
    }

    Result actdb(const QStringList& arguments) const {
        return run(QStringLiteral(DAYWISE_ACTDB), arguments);
    }

    // Imports the fixtures into a new database for the user "Me Myself", over 2024 and 2025.
    Result importIcs(const QString& db, const QStringList& fixtures,
                     const QStringList& options = {}) const {
        QStringList arguments{QStringLiteral("import-ics"), db};
        for (const QString& name : fixtures)
            arguments << fixture(name);
        return actdb(
            arguments + options +
            QStringList{"--user", "Me Myself", "--from", "2024-01-01", "--to", "2025-12-31"});
    }

    // The rows of the calendar of first..last over the database, every type and cleared ones
    // included; ics, when given, receives the exported calendar.
    QList<Row> calendar(const QString& db, const QDate& first, const QDate& last,
                        const QString& ics = QString()) const {
        if (actdb({"open", db}).exitCode != 0)
            return {};
        const QString html = path(QStringLiteral("html-") + QFileInfo(db).baseName());
        QStringList arguments{"--create", "--html-dir", html};
        arguments << "--start" << first.toString(Qt::ISODate) << "--end"
                  << last.toString(Qt::ISODate);
        if (!ics.isEmpty())
            arguments << "--ics" << ics;
        const Result created = run(QStringLiteral(DAYWISE_PROGRAM), arguments);
        if (created.exitCode != 0) {
            qWarning("%s", qPrintable(created.err));
            return {};
        }
        return rowsOf(html + QStringLiteral("/data.js"), first);
    }

    static QList<Row> rowsOf(const QString& dataJs, const QDate& first) {
        QFile file(dataJs);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QString text = QString::fromUtf8(file.readAll());
        static const QRegularExpression perDay(QStringLiteral("Nbactivities\\[(\\d+)\\]=(\\d+)"));
        static const QRegularExpression value(
            QStringLiteral("Activities\\[\\d+\\]='((?:[^'\\\\]|\\\\.)*)';"));
        static const QRegularExpression escape(QStringLiteral("\\\\(.)"));
        QList<QDate> dayOfRow;
        for (auto m = perDay.globalMatch(text); m.hasNext();) {
            const auto match = m.next();
            for (int n = match.captured(2).toInt(); n > 0; --n)
                dayOfRow << first.addDays(match.captured(1).toInt());
        }
        QStringList values;
        for (auto m = value.globalMatch(text); m.hasNext();)
            values << m.next().captured(1).replace(escape, QStringLiteral("\\1"));
        QList<Row> rows;
        for (qsizetype i = 0; i < dayOfRow.size(); ++i)
            rows.append({dayOfRow.at(i), values.mid(i * 22, 22)});
        return rows;
    }

    static QStringList dayTimes(const QList<Row>& rows, const QString& regarding) {
        QStringList found;
        for (const Row& row : rows)
            if (row.regarding().startsWith(regarding))
                found << row.day.toString(QStringLiteral("MM-dd ")) + row.time();
        return found;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QDir().mkpath(path(QStringLiteral("config/Daywise")));
        QFile settings(path(QStringLiteral("config/Daywise/Daywise.conf")));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Filter]\nType2=1\nCleared=0\n[Options]\n");
        for (int field = 0; field <= 15; ++field)
            settings.write(QByteArray("Field") + QByteArray::number(field) + "=1\n");
    }

    void createOpenStatusClose() {
        const QString db = path(QStringLiteral("status.actdb"));
        QCOMPARE(actdb({"create", db}).exitCode, 0);
        QCOMPARE(actdb({"open", db}).exitCode, 0);
        const Result r = actdb({"status"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains("ACT! running: yes"));
        QVERIFY(r.out.contains("open database: " + QFileInfo(db).absoluteFilePath()));
        QCOMPARE(actdb({"close"}).exitCode, 0);
        QVERIFY(actdb({"status"}).out.contains("ACT! running: no"));
    }

    // What is refused is named, fails with 1 and changes nothing.
    void badPathsAndFixturesFailClearlyAndChangeNothing() {
        const QString db = path(QStringLiteral("every.actdb"));
        const QString everyKey = qEnvironmentVariable("DAYWISE_FIXTURES") + "/every-key.json";
        QCOMPARE(actdb({"import", db, everyKey}).exitCode, 0);
        const Result before = actdb({"export", db});
        QCOMPARE(before.exitCode, 0);
        QFile bad(path(QStringLiteral("bad.json")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(R"({"current_user": "USR000000001", "users": [{"id": "USR1", "name": "A"}]})");
        bad.close();
        const QString missing = path(QStringLiteral("missing.actdb"));
        const QList<std::pair<QStringList, QString>> refusals = {
            {{"open", missing}, missing},
            {{"export", missing}, missing},
            {{"import", missing, path(QStringLiteral("no-such-fixture.json"))}, "no-such-fixture"},
            {{"import", db, bad.fileName()}, R"(user "USR1", key "id")"}};
        for (const auto& [arguments, named] : refusals) {
            const Result r = actdb(arguments);
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains(named), qPrintable(r.err));
        }
        QCOMPARE(actdb({"export", db}).out, before.out);
        QVERIFY(!QFile::exists(missing));
        QVERIFY(!act::standin::ActHome(home()).isRunning());
    }

    void usageErrorsExitWithTwoAndHelpDoesNothingElse() {
        const QString db = path(QStringLiteral("d.actdb"));
        const Result r = actdb({"demo", db, "--today", "2024-02-30"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains("2024-02-30"));
        for (const QStringList& arguments :
             {QStringList{}, QStringList{"frobnicate"}, QStringList{"demo", db, "--bogus"},
              QStringList{"close", "extra"}}) {
            const Result wrong = actdb(arguments);
            QCOMPARE(wrong.exitCode, 2);
            QVERIFY2(wrong.err.contains("Try 'daywise-actdb --help'"), qPrintable(wrong.err));
        }
        const Result demo = actdb({"demo", "--help"});
        QCOMPARE(demo.exitCode, 0);
        QVERIFY2(demo.out.startsWith("Usage: daywise-actdb demo [options] DB\n"),
                 qPrintable(demo.out));
        QVERIFY(!QFile::exists(db));
        QVERIFY(!QFile::exists("--help"));
    }

    void aDamagedDatabaseIsNotExportedInPart() {
        const QString db = path(QStringLiteral("damaged.actdb"));
        act::standin::importFixture(db, manyPagesFixture());
        damageLeafPage(db, QStringLiteral("contact_data"), 1);
        const Result r = actdb({"export", db});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("malformed"), qPrintable(r.err));
        QCOMPARE(r.out, QString());
    }

    // In its own zone a series keeps its hour; from another it follows both zones' changes.
    void aWeeklySeriesAcrossDaylightSaving_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("own zone") << "America/New_York"
                                  << QStringList({"03-04 09:00 - 10:00", "03-11 09:00 - 10:00",
                                                  "03-25 09:00 - 10:00", "04-01 09:00 - 10:00"});
        QTest::newRow("other zone") << "Europe/Paris"
                                    << QStringList({"03-04 15:00 - 16:00", "03-11 14:00 - 15:00",
                                                    "03-25 14:00 - 15:00", "04-01 15:00 - 16:00"});
    }
    void aWeeklySeriesAcrossDaylightSaving() {
        QFETCH(QString, zone);
        QFETCH(QStringList, expected);
        const QString db = path(QFileInfo(zone).fileName() + QStringLiteral(".actdb"));
        QCOMPARE(importIcs(db, {"weekly-across-dst.ics"}, {"--zone", zone}).exitCode, 0);
        QCOMPARE(dayTimes(calendar(db, QDate(2024, 3, 4), QDate(2024, 4, 1)), "Mondays at nine"),
                 expected);
    }

    void recurrencesCountsAndMovedOccurrences() {
        const QString db = path(QStringLiteral("recurring.actdb"));
        QCOMPARE(importIcs(db, {"daily-count.ics", "moved-occurrence.ics"}).exitCode, 0);
        const QList<Row> rows = calendar(db, QDate(2024, 3, 1), QDate(2024, 3, 31));
        // Paris is an hour ahead of the machine's UTC in March.
        QCOMPARE(dayTimes(rows, "Every other day"),
                 QStringList({"03-04 07:30 - 08:00", "03-06 07:30 - 08:00", "03-08 07:30 - 08:00",
                              "03-10 07:30 - 08:00"}));
        QCOMPARE(dayTimes(rows, "Wednesdays at ten"),
                 QStringList({"03-06 10:00 - 11:00", "03-20 10:00 - 11:00"}));
        QCOMPARE(dayTimes(rows, "Moved from"), QStringList({"03-14 16:00 - 17:00"}));
    }

    void allDayFloatingAndCancelledEvents() {
        const QString db = path(QStringLiteral("all-day.actdb"));
        const Result imported = importIcs(db, {"all-day.ics"}, {"--zone", "Asia/Tokyo"});
        QCOMPARE(imported.exitCode, 0);
        QVERIFY2(imported.out.contains("expanded 1 repeating item(s) into 2 single activities"),
                 qPrintable(imported.out));
        QVERIFY2(imported.out.contains("left out 1"), qPrintable(imported.out));
        const QList<Row> rows = calendar(db, QDate(2024, 3, 10), QDate(2024, 3, 16));
        QCOMPARE(dayTimes(rows, "Yearly on 15 March"), QStringList({"03-15 None"}));
        QCOMPARE(dayTimes(rows, "Three whole days"),
                 QStringList({"03-11 None", "03-12 None", "03-13 None"}));
        QCOMPARE(dayTimes(rows, "Floating"), QStringList({"03-12 07:00 - 07:30"}));
        QVERIFY(dayTimes(rows, "Cancelled").isEmpty());
    }

    void toDosCrLfFoldedLinesPeopleAndAlarms() {
        const QString db = path(QStringLiteral("fields.actdb"));
        QCOMPARE(importIcs(db, {"todos.ics", "crlf-folded.ics"}).exitCode, 0);
        const QList<Row> rows = calendar(db, QDate(2024, 3, 11), QDate(2024, 3, 17));
        QCOMPARE(rows.size(), 3);
        // By day: the open to-do, the done one on its due day, then the folded event.
        const Row& open = rows[0];
        const Row& done = rows[1];
        const Row& folded = rows[2];
        QCOMPARE(open.fields.mid(0, 2), QStringList({"2", "High"}));
        QVERIFY(!open.time().contains(QStringLiteral("DONE")));
        QCOMPARE(done.day, QDate(2024, 3, 14));
        QVERIFY2(done.time().contains(QStringLiteral("DONE")), qPrintable(done.time()));
        QCOMPARE(folded.regarding(), QStringLiteral("CR LF line ends and a summary folded over "
                                                    "two lines in the middle of a word"));
        QVERIFY(folded.fields.at(Details).contains(QStringLiteral("café order")));
        QVERIFY(folded.fields.at(Details).contains(QStringLiteral("Room 4")));
        QCOMPARE(folded.fields.at(AlsoWith), QStringLiteral("Ann Smith"));
        QCOMPARE(folded.fields.at(Contact), QStringLiteral("Lefèvre, Jean-Luc"));
        QCOMPARE(folded.fields.at(Alarm), QStringLiteral("15'"));
    }

    void badFilesNameTheLineAndLeaveNoDatabase_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("not iCalendar") << "broken-not-icalendar.ics"
                                       << "broken-not-icalendar.ics:1: not an iCalendar file";
        QTest::newRow("cut short") << "broken-cut-short.ics"
                                   << "broken-cut-short.ics:7: the calendar is cut short";
        QTest::newRow("no start") << "broken-no-start.ics"
                                  << "broken-no-start.ics:10: VEVENT without a start";
        QTest::newRow("unknown zone") << "broken-unknown-zone.ics"
                                      << "broken-unknown-zone.ics:7: unknown time zone";
    }

    void badFilesNameTheLineAndLeaveNoDatabase() {
        QFETCH(QString, file);
        QFETCH(QString, message);
        const QString db = path(QStringLiteral("broken.actdb"));
        // A good file first: nothing of it may stay behind either.
        const Result imported = importIcs(db, {"todos.ics", file});
        QCOMPARE(imported.exitCode, 1);
        QVERIFY2(imported.err.contains(message), qPrintable(imported.err));
        QVERIFY(QDir(dir_.path()).entryList({"broken.actdb*"}).isEmpty());
    }

    // The demo week written out and read back gives the same rows, but for what a calendar
    // file does not carry: the contacts' other fields, colours, whether a row repeats, and
    // who else a colleague's booking with the user names (the import makes the colleague
    // its main contact).
    void theDemoWeekRoundTrips() {
        zone_ = QStringLiteral("Europe/Paris");
        const auto kept = [](const QList<Row>& rows) {
            QStringList texts;
            for (const Row& row : rows)
                texts << row.day.toString(Qt::ISODate) + QLatin1Char('|') +
                             QStringList(row.fields.mid(0, 7)).join(QLatin1Char('|')) +
                             QLatin1Char('|') + row.fields.value(18);
            return texts;
        };
        const QString demo = path(QStringLiteral("demo.actdb"));
        QCOMPARE(actdb({"demo", demo, "--today", "2024-03-28"}).exitCode, 0);
        const QString ics = path(QStringLiteral("demo.ics"));
        // The week in which Paris moves its clocks.
        const QDate first(2024, 3, 25);
        const QDate last(2024, 3, 31);
        const QList<Row> before = calendar(demo, first, last, ics);
        validateWithAnotherParser(ics, before.size());
        const QString again = path(QStringLiteral("again.ics"));
        QCOMPARE(calendar(demo, first, last, again).size(), before.size());
        QCOMPARE(uidsOf(again), uidsOf(ics));

        // A file that cannot be written fails the run and leaves nothing half-written.
        const QString blocker = path(QStringLiteral("not-a-folder"));
        QVERIFY(QFile(blocker).open(QIODevice::WriteOnly));
        const Result failed =
            run(QStringLiteral(DAYWISE_PROGRAM), {"--create", "--start", "2024-03-25", "--week",
                                                  "--html-dir", path(QStringLiteral("html-failed")),
                                                  "--ics", blocker + QStringLiteral("/week.ics")});
        QCOMPARE(failed.exitCode, 1);
        QVERIFY2(failed.err.contains("week.ics"), qPrintable(failed.err));

        const QString back = path(QStringLiteral("back.actdb"));
        const Result imported = actdb({"import-ics", back, ics, "--user", "Claire Fontaine"});
        QCOMPARE(imported.exitCode, 0);
        const QList<Row> after = calendar(back, first, last);
        QCOMPARE(kept(after), kept(before));
        zone_ = QStringLiteral("UTC");
    }

private:
    static QStringList uidsOf(const QString& ics) {
        QFile file(ics);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList uids;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (line.startsWith("UID:"))
                uids << QString::fromUtf8(line.trimmed());
        return uids;
    }

    void validateWithAnotherParser(const QString& ics, qsizetype rows) const {
        QFile file(ics);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        for (const QByteArray& line : bytes.split('\n'))
            QVERIFY2(line.size() <= 76, line.constData());
        QProcess python;
        python.start(QStringLiteral(DAYWISE_PYTHON), {"-c", R"(
import datetime, sys, icalendar
calendar = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
items = calendar.walk('VEVENT') + calendar.walk('VTODO')
uids = [str(item['UID']) for item in items]
assert len(uids) == len(set(uids)), 'UIDs repeat'
for item in items:
    start = item['DTSTART'].dt
    assert not isinstance(start, datetime.datetime) or start.tzinfo is not None, item['UID']
    assert item.get('SUMMARY') is not None and item.get('PRIORITY') is not None
zones = [str(zone['TZID']) for zone in calendar.walk('VTIMEZONE')]
assert zones == ['Europe/Paris'], zones
print(len(items))
)",
                                                      ics});
        QVERIFY(python.waitForFinished(60000));
        QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
        const int items = python.readAllStandardOutput().trimmed().toInt();
        QVERIFY(items > 0 && items <= rows);
    }
};

QTEST_GUILESS_MAIN(IcsTest)
#include "tst_ics.moc"
