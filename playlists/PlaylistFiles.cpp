#include "playlists/PlaylistFiles.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/IniFile.h"
#include "foundation/JobHost.h"
#include "foundation/ListFiles.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "scanning/engine/FileBytes.h"
#include "shell/start/VersionInfo.h"

#include <QXmlStreamReader>

#include <fcntl.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kM3UHeader = QStringLiteral("#EXTM3U");
const QString kPLSHeader = QStringLiteral("[playlist]");
const QString kPLSSection = QStringLiteral("playlist");
const QString kExtInf = QStringLiteral("#EXTINF:");

// ---- numbers ---------------------------------------------------------------------

// A length in milliseconds that fits an entry, or nothing.
std::optional<int32_t> Milliseconds(double value) {
    const double rounded = std::nearbyint(value);  // halves to even
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return std::nullopt;
    return int32_t(rounded);
}

// A number text as the INI reader converts a whole-number value (the whole
// text a number, rounded halves to even); nothing when it is no number or
// out of range.
std::optional<int32_t> WholeNumber(const QString& text) {
    try {
        return ConvertIniText(text, SettingType::Long).toInt();
    } catch (const SvError&) {
        return std::nullopt;
    }
}

// Seconds in M3U and PLS: milliseconds / 1000 rounded down.
int32_t WholeSeconds(int32_t milliseconds) {
    int32_t seconds = milliseconds / 1000;
    if (milliseconds % 1000 < 0) --seconds;
    return seconds;
}

// ---- M3U -------------------------------------------------------------------------

// The lines of decoded text (LF line ends; a last line end adds no empty
// line), as views into it.
std::vector<QStringView> SplitLines(const QString& text) {
    std::vector<QStringView> lines;
    const QStringView all(text);
    for (qsizetype pos = 0; pos < all.size();) {
        qsizetype end = all.indexOf(QLatin1Char('\n'), pos);
        if (end < 0) end = all.size();
        lines.push_back(all.sliced(pos, end - pos));
        pos = end + 1;
    }
    return lines;
}

// The extended M3U body is read field by field: a field starts at the
// current position, skips leading blanks and ends at the next comma (which is
// consumed) or at the end of the line.  Only a field that begins with
// "#EXTINF:" means anything: it starts an entry whose title is the rest of
// its line (or, when the line has no comma, the whole next line) and whose
// path is the whole line after that.  `next` gives the lines after the
// first one, each valid until the following call.
template <typename NextLine>
void ParseM3UBody(NextLine next, PlaylistEntries& entries) {
    QStringView text;
    if (!next(text)) return;
    qsizetype pos = 0;
    for (;;) {
        qsizetype start = pos;
        while (start < text.size() && text[start] == QLatin1Char(' ')) ++start;
        const qsizetype comma = text.indexOf(QLatin1Char(','), start);
        const QStringView field = comma < 0 ? text.sliced(start) : text.sliced(start, comma - start);
        if (!field.startsWith(kExtInf)) {
            if (comma >= 0) {
                pos = comma + 1;
                continue;
            }
            if (!next(text)) return;
            pos = 0;
            continue;
        }
        PlaylistEntryInfo entry;
        const std::optional<int32_t> length = [&]() -> std::optional<int32_t> {
            try {
                return Milliseconds(LenientNumber(field.sliced(kExtInf.size()).toString()) * 1000.0);
            } catch (const SvError&) {
                return std::nullopt;
            }
        }();
        entry.Length = length.value_or(0);
        if (comma >= 0) {
            entry.Title = text.sliced(comma + 1).toString();
        } else {
            // The title is the next line.
            if (!next(text)) return;  // cut off: the entry is dropped
            entry.Title = text.toString();
        }
        if (!next(text)) return;  // cut off before its path
        entry.FileName = text.toString();
        entries.push_back(std::move(entry));
        if (!next(text)) return;
        pos = 0;
    }
}

