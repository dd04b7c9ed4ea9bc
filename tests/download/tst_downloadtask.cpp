#include "download/downloadtask.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

namespace {

// Plays the owner: writes every block where the task says and counts it.
struct Owner
{
    explicit Owner(downloadtask &task, qint64 size)
        : file(int(size), '\0')
    {
        QObject::connect(&task, &downloadtask::readyRead, &task,
            [this, &task](const QByteArray &block, qlonglong position, int) {
                file.replace(int(position), block.size(), block);
                task.addDownloaded(block.size());
                ++blocks;
            });
    }
    QByteArray file;
    int blocks = 0;
};

} // namespace

class tst_DownloadTask : public QObject
{
    Q_OBJECT

private:
    HttpTestServer m_server;
    const QByteArray m_body = patterned(1000);

    QByteArray rangeOf(int request) const
    {
        return m_server.requests().value(request).headers.value("range");
    }

private slots:
    void init() { m_server.clearRequests(); }

    void resumesWithTheRangeItIsGiven()
    {
        m_server.route(QStringLiteral("/f"), m_body);
        downloadtask task;
        Owner owner(task, m_body.size());
        owner.file.replace(0, 400, m_body.left(400));
        task.setUrl(m_server.url(QStringLiteral("/f")), 0, 1000, 400, 0);
        task.start();
        QTRY_COMPARE(task.downloadedSize(), 1000);
        QCOMPARE(rangeOf(0), QByteArray("bytes=400-1000"));
        QCOMPARE(owner.file, m_body);
    }

    void completeRangeSendsNothing()
    {
        downloadtask task;
        QSignalSpy blocks(&task, &downloadtask::readyRead);
        QSignalSpy failures(&task, &downloadtask::networkError);
        task.setUrl(m_server.url(QStringLiteral("/f")), 0, 1000, 1000, 0);
        task.start();
        QTest::qWait(200);
        QVERIFY(m_server.requests().isEmpty());
        QCOMPARE(blocks.count() + failures.count(), 0);
    }

    void unexpectedStatusStopsWithoutRetry_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("reason");
        QTest::addColumn<QString>("message");
        QTest::newRow("416") << 416 << QByteArray("Range Not Satisfiable")
                             << "Range Not Satisfiable";
        QTest::newRow("302") << 302 << QByteArray("Found") << "";
    }

    void unexpectedStatusStopsWithoutRetry()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, reason);
        QFETCH(QString, message);
        HttpRoute answer;
        answer.status = status;
        answer.reason = reason;
        answer.body = "some body";
        answer.location = "/elsewhere";
        m_server.route(QStringLiteral("/odd"), answer);
        downloadtask task;
        QSignalSpy statusErrors(&task, &downloadtask::httpStatusCodeError);
        QSignalSpy blocks(&task, &downloadtask::readyRead);
        task.setUrl(m_server.url(QStringLiteral("/odd")), 0, 1000, 0, 0);
        task.start();
        QVERIFY(statusErrors.wait());
        QCOMPARE(statusErrors.first().at(0).toInt(), status);
        QCOMPARE(statusErrors.first().at(1).toString(), message);
        QTest::qWait(300);
        QCOMPARE(m_server.requests().size(), 1);
        QCOMPARE(blocks.count(), 0);
    }

    void wholeFileAnswerToARangeLandsInPlace()
    {
        HttpRoute ignoring;
        ignoring.body = m_body;
        ignoring.honourRange = false;
        m_server.route(QStringLiteral("/norange"), ignoring);
        downloadtask task;
        Owner owner(task, m_body.size());
        owner.file.replace(0, 600, m_body.left(600));
        task.setUrl(m_server.url(QStringLiteral("/norange")), 0, 1000, 600, 0);
        task.start();
        QTRY_COMPARE(task.downloadedSize(), 1000);
        QCOMPARE(rangeOf(0), QByteArray("bytes=600-1000"));
        QCOMPARE(owner.file, m_body);
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
        Owner owner(task, m_body.size());
        QSignalSpy failures(&task, &downloadtask::networkError);
        task.setUrl(m_server.url(QStringLiteral("/flaky")), 0, 1000, 0, 0);
        task.start();
        QVERIFY(failures.wait(40000));
        QCOMPARE(failures.count(), 1);
        QCOMPARE(failures.first().at(0).value<QNetworkReply::NetworkError>(),
            QNetworkReply::TimeoutError);
        QCOMPARE(failures.first().at(1).toString(), QStringLiteral("message_request_time_out"));

        // Every restart resumed where the bytes written so far ended. (Qt may
        // resend a request once on its own when a kept-alive connection
        // drops; that is no restart of the task.)
        QList<QByteArray> ranges;
        for (int i = 0; i < m_server.requests().size(); ++i) {
            if (ranges.isEmpty() || ranges.last() != rangeOf(i))
                ranges.append(rangeOf(i));
        }
        QCOMPARE(ranges,
            QList<QByteArray>({ "bytes=0-1000", "bytes=100-1000", "bytes=200-1000",
                "bytes=300-1000", "bytes=400-1000" }));
        QCOMPARE(task.downloadedSize(), 500);
        QCOMPARE(owner.file.left(500), m_body.left(500));

        // Given up for good: nothing more is asked.
        const int asked = m_server.requests().size();
        QTest::qWait(500);
        QCOMPARE(m_server.requests().size(), asked);
    }

    void stopIsSilentAndStartResumes()
    {
        HttpRoute paced;
        paced.body = m_body;
        paced.chunkBytes = 100;
        paced.chunkIntervalMs = 50;
        m_server.route(QStringLiteral("/paced"), paced);
        downloadtask task;
        Owner owner(task, m_body.size());
        task.setUrl(m_server.url(QStringLiteral("/paced")), 0, 1000, 0, 0);
        task.start();
        QTRY_VERIFY(task.downloadedSize() >= 100);
        task.stop();
        const qint64 paused = task.downloadedSize();
        QSignalSpy anything(&task, &downloadtask::readyRead);
        QSignalSpy failures(&task, &downloadtask::networkError);
        QTest::qWait(400);
        QCOMPARE(anything.count() + failures.count(), 0);
        QCOMPARE(task.downloadedSize(), paused);

        task.start();
        QTRY_COMPARE(task.downloadedSize(), 1000);
        QCOMPARE(rangeOf(1), QByteArray("bytes=") + QByteArray::number(paused) + "-1000");
        QCOMPARE(owner.file, m_body);
    }

    void shortBodyIsNotCompletion()
    {
        HttpRoute shortAnswer;
        shortAnswer.body = m_body.left(300);
        shortAnswer.honourRange = false;
        m_server.route(QStringLiteral("/short"), shortAnswer);
        downloadtask task;
        Owner owner(task, m_body.size());
        QSignalSpy failures(&task, &downloadtask::networkError);
        task.setUrl(m_server.url(QStringLiteral("/short")), 0, 1000, 0, 0);
        task.start();
        QVERIFY(failures.wait(10000));
        QCOMPARE(m_server.requests().size(), 5);
        QCOMPARE(task.downloadedSize(), 300);
    }
};

TESSARIL_TEST_MAIN(tst_DownloadTask)
#include "tst_downloadtask.moc"
