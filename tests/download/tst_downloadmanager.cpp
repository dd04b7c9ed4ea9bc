#include "download/downloadmanager.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QCryptographicHash>
#include <QtTest>

#include <sys/mount.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

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
        manager.setUrl(m_server.url(path));
        manager.setFilePath(folder.isEmpty() ? this->folder() : folder);
        manager.startDownload();
    }

    static QVariant storedProgress(const QString &name)
    {
        QSettings store;
        return store.value(name + QStringLiteral("/0"));
    }

    static void storeProgress(const QString &name, qint64 bytes)
    {
        QSettings store;
        store.setValue(name + QStringLiteral("/0"), bytes);
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Vantor"));
        QCoreApplication::setApplicationName(QStringLiteral("Tessaril"));
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_server.clearRequests();
        m_server.route(QStringLiteral("/pkg.zip"), m_body);
        QSettings().remove(QStringLiteral("pkg.zip"));
    }

    void sizeFirstThenDownloadToFinalName()
    {
        downloadmanager manager;
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        QSignalSpy progress(&manager, &downloadmanager::downloadReplyProgress);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QVERIFY(gets().isEmpty()); // waits for the size

        QVERIFY(finished.wait());
        QTest::qWait(200);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(errors.count(), 0);
        QCOMPARE(m_server.requests().first().method, QByteArray("HEAD"));
        QCOMPARE(gets().size(), 1);
        QCOMPARE(gets().first().headers.value("range"), QByteArray("bytes=0-20000"));
        QCOMPARE(readFile(finalPath()), m_body);
        QVERIFY(!QFile::exists(partialPath()));
        QVERIFY(!storedProgress(QStringLiteral("pkg.zip")).isValid());
        QCOMPARE(progress.last().at(0).toLongLong(), 20000);
        QCOMPARE(progress.last().at(1).toLongLong(), 20000);
        QVERIFY(!manager.isDownloading());
    }

    void redirectsOfTheSizeQuery()
    {
        HttpRoute moved;
        moved.status = 302;
        moved.reason = "Found";
        moved.location = "../real/pkg.zip";
        m_server.route(QStringLiteral("/old/pkg.zip"), moved);
        m_server.route(QStringLiteral("/real/pkg.zip"), m_body);

        downloadmanager manager;
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        startOn(manager, QStringLiteral("/old/pkg.zip"));
        QVERIFY(finished.wait());
        QCOMPARE(gets().size(), 1);
        QCOMPARE(gets().first().path, QStringLiteral("/real/pkg.zip"));
        QCOMPARE(readFile(finalPath()), m_body);
    }

    void sizeQueryFailures_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("location");
        QTest::addColumn<bool>("sendLength");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("304 is no redirect")
            << 304 << QByteArray("/pkg.zip") << true << qint64(-1) << "(304)";
        QTest::newRow("404") << 404 << QByteArray() << true << qint64(-1) << "(404)";
        QTest::newRow("redirect loop")
            << 302 << QByteArray("/loop.zip") << true << qint64(-1) << "(302)";
        QTest::newRow("no length") << 200 << QByteArray() << false << qint64(-1) << "(200)";
        QTest::newRow("zero length") << 200 << QByteArray() << true << qint64(0) << "(200)";
    }

    void sizeQueryFailures()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, location);
        QFETCH(bool, sendLength);
        QFETCH(qint64, length);
        QFETCH(QString, suffix);
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
            QStringLiteral("message_error_resource_acquisition_failed") + suffix);
        QVERIFY(m_server.requests().size() <= downloadmanager::kMaxRedirects + 1);
        QVERIFY(gets().isEmpty());
    }

    void resumeFromStoredProgress()
    {
        QByteArray partial = m_body.left(5000) + QByteArray(15000, '\0');
        writeFile(partialPath(), partial);
        storeProgress(QStringLiteral("pkg.zip"), 5000);

        downloadmanager manager;
        QSignalSpy progress(&manager, &downloadmanager::downloadReplyProgress);
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QVERIFY(finished.wait());
        QCOMPARE(progress.first().at(0).toLongLong(), 5000);
        QCOMPARE(progress.first().at(1).toLongLong(), 20000);
        QCOMPARE(gets().first().headers.value("range"), QByteArray("bytes=5000-20000"));
        QCOMPARE(readFile(finalPath()), m_body);
    }

    void everyByteAlreadyThereCompletesWithoutTransfer()
    {
        writeFile(partialPath(), m_body);
        storeProgress(QStringLiteral("pkg.zip"), 20000);
        downloadmanager manager;
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QVERIFY(finished.wait());
        QVERIFY(gets().isEmpty());
        QCOMPARE(readFile(finalPath()), m_body);
        QVERIFY(!storedProgress(QStringLiteral("pkg.zip")).isValid());
    }

    void resumeAgainstAServerThatIgnoresRanges()
    {
        HttpRoute ignoring;
        ignoring.body = m_body;
        ignoring.honourRange = false;
        m_server.route(QStringLiteral("/pkg.zip"), ignoring);
        writeFile(partialPath(), m_body.left(7000) + QByteArray(13000, '\0'));
        storeProgress(QStringLiteral("pkg.zip"), 7000);

        downloadmanager manager;
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QVERIFY(finished.wait());
        QCOMPARE(readFile(finalPath()), m_body);
    }

    void progressWithoutPartialFileStartsOver()
    {
        storeProgress(QStringLiteral("pkg.zip"), 5000);
        downloadmanager manager;
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QVERIFY(finished.wait());
        QCOMPARE(gets().first().headers.value("range"), QByteArray("bytes=0-20000"));
        QCOMPARE(readFile(finalPath()), m_body);
    }

    void longerBodyThanAnnouncedIsCut()
    {
        HttpRoute generous;
        generous.body = m_body + QByteArray(5000, 'X');
        generous.honourRange = false;
        generous.contentLength = 20000; // what HEAD announces
        m_server.route(QStringLiteral("/pkg.zip"), generous);
        HttpRoute get = generous;
        get.contentLength = -1; // the GET sends all 25000 bytes
        m_server.routeSequence(QStringLiteral("/pkg.zip"), { generous, get });

        downloadmanager manager;
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QVERIFY(finished.wait());
        QTest::qWait(300);
        QCOMPARE(errors.count(), 0);
        QCOMPARE(readFile(finalPath()), m_body);
    }

    void absurdSizeFailsBeforeAnyGet()
    {
        HttpRoute absurd;
        absurd.body = m_body;
        absurd.contentLength = qint64(1) << 60;
        m_server.route(QStringLiteral("/pkg.zip"), absurd);
        const QByteArray earlier = m_body.left(3000);
        writeFile(partialPath(), earlier);

        downloadmanager manager;
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QVERIFY(errors.wait());
        QCOMPARE(errors.first().at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_EXIST_SIZE_ERROR);
        QCOMPARE(errors.first().at(1).toString(), QStringLiteral("message_disk_not_enough_space"));
        QVERIFY(gets().isEmpty());
        QCOMPARE(readFile(partialPath()), earlier); // what was there is kept
    }

    void smallDiskFailsBeforeAnyGet()
    {
        const QString mountPoint = folder() + QStringLiteral("/small");
        QDir().mkpath(mountPoint);
        if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k")
            != 0)
            QSKIP("cannot mount a small tmpfs here (needs root and mount rights)");
        auto unmount = qScopeGuard([&] { ::umount(QFile::encodeName(mountPoint).constData()); });

        downloadmanager manager;
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        HttpRoute big;
        big.body = m_body;
        big.contentLength = 1 << 20;
        m_server.route(QStringLiteral("/pkg.zip"), big);
        startOn(manager, QStringLiteral("/pkg.zip"), mountPoint);
        QVERIFY(errors.wait());
        QCOMPARE(errors.first().at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_EXIST_SIZE_ERROR);
        QVERIFY(gets().isEmpty());
        QCOMPARE(QFileInfo(mountPoint + QStringLiteral("/pkg.zip_tmp")).size(), 0);
    }

    void startAfterAFailedSizeQueryAsksAgain()
    {
        m_server.route(QStringLiteral("/pkg.zip"), "gone", 404);
        writeFile(partialPath(), m_body.left(4000) + QByteArray(16000, '\0'));
        storeProgress(QStringLiteral("pkg.zip"), 4000);

        downloadmanager manager;
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
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
        writeFile(finalPath(), "stale");

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
        QCOMPARE(storedProgress(QStringLiteral("pkg.zip")).toLongLong(), 5000);
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
            writeFile(finalPath(), m_body);
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
        QElapsedTimer waited;
        waited.start();
        qint64 reached = 0;
        while (reached < 160 * 1024 && waited.elapsed() < 10000) {
            QTest::qWait(20); // the server lives in this process's event loop
            while (first.canReadLine()) {
                const QByteArray line = first.readLine().trimmed();
                if (line.startsWith("progress "))
                    reached = line.mid(9).toLongLong();
            }
        }
        QVERIFY(reached >= 160 * 1024);
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
        const QByteArray resumedAt = ranged[1].headers.value("range").mid(6).split('-').first();
        QVERIFY2(
            resumedAt.toLongLong() > 0 && resumedAt.toLongLong() <= reached, resumedAt.constData());
    }
};

TESSARIL_TEST_MAIN(tst_DownloadManager)
#include "tst_downloadmanager.moc"