// ---- PLS -------------------------------------------------------------------------

enum class PLSField { File, Title, Length };

// The field and entry number of a "File<n>", "Title<n>" or "Length<n>" key
// (n written without sign or leading zeros, as the reader asks for it; names
// ignore case); false for any other key.
bool EntryKey(const QString& key, PLSField& field, int64_t& number) {
    static const std::pair<QLatin1String, PLSField> prefixes[] = {
        {QLatin1String("File"), PLSField::File}, {QLatin1String("Title"), PLSField::Title}, {QLatin1String("Length"), PLSField::Length}};
    for (const auto& [prefix, kind] : prefixes) {
        if (!key.startsWith(prefix, Qt::CaseInsensitive)) continue;
        const QStringView digits = QStringView(key).sliced(prefix.size());
        if (digits.isEmpty() || digits.size() > 10 || digits.front() == QLatin1Char('0')) return false;
        int64_t n = 0;
        for (const QChar c : digits) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
            n = n * 10 + (c.unicode() - u'0');
        }
        field = kind;
        number = n;
        return true;
    }
    return false;
}

// A text value as the INI reader gives it: one leading and one trailing
// "%20" each read as a blank.
QString IniText(const QString& value) { return ConvertIniText(value, SettingType::String).toString(); }

// The title from a file's tags, else its base name.  A path that can name
// no file (a name or a path longer than the system takes) is titled like a
// missing file, so one such entry never costs the rest of the playlist.
void TitleFromFile(const QString& path, QString& title) {
    try {
        GetTitleFromID3(path, title, true);
    } catch (const SvError& error) {
        if (error.number() != ErrNo::BadFileNameOrNumber) throw;
        title = BaseNamePart(path);
    }
}

void ParsePLSText(const QString& text, const QString& playlistFile, PlaylistEntries& entries) {
    const IniDocument doc = IniDocument::parse(text, IniSyntax::Platform);
    struct Field {
        int64_t number;
        PLSField kind;
        const QString* value;
    };
    std::vector<Field> fields;
    const QString* versionText = nullptr;
    const QString* countText = nullptr;
    // One pass over the section: only entries that have keys are looked at,
    // however large a number of entries the file claims.
    doc.forEachEntry(kPLSSection, [&](const QString& key, const QString& value) {
        Field f{0, PLSField::File, &value};
        if (EntryKey(key, f.kind, f.number))
            fields.push_back(f);
        else if (key.compare(QLatin1String("Version"), Qt::CaseInsensitive) == 0)
            versionText = &value;
        else if (key.compare(QLatin1String("NumberOfEntries"), Qt::CaseInsensitive) == 0)
            countText = &value;
    });

    // Titles come from the file for version 2; a file without a usable
    // version is taken as version 2.  A missing or unusable count is 0.
    const int32_t version = versionText ? WholeNumber(*versionText).value_or(2) : 2;
    const int64_t count = countText ? std::max<int32_t>(WholeNumber(*countText).value_or(0), 0) : 0;

    std::stable_sort(fields.begin(), fields.end(), [](const Field& a, const Field& b) { return a.number < b.number; });
    for (size_t i = 0; i < fields.size();) {
        const int64_t n = fields[i].number;
        if (n > count) break;
        const QString* file = nullptr;
        const QString* title = nullptr;
        const QString* length = nullptr;
        for (; i < fields.size() && fields[i].number == n; ++i)
            (fields[i].kind == PLSField::File ? file : fields[i].kind == PLSField::Title ? title : length) = fields[i].value;
        if (n < 1 || !file) continue;
        PlaylistEntryInfo entry;
        entry.FileName = IniText(*file);
        if (entry.FileName.isEmpty()) continue;
        // A missing length is none (0); -1 is "unknown" and kept as it is.
        if (length) {
            const std::optional<int32_t> seconds = WholeNumber(*length);
            entry.Length = seconds ? Milliseconds(double(*seconds) * 1000.0).value_or(0) : 0;
        }
        if (version == 2) {
            if (title) entry.Title = IniText(*title);
        } else {
            TitleFromFile(GetFullPathOfFileInPlaylist(playlistFile, entry.FileName), entry.Title);
        }
        entries.push_back(std::move(entry));
    }
}

