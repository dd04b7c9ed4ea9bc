#pragma once

#include <QMap>
#include <QMutex>
#include <QObject>
#include <QWaitCondition>

// The byte ranges of a file that a download has written so far, for a reader
// that must not get ahead of it. The download adds ranges from its thread, the
// reader waits on its own; stop() ends every wait, now and later.
class ArrivedRanges : public QObject
{
    Q_OBJECT

public:
    explicit ArrivedRanges(QObject *parent = nullptr);

    // Ranges may overlap or touch ones already there; empty ones are ignored.
    void add(qint64 offset, qint64 length);
    // Blocks until every byte of the range has arrived (true) or stop() was
    // called (false).
    bool waitFor(qint64 offset, qint64 length);
    // How many bytes from offset on have arrived without a gap.
    qint64 arrivedFrom(qint64 offset) const;
    void stop();
    bool isStopped() const;

signals:
    // A reader is about to block on this offset, which has not arrived: with
    // several connections, the next range to fetch. Sent from the reader's
    // thread.
    void readerWaiting(qint64 offset);

private:
    qint64 coveredFromLocked(qint64 offset) const;

    mutable QMutex m_mutex;
    QWaitCondition m_changed;
    // Start of each run of arrived bytes to its end (exclusive); runs neither
    // overlap nor touch.
    QMap<qint64, qint64> m_runs;
    bool m_stopped = false;
};
