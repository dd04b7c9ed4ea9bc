#pragma once

#include "core/threadjob.h"
#include "setup/launcherswap.h"
#include "setup/launcherswapplan.h"

// A launcher swap as a job, on a worker thread. Once begun, a swap runs to
// its end whatever abort() asks: its journal, not an abort, is what makes an
// interruption safe.
class LauncherSwapJob : public ThreadJob
{
    Q_OBJECT

public:
    explicit LauncherSwapJob(const QString &launcherFolder, QObject *parent = nullptr);

    void setPlan(const LauncherSwapPlan &plan) { m_plan = plan; }
    // Called on the worker thread (see LauncherSwap::Observer).
    void setObserver(const LauncherSwap::Observer &observer) { m_observer = observer; }

protected:
    bool work() override;

private:
    QString m_launcherFolder;
    LauncherSwapPlan m_plan;
    LauncherSwap::Observer m_observer;
};