// ---- B4S -------------------------------------------------------------------------

// Reads the entry elements of a B4S document into `found`.  False when the
// document is not well-formed, has a DTD, or holds no entry element in a
// playlist in a WinampXML; otherwise `found` holds the entries of those
// elements that have a Playstring, in document order.
bool ParseB4S(QXmlStreamReader& xml, PlaylistEntries& found) {
    // Only these names matter; they are matched exactly, prefix included.
    enum class Tag : uint8_t { Other, WinampXML, Playlist, Entry, Name, Length };
    struct Element {
        Tag tag = Tag::Other;
        int64_t entry = -1;  // a selected entry element: its index in `found`
        int64_t owner = -1;  // the first Name or Length of one: that entry
        QString text;        // ... and the text read inside it so far
    };
    enum Seen : uint8_t { Playstring = 1, NameSeen = 2, LengthSeen = 4 };
    std::vector<Element> stack;
    std::vector<uint8_t> seen;     // per entry in `found`
    std::vector<size_t> capturing;  // stack positions of open Name and Length elements
    size_t selected = 0;

    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD: return false;
        case QXmlStreamReader::StartElement: {
            const QStringView name = xml.qualifiedName();
            Element element;
            element.tag = name == QLatin1String("entry")       ? Tag::Entry
                          : name == QLatin1String("Name")      ? Tag::Name
                          : name == QLatin1String("Length")    ? Tag::Length
                          : name == QLatin1String("playlist")  ? Tag::Playlist
                          : name == QLatin1String("WinampXML") ? Tag::WinampXML
                                                               : Tag::Other;
            const size_t depth = stack.size();
            if (element.tag == Tag::Entry && depth >= 2 && stack[depth - 1].tag == Tag::Playlist &&
                stack[depth - 2].tag == Tag::WinampXML) {
                ++selected;
                PlaylistEntryInfo entry;
                uint8_t flags = 0;
                const QXmlStreamAttributes attributes = xml.attributes();
                if (attributes.hasAttribute(QLatin1String("Playstring"))) {
                    flags = Playstring;
                    QStringView playstring = attributes.value(QLatin1String("Playstring"));
                    if (playstring.startsWith(QLatin1String("file:"))) playstring = playstring.sliced(5);
                    entry.FileName = playstring.toString();
                }
                element.entry = int64_t(found.size());
                found.push_back(std::move(entry));
                seen.push_back(flags);
            } else if (depth >= 1 && stack[depth - 1].entry >= 0 && (element.tag == Tag::Name || element.tag == Tag::Length)) {
                const int64_t owner = stack[depth - 1].entry;
                const uint8_t bit = element.tag == Tag::Name ? NameSeen : LengthSeen;
                if (!(seen[size_t(owner)] & bit)) {
                    seen[size_t(owner)] |= bit;
                    element.owner = owner;
                    capturing.push_back(depth);
                }
            }
            stack.push_back(std::move(element));
            break;
        }
        case QXmlStreamReader::Characters:
            for (const size_t at : capturing) stack[at].text += xml.text();
            break;
        case QXmlStreamReader::EndElement: {
            Element& element = stack.back();
            if (element.owner >= 0) {
                capturing.pop_back();  // the innermost capture ends first
                PlaylistEntryInfo& entry = found[size_t(element.owner)];
                if (element.tag == Tag::Name)
                    entry.Title = std::move(element.text);
                else
                    entry.Length = WholeNumber(element.text.trimmed()).value_or(0);
            }
            stack.pop_back();
            break;
        }
        default: break;
        }
    }
    if (xml.hasError() || selected == 0) return false;
    // Entries without a Playstring add nothing.
    size_t kept = 0;
    for (size_t i = 0; i < found.size(); ++i) {
        if (!(seen[i] & Playstring)) continue;
        if (kept != i) found[kept] = std::move(found[i]);
        ++kept;
    }
    found.resize(kept);
    return true;
}

