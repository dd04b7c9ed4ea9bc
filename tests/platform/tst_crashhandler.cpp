#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QRegularExpression>
#include <QtTest>

#include <csignal>

class tst_CrashHandler : public QObject
{
    Q_OBJECT

private slots:
    void crashLeavesDumpAndDiesBySignal()
    {
        QTemporaryDir folder;
        QProcess child;
        const QDateTime before
            = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - 1);
        QCOMPARE(startHelper(child, { QStringLiteral("crash"), folder.path() }),
            QStringLiteral("crashing"));
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QCOMPARE(child.exitCode(), int(SIGSEGV));

        const QStringList dumps = QDir(folder.path()).entryList(QDir::Files);
        QCOMPARE(dumps.size(), 1);
        const QDateTime stamp = QDateTime::fromString(
            dumps.first(), QStringLiteral("'DumpFile-'yyyyMMdd-HHmmss'.dmp'"));
        QVERIFY2(stamp >= before && stamp <= QDateTime::currentDateTime().addSecs(1),
            qPrintable(dumps.first()));
        // The program is named by its frames and maps.
        const QString dump = QString::fromUtf8(readFile(folder.filePath(dumps.first())));
        QVERIFY2(dump.contains(QRegularExpression(QStringLiteral(
                     "(?s)^signal 11 \\(SIGSEGV\\)\\n.*\\naddress 0x0\\n.*\\nbacktrace:\\n.*"
                     "\\nmaps:\\n[0-9a-f]+-[0-9a-f]+ r.*tst_helper"))),
            qPrintable(dump.left(2000)));
    }
};

TESSARIL_TEST_MAIN(tst_CrashHandler)
#include "tst_crashhandler.moc"
