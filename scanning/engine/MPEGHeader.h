#pragma once
// The first MPEG audio frame of a file: where it is, what its 4-byte header
// says, and the playing time and frame count that follow.  The search starts
// after the ID3v2 tag (cover pictures hold false syncs) and accepts every
// MPEG-1, -2 and -2.5 header of layers I to III.  Frame count and length come
// from a Xing/Info or VBRI frame when the first frame is one (and for a VBR
// file, whose Xing or VBRI frame gives the byte count too, the bit rate is
// the stream's average),
// else from the audio bytes (first frame to the end, less a trailing ID3v1
// tag).
//
// The analysis works on a ByteSource, so the folder scan can serve it from the
// file it already holds open; ReadMPEGInfo and GetMPEGHeader are the path-based
// forms for other callers.

#include "scanning/engine/TagRecords.h"

#include <QString>
#include <array>
#include <cstdint>

class ByteSource;

// The header found by the last successful GetMPEGHeader / ReadMPEGInfo, as 32
// characters "0"/"1", most significant bit of the first byte first.
extern QString gstrMPEGHeaderBits;

using BitrateTable = std::array<int32_t, 15>;

// True when the 4 bytes are a valid frame header: the 11-bit sync, and
// neither a reserved version, layer or sampling-rate code nor the forbidden
// bit-rate index (runs of 0xFF bytes are therefore never taken for a header).
// Free format (bit-rate index 0) is valid.
bool IsMPEGFrameHeader(const uint8_t* bytes);
// The length in bytes of the frame that a valid header starts, its padding
// slot included; 0 for free format (bit-rate index 0), whose header does not
// give the length.
int32_t MPEGFrameLength(const uint8_t* header);
// What a Xing/Info or VBRI frame says of its whole stream: the frame count
// and the byte count, 0 where the frame is none or leaves a count out.
// "Xing" and "VBRI" mark a variable rate; "Info" is the same frame in a file
// of constant rate.
struct MPEGStreamCounts {
    int64_t frames = 0;
    int64_t bytes = 0;
    bool variable = false;
};
// Reads those counts from the bytes of a Layer III stream's first frame
// (`frameBytes` of them from its header on); all 0 for other layers.
MPEGStreamCounts ReadMPEGStreamCounts(const uint8_t* frame, size_t frameBytes);
// Where the audio starts: the end of the ID3v2 tag (or stacked tags) at the
// start of the data, 0 when there is none.  A tag whose size runs past the end
// of the data counts as none.
int64_t ID3v2TagEnd(ByteSource& source);
// The offset of the first frame header at or after `start`, with its 4 bytes
// (all four inside the data); -1 when there is none.
int64_t FindMPEGHeader(ByteSource& source, int64_t start, uint8_t header[4]);
// Fills `info` from the frame at `info.HeaderPosition`: `frame` holds the bytes
// from the header on (as many as are at hand, at least 4), `audioEnd` the end
// of the audio (the file's size, less 128 when an ID3v1 tag ends it).
// `info.FileSize` and `info.HeaderPosition` must be set already.
void DecodeMPEGFrame(MPEGInfo& info, const uint8_t* frame, size_t frameBytes, int64_t audioEnd);
// The whole analysis on a source: FileSize, the search from `searchStart` (-1:
// after the ID3v2 tag), the decoding.  `found` tells whether a header was found;
// without one HeaderPosition is the data's size.
MPEGInfo AnalyseMPEG(ByteSource& source, bool& found, int64_t searchStart = -1);

// Reads the file's MPEG facts.  A missing file gives a fresh record and leaves
// `found` as passed.  Failures go to ReportFileError; when it showed its
// warning the record built so far is returned.
MPEGInfo ReadMPEGInfo(const QString& path, bool& found);
// The same on bytes the caller has open (the folder scan's file).
MPEGInfo ReadMPEGInfo(ByteSource& file, const QString& path, bool& found, int64_t searchStart = -1);
// The search alone: from `position` when it is above 0, else after the ID3v2
// tag.  On a find `position` is the header's offset and gstrMPEGHeaderBits its
// bits; otherwise `position` is the file's length.
bool GetMPEGHeader(const QString& path, int64_t& position);
// The bit rate of the header in gstrMPEGHeaderBits for `version` and `layer`:
// False with `bitrate` 0 when there is no table, False with `bitrate` unchanged
// for the forbidden index 15.
bool GetBitrate(int32_t version, int32_t layer, int32_t& bitrate);
// The bit-rate table (kbit/s, index 0 to 14) of a version (1, 2, 25) and layer
// (1, 2, 3); False and `table` untouched for any other pair.
bool GetBitrateTable(int32_t version, int32_t layer, BitrateTable& table);