// ---- the file ----------------------------------------------------------------------

enum class Sniffed { M3U, PLS, Markup, Other };

bool FirstLineIs(QByteArrayView head, QByteArrayView text) {
    if (!head.startsWith(text)) return false;
    return head.size() == text.size() || head[text.size()] == '\r' || head[text.size()] == '\n';
}

// What a file can be by its start `head` (the whole file when `whole`):
// its first line, or its first character.  A start of nothing but blanks
// leaves the question to the rest of the file.
Sniffed Sniff(QByteArrayView head, bool whole) {
    if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF")) return Sniffed::Markup;  // UTF-16
    if (head.startsWith("\xEF\xBB\xBF")) head = head.sliced(3);
    if (FirstLineIs(head, "#EXTM3U")) return Sniffed::M3U;
    if (FirstLineIs(head, "[playlist]")) return Sniffed::PLS;
    const qsizetype first = std::find_if(head.begin(), head.end(), [](char c) {
                                return c != ' ' && c != '\t' && c != '\r' && c != '\n';
                            }) - head.begin();
    if (first == head.size()) return whole ? Sniffed::Other : Sniffed::Markup;
    return head[first] == '<' ? Sniffed::Markup : Sniffed::Other;
}

// The whole of an open file.
QByteArray ReadWholeFile(FileBytes& file) {
    if (file.size() > int64_t(std::numeric_limits<qsizetype>::max() / 2)) RaiseError(ErrNo::OutOfMemory);
    QByteArray bytes(qsizetype(file.size()), Qt::Uninitialized);
    bytes.resize(qsizetype(file.readAt(0, reinterpret_cast<uint8_t*>(bytes.data()), size_t(bytes.size()))));
    return bytes;
}

// Reads the file at `path` by what its start shows it can be; the whole
// file is read only then (an M3U file line by line).
int32_t ReadPlaylist(const QString& path, PlaylistEntries& entries) {
    FileBytes file;
    if (!file.open(path)) RaiseError(ErrNo::FileNotFound);
    const QByteArrayView head = file.head();
    switch (Sniff(head, head.size() == file.size())) {
    case Sniffed::M3U: {
        // The file already open, so nothing put at the path meanwhile is read.
        TextFileLines lines(::fcntl(file.fd(), F_DUPFD_CLOEXEC, 0));
        QStringView first;
        if (!lines.next(first) || first != kM3UHeader) return PlaylistFileFormat::NotAPlaylist;
        ParseM3UBody([&](QStringView& view) { return lines.next(view); }, entries);
        return PlaylistFileFormat::M3U;
    }
    case Sniffed::PLS: {
        // Decoded as it is read: the INI reader takes the whole text.
        QString text;
        text.reserve(qsizetype(std::min<int64_t>(file.size(), std::numeric_limits<qsizetype>::max() / 4)));
        TextFileLines lines(::fcntl(file.fd(), F_DUPFD_CLOEXEC, 0));
        QStringView line;
        while (lines.next(line)) {
            text += line;
            text += QLatin1Char('\n');
        }
        if (!text.startsWith(kPLSHeader + QLatin1Char('\n'))) return PlaylistFileFormat::NotAPlaylist;
        ParsePLSText(text, path, entries);
        return PlaylistFileFormat::PLS;
    }
    case Sniffed::Markup:
        return ReadB4SText(ReadWholeFile(file), entries) ? PlaylistFileFormat::B4S : PlaylistFileFormat::NotAPlaylist;
    case Sniffed::Other: break;
    }
    return PlaylistFileFormat::NotAPlaylist;
}

