#pragma once
// What the window reads of one file for a results row: the scan's reading
// (tags, include filters, scan rules, header, details) and the refresh's.

#include "scanning/engine/ScanRecord.h"

#include <QString>

class ScanFileReader {
public:
    // Reads `record`'s file for a scan; false when the file is skipped (a
    // failed read, both include filters, or the scan rules).
    bool ReadForScan(ScanRecord& record, const QString& path);
    // Reads a file again for its row; false when a tag read failed.
    bool ReadForRefresh(ScanRecord& record, const QString& path);
};

// The ID3v2 tag of one file, as the File Information window reads, writes
// and removes it.  Reads report a failure (shown already) by returning
// false; writes return whether they wrote.
bool ReadFileID3v2(const QString& path, ID3v2Tag& tag, bool& hasTag, bool& filtered);
bool WriteFileID3v2(const QString& path, const ID3v2Tag& tag);
void ClearFileID3v2(const QString& path);
