#pragma once
// Storage for results rows: each row is one block of 32-bit words, the end
// of each of its 40 texts followed by the texts themselves (UTF-16), handed
// out from large chunks.  A 100,000-row list is then a few dozen chunks
// instead of 100,000 heap blocks: no per-row allocation on a scan, no
// allocator headers, and sorting moves only pointers.
//
// Blocks are never freed one by one.  A replaced or removed row's block is
// counted as waste; the owner compacts the store (copies the live blocks to
// a fresh one) when the waste outgrows what is in use.

#include "scanning/engine/ScanRecord.h"

#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <vector>

class RowStore {
public:
    RowStore() = default;
    ~RowStore();
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;
    RowStore(RowStore&& other) noexcept;
    RowStore& operator=(RowStore&& other) noexcept;

    // A new block holding `cells` (kScanColumnCount texts, in column order).
    const uint32_t* pack(const QStringView* cells);
    // Counts `block` as no longer used.
    void release(const uint32_t* block) { m_wasted += BlockWords(block); }
    // Drops every block.
    void clear();

    size_t usedWords() const { return m_used; }
    size_t wastedWords() const { return m_wasted; }

    static QStringView Cell(const uint32_t* block, int column) {
        const uint32_t start = column == 0 ? 0 : block[column - 1];
        return QStringView(reinterpret_cast<const char16_t*>(block + kScanColumnCount) + start,
                           qsizetype(block[column] - start));
    }
    static size_t BlockWords(const uint32_t* block) {
        return kScanColumnCount + (size_t(block[kScanColumnCount - 1]) + 1) / 2;
    }

private:
    struct Chunk {
        uint32_t* words;
        size_t size;  // in words
    };
    uint32_t* allocate(size_t words);
    static Chunk NewChunk(size_t words);
    static void FreeChunk(const Chunk& chunk);

    std::vector<Chunk> m_chunks;  // the last one is the one being filled
    size_t m_fill = 0;            // words used of the last chunk
    size_t m_used = 0;            // words handed out
    size_t m_wasted = 0;          // of those, released
};
