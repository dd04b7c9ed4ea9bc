#include "updater/launcherwaitjob.h"

#include "platform/processes.h"

namespace {

constexpr int kPollMs = 100;

} // namespace

LauncherWaitJob::LauncherWaitJob(const QString &executablePath, int limitMs, QObject *parent)
    : Job(parent)
    , m_executablePath(executablePath)
    , m_limitMs(limitMs)
{
    m_timer.setInterval(kPollMs);
    connect(&m_timer, &QTimer::timeout, this, &LauncherWaitJob::poll);
}

void LauncherWaitJob::doStart()
{
    m_elapsed.start();
    m_timer.start();
    poll();
}

void LauncherWaitJob::doAbort()
{
    m_timer.stop();
    finishAborted();
}

void LauncherWaitJob::poll()
{
    if (!platform::isProgramRunning(m_executablePath)) {
        m_timer.stop();
        succeed();
    } else if (m_elapsed.elapsed() >= m_limitMs) {
        m_timer.stop();
        fail(ErrorDefine::DEFAULTT, m_executablePath);
    }
}
