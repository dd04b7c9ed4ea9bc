#include "viewmodel/mainviewmodel.h"

#include "core/buildinfo.h"
#include "core/launcherconfig.h"
#include "core/registryhelper.h"
#include "core/versioncompare.h"
#include "dialogs/cdlgyesno.h"
#include "download/downloadmanager.h"
#include "net/httprequestapi.h"
#include "net/serviceaddresses.h"
#include "net/updateversioninfo.h"
#include "report/statusreport.h"
#include "setup/setupmanager.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonDocument>
#include <QNetworkProxyFactory>
#include <QSettings>
#include <QUrlQuery>

namespace {

const QString kGameFolderName = QStringLiteral("Tessaril Game");
const QString kLauncherId = QStringLiteral("10");
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
{
    m_md5TipTimer.setInterval(1000);
}

MainViewModel::~MainViewModel()
{
    StatusReport::instance()->report(StatusReport::LAUNCHER_QUIT);
    delete m_resourceApi;
    m_resourceApi = nullptr;
    delete m_gameInfo;
    m_gameInfo = nullptr;
    delete m_gameDownloader;
    m_gameDownloader = nullptr;
    delete m_pluginDownloader;
    m_pluginDownloader = nullptr;
    if (m_pluginSetupWorker) {
        m_pluginSetupWorker->wait();
        delete m_pluginSetupWorker;
        m_pluginSetupWorker = nullptr;
    }
    delete m_bgImageDownloader;
    m_bgImageDownloader = nullptr;
    delete m_iconDownloader;
    m_iconDownloader = nullptr;
    delete m_contentApi;
    m_contentApi = nullptr;
    if (m_setupWorker && m_setupWorker->isRunning())
        m_setupWorker->quit();
    // Gives the quit report a moment on the wire before the process ends.
    QEventLoop loop;
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();
    m_pendingAction = nullptr;
}

QString MainViewModel::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

void MainViewModel::initialize()
{
    StatusReport::instance();

    LauncherConfig *config = LauncherConfig::instance();
    if (config->gameInstallPath().isEmpty()) {
        config->setGameInstallPath(QStringLiteral("%1/%2").arg(programFolder(), kGameFolderName));
        normalizeInstallPath();
    }

    RegistryHelper::instance()->syncUninstallDisplayVersion();
    RegistryHelper::instance()->syncLauncherVersion();

    config->setBool(QStringLiteral("is_user_update"), false, QString());

    const QString proxy
        = QSettings(programFolder() + QStringLiteral("/config.ini"), QSettings::IniFormat)
              .value(QStringLiteral("proxy"))
              .toString();
    if (proxy.isEmpty() || proxy == QLatin1String("0"))
        QNetworkProxyFactory::setUseSystemConfiguration(false);

    m_gameInfo = new UpdateVersionInfo;

    m_gameDownloader = new downloadmanager;
    connect(
        m_gameDownloader, &downloadmanager::md5CheckStart, this, &MainViewModel::onStartMd5Check);

    m_setupWorker = setupmanager::instance();
    connect(m_setupWorker, &setupmanager::globalMetaDataError, this,
        &MainViewModel::onGlobalMetaDataError);
    connect(m_setupWorker, &setupmanager::globalMetaDataDismiss, this,
        &MainViewModel::onGlobalMetaDataDismiss);

    m_pluginDownloader = new downloadmanager;
    m_pluginSetupWorker = new setupmanager;

    m_bgImageDownloader = new downloadmanager;
    connect(m_bgImageDownloader, &downloadmanager::downloadFinished, this,
        &MainViewModel::onBackgroundDownloaded);
    m_iconDownloader = new downloadmanager;
    connect(m_iconDownloader, &downloadmanager::downloadFinished, this,
        &MainViewModel::onIconDownloaded);

    requestGameInfo();
    requestContent();
}

void MainViewModel::setRootObject(QObject *root)
{
    m_root = root;
    if (QLatin1String(kReleaseStage) == QLatin1String("prev"))
        setItemProperty(QStringLiteral("preTip"), "visible", true);
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
    const bool preview = QLatin1String(kReleaseStage) == QLatin1String("prev");
    const QString endpoint = resource
        ? (preview ? QStringLiteral("prevResource") : QStringLiteral("resource"))
        : (preview ? QStringLiteral("prevContent") : QStringLiteral("content"));
    QUrl url(QStringLiteral("%1/zqk/launcher/api/%2")
                 .arg(ServiceAddresses::contentServiceBase(), endpoint));
    QUrlQuery query;
    if (!resource) {
        query.addQueryItem(QStringLiteral("filter_adv"), QStringLiteral("true"));
        query.addQueryItem(QStringLiteral("language"), m_language);
    }
    query.addQueryItem(QStringLiteral("launcher_id"), kLauncherId);
    url.setQuery(query);
    return url.toString();
}

void MainViewModel::requestGameInfo()
{
    m_localGameVersion = LauncherConfig::instance()->gameVersion();
    emit versionChanged(m_localGameVersion);
    setGameState(Checking);
    if (!m_resourceApi) {
        m_resourceApi = new HttpRequestAPI;
        StatusReport::instance()->watch(m_resourceApi);
        m_resourceApi->setRawHeader("content-type", "application/json");
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
    if (!m_contentApi) {
        m_contentApi = new HttpRequestAPI;
        StatusReport::instance()->watch(m_contentApi);
        m_contentApi->setRawHeader("content-type", "application/json");
    }
    m_contentApi->get(buildApiUrl(false),
        [this](bool ok, const QByteArray &body, const QString &errorText, int status) {
            onContentReply(ok, body, errorText, status);
        });
}

void MainViewModel::retryResourceAction(bool confirmed)
{
    if (!confirmed)
        return;
    m_resourceRetries = 0;
    requestGameInfo();
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
    setItemProperty(QStringLiteral("bgWebView"), "visible", false);
    qDebug() << "request server game version error " << errorText;
    if (m_resourceRetries > kSilentRetries) {
        showMessage(
            tr("title_error"), tr("message_resource_check_failed"),
            [this](bool confirmed) { retryResourceAction(confirmed); }, true);
        setGameState(CheckFailed);
        return;
    }
    ++m_resourceRetries;
    requestGameInfo();
}

void MainViewModel::onContentReply(bool ok, const QByteArray &body, const QString &, int status)
{
    auto retry = [this](bool confirmed) {
        if (!confirmed)
            return;
        m_contentRetries = 0;
        requestContent();
    };
    if (ok && status == 200) {
        if (!isJsonObject(body)) {
            showMessage(tr("title_error"), tr("message_launcher_check_failed"), retry, true);
            return;
        }
        m_gameInfo->parseContent(body);
        applyBackground();
        if (!m_gameInfo->bannerIcon().isEmpty()) {
            m_iconDownloader->setUrl(QUrl(m_gameInfo->bannerIcon()));
            m_iconDownloader->setFilePath(programFolder());
            m_iconDownloader->startDownload();
        }
        if (m_firstContentReply) {
            m_firstContentReply = false;
        } else {
            m_webReloadPending = true;
            emit mainBgResChanged();
        }
        return;
    }
    if (m_contentRetries > kSilentRetries) {
        showMessage(tr("title_error"), tr("message_launcher_check_failed"), retry, true);
        return;
    }
    ++m_contentRetries;
    requestContent();
}

void MainViewModel::applyGameInfo()
{
    updateShowVersion();
    decideGameState();
    setItemProperty(QStringLiteral("bbsBtn"), "visible", false);
    setItemProperty(QStringLiteral("websiteBtn"), "visible", false);
    refreshVersionBanner();
}

void MainViewModel::decideGameState()
{
    const QString version = LauncherConfig::instance()->gameVersion();
    const QString path = LauncherConfig::instance()->gameInstallPath();
    const QString latest = m_gameInfo ? m_gameInfo->latestVersion() : QString();
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
    const bool pageValid = page.isValid() && !page.isRelative();
    CDlgYesNo dialog;
    dialog.setCloseButtonVisible(false);
    dialog.setOkOnly(true);
    dialog.setTitleAndText(QString(),
        pageValid ? tr("message_need_update_launcher") : tr("message_launcher_version_old"));
    dialog.setOkText(tr("button_confirm"));
    dialog.resize(460, 300);
    dialog.exec();
    if (pageValid)
        QDesktopServices::openUrl(page);
    QCoreApplication::exit(0);
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
    m_contentRetries = 0;
    requestContent();
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
    m_pendingAction = std::move(action);
    const QRect over = rootRect();
    setItemProperty(QStringLiteral("bgMask_msgbox"), "visible", true);
    const bool confirmed = CDlgYesNo::showMessage(title, text, showCancel, nullptr, over) == 1;
    // The action may show the next message, which replaces m_pendingAction.
    const PendingAction pending = std::move(m_pendingAction);
    m_pendingAction = nullptr;
    if (pending)
        pending(confirmed);
    if (CDlgYesNo::openCount() == 0)
        setItemProperty(QStringLiteral("bgMask_msgbox"), "visible", false);
}

void MainViewModel::onDlgYesNoConfirmClicked(bool value)
{
    if (m_pendingAction)
        m_pendingAction(value);
}

void MainViewModel::onGeneralDialogConfirmClicked(bool value)
{
    onDlgYesNoConfirmClicked(value);
}

void MainViewModel::onExit()
{
    QCoreApplication::exit(0);
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
    m_md5TipTimer.start(1000);
}

QObject *MainViewModel::findItem(const QString &objectName) const
{
    if (!m_root)
        return nullptr;
    if (m_root->objectName() == objectName)
        return m_root;
    return m_root->findChild<QObject *>(objectName);
}

bool MainViewModel::setItemProperty(
    const QString &objectName, const char *property, const QVariant &value)
{
    QObject *item = findItem(objectName);
    return item && item->setProperty(property, value);
}

bool MainViewModel::invokeItem(
    const QString &objectName, const char *method, Qt::ConnectionType type)
{
    QObject *item = findItem(objectName);
    return item && QMetaObject::invokeMethod(item, method, type);
}

QRect MainViewModel::rootRect() const
{
    if (!m_root)
        return QRect();
    return QRect(m_root->property("x").toInt(), m_root->property("y").toInt(),
        m_root->property("width").toInt(), m_root->property("height").toInt());
}
