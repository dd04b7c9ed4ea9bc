#include "viewmodel/mainviewmodel.h"

#include "core/buildinfo.h"
#include "core/launcherconfig.h"
#include "core/registryhelper.h"
#include "core/versioncompare.h"
#include "dialogs/cdlgyesno.h"
#include "dialogs/csetinstallpathdialog.h"
#include "dialogs/dlgsetting.h"
#include "net/httprequestapi.h"
#include "net/launcherapi.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "setup/setupmanager.h"
#include "viewmodel/gamelauncher.h"
#include "viewmodel/gamerepair.h"
#include "viewmodel/installflow.h"
#include "viewmodel/launchercontent.h"
#include "viewmodel/launcherupdate.h"
#include "viewmodel/progresstexts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QJsonDocument>
#include <QNetworkConfigurationManager>
#include <QNetworkProxyFactory>

namespace {

const QString kGameFolderName = QStringLiteral("Tessaril Game");
constexpr int kSilentRetries = 4;

bool isJsonObject(const QByteArray &body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    return error.error == QJsonParseError::NoError && document.isObject();
}

} // namespace

MainViewModel::MainViewModel(QObject *parent)
    : QObject(parent)
    , m_programFolder(QCoreApplication::applicationDirPath())
    , m_clockMs([] {
        static QElapsedTimer clock;
        if (!clock.isValid())
            clock.start();
        return clock.elapsed();
    })
    , m_gameInfo(new UpdateVersionInfo(this))
    , m_game(new GameLauncher(*m_gameInfo))
    , m_content(new LauncherContent(*m_gameInfo, m_items, m_dialogs, this))
    , m_progressTexts(new ProgressTexts(m_items, this))
    , m_update(new LauncherUpdate(m_items, this))
    , m_install(new InstallFlow(*this, *m_gameInfo, *m_progressTexts, this))
    , m_repair(new GameRepair(*this, *m_gameInfo, this))
{
    // The buttons that would touch the game wait while it is being repaired.
    connect(m_repair, &GameRepair::changed, this, &MainViewModel::repairChanged);
    connect(m_repair, &GameRepair::changed, this, &MainViewModel::gameStateChanged);
    connect(m_update, &LauncherUpdate::startUpdate, this, &MainViewModel::onStartUpdate);
    connect(m_update, &LauncherUpdate::quitApp, this, &MainViewModel::onExit);
    connect(m_update, &LauncherUpdate::newProgramVersionUpdate, this,
        &MainViewModel::onNewProgramVersionUpdate);
    connect(m_progressTexts, &ProgressTexts::progressChanged, this, &MainViewModel::setProgress);
    connect(m_install, &InstallFlow::installed, this, &MainViewModel::onGameInstalled);
    connect(m_install, &InstallFlow::phaseChanged, this, &MainViewModel::installPathChanged);
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
    // The game says nothing when it starts or ends; only Ready can start it,
    // so only then is the process list read.
    connect(&m_gameRunningPoll, &QTimer::timeout, this, &MainViewModel::refreshGameRunning);
    connect(this, &MainViewModel::gameStateChanged, this, &MainViewModel::refreshGameRunning);
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
    m_items.setRoot(root);
    // The task bar, alt-tab and every dialog show the launcher, not a
    // generic program.
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icon/launcher.ico")));
    if (QLatin1String(kReleaseStage) == QLatin1String("prev"))
        m_items.set(QStringLiteral("preTip"), "visible", true);
    StatusReport::instance()->report(StatusReport::LAUNCHER_HOME_SHOW);
}

void MainViewModel::setGameState(GameState state)
{
    m_gameState = state;
    emit gameStateChanged();
}

void MainViewModel::setProgress(float progress)
{
    m_progress = progress;
    emit progressChanged();
}

bool MainViewModel::startGameVisible() const
{
    switch (m_gameState) {
    case Checking:
    case Ready:
    case Downloading:
    case Installing:
    case Verifying:
        return true;
    default:
        return false;
    }
}

QString MainViewModel::buildApiUrl(bool resource) const
{
    return LauncherApi::url(resource, m_language);
}

void MainViewModel::requestGameInfo()
{
    m_localGameVersion = LauncherConfig::instance()->gameVersion();
    emit versionChanged(m_localGameVersion);
    setGameState(Checking);
    if (!m_resourceApi) {
        m_resourceApi = new HttpRequestAPI(this);
        m_resourceApi->setRawHeader("content-type", "application/json");
        StatusReport::instance()->watch(m_resourceApi);
    }
    m_resourceApi->get(buildApiUrl(true),
        [this](bool ok, const QByteArray &body, const QString &errorText, int status) {
            onResourceReply(ok, body, errorText, status);
        });
}

void MainViewModel::requestContent()
{
    m_localGameVersion = LauncherConfig::instance()->gameVersion();
    emit versionChanged(m_localGameVersion);
    m_content->request();
}

