#include "core/filenames.h"

#include <QtTest>

class tst_FileNames : public QObject
{
    Q_OBJECT

private slots:
    void plainNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("plain");
        QTest::newRow("spaces and unicode") << QStringLiteral("ゲーム 1.zip") << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("slash") << "a/b.7z" << false;
        QTest::newRow("backslash climb") << "..\\..\\x.7z" << false;
        QTest::newRow("drive") << "C:x.7z" << false;
        QTest::newRow("nul") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << false;
    }

    void plainNames()
    {
        QFETCH(QString, name);
        QTEST(FileNames::isPlain(name), "plain");
    }

    void linksAreFollowedOutOfTheFolder()
    {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("game")));
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("outside")));
        const QString game = root.filePath(QStringLiteral("game"));
        QVERIFY(QFile::link(
            root.filePath(QStringLiteral("outside/run.sh")), game + QStringLiteral("/run.sh")));
        QVERIFY(!FileNames::staysInside(game, game + QStringLiteral("/run.sh")));
        QVERIFY(FileNames::staysInside(game, game + QStringLiteral("/Quorvela.exe")));
        QVERIFY(FileNames::staysInside(game, game + QStringLiteral("/not/yet/there")));
        QVERIFY(!FileNames::staysInside(game, game + QStringLiteral("/../outside/x")));
        // A sibling whose name starts with the folder's is not inside it.
        QVERIFY(!FileNames::staysInside(game, root.filePath(QStringLiteral("gameover"))));
    }
};

QTEST_APPLESS_MAIN(tst_FileNames)
#include "tst_filenames.moc"
