#pragma once

#include <QtGlobal>

// Counts presses on a hidden spot: the tenth press within a few seconds of
// the first opens something, slower or fewer presses never do.
class PressCounter
{
public:
    static constexpr qint64 kWindowMs = 5000;
    static constexpr qint64 kLatestMs = 4000;
    static constexpr int kPresses = 10;

    // True when this press, at nowMs on a steady clock, is the one that opens.
    bool press(qint64 nowMs)
    {
        if (!m_started) {
            m_started = true;
            m_startMs = nowMs;
        }
        ++m_count;
        if (nowMs - m_startMs > kWindowMs) {
            m_startMs = nowMs;
            m_count = 0;
        }
        if (nowMs - m_startMs > kLatestMs || m_count < kPresses)
            return false;
        m_count = 0;
        return true;
    }

private:
    bool m_started = false;
    qint64 m_startMs = 0;
    int m_count = 0;
};
