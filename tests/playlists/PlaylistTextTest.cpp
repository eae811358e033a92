// Playlist texts as users' files hold them -> the entries read -> the text
// written for those entries, for each of the three formats, with damaged
// and hostile inputs among them.  Every text goes through both readers of
// its format, the one on bytes and the one on a file, which must agree.

#include "PlaylistTestSupport.h"
#include "playlists/PlaylistFiles.h"
#include "scanjob/ScanJobSupport.h"

#include <QByteArray>
#include <vector>
#include <gtest/gtest.h>

namespace {

struct TextCase {
    const char* name;
    QByteArray input;
    bool recognised;
    PlaylistEntries entries;
    QString written;  // the builder's text for `entries` (when recognised)
    int32_t format = PlaylistFileFormat::NotAPlaylist;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

std::vector<TextCase> InFormat(int32_t format, std::vector<TextCase> cases) {
    for (TextCase& c : cases) c.format = format;
    return cases;
}

// The reader of a format on bytes.
bool ReadText(int32_t format, QByteArrayView bytes, PlaylistEntries& entries) {
    switch (format) {
    case PlaylistFileFormat::M3U: return ReadM3UText(bytes, entries);
    case PlaylistFileFormat::PLS: return ReadPLSText(bytes, QString(), entries);
    default: return ReadB4SText(bytes, entries);
    }
}

// Entries already open stay in front of what a reader appends.
class PlaylistText : public ::testing::TestWithParam<TextCase> {};

TEST_P(PlaylistText, ReadsAndWrites) {
    const TextCase& c = GetParam();
    const PlaylistEntryInfo open{"/kept/before.mp3", "Before", 1000};
    PlaylistEntries entries{open};
    ASSERT_EQ(ReadText(c.format, c.input, entries), c.recognised);
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front(), open);
    entries.erase(entries.begin());
    EXPECT_EQ(entries, c.entries);
    if (c.recognised) {
        EXPECT_EQ(ConstructPlaylist(c.format, entries), c.written);
    }
}

// The same bytes in a file: the file reader takes exactly what the reader on
// bytes takes.  A text this format refuses may still be of another format.
TEST_P(PlaylistText, TheFileReaderAgrees) {
    const TextCase& c = GetParam();
    MusicFolder folder;
    const QString path = folder.write(QStringLiteral("list"), c.input);
    const PlaylistEntryInfo open{"/kept/before.mp3", "Before", 1000};
    PlaylistEntries entries{open};
    const int32_t format = LoadPlaylistFile(path, entries, false);
    if (c.recognised) {
        EXPECT_EQ(format, c.format);
    } else {
        EXPECT_NE(format, c.format);
        if (format != PlaylistFileFormat::NotAPlaylist) return;
    }
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front(), open);
    entries.erase(entries.begin());
    EXPECT_EQ(entries, c.entries);
}

QString M3U(const QStringList& lines) { return CrLfLines(QStringList{QStringLiteral("#EXTM3U")} + lines); }

// ---- extended M3U -------------------------------------------------------------

