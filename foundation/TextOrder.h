#pragma once
// The order in which a list sorts its rows by one column's text: ignoring
// letter case, in the order of the program's locale (in the C locale, by the
// case-folded character codes), stable for equal texts.  List models use it
// in their sort and then move their rows and persistent indexes to match.

#include <QString>
#include <Qt>
#include <functional>
#include <vector>

// The row numbers 0 to count - 1 in sorted order: element i is the row that
// goes to place i.  `text(row)` gives a row's sort text.
std::vector<int> CaseInsensitiveOrder(int count, const std::function<QString(int)>& text, Qt::SortOrder order);

// Puts `rows` into the order `permutation` gives (as above) and returns each
// old row's new place, for moving persistent indexes.
template <typename Row>
std::vector<int> ApplyOrder(std::vector<Row>& rows, const std::vector<int>& permutation) {
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    std::vector<int> newRowOf(rows.size());
    for (size_t i = 0; i < permutation.size(); ++i) {
        sorted.push_back(std::move(rows[size_t(permutation[i])]));
        newRowOf[size_t(permutation[i])] = static_cast<int>(i);
    }
    rows = std::move(sorted);
    return newRowOf;
}
