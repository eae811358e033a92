#include "playlists/PlaylistEntries.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/MPEGHeader.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <limits>
#include <numeric>
#include <random>

PlaylistEntries gPlaylistEntries;

// ---- adding and removing ------------------------------------------------------

void AddPlaylistEntry(PlaylistEntries& entries, const QString& fileName, const QString& title) {
    WithTrail(CallSite(QStringLiteral("AddPlaylistEntry"), fileName, title),
              [&] { entries.push_back(PlaylistEntryInfo{fileName, title, 0}); });
}

void InsertPlaylistEntry(PlaylistEntries& entries, size_t index, const QString& fileName, const QString& title) {
    WithTrail(CallSite(QStringLiteral("InsertPlaylistEntry"), index, fileName, title), [&] {
        if (index > entries.size()) RaiseError(ErrNo::SubscriptOutOfRange);
        entries.insert(entries.begin() + std::ptrdiff_t(index), PlaylistEntryInfo{fileName, title, 0});
    });
}

void EditPlaylistEntry(PlaylistEntries& entries, size_t index, const QString& fileName, const QString& title) {
    WithTrail(CallSite(QStringLiteral("EditPlaylistEntry"), index, fileName, title), [&] {
        if (index >= entries.size()) RaiseError(ErrNo::SubscriptOutOfRange);
        entries[index].FileName = fileName;
        entries[index].Title = title;
    });
}

void RemovePlaylistEntry(PlaylistEntries& entries, size_t index) {
    WithTrail(CallSite(QStringLiteral("RemovePlaylistEntry"), index), [&] {
        if (index >= entries.size()) RaiseError(ErrNo::SubscriptOutOfRange);
        entries.erase(entries.begin() + std::ptrdiff_t(index));
    });
}

void RemovePlaylistEntries(PlaylistEntries& entries, const std::vector<size_t>& indexes) {
    WithTrail(QStringLiteral("RemovePlaylistEntries"), [&] {
        std::vector<char> doomed(entries.size(), 0);
        for (size_t i : indexes)
            if (i < doomed.size()) doomed[i] = 1;
        size_t kept = 0;
        for (size_t i = 0; i < entries.size(); ++i) {
            if (doomed[i]) continue;
            if (kept != i) entries[kept] = std::move(entries[i]);
            ++kept;
        }
        entries.resize(kept);
    });
}

// ---- order --------------------------------------------------------------------

