#include "core/buildinfo.h"
#include "core/launcherconfig.h"
#include "dialogs/cdlgyesno.h"
#include "net/updateversioninfo.h"
#include "setup/setupmanager.h"
#include "tests/support/guitestenvironment.h"
#include "tests/support/httptestserver.h"
#include "tests/support/zipwriter.h"
#include "viewmodel/mainviewmodel.h"

#include <QCryptographicHash>
#include <QDesktopServices>
#include <QDirIterator>
#include <QPushButton>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QString kResource = QStringLiteral("/qx7a_global/zqk/launcher/api/resource");
const QString kContent = QStringLiteral("/qx7a_global/zqk/launcher/api/content");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// Every entry below root with its kind, mode, size and checksum, links not
// followed: what "nothing changed" means.
QStringList listing(const QString &root, const QStringList &mayChange)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.mid(root.size() + 1);
        bool skipped = false;
        for (const QString &prefix : mayChange)
            skipped
                = skipped || relative == prefix || relative.startsWith(prefix + QLatin1Char('/'));
        if (skipped)
            continue;
        struct stat info;
        ::lstat(QFile::encodeName(path).constData(), &info);
        const QFileInfo file(path);
        const QString what = file.isSymLink() ? QStringLiteral("link ") + file.symLinkTarget()
            : file.isDir()
            ? QStringLiteral("dir")
            : QString::fromLatin1(
                QCryptographicHash::hash(readAll(path), QCryptographicHash::Md5).toHex());
        lines << QStringLiteral("%1 %2 %3").arg(relative).arg(info.st_mode, 0, 8).arg(what);
    }
    lines.sort();
    return lines;
}

} // namespace

// Hostile replies and packages through the real view model: whatever they
// name, nothing outside the install folder changes, and in the program folder
// only the launcher's own settings and image cache may.
class tst_HostileInput : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    HttpTestServer m_services;
    QString m_program;
    QString m_game;
    QTimer m_answerer;
    QStringList m_messages;
    bool m_confirm = false;
    QList<QUrl> m_opened;

public slots:
    void open(const QUrl &url) { m_opened << url; }

    QByteArray manifest(const QString &path, const QString &extra = QString(),
        const QString &plugin = QString()) const
    {
        return QStringLiteral("{\"data\":{\"game\":{\"latest\":{\"version\":\"9.0.0\","
                              "\"path\":\"%1\",\"size\":\"4096\"%2}}%3}}")
            .arg(path, extra,
                plugin.isEmpty() ? QString()
                                 : QStringLiteral(",\"plugin\":{\"plugins\":[{\"path\":\"%1\"}]}")
                                       .arg(m_services.url(plugin)))
            .toUtf8();
    }

    QStringList before() const
    {
        return listing(m_root.path(),
            { QStringLiteral("program/Tessaril Game"), QStringLiteral("program/cache"),
                QStringLiteral("program/config.ini"), QStringLiteral("program/tools") });
    }

    // Runs a model from start until it settles again after the get button,
    // which waits for the file first when one is named, and until done.
    void install(
        bool pressGet = true, const QString &first = {},
        const std::function<bool(MainViewModel &)> &done = [](MainViewModel &) { return true; })
    {
        MainViewModel model;
        model.setProgramFolder(m_program);
        model.initialize();
        QTRY_VERIFY(model.gameState() != MainViewModel::Checking);
        QTRY_VERIFY(first.isEmpty() || QFileInfo::exists(first));
        if (pressGet) {
            model.installEnsureBtnClicked();
            QTRY_VERIFY_WITH_TIMEOUT(model.gameState() != MainViewModel::Downloading
                    && model.gameState() != MainViewModel::Verifying
                    && model.gameState() != MainViewModel::Installing,
                10000);
        }
        // Whatever the content reply asked for has been fetched or refused.
        QVERIFY(m_services.settle());
        model.openExternalUrl(model.btnMoreActiveJumpUrl());
        QTRY_VERIFY(done(model));
    }

