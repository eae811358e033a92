#include "shell/start/SplashWait.h"

#include <algorithm>
#include <utility>

SplashWait::SplashWait(Clock clock, int64_t durationMs) : m_clock(std::move(clock)), m_duration(durationMs) {}

bool SplashWait::Activate() {
    if (m_started) return false;
    m_started = true;
    m_stop = false;
    m_start = m_clock();
    return true;
}

void SplashWait::Click() { m_stop = true; }

bool SplashWait::Finished() const { return m_started && (m_stop || m_clock() - m_start >= m_duration); }

int64_t SplashWait::RemainingMs() const {
    if (!m_started || m_stop) return 0;
    return std::max<int64_t>(0, m_duration - (m_clock() - m_start));
}
