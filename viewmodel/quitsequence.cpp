#include "viewmodel/quitsequence.h"

#include "core/job.h"
#include "report/statusreport.h"

QuitSequence::QuitSequence(QObject *parent)
    : QObject(parent)
{
    // Long enough for an extraction to reach its next check and a download
    // to record where it got; short enough that an updater waiting for the
    // launcher to end never gives up on it.
    m_bound.setInterval(5000);
    m_bound.setSingleShot(true);
    connect(&m_bound, &QTimer::timeout, this, &QuitSequence::finish);
    // The quit report is worth a moment, not a wait on an unreachable service.
    m_reportWait.setInterval(500);
    m_reportWait.setSingleShot(true);
    connect(&m_reportWait, &QTimer::timeout, this, [this] {
        m_reportDelivered = true;
        finishIfIdle();
    });
}

void QuitSequence::begin(const QList<Job *> &jobs)
{
    if (m_quitting)
        return;
    m_quitting = true;
    m_bound.start();
    m_reportWait.start();
    QPointer<QuitSequence> self(this);
    StatusReport::instance()->report(StatusReport::LAUNCHER_QUIT, {}, [self] {
        if (self) {
            self->m_reportDelivered = true;
            self->finishIfIdle();
        }
    });
    for (Job *job : jobs) {
        if (!job || !job->isRunning())
            continue;
        m_waiting.append(job);
        connect(job, &Job::finished, this, &QuitSequence::finishIfIdle);
    }
    for (Job *job : jobs) {
        if (job)
            job->abort();
    }
    finishIfIdle();
}

void QuitSequence::finishIfIdle()
{
    for (const QPointer<Job> &job : qAsConst(m_waiting)) {
        if (job && job->isRunning())
            return;
    }
    if (m_reportDelivered)
        finish();
}

void QuitSequence::finish()
{
    if (m_done)
        return;
    m_done = true;
    m_bound.stop();
    m_reportWait.stop();
    emit done();
}
