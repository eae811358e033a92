#include "playlists/TitleReading.h"

#include "playlists/PlaylistEntries.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/ReadAhead.h"
#include "scanning/tagobject/ID3v2TagObject.h"

#include <algorithm>
#include <chrono>
#include <pthread.h>

namespace {
constexpr int64_t kID3v2HeaderSize = 10;
}  // namespace

TitleReader::TitleReader(ID3v2TagObject& tagObject) : m_tag(tagObject), m_file(std::make_unique<FileBytes>()) {}

TitleReader::~TitleReader() = default;

TitleReading TitleReader::read(const QString& path) {
    TitleReading out;
    try {
        if (!m_file->open(path)) {
            out.outcome = TitleReading::Outcome::Missing;
            return out;
        }
        const int64_t size = m_file->size();
        ID3v1Tag v1;
        const bool hasV1 = HasID3v1Tag(size, size > kID3v1Size ? m_file->tail() : QByteArrayView());
        if (hasV1) v1 = ParseID3v1Block(reinterpret_cast<const uint8_t*>(m_file->tail().data()));
        // A file shorter than a tag header holds no tag; the tag library
        // would open it again to find that out.
        bool hasV2 = false;
        if (size >= kID3v2HeaderSize) {
            const QByteArrayView head = m_file->head();
            m_tag.ReadTagFromBytes(path, head.data(), head.size());
            hasV2 = m_tag.HasTag();
        }
        ID3v2Tag v2;
        if (hasV2) {
            v2.Title = m_tag.GetFrameValue(quillmark::eTitle);
            v2.Artist = m_tag.GetFrameValue(quillmark::eArtist);
        }
        out.outcome = TitleFromTags(hasV1 ? &v1 : nullptr, hasV2 ? &v2 : nullptr, out.title)
                          ? TitleReading::Outcome::Titled
                          : TitleReading::Outcome::Untitled;
    } catch (...) {
        out = TitleReading();  // Failed
    }
    m_file->close();
    return out;
}

int TitleReadAhead::ReadersFor(const QString& folder) { return ScanReadPlan(folder).readers; }

TitleReadAhead::TitleReadAhead(std::vector<QString> paths, std::span<ID3v2TagObject> tagObjects)
    : m_paths(std::move(paths)), m_slots(std::make_unique<Slot[]>(m_paths.size())) {
    try {
        m_threads.reserve(tagObjects.size());
        for (ID3v2TagObject& object : tagObjects) m_threads.emplace_back([this, &object] { run(object); });
    } catch (...) {
        m_stopping = true;
        for (std::thread& t : m_threads) t.join();
        throw;
    }
}

TitleReadAhead::~TitleReadAhead() {
    m_stopping = true;
    for (std::thread& t : m_threads) t.join();
}

void TitleReadAhead::run(ID3v2TagObject& tagObject) {
    ::pthread_setname_np(::pthread_self(), "title reader");
    TitleReader reader(tagObject);
    while (!m_stopping.load(std::memory_order_relaxed)) {
        const size_t index = m_next.fetch_add(1);
        if (index >= m_paths.size()) return;
        Slot& slot = m_slots[index];
        slot.reading = reader.read(m_paths[index]);
        slot.ready.store(true);
        if (m_awaited.load() == int64_t(index)) {
            std::lock_guard lock(m_mutex);
            m_ready.notify_all();
        }
    }
}

const TitleReading* TitleReadAhead::take(size_t index, int waitMs) {
    Slot& slot = m_slots[index];
    // A file from the page cache is read in microseconds: a short spin costs
    // less than sleeping and being woken.
    for (int spin = 0; spin < 2000; ++spin) {
        if (slot.ready.load(std::memory_order_acquire)) return &slot.reading;
        __builtin_ia32_pause();
    }
    std::unique_lock lock(m_mutex);
    m_awaited.store(int64_t(index));
    m_ready.wait_for(lock, std::chrono::milliseconds(std::max(waitMs, 1)), [&] { return slot.ready.load(); });
    m_awaited.store(-1);
    return slot.ready.load() ? &slot.reading : nullptr;
}
