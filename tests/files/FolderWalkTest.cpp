// The folder walk and the recursive search on a real temporary tree: mask
// matching, attribute masks, order, links, loops and FIFOs, stopping.

#include "FilesTestSupport.h"
#include "foundation/FileDetails.h"
#include "foundation/FileUtils.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace filetest;

namespace {

using Entries = std::vector<std::pair<QString, QString>>;

Entries Flatten(const std::vector<FolderListEntry>& list, const QString& root) {
    Entries out;
    for (const FolderListEntry& e : list) {
        QString folder = e.Folder;
        if (folder.startsWith(root)) folder = QStringLiteral("~") + folder.mid(root.size());
        out.emplace_back(folder, e.FileName);
    }
    return out;
}

class FolderWalk : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        root = dir.path();
        for (const char* name : {"b.mp3", "A.MP3", "c.Mp3", ".hidden.mp3", "readonly.mp3", "notes.txt", "*.mp3",
                                 "[Live].mp3", "Sub/d.mp3", "Sub/deeper/e.mp3", ".hiddendir/f.mp3", "ro_dir/g.mp3",
                                 "a_sub/h.mp3"})
            WriteBytes(root + QLatin1Char('/') + QLatin1String(name), "x");
        SetMode(root + "/readonly.mp3", 0444);
        SetMode(root + "/ro_dir", 0555);
        ASSERT_EQ(::mkfifo(QFile::encodeName(root + "/fifo.mp3").constData(), 0644), 0);
        ASSERT_EQ(::symlink("b.mp3", QFile::encodeName(root + "/link-to-b.mp3").constData()), 0);
        ASSERT_EQ(::symlink("nowhere", QFile::encodeName(root + "/dangling.mp3").constData()), 0);
        ASSERT_EQ(::symlink("Sub", QFile::encodeName(root + "/linkdir").constData()), 0);
        ASSERT_EQ(::symlink("..", QFile::encodeName(root + "/Sub/loop").constData()), 0);
    }
    void TearDown() override { SetMode(root + "/ro_dir", 0755); }

    Entries walk(int32_t mask, const QString& pattern, bool recurse, const QString& folder = QString()) {
        std::vector<FolderListEntry> list;
        const bool stop = false;
        GetFolderList(folder.isEmpty() ? root : folder, list, mask, pattern, recurse, stop);
        return Flatten(list, root);
    }

    QTemporaryDir dir;
    QString root;
};

}  // namespace

TEST_F(FolderWalk, ScanMaskListsMatchingFilesSortedThenSubfoldersDepthFirst) {
    const Entries expected = {
        {"~", "*.mp3"},       {"~", "[Live].mp3"},     {"~", "A.MP3"},          {"~", "b.mp3"},
        {"~", "c.Mp3"},       {"~", "link-to-b.mp3"},  {"~", "readonly.mp3"},   {"~/a_sub", "h.mp3"},
        {"~/ro_dir", "g.mp3"}, {"~/Sub", "d.mp3"},     {"~/Sub/deeper", "e.mp3"},
    };
    // Hidden files and folders, the FIFO, the dangling link, the folder link
    // and the link loop back to the top are all left out.
    EXPECT_EQ(walk(FileAttribute::ReadOnly, "*.mp3", true), expected);
}

TEST_F(FolderWalk, AttributeMaskDecidesReadOnlyHiddenAndFolderEntries) {
    struct Case {
        const char* what;
        int32_t mask;
        const char* pattern;
        bool recurse;
        QStringList names;  // FileName column only
    };
    const std::vector<Case> cases = {
        {"plain files only: read-only file and read-only folder left out", 0, "*.MP3", true,
         {"*.mp3", "[Live].mp3", "A.MP3", "b.mp3", "c.Mp3", "link-to-b.mp3", "h.mp3", "d.mp3", "e.mp3"}},
        {"hidden allowed: hidden file listed, hidden folder walked", FileAttribute::Hidden | FileAttribute::ReadOnly,
         "*.mp3", true,
         {"*.mp3", ".hidden.mp3", "[Live].mp3", "A.MP3", "b.mp3", "c.Mp3", "link-to-b.mp3", "readonly.mp3", "f.mp3",
          "h.mp3", "g.mp3", "d.mp3", "e.mp3"}},
        {"folder bit with *.*: folders (and the folder link) listed like files", FileAttribute::Directory, "*.*", false,
         {"*.mp3", "[Live].mp3", "A.MP3", "a_sub", "b.mp3", "c.Mp3", "link-to-b.mp3", "linkdir", "notes.txt", "Sub"}},
        {"empty pattern means every file", 0, "", false,
         {"*.mp3", "[Live].mp3", "A.MP3", "b.mp3", "c.Mp3", "link-to-b.mp3", "notes.txt"}},
        {"brackets are plain characters", 0, "[live]*", true, {"[Live].mp3"}},
        {"question mark is one character", 0, "?.mp3", true, {"*.mp3", "A.MP3", "b.mp3", "c.Mp3", "h.mp3", "d.mp3", "e.mp3"}},
    };
    for (const Case& c : cases) {
        QStringList names;
        for (const auto& entry : walk(c.mask, QString::fromUtf8(c.pattern), c.recurse)) names << entry.second;
        EXPECT_EQ(names, c.names) << c.what;
    }
}

