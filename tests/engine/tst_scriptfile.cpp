#include "engine/ScriptFile.h"
#include "shell/MemorySettingsStore.h"
#include "shell/ProgramState.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Layout = QStringLiteral("Layout");

using OrderNumbers = QHash<int, QString>;
using LayoutKeys = QHash<QString, QString>;

QStringList linesFor(const QString& background = QStringLiteral("FFCC00")) {
    return scriptFileLines(QDate(2003, 1, 28), QDate(2003, 2, 3), background);
}

// The field lines of populate, as (field index, column) pairs in the order written.
QList<QPair<int, int>> fieldLines(const QStringList& lines) {
    static const QRegularExpression field(QStringLiteral(
        "^if \\(Activities\\[f\\+(\\d+)\\]!=\"\"\\)  document\\.getElementById\\(Cell(\\d)\\)"));
    QList<QPair<int, int>> found;
    for (const QString& line : lines) {
        const auto match = field.match(line);
        if (match.hasMatch())
            found.append({match.captured(1).toInt(), match.captured(2).toInt()});
    }
    return found;
}

QList<int> fieldOrder(const QStringList& lines) {
    QList<int> order;
    for (const auto& [fieldIndex, column] : fieldLines(lines))
        order.append(fieldIndex);
    return order;
}

int columnOf(const QStringList& lines, int fieldIndex) {
    for (const auto& [i, column] : fieldLines(lines))
        if (i == fieldIndex)
            return column;
    return -1;
}

QStringList iconLines(const QStringList& lines) {
    return lines.filter(QStringLiteral(".gif width=16 height=16"));
}

QList<int> range(int first, int last) {
    QList<int> values;
    for (int v = first; v <= last; ++v)
        values.append(v);
    return values;
}

void writeFile(const QString& path, const QStringList& lines) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
}

QString node() {
    return QStandardPaths::findExecutable(QStringLiteral("node"));
}

// A data.js for the range with one activity on its first day, entries as given.
QStringList dataLines(const QDate& first, const QDate& last, const QStringList& activity) {
    const auto ymd = [](const QDate& d) {
        return QStringLiteral("%1 %2 %3").arg(d.year()).arg(d.month()).arg(d.day());
    };
    const qint64 days = first.daysTo(last) + 1;
    QStringList lines{QStringLiteral("function Read(){"),
                      QStringLiteral("Version='2.0.131';"),
                      QStringLiteral("Header='Team';"),
                      QStringLiteral("Users='Ann Lee';"),
                      QStringLiteral("Activitytype='Calls, Meetings, To-dos';"),
                      QStringLiteral("Fdaydate='%1';").arg(ymd(first)),
                      QStringLiteral("Ldaydate='%1';").arg(ymd(last)),
                      QStringLiteral("Fmonthmmm='Jan';"),
                      QStringLiteral("Lmonthmmm='Feb';"),
                      QStringLiteral("Nbfields=22;"),
                      QStringLiteral("Nbdays=%1;").arg(days),
                      QStringLiteral("Day=new Array(Nbdays);"),
                      QStringLiteral("Nbactivities=new Array(Nbdays);")};
    for (qint64 i = 0; i < days; ++i)
        lines << QStringLiteral("Day[%1]='Day~Date %1';Nbactivities[%1]=%2")
                     .arg(i)
                     .arg(i == 0 && !activity.isEmpty() ? 1 : 0);
    lines << QStringLiteral("Totalactivities=GetTotal(Nbdays);")
          << QStringLiteral("Activities=new Array(Totalactivities*22);");
    QString entries;
    for (int j = 0; j < activity.size(); ++j)
        entries += QStringLiteral("Activities[%1]='%2';").arg(j).arg(activity[j]);
    lines << entries << QStringLiteral("}");
    return lines;
}

// What the scripts put into the page, as the harness reports it.
QJsonObject runPage(const QStringList& script, const QStringList& data) {
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("script.js")), script);
    writeFile(dir.filePath(QStringLiteral("data.js")), data);
    QProcess process;
    process.start(node(), {QStringLiteral(DAYWISE_SCRIPT_HARNESS), dir.path()});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        qWarning().noquote() << process.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

