#pragma once

#include "core/job.h"

class setupmanager;

// An install run of a setupmanager as a job: start() runs the manager's
// thread, abort() interrupts the extraction where it is, and the job ends
// once the thread has. The manager reports errors and goes on, so the job's
// error is the first it reported. Only this job starts or stops the thread
// of the manager it drives.
class ExtractJob : public Job
{
    Q_OBJECT

public:
    explicit ExtractJob(QObject *parent = nullptr);
    // The manager stays the caller's (the game's is process-wide).
    explicit ExtractJob(setupmanager *manager, QObject *parent = nullptr);
    ~ExtractJob() override;

    setupmanager *manager() const { return m_manager; }

protected:
    void doStart() override;
    void doAbort() override;

private:
    void connectManager();
    void onThreadEnded();

    setupmanager *m_manager;
    bool m_owned = false;
    bool m_completed = false;
    ErrorDefine::ErrorCode m_firstCode = ErrorDefine::DEFAULTT;
    QString m_firstText;
};
