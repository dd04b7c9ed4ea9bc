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

// Plays the owner: writes every block where the task says and counts it.
struct Owner
{
    explicit Owner(downloadtask &task, const QByteArray &already = QByteArray())
        : file(already + QByteArray(1000 - already.size(), '\0'))
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

} // namespace

class tst_DownloadTask : public QObject
{
    Q_OBJECT

private:
    HttpTestServer m_server;
    const QByteArray m_body = patterned(1000);

    QList<QByteArray> rangesAsked(const QString &path) const
    {
        QList<QByteArray> ranges;
        for (const RecordedRequest &request : m_server.requestsFor(path))
            ranges << request.headers.value("range");
        return ranges;
    }

private slots:
    void init() { m_server.clearRequests(); }

    void resumesWhereTheFileEnds_data()
    {
        QTest::addColumn<bool>("honourRange");
        QTest::addColumn<int>("have");
        QTest::newRow("ranged answer") << true << 400;
        QTest::newRow("whole file despite the range") << false << 600;
        QTest::newRow("nothing missing asks nothing") << true << 1000;
    }

    void resumesWhereTheFileEnds()
    {
        QFETCH(bool, honourRange);
        QFETCH(int, have);
        HttpRoute answer;
        answer.body = m_body;
        answer.honourRange = honourRange;
        m_server.route(QStringLiteral("/f"), answer);
        downloadtask task;
        Owner owner(task, m_body.left(have));
        task.setUrl(m_server.url(QStringLiteral("/f")), 0, 1000, have, 0);
        task.start();
        QTRY_COMPARE(task.downloadedSize(), 1000);
        QVERIFY(m_server.settle());
        const QList<QByteArray> expected { "bytes=" + QByteArray::number(have) + "-1000" };
        QCOMPARE(rangesAsked(QStringLiteral("/f")), have < 1000 ? expected : QList<QByteArray>());
        QCOMPARE(owner.file, m_body);
    }

    // One rule per status, with or without a body: what may change on its
    // own is asked again, everything else fails at once with the status. A
    // 206 from elsewhere than asked is a failed transfer: not a byte of it
    // may reach the file.
    void statusRules_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("withBody");
        QTest::addColumn<bool>("retried");
        QTest::addColumn<int>("rangeShift"); // -1: the 206 does not say where it starts
        QTest::newRow("404 with a body") << 404 << true << false << 0;
        QTest::newRow("404 without") << 404 << false << false << 0;
        QTest::newRow("403 without") << 403 << false << false << 0;
        QTest::newRow("416") << 416 << true << false << 0;
        QTest::newRow("302 on a ranged GET") << 302 << false << false << 0;
        QTest::newRow("503 with a body") << 503 << true << true << 0;
        QTest::newRow("500 without") << 500 << false << true << 0;
        QTest::newRow("429 without") << 429 << false << true << 0;
        QTest::newRow("408 with a body") << 408 << true << true << 0;
        QTest::newRow("206 from elsewhere") << 206 << true << true << 100;
        QTest::newRow("206 not saying where") << 206 << true << true << -1;
    }

    void statusRules()
    {
        QFETCH(int, status);
        QFETCH(bool, withBody);
        QFETCH(bool, retried);
        QFETCH(int, rangeShift);
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
        if (retried) {
            QTRY_COMPARE(task.downloadedSize(), 1000);
            QCOMPARE(owner.file, m_body);
        } else {
            QVERIFY(statusErrors.wait());
            QCOMPARE(statusErrors.first().at(0).toInt(), status);
        }
        QVERIFY(m_server.settle());
        QCOMPARE(m_server.requestsFor(QStringLiteral("/odd")).size(), retried ? 2 : 1);
        QCOMPARE(statusErrors.count(), retried ? 0 : 1);
    }

    void fourRestartsThenTheReport()
    {
        // Two stalls and two dropped connections use up the four restarts;
        // the fifth failure, a stall, is reported.
        HttpRoute stall;
        stall.body = m_body;
        stall.stallAfterBytes = 100;
        HttpRoute drop = stall;
        drop.stallAfterBytes = -1;
        drop.closeAfterBytes = 100;
        m_server.routeSequence(QStringLiteral("/flaky"), { stall, drop, stall, drop, stall });

        downloadtask task;
        Owner owner(task);
        QSignalSpy failures(&task, &downloadtask::networkError);
        task.setUrl(m_server.url(QStringLiteral("/flaky")), 0, 1000, 0, 0);
        task.start();
        QVERIFY(failures.wait(10 * kInactivityMs));
        QCOMPARE(failures.first().at(0).value<QNetworkReply::NetworkError>(),
            QNetworkReply::TimeoutError);
        QCOMPARE(failures.first().at(1).toString(), QStringLiteral("message_request_time_out"));

        // Every restart resumed where the bytes written so far ended. (Qt may
        // resend a request once on its own when a kept-alive connection
        // drops; that is no restart of the task.) Given up for good: nothing
        // more is asked.
        QVERIFY(m_server.settle());
        QList<QByteArray> ranges = rangesAsked(QStringLiteral("/flaky"));
        ranges.erase(std::unique(ranges.begin(), ranges.end()), ranges.end());
        QCOMPARE(ranges,
            QList<QByteArray>({ "bytes=0-1000", "bytes=100-1000", "bytes=200-1000",
                "bytes=300-1000", "bytes=400-1000" }));
        QCOMPARE(task.downloadedSize(), 500);
        QCOMPARE(owner.file.left(500), m_body.left(500));
        QCOMPARE(failures.count(), 1);
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
        QCOMPARE(rangesAsked(QStringLiteral("/paced")).last(),
            "bytes=" + QByteArray::number(paused) + "-1000");
        QCOMPARE(owner.file, m_body);
    }

    void shortBodyIsNotCompletion()
    {
        HttpRoute shortAnswer;
        shortAnswer.body = m_body.left(300);
        shortAnswer.honourRange = false;
        m_server.route(QStringLiteral("/short"), shortAnswer);
        downloadtask task;
        Owner owner(task);
        QSignalSpy failures(&task, &downloadtask::networkError);
        task.setUrl(m_server.url(QStringLiteral("/short")), 0, 1000, 0, 0);
        task.start();
        QVERIFY(failures.wait(10000));
        QCOMPARE(m_server.requestsFor(QStringLiteral("/short")).size(), 5);
        QCOMPARE(task.downloadedSize(), 300);
    }
};

TESSARIL_TEST_MAIN(tst_DownloadTask)
#include "tst_downloadtask.moc"
