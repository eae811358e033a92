#include "TagCore.h"

#include "FileFunctions.h"
#include "QmErrors.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quillmark {

const char* LookupFrameID(int32_t value) {
    static constexpr const char* kIds[] = {"TRCK", "TIT2", "TPE1", "TALB", "TYER", "TCON",
                                           "COMM", "TCOM", "TOPE", "TCOP", "WXXX", "TENC"};
    if (value < eTrack || value > eEncodedBy) RaiseError(Msg::UnknownFrameId, "ID3v2::LookupFrameID");
    return kIds[value - 1];
}

void TagCore::parseImage(const TagHeader& header, const uint8_t* bytes, size_t length) {
    hasTag = header.present;
    if (!header.readable()) return;
    if (header.totalLength() > length) RaisePlatform(Err::InvalidCall);  // callers check this
    ReadFrames(header, bytes + 10, header.size, frames);
}

void TagCore::readTag(const std::string& path) {
    frames.Clear();
    files::Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR || path.empty())
            RaiseError(Msg::FileNotFound, "ID3v2::ReadTag", {"%FILE%"}, {path});
        RaiseErrno(errno, false);
    }
    struct stat st;
    if (::fstat(fd.get(), &st) != 0) RaiseErrno(errno, false);
    if (!S_ISREG(st.st_mode)) RaiseError(Msg::FileNotFound, "ID3v2::ReadTag", {"%FILE%"}, {path});
    uint8_t head[10];
    const size_t got = files::ReadAt(fd.get(), head, sizeof head, 0);
    const TagHeader header = ParseTagHeader(head, got);
    hasTag = header.present;
    if (!header.readable()) return;
    // The size field decides how much is read: never more than the file holds.
    if (header.totalLength() > static_cast<uint64_t>(st.st_size))
        RaiseError(Msg::InvalidFileSize, "ID3v2::ReadTag", {"%FILE%"}, {path});
    std::vector<uint8_t> body(header.size);
    if (files::ReadAt(fd.get(), body.data(), body.size(), 10) != body.size())
        RaiseError(Msg::InvalidFileSize, "ID3v2::ReadTag", {"%FILE%"}, {path});
    fd.reset();
    ReadFrames(header, body.data(), body.size(), frames);
}

void TagCore::readTagFromBytes(const std::string& path, const uint8_t* bytes, size_t length) {
    const TagHeader header = ParseTagHeader(bytes, bytes ? length : 0);
    if (length >= 10 && bytes && !header.present) {
        frames.Clear();
        hasTag = false;
        return;
    }
    if (!header.present || header.totalLength() > length) {
        readTag(path);  // the tag goes on beyond what the caller has read
        return;
    }
    frames.Clear();
    parseImage(header, bytes, length);
}

namespace {

struct OpenedTarget {
    files::Target target;
    files::Fd fd;
    uint64_t size = 0;
    TagHeader header;
};

void OpenTarget(const std::string& path, bool ignoreReadOnly, std::string_view source, OpenedTarget& t) {
    t.target = files::ResolveTarget(path, source);
    files::CheckWritable(t.target, ignoreReadOnly, source);
    t.fd.reset(::open(t.target.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (t.fd.get() < 0) RaiseErrno(errno, false);
    struct stat st;
    if (::fstat(t.fd.get(), &st) != 0) RaiseErrno(errno, false);
    t.size = static_cast<uint64_t>(st.st_size);
    uint8_t head[10];
    t.header = ParseTagHeader(head, files::ReadAt(t.fd.get(), head, sizeof head, 0));
}

}  // namespace

void TagCore::writeTag(const std::string& path, bool ignoreReadOnly) {
    OpenedTarget t;
    OpenTarget(path, ignoreReadOnly, "clsID3v2::WriteTag", t);
    // The old tag, whatever its version, gives way to the new one.
    const uint64_t oldLength = t.header.totalLength();
    if (t.size < oldLength) RaiseError(Msg::InvalidFileSize, "ID3v2::WriteTag", {"%FILE%"}, {path});
    const std::vector<uint8_t> tag = renderTag();
    files::Rewrite(t.target, t.fd.get(), t.size, tag, oldLength, ignoreReadOnly);
    hasTag = true;
}

void TagCore::removeTag(const std::string& path, bool ignoreReadOnly) {
    OpenedTarget t;
    OpenTarget(path, ignoreReadOnly, "clsID3v2::RemoveTag", t);
    if (!t.header.present) return;  // nothing to remove: nothing changes
    const uint64_t oldLength = t.header.totalLength();
    if (t.size < oldLength) RaiseError(Msg::InvalidFileSize, "clsID3v2::RemoveTag", {"%FILE%"}, {path});
    files::Rewrite(t.target, t.fd.get(), t.size, {}, oldLength, ignoreReadOnly);
    frames.Clear();
    hasTag = false;
}

std::u16string TagCore::getFrameValue(int32_t frameId) const {
    const std::string_view id = LookupFrameID(frameId);
    for (const auto& f : frames) {
        if (f->kind() == FrameKind::Unsupported || f->idView() != id) continue;
        std::u16string value = f->value();
        std::erase(value, u'\0');
        return value;
    }
    return {};
}

void TagCore::setFrameValue(int32_t frameId, std::u16string_view value) {
    const std::string_view id = LookupFrameID(frameId);
    for (const auto& f : frames) {
        if (f->kind() == FrameKind::Unsupported || f->idView() != id) continue;
        f->setValue(value);
        return;
    }
    auto f = MakeFrame(GetFrameKind(id));
    f->id = {id[0], id[1], id[2], id[3]};
    f->setData(value);
    frames.Add(std::move(f));
}

}  // namespace quillmark
