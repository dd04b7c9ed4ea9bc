#pragma once

#include "core/job.h"

#include <QList>

// Runs its jobs one after the other and ends with the first that does not
// succeed. It owns the jobs it is given.
class JobSequence : public Job
{
    Q_OBJECT

public:
    explicit JobSequence(QObject *parent = nullptr);

    void addJob(Job *job);
    Job *currentJob() const;
    int currentIndex() const { return m_index; }

signals:
    void stepStarted(int index);

protected:
    void doStart() override;
    void doAbort() override;

private:
    void startNext();
    void onStepFinished(Job *job);

    QList<Job *> m_jobs;
    int m_index = -1;
};
