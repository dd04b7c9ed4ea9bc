#include "core/launcherconfig.h"
#include "dialogs/cdlgyesno.h"
#include "platform/webengine.h"
#include "tests/support/guitestenvironment.h"
#include "tests/support/httptestserver.h"
#include "tests/support/nginxserver.h"
#include "viewmodel/mainviewmodel.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QPushButton>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QtTest>
#include <QtWebEngine>

namespace {

const QString kResource = QStringLiteral("/qx7a_global/zqk/launcher/api/resource");
const QString kContent = QStringLiteral("/qx7a_global/zqk/launcher/api/content");

// The game: records its arguments beside itself, so the test sees it ran
// from the install folder.
const QByteArray kGameScript = "#!/bin/sh\necho ran > \"$(dirname \"$0\")/ran.txt\"\n";

bool writeFile(const QString &path, const QByteArray &data, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return false;
    file.close();
    if (executable)
        file.setPermissions(
            file.permissions() | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    return true;
}

// Packs folder's contents into archive with the 7-Zip command, stored
// without compression: random test data would only cost time.
bool pack(const QString &folder, const QString &archive)
{
    QFile::remove(archive);
    QProcess sevenZip;
    sevenZip.setWorkingDirectory(folder);
    sevenZip.start(QStringLiteral("7zz"),
        { QStringLiteral("a"), QStringLiteral("-bd"), QStringLiteral("-mx0"), archive,
            QStringLiteral(".") });
    return sevenZip.waitForFinished(30000) && sevenZip.exitCode() == 0;
}

QString md5Of(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(&file);
    return QString::fromLatin1(hash.result().toHex());
}

QByteArray randomBytes(int size, quint32 seed)
{
    QByteArray data(size, Qt::Uninitialized);
    quint32 state = seed;
    for (char &c : data) {
        state = state * 1664525u + 1013904223u;
        c = char(state >> 24);
    }
    return data;
}

} // namespace

// Getting, updating and starting the game as a player does: the real view
// model and window, packages from a real nginx, the services and the
// logging endpoint from a scripted server.
class tst_InstallFlow : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    HttpTestServer m_services;
    NginxServer m_packages;
    QString m_www;
    QString m_program;
    QString m_game;
    MainViewModel *m_model = nullptr;
    QQmlApplicationEngine *m_engine = nullptr;
    QQuickWindow *m_window = nullptr;
    QList<int> m_states;

    QString full100Md5;
    qint64 full100Size = 0;

    // The download and install reports received so far, in arrival order.
    QStringList flowReports() const
    {
        QStringList actions;
        for (const RecordedRequest &request :
            m_services.requestsFor(QStringLiteral("/client_report"))) {
            const QString action = request.query.queryItemValue(QStringLiteral("action"));
            if (action.startsWith(QLatin1String("LAUNCHER_HOME_DOWNLOAD"))
                || action.startsWith(QLatin1String("LAUNCHER_HOME_INSTALL")))
                actions << action;
        }
        return actions;
    }

    void grab(const QString &name)
    {
        const QString folder = qEnvironmentVariable("TESSARIL_ARTEFACTS");
        if (folder.isEmpty() || !m_window)
            return;
        QDir().mkpath(folder);
        m_window->grabWindow().save(
            folder + QStringLiteral("/install-flow-") + name + QStringLiteral(".png"));
    }

    QByteArray manifest(const QString &version, const QString &fullName, const QString &md5,
        qint64 size, const QString &diffs = QString()) const
    {
        return QStringLiteral("{\"data\":{\"game\":{\"latest\":{\"version\":\"%1\",\"path\":\"%2\","
                              "\"md5\":\"%3\",\"size\":%4},\"diffs\":[%5]}}}")
            .arg(version, m_packages.url(QStringLiteral("/") + fullName), md5)
            .arg(size)
            .arg(diffs)
            .toUtf8();
    }

