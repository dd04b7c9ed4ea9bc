#include "updater/updatecontroller.h"

#include "download/downloadmanager.h"
#include "net/serviceaddresses.h"
#include "platform/namedmutex.h"
#include "setup/archiveengine.h"
#include "setup/launcherswapplan.h"
#include "setup/setupmanager.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTimer>

namespace {

const QString kPackageFolder = QStringLiteral("package");
const QString kResumeStore = QStringLiteral("resume.ini");

// Never through a link: the link itself goes, not what it points to.
void removeTree(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isDir())
        QFile::remove(path);
    else
        QDir(path).removeRecursively();
}

// The engine ships beside the launcher, while the updater runs from a folder
// below it, where the engine's own search does not look.
void useEngineBeside(const QString &launcherFolder)
{
    const QStringList candidates = ArchiveEngine::candidatePaths();
    if (qEnvironmentVariableIsSet("TESSARIL_ARCHIVE_ENGINE") || candidates.isEmpty())
        return;
    const QString beside
        = launcherFolder + QLatin1Char('/') + QFileInfo(candidates.constFirst()).fileName();
    if (QFileInfo(beside).isFile())
        qputenv("TESSARIL_ARCHIVE_ENGINE", QFile::encodeName(beside));
}

} // namespace

UpdateController::UpdateController(const HandOver &handOver, UpdaterWindow &window,
    const Options &options, std::unique_ptr<platform::NamedMutexHolder> lock, QObject *parent)
    : QObject(parent)
    , m_handOver(handOver)
    , m_window(window)
    , m_options(options)
    , m_lock(std::move(lock))
    , m_wait(handOver.executable, options.launcherWaitMs)
    , m_swap(handOver.launcherFolder())
{
    m_swap.setObserver(options.swapObserver);
    for (Job *job : { static_cast<Job *>(&m_wait), static_cast<Job *>(&m_fetch),
             static_cast<Job *>(&m_unpack), static_cast<Job *>(&m_swap) })
        connect(job, &Job::finished, this, &UpdateController::stepFinished);
    connect(&m_fetch, &Job::progress, &m_window, &UpdaterWindow::showProgress);
    connect(&m_unpack, &Job::progress, &m_window, &UpdaterWindow::showProgress);
    connect(m_fetch.manager(), &downloadmanager::md5CheckStart, this,
        [this] { m_window.showStage(UpdaterWindow::Stage::Verifying); });
}

UpdateController::~UpdateController() = default;

QString UpdateController::inStaging(const QString &relative) const
{
    return LauncherSwap::stagingFolder(m_handOver.launcherFolder()) + QLatin1Char('/') + relative;
}

void UpdateController::start()
{
    m_window.showStage(UpdaterWindow::Stage::Waiting);
    m_wait.start();
}

// Each step starts the next; the first that does not succeed ends the update.
void UpdateController::stepFinished(Job *job)
{
    using Failure = UpdaterWindow::Failure;
    if (job->succeeded()) {
        if (job == &m_wait)
            launcherEnded();
        else if (job == &m_fetch)
            fetched();
        else if (job == &m_unpack)
            unpacked();
        else
            succeed();
    } else if (job == &m_wait) {
        fail(Failure::LauncherRunning, m_handOver.executable);
    } else {
        const bool damaged = job->errorCode() == ErrorDefine::DOWNLOAD_MD5_ERROR;
        fail(job == &m_fetch       ? (damaged ? Failure::Damaged : Failure::Download)
                : job == &m_unpack ? Failure::Package
                                   : Failure::Install,
            job->errorString());
    }
}

void UpdateController::launcherEnded()
{
    QString detail;
    if (!LauncherSwap::recover(m_handOver.launcherFolder(), &detail)) {
        fail(UpdaterWindow::Failure::Recovery, detail);
        return;
    }
    if (!m_handOver.refusal.isEmpty()) {
        fail(UpdaterWindow::Failure::Package, m_handOver.refusal);
        return;
    }
    if (!prepareStaging(detail)) {
        fail(UpdaterWindow::Failure::Install, detail);
        return;
    }
    m_window.showStage(UpdaterWindow::Stage::Downloading);
    downloadmanager *download = m_fetch.manager();
    // The launcher's own files come only from where its updates may come
    // from, however the server redirects.
    download->setRedirectFilter(&ServiceAddresses::isAcceptableUrl);
    download->setResumeStore(inStaging(kResumeStore));
    download->setFileMD5(m_handOver.packageMd5);
    download->setFilePath(inStaging(kPackageFolder));
    download->setUrl(m_handOver.packageUrl);
    m_fetch.setPackagePath(
        inStaging(kPackageFolder) + QLatin1Char('/') + m_handOver.packageFileName());
    m_fetch.start();
}

