#include "core/job.h"

Job::Job(QObject *parent)
    : QObject(parent)
{
}

void Job::start()
{
    if (m_state == State::Running)
        return;
    m_state = State::Running;
    m_abortRequested = false;
    m_errorCode = ErrorDefine::DEFAULTT;
    m_errorText.clear();
    m_starting = true;
    doStart();
    m_starting = false;
}

void Job::abort()
{
    if (m_state != State::Running || m_abortRequested)
        return;
    m_abortRequested = true;
    doAbort();
}

QString Job::errorString() const
{
    return formatError(m_errorCode, m_errorText);
}

void Job::doAbort()
{
    finishAborted();
}

void Job::succeed()
{
    finish(State::Succeeded);
}

void Job::fail(ErrorDefine::ErrorCode code, const QString &text)
{
    if (m_state != State::Running)
        return;
    if (m_abortRequested) {
        finish(State::Aborted);
        return;
    }
    m_errorCode = code;
    m_errorText = text;
    finish(State::Failed);
}

void Job::finishAborted()
{
    finish(State::Aborted);
}

void Job::finish(State state)
{
    if (m_state != State::Running)
        return;
    m_state = state;
    if (m_starting) {
        // The caller of start() has not had a chance to look at the job yet.
        QMetaObject::invokeMethod(this, &Job::emitFinished, Qt::QueuedConnection);
        return;
    }
    emitFinished();
}

void Job::emitFinished()
{
    emit finished(this);
}
