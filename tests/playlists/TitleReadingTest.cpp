// Titles read for Auto-Tidy by the reader threads (one open per file, only
// the first block and the last 128 bytes) against the titles of the full tag
// reader, on a table of tag shapes; and a file whose read fails on a reader
// thread, which is read again in turn and reported as before.

#include "playlists/AutoTidy.h"
#include "playlists/PlaylistTestSupport.h"
#include "playlists/TitleReading.h"

#include "../scanjob/ScanJobSupport.h"
#include "foundation/JobHost.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

QByteArray Utf16Body(const QString& text) {
    QByteArray body("\x01\xFF\xFE", 3);
    for (const QChar c : text) {
        body += char(c.unicode() & 0xFF);
        body += char(c.unicode() >> 8);
    }
    return body + QByteArray(2, '\0');
}

QByteArray V1(const QString& title, const QString& artist) {
    ID3v1Tag tag;
    tag.Title = title;
    tag.Artist = artist;
    ID3v1Block block = NewID3v1Block();
    FillID3v1Block(block, tag);
    return QByteArray(reinterpret_cast<const char*>(block.data()), kID3v1Size);
}

const QByteArray kAudio(3000, '\x55');

// Reads of files whose names end in "-unreadable.mp3" are refused, as for a
// file whose rights changed since it was listed.
int RefuseUnreadable(const QByteArray& nativePath, bool reading) {
    return reading && nativePath.endsWith("-unreadable.mp3") ? EACCES : 0;
}

struct Shape {
    const char* name;
    QByteArray bytes;
    QString title;  // what Auto-Tidy must make of it
};

std::vector<Shape> Shapes() {
    const QByteArray v2 = ID3v23Tag({{"TIT2", TextBody("Song Two")}, {"TPE1", TextBody("Artist Two")}});
    return {
        {"v2-only.mp3", v2 + kAudio, "Artist Two - Song Two"},
        {"v1-only.mp3", kAudio + V1("Old Song", "Old Artist"), "Old Artist - Old Song"},
        {"both.mp3", v2 + kAudio + V1("Old Song", "Old Artist"), "Artist Two - Song Two"},
        // An empty ID3v2 field is taken from the ID3v1 tag.
        {"v2-artist-v1-title.mp3", ID3v23Tag({{"TPE1", TextBody("Artist Two")}}) + kAudio + V1("Old Song", ""),
         "Artist Two - Old Song"},
        {"utf16.mp3", ID3v23Tag({{"TIT2", Utf16Body(QStringLiteral("Caf\u00e9 \u0416\u0438\u0437\u043d\u044c"))}}) + kAudio,
         QStringLiteral("Caf\u00e9 \u0416\u0438\u0437\u043d\u044c")},
        {"artist-only.mp3", ID3v23Tag({{"TPE1", TextBody("Lone Artist")}}) + kAudio, "Lone Artist"},
        {"none.mp3", kAudio, "none"},
        {"empty.mp3", QByteArray(), "empty"},
        // The title lies past the first block the readers keep in hand.
        {"long-tag.mp3",
         ID3v23Tag({{"COMM", CommentBody("", QByteArray(6000, 'c'))}, {"TIT2", TextBody("Far Title")}}) + kAudio,
         "Far Title"},
        {"padded.mp3", ID3v23Tag({{"TIT2", TextBody("Padded")}}, 5000) + kAudio + V1("", "V1 Artist"),
         "V1 Artist - Padded"},
    };
}

TEST(TitleReadingTest, AutoTidyTitlesEqualThoseOfTheFullTagReaderForEveryTagShape) {
    ScanOptions options;
    MusicFolder folder;
    const std::vector<Shape> shapes = Shapes();
    PlaylistEntries entries;
    // Several rounds of the table, so that the readers overtake each other.
    for (int round = 0; round < 20; ++round)
        for (const Shape& shape : shapes) {
            const QString path = folder.write(QStringLiteral("r%1/%2").arg(round).arg(shape.name), shape.bytes);
            entries.push_back({path, QStringLiteral("stale"), 7});
        }
    PlaylistEntries expected = entries;
    for (size_t i = 0; i < expected.size(); ++i) {
        QString title = expected[i].Title;
        GetTitleFromID3(expected[i].FileName, title, true);
        expected[i].Title = title;
        EXPECT_EQ(title, shapes[i % shapes.size()].title) << shapes[i % shapes.size()].name;
    }
    JobHost job;
    AutoTidyServices services;
    services.askStartFolder = [] { return QString(); };
    const AutoTidyReport report = AutoTidyPlaylist(entries, QString(), job, services);
    EXPECT_FALSE(report.stopped);
    EXPECT_TRUE(report.unfound.empty());
    EXPECT_EQ(entries, expected);

    // One reader alone, file by file, gives the same.
    TitleReader reader(gobjID3v2Tag);
    for (const Shape& shape : shapes) {
        const TitleReading reading = reader.read(folder.file(QStringLiteral("r0/%1").arg(shape.name)));
        const bool named = QString::fromLatin1(shape.name).startsWith(shape.title);
        EXPECT_EQ(reading.outcome, named ? TitleReading::Outcome::Untitled : TitleReading::Outcome::Titled)
            << shape.name;
        if (!named) {
            EXPECT_EQ(reading.title, shape.title) << shape.name;
        }
    }
    EXPECT_EQ(reader.read(folder.file(QStringLiteral("gone.mp3"))).outcome, TitleReading::Outcome::Missing);
    EXPECT_EQ(reader.read(folder.path()).outcome, TitleReading::Outcome::Missing);
}

TEST(TitleReadingTest, AFileThatFailsOnAReaderIsReadAgainInTurnAndReportedOnce) {
    ScanOptions options;
    ScriptedUi ui;
    MusicFolder folder;
    const QByteArray v2 = ID3v23Tag({{"TIT2", TextBody("Song")}, {"TPE1", TextBody("Artist")}});
    PlaylistEntries entries = {
        {folder.write(QStringLiteral("a.mp3"), v2 + kAudio), "a", 1},
        {folder.write(QStringLiteral("b-unreadable.mp3"), v2 + kAudio + V1("V1 Song", "V1 Artist")), "b", 2},
        {folder.write(QStringLiteral("c.mp3"), kAudio), "c", 3},
    };
    PlaylistEntries expected = entries;
    {
        FileFault fault(RefuseUnreadable);
        for (PlaylistEntryInfo& e : expected) GetTitleFromID3(e.FileName, e.Title, true);
        ASSERT_EQ(ui.shown.size(), 1u);
        ui.shown.clear();
        JobHost job;
        const AutoTidyReport report = AutoTidyPlaylist(entries, QString(), job, AutoTidyServices());
        EXPECT_TRUE(report.found.empty() && report.unfound.empty());
    }
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(expected[1].Title, "Artist - Song");  // the ID3v2 tag still read
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].prompt.contains(QLatin1String("b-unreadable.mp3"))) << ui.shown[0].prompt.toStdString();
}

}  // namespace