namespace {

// Counts of marked positions 0..n-1 (a Fenwick tree).
class PositionCounts {
public:
    explicit PositionCounts(size_t n, bool allMarked = false) : m_tree(n + 1, 0) {
        if (!allMarked) return;
        // Every position marked: node i covers lowbit(i) positions.
        for (size_t i = 1; i <= n; ++i) m_tree[i] = uint32_t(i & (~i + 1));
    }
    void add(size_t position, int32_t delta) {
        for (size_t i = position + 1; i < m_tree.size(); i += i & (~i + 1)) m_tree[i] = uint32_t(int64_t(m_tree[i]) + delta);
    }
    // Marked positions below `end`.
    size_t before(size_t end) const {
        size_t sum = 0;
        for (size_t i = end; i > 0; i -= i & (~i + 1)) sum += m_tree[i];
        return sum;
    }
    // The marked position that has `rank` marked positions before it (rank
    // below the number marked).
    size_t findByRank(size_t rank) const {
        size_t position = 0;
        size_t step = 1;
        while (step * 2 < m_tree.size()) step *= 2;
        for (; step > 0; step /= 2) {
            const size_t next = position + step;
            if (next < m_tree.size() && m_tree[next] <= rank) {
                position = next;
                rank -= m_tree[next];
            }
        }
        // `position` marked-or-not positions hold at most `rank` marks; the
        // next one is the answer.
        return position;
    }

private:
    std::vector<uint32_t> m_tree;
};

// The exchange sort's order, without its quadratic work.  Two facts make it
// computable from ranks:
//  - While the entries of one key value v are being placed, each pass takes
//    the first remaining entry of key v and moves no other entry of key v, so
//    the entries of key v end in the order in which they stand when the
//    first of them is placed.
//  - Before that, while smaller keys are placed, the entries of key v move
//    (relative to each other) as if the larger keys were not there.  Reading
//    the entries of keys up to v from the start, the entries of key v so far,
//    kept as a list L, change only where entries of smaller keys follow:
//    each one of those rotates L by one (its first entry goes to its end),
//    and a later entry of key v joins L at its end.
// So for each key value the final order is: for each of its entries in
// playlist order, append the entry to L, then rotate L left by the number of
// smaller-key entries between it and the next entry of the same key (or the
// end of the playlist).  The rotations are kept as an offset into a circle
// (append = insert before the offset); the circle's final layout follows
// from the insertion points, undone from the last one with rank queries.
std::vector<uint32_t> ExchangeSortOrder(const std::vector<const QString*>& keys) {
    const size_t n = keys.size();
    std::vector<uint32_t> byKey(n);
    std::iota(byKey.begin(), byKey.end(), 0u);
    std::stable_sort(byKey.begin(), byKey.end(), [&](uint32_t a, uint32_t b) { return *keys[a] < *keys[b]; });

    std::vector<uint32_t> result;
    result.reserve(n);
    PositionCounts placed(n);  // positions whose key is smaller than the current one
    std::vector<size_t> insertAt;
    std::vector<uint32_t> circle;
    for (size_t first = 0; first < n;) {
        size_t end = first + 1;
        while (end < n && *keys[byKey[end]] == *keys[byKey[first]]) ++end;
        const size_t count = end - first;
        if (count == 1) {
            result.push_back(byKey[first]);
        } else {
            insertAt.resize(count);
            size_t offset = 0;
            for (size_t j = 0; j < count; ++j) {
                const size_t position = byKey[first + j];
                const size_t next = j + 1 < count ? byKey[first + j + 1] : n;
                const size_t smaller = placed.before(next) - placed.before(position + 1);
                const size_t size = j + 1;
                insertAt[j] = offset;
                offset = (offset + 1) % size;
                offset = (offset + smaller % size) % size;
            }
            PositionCounts free(count, true);
            circle.assign(count, 0);
            for (size_t j = count; j-- > 0;) {
                const size_t slot = free.findByRank(insertAt[j]);
                free.add(slot, -1);
                circle[slot] = byKey[first + j];
            }
            for (size_t t = 0; t < count; ++t) result.push_back(circle[(offset + t) % count]);
        }
        for (size_t j = first; j < end; ++j) placed.add(byKey[j], 1);
        first = end;
    }
    return result;
}

}  // namespace

void SortPlaylist(PlaylistEntries& entries, int32_t sortKey) {
    WithTrail(CallSite(QStringLiteral("SortPlaylist"), sortKey), [&] {
        if (sortKey != PlaylistSortKey::FileName && sortKey != PlaylistSortKey::Title) return;
        if (entries.size() > std::numeric_limits<uint32_t>::max()) RaiseError(ErrNo::Overflow);
        std::vector<const QString*> keys;
        keys.reserve(entries.size());
        for (const PlaylistEntryInfo& e : entries)
            keys.push_back(sortKey == PlaylistSortKey::Title ? &e.Title : &e.FileName);
        const std::vector<uint32_t> order = ExchangeSortOrder(keys);
        PlaylistEntries sorted;
        sorted.reserve(entries.size());
        for (uint32_t i : order) sorted.push_back(std::move(entries[i]));
        entries = std::move(sorted);
    });
}

bool RandomisePlaylist(PlaylistEntries& entries) { return RandomisePlaylist(entries, *QRandomGenerator::global()); }

bool RandomisePlaylist(PlaylistEntries& entries, QRandomGenerator& generator) {
    return WithTrail(QStringLiteral("RandomisePlaylist"), [&] {
        if (entries.empty()) return false;
        // The distribution rejects the draws that would favour some indexes.
        for (size_t i = entries.size() - 1; i > 0; --i) {
            std::uniform_int_distribution<size_t> pick(0, i);
            const size_t j = pick(generator);
            if (j != i) std::swap(entries[i], entries[j]);
        }
        return true;
    });
}

