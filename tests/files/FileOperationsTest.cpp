// Delete (for good and to the trash), rename/move with its dialogue,
// file-name cleaning, read-only clearing and the atomic rewrite.

#include "FilesTestSupport.h"
#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/NativePath.h"
#include "foundation/OptionRecords.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedUi.h"

#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace filetest;

namespace {

const QString kBlankLine = QStringLiteral("\r\n\r\n");

// The trash as a desktop session would use it, inside a temporary home.
class TrashHome {
public:
    TrashHome() : m_oldHome(qgetenv("HOME")) {
        qputenv("HOME", home.path().toUtf8());
        QStandardPaths::setTestModeEnabled(false);
    }
    ~TrashHome() {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("HOME", m_oldHome);
    }
    QString trashFiles() const { return home.file("data") + "/Trash/files"; }
    TempHome home;

private:
    QByteArray m_oldHome;
};

// Rename hook for failures a single machine cannot produce on demand.
int g_forcedErrno = 0;
int g_hookCalls = 0;
int ForcedRename(const char*, const char*, unsigned) {
    ++g_hookCalls;
    return g_forcedErrno;
}
struct ForceRenameError {
    explicit ForceRenameError(int err) {
        g_forcedErrno = err;
        g_hookCalls = 0;
        SetRenameFunctionForTesting(&ForcedRename);
    }
    ~ForceRenameError() { SetRenameFunctionForTesting(nullptr); }
};

class FileOperations : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    ScriptedUi ui;
};

}  // namespace

// ---- delete ------------------------------------------------------------------------

TEST_F(FileOperations, DeleteForGood) {
    WriteBytes(path("plain.mp3"), "x");
    WriteBytes(path("locked.mp3"), "x");
    SetMode(path("locked.mp3"), 0444);
    WriteBytes(path("target.mp3"), "x");
    ASSERT_EQ(::symlink("target.mp3", QFile::encodeName(path("link.mp3")).constData()), 0);

    EXPECT_TRUE(DeleteFile(dir.path(), "plain.mp3", false));
    EXPECT_FALSE(Exists(path("plain.mp3")));

    EXPECT_TRUE(DeleteFile(dir.path(), "never-there.mp3", false));

    EXPECT_FALSE(DeleteFile(dir.path(), "locked.mp3", false)) << "a read-only file is not deleted for good";
    EXPECT_TRUE(Exists(path("locked.mp3")));

    EXPECT_TRUE(DeleteFile(dir.path(), "link.mp3", false));
    EXPECT_FALSE(Exists(path("link.mp3")));
    EXPECT_TRUE(Exists(path("target.mp3"))) << "only the link goes";

    EXPECT_TRUE(DeleteFile(path("target.mp3"), QString(), false)) << "a full path with an empty name";
    EXPECT_FALSE(Exists(path("target.mp3")));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FileOperations, DeleteToTrashKeepsTheFileRecoverable) {
    TrashHome trash;
    const QString file = trash.home.file("music/song.mp3");
    WriteBytes(file, "song bytes");
    SetMode(file, 0444);  // read-only files may go to the trash

    EXPECT_TRUE(DeleteFile(trash.home.file("music"), "song.mp3", true));
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ(ReadBytes(trash.trashFiles() + "/song.mp3"), "song bytes");
}

TEST_F(FileOperations, FailedMoveToTrashNeverDeletesForGood) {
    TrashHome trash;
    // The trash cannot be made: its parent is a file.
    WriteBytes(trash.home.file("blocker"), "");
    qputenv("XDG_DATA_HOME", trash.home.file("blocker/data").toUtf8());
    const QString file = trash.home.file("music/song.mp3");
    WriteBytes(file, "song bytes");

    EXPECT_FALSE(DeleteFile(trash.home.file("music"), "song.mp3", true));
    EXPECT_EQ(ReadBytes(file), "song bytes");
}

TEST_F(FileOperations, DeleteGoesWhereTheCallerSaysWhateverTheProgramWideOption) {
    TrashHome trash;
    ScopedOptions global;
    const QString music = trash.home.file("music");
    for (const bool toTrash : {false, true}) {
        SCOPED_TRACE(toTrash ? "to the trash" : "for good");
        Options().Preferences.blnUseRecycleBin = !toTrash;
        const QString name = toTrash ? QStringLiteral("recycled.mp3") : QStringLiteral("deleted.mp3");
        WriteBytes(music + "/" + name, "song bytes");
        EXPECT_TRUE(DeleteFile(music, name, toTrash));
        EXPECT_FALSE(Exists(music + "/" + name));
        EXPECT_EQ(Exists(trash.trashFiles() + "/" + name), toTrash);
    }
}

