#pragma once
// The long-job protocol shared by the tool windows.  A job runs inside the
// event handler that starts it and yields to the message loop between files;
// at most one job runs per window, a job on the scan results never runs
// beside a scan or on an empty results list, and while it runs it keeps the
// Scanning Centre from scanning.
//
// How a tool window uses it.  Every job goes through RunLongJob, which makes
// the start check (a refusal shows its warning and the body never runs), puts
// the window into its busy state, runs the body with the window's job host,
// and always ends the job with ConcludeProcess (idle again, progress bar at 0,
// Scanning Centre unlocked), also when the body fails: the failure is shown
// in the critical error box first.  The body hands the host to its engine and
// reports the end through it; Stop only sets the flag that the host reads;
// the close check of the window's unload-query handler is WindowMayClose
// (the tool windows' shared base, shell/ui/SkinnedToolWindow.h, makes it):
//
//   void FormMusicCataloguer::BtnBuild_Click() {
//       RunLongJob(this, {.needsScanResults = true}, [&](JobHost& job) {
//           BuildCatalogue(rows, options, job);  // per file: job.Yield(), leaves on job.mblnStopAll
//           if (job.mblnStopAll) job.ReportInterrupted(interruptedText);  // a box always
//           else job.ReportComplete(completeText);  // a box with DisplayMessageBox
//       });
//   }
//   void FormMusicCataloguer::BtnStop_Click() { mblnStopAll = true; }
//   void SkinnedToolWindow::QueryUnload(bool& cancel) { if (!WindowMayClose(this)) cancel = true; }
//
// A window takes part by being an ILongJobHost (a SkinnedJobWindow with its
// own EnableControls); the Scanning Centre is reached through
// IScanResultsHost (foundation/WindowProtocol.h).  A window that is no long-job
// host fails with error 438.  The three procedures below RunLongJob are the
// protocol's steps, for the few callers that need one of them alone.

#include "foundation/JobHost.h"
#include "foundation/WindowProtocol.h"

#include <QString>
#include <cstdint>
#include <functional>

struct LongJobOptions {
    // The job works on the rows of the Scanning Centre's results list: it is
    // refused during a scan and on an empty list, and scanning stays locked
    // (Scan button and list disabled) until it ends.
    bool needsScanResults = false;
};

// Runs one long job of `window` (see above).  False when the job did not run:
// the start check refused it, or the start itself failed (shown, and the
// window left idle).
bool RunLongJob(IToolWindow* window, const LongJobOptions& options, const std::function<void(JobHost& job)>& body);

// The close check of a window's unload-query handler: True when the window
// may close.  False, after the running-job warning naming the window, while
// the window runs a job; for the Scanning Centre also while any other window
// with jobs runs one (the last loaded such window is named).
bool WindowMayClose(IToolWindow* Form);

// The window's job host as RunLongJob makes it: the status line and the end
// report through ProgressIndication, the progress bar, the window's own stop
// flag and caption.  A window whose engine keeps its host beyond one job (the
// Scanning Centre's folder scan) holds one of these.
class WindowJobHost final : public JobHost {
public:
    // Error 438 when `window` is no long-job host.
    explicit WindowJobHost(IToolWindow* window);
    void ShowStatus(const QString& text) override;
    void ShowProgress(int64_t position, int64_t maximum) override;
    void ShowResult(const QString& status, bool showBox, const QString& boxText) override;
    QString Caption() const override;
    // The preference DisplayMessageBox as it is now.
    bool DisplayMessageBox() const override;

private:
    IToolWindow* m_window;
    ILongJobHost& m_job;
};

// ---- the protocol's steps -----------------------------------------------------
// The start check: with blnCheckRunning False the start of a job (True: it
// may run and the window is now busy), with it True the close check
// (WindowMayClose).
bool InitialiseNewProcess(IToolWindow* Form, bool blnNeedsScanResults, bool blnCheckRunning);
// The end of a job that InitialiseNewProcess let start.  The window is idle
// again and the Scanning Centre unlocked even when one of the steps fails
// (the failure is passed on after that).
void ConcludeProcess(IToolWindow* Form);
// Writes the status line; with blnShowBox also shows strStatus + ". " +
// strBoxText in a box of style lngBoxStyle titled with the window's caption
// and returns the pressed button, else returns 0.
int32_t ProgressIndication(IToolWindow* Form, const QString& strStatus, bool blnShowBox, const QString& strBoxText,
                           int32_t lngBoxStyle);
