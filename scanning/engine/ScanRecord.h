#pragma once
// Everything a scan learns about one file, and its 40 results-list cells.
// The column order is a contract: every tool addresses cells by index.

#include "scanning/engine/RecordTypes.h"
#include "scanning/engine/TagRecords.h"

#include <QString>
#include <QStringList>
#include <array>

// Fields named like their types, in this order.
struct ScanRecord {
    ::FolderListEntry FolderListEntry;
    ::FileDetails FileDetails;
    ::ID3v1Tag ID3v1Tag;
    ::ID3v2Tag ID3v2Tag;
    ::MPEGInfo MPEGInfo;
};

// Column indexes of the results list.
namespace ScanColumn {
enum : int {
    FileName = 0,
    Folder,
    ID3v1Title,
    ID3v1Artist,
    ID3v1Track,
    ID3v1Album,
    ID3v1Year,
    ID3v1Comment,
    ID3v1Genre,
    ID3v2Title,
    ID3v2Artist,
    ID3v2Track,
    ID3v2Album,
    ID3v2Year,
    ID3v2Comment,
    ID3v2Genre,
    ID3v2Composer,
    ID3v2OrigArtist,
    ID3v2Copyright,
    ID3v2URL,
    ID3v2EncodedBy,
    Size,
    HeaderFoundAt,
    LengthMs,
    MPEGVersion,
    LayerVersion,
    BitRate,
    Frames,
    Frequency,
    Mode,
    Private,
    CRCs,
    Copyrighted,
    Original,
    Emphasis,
    Channels,
    Attributes,
    Created,
    Modified,
    Accessed,
};
}  // namespace ScanColumn

constexpr int kScanColumnCount = 40;
using ScanRowTexts = std::array<QString, kScanColumnCount>;

// The fixed column captions, index 0 to 39.
const std::array<QString, kScanColumnCount>& ScanColumnCaptions();

// The 40 cell texts of a record: texts as held, the ID3v1 track empty when 0,
// the ID3v1 genre as its name (empty when the table has none), numbers in
// decimal without grouping.
ScanRowTexts ScanRecordTexts(const ScanRecord& record);
// A record rebuilt from a row's cells (missing cells count as empty): texts as
// they stand, the ID3v1 track and genre back to bytes, numbers from their
// decimal text (0 when a cell holds none).  Padding and frame length, which
// have no column, stay 0.
ScanRecord ScanRecordFromTexts(const QStringList& texts);

// A file's full path: the folder and the file name with exactly one "/"
// between them.
QString JoinFolderFile(const QString& folder, const QString& fileName);
