// libFuzzer target over the tag parser: any bytes as the start of a file.
// Besides not crashing, a tag that was read must survive being written and
// read again unchanged, and getting and setting values must work on it.

#include "QmErrors.h"
#include "TagCore.h"
#include "TagFormat.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace quillmark;

namespace {

std::vector<uint8_t> Reparse(const std::vector<uint8_t>& tag, TagCore& into) {
    into.frames.Clear();
    into.parseImage(ParseTagHeader(tag.data(), tag.size()), tag.data(), tag.size());
    return BuildTag(into.frames);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TagCore core;
    const TagHeader header = ParseTagHeader(data, size);
    if (!header.present || header.totalLength() > size) return 0;  // the file would be read instead
    try {
        core.parseImage(header, data, size);
    } catch (const QmError& e) {
        if (e.number != Err::CommentFrameInvalid && e.number != Err::TextFrameInvalid &&
            e.number != Err::WebFrameInvalid)
            std::abort();  // only a frame that does not parse may end a read
    }
    try {
        const std::vector<uint8_t> built = BuildTag(core.frames);
        // A written tag reads back as it was written, unless a frame body
        // holds, where its size read as a 7-bit number ends, frames that run
        // on to the padding and the plain reading is not the exact one (that
        // frame holds text, or its body ends in zeros the 7-bit reading takes
        // for padding): such a tag reads as one with 7-bit sizes, which a
        // writer of this library's old form leaves in users' files.
        if (FrameSizeForm(built.data() + 10, built.size() - 10, 0, 3) == SizeForm::Plain) {
            TagCore again;
            if (Reparse(built, again) != built) std::abort();
        }
        for (int32_t id = eTrack; id <= eEncodedBy; ++id) {
            const std::u16string v = core.getFrameValue(id);
            core.setFrameValue(id, v + u"\u00E9\u65E5");
        }
        const std::vector<uint8_t> changed = BuildTag(core.frames);
        TagCore again;
        again.parseImage(ParseTagHeader(changed.data(), changed.size()), changed.data(), changed.size());
        for (int32_t id = eTrack; id <= eEncodedBy; ++id)
            if (again.getFrameValue(id).size() < 2) std::abort();
    } catch (const QmError& e) {
        if (e.number != Err::Overflow) std::abort();
    }
    return 0;
}
