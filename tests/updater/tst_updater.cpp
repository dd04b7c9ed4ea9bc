#include "core/buildinfo.h"
#include "platform/namedmutex.h"
#include "setup/launcherswap.h"
#include "setup/launcherswapplan.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"
#include "tests/updater/launcherfixture.h"

#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using Point = QPair<int, int>;

// The updater program end to end: the real Update program, a launcher folder
// of the test's making and packages served over loopback HTTP. A swap killed
// outright at every file operation it makes leaves a launcher to start at
// each instant, its start recovers the folder to one whole version, and the
// user's files are untouched.
class tst_Updater : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    HttpTestServer m_server;
    LauncherFixture m_site { m_root.path(), QStringLiteral("TessarilStandIn") };
    QMap<QString, QByteArray> m_packages;
    QMap<QString, QStringList> m_expected; // the site with each version installed

    // Chunked without its last chunk: the package is whole once its
    // announced size is in, however the response goes on.
    QString serve(const QString &name)
    {
        HttpRoute route { 200, "OK", m_packages.value(name) };
        route.endlessChunked = true;
        m_server.route(QLatin1Char('/') + name, route);
        return m_server.url(QLatin1Char('/') + name);
    }

    // Whatever happened: the program files are one version's, the user's
    // files are as they were, nothing appeared beside the launcher folder
    // (but the staging folder of a download left to resume) and that
    // version's launcher was started, if it was to be.
    void checkFolder(const QString &version, bool started = true, bool resumable = false)
    {
        QCOMPARE(m_site.siteListing(resumable), m_expected.value(version));
        QTRY_COMPARE(m_site.starts(),
            started ? QStringList { QString("%1|%2|update").arg(version, m_site.folder()) }
                    : QStringList());
    }

    UpdaterRun runToNew(const QStringList &environment = {})
    {
        return m_site.runUpdater(serve("new.7z"), md5Hex(m_packages.value("new.7z")), environment);
    }

    bool swapIn(const LauncherSwap::Observer &observer)
    {
        LauncherSwapPlan plan;
        if (!m_site.stage(m_site.version("new"))
            || !plan.build(m_site.folder(), LauncherSwap::newFolder(m_site.folder()),
                QStringLiteral("TessarilStandIn")))
            return false;
        LauncherSwap swap(m_site.folder());
        swap.setObserver(observer);
        return swap.run(plan);
    }

    // The swap in a child process that dies at point, as by a power cut.
    bool swapKilledAt(Point point)
    {
        const pid_t child = ::fork();
        if (child == 0) {
            swapIn([point](LauncherSwap::Step step, int operations) {
                if (int(step) == point.first && operations == point.second)
                    ::raise(SIGKILL);
            });
            ::_exit(0);
        }
        int status = 0;
        return child > 0 && ::waitpid(child, &status, 0) == child && WIFSIGNALED(status);
    }

