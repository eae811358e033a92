#include "scanning/engine/RowStore.h"

#include <cstring>
#include <iterator>
#include <memory>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <type_traits>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace {
// 2 MiB chunks, each on a huge-page boundary; a block of more than a quarter
// of that gets its own chunk.
constexpr size_t kChunkWords = size_t(1) << 19;
constexpr size_t kChunkBytes = kChunkWords * sizeof(uint32_t);
constexpr size_t kOwnChunkWords = kChunkWords / 4;
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif
}  // namespace

RowStore::~RowStore() { clear(); }

RowStore::RowStore(RowStore&& other) noexcept
    : m_chunks(std::move(other.m_chunks)),
      m_fill(std::exchange(other.m_fill, 0)),
      m_used(std::exchange(other.m_used, 0)),
      m_wasted(std::exchange(other.m_wasted, 0)) {
    other.m_chunks.clear();
}

RowStore& RowStore::operator=(RowStore&& other) noexcept {
    if (this != &other) {
        clear();
        m_chunks = std::move(other.m_chunks);
        other.m_chunks.clear();
        m_fill = std::exchange(other.m_fill, 0);
        m_used = std::exchange(other.m_used, 0);
        m_wasted = std::exchange(other.m_wasted, 0);
    }
    return *this;
}

RowStore::Chunk RowStore::NewChunk(size_t words) {
    const size_t bytes = words * sizeof(uint32_t);
    if (words != kChunkWords) {
        void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (p == MAP_FAILED) throw std::bad_alloc();
        return Chunk{static_cast<uint32_t*>(p), words};
    }
    // A standard chunk is mapped on a 2 MiB boundary and offered as one huge
    // page, then filled in with its pages in one call: filling it then costs
    // no page fault per 4 KiB (which a scan of many files would otherwise
    // pay).  Where either is not supported the pages come one by one.
    void* area = ::mmap(nullptr, bytes + kChunkBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED) throw std::bad_alloc();
    const uintptr_t start = reinterpret_cast<uintptr_t>(area);
    const uintptr_t aligned = (start + kChunkBytes - 1) & ~(uintptr_t(kChunkBytes) - 1);
    if (aligned > start) ::munmap(area, aligned - start);
    const uintptr_t end = start + bytes + kChunkBytes;
    if (end > aligned + bytes) ::munmap(reinterpret_cast<void*>(aligned + bytes), end - (aligned + bytes));
    void* chunk = reinterpret_cast<void*>(aligned);
    ::madvise(chunk, bytes, MADV_HUGEPAGE);
    ::madvise(chunk, bytes, MADV_POPULATE_WRITE);
    return Chunk{static_cast<uint32_t*>(chunk), words};
}

void RowStore::FreeChunk(const Chunk& chunk) { ::munmap(chunk.words, chunk.size * sizeof(uint32_t)); }

void RowStore::clear() {
    for (const Chunk& c : m_chunks) FreeChunk(c);
    m_chunks.clear();
    m_fill = m_used = m_wasted = 0;
}

uint32_t* RowStore::allocate(size_t words) {
    if (words > kOwnChunkWords) {
        // Kept before the chunk being filled, which stays the last.
        const Chunk own = NewChunk(words);
        m_chunks.insert(m_chunks.empty() ? m_chunks.end() : m_chunks.end() - 1, own);
        if (m_chunks.size() == 1) m_fill = words;
        m_used += words;
        return own.words;
    }
    if (m_chunks.empty() || m_fill + words > m_chunks.back().size) {
        m_chunks.push_back(NewChunk(kChunkWords));
        m_fill = 0;
    }
    uint32_t* block = m_chunks.back().words + m_fill;
    m_fill += words;
    m_used += words;
    return block;
}

namespace {
// UTF-16 to Latin-1 for text known to fit.
void Narrow(char* out, const char16_t* in, size_t n) {
    size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(a, b));
    }
#endif
    for (; i < n; ++i) out[i] = char(in[i]);
}

// True when every character fits in one byte (U+0000 to U+00FF).
bool FitsLatin1(const char16_t* in, size_t n) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF00));
    __m128i any = _mm_setzero_si128();
    for (; i + 8 <= n; i += 8)
        any = _mm_or_si128(any, _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)), high));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(any, _mm_setzero_si128())) != 0xFFFF) return false;
#endif
    char16_t rest = 0;
    for (; i < n; ++i) rest |= in[i];
    return rest < 0x100;
}
}  // namespace

size_t RowStore::BlockWords(const uint32_t* block) {
    const uint32_t header = block[0];
    const bool wide = header & kWideEnds;
    const size_t total = wide ? block[kScanColumnCount]
                              : reinterpret_cast<const uint16_t*>(block + 1)[kScanColumnCount - 1];
    const size_t endWords = wide ? kScanColumnCount : kScanColumnCount / 2;
    const size_t textWords = (header & kLatin1) ? (total + 3) / 4 : (total + 1) / 2;
    return 1 + endWords + textWords;
}

