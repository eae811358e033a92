#pragma once
// The settings that the launcher bar and the tool windows keep from one run
// to the next: one record per window, named after the window's controls, with
// its reader and writer over the settings store.  Each record starts at the
// defaults a window shows on a first run.  The window positions are not here
// (WriteWindowPos/ReadWindowPos); the Duplicate Finder keeps nothing but its
// position.
//
// How a window uses its pair.  Load, after the controls exist and before the
// window shows; unload, before the window goes:
//
//     FileNameTagCoordinatorSettings s;  // Load: start from the controls as designed
//     ResumeNext([&] { ReadThenShow([&] { s.Read(); }, [&] {
//         mcheckChangeFileName.SetValue(s.CheckChangeFileName ? 1 : 0);  // ... each field to its control
//         ShowListSort(ListViewSimResults, s.ListViewSimResults); }); });
//     ResumeNext([&] { TakeCoordinatorSettings().Write(); });  // Unload: fields from the controls
//
// ReadThenShow (options/ControlSettings.h) shows what was read even when a
// bad entry stopped the reading, and passes that error on, so ResumeNext puts
// it in the error box and the load goes on.  Show and take list sorts, column
// widths and fonts with options/ui/ControlSettingsUi.h.  Setting a control
// should run its handler as a click would (an option's click selects it, a
// check box's toggle enables what depends on it).
//
// Every Read reads in the order given, every Write writes in its order; an
// error ends either at that entry and passes up the trail with the
// procedure's name ("ReadScanningCentreSettings").  A Boolean key holding
// text other than True/False/a number is such an error; a number key holding
// no number reads 0; the corrections each record makes are listed with it.

#include "options/ControlSettings.h"

#include <QString>

// Section "Integrator", the launcher bar.
struct IntegratorSettings {
    // "StayOnTop" (integer, default 1): only 1 is on top.
    bool CheckStayOnTop = true;

    void Read();
    void Write() const;
    bool operator==(const IntegratorSettings&) const = default;
};

// Section "MP3ScanningCentre", then the sort and columns of the results
// list (sections "ListViewScanResults").
struct ScanningCentreSettings {
    static inline const QString ListName = QStringLiteral("ListViewScanResults");

    QString SelectedFolder;           // "SelectedFolder": the folder tree's selected folder
    bool CheckIncSubfolders = false;  // "IncludeSubfolders" (0 or 1, default 0)
    ListSortSettings ListViewScanResultsSort;
    ListColumnSettings ListViewScanResultsColumns;

    // Reads the columns 1 to `columnCount` of the results list.
    void Read(int columnCount);
    void Write() const;
    bool operator==(const ScanningCentreSettings&) const = default;
};

// Section "FileNameTagCoordinator" (which also holds the coordinator's
// options), then the sort of the simulate-results list.
struct FileNameTagCoordinatorSettings {
    static inline const QString ListName = QStringLiteral("ListViewSimResults");

    bool CheckChangeFileName = true;  // "FormatFileName" (0 or 1, default 1): mcheckChangeFileName
    bool CheckChangeID3v1Tag = true;  // "ChangeID3v1Tag": mcheckChangeID3v1Tag
    bool CheckChangeID3v2Tag = true;  // "ChangeID3v2Tag": mcheckChangeID3v2Tag
    ListSortSettings ListViewSimResults;

    void Read();
    void Write() const;
    bool operator==(const FileNameTagCoordinatorSettings&) const = default;
};

// Section "MusicCataloguer", then the font of the preview (section
// "RichViewer").  Read takes "HTMLOutput" and "ID3v1Pref" and sets each pair
// of options from them; "TextOutput" and "ID3v2Pref" are written, not read.
struct MusicCataloguerSettings {
    static inline const QString ViewerName = QStringLiteral("RichViewer");

    bool OptionHTMLOutput = true;   // moptionHTMLOutput ("HTMLOutput", default True)
    bool OptionTextOutput = false;  // moptionTextOutput ("TextOutput")
    bool OptionID3v1Pref = true;    // moptionID3v1Pref ("ID3v1Pref", default True)
    bool OptionID3v2Pref = false;   // moptionID3v2Pref ("ID3v2Pref")
    QString TextOutputFileName = QStringLiteral("My Music Collection");  // "OutputFileName"
    QString TextEntriesPerPage = QStringLiteral("100");                 // "NumEntriesPerPage"
    FontSettings RichViewer;

    void Read();
    void Write() const;
    bool operator==(const MusicCataloguerSettings&) const = default;
};

// Section "PlaylistManager".  Read takes "FileInfo" and sets both show
// options from it; "TitleInfo" is written, not read.  Its window takes the
// record without ReadThenShow, so Read reads to the end itself
// (ReadToTheEnd): every refused value gets its default back, the first
// refusal is passed on.
struct PlaylistManagerSettings {
    // "PlaylistFormat": list index 0 M3U, 1 PLS, 2 B4S (default 0; another
    // number reads as 0).
    int ComboPlaylistFormat = 0;
    bool OptionTitleInfo = false;  // moptionTitleInfo ("TitleInfo")
    bool OptionFileInfo = true;    // moptionFileInfo ("FileInfo", default True)

    void Read();
    void Write() const;
    bool operator==(const PlaylistManagerSettings&) const = default;
};

// Only the sort of the file list (section "ListViewFiles").
struct EncoderDecoderSettings {
    static inline const QString ListName = QStringLiteral("ListViewFiles");

    ListSortSettings ListViewFiles;

    void Read();
    void Write() const;
    bool operator==(const EncoderDecoderSettings&) const = default;
};

// Section "CDRipper".
struct CDRipperSettings {
    // "OutputDirectory" (default the user's music folder, UserMusicFolder()).
    QString TextOutputDirectory;

    CDRipperSettings();
    void Read();
    void Write() const;
    bool operator==(const CDRipperSettings&) const = default;
};
