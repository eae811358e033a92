#include "foundation/TextOrder.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>

std::vector<int> CaseInsensitiveOrder(int count, const std::function<QString(int)>& text, Qt::SortOrder order) {
    std::vector<int> permutation(size_t(std::max(0, count)));
    std::iota(permutation.begin(), permutation.end(), 0);
    auto sortBy = [&](const auto& keys) {
        if (order == Qt::AscendingOrder)
            std::stable_sort(permutation.begin(), permutation.end(),
                             [&](int a, int b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
        else
            std::stable_sort(permutation.begin(), permutation.end(),
                             [&](int a, int b) { return keys[size_t(b)].compare(keys[size_t(a)]) < 0; });
    };
    const QLocale locale;
    if (locale.language() == QLocale::C) {
        // The C locale's collation keys are the bare character codes, capitals
        // first, whatever case setting it is given: fold the case, then
        // compare the codes.
        std::vector<QString> keys;
        keys.reserve(permutation.size());
        for (int i = 0; i < count; ++i) keys.push_back(text(i).toCaseFolded());
        sortBy(keys);
    } else {
        QCollator collator{locale};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::vector<QCollatorSortKey> keys;
        keys.reserve(permutation.size());
        for (int i = 0; i < count; ++i) keys.push_back(collator.sortKey(text(i)));
        sortBy(keys);
    }
    return permutation;
}
