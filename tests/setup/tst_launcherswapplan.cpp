#include "setup/launcherswap.h"
#include "setup/launcherswapplan.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

#include <functional>

namespace {

// Changes the launcher folder or the unpacked package of one case.
using Prepare = std::function<void(const QString &launcher, const QString &unpacked)>;

} // namespace

Q_DECLARE_METATYPE(Prepare)

// What the end-to-end tests cannot easily make: links, and files or folders
// in the way of a package's files. Nothing moves unless all is sound.
class tst_LauncherSwapPlan : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_work;

    QString launcher() const { return m_work->filePath(QStringLiteral("Launcher")); }
    QString unpacked() const { return LauncherSwap::newFolder(launcher()); }

    // A launcher and a package unpacked beside it, each with the executable,
    // a library and their list.
    void makeVersions(const QByteArray &newList)
    {
        for (const QString &folder : { launcher(), unpacked() }) {
            QVERIFY(writeFile(folder + QStringLiteral("/Launcher"), folder.toUtf8()));
            QVERIFY(writeFile(folder + QStringLiteral("/lib/core.so"), folder.toUtf8()));
        }
        QVERIFY(writeFile(launcher() + QStringLiteral("/tessaril-files.txt"),
            "Launcher\nlib/core.so\ntessaril-files.txt\n"));
        QVERIFY(writeFile(unpacked() + QStringLiteral("/tessaril-files.txt"), newList));
    }

private slots:
    void init() { m_work.reset(new QTemporaryDir); }

    void unsoundPackagesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<Prepare>("prepare");
        QTest::addColumn<QString>("why");

        const QByteArray list = "Launcher\nlib/core.so\nextra\n";
        QTest::newRow("link with an absolute target")
            << list << Prepare([](const QString &, const QString &unpacked) {
                   QFile::link(unpacked + QStringLiteral("/Launcher"), unpacked + "/extra");
               })
            << "lacks extra";
        QTest::newRow("link climbing out")
            << list << Prepare([](const QString &, const QString &unpacked) {
                   writeFile(unpacked + "/../../outside", "x");
                   QFile::link(QStringLiteral("../../outside"), unpacked + "/extra");
               })
            << "lacks extra";
        QTest::newRow("user's folder in the way")
            << list << Prepare([](const QString &launcher, const QString &unpacked) {
                   writeFile(unpacked + "/extra", "new");
                   writeFile(launcher + "/extra/saves.dat", "mine");
               })
            << "a folder is in the way";
        QTest::newRow("user's file where a folder goes")
            << QByteArray("Launcher\nplugins/a.so\n")
            << Prepare([](const QString &launcher, const QString &unpacked) {
                   writeFile(unpacked + "/plugins/a.so", "new");
                   writeFile(launcher + "/plugins", "mine");
               })
            << "a file is in the way";
        QTest::newRow("through a link out of the launcher folder")
            << QByteArray("Launcher\nplugins/a.so\n")
            << Prepare([](const QString &launcher, const QString &unpacked) {
                   writeFile(unpacked + "/plugins/a.so", "new");
                   QDir().mkpath(launcher + "/../elsewhere");
                   QFile::link(launcher + "/../elsewhere", launcher + "/plugins");
               })
            << "would leave the launcher folder";
        QTest::newRow("the game folder set in the settings")
            << QByteArray("Launcher\ngames/mine/save.dat\n")
            << Prepare([](const QString &, const QString &unpacked) {
                   writeFile(unpacked + "/games/mine/save.dat", "new");
               })
            << "file of the user's";
    }

    void unsoundPackagesAreRefused()
    {
        QFETCH(QByteArray, list);
        QFETCH(Prepare, prepare);
        QFETCH(QString, why);
        makeVersions(list);
        if (prepare)
            prepare(launcher(), unpacked());

        LauncherSwapPlan plan;
        plan.protect(QStringLiteral("games/mine"));
        QVERIFY(!plan.build(launcher(), unpacked(), QStringLiteral("Launcher")));
        QVERIFY2(plan.error().contains(why), qPrintable(plan.error()));
        QVERIFY(plan.incoming().isEmpty() && plan.aside().isEmpty());
    }

    // The old version's file "lib" gives way to the new version's folder, and
    // a link between two of the package's files arrives as a link.
    void oldFileGivesWayToNewFolder()
    {
        makeVersions("Launcher\nlib/core.so\nlib/core.so.1\n");
        QFile::remove(launcher() + "/lib/core.so");
        QDir(launcher()).rmdir(QStringLiteral("lib"));
        QVERIFY(writeFile(launcher() + "/lib", "old file"));
        QVERIFY(
            writeFile(launcher() + "/tessaril-files.txt", "Launcher\nlib\ntessaril-files.txt\n"));
        QVERIFY(QFile::link(QStringLiteral("core.so"), unpacked() + "/lib/core.so.1"));

        LauncherSwapPlan plan;
        QVERIFY2(plan.build(launcher(), unpacked(), QStringLiteral("Launcher")),
            qPrintable(plan.error()));
        QCOMPARE(plan.madeFolders(), QStringList { QStringLiteral("lib") });
        LauncherSwap swap(launcher());
        QVERIFY2(swap.run(plan), qPrintable(swap.error()));
        QVERIFY(QFileInfo(launcher() + "/lib/core.so").isFile());
        QCOMPARE(
            QFileInfo(launcher() + "/lib/core.so.1").symLinkTarget(), launcher() + "/lib/core.so");
        QVERIFY(!QFileInfo::exists(LauncherSwap::stagingFolder(launcher())));
    }
};

TESSARIL_TEST_MAIN(tst_LauncherSwapPlan)
#include "tst_launcherswapplan.moc"