INSTANTIATE_TEST_SUITE_P(
    M3U, PlaylistText,
    ::testing::ValuesIn(InFormat(PlaylistFileFormat::M3U, {
        TextCase{"HeaderOnly", "#EXTM3U", true, {}, M3U({})},
        TextCase{"Plain",
                 "#EXTM3U\r\n#EXTINF:215,Artist - Song\r\n/music/a.mp3\r\n#EXTINF:3,Two\r\nrel/b.mp3\r\n",
                 true,
                 {{"/music/a.mp3", "Artist - Song", 215000}, {"rel/b.mp3", "Two", 3000}},
                 M3U({"#EXTINF:215,Artist - Song", "/music/a.mp3", "#EXTINF:3,Two", "rel/b.mp3"})},
        TextCase{"UnknownAndFractionalLengths",
                 "#EXTM3U\n#EXTINF:-1,Stream\n/s.mp3\n#EXTINF:215.6,Frac\n/f.mp3\n#EXTINF:-0.25,Negative\n/n.mp3\n",
                 true,
                 {{"/s.mp3", "Stream", -1000}, {"/f.mp3", "Frac", 215600}, {"/n.mp3", "Negative", -250}},
                 M3U({"#EXTINF:-1,Stream", "/s.mp3", "#EXTINF:215,Frac", "/f.mp3", "#EXTINF:-1,Negative", "/n.mp3"})},
        TextCase{"TitleKeepsCommasAndBlanks",
                 "#EXTM3U\n#EXTINF:10, A, B ,C \n/a.mp3\n",
                 true,
                 {{"/a.mp3", " A, B ,C ", 10000}},
                 M3U({"#EXTINF:10, A, B ,C ", "/a.mp3"})},
        TextCase{"OnlyExtinfFieldsCount",
                 "#EXTM3U\n\n# a comment\n/plain/path.mp3\nx, #EXTINF:4,In the middle\n/m.mp3\n   #EXTINF:5,Indented\n/i.mp3\n"
                 "#extinf:6,Lower case\n/l.mp3\n",
                 true,
                 {{"/m.mp3", "In the middle", 4000}, {"/i.mp3", "Indented", 5000}},
                 M3U({"#EXTINF:4,In the middle", "/m.mp3", "#EXTINF:5,Indented", "/i.mp3"})},
        TextCase{"ExtinfWithoutCommaTakesTheNextLineAsTitle",
                 "#EXTM3U\n#EXTINF:30\nWhole Line, Title\n/w.mp3\n",
                 true,
                 {{"/w.mp3", "Whole Line, Title", 30000}},
                 M3U({"#EXTINF:30,Whole Line, Title", "/w.mp3"})},
        TextCase{"LengthsThatAreNoNumberOrTooLarge",
                 "#EXTM3U\n#EXTINF:abc,Word\n/a.mp3\n#EXTINF:99999999999,Huge\n/b.mp3\n#EXTINF:1e400,Beyond\n/c.mp3\n"
                 "#EXTINF: 1 2 ,Spaced\n/d.mp3\n",
                 true,
                 {{"/a.mp3", "Word", 0}, {"/b.mp3", "Huge", 0}, {"/c.mp3", "Beyond", 0}, {"/d.mp3", "Spaced", 12000}},
                 M3U({"#EXTINF:0,Word", "/a.mp3", "#EXTINF:0,Huge", "/b.mp3", "#EXTINF:0,Beyond", "/c.mp3",
                      "#EXTINF:12,Spaced", "/d.mp3"})},
        TextCase{"CutOffAfterTheTitleLine",
                 "#EXTM3U\n#EXTINF:5,Kept\n/k.mp3\n#EXTINF:6,Lost\n",
                 true,
                 {{"/k.mp3", "Kept", 5000}},
                 M3U({"#EXTINF:5,Kept", "/k.mp3"})},
        TextCase{"CutOffAfterACommalessExtinf",
                 "#EXTM3U\r\n#EXTINF:5,Kept\r\n/k.mp3\r\n#EXTINF:7\r\nTitle only",
                 true,
                 {{"/k.mp3", "Kept", 5000}},
                 M3U({"#EXTINF:5,Kept", "/k.mp3"})},
        TextCase{"LineEndsMixedAndByteOrderMark",
                 "\xEF\xBB\xBF#EXTM3U\r#EXTINF:1,CR\r/cr.mp3\n#EXTINF:2,LF\n/lf.mp3\r\n#EXTINF:3,CRLF\r\n/crlf.mp3",
                 true,
                 {{"/cr.mp3", "CR", 1000}, {"/lf.mp3", "LF", 2000}, {"/crlf.mp3", "CRLF", 3000}},
                 M3U({"#EXTINF:1,CR", "/cr.mp3", "#EXTINF:2,LF", "/lf.mp3", "#EXTINF:3,CRLF", "/crlf.mp3"})},
        TextCase{"Windows1252LinesBesideUtf8Lines",
                 "#EXTM3U\n#EXTINF:1,Caf\xE9 \x80\n/old/na\xEFve.mp3\n#EXTINF:2,Caf\xC3\xA9\n/new/\xE6\x9D\xB1.mp3\n",
                 true,
                 {{QStringLiteral("/old/na\u00EFve.mp3"), QStringLiteral("Caf\u00E9 \u20AC"), 1000},
                  {QStringLiteral("/new/\u6771.mp3"), QStringLiteral("Caf\u00E9"), 2000}},
                 M3U({QStringLiteral("#EXTINF:1,Caf\u00E9 \u20AC"), QStringLiteral("/old/na\u00EFve.mp3"),
                      QStringLiteral("#EXTINF:2,Caf\u00E9"), QStringLiteral("/new/\u6771.mp3")})},
        // A byte-order mark counts only as the file's first bytes; further
        // on a line of a mark alone is an empty line (here the path of the
        // first entry), and a mark before other text is a character of it.
        TextCase{"ByteOrderMarkOnlyAtTheStartOfTheFile",
                 "\xEF\xBB\xBF#EXTM3U\n\xEF\xBB\xBF\n#EXTINF:1,A\n\xEF\xBB\xBF\n#EXTINF:2,B\n\xEF\xBB\xBF/b.mp3\n"
                 "\xEF\xBB\xBF#EXTINF:3,C\n/c.mp3\n",
                 true,
                 {{"", "A", 1000}, {QStringLiteral("\uFEFF/b.mp3"), "B", 2000}},
                 M3U({"#EXTINF:1,A", "", "#EXTINF:2,B", QStringLiteral("\uFEFF/b.mp3")})},
        TextCase{"ByteOrderMarkInAWindows1252File",
                 "#EXTM3U\n#EXTINF:1,Caf\xE9\n\xEF\xBB\xBF/a.mp3\n",
                 true,
                 {{QStringLiteral("\uFEFF/a.mp3"), QStringLiteral("Caf\u00E9"), 1000}},
                 M3U({QStringLiteral("#EXTINF:1,Caf\u00E9"), QStringLiteral("\uFEFF/a.mp3")})},
        TextCase{"TwoByteOrderMarks", "\xEF\xBB\xBF\xEF\xBB\xBF#EXTM3U\n#EXTINF:1,A\n/a.mp3\n", false, {}, {}},
        TextCase{"EmptyFile", "", false, {}, {}},
        TextCase{"HeaderInOtherCase", "#extm3u\n#EXTINF:1,A\n/a.mp3\n", false, {}, {}},
        TextCase{"HeaderWithTrailingBlank", "#EXTM3U \n#EXTINF:1,A\n/a.mp3\n", false, {}, {}},
        TextCase{"PlainPathList", "/music/a.mp3\n/music/b.mp3\n", false, {}, {}}})));

