#include "core/launcherconfig.h"
#include "dialogs/cdlgclosetip.h"
#include "dialogs/cdlgyesno.h"
#include "net/updateversioninfo.h"
#include "tests/support/guitestenvironment.h"
#include "tests/support/servicestub.h"
#include "tests/support/testdata.h"
#include "viewmodel/launcherupdate.h"
#include "viewmodel/mainviewmodel.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QtTest>

namespace {

using State = MainViewModel::GameState;

QByteArray gameManifest(const QString &latest, const QString &entry = QString())
{
    QJsonObject game { { "version", latest }, { "size", "100" },
        { "path", "https://cdn.example/game.zip" } };
    if (!entry.isEmpty())
        game.insert("entry", entry);
    return manifest(game);
}

void click(QWidget *dialog, const char *button)
{
    dialog->findChild<QAbstractButton *>(QLatin1String(button))->click();
}

} // namespace

class tst_MainViewModel : public QObject
{
    Q_OBJECT

private:
    ServiceStub m_services;
    QTemporaryDir m_gameFolder;
    QTemporaryDir m_programFolder;
    QList<QUrl> m_opened;

    int count(const QString &path) const { return m_services.requestsFor(path).size(); }

    struct Model : MainViewModel
    {
        explicit Model(const QString &programFolder) { setProgramFolder(programFolder); }
    };

public slots:
    void open(const QUrl &url) { m_opened << url; }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName("Vantor");
        QCoreApplication::setApplicationName("Tessaril");
        m_services.route(ServiceStub::kResource, gameManifest("2.0.0"));
        LauncherConfig::useFile(m_programFolder.filePath("config.ini"));
        LauncherConfig::instance()->setGameInstallPath(m_gameFolder.path());
        for (const char *scheme : { "http", "https", "file" })
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }

    void init() { m_services.clearRequests(); }

    void decideGameState_data()
    {
        using M = MainViewModel;
        QTest::addColumn<QString>("versions"); // installed, latest
        QTest::addColumn<bool>("exeThere");
        QTest::addColumn<State>("expected");
        QTest::newRow("installed newer still updates") << "1.0.0 0.9.0" << true << M::NeedUpdate;
        QTest::newRow("equal, exe missing") << "2.0.0 2.0.0" << false << M::NeedInstall;
        QTest::newRow("equal, exe there") << "2.0.0 2.0.0" << true << M::Ready;
        QTest::newRow("no manifest version") << "2.0.0 " << true << M::NeedInstall;
    }

    void decideGameState()
    {
        QFETCH(QString, versions);
        QFETCH(bool, exeThere);
        const QString exe = m_gameFolder.filePath("Quorvela.exe");
        QFile::remove(exe);
        QVERIFY(!exeThere || writeFile(exe, {}));
        LauncherConfig::instance()->setGameVersion(versions.section(' ', 0, 0));
        Model model(m_programFolder.path());
        model.gameInfo()->parseGameInfo(gameManifest(versions.section(' ', 1)));
        model.decideGameState();
        QTEST(model.gameState(), "expected");
    }

    // A failing manifest query is retried quietly, then the player is asked;
    // a reply that is no manifest is not worth retrying.
    void failedManifestAsks_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("retry");
        QTest::addColumn<State>("state");
        QTest::addColumn<QString>("sent"); // when asked, in all
        QTest::newRow("down, cancelled") << 503 << false << MainViewModel::CheckFailed << "6 6";
        QTest::newRow("no manifest, retried") << 200 << true << MainViewModel::NeedUpdate << "1 2";
    }

    void failedManifestAsks()
    {
        QFETCH(int, status);
        QFETCH(bool, retry);
        QFETCH(State, state);
        m_services.route(ServiceStub::kResource, "<html>maintenance</html>", status);
        int sentWhenAsked = -1;
        answerNextDialog<CDlgYesNo>([&](CDlgYesNo *dialog) {
            sentWhenAsked = count(ServiceStub::kResource);
            m_services.route(ServiceStub::kResource, gameManifest("2.0.0"));
            click(dialog, retry ? "btn_ok" : "btn_cancel");
        });
        LauncherConfig::instance()->setGameVersion("1.0.0");
        Model model(m_programFolder.path());
        model.initialize();
        QTRY_COMPARE(model.gameState(), state);
        QVERIFY(m_services.settle());
        QTEST(QString("%1 %2").arg(sentWhenAsked).arg(count(ServiceStub::kResource)), "sent");
    }

    // The window asks again whenever it comes back, but a download keeps the
    // manifest it started with.
    void refreshKeepsTheManifestOfADownload()
    {
        LauncherConfig::instance()->setGameVersion("1.0.0");
        Model model(m_programFolder.path());
        model.initialize();
        QTRY_COMPARE(model.gameState(), MainViewModel::NeedUpdate);
        QTRY_COMPARE(count(ServiceStub::kContent), 1);
        QCOMPARE(m_services.requestsFor(ServiceStub::kContent).first().query.toString(),
            "filter_adv=true&language=en&launcher_id=10");
        model.UpdateInfoByHttp(); // the one start-up makes, which asks nothing
        QVERIFY(m_services.settle());
        m_services.clearRequests();

        model.setGameState(MainViewModel::Downloading);
        model.UpdateInfoByHttp();
        QTRY_COMPARE(count(ServiceStub::kContent), 1);
        QCOMPARE(model.gameState(), MainViewModel::Downloading);
        model.setGameState(MainViewModel::NeedInstall);
        model.UpdateInfoByHttp();
        QTRY_COMPARE(count(ServiceStub::kContent), 2);
        QTRY_COMPARE(count(ServiceStub::kResource), 1);
        QTRY_COMPARE(model.gameState(), MainViewModel::NeedUpdate);
    }

    // Names and links come from the reply: images stay in their cache
    // whatever they are called, and only web pages are opened.
    void contentFromTheReply_data()
    {
        QTest::addColumn<QStringList>("images"); // background, icon
        QTest::addColumn<QString>("link");
        QTest::newRow("images named as the program's files")
            << QStringList { "config.ini", "TessarilLauncher" } << "https://news.example/";
        QTest::newRow("local file link") << QStringList { "", "" } << "file:///tmp/evil.desktop";
    }

    void contentFromTheReply()
    {
        QFETCH(QStringList, images);
        QFETCH(QString, link);
        const QString background = images.at(0), icon = images.at(1);
        QJsonObject adv { { "url", link } };
        for (const QString &name : { background, icon }) {
            m_services.route("/img/" + name, "PNG-bytes");
            adv.insert(name == icon ? "icon" : "background",
                name.isEmpty() ? QString() : m_services.url("/img/" + name));
        }
        m_services.route(ServiceStub::kContent, contentReply(adv));
        const QString program = m_programFolder.path();
        const QByteArray config = readFile(program + "/config.ini");
        const QString cache = "file:///" + program + "/cache/";
        LauncherConfig::instance()->setDynamicBgName(QString());
        m_opened.clear();

        Model model(program);
        QSignalSpy activity(&model, &MainViewModel::activityChanged);
        model.initialize();
        QTRY_COMPARE(count(ServiceStub::kContent), 1);
        if (!icon.isEmpty()) {
            QTRY_COMPARE(activity.count(), 1);
            QVERIFY(model.activityVisible());
            QCOMPARE(model.activityImage(), cache + icon);
            QTRY_COMPARE(model.bgPath(), cache + background);
        }
        QVERIFY(m_services.settle());
        QVERIFY(readFile(program + "/config.ini").startsWith(config.left(20)));
        QVERIFY(!QFileInfo::exists(program + "/TessarilLauncher"));
        QCOMPARE(model.openExternalUrl(model.btnMoreActiveJumpUrl()), link.startsWith("https"));
        QCOMPARE(m_opened.size(), link.startsWith("https") ? 1 : 0);
        // A stored background whose file is gone falls back to the built-in one.
        LauncherConfig::instance()->setDynamicBgName("gone.png");
        QCOMPARE(model.bgPath(), "qrc:/pic/bg.png");
        m_services.route(ServiceStub::kContent, contentReply());
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
        QVERIFY(!linkOut || QFile::link(outside.filePath("run.sh"), link));
        Model model(m_programFolder.path());
        model.gameInfo()->parseGameInfo(gameManifest("2.0.0", entry));
        QCOMPARE(model.gameExePath(QString()), m_gameFolder.filePath(started));
        QFile::remove(link);
    }

    // An automatic update goes to the updater without a question, with what
    // it needs to come back.
    void automaticUpdateHandsOverAtOnce()
    {
        QTemporaryDir program;
        m_services.route(ServiceStub::kRelease,
            "{\"data\":{\"has_update\":\"true\",\"update_type\":1,"
            "\"package_version\":\"2.3.5.0\",\"package_url\":\"https://cdn.example/l.7z\","
            "\"package_md5\":\"0123456789ABCDEF0123456789ABCDEF\",\"package_size\":10}}");
        LauncherConfig::instance()->setBool("is_auto_update", true, QString());
        Model model(program.path());
        // No updater beside the program: the launcher stays.
        QVERIFY(!model.launcherUpdate()->handOver(AppVersionInfo(), "en"));
        // It writes where it ran and what it was given.
        const QString updater = program.path() + "/updateProgram/Update";
        writeFile(updater,
            "#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$#\" \"$1\" \"$2\" > \"$0.args.tmp\"\n"
            "mv \"$0.args.tmp\" \"$0.args\"\n",
            true);
        QVERIFY(!model.hasNewProgramVersion());
        model.initialize();
        QTRY_VERIFY(QFileInfo::exists(updater + ".args"));
        QVERIFY(model.hasNewProgramVersion());
        QCOMPARE(QString::fromUtf8(readFile(updater + ".args")).split('\n').mid(0, 4),
            (QStringList { QDir(program.path()).canonicalPath(), "2", "Tessaril",
                QString("{\"exe_dir\":\"%1\",\"lang\":\"en\","
                        "\"pkg_md5\":\"0123456789abcdef0123456789abcdef\","
                        "\"pkg_url\":\"https://cdn.example/l.7z\"}")
                    .arg(QCoreApplication::applicationFilePath()) }));
        // The hand-over asked the application to exit, which would end every
        // dialog of the later cases at once; a turn of its own loop clears it.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
        LauncherConfig::instance()->setBool("is_auto_update", false, QString());
        LauncherConfig::instance()->setString("new_version", QString(), QString());
    }

    void closeBehaviourIsAskedOnce()
    {
        LauncherConfig::instance()->setBool("is_first_exit", true, QString());
        Model model(m_programFolder.path());
        QSignalSpy toTray(&model, &MainViewModel::hideToTrayRequested);
        QSignalSpy closed(&model, &MainViewModel::closeWindowRequested);
        int asked = 0;
        answerNextDialog<CDlgCloseTip>([&](CDlgCloseTip *tip) {
            ++asked;
            click(tip, "radio_min");
            click(tip, "btn_ok");
        });
        model.btnExitClick();
        QCOMPARE(LauncherConfig::instance()->getInt("exit_type", QString()), 1);
        QTRY_COMPARE(toTray.count(), 1);
        model.btnExitClick();
        QTRY_COMPARE(toTray.count(), 2);
        QCOMPARE(asked, 1);
        LauncherConfig::instance()->setInt("exit_type", 2, QString());
        model.btnExitClick();
        QTRY_COMPARE(closed.count(), 1);
        QCOMPARE(toTray.count(), 2);
    }

    void messagesKeepTheMaskUntilTheLastCloses()
    {
        Model model(m_programFolder.path());
        QSignalSpy dimming(&model, &MainViewModel::dimmedChanged);

        // A second message arrives while the first is still open (a reply
        // handled in the dialog's event loop): closing it keeps the mask.
        QList<bool> maskSeen;
        bool firstAnswer = false, secondAnswer = true;
        answerNextDialog<CDlgYesNo>([&](CDlgYesNo *first) {
            maskSeen << model.dimmed();
            QTimer::singleShot(50, [first] {
                for (QWidget *widget : QApplication::topLevelWidgets()) {
                    auto *second = qobject_cast<CDlgYesNo *>(widget);
                    if (second && second != first && second->isVisible())
                        click(second, "btn_cancel");
                }
            });
            model.showMessage(
                "t", "second", [&](bool answer) { secondAnswer = answer; }, true);
            maskSeen << model.dimmed();
            click(first, "btn_ok");
        });
        model.showMessage(
            "t", "first", [&](bool answer) { firstAnswer = answer; }, true);
        QCOMPARE(maskSeen, (QList<bool> { true, true }));
        QVERIFY(firstAnswer && !secondAnswer && !model.dimmed());
        QCOMPARE(dimming.count(), 2);
    }
};

TESSARIL_GUI_TEST_MAIN(tst_MainViewModel)
#include "tst_mainviewmodel.moc"
