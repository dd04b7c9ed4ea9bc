#include "viewmodel/installflow.h"

#include "core/filenames.h"
#include "core/launcherconfig.h"
#include "download/downloadjob.h"
#include "download/downloadmanager.h"
#include "net/updateversioninfo.h"
#include "platform/volume.h"
#include "report/statusreport.h"
#include "setup/extractjob.h"
#include "setup/setupmanager.h"
#include "viewmodel/mainviewmodel.h"
#include "viewmodel/pluginpackage.h"
#include "viewmodel/progresstexts.h"
#include "viewmodel/stagingrun.h"

#include <QDebug>
#include <QDir>
#include <QFile>
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
    , m_download(new DownloadJob(this))
    , m_extract(new ExtractJob(setupmanager::instance(), this))
    , m_plugin(new PluginPackage(info, this))
    , m_staging(new StagingRun(m_extract, m_download->manager(), this))
{
    downloadmanager *downloader = m_download->manager();
    // Records of game downloads begun by an earlier version are still resumed.
    downloader->setResumeKey(QStringLiteral("game"), true);
    connect(m_download, &Job::finished, this, &InstallFlow::onDownloadFinished);
    connect(downloader, &downloadmanager::md5CheckStart, this, [this] {
        if (m_phase == Phase::Downloading) {
            setPhase(Phase::Verifying);
            m_progress.finishDownload();
            m_progress.startMd5Animation();
        }
    });
    connect(downloader, &downloadmanager::downloadReplyProgress, &m_progress,
        &ProgressTexts::onDownloadProgress);
    connect(m_extract, &Job::finished, this, [this] {
        if (m_staging->ownsRun())
            m_staging->runFinished();
        else
            onExtractFinished();
    });
    // The extraction beside the download is no part of the bar.
    connect(m_extract, &Job::progress, this, [this](qint64 done, qint64 total) {
        if (m_phase == Phase::Installing)
            m_progress.onSetupProgress(done, total);
    });
    connect(m_staging, &StagingRun::settled, this, [this] {
        if (m_verified && m_phase == Phase::Verifying)
            installChecked();
    });
    connect(m_plugin, &Job::finished, this, &InstallFlow::onPluginFinished);
}

void InstallFlow::setProgramFolder(const QString &folder)
{
    m_plugin->setProgramFolder(folder);
}

downloadmanager *InstallFlow::gameDownloader() const
{
    return m_download->manager();
}

QList<Job *> InstallFlow::jobs() const
{
    return { m_download, m_extract, m_plugin };
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
    if (m_phase != Phase::Idle)
        return;
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
    if (m_phase != Phase::Idle)
        return;
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
    if (m_phase == Phase::Idle && m_model.gameState() == MainViewModel::NeedInstall)
        downloadPackage();
}

QString InstallFlow::packagePath() const
{
    return LauncherConfig::instance()->gameInstallPath() + QLatin1Char('/')
        + UpdateVersionInfo::fileName(m_info.getUrl(LauncherConfig::instance()->gameVersion()));
}

// The window follows the phase; outside the flow's own phases it shows what
// the folder and the manifest say.
void InstallFlow::setPhase(Phase phase)
{
    m_phase = phase;
    switch (phase) {
    case Phase::Idle:
    case Phase::EndingGame:
        m_model.decideGameState();
        break;
    case Phase::Downloading:
    case Phase::Paused:
        m_model.setGameState(MainViewModel::Downloading);
        break;
    case Phase::Verifying:
        m_model.setGameState(MainViewModel::Verifying);
        break;
    case Phase::Installing:
    case Phase::WaitingForPlugin:
        m_model.setGameState(MainViewModel::Installing);
        break;
    }
    emit phaseChanged();
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
        setPhase(Phase::Idle);
        return;
    }
    const QString folder = LauncherConfig::instance()->gameInstallPath();
    const QString url = m_info.getUrl(version);
    downloadmanager *downloader = m_download->manager();
    downloader->setUrl(QUrl(url));
    downloader->setFilePath(folder);
    downloader->setFileMD5(m_info.getMd5(version));
    m_download->setPackagePath(packagePath());
    setupmanager *setup = m_extract->manager();
    setup->setZipFilePath(folder);
    setup->setZipFileName(UpdateVersionInfo::fileName(url));
    // A full package describes the whole game; a part of it only changes
    // the record there is.
    setup->setRecordMode(url == m_info.latestPath() ? setupmanager::RecordMode::Fresh
                                                    : setupmanager::RecordMode::Update);
    m_plugin->prepare();
    m_plugin->start();
    startRun();
}

