#pragma once
// The three ways of ticking rows of the duplicates list, over the rows in the
// order the list shows them (from the top):
//
// - All: every row.
// - Bar one: a row is ticked when one of its non-empty titles (ID3v1 or
//   ID3v2) equals, ignoring case, a title of a row kept earlier; any other
//   row is unticked and kept.  So the first row of every group of equal
//   titles stays unticked and the later ones are ticked.
// - Same artist bar one: as bar one, but a row is ticked only when one kept
//   row matches it both ways: one of the row's non-empty artists equals one
//   of that row's artists and one of its non-empty titles equals one of that
//   row's titles.  A row without any artist is never ticked.
//
// Only kept rows count: a ticked row adds nothing.  Each row is looked up in
// a hash of the kept rows' folded titles (or artist and title pairs), so the
// whole list takes linear time.

#include "duplicates/DuplicateSearch.h"

#include <vector>

enum class DuplicateSelectRule { All, BarOne, SameArtistBarOne };

// The tick of every row under `rule`.
std::vector<bool> SelectDuplicateRows(const std::vector<DuplicateEntry>& rows, DuplicateSelectRule rule);
