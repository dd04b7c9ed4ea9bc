#include "platform/processes.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

class tst_Processes : public QObject
{
    Q_OBJECT

private slots:
    void programFoundAndKilledByImageName()
    {
        QTemporaryDir folder;
        const QString game = folder.filePath(QStringLiteral("Quorvela.exe"));
        QVERIFY(QFile::copy(testHelperPath(), game));
        QVERIFY(QFile::setPermissions(game, QFile::ReadOwner | QFile::ExeOwner));

        QVERIFY(!platform::isProcessRunning(QStringLiteral("Quorvela.exe")));
        QProcess running;
        running.start(game, { QStringLiteral("sleep") });
        QVERIFY(running.waitForStarted());
        QVERIFY(running.waitForReadyRead(5000));

        QVERIFY(platform::isProcessRunning(QStringLiteral("Quorvela.exe")));
        QVERIFY(!platform::isProcessRunning(QStringLiteral("quorvela.exe")));
        QVERIFY(!platform::isProcessRunning(QStringLiteral("Quorvela")));

        platform::killProcesses(QStringLiteral("Quorvela.exe"));
        QVERIFY(running.waitForFinished(5000));
        QCOMPARE(running.exitStatus(), QProcess::CrashExit);
        QVERIFY(!platform::isProcessRunning(QStringLiteral("Quorvela.exe")));
    }

    void scriptFoundByItsName()
    {
        QTemporaryDir folder;
        const QString script = folder.filePath(QStringLiteral("Game.sh"));
        QVERIFY(writeFile(script, "echo up\nread line\n"));

        QProcess running;
        running.start(QStringLiteral("sh"), { script });
        QVERIFY(running.waitForReadyRead(5000));
        QVERIFY(platform::isProcessRunning(QStringLiteral("Game.sh")));
        running.kill();
        running.waitForFinished();
    }

    void ownProcessNeverCounts()
    {
        const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QVERIFY(!platform::isProcessRunning(self));
        QVERIFY(!platform::isProcessRunning(QString()));
    }
};

TESSARIL_TEST_MAIN(tst_Processes)
#include "tst_processes.moc"