TEST_F(FileOperations, NamesThatAreNotUtf8ReachTheRealFile) {
    // Names as an old disk holds them: Latin-1 bytes, kept in the path text.
    TrashHome trash;
    const QString music = trash.home.file("music");
    const QByteArray folderBytes = NativePath(music);
    ASSERT_EQ(::mkdir(folderBytes.constData(), 0755), 0);
    auto make = [&](const QByteArray& name) {
        const QByteArray path = folderBytes + '/' + name;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::write(fd, "song bytes", 10), 10);
        ::close(fd);
        return PathFromNative(name);
    };
    auto readNative = [](const QByteArray& path) {
        char buffer[256];
        const int fd = ::open(path.constData(), O_RDONLY);
        if (fd < 0) return QByteArray("<missing>");
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        ::close(fd);
        return QByteArray(buffer, n > 0 ? int(n) : 0);
    };
    auto present = [&](const QByteArray& name) {
        struct stat st {};
        return ::lstat((folderBytes + '/' + name).constData(), &st) == 0;
    };

    const QString gone = make("caf\xE9.mp3");
    EXPECT_TRUE(FileExists(JoinPath(music, gone)));
    EXPECT_TRUE(DeleteFile(music, gone, false));
    EXPECT_FALSE(present("caf\xE9.mp3"));
    {
        const QString kept = make("Don\x92t.mp3");
        EXPECT_TRUE(DeleteFile(music, kept, true));
        EXPECT_FALSE(present("Don\x92t.mp3"));
        const QByteArray trashFiles = NativePath(trash.trashFiles());
        EXPECT_EQ(readNative(trashFiles + "/Don\x92t.mp3"), "song bytes");
        const QByteArray info = readNative(NativePath(trash.home.file("data")) + "/Trash/info/Don\x92t.mp3.trashinfo");
        EXPECT_TRUE(info.startsWith("[Trash Info]\nPath=" + folderBytes.toPercentEncoding("/") + "/Don%92t.mp3\n"))
            << info.constData();
    }
    const QString moved = make("\xC0 moi.mp3");
    EXPECT_TRUE(MoveFile(JoinPath(music, moved), JoinPath(music, QStringLiteral("renamed.mp3"))));
    EXPECT_FALSE(present("\xC0 moi.mp3"));
    EXPECT_EQ(ReadBytes(JoinPath(music, QStringLiteral("renamed.mp3"))), "song bytes");
    EXPECT_TRUE(ui.shown.empty());
}

// ---- move --------------------------------------------------------------------------

TEST_F(FileOperations, MoveRefusalsAndTheirMessages) {
    QDir(dir.path()).mkdir("other");
    WriteBytes(path("a.mp3"), "a");
    struct Case {
        const char* what;
        QString from, to, text, title;
    };
    const std::vector<Case> cases = {
        {"missing source, same folder", path("gone.mp3"), path("new.mp3"),
         "gone.mp3" + kBlankLine + "Source file no longer exists.", "Error Renaming File"},
        {"missing source, other folder", path("gone.mp3"), path("other/new.mp3"),
         "gone.mp3" + kBlankLine + "Source file no longer exists.", "Error Moving File"},
        {"missing destination folder", path("a.mp3"), path("nowhere/new.mp3"),
         "new.mp3" + kBlankLine + "Folder for destination file doesn't exist.", "Error Moving File"},
        {"destination is a folder", path("a.mp3"), path("other"),
         "a.mp3" + kBlankLine + "File operation was unsuccessful.", "Error Renaming File"},
    };
    for (const Case& c : cases) {
        ui.shown.clear();
        EXPECT_FALSE(MoveFile(c.from, c.to)) << c.what;
        ASSERT_EQ(ui.shown.size(), 1u) << c.what;
        EXPECT_EQ(ui.shown[0].prompt, c.text) << c.what;
        EXPECT_EQ(ui.shown[0].title, c.title) << c.what;
        EXPECT_EQ(ui.shown[0].style, Mb::OKOnly | Mb::Exclamation) << c.what;
        EXPECT_EQ(ReadBytes(path("a.mp3")), "a") << c.what;
    }
    ui.shown.clear();
    EXPECT_FALSE(MoveFile(path("a.mp3"), path("a.mp3")));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FileOperations, MoveRenamesAndMovesWithoutAsking) {
    QDir(dir.path()).mkdir("other");
    WriteBytes(path("a.mp3"), "a");
    EXPECT_TRUE(MoveFile(path("a.mp3"), path("b.mp3")));
    EXPECT_TRUE(MoveFile(path("b.mp3"), path("other/c.mp3")));
    EXPECT_EQ(ReadBytes(path("other/c.mp3")), "a");
    EXPECT_EQ(Names(dir.path()), QStringList{"other"});
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FileOperations, OverwriteQuestionNamesBothSizes) {
    struct Case {
        qint64 sourceSize, destinationSize;
        QString sizes;  // what the question shows
    };
    const std::vector<Case> cases = {
        {3000, 1600, "(2KB) already exists. Overwrite with new file (3KB)?"},
        {100, 511, "(0KB) already exists. Overwrite with new file (0KB)?"},
        {5 * 1024 * 1024, 2000, "(2KB) already exists. Overwrite with new file (5,120KB)?"},
    };
    for (const Case& c : cases) {
        WriteBytes(path("src.mp3"), QByteArray(int(std::min<qint64>(c.sourceSize, 4096)), 's'));
        ::truncate(QFile::encodeName(path("src.mp3")).constData(), c.sourceSize);
        WriteBytes(path("dst.mp3"), QByteArray(int(c.destinationSize), 'd'));
        ui.shown.clear();
        ui.answers = {Mb::No};
        EXPECT_FALSE(MoveFile(path("src.mp3"), path("dst.mp3")));
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].prompt, "'" + path("dst.mp3") + "' " + c.sizes);
        EXPECT_EQ(ui.shown[0].title, "File Already Exists");
        EXPECT_EQ(ui.shown[0].style, Mb::YesNo | Mb::Exclamation);
        EXPECT_EQ(QFileInfo(path("dst.mp3")).size(), c.destinationSize) << "No keeps the destination";
        EXPECT_EQ(QFileInfo(path("src.mp3")).size(), c.sourceSize);
    }
}

