#include "foundation/LongJob.h"

#include "foundation/Errors.h"
#include "foundation/MessageUi.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"

#include <algorithm>
#include <exception>

namespace {

QString NameOf(IToolWindow* form) { return form ? form->Name() : QString(); }

ILongJobHost& HostOf(IToolWindow* form) {
    if (!form) RaiseError(ErrNo::ObjectNotSet);
    auto* host = dynamic_cast<ILongJobHost*>(form);
    if (!host) RaiseError(ErrNo::MemberNotFound);
    return *host;
}

IScanResultsHost* MainWindow() { return WindowRegistry::FindAs<IScanResultsHost>(WindowNames::ScanningCentre); }

void RefuseRunning(const QString& caption) {
    MsgBox(GetResourceString(TextId::Common::ProcessRunningIn) + caption +
               GetResourceString(TextId::Common::StopProcessBeforeClosing),
           Mb::OKOnly | Mb::Exclamation, GetResourceString(TextId::Common::ProcessRunning));
}

// A window with a job of its own counts in the program's close check: the
// core tool windows and the CD Ripper alike (a rip must not be cut off by the
// program ending under it).
bool RunsJob(IToolWindow* window) {
    auto* host = dynamic_cast<ILongJobHost*>(window);
    return host && host->mblnProcessRunning;
}

// The Scanning Centre stays locked while any job that locked it still runs.
bool ScanLockStillHeld() {
    for (IToolWindow* window : WindowRegistry::Loaded()) {
        auto* host = dynamic_cast<ILongJobHost*>(window);
        if (host && host->holdsScanLock && host->mblnProcessRunning) return true;
    }
    return false;
}

}  // namespace

bool InitialiseNewProcess(IToolWindow* Form, bool blnNeedsScanResults, bool blnCheckRunning) {
    try {
        ILongJobHost& host = HostOf(Form);
        if (blnCheckRunning) {
            bool found = false;
            QString runningCaption;
            if (Form->Name() == WindowNames::ScanningCentre) {
                for (IToolWindow* window : WindowRegistry::Loaded()) {
                    if (RunsJob(window)) {
                        runningCaption = window->Caption();
                        found = true;
                    }
                }
            }
            if (found || host.mblnProcessRunning) {
                RefuseRunning(found ? runningCaption : Form->Caption());
                return false;
            }
            return true;
        }

        if (host.mblnProcessRunning) {
            RefuseRunning(Form->Caption());
            return false;
        }
        IScanResultsHost* main = nullptr;
        if (blnNeedsScanResults) {
            main = MainWindow();
            if (main && main->mblnScanInProgress) {
                MsgBox(GetResourceString(TextId::Common::ScanInProgressText), Mb::OKOnly | Mb::Exclamation,
                       GetResourceString(TextId::Common::ScanInProgress));
                return false;
            }
            // No Scanning Centre loaded means no scan results either.
            if (!main || main->ScanResultsCount() <= 0) {
                MsgBox(GetResourceString(TextId::Common::InsufficientScanResultsText), Mb::OKOnly | Mb::Exclamation,
                       GetResourceString(TextId::Common::InsufficientScanResults));
                return false;
            }
        }
        host.mblnProcessRunning = true;
        host.mblnStopAll = false;
        host.holdsScanLock = blnNeedsScanResults;
        host.SetBusyPointer(true);
        host.EnableControls(false);
        if (main) {
            main->mblnInhibitScan = true;
            main->SetScanButtonEnabled(false);
            main->SetScanResultsEnabled(false);
        }
        return true;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("InitialiseNewProcess"), NameOf(Form), blnNeedsScanResults,
                                blnCheckRunning));
    }
}

void ConcludeProcess(IToolWindow* Form) {
    WithTrail(CallSite(QStringLiteral("ConcludeProcess"), NameOf(Form)), [&] {
        ILongJobHost& host = HostOf(Form);
        // A failing step must not leave the window busy or scanning locked:
        // every step runs, and the first failure is passed on at the end.
        std::exception_ptr failure;
        auto step = [&](auto&& action) {
            try {
                action();
            } catch (...) {
                if (!failure) failure = std::current_exception();
            }
        };
        step([&] { host.SetBusyPointer(false); });
        step([&] { host.EnableControls(true); });
        step([&] { host.SetProgBarValue(0); });
        host.mblnStopAll = false;
        host.mblnProcessRunning = false;
        host.holdsScanLock = false;
        step([&] {
            if (IScanResultsHost* main = MainWindow(); main && !ScanLockStillHeld()) {
                main->mblnInhibitScan = false;
                main->SetScanButtonEnabled(true);
                main->SetScanResultsEnabled(true);
            }
        });
        if (failure) std::rethrow_exception(failure);
    });
}

int32_t ProgressIndication(IToolWindow* Form, const QString& strStatus, bool blnShowBox, const QString& strBoxText,
                           int32_t lngBoxStyle) {
    try {
        ILongJobHost& host = HostOf(Form);
        host.SetStatusBarCaption(strStatus);
        if (blnShowBox) return MsgBox(strStatus + QStringLiteral(". ") + strBoxText, lngBoxStyle, Form->Caption());
        return 0;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("ProgressIndication"), NameOf(Form), strStatus, blnShowBox,
                                strBoxText, lngBoxStyle));
    }
}

bool WindowMayClose(IToolWindow* Form) { return InitialiseNewProcess(Form, false, true); }

bool RunLongJob(IToolWindow* window, const LongJobOptions& options, const std::function<void(JobHost& job)>& body) {
    auto* host = dynamic_cast<ILongJobHost*>(window);
    const bool wasRunning = host && host->mblnProcessRunning;
    bool started = false;
    try {
        started = InitialiseNewProcess(window, options.needsScanResults, false);
    } catch (...) {
        DisplayErrorMessage();
        // A start that failed half-way must not leave the window busy.
        if (host && !wasRunning && host->mblnProcessRunning) ResumeNext([&] { ConcludeProcess(window); });
        return false;
    }
    if (!started) return false;
    ResumeNext([&] {
        WindowJobHost job(window);
        if (body) body(job);
    });
    ResumeNext([&] { ConcludeProcess(window); });
    return true;
}

// ---- the window's job host ------------------------------------------------------

WindowJobHost::WindowJobHost(IToolWindow* window)
    : JobHost(HostOf(window).mblnStopAll), m_window(window), m_job(HostOf(window)) {}

void WindowJobHost::ShowStatus(const QString& text) { ProgressIndication(m_window, text, false, QString(), 0); }

void WindowJobHost::ShowProgress(int64_t position, int64_t maximum) {
    const int64_t top = std::clamp<int64_t>(maximum, 0, INT32_MAX);
    m_job.SetProgBarMax(static_cast<double>(top));
    m_job.SetProgBarValue(static_cast<double>(std::clamp<int64_t>(position, 0, top)));
}

void WindowJobHost::ShowResult(const QString& status, bool showBox, const QString& boxText) {
    ProgressIndication(m_window, status, showBox, boxText, Mb::OKOnly | Mb::Exclamation);
}

QString WindowJobHost::Caption() const { return m_window->Caption(); }

bool WindowJobHost::DisplayMessageBox() const { return Options().Preferences.blnDisplayMessageBox; }
