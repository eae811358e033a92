#pragma once
// The byte format of a tag: the 10-byte header, the size codec, the walk
// over the frames of a tag body (versions 2.2, 2.3 and 2.4) and the layout in
// which a tag is written (always ID3v2.3).

#include "Frames.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quillmark {

// Flag bits of the tag header.
namespace TagFlag {
constexpr uint8_t Unsynchronisation = 0x80;
constexpr uint8_t ExtendedHeader = 0x40;  // in a version 2.2 header: compression
constexpr uint8_t Footer = 0x10;          // version 2.4
}  // namespace TagFlag

// Format flag bits of a frame header (its second flag byte).
namespace FrameFlagV3 {
constexpr uint8_t Compression = 0x80;
constexpr uint8_t Encryption = 0x40;
constexpr uint8_t Grouping = 0x20;
constexpr uint8_t ExtraBytes = Compression | Encryption | Grouping;  // data does not start at once
}  // namespace FrameFlagV3
namespace FrameFlagV4 {
constexpr uint8_t Grouping = 0x40;
constexpr uint8_t Compression = 0x08;
constexpr uint8_t Encryption = 0x04;
constexpr uint8_t Unsynchronisation = 0x02;
constexpr uint8_t DataLength = 0x01;
}  // namespace FrameFlagV4

struct TagHeader {
    bool present = false;  // the file starts with "ID3"
    uint8_t major = 0;
    uint8_t revision = 0;
    uint8_t flags = 0;
    uint32_t size = 0;  // bytes after the header (frames and padding)

    bool readable() const { return present && major >= 2 && major <= 4; }
    bool hasFooter() const { return present && major == 4 && (flags & TagFlag::Footer); }
    // The whole tag: header, body and (version 2.4) footer.
    uint64_t totalLength() const { return present ? 10ull + size + (hasFooter() ? 10 : 0) : 0; }
};

// Reads the header from the first bytes of a file (fewer than 10: no tag).
TagHeader ParseTagHeader(const uint8_t* p, size_t n);

// Four 7-bit bytes, most significant first.  Reading takes each byte whole,
// as this library always has; writing keeps 7 bits of each.
uint32_t ByteToLong(const uint8_t b[4]);
void LongToByte(uint32_t value, uint8_t b[4]);

// A frame size is a plain 32-bit number in 2.3 and a 7-bit number in 2.4,
// but writers (this library once among them) have used the other form.
enum class SizeForm { Plain, Seven };

// The form in which the frame sizes of a 2.3 or 2.4 tag body (frames from
// `start` on) are read: the one under which every frame is a frame up to the
// padding or the end of the tag (a frame being any ID without a NUL, odd IDs
// included).  When both are, the form of the version wins if it ends where
// the padding starts and the other reading's frames nest in none of its text
// frames (in a binary frame they may, when both end together: its body may
// hold what reads as frames); else the one that reads fewer frames with odd
// IDs, then the one that reads more frames (a frame that ends on another
// frame's header rather than in padding), then the form of the version.  None when neither form reads through the tag:
// each frame then takes the other form only where that alone ends where a
// frame may end whose own size fits.
std::optional<SizeForm> FrameSizeForm(const uint8_t* body, size_t n, size_t start, int major);

// Appends the frames of a tag body (the `header.size` bytes after the header)
// to `frames`, in file order.  A frame the library understands whose body does
// not parse ends the walk with its error; the frames before it stay.
void ReadFrames(const TagHeader& header, const uint8_t* body, size_t n, FrameCollection& frames);

// The largest tag size the header can state.
inline constexpr uint32_t kMaxTagSize = (1u << 28) - 1;

// The ID3v2.3 tag of a frame collection: header, each frame's header and body
// in collection order, zero padding to a multiple of 257 bytes.
std::vector<uint8_t> BuildTag(const FrameCollection& frames);

}  // namespace quillmark