void ShowReadRefused(const QString& path, const SvError& error) {
    MsgBox(FileNamePart(path) + kCrLf + kCrLf + GetResourceString(TextId::Playlist::CannotLoadFile) +
               error.description() + GetResourceString(TextId::Common::FileMayBeLocked),
           Mb::OKOnly | Mb::Exclamation, GetResourceString(TextId::Common::PermissionDenied));
}

// ---- writing -----------------------------------------------------------------------

// A title or path on a line of its own: CR, LF and NUL become blanks.
void AppendLineSafe(QString& out, const QString& text) {
    const qsizetype start = out.size();
    out += text;
    for (QChar* c = out.data() + start, *const end = out.data() + out.size(); c < end; ++c)
        if (*c == QLatin1Char('\r') || *c == QLatin1Char('\n') || *c == QChar(0)) *c = QLatin1Char(' ');
}

// Text or an attribute value escaped for XML.  Characters XML 1.0 cannot
// carry (control characters but TAB, lone surrogates, U+FFFE and U+FFFF)
// become blanks, and so do CR and LF, as in the other formats; a TAB in an
// attribute is written as a reference, so a reader does not make it a blank.
void AppendXmlEscaped(QString& out, const QString& text, bool attribute) {
    const QChar* const data = text.constData();
    const qsizetype n = text.size();
    qsizetype run = 0;  // start of the characters not yet copied
    const auto flush = [&](qsizetype upTo) {
        if (upTo > run) out.append(data + run, upTo - run);
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i].unicode();
        const bool plain = c >= 0x20 && c != u'&' && c != u'<' && c != u'>' && c != u'"' && !QChar::isSurrogate(c) &&
                           c < 0xFFFE;
        if (plain) continue;
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(data[i + 1].unicode())) {
            ++i;  // a pair stays as it is
            continue;
        }
        flush(i);
        run = i + 1;
        switch (c) {
        case u'&': out += QLatin1String("&amp;"); break;
        case u'<': out += QLatin1String("&lt;"); break;
        case u'>': out += QLatin1String("&gt;"); break;
        case u'"': out += attribute ? QLatin1String("&quot;") : QLatin1String("\""); break;
        case u'\t': out += attribute ? QLatin1String("&#9;") : QLatin1String("\t"); break;
        default: out += QLatin1Char(' '); break;
        }
    }
    flush(n);
}

// The loop every builder shares: before entry i (from 1) of n, the status,
// progress and yield of the job (when there is one, at most about 30 times a
// second) and the stop check.  Returns the number of entries added.
template <typename AddEntry>
size_t BuildEntries(const PlaylistEntries& entries, JobHost* job, int32_t creatingText, AddEntry add) {
    const size_t count = entries.size();
    std::optional<YieldClock> clock;
    if (job) clock.emplace(job->YieldIntervalMs());
    for (size_t i = 0; i < count; ++i) {
        if (job) {
            if (clock->due()) {
                job->ShowProgress(int64_t(i + 1), int64_t(count + 1));
                job->ShowStatus(GetResourceString(creatingText) + QString::number(i + 1) +
                                GetResourceString(TextId::Playlist::Of) + QString::number(count) +
                                GetResourceString(TextId::Playlist::PleaseWait));
                job->Yield();
            }
            if (job->mblnStopAll) return i;
        }
        add(entries[i], i + 1);
    }
    return count;
}

}  // namespace

// ---- reading ------------------------------------------------------------------------

bool ReadM3UText(QByteArrayView bytes, PlaylistEntries& entries) {
    const QString text = DecodeTextFile(bytes);
    const std::vector<QStringView> lines = SplitLines(text);
    if (lines.empty() || lines.front() != kM3UHeader) return false;
    size_t line = 1;
    ParseM3UBody(
        [&](QStringView& view) {
            if (line >= lines.size()) return false;
            view = lines[line++];
            return true;
        },
        entries);
    return true;
}

