#include "FakeAct.h"
#include "ShellTestSupport.h"
#include "shell/InstanceGuard.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QTest>

class Module1Test : public QObject {
    Q_OBJECT

    std::unique_ptr<ShellTestEnvironment> env;
    std::unique_ptr<fake::Script> script;

    std::unique_ptr<frmMain> start(InstanceGuard& guard) {
        fake::Factory factory(*script);
        return Main(factory, guard);
    }

private slots:
    void init() {
        env = std::make_unique<ShellTestEnvironment>();
        env->store.SaveSetting(QStringLiteral("Settings"), QStringLiteral("Installed"), "1");
        script = std::make_unique<fake::Script>();
        QFile::remove(InstanceGuard::lockPath());
    }
    void cleanup() { env.reset(); }

    void startsOnTheOpenDatabase() {
        InstanceGuard guard;
        const auto window = start(guard);
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(script->log, (QStringList{"OpenFile", "OpenEx", "PhoneFormatting 2"}));
        QVERIFY(env->messages.shown.isEmpty());
    }
    void secondInstanceIsRefusedEvenLongAfterTheFirstStarted() {
        InstanceGuard first;
        QVERIFY(first.acquire());
        QFile lock(InstanceGuard::lockPath());
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
        lock.close();
        InstanceGuard second;
        QVERIFY(!start(second));
        QCOMPARE(env->messages.texts(),
                 QStringList{"An instance of this program is already running !"});
        QVERIFY(script->log.isEmpty());
    }
    void lockOfACrashedInstanceIsTakenOver() {
        // A lock left by a process that is gone, as after a crash.
        QProcess gone;
        gone.start(QStringLiteral("true"));
        QVERIFY(gone.waitForStarted());
        const qint64 pid = gone.processId();
        QVERIFY(gone.waitForFinished());
        {
            QFile lock(InstanceGuard::lockPath());
            QVERIFY(lock.open(QIODevice::WriteOnly));
            lock.write(QByteArray::number(pid) + "\ndaywise\n\n");
        }
        InstanceGuard guard;
        QVERIFY(guard.acquire());
    }
    void noOpenDatabaseEndsAfterSaying() {
        script->databaseOpen = false;
        const int settingsBefore = env->store.size();
        InstanceGuard guard;
        QVERIFY(!start(guard));
        QCOMPARE(env->messages.texts(),
                 QStringList{"Please open a database BEFORE running Daywise!"});
        QCOMPARE(env->store.size(), settingsBefore);
    }
};

QTEST_MAIN(Module1Test)
#include "tst_module1.moc"
