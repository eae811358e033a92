#include "scanning/engine/RowStore.h"

#include <cstring>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace {
// 1 MiB chunks; a block of more than a quarter of that gets its own chunk.
constexpr size_t kChunkWords = size_t(1) << 18;
constexpr size_t kOwnChunkWords = kChunkWords / 4;
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
    // Mapped with its pages in place: filling a chunk then costs no page
    // fault per page (which a scan of many files would otherwise pay).
    void* p = ::mmap(nullptr, words * sizeof(uint32_t), PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    return Chunk{static_cast<uint32_t*>(p), words};
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

const uint32_t* RowStore::pack(const QStringView* cells) {
    size_t total = 0;
    for (int i = 0; i < kScanColumnCount; ++i) total += size_t(cells[i].size());
    if (total > UINT32_MAX) throw std::bad_alloc();
    uint32_t* block = allocate(kScanColumnCount + (total + 1) / 2);
    char16_t* text = reinterpret_cast<char16_t*>(block + kScanColumnCount);
    uint32_t at = 0;
    for (int i = 0; i < kScanColumnCount; ++i) {
        const QStringView cell = cells[i];
        if (!cell.isEmpty()) std::memcpy(text + at, cell.utf16(), size_t(cell.size()) * sizeof(char16_t));
        at += uint32_t(cell.size());
        block[i] = at;
    }
    return block;
}
