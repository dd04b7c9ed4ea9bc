#include "download/downloadmanager.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QCryptographicHash>
#include <QtTest>

#include <sys/mount.h>

namespace {

QString md5Of(const QByteArray &data)
{
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Md5).toHex());
}

} // namespace

class tst_DownloadManager : public QObject
{
    Q_OBJECT

private:
    HttpTestServer m_server;
    const QByteArray m_body = patterned(20000);
    std::unique_ptr<QTemporaryDir> m_dir;

    QString folder() const { return m_dir->path(); }
    QString finalPath() const { return folder() + QStringLiteral("/pkg.zip"); }
    QString partialPath() const { return finalPath() + QStringLiteral("_tmp"); }
    QString storePath() const { return m_dir->filePath(QStringLiteral("resume.ini")); }

    QList<RecordedRequest> gets() const
    {
        QList<RecordedRequest> found;
        for (const RecordedRequest &request : m_server.requests())
            if (request.method == "GET")
                found.append(request);
        return found;
    }

    // The calling order of the install flow: URL (starts the size query),
    // folder, then the download, which waits for the size.
    void startOn(downloadmanager &manager, const QString &path, const QString &folder = QString())
    {
        manager.setResumeStore(storePath());
        manager.setBackoffBaseMs(20);
        manager.setUrl(m_server.url(path));
        manager.setFilePath(folder.isEmpty() ? this->folder() : folder);
        manager.startDownload();
    }

    QVariant storedProgress() const
    {
        return QSettings(storePath(), QSettings::IniFormat).value(QStringLiteral("pkg.zip/0"));
    }

    void storeProgress(qint64 bytes) const
    {
        QSettings(storePath(), QSettings::IniFormat).setValue(QStringLiteral("pkg.zip/0"), bytes);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_server.clearRequests();
        m_server.route(QStringLiteral("/pkg.zip"), m_body);
    }

    void downloadsOrResumes_data()
    {
        QTest::addColumn<QString>("path"); // /old/ is a redirect to the package
        QTest::addColumn<int>("onDisk"); // bytes of the partial file already right; -1: no file
        QTest::addColumn<qint64>("stored"); // the resume record; -1: none
        QTest::addColumn<bool>("honourRange");
        // Bytes the GET sends beyond the size; it then announces still more
        // and never ends: the last byte must end the download.
        QTest::addColumn<int>("extra");
        QTest::addColumn<qint64>("from"); // where the transfer is expected to start
        auto row = [](const char *name, const char *path, int onDisk, qint64 stored,
                       bool honourRange, int extra, qint64 from) {
            QTest::newRow(name) << QString::fromLatin1(path) << onDisk << stored << honourRange
                                << extra << from;
        };
        row("fresh", "/pkg.zip", -1, -1, true, 0, 0);
        row("size query redirected", "/old/pkg.zip", -1, -1, true, 0, 0);
        row("resume", "/pkg.zip", 5000, 5000, true, 0, 5000);
        row("resume, server ignores ranges", "/pkg.zip", 7000, 7000, false, 0, 7000);
        row("every byte there", "/pkg.zip", 20000, 20000, true, 0, 20000);
        row("record without a file", "/pkg.zip", -1, 5000, true, 0, 0);
        row("record beyond the end", "/pkg.zip", 0, 99999, true, 0, 0);
        row("longer body than announced", "/pkg.zip", -1, -1, false, 5000, 0);
    }

