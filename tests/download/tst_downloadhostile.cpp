#include "download/downloadmanager.h"
#include "download/downloadtask.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

// What comes from the network (names in URLs, redirects, the pace of a link)
// is the server's choice; these cases play a server that chooses badly.
class tst_DownloadHostile : public QObject
{
    Q_OBJECT

private:
    HttpTestServer m_server;
    const QByteArray m_body = patterned(60000);
    std::unique_ptr<QTemporaryDir> m_dir; // the download folder
    std::unique_ptr<QTemporaryDir> m_elsewhere; // the resume store and other files

    QString folder() const { return m_dir->path(); }
    QString storePath() const { return m_elsewhere->filePath(QStringLiteral("resume.ini")); }
    QStringList listing() const { return QDir(folder()).entryList(QDir::Files | QDir::Hidden); }

    // The calling order of the install flow, with a short stall window, a
    // quick first restart, and 8 KiB as the progress that counts.
    void startOn(downloadmanager &manager, const QString &path, int backoffMs = 5)
    {
        manager.setResumeStore(storePath());
        manager.setBackoffBaseMs(backoffMs);
        manager.setStallWindowMs(200);
        manager.setProgressForFreshAttempts(8192);
        manager.setUrl(QUrl(m_server.url(path)));
        manager.setFilePath(folder());
        manager.startDownload();
    }

    QStringList gets() const
    {
        QStringList paths;
        for (const RecordedRequest &request : m_server.requests())
            if (request.method == "GET")
                paths << request.path;
        return paths;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_elsewhere = std::make_unique<QTemporaryDir>();
        m_server.clearRequests();
    }

