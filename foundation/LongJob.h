#pragma once
// The long-job protocol shared by the tool windows.  A job runs inside the
// event handler that starts it and yields to the message loop between files:
//
//   if (!InitialiseNewProcess(this, needsScanResults, false)) return;
//   for each file: yield; if (mblnStopAll) break; advance ProgBar;
//                  ProgressIndication(this, status, false, {}, 0);
//   ProgressIndication(this, result, Options().Preferences.blnDisplayMessageBox, text, style);
//   ConcludeProcess(this);            // also when the job failed
//
// The same start check with blnCheckRunning True is the close check of a
// window's unload-query handler: True means the window may close.
//
// The procedures reach the window through ILongJobHost and the Scanning
// Centre through IScanResultsHost (shell/WindowProtocol.h); a window that
// calls them without being a long-job host gets error 438.

#include "shell/WindowProtocol.h"

#include <QString>
#include <cstdint>

bool InitialiseNewProcess(IToolWindow* Form, bool blnNeedsScanResults, bool blnCheckRunning);
void ConcludeProcess(IToolWindow* Form);
// Writes the status line; with blnShowBox also shows strStatus + ". " +
// strBoxText in a box of style lngBoxStyle titled with the window's caption
// and returns the pressed button, else returns 0.
int32_t ProgressIndication(IToolWindow* Form, const QString& strStatus, bool blnShowBox, const QString& strBoxText,
                           int32_t lngBoxStyle);