void InstallFlow::startRun()
{
    m_pausing = false;
    m_verified = false;
    setPhase(Phase::Downloading);
    // A package already whole is only checked, and then extracted.
    m_staging->begin(packagePath(), m_info.getSize(LauncherConfig::instance()->gameVersion()),
        QFileInfo(packagePath()).isFile());
    m_download->start();
}

void InstallFlow::installChecked()
{
    if (!m_staging->failedOnThePackage()) {
        beginSetup();
        return;
    }
    // Removed as an install run that failed removes it: the next Get fetches
    // it anew.
    m_staging->forget();
    QFile::remove(packagePath());
    setupFailed();
}

void InstallFlow::pauseClicked()
{
    if (m_phase == Phase::Downloading) {
        m_pausing = true;
        m_download->abort();
    } else if (m_phase == Phase::Paused) {
        startRun();
    }
}

void InstallFlow::onDownloadFinished()
{
    m_progress.stopMd5Animation();
    if (!m_download->succeeded())
        m_staging->stop();
    if (m_download->wasAborted()) {
        if (m_pausing) {
            m_progress.resetSpeedText();
            m_progress.resetTimeText();
            setPhase(Phase::Paused);
        }
        return;
    }
    if (!m_download->succeeded()) {
        m_progress.resetRun();
        setPhase(Phase::Idle);
        m_model.applyGameInfo();
        showError(MainViewModel::tr("message_download_error"), *m_download);
        return;
    }
    StatusReport::instance()->report(m_isUpdate ? StatusReport::LAUNCHER_HOME_UPDATEGAME_FINISH
                                                : StatusReport::LAUNCHER_HOME_DOWNLOAD_FINISH);
    m_progress.resetRun();
    m_verified = true;
    m_staging->allArrived(m_download->manager()->getTotalSize());
    // Checked while the staging is still being filled: it is waited for.
    if (!m_staging->isBusy())
        installChecked();
}

void InstallFlow::beginSetup()
{
    m_progress.resetBar();
    if (m_model.isGameRunning()) {
        setPhase(Phase::EndingGame);
        m_model.askToEndGame(
            this, m_killRetryMs,
            [this] {
                if (m_phase == Phase::EndingGame)
                    beginSetup();
            },
            [this] {
                if (m_phase == Phase::EndingGame)
                    setPhase(Phase::Idle);
            });
        return;
    }
    m_progress.beginSetup();
    setPhase(Phase::Installing);
    StatusReport::instance()->report(StatusReport::LAUNCHER_HOME_INSTALL);
    m_staging->prepareInstallRun();
    m_extract->start();
}

void InstallFlow::onExtractFinished()
{
    m_progress.resetBar();
    if (m_extract->wasAborted())
        return;
    if (!m_extract->succeeded()) {
        setupFailed();
        return;
    }
    StatusReport::instance()->report(StatusReport::LAUNCHER_HOME_INSTALL_FINISH);
    // The version is recorded once the plugin is over too, never before.
    if (m_plugin->isRunning()) {
        setPhase(Phase::WaitingForPlugin);
        return;
    }
    recordInstall();
}

void InstallFlow::setupFailed()
{
    setPhase(Phase::Idle);
    StatusReport::instance()->report(StatusReport::LAUNCHER_GAME_SETUP_ERROR,
        { { QStringLiteral("errorCode"), errorCodeText(m_extract->errorCode()) },
            { QStringLiteral("errorDesc"), m_extract->errorText() } });
    showError(MainViewModel::tr("message_setup_error"), *m_extract);
}

void InstallFlow::onPluginFinished()
{
    if (m_phase == Phase::WaitingForPlugin)
        recordInstall();
}

void InstallFlow::recordInstall()
{
    const QString latest = m_info.latestVersion();
    LauncherConfig *config = LauncherConfig::instance();
    m_model.makeGameExecutable(config->gameInstallPath());
    config->setGameVersion(latest);
    config->initCps(QStringLiteral("vantor"));
    config->initChannel(QStringLiteral("1"));
    config->initSubChannel(QStringLiteral("0"));
    m_plugin->startInstaller();
    m_phase = Phase::Idle;
    emit phaseChanged();
    emit installed(latest);
}

void InstallFlow::showError(const QString &title, const Job &job)
{
    m_model.showMessage(title, job.errorString(), nullptr, true);
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
