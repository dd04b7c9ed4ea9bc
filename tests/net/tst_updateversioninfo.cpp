#include "net/updateversioninfo.h"
#include "tests/net/manifestfixtures.h"
#include "tests/support/httptestserver.h"
#include "tests/support/testenvironment.h"

#include <QtTest>

class tst_UpdateVersionInfo : public QObject
{
    Q_OBJECT

private:
    HttpTestServer m_packages;

    QByteArray manifest(const QString &latestSize, const QString &extra = QString()) const
    {
        return QString::fromUtf8(fixtures::kManifestTemplate)
            .arg(m_packages.url(QStringLiteral("/game_2.1.0.zip")),
                latestSize.isEmpty() ? QString() : QStringLiteral(",\"size\":") + latestSize, extra)
            .toUtf8();
    }

private slots:
    void missingSizeIsAskedOnceWithHead_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<qint64>("size");
        QTest::newRow("beyond 32 bits") << 200 << qint64(5368709120LL);
        QTest::newRow("a length with a 404 is none") << 404 << qint64(0);
    }

    void missingSizeIsAskedOnceWithHead()
    {
        QFETCH(int, status);
        QFETCH(qint64, size);
        HttpRoute package;
        package.status = status;
        package.contentLength = 5368709120LL;
        m_packages.route(QStringLiteral("/game_2.1.0.zip"), package);
        m_packages.clearRequests();

        UpdateVersionInfo info;
        QSignalSpy known(&info, &UpdateVersionInfo::latestSizeKnown);
        info.parseGameInfo(manifest(QString()));
        QCOMPARE(info.latestSize(), 0);
        QTRY_COMPARE(m_packages.requests().size(), 1);
        QVERIFY(m_packages.settle()); // the HEAD was answered first
        QTRY_COMPARE(known.count(), size > 0 ? 1 : 0);
        QCOMPARE(info.latestSize(), size);
        QCOMPARE(m_packages.requests().size(), 1);
        QCOMPARE(m_packages.requests().first().method, QByteArray("HEAD"));
    }

    void diffsAndFallbacks()
    {
        UpdateVersionInfo info;
        info.parseGameInfo(manifest(QStringLiteral("100")));
        QCOMPARE(info.latestVersion(), QStringLiteral("2.1.0"));
        QCOMPARE(info.latestEntry(), QStringLiteral("Quorvela.exe"));
        QCOMPARE(info.getSize(QStringLiteral("2.0.0")), 3221225472LL);
        QCOMPARE(info.getUrl(QStringLiteral("2.0.0")), QStringLiteral("https://cdn.example/d.zip"));
        QCOMPARE(info.getMd5(QStringLiteral("2.0.0")), QStringLiteral("d5"));
        QCOMPARE(info.getSize(QStringLiteral("1.9.0")), 0); // a JSON number is no size here
        QCOMPARE(info.getUrl(QString()), info.latestPath());
        QCOMPARE(info.getUrl(QStringLiteral("0.1")), info.latestPath());
        QCOMPARE(info.getMd5(QStringLiteral("0.1")), QStringLiteral("ABCDEF"));
        QCOMPARE(info.getSize(QString()), 100);
        QCOMPARE(info.plugins().size(), 1);
        QCOMPARE(info.plugins().first().toMap().value(QStringLiteral("path")).toString(),
            QStringLiteral("https://cdn.example/plugin.zip"));

        // Later replies add to the diffs and overwrite entries of the same version.
        info.parseGameInfo(fixtures::kLaterDiff);
        QCOMPARE(info.getUrl(QStringLiteral("2.0.0")), QStringLiteral("https://x/new.zip"));
        QCOMPARE(info.getUrl(QStringLiteral("1.9.0")), QStringLiteral("https://cdn.example/n.zip"));
        QVERIFY(info.latestVersion().isEmpty()); // the latest fields are always overwritten
        QVERIFY(info.plugins().isEmpty());
    }

    void forceUpdateAndWebUrlKeepRules()
    {
        UpdateVersionInfo info;
        info.parseGameInfo(
            manifest(QStringLiteral("1"), QString::fromUtf8(fixtures::kForceUpdateAndWebUrl)));
        QCOMPARE(info.minVersion(), QStringLiteral("2.0.0.0"));
        QCOMPARE(info.webUrl(), QStringLiteral("https://first"));
        info.parseGameInfo(
            manifest(QStringLiteral("1"), QString::fromUtf8(fixtures::kSecondWebUrl)));
        QCOMPARE(info.minVersion(), QStringLiteral("2.0.0.0"));
        QCOMPARE(info.forceUpdateUrl(), QStringLiteral("https://f"));
        QCOMPARE(info.webUrl(), QStringLiteral("https://first"));
    }

    void contentOverwritesOnlyPresentKeys()
    {
        UpdateVersionInfo info;
        info.parseContent(fixtures::kContentFull);
        info.parseContent(fixtures::kContentUrlOnly);
        QCOMPARE(info.background(), QStringLiteral("https://bg.png"));
        QCOMPARE(info.bannerUrl(), QStringLiteral("https://go2"));
        QCOMPARE(info.bannerIcon(), QStringLiteral("https://i.png"));
    }

    void brokenAndHostileBodiesChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("not json") << QByteArray("<html>502 Bad Gateway</html>");
        QTest::newRow("truncated") << QByteArray(fixtures::kTruncatedManifest);
        QTest::newRow("deeply nested") << (QByteArray(100000, '[') + QByteArray(100000, ']'));
        QTest::newRow("50 MB of garbage") << QByteArray(50 * 1024 * 1024, '{');
    }

    void brokenAndHostileBodiesChangeNothing()
    {
        QFETCH(QByteArray, body);
        UpdateVersionInfo info;
        info.parseGameInfo(manifest(QStringLiteral("7"), QString::fromUtf8(fixtures::kWebUrlOnly)));
        info.parseGameInfo(body);
        info.parseContent(body);
        QCOMPARE(info.latestVersion(), QStringLiteral("2.1.0"));
        QCOMPARE(info.latestSize(), 7);
        QCOMPARE(info.getSize(QStringLiteral("2.0.0")), 3221225472LL);
        QCOMPARE(info.webUrl(), QStringLiteral("https://w"));
    }

    void wrongTypesReadAsDefaults()
    {
        UpdateVersionInfo info;
        info.parseGameInfo(fixtures::kWrongTypes);
        QVERIFY(info.latestVersion().isEmpty());
        QVERIFY(info.latestPath().isEmpty());
        QCOMPARE(info.latestSize(), 0);
        QVERIFY(info.diffs().isEmpty());
        QVERIFY(info.plugins().isEmpty());
        QVERIFY(info.minVersion().isEmpty());
        QCOMPARE(info.webUrl(), QStringLiteral("42"));

        info.parseGameInfo(fixtures::kDataNotAnObject);
        info.parseGameInfo(fixtures::kArrayRoot);
        info.parseGameInfo(fixtures::kLatestWrongTypes);
        QCOMPARE(info.latestSize(), 0);
        QVERIFY(info.latestVersion().isEmpty());
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("base");
        auto row = [](const char *tag, const char *url, const char *name, const char *base) {
            QTest::newRow(tag) << QString::fromLatin1(url) << QString::fromLatin1(name)
                               << QString::fromLatin1(base);
        };
        row("versioned zip", "https://cdn/x/game_2.1.0.zip", "game_2.1.0.zip", "game_2.1.0");
        row("encoded blank", "https://cdn/x/my%20game.7z?sig=1", "my game.7z", "my game");
        row("leading dot only", "https://cdn/x/.hidden", ".hidden", ".hidden");
        row("no dot", "https://cdn/x/package", "package", "package");
        row("empty", "", "", "");
    }

    void fileNames()
    {
        QFETCH(QString, url);
        QFETCH(QString, name);
        QFETCH(QString, base);
        QCOMPARE(UpdateVersionInfo::fileName(url), name);
        QCOMPARE(UpdateVersionInfo::fileBaseName(url), base);
    }
};

TESSARIL_TEST_MAIN(tst_UpdateVersionInfo)
#include "tst_updateversioninfo.moc"
