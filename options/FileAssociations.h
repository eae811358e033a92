#pragma once
// The program as the desktop's opener of its four file types: scan results
// (".scn"), simulate results (".sim"), M3U and PLS playlists.  One type's
// registration is three per-user files of the freedesktop standards:
//   - a shared-mime-info package $XDG_DATA_HOME/mime/packages/sonivard-<class>.xml
//     that maps "*.<ext>" to the type and names it ("Scan Results File");
//   - a desktop entry $XDG_DATA_HOME/applications/sonivard-<class>.desktop whose
//     Exec line is the command that opens a file with this program;
//   - the desktop entry as the type's default in $XDG_CONFIG_HOME/mimeapps.list
//     ([Default Applications] and [Added Associations]), other entries kept.
// A type counts as associated when its desktop entry's command is this
// program's command (compared ignoring case).  Removing a type deletes the
// package, our entry in mimeapps.list and the desktop entry, nothing else.
// Every file is written to a temporary file beside it and renamed over.

#include <QString>
#include <Qt>
#include <array>
#include <functional>

enum class AssociatedType { ScanResults = 0, SimulateResults = 1, M3UPlaylist = 2, PLSPlaylist = 3 };
constexpr int AssociatedTypeCount = 4;

struct FileTypeRegistration {
    QString extension;    // ".scn"
    QString className;    // "scnfile": names the package and the desktop entry
    QString mimeType;     // the type the extension maps to
    QString parentType;   // "text/plain" for the list files, else empty
    QString description;  // "Scan Results File"
};
const FileTypeRegistration& FileTypeInfo(AssociatedType type);

// Register one type, whatever was registered for it before.  A file that
// cannot be written raises the platform error with the procedure's name.
void SetScanResultsFilesAssociation();
void SetSimResultsFilesAssociation();
void SetM3UPlaylistFilesAssociation();
void SetPLSPlaylistFilesAssociation();
void RegisterFileType(AssociatedType type);
void RemoveFileType(AssociatedType type);
bool IsFileTypeAssociated(AssociatedType type);
// Makes the first run register the two list-file types (".scn", then ".sim").
void InstallFirstRunAssociations();

// The Exec value this program registers: its quoted path, a blank and "%f".
QString AssociationCommand();
// The program file registered; the running program unless set (tests).
QString AssociationProgramPath();
void SetAssociationProgramPath(const QString& path);  // empty: the running program again

QString AssociationDesktopFile(AssociatedType type);
QString AssociationMimePackage(AssociatedType type);
QString MimeAppsListPath();

// After a change the desktop's caches are rebuilt (update-mime-database,
// update-desktop-database, when installed).  Tests replace this; the argument
// is the data folder ($XDG_DATA_HOME).  Returns the previous refresher.
using AssociationRefresher = std::function<void(const QString& dataHome)>;
AssociationRefresher SetAssociationRefresher(AssociationRefresher refresher);

// ---- the Options dialog's four check boxes (order: scn, sim, m3u, pls) ----
using AssociationBoxes = std::array<Qt::CheckState, AssociatedTypeCount>;
// As the dialog is designed: the two list-file boxes ticked, the playlists clear.
constexpr AssociationBoxes kAssociationBoxesDesign = {Qt::Checked, Qt::Checked, Qt::Unchecked, Qt::Unchecked};

struct FileAssociationFindings {
    std::array<bool, AssociatedTypeCount> found{};
};
// When the dialog loads: ticks the box of every type found associated (other
// boxes keep their design state) and remembers which were found.
FileAssociationFindings GetFileAssociations(AssociationBoxes& boxes);
// At OK: registers each ticked type that was not found, removes each cleared
// type that was found; anything else (no change, a greyed box) does nothing.
// Each change is checked afterwards; a type whose change failed is shown in
// the error box (DisplayErrorMessage) and the next type still goes.  False
// when any failed.
bool SetFileAssociations(const FileAssociationFindings& findings, const AssociationBoxes& boxes);
