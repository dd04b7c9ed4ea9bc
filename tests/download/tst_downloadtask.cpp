#include "download/downloadtask.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

namespace {

// Short enough to keep the stalls quick, long enough that a loaded machine
// never misses a block by that much. The waits before restarts shrink alike.
constexpr int kInactivityMs = 300;
constexpr int kBackoffBaseMs = 20;

// When each failure of a task was told, in ms of one clock.
QList<qint64> failureTimes;
QElapsedTimer failureClock;

void noteFailures(QtMsgType, const QMessageLogContext &, const QString &message)
{
    if (message.startsWith(QLatin1String("Download failed")))
        failureTimes << failureClock.elapsed();
}

// Plays the owner: writes every block where the task says and counts it.
struct Owner
{
    explicit Owner(downloadtask &task)
        : file(1000, '\0')
    {
        task.setInactivityMs(kInactivityMs);
        task.setBackoffBaseMs(kBackoffBaseMs);
        QObject::connect(&task, &downloadtask::readyRead, &task,
            [this, &task](const QByteArray &block, qlonglong position, int) {
                file.replace(int(position), block.size(), block);
                task.addDownloaded(block.size());
            });
    }
    QByteArray file;
};

// The status, whether the answer has a body, whether the task asks again,
// and for a 206 how far from the asked start it begins (-1: not said).
using Status = std::tuple<int, bool, bool, int>;

} // namespace

Q_DECLARE_METATYPE(Status)

class tst_DownloadTask : public QObject
{
    Q_OBJECT

private:
    HttpTestServer m_server;
    const QByteArray m_body = patterned(1000);

private slots:
    void init() { m_server.clearRequests(); }

    // One rule per status, with or without a body: what may change on its
    // own is asked again, everything else fails at once with the status. A
    // 206 from elsewhere than asked is a failed transfer: not a byte of it
    // may reach the file.
    void statusRules_data()
    {
        QTest::addColumn<Status>("row");
        QTest::newRow("404 with a body") << Status { 404, true, false, 0 };
        QTest::newRow("404 without") << Status { 404, false, false, 0 };
        QTest::newRow("403 without") << Status { 403, false, false, 0 };
        QTest::newRow("416") << Status { 416, true, false, 0 };
        QTest::newRow("302 on a ranged GET") << Status { 302, false, false, 0 };
        QTest::newRow("503 with a body") << Status { 503, true, true, 0 };
        QTest::newRow("500 without") << Status { 500, false, true, 0 };
        QTest::newRow("429 without") << Status { 429, false, true, 0 };
        QTest::newRow("408 with a body") << Status { 408, true, true, 0 };
        QTest::newRow("206 from elsewhere") << Status { 206, true, true, 100 };
        QTest::newRow("206 not saying where") << Status { 206, true, true, -1 };
    }

    void statusRules()
    {
        QFETCH(Status, row);
        const auto [status, withBody, retried, rangeShift] = row;
        HttpRoute odd;
        odd.status = status == 206 ? 200 : status;
        odd.reason = "Odd";
        odd.body = status == 206 ? m_body : QByteArray(withBody ? "a page about it" : "");
        odd.rangeShift = qMax(0, rangeShift);
        odd.sendContentRange = rangeShift >= 0;
        odd.location = "/elsewhere";
        HttpRoute good;
        good.body = m_body;
        m_server.routeSequence(QStringLiteral("/odd"), { odd, good });
        downloadtask task;
        Owner owner(task);
        QSignalSpy statusErrors(&task, &downloadtask::httpStatusCodeError);
        task.setUrl(m_server.url(QStringLiteral("/odd")), 0, 1000, 0, 0);
        task.start();
        if (retried)
            QTRY_COMPARE(owner.file, m_body);
        else
            QVERIFY(statusErrors.wait());
        QVERIFY(m_server.settle());
        QCOMPARE(m_server.requestsFor(QStringLiteral("/odd")).size(), retried ? 2 : 1);
        QCOMPARE(task.downloadedSize(), retried ? 1000 : 0);
        QCOMPARE(statusErrors.count(), retried ? 0 : 1);
        if (!retried)
            QCOMPARE(statusErrors.first().at(0).toInt(), status);
    }

    void restartsBackOff()
    {
        // No body: a transfer error, which restarts, rather than a status
        // the task reports at once.
        HttpRoute busy;
        busy.status = 503;
        busy.reason = "Service Unavailable";
        m_server.route(QStringLiteral("/busy"), busy);
        constexpr int kBaseMs = 100;
        downloadtask task;
        task.setBackoffBaseMs(kBaseMs);
        QSignalSpy failures(&task, &downloadtask::networkError);
        failureTimes.clear();
        failureClock.start();
        const QtMessageHandler earlier = qInstallMessageHandler(noteFailures);
        task.setUrl(m_server.url(QStringLiteral("/busy")), 0, 1000, 0, 0);
        task.start();
        const bool reported = failures.wait(10000);
        qInstallMessageHandler(earlier);
        QVERIFY(reported);
        QCOMPARE(failureTimes.size(), downloadtask::kAttemptLimit);
        // Each wait is at least half its doubling, and the last two together
        // well over the first two: a wait of the same length every time, or
        // one that does not grow, cannot pass.
        QList<qint64> gaps;
        for (int restart = 1; restart < failureTimes.size(); ++restart) {
            gaps << failureTimes.at(restart) - failureTimes.at(restart - 1);
            QVERIFY2(gaps.last() >= kBaseMs / 2 * (1 << (restart - 1)),
                qPrintable(QString::number(gaps.last())));
        }
        QVERIFY2(gaps.at(2) + gaps.at(3) >= 3 * (gaps.at(0) + gaps.at(1)) / 2,
            qPrintable(QString::number(gaps.at(0))));
        QVERIFY(m_server.settle());
        QCOMPARE(m_server.requestsFor(QStringLiteral("/busy")).size(), downloadtask::kAttemptLimit);
    }

    void stopIsSilentAndStartResumes()
    {
        HttpRoute paced;
        paced.body = m_body;
        paced.chunkBytes = 100;
        paced.chunkIntervalMs = 50;
        m_server.route(QStringLiteral("/paced"), paced);
        downloadtask task;
        Owner owner(task);
        task.setUrl(m_server.url(QStringLiteral("/paced")), 0, 1000, 0, 0);
        task.start();
        QTRY_VERIFY(task.downloadedSize() >= 100);
        task.stop();
        const qint64 paused = task.downloadedSize();
        QSignalSpy anything(&task, &downloadtask::readyRead);
        QSignalSpy failures(&task, &downloadtask::networkError);

        // A transfer at the same pace gets well ahead while the stopped one
        // stays where it was.
        downloadtask other;
        Owner otherOwner(other);
        other.setUrl(m_server.url(QStringLiteral("/paced")), 0, 1000, 0, 1);
        other.start();
        QTRY_VERIFY(other.downloadedSize() >= paused + 300);
        QCOMPARE(anything.count() + failures.count(), 0);
        QCOMPARE(task.downloadedSize(), paused);

        task.start();
        QTRY_COMPARE(task.downloadedSize(), 1000);
        QCOMPARE(m_server.requestsFor(QStringLiteral("/paced")).last().headers.value("range"),
            "bytes=" + QByteArray::number(paused) + "-1000");
        QCOMPARE(owner.file, m_body);
    }
};

TESSARIL_TEST_MAIN(tst_DownloadTask)
#include "tst_downloadtask.moc"
