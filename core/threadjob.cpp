#include "core/threadjob.h"

#include <QThread>

#include <climits>

ThreadJob::ThreadJob(QObject *parent)
    : Job(parent)
{
}

ThreadJob::~ThreadJob()
{
    if (m_thread) {
        m_stop = true;
        m_thread->wait();
        delete m_thread;
    }
}

bool ThreadJob::waitForWorker(int ms)
{
    return !m_thread || m_thread->wait(ms < 0 ? ULONG_MAX : ulong(ms));
}

void ThreadJob::setError(ErrorDefine::ErrorCode code, const QString &text)
{
    m_workCode = code;
    m_workText = text;
}

void ThreadJob::reportProgress(qint64 done, qint64 total)
{
    // Queued so the receivers run on the job's thread, whichever thread calls.
    QMetaObject::invokeMethod(
        this, [this, done, total] { emit progress(done, total); }, Qt::QueuedConnection);
}

void ThreadJob::doStart()
{
    m_stop = false;
    m_workOk = false;
    m_workCode = ErrorDefine::DEFAULTT;
    m_workText.clear();
    m_thread = QThread::create([this] { m_workOk = work(); });
    connect(m_thread, &QThread::finished, this, &ThreadJob::onWorkerDone);
    m_thread->start(QThread::Priority(m_priority));
}

void ThreadJob::doAbort()
{
    // The job ends when the worker has returned, so nothing outlives it.
    m_stop = true;
}

void ThreadJob::onWorkerDone()
{
    m_thread->deleteLater();
    m_thread = nullptr;
    // Work that completed is reported as done, even if an abort came late.
    if (m_workOk)
        succeed();
    else if (stopRequested())
        finishAborted();
    else
        fail(m_workCode, m_workText);
}
