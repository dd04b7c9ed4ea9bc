#include "tests/support/testenvironment.h"

#include <QtTest>

// Each instance is a real helper process running SingleApplication.
class tst_SingleApplication : public QObject
{
    Q_OBJECT

private slots:
    void secondHandsOverAndAKilledFirstNeverBlocks()
    {
        QProcess first;
        QCOMPARE(startHelper(first, { QStringLiteral("single") }), QStringLiteral("first"));
        QProcess second;
        QCOMPARE(
            startHelper(second, { QStringLiteral("single") }), QStringLiteral("second:delivered"));
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitCode(), 255);
        QCOMPARE(nextLine(first), QStringLiteral("message:raise_window_noop"));

        first.kill(); // lock file and socket are left behind
        QVERIFY(first.waitForFinished(5000));
        QProcess next;
        QCOMPARE(startHelper(next, { QStringLiteral("single") }), QStringLiteral("first"));
        QProcess another;
        QCOMPARE(
            startHelper(another, { QStringLiteral("single") }), QStringLiteral("second:delivered"));
        QCOMPARE(nextLine(next), QStringLiteral("message:raise_window_noop"));
        next.kill();
        next.waitForFinished();
        another.waitForFinished();
    }

    void simultaneousStartsElectExactlyOne()
    {
        QList<QProcess *> launches;
        for (int i = 0; i < 4; ++i) {
            auto *process = new QProcess(this);
            process->start(testHelperPath(), { QStringLiteral("single") });
            launches.append(process);
        }
        int firsts = 0;
        int delivered = 0;
        QProcess *winner = nullptr;
        for (QProcess *process : launches) {
            const QString line = nextLine(*process);
            if (line == QLatin1String("first")) {
                ++firsts;
                winner = process;
            } else if (line == QLatin1String("second:delivered")) {
                ++delivered;
            }
        }
        QCOMPARE(firsts, 1);
        QCOMPARE(delivered, 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(nextLine(*winner), QStringLiteral("message:raise_window_noop"));
        for (QProcess *process : launches) {
            process->kill();
            process->waitForFinished();
        }
    }
};

TESSARIL_TEST_MAIN(tst_SingleApplication)
#include "tst_singleapplication.moc"
