#pragma once

#include "core/job.h"

#include <atomic>

class QThread;

// Runs work() on a thread of its own. The job lives on the caller's thread;
// work() polls stopRequested() and reports through setError() and
// reportProgress(), both safe from the worker.
class ThreadJob : public Job
{
    Q_OBJECT

public:
    explicit ThreadJob(QObject *parent = nullptr);
    // Asks the work to stop and waits for it: a job may be deleted at any time.
    ~ThreadJob() override;

    // Blocks until the worker has returned (true), or ms have passed.
    bool waitForWorker(int ms);

protected:
    // Runs on the worker thread; false with setError() on failure.
    virtual bool work() = 0;
    bool stopRequested() const { return m_stop.load(); }
    void setError(ErrorDefine::ErrorCode code, const QString &text);
    // For work that would otherwise compete with the window (QThread::Priority).
    void setWorkerPriority(int priority) { m_priority = priority; }
    void reportProgress(qint64 done, qint64 total);

    void doStart() override;
    void doAbort() override;

private:
    void onWorkerDone();

    QThread *m_thread = nullptr;
    int m_priority = 7; // QThread::InheritPriority
    std::atomic_bool m_stop { false };
    bool m_workOk = false;
    ErrorDefine::ErrorCode m_workCode = ErrorDefine::DEFAULTT;
    QString m_workText;
};
