#pragma once
// What a long job's engine sees of whoever runs it: a status line, a progress
// bar, the stop request, a yield to the event loop and the end-of-job report.
// Engines (a scan, a batch of renames, a catalogue build) take a JobHost& and
// know nothing of windows.  A tool window does not make one itself:
// RunLongJob (foundation/LongJob.h) hands its job body the window's host.  A
// test or a benchmark uses a JobHost as it is (it shows nothing and yields to
// the event loop) or derives a recorder from it.
//
// The stop flag is a reference, never a copy: a window's host reads and clears
// the window's own mblnStopAll, so a Stop pressed during a yield is seen before
// the next file.  A host made without a flag keeps one of its own.
//
// An engine's loop, with the end reports in their usual form:
//
//   YieldClock clock(job.YieldIntervalMs());
//   for (i = 0; i < total; ++i) {
//       if (clock.due()) { job.ShowProgress(i, total); job.ShowStatus(text); job.Yield(); }
//       if (job.mblnStopAll) break;
//       ...one file...
//   }
//   job.mblnStopAll ? job.ReportInterrupted(interruptedText) : job.ReportComplete(completeText);

#include "foundation/YieldClock.h"

#include <QString>
#include <cstdint>

class JobHost {
public:
    // A host with a stop flag of its own.
    JobHost() : mblnStopAll(m_ownStopFlag) {}
    // A host whose stop request is `stopFlag` itself (a window's mblnStopAll).
    explicit JobHost(bool& stopFlag) : mblnStopAll(stopFlag) {}
    virtual ~JobHost() = default;
    JobHost(const JobHost&) = delete;
    JobHost& operator=(const JobHost&) = delete;

private:
    bool m_ownStopFlag = false;

public:
    // The stop request: set by the user's Stop (during a yield), read by the
    // job before each file.  Whoever starts a job clears it first (the
    // long-job protocol does).
    bool& mblnStopAll;

    // The status line.  A job shows its per-file text at each yield, not for
    // every file: the line is only painted then anyway.
    virtual void ShowStatus(const QString& text) { (void)text; }
    // The progress bar: `position` of `maximum`.
    virtual void ShowProgress(int64_t position, int64_t maximum) {
        (void)position;
        (void)maximum;
    }
    // Lets the event loop run.  Jobs call it between files, at most about 30
    // times a second (YieldClock); the default processes the pending events.
    virtual void Yield();
    // The end of a job that reports its result: the status line and, when
    // `showBox` is set, a box with the status, ". " and `boxText` (exclamation
    // icon, Caption() as its title).
    virtual void ShowResult(const QString& status, bool showBox, const QString& boxText);
    // The title of the result box: the running window's caption.
    virtual QString Caption() const;
    // The least time between two yields, in milliseconds (0: between every
    // two files).
    virtual int YieldIntervalMs() const { return 33; }
    // Whether a job that ran to its end reports in a box: `displayMessageBox`
    // here; a window's host reads the preference DisplayMessageBox instead.
    virtual bool DisplayMessageBox() const { return displayMessageBox; }
    bool displayMessageBox = false;

    // The two usual end reports.  A job that ran to its end: `text` in the
    // status line, and in a box only when DisplayMessageBox() is on.  A job
    // the user stopped: `text` in the status line and in a box whatever the
    // preference (a job whose stop is reported without a box calls ShowStatus).
    void ReportComplete(const QString& text) { ShowResult(text, DisplayMessageBox(), QString()); }
    void ReportInterrupted(const QString& text) { ShowResult(text, true, QString()); }
};

