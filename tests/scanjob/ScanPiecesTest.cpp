// The scan's own fast paths checked against the general ones they stand in
// for: time texts, file details from the open file, the header search over a
// block already in memory, and the packed row store.

#include "ScanJobSupport.h"
#include "foundation/FileDetails.h"
#include "foundation/NativePath.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/FileTimeText.h"
#include "scanning/engine/MPEGHeader.h"
#include "scanning/engine/ScanResultsListFile.h"
#include "scanning/engine/ScanResultsModel.h"
#include "support/ScriptedUi.h"

#include <QLocale>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// Restores the default locale after a test changes it.
class DefaultLocale {
public:
    DefaultLocale() : m_old(QLocale()) {}
    ~DefaultLocale() { QLocale::setDefault(m_old); }

private:
    QLocale m_old;
};

TEST(FileTimeText, SameTextsAsTheFoundationInEveryLocale) {
    DefaultLocale keep;
    QRandomGenerator random(68);
    for (const char* name : {"C", "en_US", "en_GB", "de_DE", "fr_FR", "ja_JP", "ar_EG", "ko_KR"}) {
        SCOPED_TRACE(name);
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        FileTimeText times;
        std::vector<int64_t> samples = {0, 1, 43199, 43200, 946684799, 951782400, 1700000000, 4102444800LL};
        for (int i = 0; i < 300; ++i) samples.push_back(int64_t(random.bounded(4102444800.0)));
        for (int64_t s : samples) {
            ASSERT_EQ(times.text(s), ConvertTimeToString(s)) << s;
            ASSERT_EQ(times.text(s), ConvertTimeToString(s)) << s;  // served again from what it keeps
        }
    }
}

TEST(FileTimeText, DetailsOfTheOpenFileMatchThePathReader) {
    MusicFolder folder;
    const QString plain = folder.write(QStringLiteral("plain.mp3"), "abc");
    const QString readOnly = folder.write(QStringLiteral("ro.mp3"), "abc");
    const QString hidden = folder.write(QStringLiteral(".hidden.mp3"), "abc");
    SetMode(readOnly, 0444);
    SetMode(hidden, 0444);
    FileTimeText times;
    for (const QString& path : {plain, readOnly, hidden}) {
        SCOPED_TRACE(path.toStdString());
        FileBytes file;
        ASSERT_TRUE(file.open(path));
        const FileDetails fast = FileDetailsFromStatus(path.section(QLatin1Char('/'), -1), file.status(), times);
        const FileDetails slow = GetFileDetails(path);
        EXPECT_EQ(fast.Attributes, slow.Attributes);
        EXPECT_EQ(fast.Created, slow.Created);
        EXPECT_EQ(fast.Modified, slow.Modified);
        EXPECT_EQ(fast.Accessed, slow.Accessed);
    }
    FileBytes file;
    ASSERT_TRUE(file.open(hidden));
    EXPECT_EQ(FileDetailsFromStatus(QStringLiteral(".hidden.mp3"), file.status(), times).Attributes,
              QStringLiteral("RH"));
}

// A source that holds nothing in memory, so every search reads chunks.
class ChunkedBytes final : public ByteSource {
public:
    explicit ChunkedBytes(QByteArray bytes) : m_inner(std::move(bytes)) {}
    int64_t size() const override { return m_inner.size(); }
    size_t readAt(int64_t offset, uint8_t* buffer, size_t count) override {
        return m_inner.readAt(offset, buffer, count);
    }

private:
    MemoryBytes m_inner;
};

TEST(HeaderSearch, HeldBlockAndChunkedReadsFindTheSameHeader) {
    // A frame header placed around the edges of the first block and of the
    // read chunks, after bytes that hold false syncs.
    const QByteArray header("\xFF\xFB\x90\x64", 4);
    for (int at : {0, 1, 4090, 4092, 4093, 4095, 4096, 4097, 8191, 8192, 8194, 9000}) {
        for (int tailBytes : {0, 1, 2, 3, 200}) {
            SCOPED_TRACE(::testing::Message() << at << " + " << tailBytes);
            QByteArray bytes(at, '\x00');
            for (int i = 0; i + 1 < at; i += 97) bytes[i] = '\xFF';  // 0xFF 0x00: no sync
            bytes += header.left(std::min(4, 1 + tailBytes)) + QByteArray(std::max(0, tailBytes - 3), '\x11');
            MemoryBytes held(bytes);
            ChunkedBytes chunked(bytes);
            uint8_t a[4], b[4];
            const int64_t viaHeld = FindMPEGHeader(held, 0, a);
            const int64_t viaChunks = FindMPEGHeader(chunked, 0, b);
            EXPECT_EQ(viaHeld, viaChunks);
            // Fewer than the header's 4 bytes at the end of the data: no
            // header, whatever the bytes that are there.
            EXPECT_EQ(viaHeld, tailBytes >= 3 ? at : -1);
            if (viaHeld >= 0) {
                EXPECT_EQ(std::memcmp(a, b, 4), 0);
            }
        }
    }
    // And on a file: the search from the held first block agrees with a
    // search that reads everything.
    MusicFolder folder;
    const QByteArray file = ID3v23Tag({{"TIT2", TextBody("t")}}, 3000) + LameAudio();
    const QString path = folder.write(QStringLiteral("a.mp3"), file);
    FileBytes opened;
    ASSERT_TRUE(opened.open(path));
    ChunkedBytes chunked(file);
    bool foundHeld = false, foundChunks = false;
    const MPEGInfo viaFile = AnalyseMPEG(opened, foundHeld);
    const MPEGInfo viaChunks = AnalyseMPEG(chunked, foundChunks);
    EXPECT_TRUE(foundHeld && foundChunks);
    EXPECT_EQ(viaFile.HeaderPosition, viaChunks.HeaderPosition);
    EXPECT_EQ(viaFile.FrameCount, viaChunks.FrameCount);
    EXPECT_EQ(viaFile.LengthMs, viaChunks.LengthMs);
}

