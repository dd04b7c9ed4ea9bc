#include "core/launcherconfig.h"
#include "dialogs/cdlgappinfo.h"
#include "dialogs/cdlgclosetip.h"
#include "dialogs/cdlgyesno.h"
#include "net/updateversioninfo.h"
#include "tests/support/guitestenvironment.h"
#include "tests/support/httptestserver.h"
#include "viewmodel/launcherupdate.h"
#include "viewmodel/mainviewmodel.h"

#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

const QString kResource = QStringLiteral("/qx7a_global/zqk/launcher/api/resource");
const QString kContent = QStringLiteral("/qx7a_global/zqk/launcher/api/content");

QByteArray manifest(const QString &latest)
{
    return QStringLiteral("{\"data\":{\"game\":{\"latest\":{\"version\":\"%1\",\"size\":\"100\","
                          "\"path\":\"https://cdn.example/game.zip\"}}}}")
        .arg(latest)
        .toUtf8();
}

} // namespace

class tst_MainViewModel : public QObject
{
    Q_OBJECT

private:
    HttpTestServer m_services;
    QTemporaryDir m_gameFolder;
    QTemporaryDir m_programFolder;

    int count(const QString &path) const { return m_services.requestsFor(path).size(); }

    // A view model that keeps its files in the test's folders and does not
    // linger for the quit report.
    struct Model : MainViewModel
    {
        explicit Model(const QString &programFolder) { setProgramFolder(programFolder); }
    };

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Vantor"));
        QCoreApplication::setApplicationName(QStringLiteral("Tessaril"));
        qputenv("TESSARIL_CONTENT_ORIGIN", m_services.origin().toUtf8());
        qputenv("TESSARIL_REPORT_ORIGIN", m_services.origin().toUtf8());
        qputenv("TESSARIL_RELEASE_ORIGIN", m_services.origin().toUtf8());
        m_services.route(kResource, manifest(QStringLiteral("2.0.0")));
        m_services.route(kContent, "{\"data\":{\"adv\":{}}}");
        LauncherConfig::useFile(m_programFolder.filePath(QStringLiteral("config.ini")));
        LauncherConfig::instance()->setGameInstallPath(m_gameFolder.path());
    }

    void init() { m_services.clearRequests(); }

    void decideGameState_data()
    {
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("latest");
        QTest::addColumn<bool>("exeThere");
        QTest::addColumn<int>("expected");
        QTest::newRow("newer installed than latest still updates") << "1.0.0"
                                                                   << "0.9.0" << true << 4;
        QTest::newRow("equal, executable missing") << "2.0.0"
                                                   << "2.0.0" << false << 2;
        QTest::newRow("equal, executable there") << "2.0.0"
                                                 << "2.0.0" << true << 3;
        QTest::newRow("no manifest version") << "2.0.0"
                                             << "" << true << 2;
    }

    void decideGameState()
    {
        QFETCH(QString, installed);
        QFETCH(QString, latest);
        QFETCH(bool, exeThere);
        QFETCH(int, expected);
        const QString exe = m_gameFolder.filePath(QStringLiteral("Quorvela.exe"));
        QFile::remove(exe);
        if (exeThere) {
            QFile file(exe);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        LauncherConfig::instance()->setGameVersion(installed);
        Model model(m_programFolder.path());
        model.gameInfo()->parseGameInfo(manifest(latest));
        model.decideGameState();
        QCOMPARE(int(model.gameState()), expected);
    }

    void resourceRetriesThenAsks()
    {
        m_services.route(kResource, "down", 503);
        int requestsWhenAsked = -1;
        answerNextDialog<CDlgYesNo>([&](CDlgYesNo *dialog) {
            requestsWhenAsked = count(kResource);
            dialog->findChild<QPushButton *>(QStringLiteral("btn_cancel"))->click();
        });
        Model model(m_programFolder.path());
        model.initialize();
        QTRY_COMPARE(int(model.gameState()), int(MainViewModel::CheckFailed));
        QCOMPARE(requestsWhenAsked, 6);
        // Cancelled: no further try. A refresh (the first one is swallowed)
        // then sends exactly one more.
        m_services.route(kResource, manifest(QStringLiteral("2.0.0")));
        model.UpdateInfoByHttp();
        model.UpdateInfoByHttp();
        QTRY_VERIFY(model.gameState() != MainViewModel::Checking);
        QCOMPARE(count(kResource), 7);
    }

    void unparsableManifestAsksAndRetriesOnConfirm()
    {
        m_services.route(kResource, "<html>maintenance</html>");
        answerNextDialog<CDlgYesNo>([&](CDlgYesNo *dialog) {
            m_services.route(kResource, manifest(QStringLiteral("2.0.0")));
            dialog->findChild<QPushButton *>(QStringLiteral("btn_ok"))->click();
        });
        LauncherConfig::instance()->setGameVersion(QStringLiteral("1.0.0"));
        Model model(m_programFolder.path());
        model.initialize();
        QTRY_COMPARE(int(model.gameState()), int(MainViewModel::NeedUpdate));
        QCOMPARE(count(kResource), 2);
    }

    void refreshOnlyFromTheSecondCall()
    {
        LauncherConfig::instance()->setGameVersion(QStringLiteral("1.0.0"));
        Model model(m_programFolder.path());
        model.initialize();
        QTRY_COMPARE(int(model.gameState()), int(MainViewModel::NeedUpdate));
        QTRY_COMPARE(count(kContent), 1);
        m_services.clearRequests();

        // The first call sends nothing: after the second there is one of each.
        model.UpdateInfoByHttp();
        model.UpdateInfoByHttp();
        QTRY_COMPARE(count(kResource), 1);
        QTRY_COMPARE(count(kContent), 1);
        QCOMPARE(m_services.requestsFor(kContent).first().query.queryItemValue(
                     QStringLiteral("language")),
            QStringLiteral("en"));
        QTRY_COMPARE(
            int(model.gameState()), int(MainViewModel::NeedUpdate)); // the reply is handled

        m_services.clearRequests();
        model.setGameState(MainViewModel::Downloading);
        model.UpdateInfoByHttp();
        QTRY_COMPARE(count(kContent), 1);
        QCOMPARE(int(model.gameState()), int(MainViewModel::Downloading));
        // Outside a download the manifest is asked again: one request in all.
        model.setGameState(MainViewModel::NeedInstall);
        model.UpdateInfoByHttp();
        QTRY_COMPARE(count(kContent), 2);
        QTRY_COMPARE(count(kResource), 1);
        QTRY_COMPARE(int(model.gameState()), int(MainViewModel::NeedUpdate));
    }

    void contentAddresses()
    {
        Model model(m_programFolder.path());
        model.setLanguage(QStringLiteral("ja-jp"));
        const QUrl page(model.mainBgUrl());
        QVERIFY(page.path().endsWith(QLatin1String("/launcher/10/ja-jp")));
        const QUrlQuery query(page);
        QCOMPARE(
            query.queryItems().last(), qMakePair(QStringLiteral("prev"), QStringLiteral("false")));
        QCOMPARE(model.buildApiUrl(false),
            m_services.origin()
                + QStringLiteral("/qx7a_global/zqk/launcher/api/"
                                 "content?filter_adv=true&language=ja-jp&launcher_id=10"));
        // A stored background whose file is gone falls back to the built-in one.
        LauncherConfig::instance()->setDynamicBgName(QStringLiteral("gone.png"));
        QCOMPARE(model.bgPath(), QStringLiteral("qrc:/pic/bg.png"));
    }

    void newLauncherVersionAndInstallPath()
    {
        Model model(m_programFolder.path());
        LauncherConfig::instance()->setString(
            QStringLiteral("new_version"), QStringLiteral("2.3.10.0"), QString());
        QVERIFY(model.hasNewProgramVersion());
        LauncherConfig::instance()->setString(
            QStringLiteral("new_version"), QStringLiteral("2.3.4.0"), QString());
        QVERIFY(!model.hasNewProgramVersion());

        const QString before = LauncherConfig::instance()->gameInstallPath();
        LauncherConfig::instance()->setGameInstallPath(QStringLiteral("/opt/games/"));
        model.normalizeInstallPath();
        QCOMPARE(LauncherConfig::instance()->gameInstallPath(),
            QStringLiteral("/opt/games//Tessaril Game"));
        model.normalizeInstallPath();
        QCOMPARE(LauncherConfig::instance()->gameInstallPath(),
            QStringLiteral("/opt/games//Tessaril Game"));
        // The window's path text follows every change.
        QSignalSpy pathShown(&model, &MainViewModel::installPathChanged);
        model.UpdateInstallPath(QStringLiteral("/") + QString(100, QLatin1Char('x')));
        QCOMPARE(pathShown.count(), 1);
        QCOMPARE(model.installPath(),
            QStringLiteral("/") + QString(39, QLatin1Char('x')) + QStringLiteral(" ... ")
                + QString(40, QLatin1Char('x')));
        LauncherConfig::instance()->setGameInstallPath(before);
    }

    void contentImagesStayInTheirCache()
    {
        // Image names from the reply that stand for the program's own files.
        m_services.route(QStringLiteral("/img/config.ini"), "PNG-bytes");
        m_services.route(QStringLiteral("/img/TessarilLauncher"), "PNG-bytes");
        m_services.route(kContent,
            QStringLiteral("{\"data\":{\"adv\":{\"background\":\"%1\",\"icon\":\"%2\","
                           "\"url\":\"https://news.example/\"}}}")
                .arg(m_services.url(QStringLiteral("/img/config.ini")),
                    m_services.url(QStringLiteral("/img/TessarilLauncher")))
                .toUtf8());
        const QString program = m_programFolder.path();
        QFile config(program + QStringLiteral("/config.ini"));
        QVERIFY(config.open(QIODevice::ReadOnly));
        const QByteArray configBefore = config.readAll();
        config.close();

        Model model(program);
        QSignalSpy background(&model, &MainViewModel::bgPathChanged);
        QSignalSpy activity(&model, &MainViewModel::activityChanged);
        model.initialize();
        QTRY_VERIFY(!background.isEmpty());
        QTRY_COMPARE(activity.count(), 1);
        QVERIFY(model.activityVisible());
        QCOMPARE(model.activityImage(),
            QStringLiteral("file:///") + program + QStringLiteral("/cache/TessarilLauncher"));
        QCOMPARE(model.bgPath(),
            QStringLiteral("file:///") + program + QStringLiteral("/cache/config.ini"));
        QVERIFY(config.open(QIODevice::ReadOnly));
        QVERIFY(config.readAll().startsWith(configBefore.left(20)));
        QVERIFY(!QFileInfo::exists(program + QStringLiteral("/TessarilLauncher")));
        QVERIFY(QFileInfo::exists(program + QStringLiteral("/cache/TessarilLauncher")));
        m_services.route(kContent, "{\"data\":{\"adv\":{}}}");
    }

    void gameExecutableStaysInTheInstallFolder_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("linkOut");
        QTest::addColumn<QString>("started");
        QTest::newRow("plain name") << "Quorvela.x86_64" << false << "Quorvela.x86_64";
        QTest::newRow("climbing name") << "../../outside/run.sh" << false << "Quorvela.exe";
        QTest::newRow("link leading out") << "run.sh" << true << "Quorvela.exe";
    }

    void gameExecutableStaysInTheInstallFolder()
    {
        QFETCH(QString, entry);
        QFETCH(bool, linkOut);
        QFETCH(QString, started);
        QTemporaryDir outside;
        const QString link = m_gameFolder.filePath(entry);
        QFile::remove(link);
        if (linkOut)
            QVERIFY(QFile::link(outside.filePath(QStringLiteral("run.sh")), link));
        Model model(m_programFolder.path());
        model.gameInfo()->parseGameInfo(
            QStringLiteral("{\"data\":{\"game\":{\"latest\":{\"version\":\"2.0.0\","
                           "\"size\":1,\"entry\":\"%1\"}}}}")
                .arg(entry)
                .toUtf8());
        QCOMPARE(model.gameExePath(QString()), m_gameFolder.filePath(started));
        QFile::remove(link);
    }

    void handOverToTheUpdater()
    {
        QTemporaryDir program;
        Model model(program.path());
        AppVersionInfo offer;
        offer.packageUrl = QStringLiteral("https://cdn.example/launcher 2.3.5.0.7z");
        offer.packageMd5 = QStringLiteral("0123456789abcdef0123456789abcdef");
        // No updater beside the program: the launcher stays.
        QVERIFY(!model.launcherUpdate()->handOver(offer, QStringLiteral("ja")));

        const QString updater = program.filePath(QStringLiteral("updateProgram/Update"));
        QVERIFY(QDir().mkpath(QFileInfo(updater).path()));
        QFile script(updater);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$#\" \"$1\" \"$2\" > \"$0.args.tmp\"\n"
                     "mv \"$0.args.tmp\" \"$0.args\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        QVERIFY(model.launcherUpdate()->handOver(offer, QStringLiteral("ja")));
        QFile args(updater + QStringLiteral(".args"));
        QTRY_VERIFY(args.exists());
        QVERIFY(args.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(args.readAll()).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), QDir(program.path()).canonicalPath());
        QCOMPARE(lines.value(1), QStringLiteral("2"));
        QCOMPARE(lines.value(2), QStringLiteral("Tessaril"));
        QCOMPARE(lines.value(3),
            QStringLiteral("{\"exe_dir\":\"%1\",\"lang\":\"ja\","
                           "\"pkg_md5\":\"0123456789abcdef0123456789abcdef\","
                           "\"pkg_url\":\"https://cdn.example/launcher 2.3.5.0.7z\"}")
                .arg(QCoreApplication::applicationFilePath()));
    }

    void automaticUpdateHandsOverAtOnce()
    {
        QTemporaryDir program;
        const QString updater = program.filePath(QStringLiteral("updateProgram/Update"));
        QVERIFY(QDir().mkpath(QFileInfo(updater).path()));
        QFile script(updater);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(
            "#!/bin/sh\necho \"$2\" > \"$0.args.tmp\" && mv \"$0.args.tmp\" \"$0.args\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        const QString releasePath = QStringLiteral("/brisko/quentharos/api/getLatestRelease");
        const QByteArray release
            = "{\"data\":{\"has_update\":\"true\",\"update_type\":1,"
              "\"package_version\":\"2.3.5.0\",\"package_url\":\"https://cdn.example/l.7z\","
              "\"package_md5\":\"0123456789ABCDEF0123456789ABCDEF\",\"package_size\":10}}";
        LauncherConfig::instance()->setBool(QStringLiteral("is_auto_update"), true, QString());
        {
            // A release the updater would refuse is not handed over: the
            // launcher stays instead of closing at every start.
            m_services.route(releasePath, QByteArray(release).replace("https:", "http:"));
            Model refused(program.path());
            refused.initialize();
            QTRY_COMPARE(count(releasePath), 1);
            m_services.settle();
            QVERIFY(!QFileInfo::exists(updater + QStringLiteral(".args")));
            QVERIFY(!refused.hasNewProgramVersion());
        }
        m_services.route(releasePath, release);
        Model model(program.path());
        QVERIFY(!model.hasNewProgramVersion());
        model.initialize();
        QTRY_VERIFY(QFileInfo::exists(updater + QStringLiteral(".args")));
        QVERIFY(model.hasNewProgramVersion());
        QFile args(updater + QStringLiteral(".args"));
        QVERIFY(args.open(QIODevice::ReadOnly));
        QVERIFY(args.readAll().contains("\"pkg_md5\":\"0123456789abcdef0123456789abcdef\""));
        // The hand-over asked the application to exit, which would end every
        // dialog of the later cases at once; a turn of its own loop clears it.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();

        // Started by the updater, the launcher does not ask again.
        m_services.clearRequests();
        QFile::remove(updater + QStringLiteral(".args"));
        Model restarted(program.path());
        restarted.setStartedByUpdater(true);
        restarted.initialize();
        QTRY_COMPARE(count(kResource), 1);
        m_services.settle();
        QCOMPARE(count(QStringLiteral("/brisko/quentharos/api/getLatestRelease")), 0);
        LauncherConfig::instance()->setBool(QStringLiteral("is_auto_update"), false, QString());
        LauncherConfig::instance()->setString(QStringLiteral("new_version"), QString(), QString());
    }

    void closeBehaviourIsAskedOnce()
    {
        LauncherConfig::instance()->setBool(QStringLiteral("is_first_exit"), true, QString());
        Model model(m_programFolder.path());
        QSignalSpy toTray(&model, &MainViewModel::hideToTrayRequested);
        QSignalSpy closed(&model, &MainViewModel::closeWindowRequested);
        int asked = 0;
        answerNextDialog<CDlgCloseTip>([&](CDlgCloseTip *tip) {
            ++asked;
            tip->findChild<QRadioButton *>(QStringLiteral("radio_min"))->click();
            tip->findChild<QPushButton *>(QStringLiteral("btn_ok"))->click();
        });
        model.btnExitClick();
        QCOMPARE(asked, 1);
        QCOMPARE(LauncherConfig::instance()->getInt(QStringLiteral("exit_type"), QString()), 1);
        // Minimised to the tray: the window hides, the program stays.
        QTRY_COMPARE(toTray.count(), 1);
        model.btnExitClick();
        QTRY_COMPARE(toTray.count(), 2);
        QCOMPARE(asked, 1);
        LauncherConfig::instance()->setInt(QStringLiteral("exit_type"), 2, QString());
        model.btnExitClick();
        QTRY_COMPARE(closed.count(), 1);
        QCOMPARE(toTray.count(), 2);
    }

    void hiddenSpotOpensOnTheTenthQuickPress()
    {
        Model model(m_programFolder.path());
        qint64 now = 100000;
        model.setClock([&now] { return now; });
        int opened = 0;
        auto answer = [&] {
            answerNextDialog<CDlgAppInfo>([&](CDlgAppInfo *info) {
                ++opened;
                info->reject();
            });
        };
        answer();
        for (int press = 1; press <= 9; ++press) {
            model.appInfoAreaClick();
            now += 300;
        }
        QCOMPARE(opened, 0);
        model.appInfoAreaClick(); // the tenth, 2.7 s after the first
        QCOMPARE(opened, 1);
        // Ten presses spread over more than five seconds never open it.
        answer();
        now += 10000;
        for (int press = 1; press <= 12; ++press) {
            model.appInfoAreaClick();
            now += 600;
        }
        QCOMPARE(opened, 1);
    }

    void messagesKeepTheMaskUntilTheLastCloses()
    {
        Model model(m_programFolder.path());
        QSignalSpy dimming(&model, &MainViewModel::dimmedChanged);

        // A second message arrives while the first is still open (a reply
        // handled in the dialog's event loop): closing it keeps the mask.
        QList<bool> maskSeen;
        bool secondAnswer = true;
        answerNextDialog<CDlgYesNo>([&](CDlgYesNo *first) {
            maskSeen << model.dimmed();
            QTimer::singleShot(50, [first] {
                for (QWidget *widget : QApplication::topLevelWidgets()) {
                    auto *second = qobject_cast<CDlgYesNo *>(widget);
                    if (second && second != first && second->isVisible())
                        second->findChild<QPushButton *>(QStringLiteral("btn_cancel"))->click();
                }
            });
            model.showMessage(
                QStringLiteral("t"), QStringLiteral("second"),
                [&](bool answer) { secondAnswer = answer; }, true);
            maskSeen << model.dimmed();
            first->findChild<QPushButton *>(QStringLiteral("btn_ok"))->click();
        });
        bool firstAnswer = false;
        model.showMessage(
            QStringLiteral("t"), QStringLiteral("first"),
            [&](bool answer) { firstAnswer = answer; }, true);
        QCOMPARE(maskSeen, (QList<bool> { true, true }));
        QVERIFY(firstAnswer);
        QVERIFY(!secondAnswer);
        QVERIFY(!model.dimmed());
        QCOMPARE(dimming.count(), 2);
    }
};

TESSARIL_GUI_TEST_MAIN(tst_MainViewModel)
#include "tst_mainviewmodel.moc"
