#include "download/bandwidthlimit.h"

#include <QElapsedTimer>

namespace {

// A tenth of a second of the rate may come at once: enough for the large
// blocks the transfers read, too little to be seen as a burst on the line.
constexpr qint64 kBurstDivisor = 10;
constexpr qint64 kSmallestBurst = 16 * 1024;

qint64 steadyMs()
{
    static QElapsedTimer clock;
    static std::once_flag started;
    std::call_once(started, [] { clock.start(); });
    return clock.elapsed();
}

} // namespace

BandwidthLimit::BandwidthLimit(Clock clock)
    : m_clock(clock ? std::move(clock) : Clock(steadyMs))
{
    m_lastMs = m_clock();
}

BandwidthLimit &BandwidthLimit::shared()
{
    static BandwidthLimit bucket;
    return bucket;
}

void BandwidthLimit::setBytesPerSecond(qint64 rate)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    refill(m_clock());
    m_rate = qMax<qint64>(0, rate);
    m_milliTokens = qMin(m_milliTokens, capacity() * 1000);
}

qint64 BandwidthLimit::bytesPerSecond() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_rate;
}

qint64 BandwidthLimit::capacity() const
{
    return qMax(kSmallestBurst, m_rate / kBurstDivisor);
}

void BandwidthLimit::refill(qint64 now)
{
    const qint64 elapsed = now - m_lastMs;
    if (elapsed <= 0)
        return;
    m_lastMs = now;
    if (m_rate > 0)
        m_milliTokens = qMin(capacity() * 1000, m_milliTokens + elapsed * m_rate);
}

qint64 BandwidthLimit::take(qint64 wanted)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_rate <= 0)
        return wanted;
    refill(m_clock());
    // Whole blocks or nothing: a trickle of small reads would cost more
    // than the wait for a block.
    const qint64 block = qMin(wanted, capacity());
    if (m_milliTokens < block * 1000)
        return 0;
    m_milliTokens -= block * 1000;
    return block;
}

int BandwidthLimit::msUntilAvailable(qint64 wanted) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_rate <= 0)
        return 0;
    const qint64 missing = qMin(wanted, capacity()) * 1000 - m_milliTokens;
    return int(qBound<qint64>(1, missing / m_rate + 1, 1000));
}