TEST_F(FolderWalk, AppendsAfterExistingEntriesAndStripsTrailingSlash) {
    std::vector<FolderListEntry> list{{"keep", "me"}};
    const bool stop = false;
    GetFolderList(root + "/Sub/", list, 0, "*.mp3", false, stop);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].FileName, "me");
    EXPECT_EQ(list[1].Folder, root + "/Sub");
    EXPECT_EQ(list[1].FileName, "d.mp3");
}

TEST_F(FolderWalk, MissingOrEmptyFolderAddsNothing) {
    QDir(root).mkdir("empty");
    EXPECT_TRUE(walk(0, "*.*", true, root + "/empty").empty());
    EXPECT_TRUE(walk(0, "*.*", true, root + "/does-not-exist").empty());
    EXPECT_TRUE(walk(0, "*.*", true, root + "/b.mp3").empty());
}

TEST_F(FolderWalk, StopFlagSetDuringTheWalkEndsEveryLevel) {
    std::vector<FolderListEntry> list;
    bool stop = false;
    // Runs in the walk's first yield to the event loop.
    QTimer::singleShot(0, [&] { stop = true; });
    GetFolderList(root, list, FileAttribute::ReadOnly, "*.mp3", true, stop);
    EXPECT_TRUE(stop);
    EXPECT_LT(list.size(), 11u);

    list.clear();
    GetFolderList(root, list, FileAttribute::ReadOnly, "*.mp3", true, stop);
    EXPECT_TRUE(list.empty()) << "a walk started with the flag set does nothing";
}

TEST_F(FolderWalk, FindFileSearchesDepthFirstAndReportsEachFolder) {
    QStringList status;
    const bool stop = false;
    auto find = [&](const QString& folder, const QString& name) {
        status.clear();
        return FindFile(folder, name, stop, [&](const QString& text) { status << text; });
    };

    EXPECT_EQ(find(root + "/", "B.MP3"), root + "/") << "found in the start folder: returned as passed";
    EXPECT_EQ(status, QStringList{"Searching: " + root + "/"});

    EXPECT_EQ(find(root, "E.mp3"), root + "/Sub/deeper");
    EXPECT_TRUE(status.contains("Searching: " + root + "/Sub/deeper"));
    EXPECT_FALSE(status.filter("/Sub/loop").size()) << "folder links are not followed";

    EXPECT_EQ(find(root, "f.mp3"), root + "/.hiddendir") << "hidden folders are searched";
    EXPECT_EQ(find(root, "[Live].mp3"), root) << "brackets match literally";
    EXPECT_EQ(find(root, "nothing.mp3"), QString());
    EXPECT_EQ(find(root, "fifo.mp3"), QString()) << "a FIFO is no file";
    EXPECT_EQ(find(root + "/missing", "b.mp3"), QString());
}

// What a change of letter case cut short leaves behind (a hiding folder
// holding the file under its long old name, or the file under a hidden
// intermediate name) is no place a playlist's file should be found in; a
// user's own folder of a similar name is searched as any other.
TEST(FindFileLeftovers, TheProgramsOwnCaseChangeLeftoversAreNotSearched) {
    QTemporaryDir top;
    ASSERT_TRUE(top.isValid());
    const QString root = top.path();
    const QString longName = QStringLiteral("s") + QString(245, QLatin1Char('x')) + QStringLiteral(".mp3");
    WriteBytes(root + "/.svcase-k1x9z0a/" + longName, "cut short");
    WriteBytes(root + "/zz/" + longName, "the real one");
    WriteBytes(root + "/.song.mp3.svcase-k1x9z0a", "cut short");
    WriteBytes(root + "/real/song.mp3", "the real one");
    WriteBytes(root + "/.svcase-notes/diary.txt", "a user's own");
    const bool stop = false;
    EXPECT_EQ(FindFile(root, longName, stop, nullptr), root + "/zz");
    EXPECT_EQ(FindFile(root, "*song.mp3*", stop, nullptr), root + "/real");
    EXPECT_EQ(FindFile(root, "diary.txt", stop, nullptr), root + "/.svcase-notes");
    // With nothing else to find, the leftovers are still not found.
    QDir(root + "/zz").removeRecursively();
    QDir(root + "/real").removeRecursively();
    EXPECT_EQ(FindFile(root, longName, stop, nullptr), QString());
    EXPECT_EQ(FindFile(root, "*song.mp3*", stop, nullptr), QString());
}

TEST_F(FolderWalk, FindFileStopsWhenTheFlagIsSet) {
    bool stop = false;
    QTimer::singleShot(0, [&] { stop = true; });
    EXPECT_EQ(FindFile(root, "e.mp3", stop, nullptr), QString());
}

TEST_F(FolderWalk, FileDetailsOfLiteralAndWildcardPaths) {
    SetMode(root + "/*.mp3", 0444);
    // A name that holds "*" is looked up as it stands first.
    EXPECT_EQ(GetFileDetails(root + "/*.mp3").Attributes, "R");
    SetMode(root + "/*.mp3", 0644);
    // A wildcard path gives the first match by name.
    EXPECT_EQ(GetFileDetails(root + "/.hid*").Attributes, "H");
    EXPECT_FALSE(GetFileDetails(root + "/Sub/*.mp3").Modified.isEmpty());
    EXPECT_TRUE(GetFileDetails(root + "/Sub/*.wav").Modified.isEmpty());
}
