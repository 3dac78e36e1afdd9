#include "shell/Conversions.h"
#include "shell/QtSettingsStore.h"
#include "shell/RuntimeError.h"
#include "shell/StringTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void keysNamedAfterUsersAndOddValuesRoundTrip_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("blank") << QStringLiteral("Alice Martin");
        QTest::newRow("slash") << QStringLiteral("Sales/East");
        QTest::newRow("backslash") << QStringLiteral("DOMAIN\\bob");
        QTest::newRow("equals and semicolon") << QStringLiteral("a=b; c");
        QTest::newRow("quotes") << QStringLiteral("O'Neil \"Jr\"");
        QTest::newRow("accents") << QStringLiteral("Hélène Lefèvre");
        QTest::newRow("percent") << QStringLiteral("100% sure");
        QTest::newRow("group-like") << QStringLiteral("General");
    }

    void keysNamedAfterUsersAndOddValuesRoundTrip() {
        QFETCH(QString, key);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Daywise.conf"));
        const QString value = QStringLiteral("Bob's {team}, \"quoted\"; a=b \\ é");
        {
            QtSettingsStore store(file);
            store.SaveSetting(QStringLiteral("Colors"), key, value);
            store.SaveSetting(QStringLiteral("Colors"), QStringLiteral("Other"), 1);
        }
        QtSettingsStore reopened(file);
        QCOMPARE(reopened.GetSetting(QStringLiteral("Colors"), key, QStringLiteral("x")), value);
        QCOMPARE(reopened.GetSetting(QStringLiteral("Colors"), QStringLiteral("Other"), 0),
                 QStringLiteral("1"));
        QCOMPARE(reopened.GetSetting(QStringLiteral("Filter"), key, QStringLiteral("absent")),
                 QStringLiteral("absent"));
    }

    void failedWriteIsAnError() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Daywise.conf"));
        QtSettingsStore(file).SaveSetting(QStringLiteral("Options"), QStringLiteral("Language"), 1);
        QFile(file).setPermissions(QFile::ReadOwner);
        QFile(dir.path()).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        if (QFile(file).open(QIODevice::ReadWrite))
            QSKIP("running with rights that ignore file permissions");
        QtSettingsStore store(file);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, store.SaveSetting(QStringLiteral("Options"),
                                                                 QStringLiteral("Language"), 0));
        QFile(dir.path()).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void conversionsRaiseTheProgramsErrors() {
        QCOMPARE(convert::toNumber(QStringLiteral(" 42 ")), 42);
        QCOMPARE(convert::toNumber(QStringLiteral("2.5")), 2);
        QCOMPARE(convert::toNumber(QStringLiteral("-3.5")), -4);
        QCOMPARE(convert::toInt16(QStringLiteral("-32768")), qint16(-32768));
        QVERIFY(convert::toBool(QStringLiteral("-1")));
        QVERIFY(!convert::toBool(QStringLiteral("0")));
        try {
            convert::toNumber(QStringLiteral("abc"));
            QFAIL("text is not a number");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 13);
            QCOMPARE(e.description(), QStringLiteral("Type mismatch"));
        }
        try {
            convert::toInt16(QStringLiteral("40000"));
            QFAIL("40000 is no 16-bit number");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 6);
        }
        QVERIFY_THROWS_EXCEPTION(RuntimeError, convert::toNumber(QString()));
    }

    void datesReadInTheStoredFormAndTheLocales() {
        const QDate date(2024, 2, 29);
        QCOMPARE(convert::toDate(convert::dateText(date)), date);
        QCOMPARE(convert::toDate(QLocale::system().toString(date, QLocale::ShortFormat)), date);
        QCOMPARE(convert::toDate(QStringLiteral("2024-02-29 14:30:00")), date);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, convert::toDate(QStringLiteral("not a date")));
    }

    void stringTableHoldsBothLanguages() {
        QCOMPARE(stringAt(200 + 123), QStringLiteral("To-do\\'s"));
        QCOMPARE(stringAt(400 + 118), QStringLiteral("C&réer"));
        QCOMPARE(stringAt(200 + 4), QString()); // an entry no window uses
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
