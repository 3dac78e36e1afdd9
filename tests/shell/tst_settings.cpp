#include "RecordingMessages.h"
#include "shell/AppInfo.h"
#include "shell/ErrorReport.h"
#include "shell/ProgramState.h"
#include "shell/QtSettingsStore.h"
#include "shell/RuntimeError.h"
#include "shell/StringTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void keysNamedAfterUsersAndOddValuesRoundTrip_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("slash") << QStringLiteral("Sales/East");
        QTest::newRow("backslash") << QStringLiteral("DOMAIN\\bob");
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
            store.SaveSetting("Colors", key, value);
            store.SaveSetting("Colors", "Other", 1);
        }
        QtSettingsStore reopened(file);
        QCOMPARE(reopened.GetSetting("Colors", key, "x"), value);
        QCOMPARE(reopened.GetSetting("Colors", "Other", 0), "1");
    }
    // Qt reads what it can of such a file and keeps a format error for the object's life;
    // that must not pass for a failed write.
    void aFileQtCouldNotFullyReadStillTakesEveryWrite_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[Settings]\nInstalled=1\n");
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
            QCOMPARE(store.GetSetting(Settings, "Installed", 0), "1");
            store.SaveSetting(Settings, QStringLiteral("StartDate"), "2025-03-01");
            store.SaveSettings(Settings, {{"EndDate", "2025-03-15"}, {"RangeOption", "2"}});
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
            store.SaveSettings(Settings, {{"EndDate", "2025-03-15"}, {"RangeOption", "2"}});
            QCOMPARE(stored(store), QStringLiteral("1 2025-03-01 2025-03-15 2"));
        }
        QCOMPARE(messages.texts(), QStringList(str(Caption::CannotSaveSettingsIn) + "\r\n" +
                                               QDir::toNativeSeparators(folder) + "\r\n" +
                                               str(Caption::ChoicesNotKept)));
        QCOMPARE(stored(QtSettingsStore(file)), QStringLiteral("absent absent absent absent"));
    }
    // One carriage return per line break, as the report has always been written.
    void errorReportNamesTheStepReachedAndTheProgramGoesOn() {
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
        QVERIFY(recorder.shown[0].text.endsWith("with this error message.\r\rstrHex='ZZ'"));
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
