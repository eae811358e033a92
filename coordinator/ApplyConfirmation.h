#pragma once
// What the Apply Changes dialog lists: one ticked row per kind of pending
// change, in a fixed index order, with its caption and its place (twips).
//
//   0 to 6    each ID3v1 field override in force (track, title, artist, album,
//             year, genre, comment): "All ID3v1 Tags to be updated with "
//             value " in the ... field."
//   7 to 18   the same for the twelve ID3v2 fields
//   19        "Change File Name on Apply"
//   20, 21    "Change ID3v1/ID3v2 Tag on Apply" while that tag is not to be
//             removed, naming the table's columns the switch takes
//   22, 23    the removal of every ID3v1 / ID3v2 tag (a "Remove" in force)
//   24        the deletion of the ticked rows marked "Delete"
//
// Rows 22 to 24 make deletions and removals visible before they happen (and
// let the user switch them off); without them an Apply that only deletes or
// removes would be refused as having nothing to do.  Rows start at top 840,
// one-line rows 255 high at steps of 240, rows 18 to 21 two lines (492) at
// steps of 480; the dialog is the last row's bottom plus 1020 high.

#include "coordinator/MassTaggingOverrides.h"

#include <QString>
#include <vector>

namespace ConfirmRow {
enum : int {
    FirstID3v1 = 0,
    FirstID3v2 = 7,
    FileName = 19,
    ID3v1Table = 20,
    ID3v2Table = 21,
    RemoveID3v1 = 22,
    RemoveID3v2 = 23,
    DeleteFiles = 24,
    Count = 25,
};
}

struct ApplyConfirmationInput {
    MassTaggingOverrides overrides;
    bool changeFileName = false, changeID3v1Tag = false, changeID3v2Tag = false;
    int deleteRows = 0;         // ticked rows marked "Delete"
    bool useRecycleBin = false;  // deletions go to the trash
};

struct ConfirmationRow {
    int index = 0;
    QString caption;
    double top = 0, height = 0;  // twips
};

std::vector<ConfirmationRow> ApplyConfirmationRows(const ApplyConfirmationInput& input);
// The dialog's height (twips) for its rows; OK and Cancel stand 792 above it.
double ApplyConfirmationHeight(const std::vector<ConfirmationRow>& rows);
