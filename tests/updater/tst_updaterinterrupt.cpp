#include "core/buildinfo.h"
#include "platform/namedmutex.h"
#include "setup/launcherswap.h"
#include "setup/launcherswapplan.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testenvironment.h"
#include "tests/updater/launcherfixture.h"

#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using Point = QPair<int, int>;

// A swap killed outright at every file operation it makes: the launcher is
// there to start at each instant, its start recovers the folder to one whole
// version, and the user's files are untouched.
class tst_UpdaterInterrupt : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    HttpTestServer m_server;
    LauncherFixture m_site { m_root.path(), QStringLiteral("TessarilKilled") };
    QString m_url;
    QByteArray m_md5;
    QStringList m_userFiles;

    bool swapIn(const LauncherSwap::Observer &observer)
    {
        LauncherSwapPlan plan;
        if (!m_site.stage(m_site.version(QStringLiteral("new")))
            || !plan.build(m_site.folder(), LauncherSwap::newFolder(m_site.folder()),
                QStringLiteral("TessarilKilled")))
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
        const QByteArray package = m_site.pack(m_site.version(QStringLiteral("new")));
        QVERIFY(!package.isEmpty());
        m_server.route(QStringLiteral("/new.7z"), package);
        m_url = m_server.url(QStringLiteral("/new.7z"));
        m_md5 = md5Hex(package);
    }

    void init()
    {
        QVERIFY(m_site.create());
        m_userFiles = m_site.userListing();
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
        QVERIFY(QFileInfo::exists(m_site.staging() + QStringLiteral("/swap-journal.json")));

        QVERIFY(LauncherSwap::recoverAtStartup(m_site.folder()));
        const QString survivor = point.first == int(LauncherSwap::Step::Committed) ? "new" : "old";
        const QStringList recovered = m_site.programListing();
        QCOMPARE(recovered, LauncherFixture::listing(m_site.version(survivor)));
        QCOMPARE(m_site.userListing(), m_userFiles);
        QCOMPARE(m_site.siteEntries(), QStringList { QStringLiteral("Tessaril Launcher") });
        QCOMPARE(m_site.startsAs(), survivor);
        QString error;
        QVERIFY2(LauncherSwap::recover(m_site.folder(), &error), qPrintable(error));
        QCOMPARE(m_site.programListing(), recovered);
    }

    // The real updater killed by its own hook, then run again: the next run
    // settles the interrupted swap and installs the update.
    void nextUpdaterRecoversAndFinishes()
    {
        const UpdaterRun killed
            = m_site.runUpdater(m_url, m_md5, { QStringLiteral("TESSARIL_UPDATER_KILL_AT=2:7") });
        QCOMPARE(killed.status, QProcess::CrashExit);
        // A dead updater keeps no launcher out.
        QVERIFY(!platform::isNamedMutexHeld(updateMutexName()));
        const UpdaterRun run = m_site.runUpdater(m_url, m_md5);
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(m_site.programListing(),
            LauncherFixture::listing(m_site.version(QStringLiteral("new"))));
        QCOMPARE(m_site.userListing(), m_userFiles);
        QCOMPARE(m_site.siteEntries(), QStringList { QStringLiteral("Tessaril Launcher") });
        QTRY_COMPARE(
            m_site.starts(), QStringList { QStringLiteral("new|%1|update").arg(m_site.folder()) });
    }

    // An earlier updater moved files away before it moved new ones in, so
    // its interruption could leave no launcher to start; the updater started
    // for that folder puts it back before it trusts the folder.
    void launcherMissingBehindJournalIsRecovered()
    {
        QVERIFY(swapKilledAt({ int(LauncherSwap::Step::MovingIn), 0 }));
        QVERIFY(QFile::remove(m_site.executable()));
        const UpdaterRun run = m_site.runUpdater(m_url, m_md5);
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(m_site.programListing(),
            LauncherFixture::listing(m_site.version(QStringLiteral("new"))));
        QCOMPARE(m_site.userListing(), m_userFiles);
    }
};

TESSARIL_TEST_MAIN(tst_UpdaterInterrupt)
#include "tst_updaterinterrupt.moc"
