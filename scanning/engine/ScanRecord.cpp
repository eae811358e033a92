#include "scanning/engine/ScanRecord.h"

#include "scanning/engine/GenreLookup.h"
#include "scanning/engine/ID3v1.h"

#include <cstring>

const std::array<QString, kScanColumnCount>& ScanColumnCaptions() {
    static const std::array<QString, kScanColumnCount> captions = {
        QStringLiteral("File Name"),       QStringLiteral("Folder"),
        QStringLiteral("ID3v1 Title"),     QStringLiteral("ID3v1 Artist"),
        QStringLiteral("ID3v1 Track"),     QStringLiteral("ID3v1 Album"),
        QStringLiteral("ID3v1 Year"),      QStringLiteral("ID3v1 Comment"),
        QStringLiteral("ID3v1 Genre"),     QStringLiteral("ID3v2 Title"),
        QStringLiteral("ID3v2 Artist"),    QStringLiteral("ID3v2 Track"),
        QStringLiteral("ID3v2 Album"),     QStringLiteral("ID3v2 Year"),
        QStringLiteral("ID3v2 Comment"),   QStringLiteral("ID3v2 Genre"),
        QStringLiteral("ID3v2 Composer"),  QStringLiteral("ID3v2 Orig. Artist"),
        QStringLiteral("ID3v2 Copyright"), QStringLiteral("ID3v2 URL"),
        QStringLiteral("ID3v2 Encoded by"), QStringLiteral("Size"),
        QStringLiteral("Header Found At"), QStringLiteral("Length (ms)"),
        QStringLiteral("MPEG Version"),    QStringLiteral("Layer Version"),
        QStringLiteral("Bit Rate"),        QStringLiteral("Frames"),
        QStringLiteral("Frequency"),       QStringLiteral("Mode"),
        QStringLiteral("Private"),         QStringLiteral("CRC's"),
        QStringLiteral("Copyrighted"),     QStringLiteral("Original"),
        QStringLiteral("Emphasis"),        QStringLiteral("Channels"),
        QStringLiteral("Attributes"),      QStringLiteral("Created"),
        QStringLiteral("Modified"),        QStringLiteral("Accessed"),
    };
    return captions;
}

ScanRowTexts ScanRecordTexts(const ScanRecord& r) {
    const ID3v1Tag& v1 = r.ID3v1Tag;
    const ID3v2Tag& v2 = r.ID3v2Tag;
    const MPEGInfo& m = r.MPEGInfo;
    return ScanRowTexts{
        r.FolderListEntry.FileName,
        r.FolderListEntry.Folder,
        v1.Title,
        v1.Artist,
        v1.Track != 0 ? QString::number(v1.Track) : QString(),
        v1.Album,
        v1.Year,
        v1.Comment,
        ScanGenreName(v1.Genre),
        v2.Title,
        v2.Artist,
        v2.Track,
        v2.Album,
        v2.Year,
        v2.Comment,
        v2.Genre,
        v2.Composer,
        v2.OrigArtist,
        v2.Copyright,
        v2.URL,
        v2.EncodedBy,
        QString::number(m.FileSize),
        QString::number(m.HeaderPosition),
        QString::number(m.LengthMs),
        QString::number(m.Version),
        QString::number(m.Layer),
        QString::number(m.Bitrate),
        QString::number(m.FrameCount),
        QString::number(m.SampleRate),
        m.ChannelMode,
        m.Private,
        m.CRCs,
        m.Copyrighted,
        m.Original,
        m.Emphasis,
        QString::number(m.Channels),
        r.FileDetails.Attributes,
        r.FileDetails.Created,
        r.FileDetails.Modified,
        r.FileDetails.Accessed,
    };
}

namespace {
int64_t Number64(const QString& text) {
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    return ok ? v : 0;
}
int32_t Number32(const QString& text) {
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? v : 0;
}
}  // namespace

