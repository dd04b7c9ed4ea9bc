#include "setup/extractjob.h"
#include "setup/installrecord.h"
#include "setup/setupmanager.h"
#include "setup/verifyjob.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

namespace {

const QDateTime kUntouched(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
const QStringList kOriginal = { QStringLiteral("Data/a.bin"), QStringLiteral("Data/b.bin"),
    QStringLiteral("empty.txt"), QStringLiteral("game.exe"), QStringLiteral("sub/c.txt") };

} // namespace

class tst_InstallRecord : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_work;

    QString work(const QString &name) const { return m_work->filePath(name); }
    QString game(const QString &name = QString()) const
    {
        return work(QStringLiteral("game/") + name);
    }

    // Puts a copy of the package into the game folder and sets it up there.
    bool install(const QString &name, setupmanager::RecordMode mode, const QStringList &only = {})
    {
        QFile::remove(game(name));
        QFile::copy(work(name), game(name));
        setupmanager setup;
        setup.setRecordMode(mode);
        setup.setOnlyItems(only);
        setup.setZipFilePath(game());
        setup.setZipFileName(name);
        ExtractJob job(&setup);
        QSignalSpy finished(&job, &Job::finished);
        job.start();
        return finished.wait(60000) && job.state() == Job::State::Succeeded;
    }

    QStringList verify(bool *hasRecord = nullptr)
    {
        VerifyJob job;
        QSignalSpy done(&job, &VerifyJob::finished);
        job.setTarget(game());
        job.start();
        if (!done.wait(60000))
            return { QStringLiteral("verify did not finish") };
        if (hasRecord)
            *hasRecord = job.hasRecord();
        return job.damaged();
    }

    // The full game, installed, every file dated long ago so a rewrite shows.
    void installOriginal()
    {
        QVERIFY(writeFile(work("full/Data/a.bin"), patterned(300000)));
        QVERIFY(writeFile(work("full/Data/b.bin"), patterned(70000).toBase64()));
        QVERIFY(writeFile(work("full/empty.txt"), QByteArray()));
        QVERIFY(writeFile(work("full/game.exe"), "the game"));
        QVERIFY(writeFile(work("full/sub/c.txt"), "c"));
        QVERIFY(pack(work("full"), work("full.7z")));
        QVERIFY(QDir().mkpath(game()));
        QVERIFY(install(QStringLiteral("full.7z"), setupmanager::RecordMode::Fresh));
        for (const QString &path : kOriginal) {
            QFile file(game(path));
            QVERIFY(file.open(QIODevice::ReadWrite)
                && file.setFileTime(kUntouched, QFileDevice::FileModificationTime));
        }
    }

private slots:
    void init() { m_work = std::make_unique<QTemporaryDir>(); }

    void damageIsFoundAndRepairedAlone_data()
    {
        QTest::addColumn<QString>("damage"); // what is done, and to which file
        // Same bytes behind the link: only the link itself gives it away.
        QTest::newRow("link") << "link game.exe";
        QTest::newRow("folder") << "folder empty.txt";
    }

    void damageIsFoundAndRepairedAlone()
    {
        QFETCH(QString, damage);
        const QString how = damage.section(QLatin1Char(' '), 0, 0);
        const QString damaged = damage.section(QLatin1Char(' '), 1);
        installOriginal();
        QVERIFY(writeFile(game("mods/mine.txt"), "mine"));
        const QString target = game(damaged);
        if (how == QLatin1String("link"))
            QVERIFY(QFile::rename(target, work(damaged)) && QFile::link(work(damaged), target));
        else
            QVERIFY(QFile::remove(target) && QDir().mkpath(target));
        const QStringList found = verify();
        QCOMPARE(found, QStringList { damaged });
        QVERIFY(install(QStringLiteral("full.7z"), setupmanager::RecordMode::Update, found));
        QCOMPARE(verify(), QStringList());
        for (const QString &path : kOriginal) {
            if (path != damaged)
                QCOMPARE(QFileInfo(game(path)).lastModified(), kUntouched);
        }
        QCOMPARE(readFile(game("mods/mine.txt")), QByteArray("mine"));
    }

    void killedRepairIsFinishedByTheNext()
    {
        installOriginal();
        const QStringList lost = { "Data/a.bin", "Data/b.bin", "game.exe" };
        for (const QString &path : lost)
            QVERIFY(QFile::remove(game(path)));
        QVERIFY(QFile::copy(work("full.7z"), game("full.7z")));
        QProcess helper;
        QCOMPARE(startHelper(helper, QStringList { "repair-and-hang", game(), "full.7z" } + lost),
            QStringLiteral("writing"));
        helper.kill();
        QVERIFY(helper.waitForFinished());
        const QStringList found = verify();
        QVERIFY(!found.isEmpty());
        QVERIFY(install(QStringLiteral("full.7z"), setupmanager::RecordMode::Update, found));
        QCOMPARE(verify(), QStringList());
    }

    void incrementalPackageKeepsTheRecord()
    {
        installOriginal();
        QVERIFY(writeFile(work("inc/Data/b.bin"), "b, version two"));
        QVERIFY(writeFile(work("inc/new.txt"), "new"));
        QVERIFY(writeFile(work("inc/deletefiles.txt"), "sub/c.txt\n"));
        QVERIFY(pack(work("inc"), work("inc.zip"), { "-tzip" }));
        QVERIFY(install(QStringLiteral("inc.zip"), setupmanager::RecordMode::Update));
        InstallRecord record;
        QVERIFY(record.load(game()));
        QCOMPARE(record.entries().keys(),
            QStringList({ "Data/a.bin", "Data/b.bin", "empty.txt", "game.exe", "new.txt" }));
        QCOMPARE(verify(), QStringList());

        // Part of a game is no record of it: an older install stays without.
        QVERIFY(QFile::remove(InstallRecord::pathIn(game())));
        QVERIFY(install(QStringLiteral("inc.zip"), setupmanager::RecordMode::Update));
        bool hasRecord = true;
        QCOMPARE(verify(&hasRecord), QStringList());
        QVERIFY(!hasRecord);
    }
};

TESSARIL_TEST_MAIN(tst_InstallRecord)
#include "tst_installrecord.moc"