bool ReadPLSText(QByteArrayView bytes, const QString& playlistFile, PlaylistEntries& entries) {
    const QString text = DecodeTextFile(bytes);
    const qsizetype firstEnd = text.indexOf(QLatin1Char('\n'));
    if (QStringView(text).left(firstEnd < 0 ? text.size() : firstEnd) != kPLSHeader) return false;
    ParsePLSText(text, playlistFile, entries);
    return true;
}

bool ReadB4SText(QByteArrayView bytes, PlaylistEntries& entries) {
    QXmlStreamReader xml;
    QString text;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || IsValidUtf8Text(bytes)) {
        // The reader decodes by the declaration (UTF-16 by its mark).
        xml.addData(QByteArray::fromRawData(bytes.data(), bytes.size()));
    } else {
        // Not UTF-8 although B4S declares it: a file of an older version
        // written in Windows-1252.  Decoded here line by line; a mark past
        // the start stays a character, as the XML reader of UTF-8 bytes
        // sees it.
        text = DecodeTextFile(bytes, MarkOnlyLine::Kept);
        xml.addData(text);
    }
    PlaylistEntries found;
    if (!ParseB4S(xml, found)) return false;
    if (entries.empty())
        entries.swap(found);
    else
        entries.insert(entries.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    return true;
}

int32_t LoadPlaylistFile(const QString& path, PlaylistEntries& entries, bool clearFirst) {
    return WithTrail(CallSite(QStringLiteral("LoadPlaylistFile"), path), [&] {
        if (clearFirst) entries.clear();
        try {
            return ReadPlaylist(path, entries);
        } catch (...) {
            const SvError error = CurrentError();
            if (error.number() != ErrNo::PermissionDenied) throw;
            ShowReadRefused(path, error);
            return PlaylistFileFormat::NotAPlaylist;
        }
    });
}

int32_t ReadPlaylistFilePaths(const QString& path, QStringList& paths) {
    PlaylistEntries entries;
    const int32_t format = LoadPlaylistFile(path, entries, true);
    paths.clear();
    paths.reserve(qsizetype(entries.size()));
    for (const PlaylistEntryInfo& entry : entries) paths << GetFullPathOfFileInPlaylist(path, entry.FileName);
    return format;
}

// ---- building -----------------------------------------------------------------------

QString ConstructM3UPlaylist(const PlaylistEntries& entries, JobHost* job) {
    return WithTrail(QStringLiteral("ConstructM3UPlaylist"), [&] {
        QString text;
        text.reserve(qsizetype(entries.size()) * 96 + 16);
        text += kM3UHeader;
        text += kCrLf;
        BuildEntries(entries, job, TextId::Playlist::CreatingM3UEntry, [&](const PlaylistEntryInfo& entry, size_t) {
            text += kExtInf;
            text += QString::number(WholeSeconds(entry.Length));
            text += QLatin1Char(',');
            AppendLineSafe(text, entry.Title);
            text += kCrLf;
            AppendLineSafe(text, entry.FileName);
            text += kCrLf;
        });
        return text;
    });
}

QString ConstructPLSPlaylist(const PlaylistEntries& entries, JobHost* job) {
    return WithTrail(QStringLiteral("ConstructPLSPlaylist"), [&] {
        QString text;
        text.reserve(qsizetype(entries.size()) * 120 + 64);
        text += kPLSHeader;
        text += kCrLf;
        const size_t added = BuildEntries(entries, job, TextId::Playlist::CreatingPLSEntry, [&](const PlaylistEntryInfo& entry, size_t n) {
            const QString number = QString::number(n);
            text += QLatin1String("File");
            text += number;
            text += QLatin1Char('=');
            AppendLineSafe(text, entry.FileName);
            text += kCrLf;
            text += QLatin1String("Title");
            text += number;
            text += QLatin1Char('=');
            AppendLineSafe(text, entry.Title);
            text += kCrLf;
            text += QLatin1String("Length");
            text += number;
            text += QLatin1Char('=');
            text += QString::number(WholeSeconds(entry.Length));
            text += kCrLf;
        });
        text += QLatin1String("NumberOfEntries=");
        text += QString::number(added);
        text += kCrLf;
        text += QLatin1String("Version=2");
        return text;
    });
}

