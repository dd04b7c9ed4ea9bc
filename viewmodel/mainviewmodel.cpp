#include "viewmodel/mainviewmodel.h"

#include "core/launcherconfig.h"
#include "core/registryhelper.h"
#include "dialogs/csetinstallpathdialog.h"
#include "dialogs/dlgsetting.h"
#include "net/updateversioninfo.h"
#include "setup/setupmanager.h"
#include "viewmodel/closebehaviour.h"
#include "viewmodel/launcherupdate.h"
#include "viewmodel/servicerequest.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QNetworkConfigurationManager>
#include <QNetworkProxyFactory>
#include <QWindow>

namespace {

const QString kGameFolderName = QStringLiteral("Tessaril Game");

} // namespace

MainViewModel::MainViewModel(QObject *parent)
    : QObject(parent)
    , m_programFolder(QCoreApplication::applicationDirPath())
    , m_gameInfo(new UpdateVersionInfo(this))
    , m_resource(new ServiceRequest([this] { return buildApiUrl(true); }, this))
    , m_game(new GameLauncher(*m_gameInfo))
    , m_content(new LauncherContent(*m_gameInfo, m_dialogs, this))
    , m_progressTexts(new ProgressTexts(this))
    , m_update(new LauncherUpdate(m_dialogs, this))
    , m_install(new InstallFlow(*this, *m_gameInfo, *m_progressTexts, this))
    , m_repair(new GameRepair(*this, *m_gameInfo, this))
    , m_appInfoSpot(m_dialogs, *m_gameInfo)
{
    connect(m_resource, &ServiceRequest::answered, this, &MainViewModel::onResourceAnswer);
    connect(m_resource, &ServiceRequest::unreadable, this, [this] {
        askToRetryResource(false);
        setGameState(CheckFailed);
        applyGameInfo();
    });
    connect(m_resource, &ServiceRequest::attemptFailed, this, [this](const QString &error) {
        setWebPageShown(false);
        qDebug() << "request server game version error " << error;
    });
    // Failed before the question: a retry confirmed in it is Checking again
    // and must stay so until its reply.
    connect(m_resource, &ServiceRequest::gaveUp, this, [this] {
        setGameState(CheckFailed);
        askToRetryResource(true);
    });
    connect(&m_dialogs, &DialogPresenter::dimmedChanged, this, &MainViewModel::dimmedChanged);
    // The buttons that would touch the game wait while it is being repaired.
    connect(m_repair, &GameRepair::changed, this, &MainViewModel::repairChanged);
    connect(m_repair, &GameRepair::changed, this, &MainViewModel::gameStateChanged);
    connect(m_update, &LauncherUpdate::startUpdate, this, &MainViewModel::onStartUpdate);
    connect(m_update, &LauncherUpdate::quitApp, this, &MainViewModel::onExit);
    connect(m_update, &LauncherUpdate::newProgramVersionUpdate, this,
        &MainViewModel::onNewProgramVersionUpdate);
    connect(m_progressTexts, &ProgressTexts::progressChanged, this, &MainViewModel::setProgress);
    connect(
        m_progressTexts, &ProgressTexts::textsChanged, this, &MainViewModel::progressTextsChanged);
    connect(m_install, &InstallFlow::installed, this, &MainViewModel::onGameInstalled);
    connect(m_install, &InstallFlow::phaseChanged, this, &MainViewModel::downloadPausedChanged);
    connect(&m_quit, &QuitSequence::done, this, &MainViewModel::readyToQuit);
    connect(m_install, &InstallFlow::installPathWanted, this,
        &MainViewModel::changeInstallPathBtnClicked);
    connect(m_content, &LauncherContent::bgPathChanged, this, &MainViewModel::bgPathChanged);
    connect(m_content, &LauncherContent::mainBgResChanged, this, &MainViewModel::mainBgResChanged);
    connect(m_content, &LauncherContent::versionTitleChanged, this,
        &MainViewModel::versionTitleChanged);
    connect(
        m_content, &LauncherContent::versionDescChanged, this, &MainViewModel::versionDescChanged);
    connect(m_content, &LauncherContent::versionTitleColorChanged, this,
        &MainViewModel::versionTitleColorChanged);
    connect(m_content, &LauncherContent::versionDescColorChanged, this,
        &MainViewModel::versionDescColorChanged);
    connect(m_content, &LauncherContent::activityChanged, this, &MainViewModel::activityChanged);
    // The page failed while the services were out of reach and was hidden;
    // they answer again, so it gets another chance.
    connect(m_content, &LauncherContent::answered, this, [this] {
        setWebPageShown(true);
        emit webPageRetryRequested();
    });
    // Asked for while the page reports its load: it reloads once that is over.
    connect(m_content, &LauncherContent::webReloadWanted, this,
        &MainViewModel::webPageReloadRequested, Qt::QueuedConnection);
    // The game says nothing when it starts or ends; only Ready can start it,
    // so only then is the process list read.
    connect(&m_gameRunningPoll, &QTimer::timeout, this, &MainViewModel::refreshGameRunning);
    connect(this, &MainViewModel::gameStateChanged, this, &MainViewModel::refreshGameRunning);
    // The install flow stores the folder it was given before it decides the state.
    connect(this, &MainViewModel::gameStateChanged, this, &MainViewModel::refreshInstallPath);
    m_gameRunningPoll.start(1500);
}

