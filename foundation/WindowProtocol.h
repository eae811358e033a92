#pragma once
// The tool-window protocol: what shared code (the long-job procedures, the skin
// engine, the menus and the keyboard emulation) asks of a window, split into
// small capability interfaces.  A window offers a capability by deriving from
// its interface; shared code asks with dynamic_cast, and a window that lacks a
// capability is skipped exactly where the calling procedure says so (elsewhere
// the missing member is error 438).
//
// The registry keeps the loaded windows in the order they were loaded (the
// order every "for each loaded window" walk uses) and creates windows by name
// through factories, so a window can be shown by name before the code that
// builds it is linked in.
//
// Nothing here includes a widget header: the windows themselves live in ui/.

#include "foundation/ToolWindows.h"  // the window names

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

// ---- every window that shared code reaches --------------------------------
class IToolWindow {
public:
    virtual ~IToolWindow();
    // The window's name ("FormMP3ScanningCentre"); compared exactly.
    virtual QString Name() const = 0;
    // The caption the user sees (used in messages).
    virtual QString Caption() const = 0;
    // The window's tag text: "Skinnable" on every skinnable tool window.
    virtual QString Tag() const { return QString(); }
    // Show (modeless): shows the loaded window and brings it to the front.
    virtual void ShowWindow() = 0;
    // Unload: runs the window's close handlers; the window may refuse.
    virtual void UnloadWindow() = 0;
};

// ---- long jobs ------------------------------------------------------------
// Offered by the six core tool windows and the CD Ripper.
class ILongJobHost {
public:
    virtual ~ILongJobHost();
    // A job runs in this window.
    bool mblnProcessRunning = false;
    // The user asked the running job to stop; polled between files.
    bool mblnStopAll = false;
    // True while this window's running job locks the Scanning Centre (a job
    // on the scan results).  Kept by the long-job procedures only.
    bool holdsScanLock = false;

    // Enables or disables the window's own controls for a job (and its
    // File, Edit and Actions menus).
    virtual void EnableControls(bool blnEnable) = 0;
    // ProgBar's value.
    virtual void SetProgBarValue(double value) = 0;
    // ProgBar's maximum (its minimum is 0), its value back at 0; a maximum of
    // 0 or less leaves the bar as it is.
    virtual void SetProgBarMax(double maximum) = 0;
    // LabelStatusBar's caption.
    virtual void SetStatusBarCaption(const QString& text) = 0;
    // The window's mouse pointer: the hourglass while busy, else the default.
    virtual void SetBusyPointer(bool busy) = 0;
};

// ---- the Scanning Centre's public state -----------------------------------
// Offered by the main window only; the long-job procedures lock and unlock it.
class IScanResultsHost {
public:
    virtual ~IScanResultsHost();
    bool mblnScanInProgress = false;
    bool mblnInhibitScan = false;

    // Rows of ListViewScanResults.
    virtual int64_t ScanResultsCount() const = 0;
    // mbuttonScan's Enabled.
    virtual void SetScanButtonEnabled(bool enabled) = 0;
    // ListViewScanResults' Enabled.
    virtual void SetScanResultsEnabled(bool enabled) = 0;
};

// ---- texts ----------------------------------------------------------------
// Every tool window: sets its captions, tool tips and menu texts from the
// string table.
class IDialogTextHost {
public:
    virtual ~IDialogTextHost();
    virtual void InitialiseDialogText() = 0;
};

// The common controls of a skinned window that the shared texts fill.  Each
// setter raises error 438 when the window has no such control, 340 when the
// control array has no such element.
class ICommonControlsHost {
public:
    enum class Menu { Edit, Tools, Help };
    virtual ~ICommonControlsHost();
    virtual void SetSystemMenuToolTip(int index, const QString& text) = 0;     // ImageSystemMenu(index)
    virtual void SetGreenIndicatorToolTip(const QString& text) = 0;            // ImageGreenIndicator
    virtual void SetLabelMenuCaption(int index, const QString& text) = 0;      // LabelMenu(index)
    virtual void SetMenuItemCaption(Menu menu, int index, const QString& text) = 0;  // mnuEdit/mnuTools/mnuHelp
};

// ---- skins ----------------------------------------------------------------
// Windows whose skinned check boxes, option buttons or view tabs must be
// brought back in line after a new skin: the coordinator, the cataloguer,
// the Playlist Manager and the launcher bar.
class ISkinHost {
public:
    virtual ~ISkinHost();
    virtual void UpdateSkinControls() = 0;
};

// ---- label menus ----------------------------------------------------------
// The six core tool windows.
class IMenuHost {
public:
    virtual ~IMenuHost();
    // Pops up the menu of label Index (0 File ... 4 Help) under the label.
    virtual void LabelMenu_Click(int Index) = 0;
    // Runs Edit item Index on the window's edit control.
    virtual void mnuEdit_Click(int Index) = 0;
    virtual void mnuFileExit_Click() = 0;
};
// The windows with a File Open item (Scanning Centre, coordinator, Playlist
// Manager, Encoder Decoder).
class IFileOpenHost {
public:
    virtual ~IFileOpenHost();
    virtual void mnuFileOpen_Click() = 0;
};
// The windows with a File Save item (Scanning Centre, coordinator,
// cataloguer, Playlist Manager).
class IFileSaveHost {
public:
    virtual ~IFileSaveHost();
    virtual void mnuFileSave_Click() = 0;
};

// ---- the loaded windows ---------------------------------------------------
namespace WindowRegistry {
// A window registers itself when it loads and unregisters when it unloads or
// is destroyed (both idempotent).
void Register(IToolWindow* window);
void Unregister(IToolWindow* window);

// The loaded windows in load order (a copy: walks may load or unload windows).
std::vector<IToolWindow*> Loaded();
// The loaded window of that exact name, or null.
IToolWindow* Find(const QString& name);
template <typename T>
T* FindAs(const QString& name) {
    return dynamic_cast<T*>(Find(name));
}

// Factories: how a window of that name is created.  The factory constructs
// (and so loads) the window; it must register it.
using Factory = std::function<IToolWindow*()>;
void SetFactory(const QString& name, Factory factory);
bool HasFactory(const QString& name);

// The loaded window of that name, created through its factory when it is not
// loaded; null when there is neither.
IToolWindow* Load(const QString& name);
// Load, then ShowWindow; null when the window cannot be created.
IToolWindow* Show(const QString& name);
// Load without showing: a window that is not loaded is created hidden (its
// load shows nothing) and stays so until it is shown; a loaded window is left
// as it is.
IToolWindow* LoadHidden(const QString& name);
// True while LoadHidden creates the window of that name.
bool LoadingHidden(const QString& name);
}  // namespace WindowRegistry
