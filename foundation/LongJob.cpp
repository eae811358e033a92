#include "foundation/LongJob.h"

#include "foundation/Errors.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"

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
        if (host && host->mblnHoldsScanLock && host->mblnProcessRunning) return true;
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
        host.mblnHoldsScanLock = blnNeedsScanResults;
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
    try {
        ILongJobHost& host = HostOf(Form);
        host.SetBusyPointer(false);
        host.EnableControls(true);
        host.SetProgBarValue(0);
        host.mblnStopAll = false;
        host.mblnProcessRunning = false;
        host.mblnHoldsScanLock = false;
        if (IScanResultsHost* main = MainWindow(); main && !ScanLockStillHeld()) {
            main->mblnInhibitScan = false;
            main->SetScanButtonEnabled(true);
            main->SetScanResultsEnabled(true);
        }
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("ConcludeProcess"), NameOf(Form)));
    }
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
