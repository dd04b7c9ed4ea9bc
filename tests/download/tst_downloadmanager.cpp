#include "download/downloadmanager.h"
#include "download/resumestore.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

#include <sys/mount.h>

namespace {

HttpRoute paced(const QByteArray &body, int chunkBytes, int chunkIntervalMs)
{
    HttpRoute route;
    route.body = body;
    route.chunkBytes = chunkBytes;
    route.chunkIntervalMs = chunkIntervalMs;
    return route;
}

// Rows of the tables below; the columns are told where the rows are made.
using Resume = std::tuple<QString, int, qint64, bool, int, qint64>;
using Refusal = std::tuple<QString, int, QByteArray, qint64, bool>;
using Flaky = std::tuple<int, int, int, int, int>;
using Check = std::tuple<int, int>;

} // namespace

Q_DECLARE_METATYPE(Resume)
Q_DECLARE_METATYPE(Refusal)
Q_DECLARE_METATYPE(Flaky)
Q_DECLARE_METATYPE(Check)

// What comes from the network (names in URLs, redirects, the pace of a link,
// answers the size did not foretell) is the server's choice; many rows play a
// server that chooses badly.
class tst_DownloadManager : public QObject
{
    Q_OBJECT

    enum Way { OnePass, Paused, Changed, Removed };
    enum Expected { Right, RightInUpperCase, Wrong, Nothing };

private:
    HttpTestServer m_server;
    const QByteArray m_body = patterned(20000);
    std::unique_ptr<QTemporaryDir> m_dir; // the download folder
    std::unique_ptr<QTemporaryDir> m_elsewhere; // the resume store and other files

    QString folder() const { return m_dir->path(); }
    QString finalPath() const { return folder() + QStringLiteral("/pkg.zip"); }
    QString partialPath() const { return finalPath() + QStringLiteral("_tmp"); }
    QString storePath() const { return m_elsewhere->filePath(QStringLiteral("resume.ini")); }
    QStringList listing() const { return QDir(folder()).entryList(QDir::Files | QDir::Hidden); }

    QList<RecordedRequest> gets() const
    {
        QList<RecordedRequest> found;
        for (const RecordedRequest &request : m_server.requests())
            if (request.method == "GET")
                found.append(request);
        return found;
    }

    qint64 rangeStart(int get) const
    {
        return gets().at(get).headers.value("range").mid(6).split('-').first().toLongLong();
    }

    // The calling order of the install flow: URL (starts the size query),
    // folder, then the download, which waits for the size. Restarts come
    // quickly, a stall is noticed within 200 ms, and 8 KiB is the progress
    // that gives the restarts back.
    void startOn(downloadmanager &manager, const QString &path)
    {
        manager.setResumeStore(storePath());
        manager.setBackoffBaseMs(20);
        manager.setStallWindowMs(200);
        manager.setProgressForFreshAttempts(8192);
        manager.setUrl(m_server.url(path));
        manager.setFilePath(folder());
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
        m_elsewhere = std::make_unique<QTemporaryDir>();
        m_server.clearRequests();
        m_server.route(QStringLiteral("/pkg.zip"), m_body);
    }

    void downloadsOrResumes_data()
    {
        // /old/ redirects to /cdn/game.exe: the file is still named pkg.zip,
        // and the game's own file of that name is left alone.
        // onDisk: bytes of the partial file already right, -1: no file;
        // stored: the resume record, -1: none; extra: bytes the GET sends
        // beyond the size, after which it announces still more and never
        // ends (the last byte must end the download); from: where the
        // transfer is expected to start.
        QTest::addColumn<Resume>("row");
        auto row = [](const char *name, const char *path, int onDisk, qint64 stored,
                       bool honourRange, int extra, qint64 from) {
            QTest::newRow(name) << Resume { path, onDisk, stored, honourRange, extra, from };
        };
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
        QFETCH(Resume, row);
        const auto [path, onDisk, stored, honourRange, extra, from] = row;
        const QString served = path.startsWith(QLatin1String("/old/"))
            ? QStringLiteral("/cdn/game.exe")
            : QStringLiteral("/pkg.zip");
        HttpRoute moved;
        moved.status = 302;
        moved.location = served.toUtf8();
        m_server.route(QStringLiteral("/old/pkg.zip"), moved);
        QVERIFY(writeFile(folder() + QStringLiteral("/game.exe"), "the game"));
        HttpRoute head;
        head.contentLength = 20000;
        HttpRoute answer;
        answer.body = m_body + QByteArray(extra, 'X');
        if (extra > 0)
            answer.contentLength = answer.body.size() + 1000;
        answer.honourRange = honourRange;
        m_server.routeSequence(served, { head, answer });
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
        QStringList got;
        for (const RecordedRequest &get : gets())
            got << get.path + ' ' + QString::fromLatin1(get.headers.value("range"));
        QCOMPARE(got,
            from < 20000 ? QStringList { served + QStringLiteral(" bytes=%1-20000").arg(from) }
                         : QStringList());
        QCOMPARE(progress.first().at(0).toLongLong(), from);
        QCOMPARE(progress.last(), QVariantList({ qlonglong(20000), qlonglong(20000) }));
        QCOMPARE(readFile(finalPath()), m_body);
        QCOMPARE(listing(), QStringList({ QStringLiteral("game.exe"), QStringLiteral("pkg.zip") }));
        QCOMPARE(readFile(folder() + QStringLiteral("/game.exe")), QByteArray("the game"));
        QVERIFY(!storedProgress().isValid());
        QVERIFY(!manager.isDownloading());
    }

