#include "setup/extractjob.h"
#include "setup/installrecord.h"
#include "setup/setupmanager.h"
#include "setup/verifyjob.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

#include <functional>

namespace {

using Damage = std::function<void(const QString &game, const QString &work)>;

const QDateTime kUntouched(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
const QStringList kOriginal = { QStringLiteral("Data/a.bin"), QStringLiteral("Data/b.bin"),
    QStringLiteral("empty.txt"), QStringLiteral("game.exe"), QStringLiteral("sub/c.txt") };

void setModified(const QString &path, const QDateTime &time)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace

Q_DECLARE_METATYPE(Damage)

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
        InstallRecord record;
        QVERIFY(record.load(game()));
        QCOMPARE(record.entries().keys(), kOriginal);
        for (const QString &path : kOriginal)
            setModified(game(path), kUntouched);
    }

private slots:
    void init() { m_work = std::make_unique<QTemporaryDir>(); }

    void damageIsFoundAndRepairedAlone_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<QString>("damaged");
        QTest::newRow("flipped byte") << Damage([](const QString &game, const QString &) {
            QByteArray data = readFile(game + "Data/a.bin");
            data[1000] = char(data.at(1000) ^ 0x10);
            QVERIFY(writeFile(game + "Data/a.bin", data));
        }) << "Data/a.bin";
        QTest::newRow("truncated") << Damage([](const QString &game, const QString &) {
            QVERIFY(QFile::resize(game + "Data/b.bin", 100));
        }) << "Data/b.bin";
        QTest::newRow("deleted") << Damage([](const QString &game, const QString &) {
            QVERIFY(QFile::remove(game + "sub/c.txt"));
        }) << "sub/c.txt";
        // Same bytes behind the link: only the link itself gives it away.
        QTest::newRow("link") << Damage([](const QString &game, const QString &work) {
            QVERIFY(QFile::rename(game + "game.exe", work + "/game.exe"));
            QVERIFY(QFile::link(work + "/game.exe", game + "game.exe"));
        }) << "game.exe";
        QTest::newRow("folder") << Damage([](const QString &game, const QString &) {
            QVERIFY(QFile::remove(game + "empty.txt"));
            QVERIFY(QDir().mkpath(game + "empty.txt"));
        }) << "empty.txt";
        QTest::newRow("none, a player's file") << Damage() << QString();
    }

    void damageIsFoundAndRepairedAlone()
    {
        QFETCH(Damage, damage);
        QFETCH(QString, damaged);
        installOriginal();
        QVERIFY(writeFile(game("mods/mine.txt"), "mine"));
        if (damage)
            damage(game(), m_work->path());
        const QStringList found = verify();
        QCOMPARE(found, damaged.isEmpty() ? QStringList() : QStringList { damaged });
        if (!found.isEmpty())
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
