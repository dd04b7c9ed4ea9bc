#include "setup/arrivedranges.h"

#include <QMutexLocker>

ArrivedRanges::ArrivedRanges(QObject *parent)
    : QObject(parent)
{
}

void ArrivedRanges::add(qint64 offset, qint64 length)
{
    if (offset < 0 || length <= 0)
        return;
    qint64 start = offset;
    qint64 end = offset + length;
    QMutexLocker lock(&m_mutex);
    auto it = m_runs.upperBound(start);
    if (it != m_runs.begin() && std::prev(it).value() >= start)
        --it;
    while (it != m_runs.end() && it.key() <= end) {
        start = qMin(start, it.key());
        end = qMax(end, it.value());
        it = m_runs.erase(it);
    }
    m_runs.insert(start, end);
    m_changed.wakeAll();
}

qint64 ArrivedRanges::coveredFromLocked(qint64 offset) const
{
    auto it = m_runs.upperBound(offset);
    if (it == m_runs.begin())
        return 0;
    --it;
    return qMax<qint64>(0, it.value() - offset);
}

bool ArrivedRanges::waitFor(qint64 offset, qint64 length)
{
    QMutexLocker lock(&m_mutex);
    bool told = false;
    while (!m_stopped && coveredFromLocked(offset) < length) {
        if (!told) {
            told = true;
            const qint64 missing = offset + coveredFromLocked(offset);
            // Unlocked, so a direct connection may add() or stop().
            lock.unlock();
            emit readerWaiting(missing);
            lock.relock();
            continue;
        }
        m_changed.wait(&m_mutex);
    }
    return !m_stopped;
}

qint64 ArrivedRanges::arrivedFrom(qint64 offset) const
{
    QMutexLocker lock(&m_mutex);
    return coveredFromLocked(offset);
}

void ArrivedRanges::stop()
{
    QMutexLocker lock(&m_mutex);
    m_stopped = true;
    m_changed.wakeAll();
}

bool ArrivedRanges::isStopped() const
{
    QMutexLocker lock(&m_mutex);
    return m_stopped;
}