    // A server that ignores ranges answers every segment with the whole
    // file, so its one connection is never split.
    void noSegmentsWhereRangesAreIgnored()
    {
        const QByteArray body = patterned(400 * 1024);
        HttpRoute whole;
        whole.body = body;
        whole.honourRange = false;
        m_server.route(QStringLiteral("/pkg.zip"), whole);
        downloadmanager manager;
        manager.setSegments(4);
        manager.setSmallestSegment(64 * 1024);
        manager.setSplitRule(std::numeric_limits<qint64>::max(), 0);
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QVERIFY(finished.wait());
        QCOMPARE(readFile(finalPath()), body);
        QCOMPARE(gets().size(), 1);
    }

    // What a kill leaves: the records on disk at some moment, and a file with
    // at least the bytes they claim. Every segment goes on from its record.
    void segmentsResumeFromTheRecordsOnDisk()
    {
        const QByteArray body = patterned(400 * 1024);
        m_server.route(QStringLiteral("/pkg.zip"), paced(body, 2048, 20));
        const QString snapshot = m_elsewhere->filePath(QStringLiteral("snapshot.ini"));
        DownloadSegments recorded;
        auto recordedInEverySegment = [&] {
            QFile::remove(snapshot);
            QFile::copy(storePath(), snapshot);
            ResumeStore store;
            store.setFile(snapshot);
            recorded = store.segments(QStringLiteral("pkg.zip"), body.size());
            for (const DownloadSegment &segment : qAsConst(recorded))
                if (segment.done == 0)
                    return false;
            return recorded.size() == 4;
        };
        {
            downloadmanager manager;
            manager.setSegments(4);
            manager.setSmallestSegment(16 * 1024);
            manager.setSplitRule(std::numeric_limits<qint64>::max(), 0);
            startOn(manager, QStringLiteral("/pkg.zip"));
            QTRY_VERIFY_WITH_TIMEOUT(recordedInEverySegment(), 10000);
            // Read after the records: the file only gains bytes meanwhile.
            const QByteArray partial = readFile(partialPath());
            for (const DownloadSegment &segment : qAsConst(recorded))
                QCOMPARE(partial.mid(int(segment.start), int(segment.done)),
                    body.mid(int(segment.start), int(segment.done)));
        }
        QVERIFY(QFile::remove(storePath()) && QFile::copy(snapshot, storePath()));
        m_server.clearRequests();

        downloadmanager again;
        again.setSegments(4);
        QSignalSpy finished(&again, &downloadmanager::downloadFinished);
        startOn(again, QStringLiteral("/pkg.zip"));
        QVERIFY(finished.wait(20000));
        QCOMPARE(readFile(finalPath()), body);
        QList<qint64> starts;
        for (int get = 0; get < gets().size(); ++get)
            starts << rangeStart(get);
        for (const DownloadSegment &segment : qAsConst(recorded))
            QVERIFY(segment.start + segment.done == segment.end
                || starts.contains(segment.start + segment.done));
        QVERIFY(!starts.contains(0));
    }