void MainViewModel::retryResourceAction(bool confirmed)
{
    if (!confirmed)
        return;
    m_resourceRetries = 0;
    requestGameInfo();
}

void MainViewModel::retryServices()
{
    m_resourceRetries = 0;
    requestGameInfo();
    m_content->resetRetries();
    requestContent();
}

void MainViewModel::onResourceReply(
    bool ok, const QByteArray &body, const QString &errorText, int status)
{
    if (ok && status == 200) {
        qDebug().noquote() << "update Info:" << body.left(4096);
        if (!isJsonObject(body)) {
            showMessage(
                tr("title_error"), tr("message_resource_check_failed"),
                [this](bool confirmed) { retryResourceAction(confirmed); }, false);
            setGameState(CheckFailed);
            applyGameInfo();
            return;
        }
        m_gameInfo->parseGameInfo(body);
        updateShowVersion();
        checkLauncherMinVersion();
        applyGameInfo();
        return;
    }
    m_items.set(QStringLiteral("bgWebView"), "visible", false);
    qDebug() << "request server game version error " << errorText;
    if (m_resourceRetries > kSilentRetries) {
        // Failed before the question: a retry confirmed in it is Checking
        // again and must stay so until its reply.
        setGameState(CheckFailed);
        showMessage(
            tr("title_error"), tr("message_resource_check_failed"),
            [this](bool confirmed) { retryResourceAction(confirmed); }, true);
        return;
    }
    ++m_resourceRetries;
    requestGameInfo();
}

void MainViewModel::applyGameInfo()
{
    updateShowVersion();
    decideGameState();
    m_items.set(QStringLiteral("bbsBtn"), "visible", false);
    m_items.set(QStringLiteral("websiteBtn"), "visible", false);
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
    updateShowVersion();
}

void MainViewModel::checkLauncherMinVersion()
{
    if (compareVersion(QLatin1String(kLauncherVersion), m_gameInfo->minVersion()) <= 0)
        return;
    const QUrl page(m_gameInfo->forceUpdateUrl(), QUrl::StrictMode);
    const bool pageValid = page.isValid() && !page.isRelative()
        && (page.scheme().toLower() == QLatin1String("http")
            || page.scheme().toLower() == QLatin1String("https"));
    CDlgYesNo dialog;
    dialog.setCloseButtonVisible(false);
    dialog.setOkOnly(true);
    dialog.setTitleAndText(QString(),
        pageValid ? tr("message_need_update_launcher") : tr("message_launcher_version_old"));
    dialog.setOkText(tr("button_confirm"));
    dialog.resize(460, 300);
    m_dialogs.exec(dialog);
    if (pageValid)
        openExternalUrl(page.toString());
    onApplicationQuit();
}

void MainViewModel::UpdateInfoByHttp()
{
    if (m_firstRefresh) {
        m_firstRefresh = false;
        return;
    }
    if (m_gameState != Downloading && m_gameState != Installing && m_gameState != Verifying) {
        m_resourceRetries = 0;
        requestGameInfo();
    }
    m_content->resetRetries();
    requestContent();
    m_update->requestLatestRelease();
}

void MainViewModel::onQueryProgremUpdate()
{
    m_update->requestLatestRelease(true);
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

bool MainViewModel::hasNewProgramVersion() const
{
    const QString newest
        = LauncherConfig::instance()->getString(QStringLiteral("new_version"), QString());
    return !newest.isEmpty() && compareVersion(QLatin1String(kLauncherVersion), newest) > 0;
}

void MainViewModel::showMessage(
    const QString &title, const QString &text, PendingAction action, bool showCancel)
{
    m_dialogs.showMessage(title, text, std::move(action), showCancel);
}

void MainViewModel::onDlgYesNoConfirmClicked(bool value)
{
    m_dialogs.answer(value);
}

void MainViewModel::onGeneralDialogConfirmClicked(bool value)
{
    onDlgYesNoConfirmClicked(value);
}

void MainViewModel::onExit()
{
    onApplicationQuit();
}

void MainViewModel::onNewProgramVersionUpdate()
{
    emit newProgramVersionUpdate();
}

void MainViewModel::onGlobalMetaDataDismiss()
{
    StatusReport::instance()->report(StatusReport::GLOBAL_META_DATA_DISSMISS_OR_ZERO);
}

void MainViewModel::onGlobalMetaDataError()
{
    StatusReport::instance()->report(StatusReport::GLOBAL_META_DATA_ERROR);
}

void MainViewModel::onStartMd5Check()
{
    m_progressTexts->startMd5Animation();
}

void MainViewModel::UpdateCheckMd5Tip()
{
    m_progressTexts->UpdateCheckMd5Tip();
}

void MainViewModel::onGameInstalled(const QString &version)
{
    m_localGameVersion = version;
    emit versionChanged(version);
    decideGameState();
}