    void downloadsOrResumes()
    {
        QFETCH(QString, path);
        QFETCH(int, onDisk);
        QFETCH(qint64, stored);
        QFETCH(bool, honourRange);
        QFETCH(int, extra);
        QFETCH(qint64, from);
        HttpRoute moved;
        moved.status = 302;
        moved.location = "../pkg.zip";
        m_server.route(QStringLiteral("/old/pkg.zip"), moved);
        HttpRoute head;
        head.contentLength = 20000;
        HttpRoute answer;
        answer.body = m_body + QByteArray(extra, 'X');
        if (extra > 0)
            answer.contentLength = answer.body.size() + 1000;
        answer.honourRange = honourRange;
        m_server.routeSequence(QStringLiteral("/pkg.zip"), { head, answer });
        if (onDisk >= 0)
            QVERIFY(
                writeFile(partialPath(), m_body.left(onDisk) + QByteArray(20000 - onDisk, '\0')));
        if (stored >= 0)
            storeProgress(stored);

        downloadmanager manager;
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        QSignalSpy progress(&manager, &downloadmanager::downloadReplyProgress);
        startOn(manager, path);
        QVERIFY(finished.wait());
        QCOMPARE(errors.count(), 0);
        QCOMPARE(m_server.requests().first().method, QByteArray("HEAD"));
        // A range that names the whole size shows the transfer waited for it.
        QCOMPARE(gets().size(), from < 20000 ? 1 : 0);
        if (from < 20000) {
            QCOMPARE(gets().first().path, QStringLiteral("/pkg.zip"));
            QCOMPARE(gets().first().headers.value("range"),
                "bytes=" + QByteArray::number(from) + "-20000");
        }
        QCOMPARE(progress.first().at(0).toLongLong(), from);
        QCOMPARE(progress.last().at(0).toLongLong(), 20000);
        QCOMPARE(progress.last().at(1).toLongLong(), 20000);
        QCOMPARE(readFile(finalPath()), m_body);
        QVERIFY(!QFile::exists(partialPath()));
        QVERIFY(!storedProgress().isValid());
        QVERIFY(!manager.isDownloading());
    }

    // A server that honours ranges is asked for four at once, whatever
    // happens to one of them; one that ignores ranges gets one request.
    void segments_data()
    {
        QTest::addColumn<bool>("honourRange");
        QTest::addColumn<qint64>("cutAfter"); // the second GET ends after this; -1: not cut
        QTest::addColumn<int>("ranged"); // GETs expected
        QTest::newRow("honoured") << true << qint64(-1) << 4;
        QTest::newRow("ignored") << false << qint64(-1) << 1;
        QTest::newRow("one segment cut, resumed") << true << qint64(3000) << 5;
    }

    void segments()
    {
        QFETCH(bool, honourRange);
        QFETCH(qint64, cutAfter);
        QFETCH(int, ranged);
        const QByteArray body = patterned(400 * 1024);
        HttpRoute whole;
        whole.body = body;
        whole.honourRange = honourRange;
        HttpRoute cut = whole;
        cut.closeAfterBytes = cutAfter;
        m_server.routeSequence(QStringLiteral("/pkg.zip"), { whole, whole, cut, whole });

        downloadmanager manager;
        manager.setSegments(4);
        manager.setSmallestSegment(64 * 1024);
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        QSignalSpy failures(&manager, &downloadmanager::httpError);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QVERIFY(finished.wait());
        QCOMPARE(failures.count(), 0);
        QCOMPARE(readFile(finalPath()), body);
        QVERIFY(!storedProgress().isValid());
        if (cutAfter < 0) {
            QCOMPARE(gets().size(), ranged);
            return;
        }
        // A segment that ends first may take over part of the cut one's rest.
        QVERIFY(gets().size() >= ranged);
        // The cut segment went on from its last byte, not from its start.
        auto startOf = [this](int get) {
            return gets().at(get).headers.value("range").mid(6).split('-').first().toLongLong();
        };
        const QList<qint64> starts = { startOf(1), startOf(2), startOf(3) };
        bool resumed = false;
        for (int get = 4; get < gets().size(); ++get)
            resumed = resumed || starts.contains(startOf(get) - cutAfter);
        QVERIFY(resumed);
    }