// Quitting has stopped the jobs already; whatever still runs (a view model
// dropped without quitting) is stopped and joined by the jobs' own
// destructors, without an event loop of its own here.
MainViewModel::~MainViewModel()
{
    delete m_game;
    delete m_installPathDialog;
    delete m_settingsDialog;
}

void MainViewModel::setProgramFolder(const QString &folder)
{
    m_programFolder = folder;
    m_content->setProgramFolder(folder);
    m_install->setProgramFolder(folder);
    m_update->setProgramFolder(folder);
}

void MainViewModel::setLanguage(const QString &language)
{
    m_language = language;
    m_content->setLanguage(language);
    emit mainBgResChanged();
}

void MainViewModel::initialize()
{
    StatusReport::instance();

    LauncherConfig *config = LauncherConfig::instance();
    if (config->gameInstallPath().isEmpty()) {
        config->setGameInstallPath(QStringLiteral("%1/%2").arg(m_programFolder, kGameFolderName));
        normalizeInstallPath();
    }

    RegistryHelper::instance()->syncUninstallDisplayVersion();
    RegistryHelper::instance()->syncLauncherVersion();

    // Only a launcher of an earlier version still reads it, after a rollback.
    config->setBool(QStringLiteral("is_user_update"), false, QString());

    const QString proxy = config->getString(QStringLiteral("proxy"), QString());
    if (proxy.isEmpty() || proxy == QLatin1String("0"))
        QNetworkProxyFactory::setUseSystemConfiguration(false);

    m_setupWorker = setupmanager::instance();
    connect(m_setupWorker, &setupmanager::globalMetaDataError, this,
        &MainViewModel::onGlobalMetaDataError);
    connect(m_setupWorker, &setupmanager::globalMetaDataDismiss, this,
        &MainViewModel::onGlobalMetaDataDismiss);

    if (!m_startedByUpdater)
        m_update->requestLatestRelease();
    m_settingsDialog = new DlgSetting;
    connect(m_settingsDialog, &DlgSetting::checkProgrameUpdate, this,
        &MainViewModel::onQueryProgremUpdate);
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    // Qt's only word on the network coming back; without it the player
    // still has the retry button.
    auto *network = new QNetworkConfigurationManager(this);
    connect(network, &QNetworkConfigurationManager::onlineStateChanged, this, [this](bool online) {
        if (online && m_gameState == CheckFailed)
            retryServices();
    });
    QT_WARNING_POP
    connect(m_settingsDialog, &DlgSetting::gameRepairRequested, m_repair, &GameRepair::start);
    requestGameInfo();
    requestContent();
}

void MainViewModel::setRootObject(QObject *root)
{
    m_dialogs.setWindow(qobject_cast<QWindow *>(root));
    // The task bar, alt-tab and every dialog show the launcher, not a
    // generic program.
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icon/launcher.ico")));
    StatusReport::instance()->report(StatusReport::LAUNCHER_HOME_SHOW);
}

void MainViewModel::setGameState(GameState state)
{
    m_gameState = state;
    emit gameStateChanged();
}

void MainViewModel::requestGameInfo()
{
    m_localGameVersion = LauncherConfig::instance()->gameVersion();
    emit versionChanged(m_localGameVersion);
    setGameState(Checking);
    m_resource->send();
}

void MainViewModel::requestContent()
{
    m_localGameVersion = LauncherConfig::instance()->gameVersion();
    emit versionChanged(m_localGameVersion);
    m_content->request();
}

void MainViewModel::askToRetryResource(bool showCancel)
{
    showMessage(
        tr("title_error"), tr("message_resource_check_failed"),
        [this](bool confirmed) {
            if (!confirmed)
                return;
            m_resource->resetRetries();
            requestGameInfo();
        },
        showCancel);
}

void MainViewModel::retryServices()
{
    m_resource->resetRetries();
    requestGameInfo();
    m_content->resetRetries();
    requestContent();
}

void MainViewModel::onResourceAnswer(const QByteArray &body)
{
    qDebug().noquote() << "update Info:" << body.left(4096);
    m_gameInfo->parseGameInfo(body);
    checkLauncherMinVersion();
    applyGameInfo();
}

void MainViewModel::applyGameInfo()
{
    decideGameState();
    m_content->refreshVersionBanner();
}

