#include "core/buildinfo.h"
#include "platform/namedmutex.h"
#include "setup/launcherswap.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testenvironment.h"
#include "tests/updater/launcherfixture.h"

#include <QtTest>

Q_DECLARE_METATYPE(LauncherSwap::Step)

// The updater killed outright at every step of its swap: once recovered, the
// launcher folder holds one whole version that starts, and the user's files
// are untouched.
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

    UpdaterRun killedAt(LauncherSwap::Step step, int operations)
    {
        return m_site.runUpdater(m_url, m_md5,
            { QStringLiteral("TESSARIL_UPDATER_KILL_AT=%1:%2").arg(int(step)).arg(operations) });
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

    void killedAtEachStep_data()
    {
        QTest::addColumn<LauncherSwap::Step>("step");
        QTest::addColumn<int>("operations");
        QTest::addColumn<QString>("survivor");
        // Each step moves or removes every file of one version, its list included.
        const int oldFiles = m_site.version(QStringLiteral("old")).size() + 1;
        const int newFiles = m_site.version(QStringLiteral("new")).size() + 1;
        using Step = LauncherSwap::Step;
        QTest::newRow("moving aside journaled") << Step::MovingAside << 0 << "old";
        QTest::newRow("one file aside") << Step::MovingAside << 1 << "old";
        QTest::newRow("every file aside") << Step::MovingAside << oldFiles << "old";
        QTest::newRow("moving in journaled") << Step::MovingIn << 0 << "old";
        QTest::newRow("one file in") << Step::MovingIn << 1 << "old";
        QTest::newRow("every file in") << Step::MovingIn << newFiles << "old";
        QTest::newRow("committed") << Step::Committed << 0 << "new";
        QTest::newRow("one old file removed") << Step::Committed << 1 << "new";
        QTest::newRow("every old file removed") << Step::Committed << oldFiles << "new";
    }

    void killedAtEachStep()
    {
        QFETCH(LauncherSwap::Step, step);
        QFETCH(int, operations);
        QFETCH(QString, survivor);
        const UpdaterRun run = killedAt(step, operations);
        QVERIFY(run.finished);
        QCOMPARE(run.status, QProcess::CrashExit);
        QVERIFY(QFileInfo::exists(m_site.staging() + QStringLiteral("/swap-journal.json")));
        // A dead updater keeps no launcher out.
        QVERIFY(!platform::isNamedMutexHeld(updateMutexName()));
        QVERIFY(m_site.starts().isEmpty());

        QVERIFY(LauncherSwap::recoverAtStartup(m_site.folder()));
        const QStringList recovered = m_site.programListing();
        QCOMPARE(recovered, LauncherFixture::listing(m_site.version(survivor)));
        QCOMPARE(m_site.userListing(), m_userFiles);
        QCOMPARE(m_site.siteEntries(), QStringList { QStringLiteral("Tessaril Launcher") });
        QCOMPARE(m_site.startsAs(), survivor);
        QString error;
        QVERIFY2(LauncherSwap::recover(m_site.folder(), &error), qPrintable(error));
        QCOMPARE(m_site.programListing(), recovered);
    }

    void nextUpdaterRecoversAndFinishes()
    {
        QCOMPARE(killedAt(LauncherSwap::Step::MovingIn, 1).status, QProcess::CrashExit);
        const UpdaterRun run = m_site.runUpdater(m_url, m_md5);
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(m_site.programListing(),
            LauncherFixture::listing(m_site.version(QStringLiteral("new"))));
        QCOMPARE(m_site.userListing(), m_userFiles);
        QCOMPARE(m_site.siteEntries(), QStringList { QStringLiteral("Tessaril Launcher") });
        QTRY_COMPARE(
            m_site.starts(), QStringList { QStringLiteral("new|%1|update").arg(m_site.folder()) });
    }
};

TESSARIL_TEST_MAIN(tst_UpdaterInterrupt)
#include "tst_updaterinterrupt.moc"