    void refusedBeforeAnyGet_data()
    {
        // status: what the path answers, 0: nothing is asked; location
        // "<local>": a file of this machine; length: announced, -1: the real
        // one, -2: none; smallDisk: the folder is a 64 KiB tmpfs.
        QTest::addColumn<Refusal>("row");
        auto name = [](const char *row, const char *path) {
            QTest::newRow(row) << Refusal { path, 0, QByteArray(), -1, false };
        };
        name("encoded backslashes", "/dl/..%5C..%5Cpkg.zip");
        name("empty name", "/dl/");
        name("encoded slash", "/dl/a%2F..%2Fpkg.zip");
        auto answer = [](const char *row, int status, const char *location, qint64 length,
                          bool smallDisk = false) {
            QTest::newRow(row) << Refusal { "/pkg.zip", status, location, length, smallDisk };
        };
        answer("redirect to a file", 302, "<local>", -1);
        answer("redirect to a file after an http hop", 302, "/hop", -1);
        answer("304 is no redirect", 304, "/other.zip", -1);
        answer("404", 404, "", -1);
        answer("redirect loop", 302, "/pkg.zip", -1);
        answer("no length", 200, "", -2);
        // No room: refused before a byte is fetched, whatever the disk says.
        answer("absurd size", 200, "", qint64(1) << 60);
        answer("small disk", 200, "", 1 << 20, true);
    }

    void refusedBeforeAnyGet()
    {
        QFETCH(Refusal, row);
        const auto [path, status, location, length, smallDisk] = row;
        const QByteArray mountPoint = QFile::encodeName(folder());
        if (smallDisk && ::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("cannot mount a small tmpfs here (needs root and mount rights)");
        auto unmount = qScopeGuard([&] {
            if (std::get<4>(row))
                ::umount(mountPoint.constData());
        });
        const QString local = m_elsewhere->filePath(QStringLiteral("private.txt"));
        QVERIFY(writeFile(local, "private"));
        HttpRoute route;
        route.status = 302;
        route.location = QUrl::fromLocalFile(local).toEncoded();
        m_server.route(QStringLiteral("/hop"), route);
        // A name is served as if all were well, so one that got through would
        // go on to write; "_tmp" is what an empty name once wrote to.
        route.status = status ? status : 200;
        route.reason = "Whatever";
        route.body = m_body;
        if (location != "<local>")
            route.location = location;
        route.sendContentLength = length != -2;
        route.contentLength = length;
        m_server.route(status ? path : QUrl(m_server.url(path)).path(), route);
        m_server.route(QStringLiteral("/other.zip"), m_body);
        QVERIFY(writeFile(folder() + QStringLiteral("/_tmp"), "earlier"));
        // An earlier run's partial file: a size that failed must not cut it.
        QVERIFY(writeFile(partialPath(), m_body.left(4000) + QByteArray(16000, '\0')));
        storeProgress(4000);
        const QStringList before = treeListing(folder());
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
            const bool noRoom = status == 200 && length > 0;
            for (const QList<QVariant> &error : qAsConst(errors)) {
                QCOMPARE(error.at(0).value<ErrorCode>(),
                    noRoom       ? ErrorDefine::DOWNLOAD_EXIST_SIZE_ERROR
                        : status ? ErrorDefine::DOWNLOAD_NETWORK_GETHEADER_ERROR
                                 : ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR);
                QCOMPARE(error.at(1).toString(),
                    noRoom       ? QStringLiteral("message_disk_not_enough_space")
                        : status ? QStringLiteral("message_error_resource_acquisition_failed(%1)")
                                       .arg(status)
                                 : QStringLiteral("message_error_download_bad_name"));
            }
        }
        QVERIFY(gets().isEmpty());
        QVERIFY(
            m_server.requests().size() <= (status ? 2 * downloadmanager::kMaxRedirects + 2 : 0));
        QCOMPARE(treeListing(folder()), before);
        QCOMPARE(readFile(storePath()), QByteArray("[pkg.zip]\n0=4000\n"));
    }

    void flakyLinks_data()
    {
        // closeAfter, stallAfter: bytes per connection, -1: never; chunkBytes:
        // sent every 20 ms, 0: all at once; reported: the network error, -1:
        // completes; requests: GETs expected.
        QTest::addColumn<Flaky>("row");
        const int closed = int(QNetworkReply::RemoteHostClosedError);
        const int timedOut = int(QNetworkReply::TimeoutError);
        QTest::newRow("drops after enough progress") << Flaky { 10000, -1, 0, -1, 6 };
        QTest::newRow("drops without enough progress") << Flaky { 4000, -1, 0, closed, 5 };
        QTest::newRow("stalls without enough progress") << Flaky { -1, 3000, 0, timedOut, 5 };
        // Every byte resets the inactivity watchdog; only the rate tells.
        QTest::newRow("a byte at a time") << Flaky { -1, -1, 1, timedOut, 5 };
    }