void MainViewModel::decideGameState()
{
    const QString version = LauncherConfig::instance()->gameVersion();
    const QString path = LauncherConfig::instance()->gameInstallPath();
    const QString latest = m_gameInfo->latestVersion();
    if (version.isEmpty() || path.isEmpty())
        m_gameState = NeedInstall;
    else if (version == latest)
        m_gameState = QFileInfo(gameExePath(QString())).isFile() ? Ready : NeedInstall;
    else
        m_gameState = latest.isEmpty() ? NeedInstall : NeedUpdate;
    emit gameStateChanged();
}

void MainViewModel::checkLauncherMinVersion()
{
    if (m_update->refuseBelowMinimum(m_gameInfo->minVersion(), m_gameInfo->forceUpdateUrl()))
        onApplicationQuit();
}

void MainViewModel::UpdateInfoByHttp()
{
    if (m_firstRefresh) {
        m_firstRefresh = false;
        return;
    }
    if (m_gameState != Downloading && m_gameState != Installing && m_gameState != Verifying) {
        m_resource->resetRetries();
        requestGameInfo();
    }
    m_content->resetRetries();
    requestContent();
    m_update->requestLatestRelease();
}

void MainViewModel::onStartUpdate(AppVersionInfo updateInfo)
{
    // The updater waits for this process to end: the quit stops the jobs
    // first, so it finds nothing of the program folder in use.
    if (m_update->handOver(updateInfo, m_language)) {
        onApplicationQuit();
        return;
    }
    m_dialogs.showMessage(tr("title_warning"), tr("message_run_update_exe_failed"), nullptr, false);
}

void MainViewModel::onExit()
{
    onApplicationQuit();
}

void MainViewModel::onGameInstalled(const QString &version)
{
    m_localGameVersion = version;
    emit versionChanged(version);
    decideGameState();
}

bool MainViewModel::startGameBtnClicked()
{
    // A second copy would fight the first over its files and saves. The
    // window stays, or comes back if it hid itself already.
    if (m_game->isRunning()) {
        refreshGameRunning();
        QMetaObject::invokeMethod(this, &MainViewModel::raiseWindowRequested, Qt::QueuedConnection);
        return false;
    }
    if (m_game->start())
        return true;
    showMessage(tr("title_error"), tr("message_game_start_failed"), nullptr, false);
    return false;
}

void MainViewModel::refreshGameRunning()
{
    const bool running = m_gameState == Ready && m_game->isRunning();
    if (running == m_gameRunning)
        return;
    m_gameRunning = running;
    emit gameRunningChanged();
}

void MainViewModel::refreshInstallPath()
{
    const QString shown = installPath();
    if (shown == m_shownInstallPath)
        return;
    m_shownInstallPath = shown;
    emit installPathChanged();
}

void MainViewModel::UpdateInstallPath(const QString &strPath)
{
    m_install->updateInstallPath(strPath);
    refreshInstallPath();
}

void MainViewModel::normalizeInstallPath()
{
    m_install->normalizeInstallPath();
    refreshInstallPath();
}

QString MainViewModel::updateShowVersion() const
{
    if (!m_localGameVersion.isEmpty())
        return m_localGameVersion;
    if (!m_gameInfo->latestVersion().isEmpty())
        return m_gameInfo->latestVersion();
    return QStringLiteral("--");
}

void MainViewModel::handleMessage(const QString &message)
{
    qDebug() << "handle msg" << message;
    if (message == QLatin1String("raise_window_noop"))
        emit raiseWindowRequested();
}

void MainViewModel::btnExitClick()
{
    // After the click that asked has returned to the window.
    const bool toTray = closeKeepsLauncherInTray(m_dialogs);
    QMetaObject::invokeMethod(this,
        toTray ? &MainViewModel::hideToTrayRequested : &MainViewModel::closeWindowRequested,
        Qt::QueuedConnection);
}

void MainViewModel::onApplicationQuit()
{
    m_dialogs.close();
    m_quit.begin(m_install->jobs() << m_repair->jobs());
}

void MainViewModel::btnSettingClick()
{
    if (m_settingsDialog)
        m_dialogs.exec(*m_settingsDialog);
}

void MainViewModel::changeInstallPathBtnClicked()
{
    if (!m_installPathDialog) {
        m_installPathDialog = new CSetInstallPathDialog;
        // Queued: the install starts once the dialog has closed, so a message
        // of the install that reopens the dialog does not nest it in itself.
        connect(m_installPathDialog, &CSetInstallPathDialog::startInstallClicked, this,
            &MainViewModel::startInstall, Qt::QueuedConnection);
        connect(m_installPathDialog, &CSetInstallPathDialog::updateInstallPath, this,
            &MainViewModel::UpdateInstallPath);
    }
    m_installPathDialog->setRequiredSpace(m_gameInfo->latestSize());
    const QString path = LauncherConfig::instance()->gameInstallPath();
    m_installPathDialog->setInstallPath(path.isEmpty() ? m_programFolder : path);
    m_dialogs.exec(*m_installPathDialog);
    refreshInstallPath();
}