QString ConstructB4SPlaylist(const PlaylistEntries& entries, JobHost* job) {
    return WithTrail(QStringLiteral("ConstructB4SPlaylist"), [&] {
        QString text;
        text.reserve(qsizetype(entries.size()) * 180 + 256);
        text += QLatin1String("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n <WinampXML>\r\n");
        text += QLatin1String("<!-- Generated by: ");
        text += VersionInfo::CompanyName() + QLatin1Char(' ') + VersionInfo::Title() + QLatin1Char(' ') +
                VersionInfo::VersionText();
        text += QLatin1String(" -->\r\n  <playlist num_entries=\"");
        text += QString::number(entries.size());
        text += QLatin1String("\" label=\"Playlist 001\">");
        BuildEntries(entries, job, TextId::Playlist::CreatingB4SEntry, [&](const PlaylistEntryInfo& entry, size_t) {
            text += QLatin1String("\r\n    <entry Playstring=\"file:");
            AppendXmlEscaped(text, entry.FileName, true);
            text += QLatin1String("\">\r\n      <Name>");
            AppendXmlEscaped(text, entry.Title, false);
            text += QLatin1String("</Name>\r\n      <Length>");
            text += QString::number(entry.Length);
            text += QLatin1String("</Length>\r\n    </entry>");
        });
        text += QLatin1String("\r\n  </playlist>\r\n </WinampXML>\r\n");
        return text;
    });
}

QString ConstructPlaylist(int32_t format, const PlaylistEntries& entries, JobHost* job) {
    switch (format) {
    case PlaylistFileFormat::M3U: return ConstructM3UPlaylist(entries, job);
    case PlaylistFileFormat::PLS: return ConstructPLSPlaylist(entries, job);
    case PlaylistFileFormat::B4S: return ConstructB4SPlaylist(entries, job);
    default: return QString();
    }
}

QString PlaylistPathForFormat(const QString& playlistFile, int32_t format) {
    static const char* const extensions[] = {".m3u", ".pls", ".b4s"};
    if (playlistFile.isEmpty() || format < 0 || format > 2) return playlistFile;
    return JoinPath(ParentFolder(playlistFile), BaseNamePart(playlistFile)) + QLatin1String(extensions[format]);
}

// ---- saving -------------------------------------------------------------------------

QByteArray PlaylistFileBytes(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const char* const begin = utf8.constData();
    const char* const end = begin + utf8.size();
    // Every LF without a CR before it, and every CR without an LF after it,
    // gains the missing half.
    qsizetype added = 0;
    for (const char* p = begin; p < end; ++p) {
        if (*p == '\n' && (p == begin || p[-1] != '\r')) ++added;
        else if (*p == '\r' && (p + 1 == end || p[1] != '\n')) ++added;
    }
    if (added == 0) return utf8;
    QByteArray out(utf8.size() + added, Qt::Uninitialized);
    char* o = out.data();
    for (const char* p = begin; p < end; ++p) {
        if (*p == '\n' && (p == begin || p[-1] != '\r')) *o++ = '\r';
        *o++ = *p;
        if (*p == '\r' && (p + 1 == end || p[1] != '\n')) *o++ = '\n';
    }
    return out;
}

void SavePlaylistFile(const QString& path, const QString& text) {
    WithTrail(CallSite(QStringLiteral("SavePlaylistFile"), path), [&] { WriteFileAtomically(path, PlaylistFileBytes(text)); });
}
