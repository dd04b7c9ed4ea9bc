#include "core/buildinfo.h"
#include "platform/namedmutex.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testenvironment.h"
#include "tests/updater/launcherfixture.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

// The updater program end to end: the real Update program, a launcher folder
// of the test's making and packages served over loopback HTTP.
class tst_Updater : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    HttpTestServer m_server;
    LauncherFixture m_site { m_root.path(), QStringLiteral("TessarilStandIn") };
    QMap<QString, QByteArray> m_packages;
    QStringList m_oldListing;
    QStringList m_userFiles;

    // Chunked without its last chunk: the package is whole once its
    // announced size is in, however the response goes on.
    QString serve(const QString &name)
    {
        HttpRoute route;
        route.body = m_packages.value(name);
        route.endlessChunked = true;
        m_server.route(QLatin1Char('/') + name, route);
        return m_server.url(QLatin1Char('/') + name);
    }

    // Whatever happened: the program files are one version's, the user's
    // files are as they were and nothing appeared beside the launcher folder
    // but its staging folder.
    void checkFolder(const QString &version)
    {
        QCOMPARE(m_site.programListing(), LauncherFixture::listing(m_site.version(version)));
        QCOMPARE(m_site.userListing(), m_userFiles);
        QStringList site = m_site.siteEntries();
        site.removeAll(QStringLiteral("Tessaril Launcher.update"));
        QCOMPARE(site, QStringList { QStringLiteral("Tessaril Launcher") });
        QTRY_COMPARE(m_site.starts(),
            QStringList { QStringLiteral("%1|%2|update").arg(version, m_site.folder()) });
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo(qEnvironmentVariable("TESSARIL_UPDATER")).isExecutable());
        const Files fresh = m_site.version(QStringLiteral("new"));
        m_packages.insert(QStringLiteral("new.7z"), m_site.pack(fresh));
        QByteArray damaged = m_packages.value(QStringLiteral("new.7z"));
        for (int i = 40; i < 72; ++i)
            damaged[i] = char(damaged.at(i) ^ 0x5A);
        m_packages.insert(QStringLiteral("damaged.7z"), damaged);
        Files escaping = fresh;
        escaping.insert(QStringLiteral("tessaril-files.txt"), "TessarilStandIn\n../outside.txt\n");
        m_packages.insert(QStringLiteral("escaping.7z"), m_site.pack(escaping));
        Files settings = fresh;
        settings.insert(QStringLiteral("config.ini"), "[General]\n");
        m_packages.insert(QStringLiteral("settings.7z"), m_site.pack(settings));
        Files headless = fresh;
        headless.remove(QStringLiteral("TessarilStandIn"));
        m_packages.insert(QStringLiteral("headless.7z"), m_site.pack(headless));
        for (const QByteArray &package : qAsConst(m_packages))
            QVERIFY(!package.isEmpty());
    }

    void init()
    {
        QVERIFY(m_site.create());
        m_server.clearRequests();
        m_oldListing = m_site.programListing();
        QCOMPARE(m_oldListing, LauncherFixture::listing(m_site.version(QStringLiteral("old"))));
        m_userFiles = m_site.userListing();
        QCOMPARE(m_userFiles.size(), 7);
    }

    void replacesTheLauncherHoldingTheLock()
    {
        // The launcher is still closing when the updater starts.
        QProcess closing;
        closing.start(m_site.executable(), { QStringLiteral("wait") });
        QVERIFY(closing.waitForStarted());
        QProcess updater;
        m_site.startUpdater(updater, serve(QStringLiteral("new.7z")),
            md5Hex(m_packages.value(QStringLiteral("new.7z"))));
        // A plain launch now would leave at once.
        QTRY_VERIFY(platform::isNamedMutexHeld(updateMutexName()));
        QVERIFY(m_server.requests().isEmpty());
        QCOMPARE(m_site.programListing(), m_oldListing);

        QVERIFY(QFile(m_site.goFile()).open(QIODevice::WriteOnly));
        QVERIFY(closing.waitForFinished());
        const UpdaterRun run = LauncherFixture::waitFor(updater);
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.errors));
        checkFolder(QStringLiteral("new"));
        QVERIFY(!QFileInfo::exists(m_site.staging()));
        QVERIFY(!platform::isNamedMutexHeld(updateMutexName()));
    }

    void failuresKeepTheOldLauncher_data()
    {
        QTest::addColumn<QString>("package");
        QTest::addColumn<QByteArray>("md5"); // empty: the package's own
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("shown");

        QTest::newRow("wrong md5, in German") << "new.7z" << md5Hex("another") << "de-de"
                                              << QStringLiteral("Das heruntergeladene Update");
        QTest::newRow("damaged archive") << "damaged.7z" << QByteArray() << "en-us"
                                         << "updater_failed_package";
        QTest::newRow("list leaves the folder") << "escaping.7z" << QByteArray() << "en-us"
                                                << "unsound path: ../outside.txt";
        QTest::newRow("list claims the user's settings") << "settings.7z" << QByteArray() << "en-us"
                                                         << "file of the user's: config.ini";
        QTest::newRow("no launcher in the package") << "headless.7z" << QByteArray() << "en-us"
                                                    << "holds no TessarilStandIn";
        QTest::newRow("redirect to http elsewhere") << "moved.7z" << md5Hex("x") << "en-us"
                                                    << "updater_failed_download";
    }

    void failuresKeepTheOldLauncher()
    {
        QFETCH(QString, package);
        QFETCH(QByteArray, md5);
        QFETCH(QString, language);
        QFETCH(QString, shown);
        QString url = serve(package);
        if (package == QLatin1String("moved.7z")) {
            HttpRoute moved;
            moved.status = 302;
            moved.location = "http://192.0.2.1/new.7z";
            m_server.route(QStringLiteral("/moved.7z"), moved);
        }
        const UpdaterRun run = m_site.runUpdater(
            url, md5.isEmpty() ? md5Hex(m_packages.value(package)) : md5, {}, language);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(shown), qPrintable(run.errors));
        checkFolder(QStringLiteral("old"));
        // Nothing is left to resume: the staging folder goes.
        QVERIFY(!QFileInfo::exists(m_site.staging()));
    }

    void cutOffDownloadResumesOnTheNextRun()
    {
        const QByteArray package = m_packages.value(QStringLiteral("new.7z"));
        HttpRoute whole;
        whole.body = package;
        HttpRoute cut = whole;
        cut.closeAfterBytes = package.size() / 2;
        HttpRoute gone;
        gone.status = 404;
        gone.body = "withdrawn";
        m_server.routeSequence(QStringLiteral("/cut.7z"), { whole, cut, gone });
        const QString url = m_server.url(QStringLiteral("/cut.7z"));
        UpdaterRun run = m_site.runUpdater(url, md5Hex(package));
        QCOMPARE(run.exitCode, 1);
        checkFolder(QStringLiteral("old"));

        QFile::remove(m_root.filePath(QStringLiteral("started")));
        m_server.route(QStringLiteral("/cut.7z"), whole);
        m_server.clearRequests();
        run = m_site.runUpdater(url, md5Hex(package));
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        checkFolder(QStringLiteral("new"));
        const QByteArray range = m_server.requests().value(1).headers.value("range");
        QVERIFY2(range.startsWith("bytes=") && range.mid(6).split('-').value(0).toLongLong() > 0,
            range.constData());
    }

    void launcherThatStaysOpenIsLeftAlone()
    {
        QProcess open;
        open.start(m_site.executable(), { QStringLiteral("wait") });
        QVERIFY(open.waitForStarted());
        const UpdaterRun run = m_site.runUpdater(serve(QStringLiteral("new.7z")),
            md5Hex(m_packages.value(QStringLiteral("new.7z"))),
            { QStringLiteral("TESSARIL_UPDATER_WAIT_MS=300") });
        QVERIFY(QFile(m_site.goFile()).open(QIODevice::WriteOnly));
        QVERIFY(open.waitForFinished());
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(QLatin1String("updater_failed_launcher_running")),
            qPrintable(run.errors));
        QVERIFY(m_server.requests().isEmpty());
        QCOMPARE(m_site.programListing(), m_oldListing);
        QCOMPARE(m_site.siteEntries(), QStringList { QStringLiteral("Tessaril Launcher") });
        QVERIFY(m_site.starts().isEmpty());
    }

    // A program of the launcher's name elsewhere is not the launcher.
    void decoyOfTheLaunchersNameHoldsNothing()
    {
        const QString decoy = m_root.filePath(QStringLiteral("elsewhere/TessarilStandIn"));
        QVERIFY(QDir().mkpath(QFileInfo(decoy).path()));
        QVERIFY(QFile::copy(m_site.executable(), decoy));
        QProcess other;
        other.start(decoy, { QStringLiteral("wait") });
        QVERIFY(other.waitForStarted());
        const UpdaterRun run = m_site.runUpdater(serve(QStringLiteral("new.7z")),
            md5Hex(m_packages.value(QStringLiteral("new.7z"))),
            { QStringLiteral("TESSARIL_UPDATER_WAIT_MS=300") });
        QVERIFY(QFile(m_site.goFile()).open(QIODevice::WriteOnly));
        QVERIFY(other.waitForFinished());
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        checkFolder(QStringLiteral("new"));
    }

    // With a launcher to go back to, a refused hand-over starts it again and
    // says why; without one, the updater only logs why and ends.
    void refusesAnythingButTheHandOver_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "{}": the hand-over with the change
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("restarts");
        const QStringList plain { "Tessaril", "{}" };
        QTest::newRow("none") << QStringList() << ""
                              << "" << false;
        QTest::newRow("a third") << QStringList { "Tessaril", "{}", "update" } << ""
                                 << "" << false;
        QTest::newRow("not JSON") << QStringList { "Tessaril", "exe_dir=/x" } << ""
                                  << "" << false;
        QTest::newRow("relative executable") << plain << "exe_dir"
                                             << "site/TessarilStandIn" << false;
        QTest::newRow("missing executable")
            << plain << "exe_dir" << m_root.filePath("none") << false;
        QTest::newRow("a file outside a launcher folder")
            << plain << "exe_dir" << m_site.folder() + "/config.ini" << false;
        QTest::newRow("another product") << QStringList { "Quorvela", "{}" } << ""
                                         << "" << true;
        QTest::newRow("md5 empty") << plain << "pkg_md5"
                                   << "" << true;
        QTest::newRow("md5 not hex") << plain << "pkg_md5" << QString(32, QLatin1Char('g')) << true;
        QTest::newRow("http elsewhere") << plain << "pkg_url"
                                        << "http://example.com/new.7z" << true;
        QTest::newRow("file URL") << plain << "pkg_url"
                                  << "file:///tmp/new.7z" << true;
        QTest::newRow("no package name") << plain << "pkg_url"
                                         << "https://127.0.0.1/get?id=3" << true;
    }

    void refusesAnythingButTheHandOver()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, member);
        QFETCH(QString, value);
        QFETCH(bool, restarts);
        QJsonObject handOver { { "exe_dir", m_site.executable() }, { "lang", "en-us" },
            { "pkg_md5", QString::fromLatin1(md5Hex("x")) },
            { "pkg_url", serve(QStringLiteral("new.7z")) } };
        if (!member.isEmpty())
            handOver.insert(member, value);
        arguments.replaceInStrings(QStringLiteral("{}"),
            QString::fromUtf8(QJsonDocument(handOver).toJson(QJsonDocument::Compact)));
        QProcess updater;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TESSARIL_UPDATER_LINGER_MS"), QStringLiteral("0"));
        updater.setProcessEnvironment(env);
        updater.start(qEnvironmentVariable("TESSARIL_UPDATER"), arguments);
        const UpdaterRun run = LauncherFixture::waitFor(updater);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, restarts ? 1 : 2);
        QVERIFY2(run.errors.contains(restarts ? "updater_failed_package" : "Update: "),
            qPrintable(run.errors));
        QTRY_COMPARE(m_site.starts(),
            restarts ? QStringList { QStringLiteral("old|%1|update").arg(m_site.folder()) }
                     : QStringList());
        QVERIFY(m_server.requests().isEmpty());
        QCOMPARE(m_site.programListing(), m_oldListing);
        QCOMPARE(m_site.siteEntries(), QStringList { QStringLiteral("Tessaril Launcher") });
    }
};

TESSARIL_TEST_MAIN(tst_Updater)
#include "tst_updater.moc"
