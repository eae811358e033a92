// Reading ahead on several threads: the rows (every cell, the order, the
// check marks), the warnings and their order, and the place a stop takes
// effect are those of reading the files one by one on the scan's thread.

#include "ScanJobSupport.h"
#include "foundation/NativePath.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/FolderScan.h"
#include "scanning/engine/ScanResultsModel.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <functional>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Everything a scan leaves behind: the rows and the boxes shown.
struct ScanOutcome {
    std::vector<std::pair<bool, QStringList>> rows;
    QStringList shown;
    int64_t processed = 0;
    bool operator==(const ScanOutcome&) const = default;
};

void PrintTo(const ScanOutcome& o, std::ostream* os) {
    *os << o.rows.size() << " rows, " << o.processed << " files processed";
    for (const auto& [checked, cells] : o.rows) *os << "\n  " << checked << ' ' << cells.join('|').toStdString();
    for (const QString& s : o.shown) *os << "\n  box: " << s.toStdString();
}

// The plans compared with reading on the scan's own thread: several
// readers with a wide window, a short band, and fewer slots than readers.
const std::pair<int, int> kPlans[] = {{8, 256}, {8, 16}, {3, 2}};

class ReadAheadTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (LameAudio().isEmpty()) GTEST_SKIP() << "lame is not installed";
    }

    // Scans `work` (a walked work list) with a plan and records the outcome;
    // `stopAt` stops the scan when the progress reaches that file.
    ScanOutcome scanWith(const std::vector<FolderListEntry>& work, int readers, int window, int64_t stopAt = -1) {
        return scan(readers, window, stopAt, [&](FolderScan& scanner) {
            scanner.workList = work;
            scanner.ConcludeScan();
        });
    }
    // The Scan button's job: the readers start on the files while the walk
    // still finds more.
    ScanOutcome scanFolderWith(const QString& folder, int readers, int window) {
        return scan(readers, window, -1, [&](FolderScan& scanner) { scanner.ScanFolder(folder, true); });
    }
    ScanOutcome scan(int readers, int window, int64_t stopAt, const std::function<void(FolderScan&)>& job) {
        ScriptedUi ui;
        ScanResultsModel model;
        RecordingHost host;
        host.stopAtPosition = stopAt;
        FolderScan scanner{model, host, scanOptions};
        scanner.setReadPlan(readers, window);
        job(scanner);
        ScanOutcome outcome;
        for (int r = 0; r < model.rows(); ++r) outcome.rows.emplace_back(model.isChecked(r), model.rowTexts(r));
        for (const auto& box : ui.shown) outcome.shown << box.title + QStringLiteral(": ") + box.prompt;
        outcome.processed = scanner.filesProcessed();
        return outcome;
    }
    // The outcome of reading on the scan's own thread.  A first read of a
    // file sets its access time (the "Accessed" cell), so the files are read
    // once before: every scan compared then sees the same times.
    ScanOutcome oneByOne(const std::vector<FolderListEntry>& work, int64_t stopAt = -1) {
        scanWith(work, 1, 1);
        return scanWith(work, 1, 1, stopAt);
    }
    std::vector<FolderListEntry> walk(const QString& folder) {
        ScanResultsModel model;
        RecordingHost host;
        FolderScan scanner{model, host, scanOptions};
        scanner.ScanFiles(folder, true);
        return scanner.workList;
    }

    ScanOptions options;
    ScanningCentreOptions scanOptions = FirstRunScanOptions();
};

TEST_F(ReadAheadTest, TheGeneratedCollectionGivesTheSameRows) {
    const QString generator = QStringLiteral(SV_TEST_DATA_DIR "/../../../shared/bench/make_corpus.py");
    if (!QFile::exists(generator)) GTEST_SKIP() << "no collection generator beside the repository";
    MusicFolder music;
    QProcess make;
    make.start(QStringLiteral("/usr/bin/python3"), {generator, music.path(), QStringLiteral("240")});
    ASSERT_TRUE(make.waitForFinished(300000));
    if (make.exitCode() != 0) GTEST_SKIP() << "the generator could not run: " << make.readAllStandardError().toStdString();

    const std::vector<FolderListEntry> work = walk(music.path());
    ASSERT_GE(work.size(), 240u);
    const ScanOutcome one = oneByOne(work);
    ASSERT_EQ(one.rows.size(), work.size());
    EXPECT_TRUE(one.shown.isEmpty());
    for (const auto& [readers, window] : kPlans) {
        SCOPED_TRACE(::testing::Message() << readers << " readers, window " << window);
        EXPECT_EQ(scanWith(work, readers, window), one);
        EXPECT_EQ(scanFolderWith(music.path(), readers, window), one);
    }
}