// ---- PLS ----------------------------------------------------------------------

QString PLS(const QStringList& lines, int count) {
    return CrLfLines(QStringList{QStringLiteral("[playlist]")} + lines) + QStringLiteral("NumberOfEntries=") +
           QString::number(count) + QStringLiteral("\r\nVersion=2");
}

INSTANTIATE_TEST_SUITE_P(
    PLS, PlaylistText,
    ::testing::ValuesIn(InFormat(PlaylistFileFormat::PLS, {
        TextCase{"Empty", "[playlist]\r\nNumberOfEntries=0\r\nVersion=2", true, {}, PLS({}, 0)},
        TextCase{"Plain",
                 "[playlist]\r\nFile1=/music/a.mp3\r\nTitle1=Artist - Song\r\nLength1=215\r\n"
                 "File2=rel/b.mp3\r\nTitle2=Two\r\nLength2=3\r\nNumberOfEntries=2\r\nVersion=2",
                 true,
                 {{"/music/a.mp3", "Artist - Song", 215000}, {"rel/b.mp3", "Two", 3000}},
                 PLS({"File1=/music/a.mp3", "Title1=Artist - Song", "Length1=215", "File2=rel/b.mp3", "Title2=Two",
                      "Length2=3"},
                     2)},
        TextCase{"AnyOrderAnyCaseOfNames",
                 "[playlist]\nversion=2\nnumberofentries=2\nLENGTH2=7\ntitle2=Second\nfile2=/2.mp3\nTitle1=First\n"
                 "File1=/1.mp3\nLength1=5\n",
                 true,
                 {{"/1.mp3", "First", 5000}, {"/2.mp3", "Second", 7000}},
                 PLS({"File1=/1.mp3", "Title1=First", "Length1=5", "File2=/2.mp3", "Title2=Second", "Length2=7"}, 2)},
        TextCase{"MissingLengthIsNoneAndMinusOneIsKept",
                 "[playlist]\nFile1=/1.mp3\nTitle1=Unknown\nLength1=-1\nFile2=/2.mp3\nTitle2=No length\n"
                 "File3=/3.mp3\nTitle3=Three\nLength3=3\nNumberOfEntries=3\nVersion=2\n",
                 true,
                 {{"/1.mp3", "Unknown", -1000}, {"/2.mp3", "No length", 0}, {"/3.mp3", "Three", 3000}},
                 PLS({"File1=/1.mp3", "Title1=Unknown", "Length1=-1", "File2=/2.mp3", "Title2=No length", "Length2=0",
                      "File3=/3.mp3", "Title3=Three", "Length3=3"},
                     3)},
        TextCase{"EntriesWithoutAFileAreLeftOut",
                 "[playlist]\nTitle1=No file\nLength1=1\nFile2=\nTitle2=Empty file\nFile3=/3.mp3\nTitle3=Three\n"
                 "NumberOfEntries=3\nVersion=2\n",
                 true,
                 {{"/3.mp3", "Three", 0}},
                 PLS({"File1=/3.mp3", "Title1=Three", "Length1=0"}, 1)},
        TextCase{"ValuesTrimmedUnquotedAndEdgeBlanks",
                 "[playlist]\nFile1 =  \"/q/a b.mp3\"  \nTitle1=   Spaced   \nLength1= 4 \nFile2=/2.mp3\n"
                 "Title2=%20Edge%20\nNumberOfEntries=2\nVersion=2\n",
                 true,
                 {{"/q/a b.mp3", "Spaced", 4000}, {"/2.mp3", " Edge ", 0}},
                 PLS({"File1=/q/a b.mp3", "Title1=Spaced", "Length1=4", "File2=/2.mp3", "Title2= Edge ", "Length2=0"}, 2)},
        TextCase{"NumbersThatAreNoNumberOrOverflow",
                 "[playlist]\nFile1=/1.mp3\nLength1=abc\nFile2=/2.mp3\nLength2=3000000\nFile3=/3.mp3\nLength3=2.5\n"
                 "File4=/4.mp3\nLength4=99999999999\nNumberOfEntries=4\nVersion=2\n",
                 true,
                 {{"/1.mp3", "", 0}, {"/2.mp3", "", 0}, {"/3.mp3", "", 2000}, {"/4.mp3", "", 0}},
                 PLS({"File1=/1.mp3", "Title1=", "Length1=0", "File2=/2.mp3", "Title2=", "Length2=0", "File3=/3.mp3",
                      "Title3=", "Length3=2", "File4=/4.mp3", "Title4=", "Length4=0"},
                     4)},
        TextCase{"CountLimitsTheEntries",
                 "[playlist]\nFile1=/1.mp3\nFile2=/2.mp3\nFile3=/3.mp3\nFile02=/zero.mp3\nFile-1=/minus.mp3\n"
                 "NumberOfEntries=2\nVersion=2\n",
                 true,
                 {{"/1.mp3", "", 0}, {"/2.mp3", "", 0}},
                 PLS({"File1=/1.mp3", "Title1=", "Length1=0", "File2=/2.mp3", "Title2=", "Length2=0"}, 2)},
        TextCase{"HugeCountWithFewEntries",
                 "[playlist]\nFile5=/5.mp3\nFile900000=/far.mp3\nNumberOfEntries=2147483647\nVersion=2\n",
                 true,
                 {{"/5.mp3", "", 0}, {"/far.mp3", "", 0}},
                 PLS({"File1=/5.mp3", "Title1=", "Length1=0", "File2=/far.mp3", "Title2=", "Length2=0"}, 2)},
        TextCase{"BadOrMissingCount",
                 "[playlist]\nFile1=/1.mp3\nNumberOfEntries=many\nVersion=2\n", true, {}, PLS({}, 0)},
        TextCase{"OtherSectionsAreNotRead",
                 "[playlist]\nNumberOfEntries=2\nVersion=2\nFile1=/mine.mp3\n[other]\nFile2=/other.mp3\n",
                 true,
                 {{"/mine.mp3", "", 0}},
                 PLS({"File1=/mine.mp3", "Title1=", "Length1=0"}, 1)},
        TextCase{"MissingVersionKeepsTheFilesTitles",
                 "[playlist]\nFile1=/1.mp3\nTitle1=Own\nNumberOfEntries=1\n", true,
                 {{"/1.mp3", "Own", 0}},
                 PLS({"File1=/1.mp3", "Title1=Own", "Length1=0"}, 1)},
        TextCase{"ByteOrderMarkOnlyAtTheStartOfTheFile",
                 "\xEF\xBB\xBF[playlist]\n\xEF\xBB\xBF\nFile1=/a.mp3\n\xEF\xBB\xBF" "File2=/b.mp3\nNumberOfEntries=2\nVersion=2\n",
                 true,
                 {{"/a.mp3", "", 0}},
                 PLS({"File1=/a.mp3", "Title1=", "Length1=0"}, 1)},
        TextCase{"TwoByteOrderMarks", "\xEF\xBB\xBF\xEF\xBB\xBF[playlist]\nFile1=/a.mp3\nNumberOfEntries=1\nVersion=2\n",
                 false, {}, {}},
        TextCase{"SectionNameCapitalised", "[Playlist]\nFile1=/1.mp3\nNumberOfEntries=1\nVersion=2\n", false, {}, {}},
        TextCase{"EmptyFile", "", false, {}, {}}})));