private slots:
    void initTestCase()
    {
        const Files fresh = m_site.version("new");
        const auto variant = [&](const char *name, const QString &path, const QByteArray &data) {
            Files files = fresh;
            if (data.isNull())
                files.remove(path);
            else
                files.insert(path, data);
            m_packages.insert(QLatin1String(name), m_site.pack(files));
        };
        m_packages.insert("new.7z", m_site.pack(fresh));
        QByteArray damaged = m_packages.value("new.7z");
        for (int i = 40; i < 72; ++i)
            damaged[i] = char(damaged.at(i) ^ 0x5A);
        m_packages.insert("damaged.7z", damaged);
        variant("escaping.7z", "tessaril-files.txt", "TessarilStandIn\n../outside.txt\n");
        variant("settings.7z", "config.ini", "[General]\n");
        variant("headless.7z", "TessarilStandIn", QByteArray());
        m_server.route("/moved.7z", HttpRoute { 302, "Found", {}, "http://192.0.2.1/new.7z" });
        for (const QString &version : { "old", "new" })
            m_expected.insert(version, m_site.expectedListing(version));
    }

    void init()
    {
        QVERIFY(m_site.create());
        m_server.clearRequests();
    }

    // The launcher is still closing when the updater starts: an updater that
    // waits in vain leaves the folder as it was, the next one waits holding
    // the lock and goes on once the launcher has closed.
    void replacesTheLauncherHoldingTheLock()
    {
        QProcess closing;
        closing.start(m_site.executable(), { "wait" });
        QVERIFY(closing.waitForStarted());
        UpdaterRun run = runToNew({ "TESSARIL_UPDATER_WAIT_MS=300" });
        QVERIFY2(run.exitCode == 1 && run.errors.contains("updater_failed_launcher_running"),
            qPrintable(run.errors));
        QVERIFY(m_server.requests().isEmpty());
        checkFolder("old", false);

        QProcess updater;
        LauncherFixture::start(
            updater, m_site.handOver(serve("new.7z"), md5Hex(m_packages.value("new.7z"))));
        // A plain launch now would leave at once.
        QTRY_VERIFY(platform::isNamedMutexHeld(updateMutexName()));
        QVERIFY(QFile(m_site.goFile()).open(QIODevice::WriteOnly));
        QVERIFY(closing.waitForFinished());
        run = LauncherFixture::waitFor(updater);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        checkFolder("new");
        QVERIFY(!platform::isNamedMutexHeld(updateMutexName()));
    }

    void failuresKeepTheOldLauncher_data()
    {
        QTest::addColumn<QString>("package");
        QTest::addColumn<QByteArray>("md5"); // empty: the package's own
        QTest::addColumn<QString>("change"); // of the hand-over: member=value
        QTest::addColumn<QString>("shown");
        const QByteArray own;
        QTest::newRow("wrong md5, in German") << "new.7z" << md5Hex("another") << "lang=de-de"
                                              << "Das heruntergeladene Update";
        QTest::newRow("damaged archive") << "damaged.7z" << own << ""
                                         << "updater_failed_package";
        QTest::newRow("list leaves the folder") << "escaping.7z" << own << ""
                                                << "unsound path: ../outside.txt";
        QTest::newRow("list claims the user's settings") << "settings.7z" << own << ""
                                                         << "file of the user's: config.ini";
        QTest::newRow("no launcher in the package") << "headless.7z" << own << ""
                                                    << "holds no TessarilStandIn";
        QTest::newRow("redirect to http elsewhere") << "moved.7z" << md5Hex("x") << ""
                                                    << "updater_failed_download";
    }

    void failuresKeepTheOldLauncher()
    {
        QFETCH(QString, package);
        QFETCH(QByteArray, md5);
        QFETCH(QString, change);
        QFETCH(QString, shown);
        const QString url = package == "moved.7z" ? m_server.url("/moved.7z") : serve(package);
        const UpdaterRun run = m_site.runUpdater(
            url, md5.isEmpty() ? md5Hex(m_packages.value(package)) : md5, {}, change);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(shown), qPrintable(run.errors));
        // Nothing is left to resume: the staging folder goes.
        checkFolder("old");
    }

    void cutOffDownloadResumesOnTheNextRun()
    {
        const QByteArray package = m_packages.value("new.7z");
        const HttpRoute whole { 200, "OK", package };
        HttpRoute cut = whole;
        cut.closeAfterBytes = package.size() / 2;
        m_server.routeSequence("/cut.7z", { whole, cut, { 404, "Not Found", "withdrawn" } });
        const QString url = m_server.url("/cut.7z");
        UpdaterRun run = m_site.runUpdater(url, md5Hex(package));
        QCOMPARE(run.exitCode, 1);
        checkFolder("old", true, true);

        QFile::remove(m_root.filePath("started"));
        m_server.route("/cut.7z", whole);
        m_server.clearRequests();
        run = m_site.runUpdater(url, md5Hex(package));
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        checkFolder("new");
        const QByteArray range = m_server.requests().value(1).headers.value("range");
        QVERIFY2(range.startsWith("bytes=") && range.mid(6).split('-').value(0).toLongLong() > 0,
            range.constData());
    }

    // With a launcher to go back to, a refused hand-over starts it again and
    // says why; without one, the updater only logs why and ends.
    void refusesAnythingButTheHandOver_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "{}": the hand-over with the change
        QTest::addColumn<QString>("change"); // member=value
        QTest::addColumn<bool>("restarts");
        const QStringList plain { "Tessaril", "{}" };
        QTest::newRow("none") << QStringList() << QString() << false;
        QTest::newRow("a file outside a launcher folder")
            << plain << "exe_dir=" + m_site.folder() + "/config.ini" << false;
        // A folder of the player's whose list names a link to the launcher.
        const QString link = m_root.filePath("linked/TessarilStandIn");
        QVERIFY(writeFile(m_root.filePath("linked/tessaril-files.txt"), "TessarilStandIn\n")
            && QFile::link(m_site.executable(), link));
        QTest::newRow("a link to the launcher") << plain << "exe_dir=" + link << false;
        QTest::newRow("another product") << QStringList { "Quorvela", "{}" } << QString() << true;
        QTest::newRow("http elsewhere") << plain << "pkg_url=http://example.com/new.7z" << true;
        QTest::newRow("no package name") << plain << "pkg_url=https://127.0.0.1/get?id=3" << true;
    }

    void refusesAnythingButTheHandOver()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, change);
        QFETCH(bool, restarts);
        arguments.replaceInStrings(
            "{}", m_site.handOver(serve("new.7z"), md5Hex("x"), change).at(1));
        QProcess updater;
        LauncherFixture::start(updater, arguments);
        const UpdaterRun run = LauncherFixture::waitFor(updater);
        QCOMPARE(run.exitCode, restarts ? 1 : 2);
        QVERIFY2(run.errors.contains(restarts ? "updater_failed_package" : "Update: "),
            qPrintable(run.errors));
        QVERIFY(m_server.requests().isEmpty());
        checkFolder("old", restarts);
    }

    void killedAtEveryOperation_data()
    {
        QTest::addColumn<Point>("point");
        QVERIFY(m_site.create());
        QList<Point> points;
        QVERIFY(swapIn([&points](LauncherSwap::Step step, int operations) {
            points.append({ int(step), operations });
        }));
        QVERIFY(points.size() > 90);
        for (const Point &point : qAsConst(points))
            QTest::addRow("step %d, operation %d", point.first, point.second) << point;
    }

    void killedAtEveryOperation()
    {
        QFETCH(Point, point);
        QVERIFY(swapKilledAt(point));
        QVERIFY(QFileInfo(m_site.executable()).isFile());
        QVERIFY(LauncherSwap::recoverAtStartup(m_site.folder()));
        checkFolder(point.first == int(LauncherSwap::Step::Committed) ? "new" : "old", false);
    }

    // The real updater killed by its own hook, then run again: the next run
    // settles the interrupted swap and installs the update. An earlier updater
    // moved files away before it moved new ones in, so its interruption could
    // leave no launcher to start; the updater then settles the swap before it
    // trusts the folder.
    void nextUpdaterRecoversAndFinishes()
    {
        const QStringList killed { "TESSARIL_UPDATER_KILL_AT=2:7" };
        QCOMPARE(runToNew(killed).status, QProcess::CrashExit);
        QVERIFY(QFile::remove(m_site.executable()));
        QCOMPARE(runToNew(killed).status, QProcess::CrashExit);
        // A dead updater keeps no launcher out.
        QVERIFY(!platform::isNamedMutexHeld(updateMutexName()));
        const UpdaterRun run = runToNew();
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        checkFolder("new");
    }
};

TESSARIL_TEST_MAIN(tst_Updater)
#include "tst_updater.moc"