ScanRecord ScanRecordFromTexts(const QStringList& t) {
    auto cell = [&](int i) { return i < t.size() ? t[i] : QString(); };
    using namespace ScanColumn;
    ScanRecord r;
    r.FolderListEntry.FileName = cell(FileName);
    r.FolderListEntry.Folder = cell(Folder);
    r.ID3v1Tag.Title = cell(ID3v1Title);
    r.ID3v1Tag.Artist = cell(ID3v1Artist);
    r.ID3v1Tag.Track = GetID3v1Track(cell(ID3v1Track));
    r.ID3v1Tag.Album = cell(ID3v1Album);
    r.ID3v1Tag.Year = cell(ID3v1Year);
    r.ID3v1Tag.Comment = cell(ID3v1Comment);
    r.ID3v1Tag.Genre = ScanGenreID(cell(ID3v1Genre));
    r.ID3v2Tag.Title = cell(ID3v2Title);
    r.ID3v2Tag.Artist = cell(ID3v2Artist);
    r.ID3v2Tag.Track = cell(ID3v2Track);
    r.ID3v2Tag.Album = cell(ID3v2Album);
    r.ID3v2Tag.Year = cell(ID3v2Year);
    r.ID3v2Tag.Comment = cell(ID3v2Comment);
    r.ID3v2Tag.Genre = cell(ID3v2Genre);
    r.ID3v2Tag.Composer = cell(ID3v2Composer);
    r.ID3v2Tag.OrigArtist = cell(ID3v2OrigArtist);
    r.ID3v2Tag.Copyright = cell(ID3v2Copyright);
    r.ID3v2Tag.URL = cell(ID3v2URL);
    r.ID3v2Tag.EncodedBy = cell(ID3v2EncodedBy);
    r.MPEGInfo.FileSize = Number64(cell(Size));
    r.MPEGInfo.HeaderPosition = Number64(cell(HeaderFoundAt));
    r.MPEGInfo.LengthMs = Number64(cell(LengthMs));
    r.MPEGInfo.Version = Number32(cell(MPEGVersion));
    r.MPEGInfo.Layer = Number32(cell(LayerVersion));
    r.MPEGInfo.Bitrate = Number32(cell(BitRate));
    r.MPEGInfo.FrameCount = Number64(cell(Frames));
    r.MPEGInfo.SampleRate = Number32(cell(Frequency));
    r.MPEGInfo.ChannelMode = cell(Mode);
    r.MPEGInfo.Private = cell(Private);
    r.MPEGInfo.CRCs = cell(CRCs);
    r.MPEGInfo.Copyrighted = cell(Copyrighted);
    r.MPEGInfo.Original = cell(Original);
    r.MPEGInfo.Emphasis = cell(Emphasis);
    r.MPEGInfo.Channels = Number32(cell(Channels));
    r.FileDetails.Attributes = cell(Attributes);
    r.FileDetails.Created = cell(Created);
    r.FileDetails.Modified = cell(Modified);
    r.FileDetails.Accessed = cell(Accessed);
    return r;
}

QString JoinFolderFile(const QString& folder, const QString& fileName) {
    if (folder.isEmpty()) return fileName;
    if (!folder.endsWith(QLatin1Char('/')) && !fileName.startsWith(QLatin1Char('/'))) {
        // The usual case, put together in one go.
        QString path(folder.size() + 1 + fileName.size(), Qt::Uninitialized);
        QChar* out = path.data();
        std::memcpy(out, folder.constData(), size_t(folder.size()) * sizeof(QChar));
        out[folder.size()] = QLatin1Char('/');
        std::memcpy(out + folder.size() + 1, fileName.constData(), size_t(fileName.size()) * sizeof(QChar));
        return path;
    }
    qsizetype end = folder.size();
    while (end > 1 && folder[end - 1] == QLatin1Char('/')) --end;
    QString path = folder.left(end);
    if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
    qsizetype start = 0;
    while (start < fileName.size() && fileName[start] == QLatin1Char('/')) ++start;
    path += QStringView(fileName).mid(start);
    return path;
}
