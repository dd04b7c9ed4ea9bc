#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class Job;

// Ends the program without leaving work behind and without a nested event
// loop: every running job is told to stop, and done() comes once all of
// them have finished and the quit report had its chance, or once the bound
// has passed, whichever is first.
class QuitSequence : public QObject
{
    Q_OBJECT

public:
    explicit QuitSequence(QObject *parent = nullptr);

    void setBoundMs(int ms) { m_bound.setInterval(ms); }
    bool isQuitting() const { return m_quitting; }
    // Only the first call counts.
    void begin(const QList<Job *> &jobs);

signals:
    void done();

private:
    void finishIfIdle();
    void finish();

    QList<QPointer<Job>> m_waiting;
    QTimer m_bound;
    QTimer m_reportWait;
    bool m_quitting = false;
    bool m_reportDelivered = false;
    bool m_done = false;
};