    void newModel()
    {
        m_model = new MainViewModel;
        m_model->setProgramFolder(m_program);
        m_model->setQuitReportWaitMs(0);
        connect(m_model, &MainViewModel::gameStateChanged, this, [this] {
            const int state = int(m_model->gameState());
            if (m_states.isEmpty() || m_states.last() != state)
                m_states << state;
        });
        m_engine = new QQmlApplicationEngine;
        m_engine->rootContext()->setContextProperty(QStringLiteral("mainViewModel"), m_model);
        m_engine->load(QUrl(QStringLiteral("qrc:/main.qml")));
        m_window = qobject_cast<QQuickWindow *>(m_engine->rootObjects().value(0));
        m_model->setRootObject(m_window);
        if (m_window)
            QTest::qWaitForWindowExposed(m_window);
        m_model->initialize();
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
        QFile::setPermissions(
            m_root.path(), QFile::permissions(m_root.path()) | QFile::ReadOther | QFile::ExeOther);
        m_www = m_root.filePath(QStringLiteral("www"));
        m_program = m_root.filePath(QStringLiteral("program"));
        m_game = m_program + QStringLiteral("/Tessaril Game");
        QVERIFY(QDir().mkpath(m_www));
        QVERIFY(QDir().mkpath(m_program));

        // 1.0.0: the game, a data file, a file the next version drops, the
        // metadata file; 1.1.0 from 1.0.0: a new file and a delete list.
        const QString v100 = m_root.filePath(QStringLiteral("src100"));
        QVERIFY(writeFile(v100 + QStringLiteral("/Quorvela.exe"), kGameScript, true));
        QVERIFY(writeFile(v100 + QStringLiteral("/data/level1.bin"), randomBytes(3 << 20, 1)));
        QVERIFY(writeFile(v100 + QStringLiteral("/data/old.txt"), "dropped in 1.1.0\n"));
        QVERIFY(
            writeFile(v100 + QStringLiteral("/Quorvela_Data/Managed/Metadata/global-metadata.dat"),
                randomBytes(4096, 2)));
        QVERIFY(pack(v100, m_www + QStringLiteral("/game_1.0.0.7z")));
        const QString diff = m_root.filePath(QStringLiteral("src110"));
        QVERIFY(writeFile(diff + QStringLiteral("/data/level2.bin"), randomBytes(1 << 20, 3)));
        QVERIFY(writeFile(diff + QStringLiteral("/deletefiles.txt"), "data/old.txt\r\n"));
        QVERIFY(pack(diff, m_www + QStringLiteral("/game_1.0.0_1.1.0.7z")));

        full100Md5 = md5Of(m_www + QStringLiteral("/game_1.0.0.7z"));
        full100Size = QFileInfo(m_www + QStringLiteral("/game_1.0.0.7z")).size();
        // Slow enough for the window to show the download under way.
        QVERIFY(m_packages.start(m_www, 6 << 20));

        qputenv("TESSARIL_CONTENT_ORIGIN", m_services.origin().toUtf8());
        qputenv("TESSARIL_REPORT_ORIGIN", m_services.origin().toUtf8());
        qputenv("TESSARIL_RELEASE_ORIGIN", m_services.origin().toUtf8());
        m_services.route(QStringLiteral("/client_report"), "{}");
        m_services.route(kContent, "{\"data\":{\"adv\":{}}}");
        m_services.route(kResource,
            manifest(
                QStringLiteral("1.0.0"), QStringLiteral("game_1.0.0.7z"), full100Md5, full100Size));
        LauncherConfig::useFile(m_program + QStringLiteral("/config.ini"));
        QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
    }

    void cleanup() { closeModel(); }