// ---- B4S ----------------------------------------------------------------------

QString B4S(const QStringList& entryLines, int count) {
    QStringList lines{QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"),
                      QStringLiteral(" <WinampXML>"),
                      QStringLiteral("<!-- Generated by: Brellick Software Sonivard ") + QStringLiteral(SV_VERSION) +
                          QStringLiteral(" -->"),
                      QStringLiteral("  <playlist num_entries=\"%1\" label=\"Playlist 001\">").arg(count)};
    lines += entryLines;
    lines << QStringLiteral("  </playlist>") << QStringLiteral(" </WinampXML>");
    return CrLfLines(lines);
}

QStringList B4SEntry(const QString& playstring, const QString& name, int length) {
    return {QStringLiteral("    <entry Playstring=\"") + playstring + QStringLiteral("\">"),
            QStringLiteral("      <Name>") + name + QStringLiteral("</Name>"),
            QStringLiteral("      <Length>%1</Length>").arg(length), QStringLiteral("    </entry>")};
}

QByteArray Xml(const char* playlistBody) {
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><WinampXML><playlist>") + playlistBody +
           "</playlist></WinampXML>";
}

INSTANTIATE_TEST_SUITE_P(
    B4S, PlaylistText,
    ::testing::ValuesIn(InFormat(PlaylistFileFormat::B4S, {
        TextCase{"AsWritten",
                 B4S(B4SEntry("file:/music/a.mp3", "Artist - Song", 215999) + B4SEntry("file:rel/b.mp3", "", 0), 2).toUtf8(),
                 true,
                 {{"/music/a.mp3", "Artist - Song", 215999}, {"rel/b.mp3", "", 0}},
                 B4S(B4SEntry("file:/music/a.mp3", "Artist - Song", 215999) + B4SEntry("file:rel/b.mp3", "", 0), 2)},
        TextCase{"EscapedTexts",
                 Xml("<entry Playstring=\"file:/a&amp;b/&quot;q&quot;.mp3\"><Name>Tom &amp; Jerry &lt;live&gt;</Name>"
                     "<Length>1</Length></entry>"),
                 true,
                 {{"/a&b/\"q\".mp3", "Tom & Jerry <live>", 1}},
                 B4S(B4SEntry("file:/a&amp;b/&quot;q&quot;.mp3", "Tom &amp; Jerry &lt;live&gt;", 1), 1)},
        TextCase{"PlaystringPrefixOnlyAtTheStart",
                 Xml("<entry Playstring=\"/no/prefix.mp3\"/><entry Playstring=\"/home/profile:1.mp3\"/>"
                     "<entry Playstring=\"file:file:/twice.mp3\"/>"),
                 true,
                 {{"/no/prefix.mp3", "", 0}, {"/home/profile:1.mp3", "", 0}, {"file:/twice.mp3", "", 0}},
                 B4S(B4SEntry("file:/no/prefix.mp3", "", 0) + B4SEntry("file:/home/profile:1.mp3", "", 0) +
                         B4SEntry("file:file:/twice.mp3", "", 0),
                     3)},
        TextCase{"MissingPartsOfAnEntry",
                 Xml("<entry><Name>No playstring</Name></entry><entry Playstring=\"file:/n.mp3\"><Length>5</Length>"
                     "</entry><entry Playstring=\"file:/two.mp3\"><Name>First</Name><Name>Second</Name>"
                     "<Length>1</Length><Length>2</Length></entry>"),
                 true,
                 {{"/n.mp3", "", 5}, {"/two.mp3", "First", 1}},
                 B4S(B4SEntry("file:/n.mp3", "", 5) + B4SEntry("file:/two.mp3", "First", 1), 2)},
        TextCase{"LengthsRoundedOrZeroed",
                 Xml("<entry Playstring=\"/a\"><Length>2.5</Length></entry><entry Playstring=\"/b\"><Length>3.5</Length>"
                     "</entry><entry Playstring=\"/c\"><Length>abc</Length></entry><entry Playstring=\"/d\"><Length/>"
                     "</entry><entry Playstring=\"/e\"><Length>99999999999</Length></entry><entry Playstring=\"/f\">"
                     "<Length>\n  -7\n</Length></entry>"),
                 true,
                 {{"/a", "", 2}, {"/b", "", 4}, {"/c", "", 0}, {"/d", "", 0}, {"/e", "", 0}, {"/f", "", -7}},
                 B4S(B4SEntry("file:/a", "", 2) + B4SEntry("file:/b", "", 4) + B4SEntry("file:/c", "", 0) +
                         B4SEntry("file:/d", "", 0) + B4SEntry("file:/e", "", 0) + B4SEntry("file:/f", "", -7),
                     6)},
        TextCase{"OnlyEntriesOfAPlaylistOfAWinampXMLAtAnyDepth",
                 "<root><entry Playstring=\"/loose\"/><WinampXML><entry Playstring=\"/no-playlist\"/><playlist>"
                 "<entry Playstring=\"/deep\"><Name>A<b>B</b>C</Name></entry><group><entry Playstring=\"/grouped\"/>"
                 "</group></playlist></WinampXML></root>",
                 true,
                 {{"/deep", "ABC", 0}},
                 B4S(B4SEntry("file:/deep", "ABC", 0), 1)},
        TextCase{"Windows1252UnderAUtf8Declaration",
                 Xml("<entry Playstring=\"file:/m/caf\xE9.mp3\"><Name>Caf\xE9 \x80</Name></entry>"),
                 true,
                 {{QStringLiteral("/m/caf\u00E9.mp3"), QStringLiteral("Caf\u00E9 \u20AC"), 0}},
                 B4S(B4SEntry(QStringLiteral("file:/m/caf\u00E9.mp3"), QStringLiteral("Caf\u00E9 \u20AC"), 0), 1)},
        TextCase{"Utf16WithByteOrderMark",
                 [] {
                     const QString text = QStringLiteral(
                         "<?xml version=\"1.0\" encoding=\"UTF-16\"?><WinampXML><playlist><entry Playstring=\"/\u6771.mp3\">"
                         "<Name>\u6771\u4EAC</Name></entry></playlist></WinampXML>");
                     return QByteArray("\xFF\xFE", 2) +
                            QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
                 }(),
                 true,
                 {{QStringLiteral("/\u6771.mp3"), QStringLiteral("\u6771\u4EAC"), 0}},
                 B4S(B4SEntry(QStringLiteral("file:/\u6771.mp3"), QStringLiteral("\u6771\u4EAC"), 0), 1)},
        TextCase{"ByteOrderMarkInsideAWindows1252Text",
                 Xml("<entry Playstring=\"file:/caf\xE9.mp3\"><Name>A\n\xEF\xBB\xBF" "B</Name></entry>"),
                 true,
                 {{QStringLiteral("/caf\u00E9.mp3"), QStringLiteral("A\n\uFEFFB"), 0}},
                 B4S(B4SEntry(QStringLiteral("file:/caf\u00E9.mp3"), QStringLiteral("A \uFEFFB"), 0), 1)},
        TextCase{"ByteOrderMarkLineBeforeTheRoot",
                 "<?xml version=\"1.0\"?>\n\xEF\xBB\xBF\n<WinampXML><playlist><entry Playstring=\"/caf\xE9\"/></playlist>"
                 "</WinampXML>",
                 false, {}, {}},
        TextCase{"AfterManyBlankLines",
                 QByteArray(6000, '\n') + "<WinampXML><playlist><entry Playstring=\"/x\"/></playlist></WinampXML>",
                 true,
                 {{"/x", "", 0}},
                 B4S(B4SEntry("file:/x", "", 0), 1)},
        TextCase{"WithoutEntries", B4S({}, 0).toUtf8(), false, {}, {}},
        TextCase{"CutOff", Xml("<entry Playstring=\"/a\"/><entry Playstring=\"/b\"/>").left(70), false, {}, {}},
        TextCase{"NotWellFormedAfterItsEntries",
                 Xml("<entry Playstring=\"/a\"/>") + "<extra>", false, {}, {}},
        TextCase{"InternalEntityIsRefused",
                 "<?xml version=\"1.0\"?><!DOCTYPE WinampXML [<!ENTITY x \"/expanded\">]><WinampXML><playlist>"
                 "<entry Playstring=\"&x;\"/></playlist></WinampXML>",
                 false, {}, {}},
        TextCase{"EntityExpansionBombIsRefused",
                 "<?xml version=\"1.0\"?><!DOCTYPE WinampXML [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;"
                 "&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]><WinampXML><playlist><entry "
                 "Playstring=\"/x\"><Name>&c;&c;&c;&c;</Name></entry></playlist></WinampXML>",
                 false, {}, {}},
        TextCase{"ExternalEntityIsNeverLoaded",
                 "<?xml version=\"1.0\"?><!DOCTYPE WinampXML SYSTEM \"file:///etc/passwd\"><WinampXML><playlist>"
                 "<entry Playstring=\"/x\"><Name>&ext;</Name></entry></playlist></WinampXML>",
                 false, {}, {}},
        TextCase{"UndeclaredEntity", Xml("<entry Playstring=\"/x\"><Name>&nbsp;</Name></entry>"), false, {}, {}},
        TextCase{"NotXml", "#EXTM3U\n#EXTINF:1,A\n/a.mp3\n", false, {}, {}},
        TextCase{"EmptyFile", "", false, {}, {}}})));

