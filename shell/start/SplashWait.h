#pragma once
// How long the splash window stays: four seconds from its first activation,
// or until its picture is clicked.  A click before the first activation does
// not shorten the wait (the activation clears the stop flag), and later
// activations neither restart nor lengthen it.  The window asks this object
// when its single-shot timer fires; nothing polls.

#include <cstdint>
#include <functional>

class SplashWait {
public:
    // Milliseconds on a monotonic clock.
    using Clock = std::function<int64_t()>;
    static constexpr int64_t kDurationMs = 4000;

    explicit SplashWait(Clock clock, int64_t durationMs = kDurationMs);

    // True on the first activation, which starts the wait.
    bool Activate();
    // The click on the picture: ends a running wait.
    void Click();
    bool Started() const { return m_started; }
    // The wait has started and is over (time up or clicked).
    bool Finished() const;
    // Milliseconds left until the time is up (0 when finished or not started).
    int64_t RemainingMs() const;

private:
    Clock m_clock;
    int64_t m_duration;
    int64_t m_start = 0;
    bool m_started = false;
    bool m_stop = false;
};
