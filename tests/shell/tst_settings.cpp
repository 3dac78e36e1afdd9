#include "RecordingMessages.h"
#include "shell/AppInfo.h"
#include "shell/Conversions.h"
#include "shell/ErrorReport.h"
#include "shell/ProgramState.h"
#include "shell/QtSettingsStore.h"
#include "shell/RuntimeError.h"
#include "shell/StringTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

const QString Settings = QStringLiteral("Settings");

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The first-run mark and the three range keys, as one line.
QString stored(const QtSettingsStore& store) {
    QStringList values;
    for (const char* key : {"Installed", "StartDate", "EndDate", "RangeOption"})
        values << store.GetSetting(Settings, QString::fromLatin1(key), "absent");
    return values.join(QLatin1Char(' '));
}

// The number of the program's error the step raises; 0 when it raises none.
int errorOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void keysNamedAfterUsersAndOddValuesRoundTrip_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("slash") << QStringLiteral("Sales/East");
        QTest::newRow("backslash") << QStringLiteral("DOMAIN\\bob");
        QTest::newRow("equals and semicolon") << QStringLiteral("a=b; c");
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
    }
    // Qt reads what it can of such a file and keeps a format error for the object's life;
    // that must not pass for a failed write.
    void aFileQtCouldNotFullyReadStillTakesEveryWrite_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[Settings]\nInstalled=1\n");
        QTest::newRow("line without =") << QByteArray("[Settings]\nInstalled=1\nnonsense\n");
        QTest::newRow("cut-off last line") << QByteArray("[Settings]\nInstalled=1\nRangeOpt");
    }
    void aFileQtCouldNotFullyReadStillTakesEveryWrite() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Daywise.conf"));
        writeFile(file, content);
        RecordingMessages messages;
        {
            QtSettingsStore store(file);
            QCOMPARE(store.GetSetting(Settings, QStringLiteral("Installed"), 0),
                     QStringLiteral("1"));
            store.SaveSetting(Settings, QStringLiteral("StartDate"), "2025-03-01");
            store.SaveSettings(Settings, {{QStringLiteral("EndDate"), QStringLiteral("2025-03-15")},
                                          {QStringLiteral("RangeOption"), QStringLiteral("2")}});
            QVERIFY(store.keepsValues());
        }
        QCOMPARE(messages.texts(), QStringList());
        QtSettingsStore reopened(file);
        QCOMPARE(stored(reopened), QStringLiteral("1 2025-03-01 2025-03-15 2"));
    }
    void anUnwritableFolderKeepsValuesForTheRunAndTellsOnce() {
        QTemporaryDir dir;
        // A file where a folder should be: as root, permissions would not stop a write.
        writeFile(dir.filePath(QStringLiteral("config")), "not a folder");
        const QString folder = dir.filePath(QStringLiteral("config/Daywise"));
        const QString file = folder + QStringLiteral("/Daywise.conf");
        RecordingMessages messages;
        {
            QtSettingsStore store(file);
            QVERIFY(!store.keepsValues());
            store.SaveSetting(Settings, QStringLiteral("Installed"), 1);
            store.SaveSetting(Settings, QStringLiteral("StartDate"), "2025-03-01");
            store.SaveSettings(Settings, {{QStringLiteral("EndDate"), QStringLiteral("2025-03-15")},
                                          {QStringLiteral("RangeOption"), QStringLiteral("2")}});
            QCOMPARE(stored(store), QStringLiteral("1 2025-03-01 2025-03-15 2"));
        }
        QCOMPARE(messages.texts(), QStringList(str(Caption::CannotSaveSettingsIn) + "\r\n" +
                                               QDir::toNativeSeparators(folder) + "\r\n" +
                                               str(Caption::ChoicesNotKept)));
        QCOMPARE(stored(QtSettingsStore(file)), QStringLiteral("absent absent absent absent"));
    }
    void conversionsRaiseTheProgramsErrors() {
        QCOMPARE(convert::toNumber(QStringLiteral("2.5")), 2);
        QCOMPARE(convert::toNumber(QStringLiteral("-3.5")), -4);
        QVERIFY(convert::toBool(QStringLiteral("-1")));
        QCOMPARE(errorOf([] { convert::toNumber(QStringLiteral("abc")); }), 13);
        QCOMPARE(errorOf([] { convert::toInt16(QStringLiteral("40000")); }), 6);
        QCOMPARE(convert::toDate(QStringLiteral("2024-02-29 14:30:00")), QDate(2024, 2, 29));
    }
    // One carriage return per line break, as the report has always been written.
    void errorReportNamesTheStepReachedAndTheProgramGoesOn() {
        LanguageBase = 200;
        QCOMPARE(errorReportText(13, "Type mismatch", "frmMain", "Sub", "Form_Load", 7),
                 "Error 13: 'Type mismatch'\rin frmMain: Sub Form_Load - Line # 7\r\rPlease "
                 "contact " +
                     app::SupportEmail + " with this error message.");
        RecordingMessages recorder;
        Procedure proc("frmMain", "Convert", "Function");
        proc.setExtra("\r\rstrHex='ZZ'");
        QVERIFY(!proc.run([&] {
            proc.line(1);
            proc.line(3);
            throw RuntimeError::typeMismatch();
        }));
        QCOMPARE(recorder.shown.size(), 1);
        QCOMPARE(recorder.shown[0].title, "Daywise error");
        QVERIFY(recorder.shown[0].text.contains("Function Convert - Line # 3\r"));
        QVERIFY(recorder.shown[0].text.endsWith("message.\r\rstrHex='ZZ'"));
        QVERIFY(proc.run([] {}));
        QCOMPARE(recorder.shown.size(), 1);
        LanguageBase = 400;
        QVERIFY(errorReportText(6, "Overflow", "Module1", "Sub", "Main", 2)
                    .endsWith("Merci de contacter " + app::SupportEmail + " avec ce message."));
        LanguageBase = 200;
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