// ---- what a title or path can never do to the text ------------------------------

TEST(PlaylistWriting, LineBreaksAndNulsInTextsBecomeBlanks) {
    const PlaylistEntries entries{
        {QStringLiteral("/a\nb.mp3"), QStringLiteral("One\r\n#EXTINF:1,Injected\r\n/evil.mp3"), 1000},
        {QStringLiteral("/c.mp3"), QStringLiteral("Nul") + QChar(0) + QStringLiteral("\rTwo\nFile9=/x.mp3"), 2000}};
    const PlaylistEntries blanked{{"/a b.mp3", "One  #EXTINF:1,Injected  /evil.mp3", 1000},
                                  {"/c.mp3", "Nul  Two File9=/x.mp3", 2000}};

    EXPECT_EQ(ConstructM3UPlaylist(entries), M3U({"#EXTINF:1,One  #EXTINF:1,Injected  /evil.mp3", "/a b.mp3",
                                                  "#EXTINF:2,Nul  Two File9=/x.mp3", "/c.mp3"}));
    for (int32_t format : {PlaylistFileFormat::M3U, PlaylistFileFormat::PLS, PlaylistFileFormat::B4S}) {
        const QByteArray bytes = PlaylistFileBytes(ConstructPlaylist(format, entries));
        PlaylistEntries back;
        ASSERT_TRUE(ReadText(format, bytes, back)) << format;
        EXPECT_EQ(back, blanked) << format;
    }
}

