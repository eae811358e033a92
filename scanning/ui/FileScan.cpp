#include "scanning/ui/FileScan.h"

#include "foundation/FileDetails.h"
#include "foundation/OptionRecords.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/MPEGHeader.h"
#include "scanning/engine/ScanRules.h"

namespace {
bool ReadTags(ScanRecord& record, const QString& path, bool& filtered1, bool& filtered2) {
    bool has1 = false;
    if (!ReadID3v1TagInfo(path, record.ID3v1Tag, has1, filtered1)) return false;
    // ID3v2: read through the tag object once it is available here.
    filtered2 = !gblnIncFilesWithoutID3v2;
    return true;
}
}  // namespace

bool ScanFileReader::ReadForScan(ScanRecord& record, const QString& path) {
    bool filtered1 = false, filtered2 = false;
    if (!ReadTags(record, path, filtered1, filtered2)) return false;
    if (filtered1 && filtered2) return false;
    if (!ApplyScanRules(record.ID3v1Tag, record.ID3v2Tag, record.FolderListEntry.FileName)) return false;
    bool found = false;
    record.MPEGInfo = ReadMPEGInfo(path, found);
    record.FileDetails = GetFileDetails(path);
    return true;
}

bool ScanFileReader::ReadForRefresh(ScanRecord& record, const QString& path) {
    bool filtered1 = false, filtered2 = false;
    if (!ReadTags(record, path, filtered1, filtered2)) return false;
    bool found = false;
    record.MPEGInfo = ReadMPEGInfo(path, found);
    record.FileDetails = GetFileDetails(path);
    return true;
}

bool ReadFileID3v2(const QString& path, ID3v2Tag& tag, bool& hasTag, bool& filtered) {
    (void)path;
    tag = ID3v2Tag();
    hasTag = false;
    filtered = filtered || !gblnIncFilesWithoutID3v2;
    return true;
}

bool WriteFileID3v2(const QString& path, const ID3v2Tag& tag) {
    (void)path;
    (void)tag;
    return false;
}

void ClearFileID3v2(const QString& path) { (void)path; }
