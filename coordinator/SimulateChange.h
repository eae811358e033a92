#pragma once
// The derivation engine's entry point: one results row (the 40 cells of the
// scan results, scanning/engine/ScanRecord.h) in, one simulate row out (the
// eight cells of coordinator/SimRow.h), or the row's failure.  Nothing is
// read from Options() or from windows: the caller hands over the
// coordinator's two option records and the overrides of the coordinator
// window, and a NameDeriver compiles them once for a whole run.
//
// What one row goes through: the base name (the file name without its
// extension) cut down by the simulate rules, split into parts, the track
// number found in the parts or the tags, album, artist and title assigned
// from the parts and the tags, artist and title formatted (the artist
// replaced by the override when that is on), and the new file name made from
// the mask, or the present name for a "No Change" row.
//
// A row that cannot be derived never throws: its outcome holds the error,
// whose trail names the failing step followed by "SimulateChange"; the caller
// shows it (DisplayErrorMessage) and adds no row for that file.

#include "coordinator/NameDerivation.h"
#include "coordinator/SimRow.h"
#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"

#include <QAnyStringView>
#include <QString>
#include <QStringList>
#include <optional>

class ScanResultsModel;

// What the coordinator window lets the user put in place of derived values
// for a Simulate run: the artist override ("Override Artist in Simulate
// with:").  When it is on, every row's artist is the text exactly as typed,
// neither trimmed nor formatted.  (The Mass Tagging Override Tool's values
// are not read here: they act when changes are applied.)
struct DerivationOverrides {
    bool blnOverrideArtist = false;
    QString strOverrideArtist;
};

// The working record of one row, filled step by step.
struct DerivationRecord {
    QString FileName;   // results cell 0, with extension
    QString Folder;     // results cell 1
    QString Extension;  // after the last ".", "" without one
    QString BaseName;   // without the extension; cut down by the rules
    TagNames Tags;      // the tag cells without blanks and NULs at their ends
    int ID3v1Track = 0;  // the ID3v1 track cell: 0 when empty, not above 0 or above 255
    QString ID3v2Track;
    QString Album, Artist, Title;
    int Track = 0;       // 0: none
    QString TrackText;   // "" or Track in decimal
    QString NewFileName;
    SimAction Action = SimAction::Change;
};

struct SimulateOutcome {
    SimRowTexts cells;             // the simulate row, when derived
    std::optional<SvError> error;  // set when the row failed
    bool ok() const { return !error.has_value(); }
    SimAction action() const;      // of a derived row
};

// Derives rows one after another; not for use from two threads at once.
class NameDeriver {
public:
    NameDeriver(const CoordinatorOptions& options, const CoordinatorAdvOptions& adv,
                const DerivationOverrides& overrides = {});

    // The row `row` of the results list.
    SimulateOutcome simulate(const ScanResultsModel& results, int row) const;
    // A row given as its cell texts in results-column order (missing cells
    // count as empty).
    SimulateOutcome simulate(const QStringList& cells) const;

    const DerivationSettings& settings() const { return m_settings; }

private:
    template <typename Cell>
    SimulateOutcome derive(const Cell& cell) const;
    void fill(DerivationRecord& r) const;
    SimRowTexts fillOutColumns(DerivationRecord& r) const;

    // Rows of one folder share its text: the folder of the last row.
    QString sharedFolder(QAnyStringView folder) const;

    DerivationSettings m_settings;
    DerivationOverrides m_overrides;
    mutable QString m_lastFolder;
};

// One row with options compiled for it alone (a drop of a few rows, tests).
SimulateOutcome SimulateChange(const QStringList& cells, const CoordinatorOptions& options,
                               const CoordinatorAdvOptions& adv, const DerivationOverrides& overrides = {});