TEST_F(FileOperations, YesReplacesTheDestinationEvenWhenReadOnly) {
    WriteBytes(path("src.mp3"), "new");
    WriteBytes(path("dst.mp3"), "old");
    SetMode(path("dst.mp3"), 0444);
    ui.answers = {Mb::Yes};
    EXPECT_TRUE(MoveFile(path("src.mp3"), path("dst.mp3")));
    EXPECT_EQ(ReadBytes(path("dst.mp3")), "new");
    EXPECT_EQ(Names(dir.path()), QStringList{"dst.mp3"});
}

TEST_F(FileOperations, YesOntoAnotherNameOfTheSameFileKeepsTheFile) {
    WriteBytes(path("a.mp3"), "only copy");
    ASSERT_EQ(::link(QFile::encodeName(path("a.mp3")).constData(), QFile::encodeName(path("b.mp3")).constData()), 0);
    ui.answers = {Mb::Yes};
    EXPECT_TRUE(MoveFile(path("a.mp3"), path("b.mp3")));
    EXPECT_EQ(Names(dir.path()), QStringList{"b.mp3"});
    EXPECT_EQ(ReadBytes(path("b.mp3")), "only copy");
}

TEST_F(FileOperations, OneFileSpelledTwoWaysIsNeverDeleted) {
    // The destination path reaches the source's own directory entry (through
    // "./" or a linked folder), or is a link to the source: whatever the
    // answer, the file must survive.
    QDir(dir.path()).mkdir("real");
    ASSERT_EQ(::symlink("real", QFile::encodeName(path("alias")).constData()), 0);
    struct Case {
        const char* what;
        QString destination;
    };
    const std::vector<Case> sameEntry = {
        {"dot folder", path("real/./a.mp3")},
        {"doubled slash", path("real//a.mp3")},
        {"linked folder", path("alias/a.mp3")},
    };
    for (const Case& c : sameEntry) {
        WriteBytes(path("real/a.mp3"), "only copy");
        ui.shown.clear();
        ui.answers = {Mb::Yes};
        EXPECT_FALSE(MoveFile(path("real/a.mp3"), c.destination)) << c.what;
        EXPECT_EQ(ReadBytes(path("real/a.mp3")), "only copy") << c.what;
        EXPECT_EQ(Names(path("real")), QStringList{"a.mp3"}) << c.what;
    }

    // A link at the destination that points to the source: Yes replaces the
    // link by the file.
    ASSERT_EQ(::symlink("real/a.mp3", QFile::encodeName(path("link.mp3")).constData()), 0);
    ui.shown.clear();
    ui.answers = {Mb::Yes};
    EXPECT_TRUE(MoveFile(path("real/a.mp3"), path("link.mp3")));
    EXPECT_FALSE(QFileInfo(path("link.mp3")).isSymLink());
    EXPECT_EQ(ReadBytes(path("link.mp3")), "only copy");
    EXPECT_TRUE(Names(path("real")).isEmpty());
}

