#pragma once
// Sorting the checked results rows into subfolders of a destination folder,
// one subfolder per value of a tag field (the row's cell, so the ID3v1 genre
// is its name).  The window asks for the field (its menu item) and the
// destination (a folder browser); this is the job that follows.
//
// Only checked rows take part.  A cell whose cleaned name is empty, or made
// only of dots (which would name the destination or its parent), has no
// value: the user is asked once per run whether such files go into the
// destination itself.  Moves go through MoveFile, which never replaces a file
// without the user's yes.

#include "foundation/JobHost.h"

#include <QString>
#include <vector>

class ScanResultsModel;

// The results column a menu item of "By ID3v1 Tag" (index 0 to 4: artist,
// album, genre, year, comment) or "By ID3v2 Tag" (index 0 to 9: artist,
// album, genre, year, comment, composer, original artist, copyright, URL,
// encoded by) sorts by; -1 for any other index.
int SortColumnForID3v1Item(int index);
int SortColumnForID3v2Item(int index);

// The subfolder name of a cell: the characters a file name cannot hold
// (\ / : * ? " < > |) and control characters removed, blanks and NULs
// trimmed, cut to 255 bytes of UTF-8 without splitting a character.  Empty
// when nothing is left or only dots are.
QString SortFolderName(const QString& cellText);

// One checked row as the sort will treat it.
struct SortMove {
    int row = 0;
    QString source;      // the row's full path
    QString folderName;  // empty: the row has no value
    QString target;      // destination/folderName/file name; empty without a value
};
// The checked rows of `results` in list order, with their targets under
// `destination` by `column`.
std::vector<SortMove> PlanSortIntoFolders(const ScanResultsModel& results, int column, const QString& destination);

enum class SortOutcome {
    Complete,
    Interrupted,
    DestinationRemoved,
    Incomplete,  // a move or a subfolder failed, or a failure ended the run (each was reported)
};

// Runs the sort: status "Sorting files into folders - Please wait...", then
// per planned row (stop flag, progress, destination check) the subfolder is
// made when missing and the file moved, or, without a value, moved into the
// destination on the user's yes.  Ends with the host's reports: "Sort into
// folders complete" (box only with the host's DisplayMessageBox), "Sort into
// folders interrupted by user" (box), "Sort into folders not complete" with
// "Destination folder was removed." (box), or, when a move or a subfolder
// failed, "Sort into folders not complete" (box).  A "No" to replacing a file
// is no failure.  Rows are not changed.
SortOutcome SortIntoFolders(const ScanResultsModel& results, int column, const QString& destination,
                            JobHost& host);
