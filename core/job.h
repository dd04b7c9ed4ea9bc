#pragma once

#include "core/errordefine.h"

#include <QObject>
#include <QString>

// The one shape of long work in the program: start() once, abort() at any
// time and as often as wanted, progress() on the way, and exactly one
// finished() per start, which tells success, failure (a code and a
// translated text) or an abort. finished() never comes from inside start(),
// so a caller may connect after starting; it may come from inside abort().
class Job : public QObject
{
    Q_OBJECT

public:
    enum class State { Idle, Running, Succeeded, Failed, Aborted };
    Q_ENUM(State)

    explicit Job(QObject *parent = nullptr);

    // Ignored while running; a finished job may be started again.
    void start();
    void abort();

    State state() const { return m_state; }
    bool isRunning() const { return m_state == State::Running; }
    bool succeeded() const { return m_state == State::Succeeded; }
    bool wasAborted() const { return m_state == State::Aborted; }
    ErrorDefine::ErrorCode errorCode() const { return m_errorCode; }
    QString errorText() const { return m_errorText; }
    // The code and text as the player sees them: "[code]:text".
    QString errorString() const;

signals:
    void progress(qint64 done, qint64 total);
    void finished(Job *job);

protected:
    virtual void doStart() = 0;
    // Asks the work to stop; the job then ends through one of the calls
    // below. The default ends it at once.
    virtual void doAbort();
    bool abortRequested() const { return m_abortRequested; }

    void succeed();
    // After an abort was asked for, a failure counts as the abort.
    void fail(ErrorDefine::ErrorCode code, const QString &text);
    void finishAborted();

private:
    void finish(State state);
    void emitFinished();

    State m_state = State::Idle;
    bool m_abortRequested = false;
    bool m_starting = false;
    ErrorDefine::ErrorCode m_errorCode = ErrorDefine::DEFAULTT;
    QString m_errorText;
};
