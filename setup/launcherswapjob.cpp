#include "setup/launcherswapjob.h"

LauncherSwapJob::LauncherSwapJob(const QString &launcherFolder, QObject *parent)
    : ThreadJob(parent)
    , m_launcherFolder(launcherFolder)
{
}

bool LauncherSwapJob::work()
{
    LauncherSwap swap(m_launcherFolder);
    swap.setObserver(m_observer);
    if (swap.run(m_plan))
        return true;
    setError(ErrorDefine::SETUP_RENAME_FOLDER_ERROR, swap.error());
    return false;
}
