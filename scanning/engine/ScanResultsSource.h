#pragma once
// The results list as the tool windows see it: its rows, the rows the user
// has selected, the folder last scanned and whether the list may be changed
// now.  The main window offers it; a tool finds it through
// FindScanResultsSource() and so never names the main window's class.  The
// rows belong to the main window: a tool reads them (or removes rows) only
// while the main window is loaded, and only on the GUI thread.

#include <QList>
#include <QString>

class ScanResultsModel;

class IScanResultsSource {
public:
    virtual ~IScanResultsSource();
    // The results list's rows (never null while the window is loaded).
    virtual ScanResultsModel* ScanResults() const = 0;
    // The rows selected in the results list, as model rows.
    virtual QList<int> SelectedScanResultsRows() const = 0;
    // The folder of the last scan (mstrLastScannedFolder); empty before one.
    virtual QString LastScannedFolder() const = 0;
    // True while rows are being dragged out of the results list.
    virtual bool DragInProcess() const = 0;
    // True while a scan runs (mblnScanInProgress) or another window's job
    // holds the list (mblnInhibitScan): rows must not be removed then.
    virtual bool ScanInProgress() const = 0;
    virtual bool ScanInhibited() const = 0;
};

// The loaded main window's results list, or null when it is not loaded.
IScanResultsSource* FindScanResultsSource();