TEST_F(ReadAheadTest, FailuresFifosVanishedFilesAndLinkLoopsGiveTheSameRowsAndReports) {
    MusicFolder music;
    const ID3v1Tag v1 = SampleID3v1();
    const ID3v2Tag v2 = SampleID3v2();
    for (int i = 0; i < 40; ++i) {
        const QString name = QStringLiteral("%1/%2.mp3").arg(i / 10).arg(i, 2, 10, QLatin1Char('0'));
        if (i % 3 == 0) music.mp3(name, &v1, &v2);
        else if (i % 3 == 1) music.mp3(name, nullptr, &v2);
        else music.mp3(name);
    }
    music.mp3(QStringLiteral("1/a-unreadable.mp3"));
    const QString locked = music.mp3(QStringLiteral("2/b-locked.mp3"));
    SetMode(locked, 0);
    QByteArray broken = ID3v23Tag({{"TIT2", TextBody("x")}});
    broken[8] = 0x7F;  // a tag size past the end of the file
    music.write(QStringLiteral("2/c-broken.mp3"), broken + LameAudio().left(1000));
    music.writeNative("3/" + DeepFolders(22) + "/deep.mp3", LameAudio());
    ASSERT_EQ(::mkfifo(QFile::encodeName(music.file(QStringLiteral("1/fifo.mp3"))).constData(), 0644), 0);
    ASSERT_EQ(::symlink("loop-b.mp3", QFile::encodeName(music.file(QStringLiteral("0/loop-a.mp3"))).constData()), 0);
    ASSERT_EQ(::symlink("loop-a.mp3", QFile::encodeName(music.file(QStringLiteral("0/loop-b.mp3"))).constData()), 0);
    ASSERT_EQ(::symlink("..", QFile::encodeName(music.file(QStringLiteral("0/up"))).constData()), 0);
    ASSERT_EQ(::symlink("00.mp3", QFile::encodeName(music.file(QStringLiteral("0/link.mp3"))).constData()), 0);

    FileFault faults(&FailUnreadable);
    {
        // The whole job, with reads that start while the walk goes on.
        WithoutFileRights noRights;
        const ScanOutcome one = oneByOne(walk(music.path()));
        ASSERT_EQ(one.shown.size(), 4) << ::testing::PrintToString(one);
        for (const auto& [readers, window] : kPlans) {
            SCOPED_TRACE(::testing::Message() << readers << " readers, window " << window << ", from the walk");
            EXPECT_EQ(scanFolderWith(music.path(), readers, window), one);
        }
    }

    std::vector<FolderListEntry> work = walk(music.path());
    // Gone between the walk and the reads: deleted, or a FIFO in the place
    // of a file.
    ASSERT_TRUE(QFile::remove(music.file(QStringLiteral("1/13.mp3"))));
    ASSERT_TRUE(QFile::remove(music.file(QStringLiteral("3/31.mp3"))));
    ASSERT_TRUE(QFile::remove(music.file(QStringLiteral("2/22.mp3"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(music.file(QStringLiteral("2/22.mp3"))).constData(), 0644), 0);
    // And one the work list names that was never there (a playlist's entry).
    work.insert(work.begin() + 20, FolderListEntry{music.file(QStringLiteral("2")), QStringLiteral("never.mp3")});

    WithoutFileRights noRights;
    const ScanOutcome one = oneByOne(work);
    // The reports, in walk order; every other file has its row.
    ASSERT_EQ(one.shown.size(), 4) << ::testing::PrintToString(one);
    EXPECT_TRUE(one.shown[0].contains(QStringLiteral("a-unreadable.mp3")));
    EXPECT_TRUE(one.shown[1].contains(QStringLiteral("b-locked.mp3")));
    EXPECT_TRUE(one.shown[2].contains(QStringLiteral("c-broken.mp3")));
    EXPECT_TRUE(one.shown[3].contains(QStringLiteral("deep.mp3")));
    EXPECT_EQ(one.rows.size(), work.size() - 4);
    for (const auto& [readers, window] : kPlans) {
        SCOPED_TRACE(::testing::Message() << readers << " readers, window " << window);
        EXPECT_EQ(scanWith(work, readers, window), one);
    }
}

TEST_F(ReadAheadTest, AStopLeavesTheRowsOfAScanStoppedAtThatFile) {
    MusicFolder music;
    const ID3v1Tag v1 = SampleID3v1();
    for (int i = 0; i < 60; ++i) music.mp3(QStringLiteral("%1.mp3").arg(i, 2, 10, QLatin1Char('0')), i % 2 ? &v1 : nullptr);
    music.mp3(QStringLiteral("07-unreadable.mp3"));
    const std::vector<FolderListEntry> work = walk(music.path());
    FileFault faults(&FailUnreadable);
    for (int64_t stopAt : {1, 2, 8, 9, 33, 61}) {
        SCOPED_TRACE(::testing::Message() << "stop at file " << stopAt);
        const ScanOutcome one = oneByOne(work, stopAt);
        EXPECT_EQ(one.processed, stopAt - 1);
        for (const auto& [readers, window] : kPlans) {
            SCOPED_TRACE(::testing::Message() << readers << " readers, window " << window);
            EXPECT_EQ(scanWith(work, readers, window, stopAt), one);
        }
    }
}

}  // namespace
