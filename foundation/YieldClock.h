#pragma once
// Decides when a long loop yields to the event loop: on its first call and
// then whenever at least `intervalMs` passed since the last yield (about 30
// times a second by default), so a loop over 100,000 items is not dominated
// by the yields.

#include <QElapsedTimer>

class YieldClock {
public:
    explicit YieldClock(int intervalMs = 33) : m_interval(intervalMs) {}
    bool due() {
        if (m_timer.isValid() && m_timer.elapsed() < m_interval) return false;
        m_timer.start();
        return true;
    }

private:
    QElapsedTimer m_timer;
    int m_interval;
};
