#include "tests/support/testenvironment.h"

#include <QtTest>

// Each instance is a real helper process running SingleApplication.
class tst_SingleApplication : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_temp;

private slots:
    // The instances listen in the temporary folder, which parallel runs of
    // this test would otherwise share.
    void initTestCase() { qputenv("TMPDIR", QFile::encodeName(m_temp.path())); }

    // A killed first instance leaves its lock file and socket behind; the
    // next start must take over rather than hand over to nobody.
    void secondHandsOverAndAKilledFirstNeverBlocks()
    {
        for (int round = 0; round < 2; ++round) {
            QProcess first;
            QCOMPARE(startHelper(first, { QStringLiteral("single") }), QStringLiteral("first"));
            QProcess second;
            QCOMPARE(startHelper(second, { QStringLiteral("single") }),
                QStringLiteral("second:delivered"));
            QVERIFY(second.waitForFinished(5000));
            QCOMPARE(second.exitCode(), 255);
            QCOMPARE(nextLine(first), QStringLiteral("message:raise_window_noop"));
            first.kill();
            QVERIFY(first.waitForFinished(5000));
        }
    }

    void simultaneousStartsElectExactlyOne()
    {
        QList<QProcess *> launches;
        for (int i = 0; i < 4; ++i) {
            launches.append(new QProcess(this));
            launches.last()->start(testHelperPath(), { QStringLiteral("single") });
        }
        QStringList lines;
        QProcess *winner = nullptr;
        for (QProcess *process : launches) {
            lines << nextLine(*process);
            if (lines.last() == QLatin1String("first"))
                winner = process;
        }
        lines.sort();
        QCOMPARE(lines,
            QStringList({ "first", "second:delivered", "second:delivered", "second:delivered" }));
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
