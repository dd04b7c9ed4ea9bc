#include "download/downloadmanager.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

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

QStringList listing(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

// What comes from the network (names in URLs, redirects, the pace of a link)
// is the server's choice; these cases play a server that chooses badly.
class tst_DownloadHostile : public QObject
{
    Q_OBJECT

private:
    HttpTestServer m_server;
    const QByteArray m_body = patterned(20000);
    std::unique_ptr<QTemporaryDir> m_dir; // the download folder
    std::unique_ptr<QTemporaryDir> m_elsewhere; // the resume store and other files

    QString folder() const { return m_dir->path(); }
    QString storePath() const { return m_elsewhere->filePath(QStringLiteral("resume.ini")); }

    void startOn(downloadmanager &manager, const QString &url)
    {
        manager.setResumeStore(storePath());
        manager.setUrl(QUrl(url));
        manager.setFilePath(folder());
        manager.startDownload();
    }

    QStringList storedKeys() const
    {
        return QSettings(storePath(), QSettings::IniFormat).allKeys();
    }

    // Answered only once every request sent before it has arrived, so the
    // server's record then shows whether anything else was asked.
    bool probe()
    {
        QNetworkAccessManager client;
        std::unique_ptr<QNetworkReply> reply(
            client.get(QNetworkRequest(QUrl(m_server.url(QStringLiteral("/probe"))))));
        return QSignalSpy(reply.get(), &QNetworkReply::finished).wait();
    }

    QStringList gets() const
    {
        QStringList paths;
        for (const RecordedRequest &request : m_server.requests())
            if (request.method == "GET" && request.path != QLatin1String("/probe"))
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
        // go on to write.
        const QUrl url(m_server.url(path));
        m_server.route(url.path(), m_body);
        // "_tmp" is what an empty name once wrote to.
        writeFile(folder() + QStringLiteral("/_tmp"), "earlier");
        QSettings(storePath(), QSettings::IniFormat).setValue(QStringLiteral("other.zip/0"), 1234);
        const QStringList before = listing(folder());

        {
            downloadmanager manager;
            QSignalSpy errors(&manager, &downloadmanager::downloadError);
            startOn(manager, url.toString());
            QVERIFY(errors.wait());
            manager.startDownload(); // a second try is refused again, once
            QVERIFY(errors.wait());
            manager.stopDownlaod();
            manager.resetDownload();
            QVERIFY(probe());
            QCOMPARE(errors.count(), 2);
            for (const QList<QVariant> &error : qAsConst(errors)) {
                QCOMPARE(error.at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_OPEN_FILE_ERROR);
                QCOMPARE(error.at(1).toString(), QStringLiteral("message_error_download_bad_name"));
            }
            QVERIFY(!manager.isDownloading());
        }
        QCOMPARE(m_server.requests().size(), 1); // the probe
        QCOMPARE(listing(folder()), before);
        QCOMPARE(readFile(folder() + QStringLiteral("/_tmp")), QByteArray("earlier"));
        QCOMPARE(storedKeys(), QStringList { QStringLiteral("other.zip/0") });
        QCOMPARE(QSettings(storePath(), QSettings::IniFormat).value("other.zip/0").toInt(), 1234);
    }

    void redirectKeepsTheName_data()
    {
        QTest::addColumn<bool>("transferRefused");
        QTest::newRow("completes") << false;
        QTest::newRow("transfer refused") << true;
    }

    void redirectKeepsTheName()
    {
        // The CDN's name is the game's own executable, which must survive
        // both a finished download and one whose failure removes the file.
        QFETCH(bool, transferRefused);
        writeFile(folder() + QStringLiteral("/game.exe"), "the game");
        HttpRoute moved;
        moved.status = 302;
        moved.reason = "Found";
        moved.location = "/cdn/v2/game.exe";
        // The transfer, too, would be sent on: it must go where the size
        // query ended.
        m_server.route(QStringLiteral("/pkg.zip"), moved);
        HttpRoute refused;
        refused.status = 403;
        refused.reason = "Forbidden";
        refused.body = "no";
        HttpRoute served;
        served.body = m_body;
        m_server.routeSequence(QStringLiteral("/cdn/v2/game.exe"),
            transferRefused ? QList<HttpRoute> { served, refused } : QList<HttpRoute> { served });

        downloadmanager manager;
        QSignalSpy finished(&manager, &downloadmanager::downloadFinished);
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        startOn(manager, m_server.url(QStringLiteral("/pkg.zip")));
        QTRY_COMPARE(finished.count() + errors.count(), 1);
        QCOMPARE(gets(), QStringList { QStringLiteral("/cdn/v2/game.exe") });
        QCOMPARE(readFile(folder() + QStringLiteral("/game.exe")), QByteArray("the game"));
        if (transferRefused) {
            QCOMPARE(errors.first().at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_NETWORK_ERROR);
            QCOMPARE(listing(folder()),
                QStringList({ QStringLiteral("game.exe"), QStringLiteral("pkg.zip_tmp") }));
            QCOMPARE(storedKeys(), QStringList { QStringLiteral("pkg.zip/0") });
        } else {
            QCOMPARE(listing(folder()),
                QStringList({ QStringLiteral("game.exe"), QStringLiteral("pkg.zip") }));
            QCOMPARE(readFile(folder() + QStringLiteral("/pkg.zip")), m_body);
        }
    }

    void redirectToAnotherSchemeIsRefused_data()
    {
        QTest::addColumn<QString>("location"); // "<local>": a file of this machine
        QTest::newRow("file") << "<local>";
        QTest::newRow("ftp") << "ftp://127.0.0.1/pkg.zip";
        QTest::newRow("data") << "data:application/octet-stream,stolen";
        QTest::newRow("after an http hop") << "/hop";
    }

    void redirectToAnotherSchemeIsRefused()
    {
        QFETCH(QString, location);
        const QString local = m_elsewhere->filePath(QStringLiteral("private.txt"));
        writeFile(local, "private");
        if (location == QLatin1String("<local>"))
            location = QUrl::fromLocalFile(local).toString();
        HttpRoute moved;
        moved.status = 302;
        moved.reason = "Found";
        moved.location = location.toUtf8();
        m_server.route(QStringLiteral("/pkg.zip"), moved);
        moved.location = QUrl::fromLocalFile(local).toEncoded();
        m_server.route(QStringLiteral("/hop"), moved);

        downloadmanager manager;
        QSignalSpy errors(&manager, &downloadmanager::downloadError);
        startOn(manager, m_server.url(QStringLiteral("/pkg.zip")));
        QVERIFY(errors.wait());
        QCOMPARE(
            errors.first().at(0).value<ErrorCode>(), ErrorDefine::DOWNLOAD_NETWORK_GETHEADER_ERROR);
        QCOMPARE(errors.first().at(1).toString(),
            QStringLiteral("message_error_resource_acquisition_failed(302)"));
        QVERIFY(probe());
        QCOMPARE(errors.count(), 1);
        QVERIFY(gets().isEmpty());
        QVERIFY(listing(folder()).isEmpty());
    }
};

TESSARIL_TEST_MAIN(tst_DownloadHostile)
#include "tst_downloadhostile.moc"