uint32_t* RowStore::newBlock(size_t total, bool latin1, uint16_t*& ends16, uint32_t*& ends32, void*& text) {
    if (total > UINT32_MAX) throw std::bad_alloc();
    const bool wide = total > UINT16_MAX;
    const size_t endWords = wide ? kScanColumnCount : kScanColumnCount / 2;
    const size_t textWords = latin1 ? (total + 3) / 4 : (total + 1) / 2;
    uint32_t* block = allocate(1 + endWords + textWords);
    block[0] = (latin1 ? kLatin1 : 0) | (wide ? kWideEnds : 0);
    ends16 = wide ? nullptr : reinterpret_cast<uint16_t*>(block + 1);
    ends32 = wide ? block + 1 : nullptr;
    text = block + 1 + endWords;
    return block;
}

const uint32_t* RowStore::pack(const QStringView* cells) {
    // The texts are gathered in one buffer first, so the Latin-1 test and
    // the narrowing each run once over the whole row.
    size_t total = 0;
    for (int i = 0; i < kScanColumnCount; ++i) total += size_t(cells[i].size());
    char16_t local[2048];
    std::unique_ptr<char16_t[]> large;
    char16_t* all = local;
    if (total > std::size(local)) {
        large = std::make_unique_for_overwrite<char16_t[]>(total);
        all = large.get();
    }
    uint32_t ends[kScanColumnCount];
    uint32_t at = 0;
    for (int i = 0; i < kScanColumnCount; ++i) {
        const size_t n = size_t(cells[i].size());
        if (n) std::memcpy(all + at, cells[i].utf16(), n * sizeof(char16_t));
        at += uint32_t(n);
        ends[i] = at;
    }
    const bool latin1 = FitsLatin1(all, total);
    uint16_t* ends16;
    uint32_t* ends32;
    void* text;
    uint32_t* block = newBlock(total, latin1, ends16, ends32, text);
    if (latin1)
        Narrow(static_cast<char*>(text), all, total);
    else if (total)
        std::memcpy(text, all, total * sizeof(char16_t));
    if (ends16)
        for (int i = 0; i < kScanColumnCount; ++i) ends16[i] = uint16_t(ends[i]);
    else
        std::memcpy(ends32, ends, sizeof ends);
    return block;
}

const uint32_t* RowStore::pack(const QAnyStringView* input) {
    // Rare (rewritten rows, compaction): every text goes through UTF-16
    // unless it is Latin-1 already.
    QString converted[kScanColumnCount];
    QAnyStringView cells[kScanColumnCount];
    size_t total = 0;
    bool latin1 = true;
    for (int i = 0; i < kScanColumnCount; ++i) {
        cells[i] = input[i];
        input[i].visit([&](auto view) {
            using View = decltype(view);
            if constexpr (std::is_same_v<View, QStringView>) {
                if (latin1 && !FitsLatin1(view.utf16(), size_t(view.size()))) latin1 = false;
            } else if constexpr (!std::is_same_v<View, QLatin1StringView>) {
                converted[i] = input[i].toString();
                cells[i] = converted[i];
                if (latin1 && !FitsLatin1(reinterpret_cast<const char16_t*>(converted[i].constData()), size_t(converted[i].size()))) latin1 = false;
            }
        });
        total += size_t(cells[i].size());
    }
    uint16_t* ends16;
    uint32_t* ends32;
    void* text;
    uint32_t* block = newBlock(total, latin1, ends16, ends32, text);
    char* text8 = static_cast<char*>(text);
    char16_t* text16 = static_cast<char16_t*>(text);
    uint32_t at = 0;
    for (int i = 0; i < kScanColumnCount; ++i) {
        const QAnyStringView cell = cells[i];
        const size_t n = size_t(cell.size());
        cell.visit([&](auto view) {
            using View = decltype(view);
            if constexpr (std::is_same_v<View, QLatin1StringView>) {
                if (latin1) {
                    if (n) std::memcpy(text8 + at, view.data(), n);
                } else {
                    for (size_t k = 0; k < n; ++k) text16[at + k] = char16_t(uchar(view.data()[k]));
                }
            } else if constexpr (std::is_same_v<View, QStringView>) {
                if (latin1)
                    Narrow(text8 + at, view.utf16(), n);
                else if (n)
                    std::memcpy(text16 + at, view.utf16(), n * sizeof(char16_t));
            }
        });
        at += uint32_t(n);
        if (ends16)
            ends16[i] = uint16_t(at);
        else
            ends32[i] = at;
    }
    return block;
}