    void hostileNamesAreRefusedBeforeAnyRequest_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("encoded backslashes") << "/dl/..%5C..%5Cpkg.zip";
        QTest::newRow("empty name") << "/dl/";
        QTest::newRow("dot dot") << "/dl/%2E%2E";
        QTest::newRow("encoded slash") << "/dl/a%2F..%2Fpkg.zip";
        QTest::newRow("NUL") << "/dl/pkg%00.zip";
        QTest::newRow("drive prefix") << "/dl/C%3Apkg.zip";
    }

    void hostileNamesAreRefusedBeforeAnyRequest()
    {
        QFETCH(QString, path);
        // Served as if all were well, so a request that got through would
        // go on to write; "_tmp" is what an empty name once wrote to.
        m_server.route(QUrl(m_server.url(path)).path(), m_body);
        QVERIFY(writeFile(folder() + QStringLiteral("/_tmp"), "earlier"));
        QSettings(storePath(), QSettings::IniFormat).setValue(QStringLiteral("other.zip/0"), 1234);
        {
            downloadmanager manager;
            QSignalSpy errors(&manager, &downloadmanager::downloadError);
            startOn(manager, path);
            QVERIFY(errors.wait());
            manager.startDownload(); // a second try is refused again, once
            QVERIFY(errors.wait());
            manager.stopDownlaod();
            manager.resetDownload();
            QVERIFY(m_server.settle());
            QCOMPARE(errors.count(), 2);
            for (const QList<QVariant> &error : qAsConst(errors)) {
                QCOMPARE(error.at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR);
                QCOMPARE(error.at(1).toString(), QStringLiteral("message_error_download_bad_name"));
            }
        }
        QVERIFY(m_server.requests().isEmpty());
        QCOMPARE(listing(), QStringList { QStringLiteral("_tmp") });
        QCOMPARE(readFile(folder() + QStringLiteral("/_tmp")), QByteArray("earlier"));
        const QSettings store(storePath(), QSettings::IniFormat);
        QCOMPARE(store.allKeys(), QStringList { QStringLiteral("other.zip/0") });
        QCOMPARE(store.value(QStringLiteral("other.zip/0")).toInt(), 1234);
    }

    void redirects_data()
    {
        QTest::addColumn<QString>("location"); // "<local>": a file of this machine
        QTest::addColumn<bool>("refused");
        QTest::newRow("to the game's own name") << "/cdn/v2/game.exe" << false;
        QTest::newRow("file") << "<local>" << true;
        QTest::newRow("ftp") << "ftp://127.0.0.1/pkg.zip" << true;
        QTest::newRow("data") << "data:application/octet-stream,stolen" << true;
        QTest::newRow("file after an http hop") << "/hop" << true;
    }

    void redirects()
    {
        QFETCH(QString, location);
        QFETCH(bool, refused);
        const QString local = m_elsewhere->filePath(QStringLiteral("private.txt"));
        QVERIFY(writeFile(local, "private"));
        QVERIFY(writeFile(folder() + QStringLiteral("/game.exe"), "the game"));
        HttpRoute moved;
        moved.status = 302;
        moved.reason = "Found";
        moved.location = QUrl::fromLocalFile(local).toEncoded();
        m_server.route(QStringLiteral("/hop"), moved);
        if (location != QLatin1String("<local>"))
            moved.location = location.toUtf8();
        // The transfer would be sent on too: it must go where the size
        // query ended.
        m_server.route(QStringLiteral("/pkg.zip"), moved);
        m_server.route(QStringLiteral("/cdn/v2/game.exe"), m_body);

        downloadmanager manager;
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QTRY_COMPARE(finished.count() + errors.count(), 1);
        QVERIFY(m_server.settle());
        QCOMPARE(readFile(folder() + QStringLiteral("/game.exe")), QByteArray("the game"));
        if (!refused) {
            QCOMPARE(gets(), QStringList { QStringLiteral("/cdn/v2/game.exe") });
            QCOMPARE(readFile(folder() + QStringLiteral("/pkg.zip")), m_body);
            QCOMPARE(
                listing(), QStringList({ QStringLiteral("game.exe"), QStringLiteral("pkg.zip") }));
            return;
        }
        QCOMPARE(
            errors.first().at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_NETWORK_GETHEADER_ERROR);
        QCOMPARE(errors.first().at(1).toString(),
            QStringLiteral("message_error_resource_acquisition_failed(302)"));
        QVERIFY(gets().isEmpty());
        QCOMPARE(listing(), QStringList { QStringLiteral("game.exe") });
    }

    void restartsBackOff()
    {
        // No body: a transfer error, which restarts, rather than a status
        // the task reports at once.
        HttpRoute size;
        size.body = m_body;
        HttpRoute busy;
        busy.status = 503;
        busy.reason = "Service Unavailable";
        m_server.routeSequence(QStringLiteral("/pkg.zip"), { size, busy });
        constexpr int kBaseMs = 50;
        downloadmanager manager;
        QSignalSpy failures(&manager, &downloadmanager::httpError);
        QElapsedTimer clock;
        clock.start();
        startOn(manager, QStringLiteral("/pkg.zip"), kBaseMs);
        QList<qint64> arrivals;
        while (failures.isEmpty() && clock.elapsed() < 10000) {
            QTest::qWait(1);
            while (arrivals.size() < gets().size())
                arrivals << clock.elapsed();
        }
        QCOMPARE(arrivals.size(), downloadtask::kAttemptLimit);
        // Each wait is at least half its doubling; the first one is short,
        // so a wait of the same length every time cannot pass.
        for (int restart = 1; restart < arrivals.size(); ++restart) {
            const qint64 gap = arrivals.at(restart) - arrivals.at(restart - 1);
            QVERIFY2(gap >= kBaseMs / 2 * (1 << (restart - 1)), qPrintable(QString::number(gap)));
        }
        QVERIFY(arrivals.at(1) - arrivals.at(0) < 4 * kBaseMs);
        QVERIFY(m_server.settle());
        QCOMPARE(gets().size(), downloadtask::kAttemptLimit);
    }

    void flakyLinks_data()
    {
        QTest::addColumn<int>("closeAfter"); // bytes per connection; -1: never closes
        QTest::addColumn<int>("chunkBytes"); // sent every 20 ms; 0: all at once
        QTest::addColumn<int>("reported"); // the network error; -1: completes
        QTest::addColumn<int>("requests");
        QTest::newRow("drops after enough progress") << 10000 << 0 << -1 << 6;
        QTest::newRow("drops without enough progress")
            << 4000 << 0 << int(QNetworkReply::RemoteHostClosedError) << 5;
        // Every byte resets the inactivity watchdog; only the rate tells.
        QTest::newRow("a byte at a time") << -1 << 1 << int(QNetworkReply::TimeoutError) << 5;
        QTest::newRow("steady") << -1 << 2048 << -1 << 1;
    }

    void flakyLinks()
    {
        QFETCH(int, closeAfter);
        QFETCH(int, chunkBytes);
        QFETCH(int, reported);
        QFETCH(int, requests);
        HttpRoute link;
        link.body = m_body;
        link.closeAfterBytes = closeAfter;
        link.chunkBytes = chunkBytes;
        link.chunkIntervalMs = 20;
        m_server.route(QStringLiteral("/pkg.zip"), link);
        downloadmanager manager;
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        QSignalSpy failures(&manager, &downloadmanager::httpError);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count() + failures.count(), 1, 5000);
        QCOMPARE(gets().size(), requests);
        if (reported < 0)
            QCOMPARE(readFile(folder() + QStringLiteral("/pkg.zip")), m_body);
        else
            QCOMPARE(failures.first().at(1).toString(),
                QStringLiteral("message_error_network_reply(%1)").arg(reported));
    }

    // Answers the size query did not foretell end the download at once with
    // their status; a 416 only after the size was asked once more.
    void surprisesAfterTheSizeQuery_data()
    {
        QTest::addColumn<bool>("redirect");
        QTest::addColumn<int>("heads");
        QTest::newRow("size larger than the file") << false << 2;
        QTest::newRow("redirect on the GET alone") << true << 1;
    }

    void surprisesAfterTheSizeQuery()
    {
        QFETCH(bool, redirect);
        QFETCH(int, heads);
        HttpRoute size;
        size.body = m_body;
        size.contentLength = m_body.size() + 1000;
        HttpRoute moved;
        moved.status = 302;
        moved.location = "/elsewhere";
        HttpRoute whole;
        whole.body = m_body;
        // Without a redirect: the transfer ends short of the size, its rest is
        // refused with 416, and the size asked again is as wrong.
        m_server.routeSequence(QStringLiteral("/pkg.zip"),
            redirect ? QList<HttpRoute> { whole, moved }
                     : QList<HttpRoute> { size, whole, whole, size, whole });
        downloadmanager manager;
        QSignalSpy failures(&manager, &downloadmanager::downloadError);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QTRY_COMPARE_WITH_TIMEOUT(failures.count(), 1, 5000);
        QVERIFY(failures.first().at(1).toString().endsWith(
            QStringLiteral("(%1)").arg(redirect ? 302 : 416)));
        QCOMPARE(m_server.requestsFor(QStringLiteral("/pkg.zip")).size() - gets().size(), heads);
        if (redirect) // no file of zeros, no record
            QVERIFY(listing().isEmpty() && !readFile(storePath()).contains("pkg.zip"));
    }
};

TESSARIL_TEST_MAIN(tst_DownloadHostile)
#include "tst_downloadhostile.moc"
