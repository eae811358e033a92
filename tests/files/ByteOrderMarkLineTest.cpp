// A line that holds nothing but a byte-order mark, past the start of a file
// (two files joined end to end, an editor that marks every piece it saves):
// the results-list readers and the M3U and PLS readers, each on a file and
// on bytes, read it as an empty line.  Whatever a format makes of an empty
// line there, it makes of that line too: no row, no entry, no title.

#include "FilesTestSupport.h"
#include "coordinator/SimResultsModel.h"
#include "foundation/ListFiles.h"
#include "playlists/PlaylistFiles.h"
#include "scanning/engine/ScanResultsListFile.h"
#include "support/ScriptedUi.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace filetest;

namespace {

const QByteArray kMark = "\xEF\xBB\xBF";

enum class Format { Scn, Sim, M3U, PLS };
enum class Reader { File, Bytes };

const char* Name(Format format) {
    switch (format) {
    case Format::Scn: return "scn";
    case Format::Sim: return "sim";
    case Format::M3U: return "m3u";
    case Format::PLS: return "pls";
    }
    return "?";
}

// The rows of a results list as "checked|cell|cell|...".
template <typename Model>
QStringList Rows(const Model& model, int columns) {
    QStringList rows;
    for (int r = 0; r < model.rows(); ++r) {
        QStringList cells{model.isChecked(r) ? QStringLiteral("1") : QStringLiteral("0")};
        for (int c = 0; c < columns; ++c) cells << model.text(r, c);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// What one reader makes of the bytes: the rows of a list, or the format and
// the entries of a playlist as "file|title|length".
QStringList Read(Format format, Reader reader, const QString& path, const QByteArray& bytes) {
    WriteBytes(path, bytes);
    if (format == Format::Scn) {
        ScanResultsModel model;
        ScanResultsListFile list(model);
        LoadTextFileToListView(list, path, QStringLiteral("Invalid"));
        return Rows(model, list.columnCount());
    }
    if (format == Format::Sim) {
        SimResultsModel model;
        SimResultsListFile list(model);
        LoadTextFileToListView(list, path, QStringLiteral("Invalid"));
        return Rows(model, list.columnCount());
    }
    PlaylistEntries entries;
    int32_t found = PlaylistFileFormat::NotAPlaylist;
    if (reader == Reader::File) {
        found = LoadPlaylistFile(path, entries, true);
    } else if (format == Format::M3U) {
        found = ReadM3UText(bytes, entries) ? PlaylistFileFormat::M3U : PlaylistFileFormat::NotAPlaylist;
    } else {
        found = ReadPLSText(bytes, path, entries) ? PlaylistFileFormat::PLS : PlaylistFileFormat::NotAPlaylist;
    }
    QStringList read{QString::number(found)};
    for (const PlaylistEntryInfo& e : entries)
        read << e.FileName + QLatin1Char('|') + e.Title + QLatin1Char('|') + QString::number(e.Length);
    return read;
}

}  // namespace

TEST(ByteOrderMarkLine, ALineOfOnlyAMarkPastTheStartReadsAsAnEmptyLineInEveryFormatAndReader) {
    ScriptedUi ui;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray& m = kMark;
    const struct {
        const char* what;
        Format format;
        QByteArray plain;      // the file without the lines of a mark
        QByteArray withMarks;  // the same with them
    } cases[] = {
        {"between rows, CR LF", Format::Scn, "ListViewScanResults\r\n1a\tb\tc\t\r\n0d\te\tf\t\r\n",
         "ListViewScanResults\r\n" + m + "\r\n1a\tb\tc\t\r\n" + m + "\r\n0d\te\tf\t\r\n"},
        {"after a mark that starts the file, LF, last line without its end", Format::Scn,
         m + "ListViewScanResults\n1a\tb\tc\t\n", m + "ListViewScanResults\n1a\tb\tc\t\n" + m},
        {"lone CR, in a Windows-1252 file", Format::Sim, "ListViewSimResults\r1Caf\xE9\t\r0x\t\r",
         "ListViewSimResults\r" + m + "\r1Caf\xE9\t\r" + m + "\r" + m + "\r0x\t\r"},
        {"between entries", Format::M3U, "#EXTM3U\r\n#EXTINF:1,A\r\n/a.mp3\r\n#EXTINF:2,B\r\n/b.mp3\r\n",
         "#EXTM3U\r\n" + m + "\r\n#EXTINF:1,A\r\n/a.mp3\r\n" + m + "\r\n#EXTINF:2,B\r\n/b.mp3\r\n" + m + "\r\n"},
        {"last line, without its end, after a title line", Format::M3U,
         "#EXTM3U\n#EXTINF:1,A\n/a.mp3\n#EXTINF:2\nCut off\n",
         "#EXTM3U\n#EXTINF:1,A\n/a.mp3\n#EXTINF:2\nCut off\n" + m},
        {"in a Windows-1252 file", Format::M3U, "#EXTM3U\n#EXTINF:1,Caf\xE9\n/a.mp3\n",
         "#EXTM3U\n" + m + "\n#EXTINF:1,Caf\xE9\n/a.mp3\n" + m + "\n"},
        {"between keys", Format::PLS, "[playlist]\r\nFile1=/a.mp3\r\nTitle1=A\r\nNumberOfEntries=1\r\nVersion=2\r\n",
         m + "[playlist]\r\n" + m + "\r\nFile1=/a.mp3\r\n" + m + "\r\nTitle1=A\r\n" + m + "\r\nNumberOfEntries=1\r\n" +
             m + "\r\nVersion=2\r\n" + m},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(Name(c.format)) + ": " + c.what);
        const QString path = dir.filePath(QStringLiteral("list.") + QLatin1String(Name(c.format)));
        std::vector<Reader> readers{Reader::File};
        if (c.format == Format::M3U || c.format == Format::PLS) readers.push_back(Reader::Bytes);
        std::vector<QStringList> read;
        for (const Reader reader : readers) {
            SCOPED_TRACE(reader == Reader::File ? "on a file" : "on bytes");
            const QStringList expected = Read(c.format, reader, path, c.plain);
            // Rows, or the format and entries: the file without marks reads.
            EXPECT_GT(expected.size(), c.format == Format::Scn || c.format == Format::Sim ? 0 : 1);
            read.push_back(Read(c.format, reader, path, c.withMarks));
            EXPECT_EQ(read.back(), expected);
        }
        // The reader of the file and the reader of its bytes agree.
        if (read.size() == 2) {
            EXPECT_EQ(read[0], read[1]);
        }
    }
    EXPECT_TRUE(ui.shown.empty());
}
