#pragma once
// Storage for results rows: each row is one block of 32-bit words handed out
// from large chunks: a header word, the end of each of its 40 texts, then the
// texts one after another.  A 100,000-row list is then a few dozen chunks
// instead of 100,000 heap blocks: no per-row allocation on a scan, no
// allocator headers, and sorting moves only pointers.  A row whose texts are
// all Latin-1 (most are) keeps them one byte a character, and a row of fewer
// than 65,536 characters keeps its ends in 16 bits.
//
// Blocks are never freed one by one.  A replaced or removed row's block is
// counted as waste; the owner compacts the store (copies the live blocks to
// a fresh one) when the waste outgrows what is in use.

#include "scanning/engine/ScanRecord.h"

#include <QAnyStringView>
#include <QLatin1StringView>
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
    const uint32_t* pack(const QAnyStringView* cells);
    // The same for UTF-16 texts: what a scan hands over for every file.
    const uint32_t* pack(const QStringView* cells);
    // Counts `block` as no longer used.
    void release(const uint32_t* block) { m_wasted += BlockWords(block); }
    // Drops every block.
    void clear();

    size_t usedWords() const { return m_used; }
    size_t wastedWords() const { return m_wasted; }

    static QAnyStringView Cell(const uint32_t* block, int column) {
        const uint32_t header = block[0];
        uint32_t start, end;
        const uint32_t* text;
        if (header & kWideEnds) {
            start = column == 0 ? 0 : block[column];
            end = block[column + 1];
            text = block + 1 + kScanColumnCount;
        } else {
            const auto* ends = reinterpret_cast<const uint16_t*>(block + 1);
            start = column == 0 ? 0 : ends[column - 1];
            end = ends[column];
            text = block + 1 + kScanColumnCount / 2;
        }
        if (header & kLatin1)
            return QLatin1StringView(reinterpret_cast<const char*>(text) + start, qsizetype(end - start));
        return QStringView(reinterpret_cast<const char16_t*>(text) + start, qsizetype(end - start));
    }
    static size_t BlockWords(const uint32_t* block);

private:
    static constexpr uint32_t kLatin1 = 1;    // texts one byte a character
    static constexpr uint32_t kWideEnds = 2;  // ends in 32 bits
    static_assert(kScanColumnCount % 2 == 0);

    struct Chunk {
        uint32_t* words;
        size_t size;  // in words
    };
    uint32_t* allocate(size_t words);
    // A block for `total` characters: the header set, the ends and the text
    // start returned through the last two arguments.
    uint32_t* newBlock(size_t total, bool latin1, uint16_t*& ends16, uint32_t*& ends32, void*& text);
    static Chunk NewChunk(size_t words);
    static void FreeChunk(const Chunk& chunk);

    std::vector<Chunk> m_chunks;  // the last one is the one being filled
    size_t m_fill = 0;            // words used of the last chunk
    size_t m_used = 0;            // words handed out
    size_t m_wasted = 0;          // of those, released
};
