#include "setup/stagedinstall.h"
#include "tests/support/testdata.h"

#include <QtTest>

namespace {

// Entries apart by spaces: "path=content" makes a file, "path@" a link to the
// folder outside.
void make(const QString &root, const QString &entries, const QString &outside)
{
    for (const QString &entry : entries.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString path = root + QLatin1Char('/') + entry.section(QLatin1Char('='), 0, 0);
        if (!entry.endsWith(QLatin1Char('@')))
            QVERIFY(writeFile(path, entry.section(QLatin1Char('='), 1).toUtf8()));
        else
            QVERIFY(QDir().mkpath(QFileInfo(path).path()) && QFile::link(outside, path.chopped(1)));
    }
}

} // namespace

class tst_StagedInstall : public QObject
{
    Q_OBJECT

private slots:
    void commitOrDiscard_data()
    {
        QTest::addColumn<QString>("staged");
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("expected"); // empty: refused, the folder stays as it was

        const QString update = QStringLiteral("data/f=new data/new/g=g top=t");
        const QString game = QStringLiteral("data/f=old data/keep=k other=o");
        QTest::newRow("update replaces and keeps")
            << update << game << "data/f=new data/keep=k data/new/g=g other=o top=t";
        QTest::newRow("link in the install folder is replaced") << update << "top@" << update;
        QTest::newRow("staged link") << update + " data/l@" << game << QString();
        QTest::newRow("folder behind a link") << update << "data@" << QString();
        QTest::newRow("file where a folder goes") << update << "data=file" << QString();
        QTest::newRow("into the staging") << ".staging/f=1" << game << QString();
    }

    void commitOrDiscard()
    {
        QFETCH(QString, staged);
        QFETCH(QString, installed);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString outside = dir.filePath(QStringLiteral("outside"));
        QVERIFY(QDir().mkpath(outside));
        const QString install = dir.filePath(QStringLiteral("game"));
        const QString staging = install + QStringLiteral("/.staging");
        make(install, installed, outside);
        const QStringList before = treeListing(install);
        make(staging, staged, outside);

        StagedInstall stagedInstall(staging, install);
        if (expected.isEmpty()) {
            QVERIFY(!stagedInstall.commit());
            QVERIFY(!stagedInstall.errorText().isEmpty());
            QVERIFY(stagedInstall.discard());
        } else {
            QVERIFY2(stagedInstall.commit(), qPrintable(stagedInstall.errorText()));
            QTemporaryDir wanted;
            make(wanted.path(), expected, outside);
            QCOMPARE(treeListing(install), treeListing(wanted.path()));
            return;
        }
        QVERIFY(!QFileInfo::exists(staging));
        QCOMPARE(treeListing(install), before);
        QCOMPARE(treeListing(outside), QStringList());
    }
};

QTEST_APPLESS_MAIN(tst_StagedInstall)
#include "tst_stagedinstall.moc"
