#include "platform/processes.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

class tst_Processes : public QObject
{
    Q_OBJECT

private slots:
    // A decoy of the same name in another folder is never taken for the
    // program, neither when asking nor when killing.
    void programFoundAndKilledByPathOnly()
    {
        QTemporaryDir folder;
        const QString game = folder.filePath(QStringLiteral("game/Quorvela.exe"));
        const QString decoy = folder.filePath(QStringLiteral("elsewhere/Quorvela.exe"));
        for (const QString &path : { game, decoy })
            QVERIFY(writeFile(path, readFile(testHelperPath()), true));

        QProcess other;
        other.start(decoy, { QStringLiteral("sleep") });
        QVERIFY(other.waitForReadyRead(5000));
        QVERIFY(!platform::isProgramRunning(game));
        QVERIFY(platform::isProgramRunning(decoy));

        QProcess running;
        running.start(game, { QStringLiteral("sleep") });
        QVERIFY(running.waitForReadyRead(5000));
        QVERIFY(platform::isProgramRunning(game));

        // A script started by a relative path from its folder, as a desktop entry may.
        const QString script = folder.filePath(QStringLiteral("Game.sh"));
        QVERIFY(writeFile(script, "echo up\nread line\n"));
        QProcess shell;
        shell.setWorkingDirectory(folder.path());
        shell.start(QStringLiteral("sh"), { QStringLiteral("Game.sh") });
        QVERIFY(shell.waitForReadyRead(5000));
        QVERIFY(platform::isProgramRunning(script));
        shell.kill();
        shell.waitForFinished();

        platform::killProgram(game);
        QVERIFY(running.waitForFinished(5000));
        QCOMPARE(running.exitStatus(), QProcess::CrashExit);
        QVERIFY(!platform::isProgramRunning(game));
        QCOMPARE(other.state(), QProcess::Running);
        other.kill();
        other.waitForFinished();
        QVERIFY(!platform::isProgramRunning(QCoreApplication::applicationFilePath()));
    }
};

TESSARIL_TEST_MAIN(tst_Processes)
#include "tst_processes.moc"
