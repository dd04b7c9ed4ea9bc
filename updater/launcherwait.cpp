#include "updater/launcherwait.h"

#include "platform/processes.h"

namespace {

constexpr int kPollMs = 100;

} // namespace

LauncherWait::LauncherWait(QObject *parent)
    : QObject(parent)
{
    m_timer.setInterval(kPollMs);
    connect(&m_timer, &QTimer::timeout, this, &LauncherWait::poll);
}

void LauncherWait::start(const QString &executablePath, int limitMs)
{
    m_executablePath = executablePath;
    m_limitMs = limitMs;
    m_elapsed.start();
    poll();
    // Already decided: the launcher was gone at once.
    if (!m_elapsed.isValid())
        return;
    m_timer.start();
}

void LauncherWait::poll()
{
    if (!platform::isProgramRunning(m_executablePath)) {
        m_timer.stop();
        m_elapsed.invalidate();
        emit ended();
    } else if (m_elapsed.elapsed() >= m_limitMs) {
        m_timer.stop();
        m_elapsed.invalidate();
        emit stillRunning();
    }
}