bool UpdateController::prepareStaging(QString &detail)
{
    const QString staging = LauncherSwap::stagingFolder(m_handOver.launcherFolder());
    const QFileInfo info(staging);
    if (info.isSymLink() || (info.exists() && !info.isDir())) {
        detail = tr("updater_error_in_the_way").arg(QDir::toNativeSeparators(staging));
        return false;
    }
    // Left by a run that stopped before its swap began: no journal names
    // them, so nothing will read them again. The download stays, to resume.
    LauncherSwap::discardUnjournaled(m_handOver.launcherFolder());
    if (QFileInfo(inStaging(kPackageFolder)).isSymLink())
        QFile::remove(inStaging(kPackageFolder));
    if (!QDir().mkpath(inStaging(kPackageFolder))) {
        detail = tr("updater_error_make_folder").arg(QDir::toNativeSeparators(staging));
        return false;
    }
    return true;
}

void UpdateController::fetched()
{
    const QString name = m_handOver.packageFileName();
    const QString unpackFolder = LauncherSwap::newFolder(m_handOver.launcherFolder());
    if (!QDir().mkpath(unpackFolder)
        || !QFile::rename(inStaging(kPackageFolder) + QLatin1Char('/') + name,
            unpackFolder + QLatin1Char('/') + name)) {
        fail(UpdaterWindow::Failure::Install,
            tr("updater_error_move_package").arg(QDir::toNativeSeparators(unpackFolder)));
        return;
    }
    m_window.showStage(UpdaterWindow::Stage::Installing);
    useEngineBeside(m_handOver.launcherFolder());
    // The worker removes the package once it is unpacked.
    m_unpack.manager()->setZipFilePath(unpackFolder);
    m_unpack.manager()->setZipFileName(name);
    m_unpack.start();
}

void UpdateController::protectGameFolder(LauncherSwapPlan &plan) const
{
    // Read only: nothing is ever written to the user's settings.
    const QSettings config(
        m_handOver.launcherFolder() + QStringLiteral("/config.ini"), QSettings::IniFormat);
    const QString game
        = QDir::fromNativeSeparators(config.value(QStringLiteral("game_install_path")).toString());
    if (game.isEmpty())
        return;
    const QString relative = QDir(m_handOver.launcherFolder()).relativeFilePath(game);
    if (!QDir::isAbsolutePath(relative) && !relative.startsWith(QLatin1String("..")))
        plan.protect(QDir::cleanPath(relative));
}

void UpdateController::unpacked()
{
    const QString folder = m_handOver.launcherFolder();
    LauncherSwapPlan plan;
    protectGameFolder(plan);
    if (!plan.build(folder, LauncherSwap::newFolder(folder), m_handOver.launcherFileName())) {
        fail(UpdaterWindow::Failure::Package, plan.error());
        return;
    }
    m_swap.setPlan(plan);
    m_swap.start();
}

bool UpdateController::restartLauncher()
{
    // "update" lets the launcher past the update lock check, and keeps it
    // from offering, at once, the update that just failed.
    return QProcess::startDetached(
        m_handOver.executable, { QStringLiteral("update") }, m_handOver.launcherFolder());
}

// Only a partial download stays, with its record, for the next run to
// resume; a whole package was either used or found damaged.
void UpdateController::clearStaging()
{
    const QFileInfo staging(LauncherSwap::stagingFolder(m_handOver.launcherFolder()));
    if (staging.isSymLink() || !staging.isDir())
        return;
    LauncherSwap::discardUnjournaled(m_handOver.launcherFolder());
    m_fetch.manager()->flushRecords();
    const QString partialName = m_handOver.packageFileName() + QStringLiteral("_tmp");
    const QFileInfo partial(inStaging(kPackageFolder) + QLatin1Char('/') + partialName);
    if (partial.isFile() && !partial.isSymLink()) {
        const QStringList others
            = QDir(inStaging(kPackageFolder))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &entry : others) {
            if (entry != partialName)
                removeTree(inStaging(kPackageFolder) + QLatin1Char('/') + entry);
        }
    } else {
        removeTree(inStaging(kPackageFolder));
        QFile::remove(inStaging(kResumeStore));
    }
    QDir().rmdir(LauncherSwap::stagingFolder(m_handOver.launcherFolder()));
}

void UpdateController::succeed()
{
    clearStaging();
    m_lock.reset();
    m_window.showStage(UpdaterWindow::Stage::Restarting);
    if (!restartLauncher()) {
        fail(UpdaterWindow::Failure::Restart, m_handOver.executable);
        return;
    }
    m_exitCode = 0;
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void UpdateController::fail(UpdaterWindow::Failure failure, const QString &detail)
{
    qWarning().noquote() << "Update failed:" << m_window.failureText(failure) << detail;
    m_exitCode = 1;
    // What this run unpacked is of no further use, unless a journal still
    // needs it; the partial download stays so the next run resumes it.
    clearStaging();
    m_lock.reset();
    QString shown = detail;
    const bool restart = failure != UpdaterWindow::Failure::LauncherRunning
        && failure != UpdaterWindow::Failure::Restart;
    if (restart && !restartLauncher()) {
        qWarning().noquote() << m_window.failureText(UpdaterWindow::Failure::Restart);
        shown += QLatin1Char('\n') + m_window.failureText(UpdaterWindow::Failure::Restart);
    }
    m_window.showFailure(failure, shown);
    if (m_options.lingerMs >= 0)
        QTimer::singleShot(m_options.lingerMs, qApp, &QCoreApplication::quit);
}
