#include "net/updateversioninfo.h"
#include "tests/support/servicestub.h"
#include "tests/support/testenvironment.h"

#include <QJsonDocument>
#include <QtTest>

namespace {

QJsonObject latest(const QString &path)
{
    return { { "path", path }, { "version", "2.1.0" }, { "entry", "Quorvela.exe" },
        { "md5", "ABCDEF" } };
}

const QJsonArray kDiffs {
    QJsonObject { { "version", "2.0.0" }, { "md5", "d5" }, { "size", "3221225472" },
        { "path", "https://cdn.example/d.zip" } },
    QJsonObject {
        { "version", "1.9.0" }, { "size", 1024 }, { "path", "https://cdn.example/n.zip" } },
};

// The size in the manifest (also given to a diff), the status of the
// package's HEAD, the size then known, and whether the HEAD is sent (once,
// announcing 5 GiB).
using Size = std::tuple<QJsonValue, int, qint64, bool>;
using Package = std::tuple<QString, QString, bool>;

} // namespace

Q_DECLARE_METATYPE(Size)
Q_DECLARE_METATYPE(Package)

// What a hostile or broken manifest carries must not cost a download, start
// a program outside the install folder, or undo what an earlier reply said.
class tst_UpdateVersionInfo : public QObject
{
    Q_OBJECT

private:
    HttpTestServer m_packages;
    QString m_package = m_packages.url(QStringLiteral("/game.7z"));

private slots:
    void sizes_data()
    {
        QTest::addColumn<Size>("row");
        const qint64 fiveGiB = 5368709120LL;
        QTest::newRow("number") << Size { 1073741824, 200, 1073741824, false };
        QTest::newRow("text beyond 32 bits") << Size { "5368709120", 200, fiveGiB, false };
        QTest::newRow("missing") << Size { QJsonValue(), 200, fiveGiB, true };
        QTest::newRow("missing, a length with a 404 is none")
            << Size { QJsonValue(), 404, 0, true };
        QTest::newRow("negative") << Size { -1, 200, fiveGiB, true };
        QTest::newRow("beyond 2^50") << Size { 1125899906842625.0, 200, fiveGiB, true };
        QTest::newRow("trailing junk") << Size { "12abc", 200, fiveGiB, true };
    }

    void sizes()
    {
        QFETCH(Size, row);
        const auto [size, headStatus, expected, asked] = row;
        HttpRoute package;
        package.status = headStatus;
        package.contentLength = 5368709120LL;
        m_packages.route(QStringLiteral("/game.7z"), package);
        m_packages.clearRequests();
        QJsonObject game = latest(m_package);
        QJsonObject diff { { "version", "1.0.0" }, { "path", m_package } };
        if (!size.isNull()) {
            game.insert(QStringLiteral("size"), size);
            diff.insert(QStringLiteral("size"), size);
        }

        UpdateVersionInfo info;
        QSignalSpy known(&info, &UpdateVersionInfo::latestSizeKnown);
        info.parseGameInfo(manifest(game, { diff }));
        QCOMPARE(info.latestSize(), asked ? 0 : expected);
        // Diffs take their size from text only.
        QCOMPARE(info.getSize(QStringLiteral("1.0.0")), size.isString() && !asked ? expected : 0);
        if (asked)
            QTRY_COMPARE(m_packages.requests().size(), 1);
        QVERIFY(m_packages.settle()); // nothing more is on its way
        QCOMPARE(m_packages.requests().size(), asked ? 1 : 0);
        if (!asked)
            return;
        QCOMPARE(m_packages.requests().first().method, QByteArray("HEAD"));
        QTRY_COMPARE(known.count(), expected > 0 ? 1 : 0);
        QCOMPARE(info.latestSize(), expected);
    }

