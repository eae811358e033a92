#include "playlists/TitleReading.h"

#include "playlists/PlaylistEntries.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/ReadAhead.h"
#include "scanning/tagobject/ID3v2TagObject.h"

#include <algorithm>
#include <iterator>

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

namespace {
std::vector<OrderedWorkers<QString, TitleReading>::Work> Readers(std::span<ID3v2TagObject> tagObjects) {
    std::vector<OrderedWorkers<QString, TitleReading>::Work> readers;
    readers.reserve(tagObjects.size());
    for (ID3v2TagObject& object : tagObjects)
        readers.push_back([reader = std::make_shared<TitleReader>(object)](const QString& path, TitleReading& out) {
            out = reader->read(path);
        });
    return readers;
}
}  // namespace

TitleReadAhead::TitleReadAhead(std::vector<QString> paths, std::span<ID3v2TagObject> tagObjects)
    : m_workers(Readers(tagObjects), int(std::min(paths.size(), kMaxPaths)), "title reader") {
    m_workers.submit(std::make_move_iterator(paths.begin()), std::min(paths.size(), kMaxPaths));
    m_workers.finish();
}

TitleReadAhead::~TitleReadAhead() = default;

const TitleReading* TitleReadAhead::take(size_t index, int waitMs) {
    return m_workers.take(int64_t(index), std::max(waitMs, 1));
}
