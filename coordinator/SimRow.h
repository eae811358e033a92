#pragma once
// One row of the simulate results: its eight cells in their fixed column
// order (every reader and writer addresses a cell by index), the four action
// values, and the one rule that ties a row's check mark and text colour to
// its action.  Plain values only: the table model (SimResultsModel.h) and the
// derivation engine (Derivation.h) both build on these.

#include "foundation/OptionRecords.h"

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>

struct stat;

namespace SimColumn {
enum : int {
    OldFileName = 0,
    Folder,
    Track,
    Album,
    Artist,
    Title,
    NewFileName,
    Action,
};
}  // namespace SimColumn

constexpr int kSimColumnCount = 8;
using SimRowTexts = std::array<QString, kSimColumnCount>;

// The fixed captions "Old File Name" to "Action", index 0 to 7.
const std::array<QString, kSimColumnCount>& SimColumnCaptions();

// The action values as the Action cell holds them.
enum class SimAction { Change, ChangeQ, NoChange, Delete };
QString SimActionText(SimAction action);  // "Change", "Change ??", "No Change", "Delete"
// The action a cell text names, ignoring letter case; none for any other
// text (an action edited by hand in a list file, or an empty cell).
std::optional<SimAction> ParseSimAction(QStringView text);

// Which file a row was made from: the file system's device and inode
// numbers of its path when the row was derived, with the file's size and
// modification time (nanoseconds), so that a file rewritten in place, or
// replaced by one that took over the freed inode, is not taken for it.
// Apply leaves a row alone when its path no longer names that file.  Rows
// read from a list file have none.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;
    bool known() const { return inode != 0; }
    bool operator==(const FileIdentity&) const = default;
};
// The identity of the regular file at `path` (a link counts as its target);
// unknown when there is none.
FileIdentity IdentityOf(const QString& path);
// The identity a stat call gave.
FileIdentity IdentityOf(const struct stat& st);

// What an action makes of its row: ticked or not, and the colour value
// (foundation/SharedServices.h: PaintColour) of the row's text.
struct SimRowStyle {
    bool checked = false;
    int32_t colour = 0;
};
// "Change", "Change ??" and "Delete" tick the row, "No Change" unticks it,
// each with its colour option; any other text gives none, and the row keeps
// the tick and colour it has.
std::optional<SimRowStyle> SimActionStyle(QStringView action, const CoordinatorAdvOptions& options);
