#pragma once
// The title an entry's file gives, read for many entries at once.  A
// TitleReader opens a file once and takes only what a title needs from it:
// the first block (the ID3v2 tag, the tag library reading on from the file
// only when the tag is longer) and the last 128 bytes (the ID3v1 tag).  The
// title follows the rules of GetTitleFromID3 exactly.
//
// TitleReadAhead runs a few readers on their own threads, each with a tag
// object of its own, over a list of paths taken in list order; the caller
// takes the readings back by index, in its own order and at its own pace,
// and applies them itself.  A reading has no effect of its own, so a caller
// that stops early simply drops the readings it did not take.  A failed read
// is not shown on a reader's thread: the reading says Failed and the caller
// reads that file again the ordinary way, which reports the failure as
// before.

#include "foundation/OrderedWorkers.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class ID3v2TagObject;
class FileBytes;

struct TitleReading {
    enum class Outcome : uint8_t {
        Missing,   // no regular file at the path
        Titled,    // `title` is the title the tags give
        Untitled,  // the file's tags give no title (its base name serves)
        Failed,    // the read failed; read it again where failures are shown
    };
    Outcome outcome = Outcome::Failed;
    QString title;
};

class TitleReader {
public:
    explicit TitleReader(ID3v2TagObject& tagObject);
    ~TitleReader();
    TitleReader(const TitleReader&) = delete;
    TitleReader& operator=(const TitleReader&) = delete;

    // Never raises: every failure makes a Failed reading.
    TitleReading read(const QString& path);

private:
    ID3v2TagObject& m_tag;
    std::unique_ptr<FileBytes> m_file;
};

class TitleReadAhead {
public:
    // Starts one reader per tag object over `paths`.
    TitleReadAhead(std::vector<QString> paths, std::span<ID3v2TagObject> tagObjects);
    // Stops the readers; the files in flight are finished and dropped.
    ~TitleReadAhead();
    TitleReadAhead(const TitleReadAhead&) = delete;
    TitleReadAhead& operator=(const TitleReadAhead&) = delete;

    // The reading of path `index` once it is read, or null when it is not
    // read within `waitMs` milliseconds (the caller may yield and ask again).
    const TitleReading* take(size_t index, int waitMs);

    // The readers a run over the files beside `folder` uses: as many as a
    // scan of that folder reads at once.
    static int ReadersFor(const QString& folder);
    // The most paths one run reads; a longer list is read the ordinary way.
    static constexpr size_t kMaxPaths = size_t(OrderedWorkers<QString, TitleReading>::kCapacity);

private:
    // Every path has its own place: the caller need not release readings.
    OrderedWorkers<QString, TitleReading> m_workers;
};
