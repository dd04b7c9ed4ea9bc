#include "core/launcherconfig.h"
#include "dialogs/dlgsetting.h"
#include "report/statusreport.h"
#include "setup/setupmanager.h"
#include "tests/support/nginxserver.h"
#include "tests/support/servicestub.h"
#include "tests/support/testdata.h"
#include "tests/support/webenginetestmain.h"
#include "viewmodel/gamerepair.h"
#include "viewmodel/installflow.h"
#include "viewmodel/mainviewmodel.h"

#include <QPushButton>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>

#include <memory>

namespace {

// A name of its own, so that no other test looking for running games sees
// this one's.
const QString kGameExe = QStringLiteral("Quorvela.flowtest");

const QByteArray kGameScript = "#!/bin/sh\n";

} // namespace

// Getting, updating and starting the game as a player does: the real view
// model and window, packages from a real nginx, the services and the
// logging endpoint from a scripted server.
class tst_InstallFlow : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    ServiceStub m_services;
    NginxServer m_packages;
    QString m_www, m_program, m_game, full100Md5;
    qint64 full100Size = 0;
    MainViewModel *m_model = nullptr;
    QQmlApplicationEngine *m_engine = nullptr;
    QQuickWindow *m_window = nullptr;
    QList<int> m_states;
    std::unique_ptr<MessageAnswerer> m_answerer;
    // The download and install reports made so far, in the order they were
    // made (the service may receive them in any), without "LAUNCHER_HOME_".
    QStringList m_flowReports;

    QByteArray manifest(const QString &version, const QString &fullName, const QString &md5,
        qint64 size, const QJsonObject &diff = {}, const QJsonObject &data = {}) const
    {
        return ::manifest({ { "version", version }, { "path", m_packages.url('/' + fullName) },
                              { "md5", md5 }, { "size", size }, { "entry", kGameExe } },
            diff.isEmpty() ? QJsonArray() : QJsonArray { diff }, data);
    }

    // The 1.1.0 manifest with the incremental package from 1.0.0.
    QByteArray manifest110(bool withSize) const
    {
        const QString path = m_www + "/game_1.0.0_1.1.0.7z";
        QJsonObject diff { { "version", "1.0.0" }, { "md5", md5Of(path) },
            { "path", m_packages.url("/game_1.0.0_1.1.0.7z") } };
        if (withSize)
            diff.insert("size", QString::number(QFileInfo(path).size()));
        return manifest("1.1.0", "game_1.0.0.7z", full100Md5, full100Size, diff);
    }

    // Opens the window on a fresh model; true once it offers the install.
    bool newModel()
    {
        m_model = new MainViewModel;
        m_model->setProgramFolder(m_program);
        connect(m_model, &MainViewModel::gameStateChanged, this, [this] {
            const int state = int(m_model->gameState());
            if (m_states.isEmpty() || m_states.last() != state)
                m_states << state;
        });
        m_engine = new QQmlApplicationEngine;
        m_engine->rootContext()->setContextProperty("mainViewModel", m_model);
        m_engine->load(QUrl("qrc:/main.qml"));
        m_window = qobject_cast<QQuickWindow *>(m_engine->rootObjects().value(0));
        m_model->setRootObject(m_window);
        if (m_window)
            QTest::qWaitForWindowExposed(m_window);
        m_model->initialize();
        return reaches(MainViewModel::NeedInstall, 5000);
    }

    bool reaches(MainViewModel::GameState state, int timeoutMs = 15000)
    {
        return QTest::qWaitFor([=] { return m_model->gameState() == state; }, timeoutMs);
    }

    // A fresh install folder of its own for each case, nothing installed.
    QString useGameFolder(const QString &name)
    {
        m_game = m_program + '/' + name + "/Tessaril Game";
        LauncherConfig::instance()->setGameInstallPath(m_game);
        LauncherConfig::instance()->setGameVersion(QString());
        m_services.route(
            ServiceStub::kResource, manifest("1.0.0", "game_1.0.0.7z", full100Md5, full100Size));
        return m_game;
    }

    // Answers every message with confirm or cancel until the case ends.
    void answerMessages(bool confirm) { m_answerer.reset(new MessageAnswerer(confirm)); }
    QString shown() const { return m_answerer ? m_answerer->shown.join('\n') : QString(); }

    // Whether a status report of action that says what went to the service.
    bool reported(const QString &action, const QString &what) const
    {
        for (const RecordedRequest &request : m_services.requestsFor(ServiceStub::kReport)) {
            const QString target = QUrl::fromPercentEncoding(request.target);
            if (target.contains(action) && target.contains(what))
                return true;
        }
        return false;
    }

    QStringList getsSince(int logLines, const QString &package) const
    {
        return m_packages.accessLog().mid(logLines).filter("GET /" + package);
    }

    void closeModel()
    {
        delete m_engine;
        m_engine = nullptr;
        m_window = nullptr;
        delete m_model;
        m_model = nullptr;
    }

