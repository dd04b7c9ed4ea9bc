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
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        QCOMPARE(startHelper(child, { QStringLiteral("crash"), folder.path() }),
            QStringLiteral("crashing"));
        QVERIFY(child.waitForFinished(10000));
        const QDateTime after = QDateTime::currentDateTime().addSecs(1);

        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QCOMPARE(child.exitCode(), int(SIGSEGV));

        const QStringList dumps
            = QDir(folder.path()).entryList({ QStringLiteral("*.dmp") }, QDir::Files);
        QCOMPARE(dumps.size(), 1);
        const QRegularExpressionMatch name
            = QRegularExpression(QStringLiteral("^DumpFile-(\\d{8}-\\d{6})\\.dmp$"))
                  .match(dumps.first());
        QVERIFY2(name.hasMatch(), qPrintable(dumps.first()));
        const QDateTime stamp
            = QDateTime::fromString(name.captured(1), QStringLiteral("yyyyMMdd-HHmmss"));
        QVERIFY2(stamp >= before.addMSecs(-before.time().msec()) && stamp <= after,
            qPrintable(stamp.toString(Qt::ISODate)));

        QFile dump(folder.filePath(dumps.first()));
        QVERIFY(dump.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(dump.readAll());
        QVERIFY(text.startsWith(QStringLiteral("signal 11 (SIGSEGV)\n")));
        QVERIFY(text.contains(QStringLiteral("\naddress 0x0\n")));
        QVERIFY(text.contains(QStringLiteral("backtrace:\n")));
        QVERIFY(text.contains(QStringLiteral("tst_helper"))); // frames and maps name the program
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("maps:\\n[0-9a-f]+-[0-9a-f]+ r"))));
    }
};

TESSARIL_TEST_MAIN(tst_CrashHandler)
#include "tst_crashhandler.moc"
