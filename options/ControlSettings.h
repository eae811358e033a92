#pragma once
// The stored form of single controls' states, each kept in the settings
// section named after its control (the control's objectName): a list's sort,
// a list's columns and a font (the remembered entries of an editable combo
// box: foundation/ComboBoxSettings.h).  The records know nothing of widgets;
// options/ui/ControlSettingsUi.h moves them between records and controls.
//
// Every Read fills its record entry by entry in a fixed order.  When an entry
// fails (a Boolean key holding other text, a number out of range, the store
// unreadable) reading stops there: the entries read so far keep their new
// values, the others keep what the record held, and the error passes up the
// trail with the procedure's name and arguments ("ReadSortSettings;
// ListViewSimResults").  Writers store in the same order and stop the same way.

#include "foundation/ComboBoxSettings.h"
#include "foundation/SettingsStore.h"

#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

// A list's sort: "Sorted" (Boolean, default False), "SortKey" (zero-based
// column, default 0), "SortOrder" (0 ascending, 1 descending, default 0).
struct ListSortSettings {
    bool Sorted = false;
    int SortKey = 0;
    int SortOrder = 0;

    // A negative key reads as column 0, an order other than 1 as ascending.
    void Read(const QString& listName);
    void Write(const QString& listName) const;
    bool operator==(const ListSortSettings&) const = default;
};

// A list's columns: for column n (1-based) "<n>Visible" (Boolean, default
// True) and "<n>Width" (twips, single precision, default 1440).  A hidden
// column is one of width 0.
struct ListColumnSettings {
    std::vector<double> Widths;  // twips by column (index 0 is column 1); 0 hidden

    // Reads `columnCount` columns.  A visible column whose stored width is 0,
    // negative or not a number gets the default width: only "<n>Visible" =
    // False hides a column.
    void Read(const QString& listName, int columnCount);
    // A column wider than 0 stores Visible True and its width; a hidden one
    // stores Visible False only, so its last width stays stored.
    void Write(const QString& listName) const;
    // The width stored for a column (0-based), with the same fall-back.
    static double StoredWidth(const QString& listName, int column);
    bool operator==(const ListColumnSettings&) const = default;
};

// A control's font: "FontName" (default "", which keeps the designed face),
// "FontSize" (points, four decimals kept, default 0, which keeps the designed
// size; so does any size of 0 or less), "FontItalic", "FontBold" (Booleans,
// default False, always applied).
struct FontSettings {
    QString FontName;
    double FontSize = 0;
    bool FontItalic = false;
    bool FontBold = false;

    void Read(const QString& controlName);
    void Write(const QString& controlName) const;
    bool operator==(const FontSettings&) const = default;
};

// Runs `read`, then `show` (which puts the record into the controls) even
// when reading stopped at a bad entry, then passes that error on.  So a
// window shows what was read before the failure and keeps its design state
// for the rest (start the record from the controls' current state).  Values
// the reading refuses get their defaults back and the reading goes on to
// the end (ReadRepairing, foundation/SettingsStore.h): the first refusal is
// passed on once, and the next reading is clean.
template <typename Read, typename Show>
void ReadThenShow(Read&& read, Show&& show) {
    std::exception_ptr failure;
    try {
        if (std::optional<SvError> refused = ReadRepairing(read)) failure = std::make_exception_ptr(*refused);
    } catch (...) {
        failure = std::current_exception();
    }
    show();
    if (failure) std::rethrow_exception(failure);
}

// ReadToTheEnd, for a reader whose caller takes the record as it is, is in
// foundation/SettingsStore.h.
