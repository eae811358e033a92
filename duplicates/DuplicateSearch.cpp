#include "duplicates/DuplicateSearch.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/ResourceStrings.h"
#include "scanning/engine/ScanRecord.h"
#include "scanning/engine/ScanResultsModel.h"

#include <QChar>
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

FoldedKey FoldCaseKey(const QString& text) {
    // The same unit-by-unit folding that the case-insensitive compare does:
    // a high surrogate stays as it is, a low one after it is compared as the
    // folded code point of the pair.
    FoldedKey key;
    key.resize(size_t(text.size()));
    char16_t last = 0;
    const char16_t* units = reinterpret_cast<const char16_t*>(text.utf16());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = units[i];
        char32_t code = unit;
        if (QChar::isLowSurrogate(unit) && QChar::isHighSurrogate(last)) code = QChar::surrogateToUcs4(last, unit);
        last = unit;
        key[size_t(i)] = QChar::toCaseFolded(code);
    }
    return key;
}

std::vector<DuplicateEntry> ReadCheckedResults(const ScanResultsModel& results, JobHost& job,
                                               int64_t progressMaximum) {
    return WithTrail(QStringLiteral("ReadCheckedResults"), [&] {
        std::vector<DuplicateEntry> entries;
        entries.reserve(size_t(std::max<int64_t>(0, results.checkedCount())));
        const QString reading = GetResourceString(TextId::Duplicates::ReadingResults);
        YieldClock clock(job.YieldIntervalMs());
        for (int row = 0; row < results.rows(); ++row) {
            if (clock.due()) {
                job.ShowProgress(int64_t(entries.size()), progressMaximum);
                job.ShowStatus(reading + results.fullPath(row));
                job.Yield();
            }
            if (job.mblnStopAll) break;
            // A yield may have emptied the list under the loop.
            if (row >= results.rows()) break;
            if (!results.isChecked(row)) continue;
            DuplicateEntry e;
            e.FileName = results.text(row, ScanColumn::FileName);
            e.Folder = results.text(row, ScanColumn::Folder);
            e.ID3v1Artist = results.text(row, ScanColumn::ID3v1Artist);
            e.ID3v1Title = results.text(row, ScanColumn::ID3v1Title);
            e.ID3v2Artist = results.text(row, ScanColumn::ID3v2Artist);
            e.ID3v2Title = results.text(row, ScanColumn::ID3v2Title);
            entries.push_back(std::move(e));
        }
        job.ShowProgress(int64_t(entries.size()), progressMaximum);
        return entries;
    });
}

namespace {

struct KeyHash {
    size_t operator()(const FoldedKey& key) const noexcept { return std::hash<std::u32string_view>{}(key); }
};

// A key's first entry and how many entries hold it.
struct KeyUse {
    int64_t first = 0;
    int64_t count = 0;
};

// The folded non-empty titles of an entry: none, one, or two different ones.
struct EntryKeys {
    FoldedKey a, b;
    int count = 0;
};

EntryKeys KeysOf(const DuplicateEntry& e) {
    EntryKeys keys;
    if (!e.ID3v1Title.isEmpty()) keys.a = FoldCaseKey(e.ID3v1Title), keys.count = 1;
    if (!e.ID3v2Title.isEmpty()) {
        FoldedKey k = FoldCaseKey(e.ID3v2Title);
        if (keys.count == 0) keys.a = std::move(k), keys.count = 1;
        else if (k != keys.a) keys.b = std::move(k), keys.count = 2;
    }
    return keys;
}

}  // namespace

std::vector<int64_t> DuplicatePlaces(const std::vector<DuplicateEntry>& entries) {
    const size_t n = entries.size();
    std::vector<EntryKeys> keys;
    keys.reserve(n);
    std::unordered_map<FoldedKey, KeyUse, KeyHash> uses;
    uses.reserve(n * 2);
    for (size_t i = 0; i < n; ++i) {
        keys.push_back(KeysOf(entries[i]));
        const EntryKeys& k = keys.back();
        for (int c = 0; c < k.count; ++c) {
            auto [it, added] = uses.try_emplace(c == 0 ? k.a : k.b, KeyUse{int64_t(i), 0});
            ++it->second.count;
        }
    }
    std::vector<int64_t> places(n, -1);
    for (size_t i = 0; i < n; ++i) {
        const EntryKeys& k = keys[i];
        bool shared = false;
        int64_t place = int64_t(i);
        for (int c = 0; c < k.count; ++c) {
            const KeyUse& use = uses.find(c == 0 ? k.a : k.b)->second;
            if (use.count < 2) continue;
            shared = true;
            place = std::min(place, use.first);
        }
        if (shared) places[i] = place;
    }
    return places;
}

DuplicateSearchResult FindDuplicates(const std::vector<DuplicateEntry>& entries, JobHost& job, int64_t progressBase,
                                     int64_t progressMaximum) {
    return WithTrail(QStringLiteral("FindDuplicates"), [&] {
        DuplicateSearchResult result;
        const int64_t n = int64_t(entries.size());
        if (n < 2) return result;
        const std::vector<int64_t> places = DuplicatePlaces(entries);

        // The entries of each pass, in entry order (a counting sort by place).
        std::vector<int64_t> start(size_t(n) + 1, 0);
        for (int64_t place : places)
            if (place >= 0) ++start[size_t(place) + 1];
        for (int64_t p = 0; p < n; ++p) start[size_t(p) + 1] += start[size_t(p)];
        std::vector<int64_t> byPlace(static_cast<size_t>(start[size_t(n)]));
        {
            std::vector<int64_t> next(start.begin(), start.end() - 1);
            for (int64_t i = 0; i < n; ++i)
                if (places[size_t(i)] >= 0) byPlace[size_t(next[size_t(places[size_t(i)])]++)] = i;
        }

        // A file is listed once, where it was first found.
        std::unordered_set<FoldedKey, KeyHash> listed;
        listed.reserve(byPlace.size());
        const QString searching = GetResourceString(TextId::Duplicates::SearchingForDuplicates);
        const QString of = GetResourceString(TextId::Duplicates::Of);
        const QString wait = GetResourceString(TextId::Duplicates::PleaseWait);
        YieldClock clock(job.YieldIntervalMs());
        for (int64_t pass = 0; pass < n - 1; ++pass) {
            if (clock.due()) {
                job.ShowProgress(progressBase + pass, progressMaximum);
                job.ShowStatus(searching + QString::number(pass + 1) + of + QString::number(n) + wait);
                job.Yield();
            }
            if (job.mblnStopAll) {
                result.stopped = true;
                break;
            }
            for (int64_t k = start[size_t(pass)]; k < start[size_t(pass) + 1]; ++k) {
                const DuplicateEntry& e = entries[size_t(byPlace[size_t(k)])];
                FoldedKey identity = FoldCaseKey(e.Folder);
                identity.push_back(char32_t(0xFFFFFFFFu));  // no folded unit has this value
                identity += FoldCaseKey(e.FileName);
                if (listed.insert(std::move(identity)).second) result.duplicates.push_back(e);
            }
            result.passes = pass + 1;
        }
        job.ShowProgress(progressBase + result.passes, progressMaximum);
        return result;
    });
}