TEST_F(FileOperations, CaseOnlyRenameAsksNothingAndLeavesNoIntermediate) {
    WriteBytes(path("Song.mp3"), "tune");
    EXPECT_TRUE(MoveFile(path("Song.mp3"), path("song.mp3")));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(Names(dir.path()), QStringList{"song.mp3"});
    EXPECT_EQ(ReadBytes(path("song.mp3")), "tune");

    // A different file whose name differs only in case is another file here.
    WriteBytes(path("SONG.mp3"), "other");
    ui.answers = {Mb::No};
    EXPECT_FALSE(MoveFile(path("SONG.mp3"), path("song.mp3")));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "File Already Exists");
    EXPECT_EQ(ReadBytes(path("song.mp3")), "tune");
}

TEST_F(FileOperations, MoveAcrossFileSystemsCopiesSyncsThenRemovesTheSource) {
    struct stat here {}, shm {};
    if (::stat("/dev/shm", &shm) != 0 || ::stat(QFile::encodeName(dir.path()).constData(), &here) != 0 ||
        shm.st_dev == here.st_dev || ::access("/dev/shm", W_OK) != 0)
        GTEST_SKIP() << "no second file system at /dev/shm";
    QTemporaryDir other(QStringLiteral("/dev/shm/sv-move-XXXXXX"));
    ASSERT_TRUE(other.isValid());
    WriteBytes(path("a.mp3"), QByteArray(200000, 'a'));
    SetMode(path("a.mp3"), 0640);
    const struct timespec times[2] = {{1000000000, 0}, {1100000000, 0}};
    ::utimensat(AT_FDCWD, QFile::encodeName(path("a.mp3")).constData(), times, 0);

    EXPECT_TRUE(MoveFile(path("a.mp3"), other.filePath("a.mp3")));
    EXPECT_FALSE(Exists(path("a.mp3")));
    EXPECT_EQ(ReadBytes(other.filePath("a.mp3")), QByteArray(200000, 'a'));
    EXPECT_EQ(ModeOf(other.filePath("a.mp3")), 0640u);
    EXPECT_EQ(QFileInfo(other.filePath("a.mp3")).lastModified().toSecsSinceEpoch(), 1100000000);
    EXPECT_EQ(Names(other.path()), QStringList{"a.mp3"});
}

TEST_F(FileOperations, CrossDevicePathReplacesOnlyAfterYes) {
    ForceRenameError exdev(EXDEV);
    QDir(dir.path()).mkdir("other");
    WriteBytes(path("a.mp3"), "moved");
    EXPECT_TRUE(MoveFile(path("a.mp3"), path("other/a.mp3")));
    EXPECT_GE(g_hookCalls, 1);
    EXPECT_EQ(ReadBytes(path("other/a.mp3")), "moved");
    EXPECT_EQ(Names(dir.path()), QStringList{"other"});

    WriteBytes(path("b.mp3"), "second");
    ui.answers = {Mb::No};
    EXPECT_FALSE(MoveFile(path("b.mp3"), path("other/a.mp3")));
    EXPECT_EQ(ReadBytes(path("other/a.mp3")), "moved");
    ui.answers = {Mb::Yes};
    EXPECT_TRUE(MoveFile(path("b.mp3"), path("other/a.mp3")));
    EXPECT_EQ(ReadBytes(path("other/a.mp3")), "second");
    EXPECT_EQ(Names(path("other")), QStringList{"a.mp3"});
    EXPECT_EQ(Names(dir.path()), QStringList{"other"});
}

TEST_F(FileOperations, FailedRenameLeavesTheSourceAndReports) {
    WriteBytes(path("a.mp3"), "a");
    {
        ForceRenameError taken(EEXIST);  // someone took the name meanwhile
        EXPECT_FALSE(MoveFile(path("a.mp3"), path("b.mp3")));
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].prompt, "a.mp3" + kBlankLine + "File operation was unsuccessful.");
    }
    ui.shown.clear();
    {
        ForceRenameError denied(EACCES);
        EXPECT_FALSE(MoveFile(path("a.mp3"), path("b.mp3")));
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].prompt, "a.mp3" + kBlankLine + "Path/File access error.");
        EXPECT_EQ(ui.shown[0].title, "Error Renaming File");
    }
    {
        ForceRenameError io(EIO);
        try {
            MoveFile(path("a.mp3"), path("b.mp3"));
            ADD_FAILURE() << "a device error goes up the error trail";
        } catch (const SvError& e) {
            EXPECT_EQ(e.number(), ErrNo::DeviceIO);
            EXPECT_TRUE(e.description().endsWith("|MoveFile;" + path("a.mp3") + ";" + path("b.mp3")));
        }
    }
    EXPECT_EQ(ReadBytes(path("a.mp3")), "a");
}