TEST(PlaylistWriting, B4SDropsWhatXmlCannotCarry) {
    const PlaylistEntries entries{{QStringLiteral("/t\tab.mp3"),
                                   QStringLiteral("bell\a esc\x1B ") + QChar(0xD800) + QStringLiteral(" \U0001F3B5 \uFFFF"),
                                   5}};
    const QString text = ConstructB4SPlaylist(entries);
    EXPECT_TRUE(text.contains(QStringLiteral("Playstring=\"file:/t&#9;ab.mp3\"")));
    EXPECT_TRUE(text.contains(QStringLiteral("<Name>bell  esc    \U0001F3B5  </Name>")));
    PlaylistEntries back;
    ASSERT_TRUE(ReadB4SText(PlaylistFileBytes(text), back));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].FileName, QStringLiteral("/t\tab.mp3"));
    EXPECT_EQ(back[0].Title, QStringLiteral("bell  esc    \U0001F3B5  "));
}

TEST(PlaylistWriting, LengthsInWholeSecondsRoundDown) {
    const PlaylistEntries entries{{"/a", "A", 215999}, {"/b", "B", -500}, {"/c", "C", -1000}, {"/d", "D", 2147483647},
                                  {"/e", "E", -2147483647 - 1}};
    EXPECT_EQ(ConstructM3UPlaylist(entries),
              M3U({"#EXTINF:215,A", "/a", "#EXTINF:-1,B", "/b", "#EXTINF:-1,C", "/c", "#EXTINF:2147483,D", "/d",
                   "#EXTINF:-2147484,E", "/e"}));
    EXPECT_TRUE(ConstructPLSPlaylist(entries).contains(QStringLiteral("Length2=-1\r\n")));
    EXPECT_TRUE(ConstructB4SPlaylist(entries).contains(QStringLiteral("<Length>215999</Length>")));
}

TEST(PlaylistWriting, SavedBytesAreUtf8WithCrLfLineEnds) {
    EXPECT_EQ(PlaylistFileBytes(QStringLiteral("a\nb\r\nc\rd\r\r\ne")), QByteArray("a\r\nb\r\nc\r\nd\r\n\r\ne"));
    EXPECT_EQ(PlaylistFileBytes(QStringLiteral("Version=2")), QByteArray("Version=2"));
    EXPECT_EQ(PlaylistFileBytes(QStringLiteral("\u00E9\u6771\n")), QByteArray("\xC3\xA9\xE6\x9D\xB1\r\n"));
}

}  // namespace