private slots:
    void initTestCase()
    {
        m_program = m_root.filePath(QStringLiteral("program"));
        m_game = m_program + QStringLiteral("/Tessaril Game");
        for (const char *name : { "TessarilLauncher", "7z.so", "language/i18n_en.qm",
                 "Tessaril Game/Quorvela.exe", "updateProgram/Update", "tessaril-files.txt" })
            QVERIFY(writeFile(m_program + QLatin1Char('/') + QLatin1String(name), name));
        QVERIFY(writeFile(m_root.filePath(QStringLiteral("outside/victim.txt")), "keep me"));
        QVERIFY(writeFile(m_root.filePath(QStringLiteral("outside/run.sh")),
            "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\"\n"));
        QFile::setPermissions(m_root.filePath(QStringLiteral("outside/run.sh")),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        qputenv("TESSARIL_CONTENT_ORIGIN", m_services.origin().toUtf8());
        qputenv("TESSARIL_REPORT_ORIGIN", m_services.origin().toUtf8());
        qputenv("TESSARIL_RELEASE_ORIGIN", m_services.origin().toUtf8());
        m_services.route(QStringLiteral("/client_report"), "{}");
        m_services.route(kContent, "{\"data\":{\"adv\":{}}}");
        LauncherConfig::useFile(m_program + QStringLiteral("/config.ini"));
        LauncherConfig::instance()->setGameInstallPath(m_game);

        // Every message is answered with cancel and kept for the checks.
        connect(&m_answerer, &QTimer::timeout, this, [this] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (auto *dialog = qobject_cast<CDlgYesNo *>(widget);
                    dialog && dialog->isVisible()) {
                    m_messages << dialog->windowTitle();
                    dialog
                        ->findChild<QPushButton *>(
                            m_confirm ? QStringLiteral("btn_ok") : QStringLiteral("btn_cancel"))
                        ->click();
                }
            }
        });
        m_answerer.start(20);
        for (const char *scheme : { "http", "https", "file" })
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }

    void init()
    {
        m_messages.clear();
        LauncherConfig::instance()->setGameVersion(QString());
        // A package an earlier case left behind would be taken as downloaded.
        QFile::remove(m_game + QStringLiteral("/game.zip"));
        QFile::remove(m_game + QStringLiteral("/game.zip_tmp"));
    }

    void hostileReplies_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("package");
        QTest::addColumn<QString>("extra");
        const QString image
            = QStringLiteral("{\"data\":{\"adv\":{\"background\":\"%1\","
                             "\"icon\":\"%2\",\"url\":\"https://news.example/\"}}}");
        QTest::newRow("images named as the program's files")
            << image.arg(QStringLiteral("/img/config.ini"), QStringLiteral("/img/7z.so"))
            << QString() << QString();
        QTest::newRow("images named as the launcher and a climb")
            << image.arg(QStringLiteral("/img/TessarilLauncher"),
                   QStringLiteral("/img/..%2F..%2Foutside%2Fvictim.txt"))
            << QString() << QString();
        QTest::newRow("package name with backslashes")
            << QString() << QStringLiteral("/pkg/..%5C..%5Coutside%5Cvictim.txt") << QString();
        QTest::newRow("package without a name")
            << QString() << QStringLiteral("/pkg/") << QString();
        QTest::newRow("package redirected to the game's name")
            << QString() << QStringLiteral("/pkg/game.zip") << QString();
        QTest::newRow("entry leading out") << QString() << QStringLiteral("/pkg/game.zip")
                                           << QStringLiteral(",\"entry\":\"../../outside/run.sh\"");
        QTest::newRow("activity link to a local file")
            << QStringLiteral("{\"data\":{\"adv\":{\"url\":\"file:///tmp/evil.desktop\"}}}")
            << QString() << QString();
        QTest::newRow("md5 that is no md5")
            << QString() << QStringLiteral("/pkg/game.zip") << QStringLiteral(",\"md5\":\"zz\"");
    }

    void hostileReplies()
    {
        QFETCH(QString, content);
        QFETCH(QString, package);
        QFETCH(QString, extra);
        for (const char *name : { "/img/config.ini", "/img/7z.so", "/img/TessarilLauncher",
                 "/img/..%2F..%2Foutside%2Fvictim.txt" })
            m_services.route(QLatin1String(name), "planted");
        HttpRoute redirect;
        redirect.status = 302;
        redirect.reason = "Found";
        redirect.location = m_services.url(QStringLiteral("/cdn/Quorvela.exe")).toUtf8();
        m_services.route(QStringLiteral("/pkg/game.zip"), redirect);
        m_services.route(QStringLiteral("/cdn/Quorvela.exe"), "planted");
        m_services.route(kContent,
            content.isEmpty()
                ? QByteArray("{\"data\":{\"adv\":{}}}")
                : content.replace(QStringLiteral("/img/"), m_services.url(QStringLiteral("/img/")))
                      .toUtf8());
        m_services.route(kResource,
            manifest(package.isEmpty() ? m_services.url(QStringLiteral("/none.zip"))
                                       : m_services.url(package),
                extra));
        const QStringList was = before();
        const QByteArray game = readAll(m_game + QStringLiteral("/Quorvela.exe"));
        m_services.clearRequests();
        m_opened.clear();

        // An image is fetched to the cache while the model lives.
        install(!package.isEmpty(), QString(), [&](MainViewModel &) {
            return !content.contains(QLatin1String("config.ini"))
                || readAll(m_program + QStringLiteral("/cache/config.ini")) == "planted";
        });
        {
            MainViewModel started;
            started.setProgramFolder(m_program);
            started.gameInfo()->parseGameInfo(manifest(QString(), extra));
            started.startGameBtnClicked();
        }
        QCOMPARE(before(), was);
        QCOMPARE(readAll(m_game + QStringLiteral("/Quorvela.exe")), game);
        QVERIFY(!QFileInfo::exists(m_root.filePath(QStringLiteral("outside/ran"))));
        for (const QUrl &url : qAsConst(m_opened))
            QVERIFY2(url.scheme().startsWith(QLatin1String("http")), qPrintable(url.toString()));
        if (extra.contains(QLatin1String("md5")))
            QVERIFY(m_services.requestsFor(QStringLiteral("/pkg/game.zip")).isEmpty());
    }

    void hostilePackages_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("items climbing out") << 0;
        QTest::newRow("a link out, then a file through it") << 1;
        QTest::newRow("the install folder's own mode") << 2;
        QTest::newRow("delete list reaching out") << 3;
        QTest::newRow("metadata folder linked out") << 4;
        QTest::newRow("plugin over the program's files") << 5;
        QTest::newRow("plugin's delete list reaching out") << 6;
        QTest::newRow("plugin named as the engine") << 7;
        QTest::newRow("image named as the package being resumed") << 8;
        QTest::newRow("entry's name running elsewhere, ending it confirmed") << 9;
        QTest::newRow("modes that lock out, list that is a folder") << 10;
        QTest::newRow("item refused below new folders") << 11;
    }

    void hostilePackages()
    {
        QFETCH(int, kind);
        ZipWriter zip;
        zip.addFile("data/ok.txt", "fine");
        switch (kind) {
        case 0:
            zip.addFile("../../outside/victim.txt", "overwritten");
            zip.addFile(
                "/tmp/../" + QFile::encodeName(m_root.filePath(QStringLiteral("outside/abs.txt"))),
                "x");
            zip.addFile("..\\..\\outside\\win.txt", "x");
            break;
        case 1:
            zip.addSymlink("escape", QFile::encodeName(m_root.filePath(QStringLiteral("outside"))));
            zip.addFile("escape/victim.txt", "overwritten");
            break;
        case 2:
            zip.addFile("./", QByteArray(), 040777);
            zip.addFile("sub/", QByteArray(), 040000);
            zip.addFile("sub/file.txt", "x", 0100666);
            break;
        case 3:
            zip.addFile("deletefiles.txt",
                "../../outside/victim.txt\n/../../outside/victim.txt\nescape2/victim.txt\n");
            zip.addSymlink("escape2", "../../outside");
            break;
        case 4:
            zip.addSymlink("Quorvela_Data", "../../outside");
            break;
        case 10: // as made on Windows: no exec bit, a locked folder, a list that is a folder
            zip.addFile("Quorvela.exe", "#!/bin/sh\n", 0100644);
            zip.addFile("locked/", QByteArray(), 040000);
            zip.addFile("locked/f.txt", "x", 0100000);
            zip.addFile("deletefiles.txt/x", "x");
            break;
        case 11: // refused once its folders were made
            zip.addFile("deep/er/" + QByteArray(300, 'x'), "x");
            break;
        }
        // Items over the program's files, or confined to the plugin's folder
        // with a delete list reaching out of it.
        ZipWriter plugin;
        const QByteArray inside = kind == 6 ? "tools/" : "";
        for (const char *name :
            { "7z.so", "config.ini", "TessarilLauncher", "updateProgram/Update" })
            plugin.addFile(inside + name, "planted");
        plugin.addFile(inside + "deletefiles.txt",
            "7z.so\nTessarilLauncher\n../tessaril-files.txt\n../updateProgram/Update\n");
        const QString served = m_root.filePath(QStringLiteral("served.zip"));
        QVERIFY(plugin.save(served));
        m_services.route(QStringLiteral("/pkg/tools.zip"), readAll(served));
        m_services.route(QStringLiteral("/pkg/7z.so"), "planted");
        QVERIFY(zip.save(served));
        const QByteArray package = readAll(served);
        m_services.route(QStringLiteral("/pkg/game.zip"), package);
        QFile::remove(served);
        m_services.route(kContent,
            QStringLiteral("{\"data\":{\"adv\":{\"background\":\"%1\"}}}")
                .arg(m_services.url(QStringLiteral("/pkg/game.zip")))
                .toUtf8());
        const QString pluginUrl = kind == 5 || kind == 6 ? QStringLiteral("/pkg/tools.zip")
            : kind == 7                                  ? QStringLiteral("/pkg/7z.so")
                                                         : QString();
        m_services.route(kResource,
            manifest(m_services.url(QStringLiteral("/pkg/game.zip")), QString(), pluginUrl)
                .replace("\"4096\"", "\"0\""));
        // Half the package is in, as an earlier version recorded it.
        const int resumeAt = package.size() / 2;
        if (kind == 8) {
            QVERIFY(writeFile(m_game + QStringLiteral("/game.zip_tmp"),
                package.left(resumeAt) + QByteArray(package.size() - resumeAt, '\0')));
            QSettings(QLatin1String(kOrganizationName), QLatin1String(kApplicationName))
                .setValue(QStringLiteral("game.zip/0"), resumeAt);
        }
        // Another program of the player's under the entry's name, not the game.
        QProcess other;
        const QString otherPath = m_root.filePath(QStringLiteral("outside/Quorvela.exe"));
        if (kind == 9) {
            QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), otherPath));
            other.start(otherPath, { QStringLiteral("60") });
            QVERIFY(other.waitForStarted());
        }
        const QStringList was = before();
        const QFile::Permissions folderMode = QFileInfo(m_game).permissions();
        m_services.clearRequests();

        m_confirm = kind == 9;
        const QString cached = m_program + QStringLiteral("/cache/");
        install(true, kind == 8 ? cached + QStringLiteral("game.zip") : QString(),
            [pluginUrl](MainViewModel &model) {
                // The plugin's extraction, the only thread the model owns, ended.
                const auto *plugin = model.findChild<setupmanager *>();
                return pluginUrl.isEmpty() || (plugin && plugin->isFinished());
            });
        m_confirm = false;
        if (kind == 6)
            QVERIFY(QFileInfo::exists(m_program + QStringLiteral("/tools/updateProgram/Update")));
        if (kind == 9) {
            QCOMPARE(other.state(), QProcess::Running);
            other.kill();
            other.waitForFinished();
        }
        if (kind == 8) {
            const auto gets = m_services.requestsFor(QStringLiteral("/pkg/game.zip"));
            QVERIFY(!gets.isEmpty());
            QVERIFY(gets.last().headers.value("range").startsWith(
                "bytes=" + QByteArray::number(resumeAt) + '-'));
        }
        // The package was unpacked; what it aimed elsewhere stayed out.
        QTRY_VERIFY(QFileInfo::exists(m_game + QStringLiteral("/data/ok.txt")));
        QCOMPARE(before(), was);
        QCOMPARE(QFileInfo(m_game).permissions(), folderMode);
        if (kind == 10) {
            QVERIFY(QFileInfo(m_game + QStringLiteral("/Quorvela.exe")).isExecutable());
            const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner;
            QVERIFY(QFileInfo(m_game + QStringLiteral("/locked")).permissions() & QFile::ExeOwner);
            QVERIFY((QFileInfo(m_game + QStringLiteral("/locked/f.txt")).permissions() & owner)
                == owner);
            QTRY_VERIFY(!QFileInfo::exists(m_game + QStringLiteral("/deletefiles.txt")));
            QCOMPARE(LauncherConfig::instance()->gameVersion(), QStringLiteral("9.0.0"));
        }
        QVERIFY(!QFileInfo::exists(m_game + QStringLiteral("/deep")));
    }
};

TESSARIL_GUI_TEST_MAIN(tst_HostileInput)
#include "tst_hostileinput.moc"
