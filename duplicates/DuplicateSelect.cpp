#include "duplicates/DuplicateSelect.h"

#include <unordered_set>

namespace {

struct KeyHash {
    size_t operator()(const FoldedKey& key) const noexcept { return std::hash<std::u32string_view>{}(key); }
};

// The folded non-empty texts among `a` and `b`.
std::vector<FoldedKey> NonEmptyKeys(const QString& a, const QString& b) {
    std::vector<FoldedKey> keys;
    if (!a.isEmpty()) keys.push_back(FoldCaseKey(a));
    if (!b.isEmpty()) keys.push_back(FoldCaseKey(b));
    return keys;
}

// An artist and a title as one key: the artist's length first, so no two
// different pairs run together into one key.
FoldedKey PairKey(const FoldedKey& artist, const FoldedKey& title) {
    FoldedKey key;
    key.reserve(artist.size() + title.size() + 2);
    const uint64_t length = artist.size();
    key.push_back(char32_t(length & 0xFFFFFFFFu));
    key.push_back(char32_t(length >> 32));
    key += artist;
    key += title;
    return key;
}

}  // namespace

std::vector<bool> SelectDuplicateRows(const std::vector<DuplicateEntry>& rows, DuplicateSelectRule rule) {
    std::vector<bool> ticks(rows.size(), rule == DuplicateSelectRule::All);
    if (rule == DuplicateSelectRule::All) return ticks;
    std::unordered_set<FoldedKey, KeyHash> kept;
    kept.reserve(rows.size() * 2);
    for (size_t r = 0; r < rows.size(); ++r) {
        const DuplicateEntry& row = rows[r];
        const std::vector<FoldedKey> titles = NonEmptyKeys(row.ID3v1Title, row.ID3v2Title);
        std::vector<FoldedKey> keys;
        if (rule == DuplicateSelectRule::BarOne) {
            keys = titles;
        } else {
            for (const FoldedKey& artist : NonEmptyKeys(row.ID3v1Artist, row.ID3v2Artist))
                for (const FoldedKey& title : titles) keys.push_back(PairKey(artist, title));
        }
        bool duplicate = false;
        for (const FoldedKey& key : keys)
            if (kept.count(key)) {
                duplicate = true;
                break;
            }
        ticks[r] = duplicate;
        if (!duplicate)
            for (FoldedKey& key : keys) kept.insert(std::move(key));
    }
    return ticks;
}