// ---- titles, lengths and files -------------------------------------------------

bool TitleFromTags(const ID3v1Tag* v1, const ID3v2Tag* v2, QString& title) {
    QString artist, song;
    if (v2) {
        artist = v2->Artist.isEmpty() && v1 ? v1->Artist : v2->Artist;
        song = v2->Title.isEmpty() && v1 ? v1->Title : v2->Title;
    } else if (v1) {
        artist = v1->Artist;
        song = v1->Title;
    }
    if (!artist.isEmpty() && !song.isEmpty()) {
        title = artist + QStringLiteral(" - ") + song;
        return true;
    }
    if (!artist.isEmpty() || !song.isEmpty()) {
        title = artist.isEmpty() ? song : artist;
        return true;
    }
    return false;
}

bool GetTitleFromID3(const QString& path, QString& title, bool useFileName) {
    return WithTrail(CallSite(QStringLiteral("GetTitleFromID3"), path, title, useFileName), [&] {
        ID3v1Tag v1;
        ID3v2Tag v2;
        bool hasV1 = false, hasV2 = false, filtered = false;
        ReadID3v1TagInfo(path, v1, hasV1, filtered, nullptr);
        ReadID3v2TagInfo(path, v2, hasV2, filtered, nullptr);
        if (TitleFromTags(hasV1 ? &v1 : nullptr, hasV2 ? &v2 : nullptr, title)) return true;
        if (useFileName) title = BaseNamePart(path);
        return false;
    });
}

bool SyncTitleWithID3(PlaylistEntries& entries, size_t index, bool useFileName, const QString& playlistFile) {
    return WithTrail(CallSite(QStringLiteral("SyncTitleWithID3"), index, useFileName), [&] {
        if (index >= entries.size()) RaiseError(ErrNo::SubscriptOutOfRange);
        PlaylistEntryInfo& entry = entries[index];
        return GetTitleFromID3(GetFullPathOfFileInPlaylist(playlistFile, entry.FileName), entry.Title, useFileName);
    });
}

namespace {
// A relative entry written with backslashes between its folders, as
// playlists made on other systems name their entries ("sub\b.mp3"); not
// one that starts at a drive or its root ("C:\...", "\...").
bool IsRelativeWithBackslashes(const QString& fileName) {
    if (!fileName.contains(QLatin1Char('\\')) || fileName.startsWith(QLatin1Char('\\'))) return false;
    return !(fileName.size() >= 2 && fileName[1] == QLatin1Char(':') && fileName[0].isLetter());
}
}  // namespace

QString GetFullPathOfFileInPlaylist(const QString& playlistFile, const QString& fileName) {
    static const QRegularExpression url(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    if (fileName.isEmpty() || fileName.startsWith(QLatin1Char('/')) || url.match(fileName).hasMatch()) return fileName;
    const QString folder = ParentFolder(playlistFile);
    const QString path = folder.isEmpty() ? fileName : JoinPath(folder, fileName);
    if (!IsRelativeWithBackslashes(fileName) || FileExists(path)) return path;
    QString separated = fileName;
    separated.replace(QLatin1Char('\\'), QLatin1Char('/'));
    separated = folder.isEmpty() ? separated : JoinPath(folder, separated);
    return FileExists(separated) ? separated : path;
}

bool FileInPlaylistExists(const QString& playlistFile, const QString& fileName) {
    return FileExists(GetFullPathOfFileInPlaylist(playlistFile, fileName));
}

PlaylistEntryInfo PlaylistEntryForFile(const QString& path) {
    return WithTrail(CallSite(QStringLiteral("PlaylistEntryForFile"), path), [&] {
        PlaylistEntryInfo entry;
        entry.FileName = path;
        GetTitleFromID3(path, entry.Title, true);
        bool found = false;
        const MPEGInfo info = ReadMPEGInfo(path, found);
        entry.Length = int32_t(std::clamp<int64_t>(info.LengthMs, 0, std::numeric_limits<int32_t>::max()));
        return entry;
    });
}