// An activity's 22 entries: a recurring meeting with a contact and a regarding text.
QStringList meeting() {
    QStringList entries(22);
    entries[0] = QStringLiteral("1");
    entries[1] = QStringLiteral("High");
    entries[2] = QStringLiteral("9:00 AM");
    entries[4] = QStringLiteral("Budget review");
    entries[6] = QStringLiteral("Ann Lee");
    entries[20] = QStringLiteral("1");
    entries[21] = QStringLiteral("FF0000");
    return entries;
}

} // namespace

class ScriptFileTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        store_ = MemorySettingsStore();
        setSettings(&store_);
        LanguageBase = 200;
    }

    void defaultLayoutInEnglishMatchesTheReference() {
        QFile golden(qEnvironmentVariable("DAYWISE_FIXTURES") +
                     QStringLiteral("/script-default-en.js"));
        QVERIFY(golden.open(QIODevice::ReadOnly));
        const QStringList expected = QString::fromUtf8(golden.readAll()).split(QLatin1Char('\n'));
        const QStringList actual = linesFor();
        for (int i = 0; i < qMin(expected.size(), actual.size()); ++i)
            QCOMPARE(actual[i], expected[i]);
        QCOMPARE(actual.size(), expected.size());
    }

    void headerSwitch_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("titleBlock");
        QTest::newRow("absent") << QString() << true;
        QTest::newRow("1") << QStringLiteral("1") << true;
        QTest::newRow("0") << QStringLiteral("0") << false;
        QTest::newRow("2") << QStringLiteral("2") << false;
    }

    void headerSwitch() {
        QFETCH(QString, stored);
        QFETCH(bool, titleBlock);
        if (!stored.isNull())
            store_.SaveSetting(QStringLiteral("Options"), QStringLiteral("Header"), stored);
        const QStringList lines = linesFor();
        QCOMPARE(lines.contains(QStringLiteral("function Calendar(bgn, cur, min, max){")),
                 titleBlock);
        QCOMPARE(lines.contains(QStringLiteral("Split1=Fdaydate.split(\" \");")), titleBlock);
        if (titleBlock)
            return;
        QCOMPARE(lines.mid(lines.size() - 4),
                 QStringList({QStringLiteral("function getCal() {"), QStringLiteral("Read1();"),
                              QStringLiteral("Read();"), QStringLiteral("return Tabletag;}")}));
        QVERIFY(
            lines.contains(QStringLiteral("Tabletag+='<td><div id=cellfor><span "
                                          "id=activitiesfor></span></div></td></tr></table>';")));
        QVERIFY(lines.filter(QStringLiteral("calendars")).isEmpty());
    }

    void frenchNamesAndEnglishMonthStarts() {
        LanguageBase = 400;
        const QStringList lines = linesFor();
        QVERIFY(lines.contains(QStringLiteral(
            "M = new "
            "Array(\"janvier\",\"février\",\"mars\",\"avril\",\"mai\",\"juin\",\"juillet\","
            "\"août\",\"septembre\",\"octobre\",\"novembre\",\"décembre\");")));
        QVERIFY(lines.contains(QStringLiteral(
            "D = new Array(\"Dim\",\"Lun\",\"Mar\",\"Mer\",\"Jeu\",\"Ven\",\"Sam\");}")));
        QVERIFY(lines.contains(QStringLiteral(
            "MF = new "
            "Array(\"January\",\"February\",\"March\",\"April\",\"May\",\"June\",\"July\","
            "\"August\",\"September\",\"October\",\"November\",\"December\");")));
        QVERIFY(lines.contains(QStringLiteral(
            "activitiesfor.insertAdjacentHTML(\"BeforeEnd\", Activitytype + ' pour ' + Users);")));
        QVERIFY(lines.contains(
            QStringLiteral("if (Nbactivities[i]==0) "
                           "document.getElementById('D'+i).insertAdjacentHTML(\"BeforeEnd\",\"&"
                           "nbsp;Pas d'activités programmées.\");")));
        QVERIFY(lines.contains(QStringLiteral("bgn = new Date(MF[mo]+\" 1,\"+yr);")));
        QVERIFY(lines.filter(QStringLiteral("new Date(M[")).isEmpty());
    }

    void columnWidths_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("written");
        QTest::newRow("stored 10") << QStringLiteral("10") << 10;
        QTest::newRow("absent") << QString() << 15;
        QTest::newRow("over 100") << QStringLiteral("150") << 15;
        QTest::newRow("negative") << QStringLiteral("-1") << 15;
        QTest::newRow("fraction") << QStringLiteral("12.5") << 15;
        QTest::newRow("markup") << QStringLiteral("10 onclick=x") << 15;
    }

    void columnWidths() {
        QFETCH(QString, stored);
        QFETCH(int, written);
        if (!stored.isNull())
            store_.SaveSetting(Layout, QStringLiteral("Width2"), stored);
        const QStringList lines = linesFor();
        QVERIFY(lines.contains(
            QStringLiteral(
                "Tabletag+='<td class=c2 width=%1% valign=Top><div id=' + Cell2 + '></div></td>';")
                .arg(written)));
        QVERIFY(lines.contains(QStringLiteral(
            "Tabletag+='<td class=c5 width=37% valign=Top><div id=' + Cell5 + '></div></td>';")));
    }

    void textInColumnFAndTypeInColumnA() {
        for (int i = 1; i < 20; ++i)
            store_.SaveSetting(Layout, QStringLiteral("FieldCol%1").arg(i), "F");
        store_.SaveSetting(Layout, QStringLiteral("FieldCol0"), "A");
        const QStringList lines = linesFor();
        QCOMPARE(fieldLines(lines).size(), 19);
        for (const auto& [fieldIndex, column] : fieldLines(lines))
            QCOMPARE(column, 5);
        QCOMPARE(iconLines(lines).size(), 3);
        QCOMPARE(iconLines(lines).filter(QStringLiteral("getElementById(Cell0)")).size(), 3);
    }

    void typeIconFollowsItsColumn() {
        store_.SaveSetting(Layout, QStringLiteral("FieldCol0"), "c");
        QCOMPARE(iconLines(linesFor()).filter(QStringLiteral("getElementById(Cell2)")).size(), 3);
    }

    // A fresh user's first headless run has no column keys at all; pasted values can be
    // anything. Each field then keeps the column the main window would have stored.
    void missingOrUnusableColumnsGetTheDefaultColumn_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("absent") << QString();
        QTest::newRow("empty") << QStringLiteral("");
        QTest::newRow("minus one") << QStringLiteral("-1");
        QTest::newRow("beyond F") << QStringLiteral("G");
        QTest::newRow("two letters") << QStringLiteral("AB");
        QTest::newRow("digit") << QStringLiteral("3");
    }

    void missingOrUnusableColumnsGetTheDefaultColumn() {
        QFETCH(QString, stored);
        if (!stored.isNull())
            for (int i = 0; i < 20; ++i)
                store_.SaveSetting(Layout, QStringLiteral("FieldCol%1").arg(i), stored);
        const QStringList lines = linesFor();
        const QList<int> expected = {1, 2, 1, 5, 5, 3, 3, 3, 4, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5};
        for (int i = 1; i < 20; ++i)
            QCOMPARE(columnOf(lines, i), expected[i - 1]);
        QCOMPARE(iconLines(lines).filter(QStringLiteral("getElementById(Cell0)")).size(), 3);
    }

    // Every field line is written once, in ascending order numbers, equal numbers in index
    // order, whatever numbers the layout holds.
    void orderNumbersDecideTheFieldOrder_data() {
        QTest::addColumn<OrderNumbers>("orders");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("defaults") << OrderNumbers() << range(1, 19);
        QTest::newRow("two fields share a number")
            << OrderNumbers{{9, QStringLiteral("4")}}
            << QList<int>{1, 2, 3, 9, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
        QTest::newRow("a gap") << OrderNumbers{{2, QStringLiteral("30")}}
                               << QList<int>{1,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                             12, 13, 14, 15, 16, 17, 18, 19, 2};
        OrderNumbers reversed;
        QList<int> backwards;
        for (int i = 1; i < 20; ++i) {
            reversed.insert(i, QString::number(21 - i));
            backwards.prepend(i);
        }
        QTest::newRow("reversed") << reversed << backwards;
        OrderNumbers allEqual;
        for (int i = 1; i < 20; ++i)
            allEqual.insert(i, QStringLiteral("5"));
        QTest::newRow("all equal") << allEqual << range(1, 19);
        QTest::newRow("swapped by the dialog")
            << OrderNumbers{{17, QStringLiteral("19")}, {18, QStringLiteral("18")}}
            << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 17, 19};
        QTest::newRow("not a number") << OrderNumbers{{5, QStringLiteral("x")}} << range(1, 19);
    }

    void orderNumbersDecideTheFieldOrder() {
        QFETCH(OrderNumbers, orders);
        QFETCH(QList<int>, expected);
        for (auto it = orders.cbegin(); it != orders.cend(); ++it)
            store_.SaveSetting(Layout, QStringLiteral("FieldOrder%1").arg(it.key()), it.value());
        const QStringList lines = linesFor();
        QCOMPARE(fieldOrder(lines), expected);
        QCOMPARE(lines.last(), QStringLiteral("return Tabletag;}"));
    }

    void dateBackground_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("written");
        QTest::newRow("default") << QStringLiteral("FFCC00") << QStringLiteral("FFCC00");
        QTest::newRow("chosen") << QStringLiteral("3366cc") << QStringLiteral("3366cc");
        QTest::newRow("empty") << QString() << QStringLiteral("FFCC00");
        QTest::newRow("breaks the script")
            << QStringLiteral("FF';alert(1)//") << QStringLiteral("FFCC00");
    }

    void dateBackground() {
        QFETCH(QString, given);
        QFETCH(QString, written);
        QVERIFY(linesFor(given).contains(
            QStringLiteral("Tabletag='<br><br><table class=day bgcolor=#%1><tr>';").arg(written)));
    }

    void everyScriptIsValidJavaScript_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("order5");
        QTest::newRow("no header") << 200 << "0"
                                   << "6";
        QTest::newRow("French, no header, shared numbers") << 400 << "0"
                                                           << "2";
    }

    void everyScriptIsValidJavaScript() {
        QFETCH(int, language);
        QFETCH(QString, header);
        QFETCH(QString, order5);
        if (node().isEmpty())
            QSKIP("node is not installed");
        LanguageBase = qint16(language);
        store_.SaveSetting(QStringLiteral("Options"), QStringLiteral("Header"), header);
        store_.SaveSetting(Layout, QStringLiteral("FieldOrder5"), order5);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("script.js"));
        writeFile(path, linesFor());
        QProcess check;
        check.start(node(), {QStringLiteral("--check"), path});
        QVERIFY(check.waitForFinished(30000));
        QVERIFY2(check.exitCode() == 0, check.readAllStandardError().constData());
    }

    // Each calendar reads "month/days in it@blank cells before the 1st[marked days]".
    void smallCalendarsMarkTheRangeInItsMonths_data() {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::addColumn<QStringList>("calendars");
        QTest::newRow("over a month end, short")
            << QDate(2003, 1, 28) << QDate(2003, 2, 3)
            << QStringList{"December 2002/31@0[]", "January 2003/31@3[28-31]",
                           "February 2003/28@6[1-3]"};
        QTest::newRow("over a month end, late days")
            << QDate(2003, 1, 25) << QDate(2003, 2, 24)
            << QStringList{"January 2003/31@3[25-31]", "February 2003/28@6[1-24]",
                           "March 2003/31@6[]"};
        QTest::newRow("within a month")
            << QDate(2003, 1, 5) << QDate(2003, 1, 11)
            << QStringList{"December 2002/31@0[]", "January 2003/31@3[5-11]",
                           "February 2003/28@6[]"};
        QTest::newRow("over a year end")
            << QDate(2002, 12, 20) << QDate(2003, 1, 19)
            << QStringList{"December 2002/31@0[20-31]", "January 2003/31@3[1-19]",
                           "February 2003/28@6[]"};
        QTest::newRow("one day on the 15th")
            << QDate(2003, 1, 15) << QDate(2003, 1, 15)
            << QStringList{"December 2002/31@0[]", "January 2003/31@3[15-15]",
                           "February 2003/28@6[]"};
        QTest::newRow("one day on the 5th")
            << QDate(2003, 1, 5) << QDate(2003, 1, 5)
            << QStringList{"December 2002/31@0[]", "January 2003/31@3[5-5]",
                           "February 2003/28@6[]"};
        QTest::newRow("15th to 15th")
            << QDate(2003, 1, 15) << QDate(2003, 2, 15)
            << QStringList{"January 2003/31@3[15-31]", "February 2003/28@6[1-15]",
                           "March 2003/31@6[]"};
        QTest::newRow("over three months")
            << QDate(2003, 1, 31) << QDate(2003, 3, 1)
            << QStringList{"January 2003/31@3[31-31]", "February 2003/28@6[1-28]",
                           "March 2003/31@6[1-1]"};
        QTest::newRow("February 2100 is not a leap month")
            << QDate(2100, 2, 1) << QDate(2100, 2, 3)
            << QStringList{"January 2100/31@5[]", "February 2100/28@1[1-3]", "March 2100/31@1[]"};
        QTest::newRow("February 2000 is a leap month")
            << QDate(2000, 2, 1) << QDate(2000, 2, 3)
            << QStringList{"January 2000/31@6[]", "February 2000/29@2[1-3]", "March 2000/31@3[]"};
    }

    void smallCalendarsMarkTheRangeInItsMonths() {
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        QFETCH(QStringList, calendars);
        if (node().isEmpty())
            QSKIP("node is not installed");
        const QJsonObject page = runPage(linesFor(), dataLines(first, last, {}));
        QCOMPARE(page.value(QStringLiteral("calendars")).toVariant().toStringList(), calendars);
    }

    void frenchCalendarsUseFrenchNames() {
        if (node().isEmpty())
            QSKIP("node is not installed");
        LanguageBase = 400;
        const QJsonObject page =
            runPage(linesFor(), dataLines(QDate(2003, 1, 28), QDate(2003, 2, 3), {}));
        QCOMPARE(page.value(QStringLiteral("calendars")).toVariant().toStringList(),
                 QStringList({"décembre 2002/31@0[]", "janvier 2003/31@3[28-31]",
                              "février 2003/28@6[1-3]"}));
        QVERIFY(page.value(QStringLiteral("activitiesfor")).toString() ==
                QStringLiteral("Calls, Meetings, To-dos pour Ann Lee"));
    }

    // A layout the dialog would never save still shows every field of the activity.
    void pageRunsWithAnyLayout_data() {
        QTest::addColumn<LayoutKeys>("layout");
        QTest::newRow("nothing stored") << LayoutKeys();
        QTest::newRow("shared numbers and a bad letter")
            << LayoutKeys{{"FieldOrder4", "7"}, {"FieldOrder6", "7"}, {"FieldCol6", "Z"}};
    }

    void pageRunsWithAnyLayout() {
        QFETCH(LayoutKeys, layout);
        if (node().isEmpty())
            QSKIP("node is not installed");
        for (auto it = layout.cbegin(); it != layout.cend(); ++it)
            store_.SaveSetting(Layout, it.key(), it.value());
        const QJsonObject cells =
            runPage(linesFor(), dataLines(QDate(2003, 1, 6), QDate(2003, 1, 6), meeting()))
                .value(QStringLiteral("cells"))
                .toObject();
        QCOMPARE(cells.size(), 6);
        QVERIFY(cells.value(QStringLiteral("D0A0C0"))
                    .toString()
                    .contains(QStringLiteral("<img src=rmeeting.gif")));
        QVERIFY(cells.value(QStringLiteral("D0A0C1"))
                    .toString()
                    .contains(QStringLiteral("<span id=meeting class=High><font "
                                             "color=#FF0000><span class=priority>High</span>")));
        QVERIFY(cells.value(QStringLiteral("D0A0C2"))
                    .toString()
                    .contains(QStringLiteral("<span class=time>9:00 AM</span>")));
        QVERIFY(cells.value(QStringLiteral("D0A0C3"))
                    .toString()
                    .contains(QStringLiteral("<span class=contact>Ann Lee</span>")));
        QVERIFY(cells.value(QStringLiteral("D0A0C5"))
                    .toString()
                    .contains(QStringLiteral("<span class=regarding>Budget review</span>")));
        QVERIFY(!cells.value(QStringLiteral("D0A0C4")).toString().contains(QStringLiteral("span")));
    }

private:
    MemorySettingsStore store_;
};

QTEST_GUILESS_MAIN(ScriptFileTest)
#include "tst_scriptfile.moc"