    void flakyLinks()
    {
        QFETCH(Flaky, row);
        const auto [closeAfter, stallAfter, chunkBytes, reported, requests] = row;
        const QByteArray body = patterned(60000);
        HttpRoute link = paced(body, chunkBytes, 20);
        link.closeAfterBytes = closeAfter;
        link.stallAfterBytes = stallAfter;
        m_server.route(QStringLiteral("/pkg.zip"), link);
        downloadmanager manager;
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        QSignalSpy failures(&manager, &downloadmanager::httpError);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count() + failures.count(), 1, 5000);
        // Qt itself may send a GET again when its connection closes before
        // the answer is read; each restart of ours asks from a new byte.
        QSet<qint64> starts;
        for (int get = 0; get < gets().size(); ++get)
            starts.insert(rangeStart(get));
        QCOMPARE(starts.size(), requests);
        if (reported < 0)
            QCOMPARE(readFile(finalPath()), body);
        else
            QCOMPARE(failures.first().at(1).toString(),
                QStringLiteral("message_error_network_reply(%1)").arg(reported));
        // Each restart went on where the bytes ended, and what came before
        // giving up stays recorded for the next start.
        const int perRequest = qMax(closeAfter, stallAfter);
        if (perRequest > 0 && reported >= 0)
            QCOMPARE(storedProgress().toLongLong(), qint64(perRequest) * requests);
    }

    // Answers the size query did not foretell end the download at once with
    // their status, and an older file of the final name goes; a 416 only
    // after the size was asked once more.
    void surprisesAfterTheSizeQuery_data()
    {
        QTest::addColumn<int>("status"); // of the GET; 416: the size was wrong
        QTest::addColumn<int>("heads");
        QTest::newRow("size larger than the file") << 416 << 2;
        QTest::newRow("redirect on the GET alone") << 302 << 1;
    }

    void surprisesAfterTheSizeQuery()
    {
        QFETCH(int, status);
        QFETCH(int, heads);
        HttpRoute size;
        size.body = m_body;
        size.contentLength = m_body.size() + 1000;
        HttpRoute refused;
        refused.status = status;
        refused.location = "/elsewhere";
        HttpRoute whole;
        whole.body = m_body;
        // 416: the transfer ends short of the size, its rest is refused, and
        // the size asked again is as wrong.
        m_server.routeSequence(QStringLiteral("/pkg.zip"),
            status != 416 ? QList<HttpRoute> { whole, refused }
                          : QList<HttpRoute> { size, whole, whole, size, whole });
        QVERIFY(writeFile(finalPath(), "stale"));
        downloadmanager manager;
        QSignalSpy failures(&manager, &downloadmanager::downloadError);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QTRY_COMPARE_WITH_TIMEOUT(failures.count(), 1, 5000);
        QCOMPARE(failures.first().at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_NETWORK_ERROR);
        QCOMPARE(failures.first().at(1).toString(),
            QStringLiteral("message_error_network_statuscode(%1)").arg(status));
        QCOMPARE(m_server.requestsFor(QStringLiteral("/pkg.zip")).size() - gets().size(), heads);
        QVERIFY(!QFile::exists(finalPath()));
        if (status == 302) { // no file of zeros, no record (written off the thread)
            QVERIFY(listing().isEmpty());
            QTRY_VERIFY(!readFile(storePath()).contains("pkg.zip"));
        }
    }

    // The digest taken while the file was written stands only for a file
    // written in one pass and still as it was left; the signals are the same
    // either way. A mismatch removes the file, so the next attempt fetches it
    // anew.
    void checkAfterDownload_data()
    {
        QTest::addColumn<Check>("row"); // the way, the checksum expected
        QTest::newRow("one pass") << Check { OnePass, Right };
        QTest::newRow("one pass, wrong checksum") << Check { OnePass, Wrong };
        QTest::newRow("one pass, upper-case") << Check { OnePass, RightInUpperCase };
        QTest::newRow("paused and continued") << Check { Paused, Right };
        QTest::newRow("changed afterwards") << Check { Changed, Right };
        QTest::newRow("removed, checksum expected") << Check { Removed, Right };
        QTest::newRow("removed, nothing expected") << Check { Removed, Nothing };
    }

    void checkAfterDownload()
    {
        QFETCH(Check, row);
        const auto [way, expected] = row;
        const QByteArray body = patterned(60000);
        HttpRoute whole;
        whole.body = body;
        HttpRoute firstPart = whole;
        if (way == Paused)
            firstPart.stallAfterBytes = 20000;
        m_server.routeSequence(QStringLiteral("/pkg.zip"), { whole, firstPart, whole });
        QVERIFY(writeFile(m_elsewhere->filePath(QStringLiteral("body")), body));
        const QString md5 = md5Of(m_elsewhere->filePath(QStringLiteral("body")));

        downloadmanager manager;
        manager.setResumeStore(storePath());
        manager.setBackoffBaseMs(5);
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        QStringList events;
        connect(&manager, &downloadmanager::md5CheckStart, [&events] { events << "start"; });
        connect(&manager, &downloadmanager::md5CheckFinish, [&events] { events << "finish"; });
        connect(&manager, &downloadmanager::downloadError,
            [&events](ErrorCode code, const QString &) { events << errorCodeText(code); });
        manager.setUrl(QUrl(m_server.url(QStringLiteral("/pkg.zip"))));
        manager.setFilePath(folder());
        manager.setFileMD5(expected == Right   ? md5
                : expected == RightInUpperCase ? md5.toUpper()
                : expected == Wrong            ? QString(32, QLatin1Char('0'))
                                               : QString());
        manager.startDownload();
        if (way == Paused) {
            QTRY_COMPARE(manager.getDownloadedSize(), 20000);
            manager.stopDownlaod();
            manager.startDownload();
        }
        QVERIFY(finished.wait());
        QCOMPARE(readFile(finalPath()), body);

        QString checked = finalPath();
        if (way == Changed) {
            const QDateTime modified = QFileInfo(checked).lastModified();
            QFile file(checked);
            QVERIFY(file.open(QIODevice::ReadWrite));
            // Written now, or its flush at close would set the time again,
            // maybe within the clock tick the download ended in.
            QVERIFY(file.seek(30000) && file.putChar('x') && file.flush());
            // Set apart from the download's own time, however quick the test.
            QVERIFY(file.setFileTime(modified.addSecs(5), QFileDevice::FileModificationTime));
        } else if (way == Removed) {
            QVERIFY(QFile::remove(checked));
        }
        manager.fileMd5(checked);
        QTRY_COMPARE(events.size(), 2);
        const bool passes
            = expected == Nothing || (expected != Wrong && way != Changed && way != Removed);
        QCOMPARE(events,
            QStringList({ QStringLiteral("start"),
                passes ? QStringLiteral("finish") : QStringLiteral("DOWNLOAD_MD5_ERROR") }));
        QCOMPARE(QFile::exists(finalPath()), passes && way != Removed);
    }

    // The name taken last: a failed rename keeps the partial file's record,
    // so the next start fetches nothing again.
    void failedRenameKeepsTheRecord()
    {
        QVERIFY(writeFile(finalPath() + QStringLiteral("/in the way"), "x"));
        downloadmanager manager;
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        startOn(manager, QStringLiteral("/pkg.zip"));
        QVERIFY(errors.wait());
        QCOMPARE(errors.first().at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_WRITE_BUFFER_ERROR);
        QCOMPARE(storedProgress().toLongLong(), qint64(m_body.size()));
    }

    void killedDownloadResumesInANewProcess()
    {
        const QByteArray body = patterned(400 * 1024);
        m_server.route(QStringLiteral("/big.zip"), paced(body, 8 * 1024, 20));
        QVERIFY(writeFile(m_elsewhere->filePath(QStringLiteral("big")), body));
        const QStringList args { QStringLiteral("download"),
            m_server.url(QStringLiteral("/big.zip")), folder(),
            md5Of(m_elsewhere->filePath(QStringLiteral("big"))) };

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

        // It went on from a record of the first run; that the record never
        // led the partial file shows in the checksum.
        QCOMPARE(gets().size(), 2);
        QVERIFY(rangeStart(1) > 0);
    }
};

TESSARIL_TEST_MAIN(tst_DownloadManager)
#include "tst_downloadmanager.moc"
