#include "setup/launcherswap.h"
#include "setup/launcherswapplan.h"
#include "tests/support/testdata.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

namespace {

// Entries apart by spaces, each in the launcher folder ("L:") or the unpacked
// package ("U:"): "path=content" makes a file, "path>target" a link to a
// target marked the same way, or else taken as it is.
void make(const QString &launcher, const QString &unpacked, const QString &entries)
{
    const auto at = [&](const QString &marked) {
        const QString folder = marked.startsWith(QLatin1String("L:")) ? launcher
            : marked.startsWith(QLatin1String("U:"))                  ? unpacked
                                                                      : QString();
        return folder.isEmpty() ? marked : folder + QLatin1Char('/') + marked.mid(2);
    };
    for (const QString &entry : entries.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int link = entry.indexOf(QLatin1Char('>'));
        if (link < 0)
            QVERIFY(writeFile(at(entry.section(QLatin1Char('='), 0, 0)),
                entry.section(QLatin1Char('='), 1).toUtf8()));
        else
            QVERIFY(QFile::link(at(entry.mid(link + 1)), at(entry.left(link))));
    }
}

} // namespace

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
        QTest::addColumn<QString>("entries");
        QTest::addColumn<QString>("why");
        const QByteArray list = "Launcher\nlib/core.so\nextra\n";
        const QByteArray plugin = "Launcher\nplugins/a.so\n";
        QTest::newRow("link with an absolute target") << list << "U:extra>U:Launcher"
                                                      << "lacks extra";
        QTest::newRow("link climbing out") << list << "U:../../outside=x U:extra>../../outside"
                                           << "lacks extra";
        QTest::newRow("user's folder in the way") << list << "U:extra=new L:extra/saves.dat=mine"
                                                  << "a folder is in the way";
        QTest::newRow("user's file where a folder goes")
            << plugin << "U:plugins/a.so=new L:plugins=mine"
            << "a file is in the way";
        QTest::newRow("through a link out of the launcher folder")
            << plugin << "U:plugins/a.so=new L:../elsewhere/x= L:plugins>L:../elsewhere"
            << "would leave the launcher folder";
        QTest::newRow("the game folder set in the settings")
            << QByteArray("Launcher\ngames/mine/save.dat\n") << "U:games/mine/save.dat=new"
            << "file of the user's";
    }

    void unsoundPackagesAreRefused()
    {
        QFETCH(QByteArray, list);
        QFETCH(QString, entries);
        QFETCH(QString, why);
        makeVersions(list);
        make(launcher(), unpacked(), entries);
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
        QVERIFY(QDir(launcher() + "/lib").removeRecursively());
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