    void sizeQueryFailures_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("location");
        QTest::addColumn<bool>("sendLength");
        QTest::addColumn<qint64>("length");
        QTest::newRow("304 is no redirect") << 304 << QByteArray("/pkg.zip") << true << qint64(-1);
        QTest::newRow("404") << 404 << QByteArray() << true << qint64(-1);
        QTest::newRow("redirect loop") << 302 << QByteArray("/loop.zip") << true << qint64(-1);
        QTest::newRow("no length") << 200 << QByteArray() << false << qint64(-1);
        QTest::newRow("zero length") << 200 << QByteArray() << true << qint64(0);
    }

    void sizeQueryFailures()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, location);
        QFETCH(bool, sendLength);
        QFETCH(qint64, length);
        HttpRoute answer;
        answer.status = status;
        answer.reason = "Whatever";
        answer.location = location;
        answer.sendContentLength = sendLength;
        answer.contentLength = length;
        m_server.route(QStringLiteral("/loop.zip"), answer);

        downloadmanager manager;
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        startOn(manager, QStringLiteral("/loop.zip"));
        QVERIFY(errors.wait());
        QCOMPARE(
            errors.first().at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_NETWORK_GETHEADER_ERROR);
        QCOMPARE(errors.first().at(1).toString(),
            QStringLiteral("message_error_resource_acquisition_failed(%1)").arg(status));
        QVERIFY(m_server.requests().size() <= downloadmanager::kMaxRedirects + 1);
        QVERIFY(gets().isEmpty());
    }

    void noRoomFailsBeforeAnyGet_data()
    {
        QTest::addColumn<bool>("smallDisk");
        QTest::addColumn<qint64>("announced");
        QTest::newRow("absurd size") << false << (qint64(1) << 60);
        QTest::newRow("small disk") << true << qint64(1 << 20);
    }

    void noRoomFailsBeforeAnyGet()
    {
        QFETCH(bool, smallDisk);
        QFETCH(qint64, announced);
        QString target = folder();
        if (smallDisk) {
            target = folder() + QStringLiteral("/small");
            QDir().mkpath(target);
            if (::mount("tmpfs", QFile::encodeName(target).constData(), "tmpfs", 0, "size=64k")
                != 0)
                QSKIP("cannot mount a small tmpfs here (needs root and mount rights)");
        }
        auto unmount = qScopeGuard([&] {
            if (smallDisk)
                ::umount(QFile::encodeName(target).constData());
        });
        HttpRoute big;
        big.body = m_body;
        big.contentLength = announced;
        m_server.route(QStringLiteral("/pkg.zip"), big);
        const QByteArray earlier = m_body.left(3000);
        QVERIFY(writeFile(target + QStringLiteral("/pkg.zip_tmp"), earlier));

        downloadmanager manager;
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        startOn(manager, QStringLiteral("/pkg.zip"), target);
        QVERIFY(errors.wait());
        QCOMPARE(errors.first().at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_EXIST_SIZE_ERROR);
        QCOMPARE(errors.first().at(1).toString(), QStringLiteral("message_disk_not_enough_space"));
        QVERIFY(gets().isEmpty());
        QCOMPARE(readFile(target + QStringLiteral("/pkg.zip_tmp")), earlier); // kept as it was
    }

    void startAfterAFailedSizeQueryAsksAgain()
    {
        m_server.route(QStringLiteral("/pkg.zip"), "gone", 404);
        QVERIFY(writeFile(partialPath(), m_body.left(4000) + QByteArray(16000, '\0')));
        storeProgress(4000);

        downloadmanager manager;
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        manager.setResumeStore(storePath());
        manager.setUrl(m_server.url(QStringLiteral("/pkg.zip")));
        manager.setFilePath(folder());
        QVERIFY(errors.wait());
        manager.startDownload(); // size still unknown: asks again, fails again
        QVERIFY(errors.wait());
        QCOMPARE(
            errors.last().at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_NETWORK_GETHEADER_ERROR);
        QCOMPARE(QFileInfo(partialPath()).size(), 20000); // never cut down
        QVERIFY(gets().isEmpty());

        m_server.route(QStringLiteral("/pkg.zip"), m_body);
        manager.startDownload();
        QVERIFY(finished.wait());
        QCOMPARE(gets().first().headers.value("range"), QByteArray("bytes=4000-20000"));
        QCOMPARE(readFile(finalPath()), m_body);
    }

    void statusErrorAndGivingUp()
    {
        HttpRoute forbidden;
        forbidden.status = 403;
        forbidden.reason = "Forbidden";
        forbidden.body = "no";
        HttpRoute head;
        head.body = m_body;
        m_server.routeSequence(QStringLiteral("/pkg.zip"), { head, forbidden });
        QVERIFY(writeFile(finalPath(), "stale"));

        downloadmanager manager;
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QVERIFY(errors.wait());
        QCOMPARE(errors.first().at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_NETWORK_ERROR);
        QCOMPARE(errors.first().at(1).toString(),
            QStringLiteral("message_error_network_statuscode(403)"));
        QVERIFY(!QFile::exists(finalPath()));

        HttpRoute cut;
        cut.body = m_body;
        cut.closeAfterBytes = 1000;
        m_server.routeSequence(QStringLiteral("/pkg.zip"), { head, cut });
        downloadmanager again;
        QSignalSpy httpErrors(&again, &downloadmanager::httpError);
        startOn(again, QStringLiteral("/pkg.zip"));
        QVERIFY(httpErrors.wait(15000));
        QCOMPARE(
            httpErrors.first().at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_NETWORK_REPLY_ERROR);
        QVERIFY(httpErrors.first().at(1).toString().startsWith(
            QStringLiteral("message_error_network_reply(")));
        QCOMPARE(again.getDownloadedSize(), 5000); // five attempts of 1000 bytes each
        QCOMPARE(storedProgress().toLongLong(), 5000);
        QVERIFY(again.isDownloading());
    }

    void md5Judgement_data()
    {
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("passes");
        const QString digest = md5Of(patterned(20000));
        QTest::newRow("upper-case expected") << true << digest.toUpper() << true;
        QTest::newRow("mismatch") << true << QStringLiteral("0123456789abcdef0123456789abcdef")
                                  << false;
        QTest::newRow("missing file, expected value") << false << digest << false;
        QTest::newRow("missing file, nothing expected") << false << QString() << true;
    }

    void md5Judgement()
    {
        QFETCH(bool, fileThere);
        QFETCH(QString, expected);
        QFETCH(bool, passes);
        if (fileThere)
            QVERIFY(writeFile(finalPath(), m_body));
        downloadmanager manager;
        manager.setFilePath(folder());
        manager.setFileMD5(expected);
        QSignalSpy started(&manager, &downloadmanager::md5CheckStart);
        QSignalSpy finished(&manager, &downloadmanager::md5CheckFinish);
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        manager.setUrl(m_server.url(QStringLiteral("/pkg.zip"))); // names the final file
        manager.fileMd5(finalPath());
        QTRY_COMPARE(finished.count() + errors.count(), 1);
        QCOMPARE(started.count(), 1);
        QCOMPARE(finished.count(), passes ? 1 : 0);
        if (!passes) {
            QCOMPARE(errors.first().at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_MD5_ERROR);
            QCOMPARE(errors.first().at(1).toString(), QStringLiteral("message_error_download_md5"));
        }
        if (fileThere && !passes)
            QVERIFY(!QFile::exists(finalPath()));
    }

    void killedDownloadResumesInANewProcess()
    {
        const QByteArray body = patterned(400 * 1024);
        HttpRoute paced;
        paced.body = body;
        paced.chunkBytes = 8 * 1024;
        paced.chunkIntervalMs = 20;
        m_server.route(QStringLiteral("/big.zip"), paced);
        const QStringList args { QStringLiteral("download"),
            m_server.url(QStringLiteral("/big.zip")), folder(), md5Of(body) };

        QProcess first;
        QCOMPARE(startHelper(first, args), QStringLiteral("started"));
        qint64 reached = 0;
        auto readProgress = [&first, &reached] {
            while (first.canReadLine()) {
                const QByteArray line = first.readLine().trimmed();
                if (line.startsWith("progress "))
                    reached = line.mid(9).toLongLong();
            }
            return reached;
        };
        QTRY_VERIFY_WITH_TIMEOUT(readProgress() >= 160 * 1024, 10000);
        first.kill();
        QVERIFY(first.waitForFinished());
        QVERIFY(!QFile::exists(folder() + QStringLiteral("/big.zip")));

        QProcess second;
        QCOMPARE(startHelper(second, args), QStringLiteral("started"));
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
        const QByteArray output = second.readAllStandardOutput();
        QVERIFY2(output.contains("md5ok"), output.constData());
        QCOMPARE(readFile(folder() + QStringLiteral("/big.zip")), body);

        const QList<RecordedRequest> ranged = gets();
        QCOMPARE(ranged.size(), 2);
        // It went on from a record of the first run; that the record never
        // led the partial file shows in the checksum.
        const QByteArray resumedAt = ranged[1].headers.value("range").mid(6).split('-').first();
        QVERIFY2(resumedAt.toLongLong() > 0, resumedAt.constData());
    }
};

TESSARIL_TEST_MAIN(tst_DownloadManager)
#include "tst_downloadmanager.moc"
