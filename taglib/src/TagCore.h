#pragma once
// The tag object's work, with errors as exceptions (QmError); the component
// class around it turns them into statuses at the library's boundary.

#include "Frames.h"
#include "TagFormat.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillmark {

class TagCore {
public:
    bool hasTag = false;
    FrameCollection frames;

    void readTag(const std::string& path);
    void readTagFromBytes(const std::string& path, const uint8_t* bytes, size_t length);
    void writeTag(const std::string& path, bool ignoreReadOnly);
    // The tag writeTag writes, as bytes.
    std::vector<uint8_t> renderTag() const { return BuildTag(frames); }
    void removeTag(const std::string& path, bool ignoreReadOnly);
    std::u16string getFrameValue(int32_t frameId) const;
    void setFrameValue(int32_t frameId, std::u16string_view value);

    // Reads the tag of a file image in memory (its first `length` bytes),
    // which must hold the whole tag; the parsing step of the readers.
    void parseImage(const TagHeader& header, const uint8_t* bytes, size_t length);
};

// The frame ID of an eID3FrameIDs value; other values raise 108.
const char* LookupFrameID(int32_t value);

}  // namespace quillmark
