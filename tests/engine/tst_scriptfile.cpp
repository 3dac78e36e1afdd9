#include "engine/ScriptFile.h"
#include "shell/MemorySettingsStore.h"
#include "shell/ProgramState.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString Layout = QStringLiteral("Layout");

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

    // Each value follows its setting or argument, and one that would not do, the default.
    void layoutValuesFollowTheirSettings_data() {
        QTest::addColumn<QString>("key"); // none for the date background handed over
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("written");
        QTest::newRow("header 2") << QString("Options/Header") << QString("2") << QString("header")
                                  << QString("false");
        for (const char* unusable : {"150", "10 onclick=x"})
            QTest::addRow("width %s", unusable) << "Layout/Width2" << unusable << "widths"
                                                << "[3, 6, 15, 24, 15, 37]";
        const auto background = [](const char* row, const QString& given, const char* written) {
            QTest::newRow(row) << QString() << given << "dateBackground" << written;
        };
        background("no background", QString(), "\"FFCC00\"");
        background("background breaking the script", "FF';alert(1)//", "\"FFCC00\"");
    }
    void layoutValuesFollowTheirSettings() {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, name);
        QFETCH(QString, written);
        if (!key.isEmpty())
            store_.SaveSetting(key.section('/', 0, 0), key.section('/', 1), stored);
        QCOMPARE(layoutValue(key.isEmpty() ? linesFor(stored) : linesFor(), name), written);
    }

    // Pasted values can be anything: each field then keeps the column the main window would
    // have stored, as the default layout's golden file shows without keys.
    void fieldColumnsFollowTheirSettings_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QList<int>>("columns"); // the type icon's, then fields 1 to 19
        const QList<int> defaults = {0, 1, 2, 1, 5, 5, 3, 3, 3, 4, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5};
        for (const char* unusable : {"", "-1", "AB", "3"})
            QTest::addRow("unusable '%s'", unusable)
                << QStringList(20, QString::fromLatin1(unusable)) << defaults;
        QStringList letters;
        QList<int> columns;
        for (int i = 0; i < 20; ++i) {
            letters << QString(QLatin1Char("FeDcBa"[i % 6]));
            columns << 5 - i % 6;
        }
        QTest::newRow("A to F in either case") << letters << columns;
    }
    void fieldColumnsFollowTheirSettings() {
        QFETCH(QStringList, stored);
        QFETCH(QList<int>, columns);
        for (qsizetype i = 0; i < stored.size(); ++i)
            store_.SaveSetting(Layout, QStringLiteral("FieldCol%1").arg(i), stored[i]);
        const QStringList lines = linesFor();
        QCOMPARE(layoutValue(lines, QStringLiteral("iconColumn")), QString::number(columns[0]));
        QList<QPair<int, int>> expected;
        for (int i = 1; i < 20; ++i)
            expected.append({i, columns[i]});
        QCOMPARE(fieldLines(lines), expected);
    }

    // The browser test's odd layout shares a number and leaves a gap; one that is no number
    // leaves its field in its place.
    void anUnreadableOrderNumberKeepsTheFieldInPlace() {
        store_.SaveSetting(Layout, QStringLiteral("FieldOrder5"), QStringLiteral("x"));
        QList<int> order;
        for (const auto& [fieldIndex, column] : fieldLines(linesFor()))
            order.append(fieldIndex);
        QCOMPARE(order, IndexOrder);
    }

private:
    MemorySettingsStore store_;
};

QTEST_GUILESS_MAIN(ScriptFileTest)
#include "tst_scriptfile.moc"
