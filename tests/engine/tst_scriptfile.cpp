#include "engine/ScriptFile.h"
#include "shell/MemorySettingsStore.h"
#include "shell/ProgramState.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString Layout = QStringLiteral("Layout");

using OrderNumbers = QHash<int, QString>;
const QList<int> IndexOrder = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};

QStringList linesFor(const QString& background = QStringLiteral("FFCC00")) {
    return scriptFileLines(background, readScriptFileLayout());
}

// The text fields of the layout, as (field index, column) pairs in the order shown.
QList<QPair<int, int>> fieldLines(const QStringList& lines) {
    static const QRegularExpression field(
        QStringLiteral("^        \\[(\\d+), \"\\w+\", (\\d)\\],?$"));
    QList<QPair<int, int>> found;
    for (const QString& line : lines) {
        const auto match = field.match(line);
        if (match.hasMatch())
            found.append({match.captured(1).toInt(), match.captured(2).toInt()});
    }
    return found;
}

QString layoutValue(const QStringList& lines, const QString& name) {
    const QString start = QStringLiteral("    %1: ").arg(name);
    for (const QString& line : lines)
        if (line.startsWith(start))
            return line.mid(start.size()).chopped(line.endsWith(QLatin1Char(',')) ? 1 : 0);
    return QString();
}

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

} // namespace

// What the page's script holds for each layout; the browser test runs it.
class ScriptFileTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        store_ = MemorySettingsStore();
        setSettings(&store_);
        LanguageBase = 200;
    }

    // The fixed code comes from the template; only the layout in its place is generated.
    void defaultLayoutInEnglishMatchesTheReference() {
        QStringList expected = readLines(QStringLiteral(":/daywise/CalendarScript.js"));
        const qsizetype marker = expected.indexOf(QStringLiteral("// @layout"));
        QVERIFY(marker >= 0);
        expected.remove(marker);
        const QStringList layout = readLines(qEnvironmentVariable("DAYWISE_FIXTURES") +
                                             QStringLiteral("/script-default-en.layout.js"));
        QVERIFY(!layout.isEmpty());
        for (qsizetype k = 0; k < layout.size(); ++k)
            expected.insert(marker + k, layout[k]);
        QCOMPARE(linesFor(), expected);
    }

    void headerOff() {
        for (const char* stored : {"0", "2"}) {
            store_.SaveSetting(QStringLiteral("Options"), QStringLiteral("Header"), stored);
            QCOMPARE(layoutValue(linesFor(), QStringLiteral("header")), QStringLiteral("false"));
        }
    }

    // The French captions hold quotes and accents, which must stay whole inside the script.
    void frenchNamesAndCaptions() {
        LanguageBase = 400;
        const QStringList lines = linesFor();
        QCOMPARE(layoutValue(lines, QStringLiteral("language")), QStringLiteral("\"fr\""));
        QCOMPARE(layoutValue(lines, QStringLiteral("emptyDay")),
                 QStringLiteral("\"Pas d'activités programmées.\""));
    }

    void columnWidths_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("written");
        QTest::newRow("stored 10") << QStringLiteral("10") << 10;
        QTest::newRow("over 100") << QStringLiteral("150") << 15;
        QTest::newRow("negative") << QStringLiteral("-1") << 15;
        QTest::newRow("fraction") << QStringLiteral("12.5") << 15;
        QTest::newRow("markup") << QStringLiteral("10 onclick=x") << 15;
    }

    void columnWidths() {
        QFETCH(QString, stored);
        QFETCH(int, written);
        store_.SaveSetting(Layout, QStringLiteral("Width2"), stored);
        QCOMPARE(layoutValue(linesFor(), QStringLiteral("widths")),
                 QStringLiteral("[3, 6, %1, 24, 15, 37]").arg(written));
    }

    void textInColumnFAndTypeIconInItsColumn() {
        for (int i = 1; i < 20; ++i)
            store_.SaveSetting(Layout, QStringLiteral("FieldCol%1").arg(i), "F");
        store_.SaveSetting(Layout, QStringLiteral("FieldCol0"), "c");
        const QStringList lines = linesFor();
        QCOMPARE(fieldLines(lines).size(), 19);
        for (const auto& [fieldIndex, column] : fieldLines(lines))
            QCOMPARE(column, 5);
        QCOMPARE(layoutValue(lines, QStringLiteral("iconColumn")), QStringLiteral("2"));
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
        const QList<QPair<int, int>> expected = {
            {1, 1},  {2, 2},  {3, 1},  {4, 5},  {5, 5},  {6, 3},  {7, 3},  {8, 3},  {9, 4}, {10, 5},
            {11, 5}, {12, 5}, {13, 5}, {14, 5}, {15, 5}, {16, 5}, {17, 5}, {18, 5}, {19, 5}};
        QCOMPARE(fieldLines(lines), expected);
        QCOMPARE(layoutValue(lines, QStringLiteral("iconColumn")), QStringLiteral("0"));
    }

    // Every field line is written once, in ascending order numbers, equal numbers in index
    // order, whatever numbers the layout holds.
    void orderNumbersDecideTheFieldOrder_data() {
        QTest::addColumn<OrderNumbers>("orders");
        QTest::addColumn<QList<int>>("expected");
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
        QTest::newRow("not a number") << OrderNumbers{{5, QStringLiteral("x")}} << IndexOrder;
    }

    void orderNumbersDecideTheFieldOrder() {
        QFETCH(OrderNumbers, orders);
        QFETCH(QList<int>, expected);
        for (auto it = orders.cbegin(); it != orders.cend(); ++it)
            store_.SaveSetting(Layout, QStringLiteral("FieldOrder%1").arg(it.key()), it.value());
        const QStringList lines = linesFor();
        QList<int> order;
        for (const auto& [fieldIndex, column] : fieldLines(lines))
            order.append(fieldIndex);
        QCOMPARE(order, expected);
    }

    void dateBackground_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("written");
        QTest::newRow("chosen") << QStringLiteral("3366cc") << QStringLiteral("3366cc");
        QTest::newRow("empty") << QString() << QStringLiteral("FFCC00");
        QTest::newRow("breaks the script")
            << QStringLiteral("FF';alert(1)//") << QStringLiteral("FFCC00");
    }

    void dateBackground() {
        QFETCH(QString, given);
        QFETCH(QString, written);
        QCOMPARE(layoutValue(linesFor(given), QStringLiteral("dateBackground")),
                 QStringLiteral("\"%1\"").arg(written));
    }

private:
    MemorySettingsStore store_;
};

QTEST_GUILESS_MAIN(ScriptFileTest)
#include "tst_scriptfile.moc"