private slots:
    void initTestCase()
    {
        connect(StatusReport::instance(), &StatusReport::reported, this,
            [this](StatusReport::StatusType type) {
                const QString action = QString::fromLatin1(
                    QMetaEnum::fromType<StatusReport::StatusType>().valueToKey(type));
                if (action.startsWith("LAUNCHER_HOME_DOWNLOAD")
                    || action.startsWith("LAUNCHER_HOME_INSTALL"))
                    m_flowReports << action.mid(14);
            });
        QFile::setPermissions(
            m_root.path(), QFile::permissions(m_root.path()) | QFile::ReadOther | QFile::ExeOther);
        m_www = m_root.filePath("www");
        m_program = m_root.filePath("program");
        QVERIFY(QDir().mkpath(m_www) && QDir().mkpath(m_program));

        // 1.0.0: the game, a data file, a file the next version drops, the
        // metadata file; 1.1.0 from 1.0.0: a new file and a delete list.
        const QString v100 = m_root.filePath("src100");
        QVERIFY(writeFile(v100 + '/' + kGameExe, kGameScript, true));
        QVERIFY(writeFile(v100 + "/data/level1.bin", patterned(3 << 20)));
        QVERIFY(writeFile(v100 + "/data/old.txt", "dropped in 1.1.0\n"));
        QVERIFY(writeFile(
            v100 + "/Quorvela_Data/Managed/Metadata/global-metadata.dat", patterned(4096)));
        QVERIFY(pack(v100, m_www + "/game_1.0.0.7z"));
        const QString diff = m_root.filePath("src110");
        QVERIFY(writeFile(diff + "/data/level2.bin", patterned(1 << 20)));
        QVERIFY(writeFile(diff + "/deletefiles.txt", "data/old.txt\r\n"));
        QVERIFY(pack(diff, m_www + "/game_1.0.0_1.1.0.7z"));

        full100Md5 = md5Of(m_www + "/game_1.0.0.7z");
        full100Size = QFileInfo(m_www + "/game_1.0.0.7z").size();
        // Slow enough for the window to show the download under way.
        QVERIFY(m_packages.start(m_www, 6 << 20));

        LauncherConfig::useFile(m_program + "/config.ini");
        QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
    }

    void cleanup()
    {
        m_flowReports.clear();
        m_answerer.reset();
        closeModel();
    }

    void getUpdateAndStartTheGame()
    {
        useGameFolder("main");
        QVERIFY(newModel());
        m_states.clear();
        m_model->installEnsureBtnClicked();
        QVERIFY(reaches(MainViewModel::Ready));
        QCOMPARE(m_states,
            (QList<int> { MainViewModel::NeedInstall, MainViewModel::Downloading,
                MainViewModel::Verifying, MainViewModel::Installing, MainViewModel::Ready }));
        // The package went once unpacked.
        QCOMPARE(treeListing(m_game, { "config.ini", "install-record.txt" }),
            treeListing(m_root.filePath("src100")));
        QVERIFY(readFile(m_game + "/config.ini").contains("\ngame_version=1.0.0\n"));
        // The flow reported each step once, in its order.
        QTRY_COMPARE(m_flowReports,
            QStringList({ "DOWNLOAD", "DOWNLOAD_FINISH", "INSTALL", "INSTALL_FINISH" }));

        // 1.1.0 with an incremental package from the installed version.
        m_services.route(ServiceStub::kResource, manifest110(true));
        m_model->UpdateInfoByHttp();
        m_model->UpdateInfoByHttp();
        QVERIFY(reaches(MainViewModel::NeedUpdate, 5000));
        const int logBefore = m_packages.accessLog().size();
        m_model->updateBtnClicked();
        QVERIFY(reaches(MainViewModel::Ready));
        QCOMPARE(fileList(m_game + "/data"), QStringList({ "level1.bin", "level2.bin" }));
        QCOMPARE(LauncherConfig::instance()->gameVersion(), QStringLiteral("1.1.0"));
        // The update fetched the incremental package, not the full one again.
        QVERIFY(!getsSince(logBefore, "game_1.0.0_1.1.0.7z").isEmpty());
        QVERIFY(getsSince(logBefore, "game_1.0.0.7z").isEmpty());
    }

    void pauseThenContinueResumesTheSameDownload()
    {
        useGameFolder("pause");
        QVERIFY(newModel());
        const int logBefore = m_packages.accessLog().size();
        m_model->installEnsureBtnClicked();
        QTRY_VERIFY(m_model->progress() > 0.1f);
        m_model->pauseBtnClicked();
        const float paused = m_model->progress();
        QCOMPARE(int(m_model->gameState()), int(MainViewModel::Downloading));
        QQuickItem *pause = m_window->findChild<QQuickItem *>("pauseDownloadBtn");
        QVERIFY(pause->property("nomal_Image").toString().contains("pause_n"));
        m_model->pauseBtnClicked();
        QVERIFY(pause->property("nomal_Image").toString().contains("continue_n"));
        QCOMPARE(int(m_model->gameState()), int(MainViewModel::Downloading));
        QVERIFY(reaches(MainViewModel::Ready));
        QVERIFY(paused < 1.0f);
        // The continued request asked for the rest, not for the whole again.
        const QStringList gets = getsSince(logBefore, "game_1.0.0.7z");
        QVERIFY2(gets.size() >= 2, qPrintable(gets.join('|')));
        QVERIFY2(!gets.last().endsWith(QString("bytes=0-%1").arg(full100Size - 1)),
            qPrintable(gets.last()));
    }

    void closingMidDownloadContinuesFromThePartialFile()
    {
        useGameFolder("restart");
        QVERIFY(newModel());
        m_model->installEnsureBtnClicked();
        QTRY_VERIFY(m_model->progress() > 0.2f);
        closeModel();
        // What a killed run leaves of its extraction counts for nothing.
        const QString staging = m_game + "/game_1.0.0.7z_staging";
        QVERIFY(writeFile(staging + "/data/stray.bin", "x"));

        QVERIFY(newModel());
        QCOMPARE(m_window->findChild<QQuickItem *>("installBtn")->property("text").toString(),
            QCoreApplication::translate("main", "button_continue_download"));
        const int logBefore = m_packages.accessLog().size();
        m_model->installEnsureBtnClicked();
        QVERIFY(reaches(MainViewModel::Ready));
        const QStringList gets = getsSince(logBefore, "game_1.0.0.7z");
        QVERIFY(!gets.isEmpty());
        QVERIFY2(!gets.first().contains("bytes=0-"), qPrintable(gets.first()));
        QVERIFY(!QFileInfo::exists(staging));
        QCOMPARE(treeListing(m_game, { "config.ini", "install-record.txt" }),
            treeListing(m_root.filePath("src100")));
    }

    void badPackagesShowTheirErrorAndKeepTheFolder_data()
    {
        QTest::addColumn<QString>("package");
        QTest::addColumn<QString>("md5");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("report");
        QTest::newRow("md5 mismatch")
            << "game_1.0.0.7z" << QString(32, '0') << "[1004]:" << QString();
        QTest::newRow("damaged archive") << "damaged.7z" << QString() << "[1009]:"
                                         << "errorCode:SETUP_ZIP_ERROR;";
        // Below a file nothing can be created.
        QTest::newRow("install folder below a file")
            << "game_1.0.0.7z" << full100Md5 << MainViewModel::tr("message_create_floder_failed")
            << "path:" + m_program + "/afile/";
    }

    void badPackagesShowTheirErrorAndKeepTheFolder()
    {
        QFETCH(QString, package);
        QFETCH(QString, md5);
        QFETCH(QString, message);
        QFETCH(QString, report);
        const QString game = useGameFolder(QTest::currentDataTag());
        if (package == "damaged.7z") {
            // Whole headers, broken data: the engine opens it and fails items.
            QByteArray bytes = readFile(m_www + "/game_1.0.0.7z");
            for (int i = 4096; i < bytes.size() - 4096; i += 997)
                bytes[i] = char(bytes[i] ^ 0x5a);
            QVERIFY(writeFile(m_www + '/' + package, bytes));
        }
        const qint64 size = QFileInfo(m_www + '/' + package).size();
        m_services.route(ServiceStub::kResource, manifest("1.0.0", package, md5, size));
        m_services.clearRequests();
        QVERIFY(writeFile(game + "/data/level1.bin", "the player's"));
        const QStringList before = treeListing(game);
        if (QTest::currentDataTag() == QLatin1String("install folder below a file")) {
            QVERIFY(writeFile(m_program + "/afile", "x"));
            LauncherConfig::instance()->setGameInstallPath(m_program + "/afile/Tessaril Game");
        }
        QVERIFY(newModel());
        answerMessages(false);
        m_model->installEnsureBtnClicked();
        QTRY_VERIFY_WITH_TIMEOUT(shown().contains(message), 15000);
        QTRY_COMPARE(int(m_model->gameState()), int(MainViewModel::NeedInstall));
        // Extracted while it downloaded, none of it reached the folder.
        QTRY_COMPARE(treeListing(game), before);
        // Neither package can ever install: the check deletes a mismatch, and
        // a run whose items failed removes its archive as any run does. The
        // next click fetches it anew.
        QTRY_VERIFY(!QFileInfo::exists(game + '/' + package));
        // The error's report may follow the others to the server.
        if (!report.isEmpty())
            QTRY_VERIFY(reported("LAUNCHER_GAME_SETUP_ERROR", report));
    }

    void aRunningGameIsEndedWhenThePlayerAgrees()
    {
        const QString game = useGameFolder("running");
        // The game of this install folder, running while the setup would start.
        const QString running = game + '/' + kGameExe;
        QVERIFY(QDir().mkpath(game) && QFile::copy("/bin/sleep", running));
        QProcess game1;
        game1.start(running, { "60" });
        QVERIFY(game1.waitForStarted());

        QVERIFY(newModel());
        m_model->installFlow()->setKillRetryMs(50);
        answerMessages(true);
        m_model->installEnsureBtnClicked();
        QTRY_VERIFY_WITH_TIMEOUT(
            shown().contains(MainViewModel::tr("message_game_is_running_please_close")), 15000);
        QTRY_COMPARE(game1.state(), QProcess::NotRunning);
        QVERIFY(reaches(MainViewModel::Ready));
    }

    void pluginIsUnpackedBesideTheProgramAndItsInstallerStarted()
    {
        useGameFolder("plugin");
        // The plugin's installer is "base/base" in its own folder; it records
        // how it was started.
        const QString source = m_root.filePath("srcplugin");
        QVERIFY(writeFile(source + "/base/base",
            "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/started.tmp\" && "
            "mv \"$(dirname \"$0\")/started.tmp\" \"$(dirname \"$0\")/started\"\n",
            true));
        // Slower to fetch than the game: the version waits for it.
        QVERIFY(writeFile(source + "/base/data.bin", patterned(9 << 20)));
        QVERIFY(pack(source, m_www + "/base.7z"));
        const QJsonObject plugin { { "path", m_packages.url("/base.7z") },
            { "md5", md5Of(m_www + "/base.7z") } };
        m_services.route(ServiceStub::kResource,
            manifest("1.0.0", "game_1.0.0.7z", full100Md5, full100Size, {},
                { { "plugin", QJsonObject { { "plugins", QJsonArray { plugin } } } } }));

        QVERIFY(newModel());
        m_model->installEnsureBtnClicked();
        QVERIFY(reaches(MainViewModel::Ready));
        QVERIFY(QFileInfo(m_program + "/base/data.bin").isFile());
        QCOMPARE(m_flowReports.filter("INSTALL_FINISH").size(), 1);
        QTRY_VERIFY(QFileInfo::exists(m_program + "/base/started"));
        QCOMPARE(readFile(m_program + "/base/started").trimmed(), QByteArray("/silent"));
    }

    // A package of its own, already in the install folder: a file that cannot
    // be written comes first and much data after it, so the extraction
    // reports a failure and goes on for a while.
    void placeSlowPackage(const QString &game)
    {
        const QString source = m_root.filePath("srcslow");
        const QString package = m_root.filePath("slow.7z");
        if (!QFileInfo::exists(package)) {
            writeFile(source + "/a/blocked.txt", "blocked");
            writeFile(source + '/' + kGameExe, kGameScript, true);
            for (int i = 0; i < 6; ++i)
                writeFile(source + QString("/z/big%1.bin").arg(i), patterned(8 << 20));
            pack(source, package);
        }
        QFile::copy(package, game + "/slow.7z");
        m_services.route(ServiceStub::kResource,
            manifest("1.0.0", "slow.7z", md5Of(package), QFileInfo(package).size()));
    }

    // A failure reported while the extraction still runs ends the install
    // only when the extraction has ended; Get then installs again for real.
    void getAfterAFailedExtractionInstallsAgain()
    {
        const QString game = useGameFolder("retry");
        QVERIFY(QDir().mkpath(game + "/a/blocked.txt/inside"));
        placeSlowPackage(game);
        QVERIFY(newModel());
        answerMessages(true);
        m_model->installEnsureBtnClicked();
        QTRY_VERIFY_WITH_TIMEOUT(shown().contains("[1015]:"), 30000);
        QTRY_COMPARE(int(m_model->gameState()), int(MainViewModel::NeedInstall));
        QVERIFY(!setupmanager::instance()->isRunning());
        QVERIFY(QDir(game + "/a/blocked.txt").removeRecursively());
        m_model->installEnsureBtnClicked();
        // A second Get while the first runs counts for nothing.
        m_model->installEnsureBtnClicked();
        QVERIFY(reaches(MainViewModel::Ready, 30000));
        QCOMPARE(m_flowReports.filter("INSTALL"),
            QStringList({ "INSTALL", "INSTALL", "INSTALL_FINISH" }));
    }

    // Quitting stops the extraction at once, and a reply that fails after
    // it began opens no dialog.
    void quitStopsTheWorkAndShowsNothingMore()
    {
        const QString game = useGameFolder("quit");
        placeSlowPackage(game);
        QVERIFY(newModel());
        answerMessages(true);
        HttpRoute late { 200, "OK", "not json" };
        late.delayMs = 300;
        QSignalSpy ready(m_model, &MainViewModel::readyToQuit);
        // At the extraction's first word, long before its end.
        connect(setupmanager::instance(), &setupmanager::setupProgress, m_model, [this, late] {
            if (m_model->isQuitting())
                return;
            m_services.route(ServiceStub::kResource, late);
            m_model->requestGameInfo();
            m_model->onApplicationQuit();
        });
        m_model->installEnsureBtnClicked();
        QVERIFY(ready.wait(30000));
        QVERIFY(!setupmanager::instance()->isRunning());
        QVERIFY(!QFileInfo::exists(game + "/z/big5.bin"));
        QTRY_VERIFY(m_states.contains(int(MainViewModel::CheckFailed)));
        QVERIFY2(shown().isEmpty(), qPrintable(shown()));
    }

    // From the settings dialog's button: the damaged file is fetched again
    // from the package and extracted alone, the player's own file stays.
    void aDamagedFileIsRepairedFromTheWindow()
    {
        useGameFolder("repair");
        QVERIFY(newModel());
        m_model->installEnsureBtnClicked();
        QVERIFY(reaches(MainViewModel::Ready));
        const QString level = m_game + "/data/level1.bin";
        const QByteArray good = patterned(3 << 20);
        QByteArray damaged = good;
        damaged[12345] = char(damaged.at(12345) ^ 1);
        QVERIFY(writeFile(level, damaged));
        QVERIFY(writeFile(m_game + "/mods/mine.txt", "mine"));

        DlgSetting *settings = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets())
            settings = settings ? settings : qobject_cast<DlgSetting *>(widget);
        QVERIFY(settings);
        QPushButton *repair = settings->findChild<QPushButton *>("btnGameRepair");
        answerMessages(true);
        // Cancelled while verifying: nothing is asked, nothing repaired.
        m_model->gameRepair()->start();
        m_model->cancelRepairClicked();
        QTRY_VERIFY(!m_model->repairRunning());
        QVERIFY(shown().isEmpty());
        repair->click();
        QVERIFY(m_model->repairRunning());
        QVERIFY(!m_model->startGameEnable());
        QTRY_VERIFY_WITH_TIMEOUT(!m_model->repairRunning(), 20000);
        QVERIFY(shown().contains(MainViewModel::tr("message_repair_damaged")
                                     .arg(1)
                                     .arg(QLocale().formattedDataSize(good.size()))));
        QVERIFY(shown().contains(MainViewModel::tr("message_repair_done")));
        QCOMPARE(readFile(level), good);
        QCOMPARE(readFile(m_game + "/mods/mine.txt"), QByteArray("mine"));
        QTRY_VERIFY(reported("action=LAUNCHER_GAME_REPAIR", "result:repaired;"));
    }

    // What the repair offers instead of a file-by-file repair, and that
    // accepting it leaves a whole game that verifies.
    void repairOffersWhatFits_data()
    {
        QTest::addColumn<bool>("newerVersion");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("thenSaid");
        QTest::newRow("installed before the record") << false << "message_repair_no_record"
                                                     << "message_repair_intact";
        // The update leaves the lost file lost; the record still knows it.
        QTest::newRow("not the latest version") << true << "message_repair_update_first"
                                                << "message_repair_done";
    }

    void repairOffersWhatFits()
    {
        QFETCH(bool, newerVersion);
        QFETCH(QString, question);
        QFETCH(QString, thenSaid);
        useGameFolder(newerVersion ? "offer-update" : "no-record");
        QVERIFY(newModel());
        m_model->installEnsureBtnClicked();
        QVERIFY(reaches(MainViewModel::Ready));
        const QString dropped = m_game + "/data/level1.bin";
        QVERIFY(QFile::remove(dropped));
        if (newerVersion) {
            m_services.route(ServiceStub::kResource, manifest110(false));
            m_model->UpdateInfoByHttp();
            QVERIFY(reaches(MainViewModel::NeedUpdate, 5000));
        } else {
            QVERIFY(QFile::remove(m_game + "/install-record.txt"));
        }
        answerMessages(true);
        m_model->gameRepair()->start();
        QTRY_VERIFY_WITH_TIMEOUT(shown().contains(MainViewModel::tr(qPrintable(question))), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(
            !m_model->repairRunning() && m_model->gameState() == MainViewModel::Ready, 20000);
        QCOMPARE(QFileInfo::exists(dropped), !newerVersion);
        m_answerer->shown.clear();
        m_model->gameRepair()->start();
        QTRY_VERIFY_WITH_TIMEOUT(shown().contains(MainViewModel::tr(qPrintable(thenSaid))), 20000);
        QTRY_VERIFY(!m_model->repairRunning() && QFileInfo::exists(dropped));
    }
};

TESSARIL_WEBENGINE_TEST_MAIN(tst_InstallFlow)
#include "tst_installflow.moc"