// ---- names and attributes ------------------------------------------------------------

TEST(FileNames, EnsureFileNameCompatibleRemovesForbiddenCharactersAndExtra) {
    struct Case {
        QString in, extra, out;
    };
    const std::vector<Case> cases = {
        {"  Rock/Pop: Live?  ", "", "RockPop Live"},
        {"a\\b/c:d*e?f\"g<h>i|j", "", "abcdefghij"},
        {"abXaYbab", "ab", "XaYb"},
        {QString("x") + QChar(0) + QStringLiteral(" "), "", "x"},
        {"Track [01]", "", "Track [01]"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        QString name = c.in;
        EXPECT_EQ(EnsureFileNameCompatible(name, c.extra), c.out) << qPrintable(c.in);
        EXPECT_EQ(name, c.out) << "the caller's text is cleaned too";
    }
}

TEST(FileNames, TextBoxFormMovesTheCaretBackOnceWhenSomethingWasRemoved) {
    struct Case {
        QString text;
        int caret;
        bool changed;
        QString result;
        int caretAfter;
    };
    const std::vector<Case> cases = {
        {"ab?", 3, true, "ab", 2},
        {"a??b", 3, true, "ab", 2},  // back by one however many went
        {"?", 0, true, "", 0},
        {"fine", 2, false, "fine", 2},
    };
    for (const Case& c : cases) {
        QString text = c.text;
        int caret = c.caret;
        EXPECT_EQ(EnsureFileNameCompatibleTextBox(text, caret, QString()), c.changed) << qPrintable(c.text);
        EXPECT_EQ(text, c.result);
        EXPECT_EQ(caret, c.caretAfter);
    }
}

TEST(FileAttributes, IsWriteableClearsReadOnlyOnlyWhenForced) {
    QTemporaryDir dir;
    const QString file = dir.filePath("f.mp3");
    WriteBytes(file, "x");
    SetMode(file, 0640);
    EXPECT_TRUE(IsWriteable(file, false));
    EXPECT_EQ(ModeOf(file), 0640u) << "nothing changes on a writable file";

    SetMode(file, 0444);
    EXPECT_FALSE(IsWriteable(file, false));
    EXPECT_EQ(ModeOf(file), 0444u);
    EXPECT_TRUE(IsWriteable(file, true));
    EXPECT_EQ(ModeOf(file), 0644u) << "owner write added, other bits kept";

    try {
        IsWriteable(dir.filePath("missing.mp3"), true);
        ADD_FAILURE() << "a missing file raises";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::FileNotFound);
        EXPECT_TRUE(e.description().endsWith("|IsWriteable;" + dir.filePath("missing.mp3") + ";True"));
    }
}

// ---- atomic rewrite ---------------------------------------------------------------------

TEST(AtomicWrite, ReplacesContentKeepsModeAndFollowsLinks) {
    QTemporaryDir dir;
    const QString file = dir.filePath("list.scn");
    WriteBytes(file, "old old old");
    SetMode(file, 0640);
    ASSERT_EQ(::symlink("list.scn", QFile::encodeName(dir.filePath("link.scn")).constData()), 0);

    WriteFileAtomically(dir.filePath("link.scn"), "new");
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_EQ(ModeOf(file), 0640u);
    EXPECT_TRUE(QFileInfo(dir.filePath("link.scn")).isSymLink()) << "the link stays a link";
    EXPECT_EQ(Names(dir.path()), (QStringList{"link.scn", "list.scn"}));

    WriteFileAtomically(dir.filePath("fresh.scn"), "made");
    EXPECT_EQ(ReadBytes(dir.filePath("fresh.scn")), "made");
}

TEST(AtomicWrite, FailureLeavesTheOldFileAndNoTemporaryFile) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("taken");
    WriteBytes(dir.filePath("taken/inside"), "keep");
    try {
        WriteFileAtomically(dir.filePath("taken"), "data");
        ADD_FAILURE() << "replacing a folder must fail";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::PathFileAccess);
    }
    EXPECT_EQ(ReadBytes(dir.filePath("taken/inside")), "keep");
    EXPECT_EQ(Names(dir.path()), QStringList{"taken"});

    EXPECT_THROW(WriteFileAtomically(dir.filePath("no/such/folder/file"), "data"), SvError);
}
