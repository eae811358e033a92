#pragma once
// The CD Ripper: the CD drives in a drop-down list, the tracks of the chosen
// drive's disc as ticked rows whose names become the WAV files' names, the
// output folder, and Rip, Stop and Browse as skinned buttons; a plain CDDB
// button (seen only with skins off) asks the CD database about the disc.
//
// A rip is a long job of this window and of the Encoder Decoder window (the
// Encoder Decoder's job starts first and ends last, so the program refuses
// to shut down while the rip runs); every WAV file the rip writes joins the
// Encoder Decoder's list at once.  Closing the window during a rip stops the
// rip and closes the window once the rip has ended.
//
// No drive, or a drive without a readable disc, leaves the list empty and
// Rip off, without a message.
//
// The CDDB query never holds up the window: it runs on the event loop, ends
// by itself within its time limit, and Stop or closing the window ends it at
// once.  While it runs Stop is enabled; nothing else shows it.

#include "ripper/CdDrive.h"
#include "shell/ui/SkinnedControls.h"
#include "shell/ui/SkinnedToolWindow.h"

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class TrackListModel;
class CdDatabaseQuery;

class FormCDRipper : public SkinnedToolWindow {
    Q_OBJECT
public:
    explicit FormCDRipper(QWidget* parent = nullptr);
    ~FormCDRipper() override;

    // ---- public members ----
    clsButton mbuttonBrowse;
    clsButton mbuttonRip;
    clsButton mbuttonStop;

    // ---- controls ----
    QLabel* LabelDrives = nullptr;
    QComboBox* ComboDrives = nullptr;
    QLabel* LabelTracks = nullptr;
    QTreeView* ListViewTracks = nullptr;
    QLabel* LabelOutputDirectory = nullptr;
    QLineEdit* TextOutputDirectory = nullptr;
    QPushButton* BtnBrowse = nullptr;
    QPushButton* BtnRip = nullptr;
    QPushButton* BtnStop = nullptr;
    QPushButton* BtnCDDB = nullptr;
    TrackListModel* Tracks() const { return m_tracks; }

    // ---- IDialogTextHost / ILongJobHost ----
    void InitialiseDialogText() override;
    void EnableControls(bool blnEnable) override;

    // ---- handlers ----
    void ComboDrives_Click();
    void ListViewTracks_ItemCheck();
    void BtnBrowse_Click();
    void BtnRip_Click();
    void BtnStop_Click();
    void BtnCDDB_Click();

    // ---- keys ----
    void ProcessShortcutKeys(int KeyCode, int Shift) override;

    // The open drive (null when none is) and its table of contents.
    CdDrive* Drive() const { return m_drive.get(); }
    // The CD-database query of the CDDB button.
    CdDatabaseQuery* CdDatabase() const { return m_cddb; }

protected:
    void LayoutControls() override;
    // A rip does not refuse the close: it stops, and the window closes once
    // the rip has returned.
    void QueryUnload(bool& cancel) override;
    void StopBeforeUnload() override;
    void UnloadOwn() override;

private:
    void BuildControls() override;
    void ResizeColumns();
    void FillDrives();
    // Opens drive `index` of the drive list and reads its table of contents;
    // false when there is no disc to list.  With `report`, a drive that
    // cannot be opened is reported in a plain box; a refused disc image is
    // reported either way.
    bool InitCDDrive(int index, bool report);
    void ChooseDrive(bool report);
    void ReadSettings() override;
    void WriteSettings() override;

    TrackListModel* m_tracks = nullptr;
    CdDatabaseQuery* m_cddb = nullptr;
    std::unique_ptr<CdDrive> m_drive;
    CdTableOfContents m_toc;
    bool m_closeWhenRipEnds = false;
};

// Installs the CD Ripper's factory in the window registry.
void RegisterCDRipperWindow();
