#pragma once
// What the program knows about one MP3 file's tags and first audio frame.
// Plain value records: copied whole, no behaviour.  A fresh record has empty
// texts and zero numbers, except the ID3v1 genre, which starts at 255 (none).

#include <QString>
#include <cstdint>

struct ID3v1Tag {
    QString Title;
    QString Artist;
    uint8_t Track = 0;  // ID3v1.1 track number; 0 = none
    QString Album;
    QString Year;
    QString Comment;
    uint8_t Genre = 255;  // index into the genre table; 255 = none
};

// The twelve frame texts of an ID3v2 tag, as the tag library returns them.
struct ID3v2Tag {
    QString Title;
    QString Artist;
    QString Track;
    QString Album;
    QString Year;
    QString Comment;
    QString Genre;
    QString Composer;
    QString OrigArtist;
    QString Copyright;
    QString URL;
    QString EncodedBy;
};

// Facts about the first MPEG audio frame header and what follows from it.
// Sizes and counts are 64-bit: files past 2 GiB and long recordings must not
// overflow.
struct MPEGInfo {
    int64_t FileSize = 0;        // the whole file, tags included
    int64_t HeaderPosition = 0;  // 0-based offset of the first frame's sync
    int64_t LengthMs = 0;        // playing time
    int32_t Version = 0;         // 1, 2, 25 (MPEG-2.5); 0 = reserved code
    int32_t Layer = 0;           // 1, 2, 3; 0 = reserved code
    int32_t Bitrate = 0;         // kbit/s; 0 = free format
    int32_t Padding = 0;         // the padding bit
    int32_t FrameLength = 0;     // bytes in the first frame
    int64_t FrameCount = 0;
    int32_t SampleRate = 0;      // Hz; 0 = reserved code
    QString ChannelMode;         // "Stereo", "Joint-stereo", "Dual channels", "Mono"
    QString Private;             // "No" / "Yes"
    QString CRCs;                // "Yes" when frames carry a CRC
    QString Copyrighted;         // "No" / "Yes"
    QString Original;            // "No" / "Yes"
    QString Emphasis;            // "None", "50/15 ms", "Reserved", "CCITT J.17"
    int32_t Channels = 0;        // 1 for mono, else 2
};