    // An unknown version falls back to the full package. Later replies add
    // to the diffs, always overwrite the latest fields, but keep the first
    // forced update and web address; content keeps what a reply leaves out.
    void fallbacksAndLaterReplies()
    {
        UpdateVersionInfo info;
        QJsonObject game = latest(QStringLiteral("https://cdn.example/game.zip"));
        game.insert(QStringLiteral("size"), 100);
        const QJsonObject plugin { { "plugins",
            QJsonArray { QJsonObject { { "path", "https://cdn.example/plugin.zip" } } } } };
        const QJsonObject forced { { "min_version", "2.0.0.0" }, { "url", "https://f" } };
        info.parseGameInfo(manifest(game, kDiffs,
            { { "plugin", plugin }, { "force_update", forced }, { "web_url", "https://first" } }));
        QCOMPARE(info.getSize(QStringLiteral("2.0.0")), 3221225472LL);
        QCOMPARE(info.getSize(QString()), 100);
        QCOMPARE(QStringList({ info.getUrl(QStringLiteral("2.0.0")),
                     info.getMd5(QStringLiteral("2.0.0")), info.getUrl(QString()),
                     info.getUrl(QStringLiteral("0.1")), info.getMd5(QStringLiteral("0.1")) }),
            QStringList({ "https://cdn.example/d.zip", "d5", "https://cdn.example/game.zip",
                "https://cdn.example/game.zip", "ABCDEF" }));
        QCOMPARE(info.plugins().size(), 1);

        info.parseGameInfo(manifest({},
            { QJsonObject {
                { "version", "2.0.0" }, { "path", "https://x/new.zip" }, { "size", "5" } } },
            { { "web_url", "https://second" } }));
        QVERIFY(info.plugins().isEmpty());
        QCOMPARE(QStringList({ info.getUrl(QStringLiteral("2.0.0")),
                     info.getUrl(QStringLiteral("1.9.0")), info.latestVersion(), info.minVersion(),
                     info.forceUpdateUrl(), info.webUrl() }),
            QStringList({ "https://x/new.zip", "https://cdn.example/n.zip", "", "2.0.0.0",
                "https://f", "https://first" }));

        info.parseContent(contentReply({ { "background", "https://bg.png" },
            { "url", "https://go" }, { "icon", "https://i" } }));
        info.parseContent(contentReply({ { "url", "https://go2" } }));
        QCOMPARE(QStringList({ info.background(), info.bannerUrl(), info.bannerIcon() }),
            QStringList({ "https://bg.png", "https://go2", "https://i" }));
    }

    void brokenAndHostileBodiesChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("not json") << QByteArray("<html>502 Bad Gateway</html>");
        QTest::newRow("50 MB of garbage") << QByteArray(50 * 1024 * 1024, '{');
    }

    void brokenAndHostileBodiesChangeNothing()
    {
        QFETCH(QByteArray, body);
        UpdateVersionInfo info;
        QJsonObject game = latest(m_package);
        game.insert(QStringLiteral("size"), 7);
        info.parseGameInfo(manifest(game, kDiffs, { { "web_url", "https://w" } }));
        info.parseGameInfo(body);
        info.parseContent(body);
        QCOMPARE(QVariantList({ info.latestVersion(), info.latestSize(),
                     info.getSize(QStringLiteral("2.0.0")), info.webUrl() }),
            QVariantList({ "2.1.0", qint64(7), qint64(3221225472LL), "https://w" }));
    }

    // A package whose check is no MD5 cannot be verified; the entry is a
    // program started from the install folder, so only a plain name is kept.
    void packageProblemsAndEntry_data()
    {
        QTest::addColumn<Package>("row"); // the MD5, the entry, whether it may be installed
        auto row = [](const char *name, const char *md5, const char *entry, bool usable) {
            QTest::newRow(name) << Package { md5, entry, usable };
        };
        row("empty: unverified but usable", "", "Quorvela.x86_64", true);
        row("upper hex", "0123456789ABCDEF0123456789ABCDEF", "Quorvela.exe", true);
        row("not hex", "0123456789abcdef0123456789abcdeg", "Quorvela.exe", false);
    }

    void packageProblemsAndEntry()
    {
        QFETCH(Package, row);
        const auto [md5, entry, usable] = row;
        UpdateVersionInfo info;
        const QJsonObject package { { "version", "1.0.0" }, { "path", m_package }, { "md5", md5 },
            { "size", "10" }, { "entry", entry } };
        info.parseGameInfo(manifest(package, { package }));
        QCOMPARE(info.packageProblem(QString()),
            usable ? QString() : QStringLiteral("message_package_md5_invalid"));
        QCOMPARE(info.packageProblem(QStringLiteral("1.0.0")).isEmpty(), usable);
        QCOMPARE(info.latestEntry(), entry.contains('/') ? QString() : entry);
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QStringList>("names"); // the file name and its base name
        auto row = [](const char *url, QStringList names) {
            QTest::newRow(url) << QString(url) << names;
        };
        row("https://cdn/x/my%20game.7z?sig=1", { "my game.7z", "my game" });
        row("", { "", "" });
    }

    void fileNames()
    {
        QFETCH(QString, url);
        QTEST(
            QStringList({ UpdateVersionInfo::fileName(url), UpdateVersionInfo::fileBaseName(url) }),
            "names");
    }
};

TESSARIL_TEST_MAIN(tst_UpdateVersionInfo)
#include "tst_updateversioninfo.moc"
