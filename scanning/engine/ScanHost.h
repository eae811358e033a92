#pragma once
// What a long job of the scan engine needs from the window that runs it: a
// status line, a progress bar, a stop flag and a yield to the event loop.
// The engine knows nothing of windows; the scanning window connects these to
// its long-job protocol, a benchmark or a test to nothing or to recorders.

#include <QElapsedTimer>
#include <QString>
#include <cstdint>

class ScanHost {
public:
    virtual ~ScanHost() = default;

    // The stop request: set by the caller (the Stop button, during a yield);
    // a job reads it before each file and leaves its loop when it is set.
    // Whoever starts a job clears it first (the long-job protocol does).
    bool mblnStopAll = false;

    // The status line.  A scan shows "Processing: " and the file's path at
    // each yield, not for every file: the line is only painted then anyway.
    virtual void ShowStatus(const QString& text) { (void)text; }
    virtual void ShowProgress(int64_t position, int64_t maximum) {
        (void)position;
        (void)maximum;
    }
    // Lets the event loop run.  Jobs call it between files, at most about 30
    // times a second; the default processes the pending events.
    virtual void Yield();
    // The end of a job that reports its result: the status line and, when
    // `showBox` is set, a box with the status, ". " and `boxText` (exclamation
    // icon, the window's caption as title).
    virtual void ShowResult(const QString& status, bool showBox, const QString& boxText);
    // The title of the result box: the scanning window's caption.
    virtual QString Caption() const;
    // The least time between two yields, in milliseconds (0: between every
    // two files).
    virtual int YieldIntervalMs() const { return 33; }
};

// Decides when a job yields: on its first call and then whenever at least
// `intervalMs` passed since the last yield.
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
