#include "viewmodel/installflow.h"

#include "core/filenames.h"
#include "core/launcherconfig.h"
#include "download/downloadmanager.h"
#include "net/updateversioninfo.h"
#include "platform/volume.h"
#include "report/statusreport.h"
#include "setup/setupmanager.h"
#include "viewmodel/mainviewmodel.h"
#include "viewmodel/pluginpackage.h"
#include "viewmodel/progresstexts.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString kGameFolderName = QStringLiteral("Tessaril Game");
constexpr int kDisplayPathLimit = 80;
constexpr int kDisplayPathHalf = 40;

} // namespace

InstallFlow::InstallFlow(
    MainViewModel &model, UpdateVersionInfo &info, ProgressTexts &progress, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_info(info)
    , m_progress(progress)
    , m_gameDownloader(new downloadmanager(this))
    , m_plugin(new PluginPackage(info, this))
{
    // Records of game downloads begun by an earlier version are still resumed.
    m_gameDownloader->setResumeKey(QStringLiteral("game"), true);
    connect(m_gameDownloader, &downloadmanager::downloadFinished, this,
        &InstallFlow::onDownloadFinished);
    connect(m_gameDownloader, &downloadmanager::downloadError, this, &InstallFlow::onDownloadError);
    connect(m_gameDownloader, &downloadmanager::httpError, this, &InstallFlow::onHttpError);
    connect(m_gameDownloader, &downloadmanager::md5CheckStart, &m_progress,
        &ProgressTexts::startMd5Animation);
    connect(m_gameDownloader, &downloadmanager::md5CheckFinish, this, &InstallFlow::onMd5Finished);
    connect(m_gameDownloader, &downloadmanager::downloadReplyProgress, &m_progress,
        &ProgressTexts::onDownloadProgress);
}

void InstallFlow::setProgramFolder(const QString &folder)
{
    m_plugin->setProgramFolder(folder);
}

void InstallFlow::attachGameSetup(setupmanager *worker)
{
    m_setupWorker = worker;
    connect(m_setupWorker, &setupmanager::setupFinished, this, &InstallFlow::onSetupFinished);
    connect(m_setupWorker, &setupmanager::setupError, this, &InstallFlow::onSetupError);
    connect(
        m_setupWorker, &setupmanager::setupProgress, &m_progress, &ProgressTexts::onSetupProgress);
}

QString InstallFlow::cleanPath(QString path)
{
    path.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    path.replace(QStringLiteral("//"), QStringLiteral("/"));
    if (path.endsWith(QLatin1Char('\\')) || path.endsWith(QLatin1Char('/'))) {
        path.chop(1);
        qDebug() << "removed :" << path;
    }
    return path;
}

bool InstallFlow::hasRoomFor(const QString &path, qint64 need) const
{
    if (need <= 0)
        return true;
    const QStorageInfo volume = platform::volumeOf(path);
    return volume.isValid() && volume.bytesAvailable() >= need;
}

void InstallFlow::installClicked()
{
    m_isUpdate = false;
    m_progress.resetSpeedText();
    if (m_model.gameState() == MainViewModel::CheckFailed) {
        m_model.requestGameInfo();
        return;
    }
    if (m_model.gameState() < MainViewModel::NeedInstall
        || (m_model.gameState() == MainViewModel::NeedInstall && m_info.latestPath().isEmpty())) {
        m_model.showMessage(MainViewModel::tr("title_tip"),
            MainViewModel::tr("message_checking_update"), nullptr, false);
        return;
    }
    LauncherConfig *config = LauncherConfig::instance();
    if (config->gameInstallPath().isEmpty())
        normalizeInstallPath();
    const QString path = cleanPath(config->gameInstallPath());
    const auto reopen = [this](bool confirmed) {
        if (confirmed)
            emit installPathWanted();
    };
    if (path.isEmpty() || !platform::isValidInstallPath(path)
        || (!QFileInfo::exists(path) && !QDir().mkpath(path))
        || !platform::canCreateFolderAt(path)) {
        m_model.showMessage(MainViewModel::tr("title_error"),
            MainViewModel::tr("message_create_floder_failed"), reopen, false);
        StatusReport::instance()->report(
            StatusReport::LAUNCHER_GAME_SETUP_ERROR, { { QStringLiteral("path"), path } });
        return;
    }
    if (!hasRoomFor(path, m_info.latestSize())) {
        m_model.showMessage(MainViewModel::tr("title_error"),
            MainViewModel::tr("message_not_enough_space_select_path"), reopen, false);
        return;
    }
    // Only a download that really starts is reported as one.
    StatusReport::instance()->report(StatusReport::LAUNCHER_HOME_DOWNLOAD);
    config->setGameInstallPath(path);
    m_model.decideGameState();
    startGameDownload();
}

void InstallFlow::updateClicked()
{
    m_isUpdate = true;
    StatusReport::instance()->report(StatusReport::LAUNCHER_UPDATE_GAME);
    const QString version = LauncherConfig::instance()->gameVersion();
    if (!hasRoomFor(LauncherConfig::instance()->gameInstallPath(), m_info.getSize(version))) {
        m_model.showMessage(MainViewModel::tr("title_error"),
            MainViewModel::tr("message_disk_not_enough_space"), nullptr, false);
        return;
    }
    downloadPackage();
}

void InstallFlow::startGameDownload()
{
    if (m_model.gameState() == MainViewModel::NeedInstall)
        downloadPackage();
}

QString InstallFlow::packageName() const
{
    return UpdateVersionInfo::fileName(m_info.getUrl(LauncherConfig::instance()->gameVersion()));
}

void InstallFlow::downloadPackage()
{
    m_progress.resetRun();
    const QString version = LauncherConfig::instance()->gameVersion();
    const QString problem = m_info.packageProblem(version);
    if (!problem.isEmpty()) {
        // Known before a single byte is fetched; the download would only fail
        // its check at the end.
        m_model.showMessage(MainViewModel::tr("title_error"), problem, nullptr, false);
        m_model.decideGameState();
        return;
    }
    const QString folder = LauncherConfig::instance()->gameInstallPath();
    const QString url = m_info.getUrl(version);
    const QString name = UpdateVersionInfo::fileName(url);
    m_gameDownloader->setUrl(QUrl(url));
    m_gameDownloader->setFilePath(folder);
    m_gameDownloader->setFileMD5(m_info.getMd5(version));
    m_setupWorker->setZipFilePath(folder);
    m_setupWorker->setZipFileName(name);
    // A full package describes the whole game; a part of it only changes
    // the record there is.
    m_setupWorker->setRecordMode(url == m_info.latestPath() ? setupmanager::RecordMode::Fresh
                                                            : setupmanager::RecordMode::Update);
    m_plugin->prepare();

    if (FileNames::isPlain(name) && QFileInfo(folder + QLatin1Char('/') + name).isFile()) {
        onDownloadFinished();
        return;
    }
    m_model.setGameState(MainViewModel::Downloading);
    m_gameDownloader->startDownload();
    m_plugin->step(false);
}

void InstallFlow::onDownloadFinished()
{
    StatusReport::instance()->report(m_isUpdate ? StatusReport::LAUNCHER_HOME_UPDATEGAME_FINISH
                                                : StatusReport::LAUNCHER_HOME_DOWNLOAD_FINISH);
    m_model.setGameState(MainViewModel::Verifying);
    m_progress.finishDownload();
    m_gameDownloader->fileMd5(
        LauncherConfig::instance()->gameInstallPath() + QLatin1Char('/') + packageName());
}

void InstallFlow::onMd5Finished()
{
    m_progress.stopMd5Animation();
    m_model.setGameState(MainViewModel::Installing);
    m_progress.resetRun();
    beginSetup();
}

void InstallFlow::beginSetup()
{
    m_progress.resetBar();
    if (m_model.isGameRunning()) {
        m_model.askToEndGame(this, m_killRetryMs, [this] { beginSetup(); });
        m_model.decideGameState();
        return;
    }
    m_plugin->step(true);
    m_setupErrorShown = false;
    m_setupWorker->start();
    m_progress.beginSetup();
    m_model.setGameState(MainViewModel::Installing);
    StatusReport::instance()->report(StatusReport::LAUNCHER_HOME_INSTALL);
}

void InstallFlow::onSetupFinished()
{
    StatusReport::instance()->report(StatusReport::LAUNCHER_HOME_INSTALL_FINISH);
    m_progress.resetBar();
    if (m_plugin->isUnpacking()) {
        // The game's files are in place but the plugin is still unpacking:
        // the version is recorded once that is over, never before.
        m_plugin->whenUnpacked([this] { onSetupFinished(); });
        return;
    }
    const QString latest = m_info.latestVersion();
    LauncherConfig *config = LauncherConfig::instance();
    m_model.makeGameExecutable(config->gameInstallPath());
    config->setGameVersion(latest);
    config->initCps(QStringLiteral("vantor"));
    config->initChannel(QStringLiteral("1"));
    config->initSubChannel(QStringLiteral("0"));
    emit installed(latest);
}

void InstallFlow::showError(
    const QString &title, ErrorDefine::ErrorCode code, const QString &message)
{
    m_model.showMessage(
        title, QStringLiteral("[%1]:%2").arg(int(code)).arg(message), nullptr, true);
}

void InstallFlow::onDownloadError(ErrorDefine::ErrorCode code, const QString &message)
{
    m_progress.stopMd5Animation();
    m_progress.resetRun();
    m_model.decideGameState();
    m_model.applyGameInfo();
    showError(MainViewModel::tr("message_download_error"), code, message);
}

void InstallFlow::onHttpError(ErrorDefine::ErrorCode code, const QString &message)
{
    m_model.decideGameState();
    showError(MainViewModel::tr("message_download_error"), code, message);
}

void InstallFlow::onSetupError(ErrorDefine::ErrorCode code, const QString &message)
{
    m_progress.resetBar();
    if (m_plugin->isUnpacking()) {
        m_plugin->whenUnpacked([this, code, message] { onSetupError(code, message); });
        return;
    }
    // A damaged package fails item after item; the player hears of it once.
    if (m_setupErrorShown)
        return;
    m_setupErrorShown = true;
    m_model.decideGameState();
    StatusReport::instance()->report(StatusReport::LAUNCHER_GAME_SETUP_ERROR,
        { { QStringLiteral("errorCode"), errorCodeText(code) },
            { QStringLiteral("errorDesc"), message } });
    showError(MainViewModel::tr("message_setup_error"), code, message);
}

void InstallFlow::pauseClicked()
{
    const bool pausing = m_gameDownloader->isDownloading();
    if (pausing) {
        m_gameDownloader->stopDownlaod();
        m_progress.resetSpeedText();
        m_progress.resetTimeText();
    } else {
        m_gameDownloader->startDownload();
    }
    m_model.setDownloadPaused(pausing);
}

QString InstallFlow::installPathText() const
{
    const QString path = LauncherConfig::instance()->gameInstallPath();
    if (path.size() <= kDisplayPathLimit)
        return path;
    return path.left(kDisplayPathHalf) + QStringLiteral(" ... ") + path.right(kDisplayPathHalf);
}

void InstallFlow::updateInstallPath(const QString &path)
{
    LauncherConfig::instance()->setGameInstallPath(path);
}

void InstallFlow::normalizeInstallPath()
{
    QString path = LauncherConfig::instance()->gameInstallPath();
    const QStringList parts = path.split(QRegularExpression(QStringLiteral("[\\\\/]")));
    if (parts.last().compare(kGameFolderName, Qt::CaseInsensitive) != 0)
        path += QDir::separator() + kGameFolderName;
    LauncherConfig::instance()->setGameInstallPath(path);
}

bool InstallFlow::isDownloadNotComplated(const QString &localVersion) const
{
    const QString folder = LauncherConfig::instance()->gameInstallPath();
    if (folder.isEmpty())
        return false;
    const QString name = UpdateVersionInfo::fileName(m_info.getUrl(localVersion));
    return FileNames::isPlain(name)
        && QFileInfo::exists(folder + QLatin1Char('/') + name + QStringLiteral("_tmp"));
}

void InstallFlow::stopForQuit()
{
    if (m_setupWorker)
        m_setupWorker->disconnect(this);
    m_gameDownloader->stopDownlaod();
    if (m_setupWorker)
        m_setupWorker->exit(0);
}
