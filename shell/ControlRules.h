#pragma once
// The decisions of the control helpers, without the controls: what a
// progress-bar step, a spinner step, a numeric-text clean-up or a sort-column
// click turns into.  shell/ui/ControlUtils applies them to widgets.

#include <QString>
#include <cstdint>
#include <optional>

// The new value of a progress bar given min, max, its present value and the
// requested value (-1 = one step): a step on a bar below its maximum adds
// one; anything else is clamped to min..max (so a step on a full bar goes
// back to min).
double ProgBarStep(double min, double max, double present, double requested);

// A spinner step on a numeric text box (its number is LeadingNumber of
// foundation/NumberText.h): the new text, or nothing when the text stays (the limit is reached, or the direction is neither 1 nor -1).
std::optional<QString> IncDecText(const QString& text, int32_t direction, int32_t limit, int32_t step);

struct NumericTextFix {
    QString text;
    int caret = 0;
    bool changed = false;  // the text changed: the caller beeps
};
// One clean-up pass of a numeric text box's change event: removes at most one
// offending character (the change event that follows removes the next).
NumericTextFix EnsureNumericText(const QString& text, int caret, bool allowZero, bool allowMinus,
                                 bool allowDecimal);

// A list's sort state: SortKey numbered from 0, SortOrder 0 ascending, 1
// descending.
struct SortState {
    int sortKey = 0;
    int sortOrder = 0;
    bool sorted = false;
};
// A click on column header `header` (numbered from 1): the same column flips
// the order, another column sorts ascending by it.
SortState NextSortState(const SortState& state, int header);
