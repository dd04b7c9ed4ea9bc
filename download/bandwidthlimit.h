#pragma once

#include <QtGlobal>

#include <functional>
#include <mutex>

// A token bucket: how many bytes the downloads of the process may take from
// the network now. One is shared by every transfer of the process, so a
// limit the player sets holds for all of them together and changes at once
// for those already running.
class BandwidthLimit
{
public:
    // Milliseconds of a monotonic clock.
    using Clock = std::function<qint64()>;

    explicit BandwidthLimit(Clock clock = Clock());

    // The bucket every download uses.
    static BandwidthLimit &shared();

    // 0 lifts the limit.
    void setBytesPerSecond(qint64 rate);
    qint64 bytesPerSecond() const;

    // The bytes the caller may read now: wanted, or the most the bucket
    // holds when that is less; 0 until the bucket holds that much.
    qint64 take(qint64 wanted);
    // How long until take(wanted) grants something, at the present rate.
    int msUntilAvailable(qint64 wanted) const;

private:
    void refill(qint64 now);
    qint64 capacity() const;

    mutable std::mutex m_mutex;
    Clock m_clock;
    qint64 m_rate = 0;
    // Bytes times a thousand, so a slow rate still refills a little every
    // millisecond.
    qint64 m_milliTokens = 0;
    qint64 m_lastMs = 0;
};
