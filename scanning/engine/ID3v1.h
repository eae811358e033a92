#pragma once
// The ID3v1 / ID3v1.1 tag in a file's last 128 bytes: read, write in place,
// clear, compare.  The parsing works on a byte block so the folder scan can
// hand over the tail it has already read; the path-based procedures open the
// file themselves and report failures through ReportFileError.  The options
// that steer them (the include filters, the write-read-only preference) are
// the caller's parameters: nothing here reads the program-wide records.

#include "scanning/engine/TagRecords.h"

#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>

class ByteSource;
struct ScanningCentreOptions;

constexpr int kID3v1Size = 128;
using ID3v1Block = std::array<uint8_t, kID3v1Size>;

// True when a file of `fileSize` bytes whose last bytes are `tail` ends in an
// ID3v1 tag: longer than 128 bytes and "TAG" (exact case) at size - 128.
bool HasID3v1Tag(int64_t fileSize, QByteArrayView tail);
// The fields of a tag block: texts cut at their first zero byte, decoded as
// Windows-1252 and trimmed of blanks; the track when byte 125 is zero.
ID3v1Tag ParseID3v1Block(const uint8_t* block);
// The reading rules on bytes in hand: fills `tag` (a missing tag gives the empty
// tag), sets `hasTag` when there is one and `filtered` when the include options
// of `include` (blnIncFilesWithID3v1 / blnIncFilesWithoutID3v1) exclude the
// file's ID3v1 state; with `include` null nothing is filtered.  Neither flag is
// ever cleared.
void ReadID3v1FromTail(int64_t fileSize, QByteArrayView tail, ID3v1Tag& tag, bool& hasTag, bool& filtered,
                       const ScanningCentreOptions* include);
// A tag block as the program creates one: "TAG", zeros, genre 255.
ID3v1Block NewID3v1Block();
// Writes the tag's fields into `block` (texts cut or padded with blanks; the
// track and its zero marker only when the track is not 0; the genre).
void FillID3v1Block(ID3v1Block& block, const ID3v1Tag& tag);

// Reads the file's tag, filtered as ReadID3v1FromTail says.  True also when
// the file does not exist (nothing is touched then); False only after a
// failure that ReportFileError showed.
bool ReadID3v1TagInfo(const QString& path, ID3v1Tag& tag, bool& hasTag, bool& filtered,
                      const ScanningCentreOptions* include);
// The same on bytes the caller has open (the folder scan's file).
bool ReadID3v1TagInfo(ByteSource& file, const QString& path, ID3v1Tag& tag, bool& hasTag, bool& filtered,
                      const ScanningCentreOptions* include);
// Writes `tag` as the file's ID3v1 tag, appending one when there is none;
// with `writeReadOnly` (the preference) a read-only file is made writeable
// first.  True when it wrote; False when the file does not exist or is too
// short to hold a tag, when the stored tag already equals `tag`, when reading
// the current tag failed, and after a reported failure.
bool WriteID3v1TagInfo(const QString& path, const ID3v1Tag& tag, bool writeReadOnly);
// Turns an existing tag into a non-tag by blanking its marker; read-only
// files as WriteID3v1TagInfo treats them.
void ClearID3v1Tag(const QString& path, bool writeReadOnly);
// Equal texts (exact case), track and genre.
bool CompareID3v1(const ID3v1Tag& a, const ID3v1Tag& b);
// The ID3v1 track byte of a track text: the number it begins with, rounded
// (halves to even); 0 above 255, below 0, or when there is no number.
uint8_t GetID3v1Track(const QString& text);

// Before a tag write: with `force`, gives a read-only file its owner's write
// permission back.  Failures are left to the write that follows.
void MakeWriteableIfForced(const QString& path, bool force);
