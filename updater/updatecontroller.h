#pragma once

#include "updater/handover.h"
#include "updater/launcherwait.h"
#include "updater/packagefetch.h"
#include "updater/packageunpack.h"
#include "updater/testhooks.h"
#include "updater/updaterwindow.h"

#include <QObject>

#include <memory>

class LauncherSwapPlan;

namespace platform {
class NamedMutexHolder;
}

// Runs one update from the hand-over to the restart: waits for the launcher
// to close, settles an earlier update that was cut short, downloads and
// checks the package, unpacks it into the staging folder beside the launcher
// folder, swaps the program files and starts the launcher again, the new one
// or, after any failure, the old one. The update lock is held until the
// files are settled.
class UpdateController : public QObject
{
    Q_OBJECT

public:
    UpdateController(const HandOver &handOver, UpdaterWindow &window, const TestHooks &hooks,
        std::unique_ptr<platform::NamedMutexHolder> lock, QObject *parent = nullptr);
    ~UpdateController() override;

    void start();
    // 0 once the new launcher was started, 1 after a failure.
    int exitCode() const { return m_exitCode; }

private:
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
    TestHooks m_hooks;
    std::unique_ptr<platform::NamedMutexHolder> m_lock;
    LauncherWait m_wait;
    PackageFetch m_fetch;
    PackageUnpack m_unpack;
    int m_exitCode = 1;
};