ScanRecord SampleRecord(int i) {
    ScanRecord r;
    r.FolderListEntry = {QStringLiteral("/music/Artist %1").arg(i % 7), QStringLiteral("%1 - Song.mp3").arg(i)};
    r.ID3v1Tag = SampleID3v1(QStringLiteral("Title %1").arg(i));
    r.ID3v1Tag.Track = uint8_t(i % 3);
    r.ID3v1Tag.Genre = uint8_t(i % 3 == 0 ? 255 : i % 150);
    r.ID3v2Tag = SampleID3v2(QString(i % 5 * 40, QChar(u'\u00e9')));
    // Rows beyond Latin-1, and one longer than 16-bit text ends can mark.
    if (i % 5 == 4) r.ID3v2Tag.Artist = QStringLiteral("\u65e5\u672c\u306e\u6b4c %1").arg(i);
    if (i == 7) r.ID3v2Tag.Comment = QStringLiteral("0123456789").repeated(7000);
    if (i == 8) r.ID3v2Tag.Comment = QStringLiteral("\u03a9").repeated(70000);
    r.MPEGInfo.FileSize = 5000000000LL + i;
    r.MPEGInfo.HeaderPosition = i;
    r.MPEGInfo.LengthMs = -i;
    r.MPEGInfo.Version = 25;
    r.MPEGInfo.ChannelMode = QStringLiteral("Mono");
    r.FileDetails.Attributes = i % 2 ? QStringLiteral("R") : QString();
    r.FileDetails.Modified = QStringLiteral("01/02/2003 04:05:06");
    return r;
}

TEST(RowStore, StagedRecordsShowTheCellsOfTheirRecords) {
    ScanResultsModel model;
    for (int i = 0; i < 50; ++i) model.stageRecord(SampleRecord(i), i % 4 != 0);
    EXPECT_EQ(model.rows(), 0);
    model.commitStaged();
    ASSERT_EQ(model.rows(), 50);
    for (int i = 0; i < 50; ++i) {
        const ScanRowTexts expected = ScanRecordTexts(SampleRecord(i));
        for (int c = 0; c < kScanColumnCount; ++c) ASSERT_EQ(model.text(i, c), expected[size_t(c)]) << i << "/" << c;
        EXPECT_EQ(model.isChecked(i), i % 4 != 0);
    }
}

TEST(RowStore, RewrittenAndRemovedRowsKeepTheirTextsThroughCompaction) {
    ScanResultsModel model;
    const int rows = 1500;
    // Long cells, so the waste of a few rounds of rewrites is worth compacting.
    auto cell = [](int row, int column, int round) {
        return QStringLiteral("r%1c%2v%3-").arg(row).arg(column).arg(round).repeated(12);
    };
    std::vector<ScanResultsModel::NewRow> fresh;
    for (int r = 0; r < rows; ++r) {
        ScanResultsModel::NewRow row;
        for (int c = 0; c < kScanColumnCount; ++c) row.texts[size_t(c)] = cell(r, c, 0);
        fresh.push_back(row);
    }
    model.appendRows(std::move(fresh));
    for (int round = 1; round <= 3; ++round)
        for (int r = 0; r < rows; ++r) model.setText(r, r % kScanColumnCount, cell(r, r % kScanColumnCount, round));
    model.removeRows(0, rows / 2);
    ASSERT_EQ(model.rows(), rows - rows / 2);
    // Each row still holds its own texts, also after sorting moved the rows.
    auto checkRows = [&] {
        for (int r = 0; r < model.rows(); ++r) {
            const int original = model.text(r, 0).section(QLatin1Char('c'), 0, 0).mid(1).toInt();
            ASSERT_GE(original, rows / 2);
            for (int c = 0; c < kScanColumnCount; ++c)
                ASSERT_EQ(model.text(r, c), cell(original, c, c == original % kScanColumnCount ? 3 : 0))
                    << r << "/" << c;
        }
    };
    checkRows();
    model.sort(0, Qt::DescendingOrder);
    checkRows();
}

TEST(ScanResultsListFile, RowsRoundTripThroughAScanResultsFile) {
    ScriptedUi ui;
    MusicFolder folder;
    ScanResultsModel model;
    for (int i = 0; i < 20; ++i) model.appendRecord(SampleRecord(i), i % 3 != 0);
    model.setText(4, ScanColumn::ID3v2Comment, QStringLiteral("tab\there"));
    model.setText(5, ScanColumn::FileName, PathFromNative("caf\xe9 \x01.mp3"));
    const QString path = folder.file(QStringLiteral("list.scn"));
    WriteListFile(ScanResultsListFile(model), path);
    EXPECT_TRUE(ReadBytes(path).startsWith("ListViewScanResults\r\n"));

    ScanResultsModel loaded;
    loaded.appendRecord(SampleRecord(99));
    ScanResultsListFile list(loaded);
    LoadTextFileToListView(list, path, QStringLiteral("Invalid File"));
    ASSERT_EQ(loaded.rows(), 20);
    for (int r = 0; r < 20; ++r) {
        EXPECT_EQ(loaded.isChecked(r), r % 3 != 0);
        for (int c = 0; c < kScanColumnCount; ++c) {
            ASSERT_EQ(loaded.text(r, c), model.text(r, c)) << r << "/" << c;
        }
    }
    EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
