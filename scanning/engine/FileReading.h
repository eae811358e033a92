#pragma once
// Reading one file for a scan, apart from showing anything: a FileReader
// opens the file once and fills its record (ID3v1, ID3v2, the include
// filters, the scan rules, the MPEG header, the file details), catching
// every failure as part of the result.  The scan's own thread then settles
// each result in walk order: a failure of the file is reported for that file
// (its name, the step, the system's text) and the file skipped; anything
// else (no tag object, a failing scan rule) goes up the error trail.  So
// readers can run on other threads while the rows, the reports and their
// order stay exactly those of reading the files one by one.

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/OptionRecords.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/FileTimeText.h"
#include "scanning/engine/ScanRecord.h"

#include <optional>

class ID3v2TagObject;

struct FileReading {
    enum class Outcome {
        Row,        // the file gets a row
        Filtered,   // both tag filters or the scan rules keep it out
        Failed,     // a step failed: `error` and `step` say how
    };
    ScanRecord record;
    Outcome outcome = Outcome::Row;
    // The failed step (a FileAction code, 0 for the scan rules) and its error.
    int32_t step = 0;
    std::optional<SvError> error;
    // The tag readers' flags, for the error trail.
    bool hasID3v1 = false, filteredID3v1 = false;
    bool hasID3v2 = false, filteredID3v2 = false;
};

// One reader: its open file, its time formatter and the tag object it reads
// ID3v2 tags with.  Used by one thread at a time.
class FileReader {
public:
    explicit FileReader(ID3v2TagObject& tagObject) : m_tag(tagObject) {}

    // Reads the file `entry` names into `out` (whose record starts fresh),
    // filtered by the include options and the scan rules of `filters`; with
    // `filters` null nothing is filtered (a row refresh).  A file that
    // is gone, or is no regular file any more, reads as an empty record.
    void read(const FolderListEntry& entry, const ScanningCentreOptions* filters, FileReading& out);

private:
    ID3v2TagObject& m_tag;
    FileBytes m_file;
    FileTimeText m_times;
};

// Settles a reading on the scan's thread: true when the file gets its row.
// A failure of the file shows its warning (the reporter's box, or for
// failures the reporter does not know a "Path/File Access Error" box with
// the file's name, the step and the system's text) and gives false; a
// failure that is not the file's goes up the error trail.
bool SettleReading(const FileReading& reading);
