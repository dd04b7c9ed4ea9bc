#include "core/jobsequence.h"

JobSequence::JobSequence(QObject *parent)
    : Job(parent)
{
}

void JobSequence::addJob(Job *job)
{
    job->setParent(this);
    connect(job, &Job::finished, this, &JobSequence::onStepFinished);
    connect(job, &Job::progress, this, &Job::progress);
    m_jobs.append(job);
}

Job *JobSequence::currentJob() const
{
    return m_index >= 0 && m_index < m_jobs.size() ? m_jobs.at(m_index) : nullptr;
}

void JobSequence::doStart()
{
    m_index = -1;
    startNext();
}

void JobSequence::doAbort()
{
    if (Job *job = currentJob())
        job->abort();
    else
        finishAborted();
}

void JobSequence::startNext()
{
    ++m_index;
    if (m_index >= m_jobs.size()) {
        succeed();
        return;
    }
    emit stepStarted(m_index);
    m_jobs.at(m_index)->start();
}

void JobSequence::onStepFinished(Job *job)
{
    if (job != currentJob() || !isRunning())
        return;
    if (job->succeeded() && !abortRequested())
        startNext();
    else if (job->wasAborted() || abortRequested())
        finishAborted();
    else
        fail(job->errorCode(), job->errorText());
}
