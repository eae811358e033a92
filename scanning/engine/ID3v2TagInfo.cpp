#include "scanning/engine/ID3v2TagInfo.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/OptionRecords.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/FileErrorReport.h"
#include "scanning/tagobject/QuillmarkLoader.h"

ID3v2TagObject gobjID3v2Tag;

namespace {
using quillmark::eID3FrameIDs;

// What follows ReadTag: the has-tag flag, the filter and the fields.
void TakeTag(ID3v2TagObject& object, ID3v2Tag& tag, bool& hasTag, bool& filtered,
             const ScanningCentreOptions* include) {
    hasTag = object.HasTag();
    if (hasTag) {
        if (include && !include->blnIncFilesWithID3v2) filtered = true;
        FetchID3v2Frames(object, tag);
    } else {
        if (include && !include->blnIncFilesWithoutID3v2) filtered = true;
        tag = ID3v2Tag();
    }
}

QString ReadTrail(const QString& path, bool hasTag, bool filtered) {
    return CallSite(QStringLiteral("ReadID3v2TagInfo"), path, hasTag, filtered);
}

// The record's fields and their frames, in the order a tag made from nothing
// holds its frames.
struct FrameField {
    eID3FrameIDs frame;
    QString ID3v2Tag::*field;
};
constexpr FrameField kFrameFields[] = {
    {quillmark::eTrack, &ID3v2Tag::Track},           {quillmark::eTitle, &ID3v2Tag::Title},
    {quillmark::eArtist, &ID3v2Tag::Artist},         {quillmark::eAlbum, &ID3v2Tag::Album},
    {quillmark::eYear, &ID3v2Tag::Year},             {quillmark::eComment, &ID3v2Tag::Comment},
    {quillmark::eGenre, &ID3v2Tag::Genre},           {quillmark::eComposer, &ID3v2Tag::Composer},
    {quillmark::eOrigArtist, &ID3v2Tag::OrigArtist}, {quillmark::eCopyright, &ID3v2Tag::Copyright},
    {quillmark::eURL, &ID3v2Tag::URL},               {quillmark::eEncodedBy, &ID3v2Tag::EncodedBy},
};
}  // namespace

void FetchID3v2Frames(ID3v2TagObject& object, ID3v2Tag& tag) {
    for (const FrameField& f : kFrameFields) tag.*f.field = object.GetFrameValue(f.frame);
}

void StoreID3v2Frames(ID3v2TagObject& object, const ID3v2Tag& tag) {
    for (const FrameField& f : kFrameFields) object.SetFrameValue(f.frame, tag.*f.field);
}

QByteArray RenderID3v2Tag(ID3v2TagObject& object, const ID3v2Tag& tag) {
    StoreID3v2Frames(object, tag);
    return object.RenderTag();
}

void InitialiseQuillmarkClass() {
    WithTrail(QStringLiteral("InitialiseQuillmarkClass"), [] { gobjID3v2Tag = CreateQuillmarkTagObject(); });
}

void TerminateID3v2Class() {
    WithTrail(QStringLiteral("TerminateID3v2Class"), [] { gobjID3v2Tag.reset(); });
}

bool ReadID3v2TagInfo(const QString& path, ID3v2Tag& tag, bool& hasTag, bool& filtered,
                      const ScanningCentreOptions* include) {
    return ReadID3v2TagInfo(gobjID3v2Tag, path, tag, hasTag, filtered, include);
}

bool ReadID3v2TagInfo(ID3v2TagObject& object, const QString& path, ID3v2Tag& tag, bool& hasTag, bool& filtered,
                      const ScanningCentreOptions* include) {
    try {
        if (!FileExists(path)) return true;
        object.ReadTag(path);
        TakeTag(object, tag, hasTag, filtered, include);
        return true;
    } catch (...) {
        if (ReportFileError(path, FileAction::ReadID3v2)) return false;
        PropagateError(ReadTrail(path, hasTag, filtered));
    }
}

bool ReadID3v2TagInfo(FileBytes& file, const QString& path, ID3v2Tag& tag, bool& hasTag, bool& filtered,
                      const ScanningCentreOptions* include) {
    return ReadID3v2TagInfo(gobjID3v2Tag, file, path, tag, hasTag, filtered, include);
}

bool ReadID3v2TagInfo(ID3v2TagObject& object, FileBytes& file, const QString& path, ID3v2Tag& tag, bool& hasTag,
                      bool& filtered, const ScanningCentreOptions* include) {
    try {
        if (!file.isOpen()) return ReadID3v2TagInfo(object, path, tag, hasTag, filtered, include);
        const QByteArrayView head = file.head();
        object.ReadTagFromBytes(path, head.data(), head.size());
        TakeTag(object, tag, hasTag, filtered, include);
        return true;
    } catch (...) {
        if (ReportFileError(path, FileAction::ReadID3v2)) return false;
        PropagateError(ReadTrail(path, hasTag, filtered));
    }
}

bool WriteID3v2TagInfo(const QString& path, const ID3v2Tag& tag, bool writeReadOnly) {
    return WriteID3v2TagInfo(gobjID3v2Tag, path, tag, writeReadOnly);
}

bool WriteID3v2TagInfo(ID3v2TagObject& object, const QString& path, const ID3v2Tag& tag, bool writeReadOnly) {
    try {
        if (!FileExists(path)) return false;
        ID3v2Tag current;
        bool hadTag = false;
        bool ignored = false;
        // Loads the file's own frames into the object, so frames that no
        // field replaces go back unchanged.
        if (!ReadID3v2TagInfo(object, path, current, hadTag, ignored, nullptr)) return false;
        if (hadTag && CompareID3v2(current, tag)) return false;

        IsWriteable(path, writeReadOnly);
        StoreID3v2Frames(object, tag);
        // A file that is still read-only makes the library refuse (its
        // read-only error) rather than change the file's mode itself.
        object.WriteTag(path, false);
        return true;
    } catch (...) {
        if (ReportFileError(path, FileAction::ModifyID3v2)) return false;
        PropagateError(CallSite(QStringLiteral("WriteID3v2TagInfo"), path));
    }
}

void ClearID3v2Tag(const QString& path, bool writeReadOnly) {
    try {
        if (!FileExists(path)) return;
        IsWriteable(path, writeReadOnly);
        gobjID3v2Tag.RemoveTag(path, false);
    } catch (...) {
        if (ReportFileError(path, FileAction::ClearID3v2)) return;
        PropagateError(CallSite(QStringLiteral("ClearID3v2Tag"), path));
    }
}

bool CompareID3v2(const ID3v2Tag& a, const ID3v2Tag& b) {
    return a.Title == b.Title && a.Artist == b.Artist && a.Track == b.Track && a.Album == b.Album &&
           a.Year == b.Year && a.Comment == b.Comment && a.Genre == b.Genre && a.Composer == b.Composer &&
           a.OrigArtist == b.OrigArtist && a.Copyright == b.Copyright && a.URL == b.URL &&
           a.EncodedBy == b.EncodedBy;
}
