#include "core/buildinfo.h"
#include "core/launcherconfig.h"
#include "setup/setupmanager.h"
#include "tests/support/guitestenvironment.h"
#include "tests/support/servicestub.h"
#include "tests/support/testdata.h"
#include "tests/support/zipwriter.h"
#include "viewmodel/mainviewmodel.h"

#include <QtTest>

// Hostile packages through the real view model: whatever they name, nothing
// outside the install folder changes, and in the program folder only the
// launcher's own settings and image cache may. What one engine refuses on
// its own (names, redirects and checksums of a reply, images named as the
// program's files) is in that engine's tests; these cases need the engines
// together.
class tst_HostileInput : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    ServiceStub m_services;
    QString m_program;
    QString m_game;
    MessageAnswerer m_messages;

    QByteArray gameManifest(const QString &plugin) const
    {
        QJsonObject data;
        if (!plugin.isEmpty())
            data.insert("plugin",
                QJsonObject { { "plugins",
                    QJsonArray { QJsonObject { { "path", m_services.url(plugin) } } } } });
        return manifest({ { "version", "9.0.0" }, { "size", "0" }, { "md5", "" },
                            { "path", m_services.url("/pkg/game.zip") } },
            {}, data);
    }

    QStringList before() const
    {
        return treeListing(m_root.path(),
            { "program/Tessaril Game", "program/cache", "program/config.ini", "program/tools" });
    }

private slots:
    void initTestCase()
    {
        m_program = m_root.filePath("program");
        m_game = m_program + "/Tessaril Game";
        for (const char *name : { "TessarilLauncher", "7z.so", "language/i18n_en.qm",
                 "Tessaril Game/Quorvela.exe", "updateProgram/Update", "tessaril-files.txt" })
            QVERIFY(writeFile(m_program + '/' + name, name));
        QVERIFY(writeFile(m_root.filePath("outside/victim.txt"), "keep me"));
        LauncherConfig::useFile(m_program + "/config.ini");
        LauncherConfig::instance()->setGameInstallPath(m_game);
    }

    void init()
    {
        LauncherConfig::instance()->setGameVersion(QString());
        // A package an earlier case left behind would be taken as downloaded.
        for (const char *name : { "/game.zip", "/game.zip_tmp", "/data/ok.txt" })
            QFile::remove(m_game + name);
    }

    void hostilePackages_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("plugin over the program's files") << "plugin";
        QTest::newRow("plugin's delete list reaching out") << "plugin in tools";
        QTest::newRow("plugin named as the engine") << "engine";
        QTest::newRow("image named as the package being resumed") << "resumed";
        QTest::newRow("game made on Windows, without the exec bit") << "windows";
    }

    void hostilePackages()
    {
        QFETCH(QString, kind);
        ZipWriter zip;
        zip.addFile("data/ok.txt", "fine");
        if (kind == "windows")
            zip.addFile("Quorvela.exe", "#!/bin/sh\n", 0100644);
        // Items over the program's files, or confined to the plugin's folder
        // with a delete list reaching out of it.
        ZipWriter plugin;
        const QByteArray inside = kind == "plugin in tools" ? "tools/" : "";
        for (const char *name :
            { "7z.so", "config.ini", "TessarilLauncher", "updateProgram/Update" })
            plugin.addFile(inside + name, "planted");
        plugin.addFile(inside + "deletefiles.txt",
            "7z.so\nTessarilLauncher\n../tessaril-files.txt\n../updateProgram/Update\n");
        const QString served = m_root.filePath("served.zip");
        QVERIFY(plugin.save(served) && zip.save(served + "2"));
        m_services.route("/pkg/tools.zip", readFile(served));
        m_services.route("/pkg/7z.so", "planted");
        const QByteArray package = readFile(served + "2");
        m_services.route("/pkg/game.zip", package);
        m_services.route(ServiceStub::kContent,
            contentReply({ { "background", m_services.url("/pkg/game.zip") } }));
        const QString pluginUrl = kind.startsWith("plugin") ? "/pkg/tools.zip"
            : kind == "engine"                              ? "/pkg/7z.so"
                                                            : "";
        m_services.route(ServiceStub::kResource, gameManifest(pluginUrl));
        // Half the package is in, as an earlier version recorded it.
        const int resumeAt = package.size() / 2;
        if (kind == "resumed") {
            QVERIFY(writeFile(m_game + "/game.zip_tmp",
                package.left(resumeAt) + QByteArray(package.size() - resumeAt, '\0')));
            QSettings(QLatin1String(kOrganizationName), QLatin1String(kApplicationName))
                .setValue("game.zip/0", resumeAt);
        }
        const QStringList was = before();
        const QFile::Permissions folderMode = QFileInfo(m_game).permissions();
        m_services.clearRequests();

        MainViewModel model;
        model.setProgramFolder(m_program);
        model.initialize();
        QTRY_VERIFY(model.gameState() != MainViewModel::Checking);
        if (kind == "resumed")
            QTRY_VERIFY(QFileInfo::exists(m_program + "/cache/game.zip"));
        model.installEnsureBtnClicked();
        QTRY_VERIFY_WITH_TIMEOUT(model.gameState() != MainViewModel::Downloading
                && model.gameState() != MainViewModel::Verifying
                && model.gameState() != MainViewModel::Installing,
            10000);
        QVERIFY(m_services.settle());
        // The plugin's extraction, the only thread the model owns, ended.
        QTRY_VERIFY(pluginUrl.isEmpty()
            || (model.findChild<setupmanager *>()
                && model.findChild<setupmanager *>()->isFinished()));
        if (kind == "plugin in tools")
            QVERIFY(QFileInfo::exists(m_program + "/tools/updateProgram/Update"));
        if (kind == "resumed") {
            const auto gets = m_services.requestsFor("/pkg/game.zip");
            QVERIFY(!gets.isEmpty());
            QVERIFY(gets.last().headers.value("range").startsWith(
                "bytes=" + QByteArray::number(resumeAt) + '-'));
        }
        // The package was unpacked; what it aimed elsewhere stayed out.
        QTRY_VERIFY(QFileInfo::exists(m_game + "/data/ok.txt"));
        QCOMPARE(before(), was);
        QCOMPARE(QFileInfo(m_game).permissions(), folderMode);
        if (kind == "windows") {
            QVERIFY(QFileInfo(m_game + "/Quorvela.exe").isExecutable());
            QCOMPARE(LauncherConfig::instance()->gameVersion(), "9.0.0");
        }
    }
};

TESSARIL_GUI_TEST_MAIN(tst_HostileInput)
#include "tst_hostileinput.moc"
