#pragma once
// The Encoder Decoder: a checked list of WAV and MP3 files and the LAME runs
// over it.  Files come in from the open dialog, from drops, from the Scanning
// Centre's checked rows (Read Scan Results) and from the CD Ripper
// (IEncoderFileList); folders never become rows.  Encode All and Decode All
// convert every checked row not already of the target type, one file at a
// time (encoder/Conversion.h); the Actions menu converts the selected row.
//
// Every job of the window runs through RunLongJob: the list is hidden and its
// drawing held, the buttons and the File, Edit and Actions labels are off,
// Stop is on.  Stop ends a batch before the next file; a second Stop while
// LAME works ends LAME at once and removes its partial output.  A batch's end
// text counts the files that failed and never says "complete" when one did.
//
// Keys: F1 opens the window's help page; Alt+R, S, D and C press Read Scan
// Results, Stop, Decode All and Rip CD while they are enabled.  Alt+E opens
// the Edit menu (the menu bar's key) and so never also starts Encode All,
// which stays on its button and the Actions menu.

#include "encoder/Conversion.h"
#include "foundation/Dialogs.h"
#include "foundation/EncoderFileList.h"
#include "foundation/ui/ResultsListView.h"
#include "foundation/WindowProtocol.h"
#include "shell/ui/SkinnedControls.h"
#include "shell/ui/SkinnedToolWindow.h"

#include <QStringList>
#include <functional>

class JobHost;
class QAction;
class QMenu;
class QPushButton;
class EncoderFileListModel;

// The file list as a control: checked rows, sortable, takes dropped files.
class EncoderFileListView : public ResultsListView {
    Q_OBJECT
public:
    explicit EncoderFileListView(QWidget* parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

class FormEncoderDecoder : public SkinnedToolWindow, public IMenuHost, public IFileOpenHost, public IEncoderFileList {
    Q_OBJECT
public:
    explicit FormEncoderDecoder(QWidget* parent = nullptr);
    ~FormEncoderDecoder() override;

    // ---- public members ----
    clsButton mbuttonRead;
    clsButton mbuttonStop;
    clsButton mbuttonEncodeAll;
    clsButton mbuttonDecodeAll;
    clsButton mbuttonRipCD;

    // ---- controls ----
    EncoderFileListView* ListViewFiles = nullptr;
    QPushButton* BtnRead = nullptr;
    QPushButton* BtnStop = nullptr;
    QPushButton* BtnEncodeAll = nullptr;
    QPushButton* BtnDecodeAll = nullptr;
    QPushButton* BtnRipCD = nullptr;
    SkinImage* ImageRedIndicator = nullptr;
    CommonDialog CommonDialogFile;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuActions = nullptr;
    QAction* mnuActionsFileInfo = nullptr;
    QAction* mnuActionsPlay = nullptr;
    QAction* mnuActionsEncode = nullptr;
    QAction* mnuActionsDecode = nullptr;
    QAction* mnuActionsEncodeAll = nullptr;
    QAction* mnuActionsDecodeAll = nullptr;
    QAction* mnuActionsRipCD = nullptr;
    QAction* mnuActionsCheckAll = nullptr;
    QAction* mnuActionsUncheckAll = nullptr;

    EncoderFileListModel* Files() const { return m_files; }
    // The converter of the window's runs (tests point it at a LAME of their own).
    LameConverter& Converter() { return m_converter; }

    // ---- the tool-window protocol ----
    void InitialiseDialogText() override;
    void EnableControls(bool blnEnable) override;
    void mnuEdit_Click(int Index) override;
    void mnuFileOpen_Click() override;
    void mnuFileExit_Click() override;
    void LabelMenu_Click(int Index) override;
    // Ripped (or otherwise handed over) files: one checked row per file.
    void AddFilesToEncoderList(const QStringList& paths) override;

    // ---- commands ----
    void BtnRead_Click();
    void BtnStop_Click();
    void BtnEncodeAll_Click() { RunBatch(ConversionMode::Encode); }
    void BtnDecodeAll_Click() { RunBatch(ConversionMode::Decode); }
    void BtnRipCD_Click();
    void mnuActionsEncode_Click() { RunSelected(ConversionMode::Encode); }
    void mnuActionsDecode_Click() { RunSelected(ConversionMode::Decode); }
    void mnuActionsFileInfo_Click();
    void mnuActionsPlay_Click();
    void mnuActionsCheckAll_Click();
    void mnuActionsUncheckAll_Click();
    void ActionsMenuRootSelect();
    // Files dropped on the list (folders are passed over).
    void ListViewFiles_OLEDragDrop(const QStringList& paths);

    // ---- keys ----
    void ProcessShortcutKeys(int KeyCode, int Shift) override;

    // The list's sort (section "ListViewFiles").
    void ReadSettings() override;
    void WriteSettings() override;

protected:
    void LayoutControls() override;
    void UnloadOwn() override;

private:
    void BuildControls() override;
    void BuildMenus() override;
    void ResizeColumns();
    void RunBatch(ConversionMode mode);
    void RunSelected(ConversionMode mode);
    // Adds a row for each path that is not a folder; yields and stops as a job.
    void AddPaths(const QStringList& paths, JobHost* job);
    int SelectedRow() const;
    void UpdateBatchButtons();

    EncoderFileListModel* m_files = nullptr;
    LameConverter m_converter{mblnStopAll};
    bool m_converting = false;
    bool m_inLayout = false;
};

// Registers the window's factory (launcher bar, Tools menu, "WindowStates").
// The program (app/ui/ProgramWindows.cpp) installs the Encoder Decoder Options
// dialog as the options dialog of page 6 (InstallEncoderOptionsDialog).
void RegisterEncoderDecoderWindow();