    void getUpdateAndStartTheGame()
    {
        newModel();
        QTRY_COMPARE(int(m_model->gameState()), int(MainViewModel::NeedInstall));
        m_states.clear();
        bool grabbedDownload = false;
        connect(m_model, &MainViewModel::progressChanged, this, [&] {
            if (!grabbedDownload && m_model->downloading() && m_model->progress() > 0.3f) {
                grabbedDownload = true;
                grab(QStringLiteral("downloading"));
            }
        });
        connect(m_model, &MainViewModel::gameStateChanged, this, [&] {
            if (m_model->gameState() == MainViewModel::Verifying)
                grab(QStringLiteral("verifying"));
            if (m_model->gameState() == MainViewModel::Installing)
                grab(QStringLiteral("installing"));
        });

        m_model->installEnsureBtnClicked();
        QTRY_COMPARE_WITH_TIMEOUT(int(m_model->gameState()), int(MainViewModel::Ready), 15000);
        grab(QStringLiteral("ready"));
        QCOMPARE(m_states,
            (QList<int> { MainViewModel::NeedInstall, MainViewModel::Downloading,
                MainViewModel::Verifying, MainViewModel::Installing, MainViewModel::Ready }));
        QVERIFY(grabbedDownload);
        QVERIFY(QFileInfo(m_game + QStringLiteral("/data/level1.bin")).isFile());
        QVERIFY(QFileInfo(m_game + QStringLiteral("/data/old.txt")).isFile());
        QVERIFY(!QFileInfo::exists(m_game + QStringLiteral("/game_1.0.0.7z")));
        QSettings gameConfig(m_game + QStringLiteral("/config.ini"), QSettings::IniFormat);
        QCOMPARE(
            gameConfig.value(QStringLiteral("game_version")).toString(), QStringLiteral("1.0.0"));
        // The reports leave one by one; they must arrive in the flow's order.
        QTRY_COMPARE(flowReports(),
            (QStringList { QStringLiteral("LAUNCHER_HOME_DOWNLOAD"),
                QStringLiteral("LAUNCHER_HOME_DOWNLOAD_FINISH"),
                QStringLiteral("LAUNCHER_HOME_INSTALL"),
                QStringLiteral("LAUNCHER_HOME_INSTALL_FINISH") }));

        // 1.1.0 with an incremental package from the installed version.
        const QString diffPath = m_www + QStringLiteral("/game_1.0.0_1.1.0.7z");
        const QString diffs
            = QStringLiteral("{\"version\":\"1.0.0\",\"path\":\"%1\",\"md5\":\"%2\","
                             "\"size\":\"%3\"}")
                  .arg(m_packages.url(QStringLiteral("/game_1.0.0_1.1.0.7z")), md5Of(diffPath))
                  .arg(QFileInfo(diffPath).size());
        m_services.route(kResource,
            manifest(QStringLiteral("1.1.0"), QStringLiteral("game_1.0.0.7z"), full100Md5,
                full100Size, diffs));
        m_model->UpdateInfoByHttp();
        m_model->UpdateInfoByHttp();
        QTRY_COMPARE(int(m_model->gameState()), int(MainViewModel::NeedUpdate));
        const int logBefore = m_packages.accessLog().size();
        m_model->updateBtnClicked();
        QTRY_COMPARE_WITH_TIMEOUT(int(m_model->gameState()), int(MainViewModel::Ready), 15000);
        QVERIFY(QFileInfo(m_game + QStringLiteral("/data/level2.bin")).isFile());
        QVERIFY(!QFileInfo::exists(m_game + QStringLiteral("/data/old.txt")));
        QVERIFY(!QFileInfo::exists(m_game + QStringLiteral("/game_1.0.0_1.1.0.7z")));
        QCOMPARE(LauncherConfig::instance()->gameVersion(), QStringLiteral("1.1.0"));
        // The update fetched the incremental package, not the full one again.
        const QStringList fetched = m_packages.accessLog().mid(logBefore);
        QVERIFY(!fetched.filter(QStringLiteral("GET /game_1.0.0_1.1.0.7z")).isEmpty());
        QVERIFY(fetched.filter(QStringLiteral("GET /game_1.0.0.7z")).isEmpty());

        m_model->startGameBtnClicked();
        QTRY_VERIFY(QFileInfo::exists(m_game + QStringLiteral("/ran.txt")));
    }
};

int main(int argc, char **argv)
{
    IsolatedUserFolders folders;
    chooseWindowPlatform();
    platform::prepareWebEngine();
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QtWebEngine::initialize();
    QApplication app(argc, argv);
    tst_InstallFlow test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_installflow.moc"
