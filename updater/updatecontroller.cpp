#include "updater/updatecontroller.h"

#include "platform/namedmutex.h"
#include "setup/launcherswap.h"
#include "setup/launcherswapplan.h"

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

} // namespace

UpdateController::UpdateController(const HandOver &handOver, UpdaterWindow &window,
    const TestHooks &hooks, std::unique_ptr<platform::NamedMutexHolder> lock, QObject *parent)
    : QObject(parent)
    , m_handOver(handOver)
    , m_window(window)
    , m_hooks(hooks)
    , m_lock(std::move(lock))
{
    connect(&m_wait, &LauncherWait::ended, this, &UpdateController::launcherEnded);
    connect(&m_wait, &LauncherWait::stillRunning, this,
        [this] { fail(UpdaterWindow::Failure::LauncherRunning, m_handOver.executable); });
    connect(&m_fetch, &PackageFetch::progress, &m_window, &UpdaterWindow::showProgress);
    connect(&m_fetch, &PackageFetch::verifying, this,
        [this] { m_window.showStage(UpdaterWindow::Stage::Verifying); });
    connect(&m_fetch, &PackageFetch::fetched, this, &UpdateController::fetched);
    connect(&m_fetch, &PackageFetch::failed, this, [this](bool damaged, const QString &detail) {
        fail(damaged ? UpdaterWindow::Failure::Damaged : UpdaterWindow::Failure::Download, detail);
    });
    connect(&m_unpack, &PackageUnpack::progress, &m_window, &UpdaterWindow::showProgress);
    connect(&m_unpack, &PackageUnpack::unpacked, this, &UpdateController::unpacked);
    connect(&m_unpack, &PackageUnpack::failed, this,
        [this](const QString &detail) { fail(UpdaterWindow::Failure::Package, detail); });
}

UpdateController::~UpdateController() = default;

QString UpdateController::inStaging(const QString &relative) const
{
    return LauncherSwap::stagingFolder(m_handOver.launcherFolder()) + QLatin1Char('/') + relative;
}

void UpdateController::start()
{
    m_window.showStage(UpdaterWindow::Stage::Waiting);
    m_wait.start(m_handOver.executable, m_hooks.launcherWaitMs);
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
    m_fetch.start(m_handOver.packageUrl, m_handOver.packageMd5, inStaging(kPackageFolder),
        m_handOver.packageFileName(), inStaging(kResumeStore));
}

bool UpdateController::prepareStaging(QString &detail)
{
    const QString staging = LauncherSwap::stagingFolder(m_handOver.launcherFolder());
    const QFileInfo info(staging);
    if (info.isSymLink() || (info.exists() && !info.isDir())) {
        detail = QStringLiteral("%1 is in the way").arg(QDir::toNativeSeparators(staging));
        return false;
    }
    // Left by a run that stopped before its swap began: no journal names
    // them, so nothing will read them again. The download stays, to resume.
    LauncherSwap::discardUnjournaled(m_handOver.launcherFolder());
    if (QFileInfo(inStaging(kPackageFolder)).isSymLink())
        QFile::remove(inStaging(kPackageFolder));
    if (!QDir().mkpath(inStaging(kPackageFolder))) {
        detail = QStringLiteral("cannot make %1").arg(QDir::toNativeSeparators(staging));
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
            QStringLiteral("cannot move the package into %1")
                .arg(QDir::toNativeSeparators(unpackFolder)));
        return;
    }
    m_window.showStage(UpdaterWindow::Stage::Installing);
    PackageUnpack::useEngineBeside(m_handOver.launcherFolder());
    m_unpack.start(unpackFolder, name);
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
    LauncherSwap swap(folder);
    swap.setObserver(m_hooks.swapObserver());
    if (!swap.run(plan)) {
        fail(UpdaterWindow::Failure::Install, swap.error());
        return;
    }
    succeed();
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
    m_fetch.flushRecords();
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
    if (m_hooks.lingerMs >= 0)
        QTimer::singleShot(m_hooks.lingerMs, qApp, &QCoreApplication::quit);
}
