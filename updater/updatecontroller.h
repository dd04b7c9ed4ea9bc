#pragma once

#include "download/downloadjob.h"
#include "setup/extractjob.h"
#include "setup/launcherswap.h"
#include "setup/launcherswapjob.h"
#include "updater/handover.h"
#include "updater/launcherwaitjob.h"
#include "updater/updaterwindow.h"

#include <QObject>

#include <memory>

class LauncherSwapPlan;

namespace platform {
class NamedMutexHolder;
}

// Runs one update from the hand-over to the restart, one job after the
// other: waits for the launcher to close, settles an earlier update that was
// cut short, downloads and checks the package, unpacks it into the staging
// folder beside the launcher folder, swaps the program files and starts the
// launcher again, the new one or, after any failure, the old one. The update
// lock is held until the files are settled.
class UpdateController : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        // How long the launcher may take to close.
        int launcherWaitMs = 30000;
        // Closes the failure window after this long; the user closes it.
        int lingerMs = -1;
        LauncherSwap::Observer swapObserver;
    };

    UpdateController(const HandOver &handOver, UpdaterWindow &window, const Options &options,
        std::unique_ptr<platform::NamedMutexHolder> lock, QObject *parent = nullptr);
    ~UpdateController() override;

    void start();
    // 0 once the new launcher was started, 1 after a failure.
    int exitCode() const { return m_exitCode; }

private:
    void stepFinished(Job *job);
    void launcherEnded();
    void fetched();
    void unpacked();
    void succeed();
    void fail(UpdaterWindow::Failure failure, const QString &detail);
    bool prepareStaging(QString &detail);
    void clearStaging();
    void protectGameFolder(LauncherSwapPlan &plan) const;
    bool restartLauncher();
    QString inStaging(const QString &relative) const;

    HandOver m_handOver;
    UpdaterWindow &m_window;
    Options m_options;
    std::unique_ptr<platform::NamedMutexHolder> m_lock;
    LauncherWaitJob m_wait;
    DownloadJob m_fetch;
    // An object of its own: the game's process-wide worker is never used.
    ExtractJob m_unpack;
    LauncherSwapJob m_swap;
    int m_exitCode = 1;
};
