#include "setup/pathguard.h"

#include <QtTest>

// The guard of one extraction remembers the real folders it has seen; a
// link anywhere below them, already on disk, must still keep an item inside.
class tst_PathGuard : public QObject
{
    Q_OBJECT

private slots:
    void linksBelowFoldersAlreadySeen_data()
    {
        QTest::addColumn<QString>("seen"); // checked first, as an earlier item
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("isFolder");
        QTest::addColumn<bool>("inside");
        auto row = [](const char *name, const char *seen, const char *item, bool isFolder,
                       bool inside) { QTest::newRow(name) << seen << item << isFolder << inside; };
        row("file through a link out", "data/a.txt", "data/out/b.txt", false, false);
        row("folder that is a link out", "data/a.txt", "data/out", true, false);
        row("file that is a link out, replaced not followed", "data/a.txt", "data/out", false,
            true);
        row("file through a link that stays inside", "data/a.txt", "data/home/b.txt", false, true);
    }

    void linksBelowFoldersAlreadySeen()
    {
        QFETCH(QString, seen);
        QFETCH(QString, item);
        QFETCH(bool, isFolder);
        QFETCH(bool, inside);
        QTemporaryDir work;
        const QString root = work.filePath(QStringLiteral("game"));
        const QString outside = work.filePath(QStringLiteral("outside"));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/data/deep")));
        QVERIFY(QDir().mkpath(outside + QStringLiteral("/sub")));
        QVERIFY(QFile::link(outside, root + QStringLiteral("/data/out")));
        QVERIFY(QFile::link(outside, root + QStringLiteral("/data/deep/out")));
        QVERIFY(QFile::link(root, root + QStringLiteral("/data/home")));

        pathguard::Guard guard(root);
        QVERIFY(guard.staysInside(seen, true));
        QCOMPARE(guard.staysInside(item, !isFolder), inside);
        // The same answer as the guard that looks at every component.
        QCOMPARE(pathguard::staysInside(root, item, !isFolder), inside);
    }
};

QTEST_APPLESS_MAIN(tst_PathGuard)
#include "tst_pathguard.moc"
