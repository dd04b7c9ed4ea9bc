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
        QTest::newRow("503 with a body") << Status { 503, true, true, 0 };
        QTest::newRow("500 without") << Status { 500, false, true, 0 };
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
};

TESSARIL_TEST_MAIN(tst_DownloadTask)
#include "tst_downloadtask.moc"
