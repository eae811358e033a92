// A run of 1,000 files (every third renamed as well) killed outright
// (SIGKILL) at a random moment: every file is byte for byte either as it
// was under its old name or as the run makes it under its new one, none is
// missing, and the only other files left are hidden ones of the run, which
// the next run removes as it completes the work.  And a change of letter
// case killed between its two renames: the next run puts the file back.
//
// The run itself happens in a child: this test program started again with
// SV_APPLY_CHILD_DIR naming the folder, running only ApplyKillChild.Run (or
// SV_APPLY_CASE_CHILD_DIR and ApplyKillChild.CaseChange).

#include "ApplySupport.h"

#include "foundation/FileUtils.h"
#include "foundation/Genres.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace {

constexpr int kFiles = 1000;

QStringList SongNames(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.mp3")}, QDir::Files, QDir::Name);
}

// Every third file is renamed as well ("track0003.mp3" to "Track0003.mp3").
// The new name and the tags follow from the name alone and a renamed file
// keeps them, so a second run over the folder finishes what the first began.
QString NewName(const QString& name) {
    return name.startsWith(QLatin1String("track")) ? QLatin1Char('T') + name.mid(1) : name;
}

void BuildRows(SimResultsModel& table, const QString& folder) {
    for (const QString& name : SongNames(folder)) {
        const QString number = name.mid(name.size() - 8, 4);
        AddRow(table, folder, {name, NewName(name), QString::number(number.toInt() % 99 + 1),
                               QStringLiteral("Batch Album"), QStringLiteral("Batch Artist"),
                               QStringLiteral("Retitled ") + name.toLower()});
    }
}

ApplySettings KillRunSettings() { return Switches(true, true, true); }

// Three shapes of file, made once through the program's own writers.
std::vector<QByteArray> Templates(const MusicFolder& scratch) {
    ID3v1Tag v1;
    v1.Title = QStringLiteral("Before");
    v1.Genre = 12;
    ID3v2Tag v2;
    v2.Title = QStringLiteral("Before");
    v2.Comment = QStringLiteral("kept");
    return {ReadBytes(scratch.mp3(QStringLiteral("both.mp3"), &v1, &v2)),
            ReadBytes(scratch.mp3(QStringLiteral("v2.mp3"), nullptr, &v2)),
            ReadBytes(scratch.mp3(QStringLiteral("none.mp3")))};
}

std::map<QString, QByteArray> Contents(const QString& folder) {
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) files[name] = ReadBytes(folder + "/" + name);
    return files;
}

void CopyFolder(const QString& from, const QString& to) {
    for (const QString& name : QDir(from).entryList(QDir::Files)) ASSERT_TRUE(QFile::copy(from + "/" + name, to + "/" + name));
}

// The table of the letter-case run: the folder's one MP3 file ("song.mp3",
// say) gets an upper-case first letter ("Song.mp3").
void BuildCaseRow(SimResultsModel& table, const QString& folder) {
    const QStringList songs = SongNames(folder);
    ASSERT_EQ(songs.size(), 1);
    AddRow(table, folder, {songs[0], songs[0].left(1).toUpper() + songs[0].mid(1)});
}

// The rename of a change of letter case that puts the file aside in its
// folder under a hidden name, after which the process dies at once.
int RenameThenDie(const char* from, const char* to, unsigned flags) {
    const int err = ::renameat2(AT_FDCWD, from, AT_FDCWD, to, flags) == 0 ? 0 : errno;
    const char* slash = std::strrchr(from, '/');
    const size_t folder = slash ? size_t(slash - from) + 1 : 0;
    if (err == 0 && std::strncmp(from, to, folder) == 0 && to[folder] == '.') ::raise(SIGKILL);
    return err;
}

// Every file under `folder`, in subfolders too, by its path below it.
std::map<QString, QByteArray> AllFiles(const QString& folder) {
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(folder).relativeFilePath(path)] = ReadBytes(path);
    }
    return files;
}

QStringList Names(const std::map<QString, QByteArray>& files) {
    QStringList names;
    for (const auto& [name, bytes] : files) names << name;
    return names;
}

// Starts this program again as the child `test`, with `variable` naming
// `folder`, and returns once the child has ended.
void RunChild(QProcess& child, const char* variable, const QString& folder, const char* test) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(variable), folder);
    child.setProcessEnvironment(env);
    child.start(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")),
                {QStringLiteral("--gtest_filter=") + QString::fromLatin1(test)});
    ASSERT_TRUE(child.waitForStarted(30000));
}

}  // namespace

TEST(ApplyKillChild, Run) {
    const QString folder = QFile::decodeName(qgetenv("SV_APPLY_CHILD_DIR"));
    if (folder.isEmpty()) GTEST_SKIP() << "runs only as the child of the kill test";
    ScanOptions options;
    ScriptedUi ui;
    InitialiseArrays();
    SimResultsModel table;
    BuildRows(table, folder);
    std::printf("ready\n");
    std::fflush(stdout);
    JobHost host;
    ApplyChanges(table, KillRunSettings(), host);
    std::printf("done\n");
    std::fflush(stdout);
}

TEST(ApplyKillChild, CaseChange) {
    const QString folder = QFile::decodeName(qgetenv("SV_APPLY_CASE_CHILD_DIR"));
    if (folder.isEmpty()) GTEST_SKIP() << "runs only as the child of the letter-case kill test";
    ScanOptions options;
    ScriptedUi ui;
    InitialiseArrays();
    SimResultsModel table;
    BuildCaseRow(table, folder);
    SetRenameFunctionForTesting(&RenameThenDie);
    JobHost host;
    ApplyChanges(table, Switches(true, false, false), host);
    SetRenameFunctionForTesting(nullptr);
    std::printf("not killed\n");
}

// Killed between the two renames of a change of letter case, the next run
// puts the file back under its very name: a short name from its hidden
// intermediate name, a name too long for one from its hiding folder.
TEST(ApplyKill, ACaseChangeKilledBetweenItsTwoRenamesIsPutBackByTheNextRun) {
    if (LameAudio().isEmpty()) GTEST_SKIP() << "lame is not installed";
    const QString longStem = QStringLiteral("song") + QString(242, QLatin1Char('x'));
    ASSERT_EQ(QFile::encodeName(longStem + QStringLiteral(".mp3")).size(), 250);
    struct Case {
        const char* what;
        QString stem;
        bool oldNameTakenMeanwhile;
    };
    const std::vector<Case> cases = {
        {"a short name, the old name free", QStringLiteral("song"), false},
        {"a short name, another file took the old name", QStringLiteral("song"), true},
        {"a long name, the old name free", longStem, false},
        {"a long name, another file took the old name", longStem, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString name = c.stem + QStringLiteral(".mp3");
        const QString renamed = QLatin1Char('S') + name.mid(1);
        ScanOptions options;
        ScriptedUi ui;
        InitialiseArrays();
        MusicFolder scratch, folder;
        const QByteArray audio = ReadBytes(scratch.mp3(QStringLiteral("song.mp3")));
        folder.write(name, audio);
        SimResultsModel table;
        BuildCaseRow(table, folder.path());  // the row knows the file, as a Simulate run's does

        QProcess child;
        ASSERT_NO_FATAL_FAILURE(RunChild(child, "SV_APPLY_CASE_CHILD_DIR", folder.path(), "ApplyKillChild.CaseChange"));
        ASSERT_TRUE(child.waitForFinished(60000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << child.readAllStandardOutput().toStdString();
        // Killed between the renames: the file stands whole, only under
        // something hidden.
        const std::map<QString, QByteArray> left = AllFiles(folder.path());
        ASSERT_EQ(left.size(), 1u) << Names(left).join(", ").toStdString();
        EXPECT_TRUE(left.begin()->first.startsWith(QLatin1Char('.'))) << left.begin()->first.toStdString();
        EXPECT_TRUE(left.begin()->second == audio);

        const QByteArray other = QByteArrayLiteral("a file made while the run lay dead");
        if (c.oldNameTakenMeanwhile) folder.write(name, other);
        JobHost host;
        const ApplyReport report = ApplyChanges(table, Switches(true, false, false), host);
        std::map<QString, QByteArray> expected;
        if (c.oldNameTakenMeanwhile) {
            // Put back beside the other file, which stays; the row no longer
            // names its file and is skipped.
            EXPECT_EQ(report.failed, 1);
            expected = {{name, other}, {c.stem + QStringLiteral(" (2).mp3"), audio}};
        } else {
            // Put back under its old name, where its row finds it and the
            // change of case is carried out.
            EXPECT_EQ(report.failed, 0);
            expected = {{renamed, audio}};
        }
        const std::map<QString, QByteArray> after = AllFiles(folder.path());
        EXPECT_TRUE(Names(after) == Names(expected)) << Names(after).join(", ").toStdString();
        EXPECT_TRUE(after == expected);
        // Nothing hidden is left behind, no folder either.
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                  int(expected.size()));
    }
}

// A row that names a symbolic link renames the link itself; killed between
// the two renames of a change of letter case, the next run puts the link
// itself back (never the file it leads to), whatever the name's length.
TEST(ApplyKill, ALinksCaseChangeKilledBetweenItsTwoRenamesPutsTheLinkItselfBack) {
    if (LameAudio().isEmpty()) GTEST_SKIP() << "lame is not installed";
    struct Case {
        const char* what;
        QString name;
    };
    const std::vector<Case> cases = {
        {"a short name: a hidden intermediate name", QStringLiteral("song.mp3")},
        {"a long name: a hiding folder", QStringLiteral("song") + QString(242, QLatin1Char('x')) + ".mp3"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScanOptions options;
        ScriptedUi ui;
        InitialiseArrays();
        MusicFolder store, folder;
        const QString target = store.mp3(QStringLiteral("target.mp3"));
        const QByteArray audio = ReadBytes(target);
        const QByteArray linkText = QFile::encodeName(target);
        ASSERT_EQ(::symlink(linkText.constData(), QFile::encodeName(folder.file(c.name)).constData()), 0);
        SimResultsModel table;
        BuildCaseRow(table, folder.path());

        QProcess child;
        ASSERT_NO_FATAL_FAILURE(RunChild(child, "SV_APPLY_CASE_CHILD_DIR", folder.path(), "ApplyKillChild.CaseChange"));
        ASSERT_TRUE(child.waitForFinished(60000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << child.readAllStandardOutput().toStdString();
        ASSERT_FALSE(QFileInfo::exists(folder.file(c.name)));

        JobHost host;
        EXPECT_EQ(ApplyChanges(table, Switches(true, false, false), host).failed, 0);
        const QString renamed = QLatin1Char('S') + c.name.mid(1);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{renamed});
        char text[4096];
        const ssize_t n = ::readlink(QFile::encodeName(folder.file(renamed)).constData(), text, sizeof text);
        EXPECT_EQ(QByteArray(text, n > 0 ? qsizetype(n) : 0), linkText);
        EXPECT_EQ(QDir(store.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"target.mp3"});
        EXPECT_TRUE(ReadBytes(target) == audio);
    }
}

TEST(ApplyKill, AKilledRunLeavesEveryFileAsItWasOrAsItShouldBe) {
    if (LameAudio().isEmpty()) GTEST_SKIP() << "lame is not installed";
    ScanOptions options;
    ScriptedUi ui;
    InitialiseArrays();
    MusicFolder scratch, original, expected, killed;
    const std::vector<QByteArray> shapes = Templates(scratch);
    for (int i = 0; i < kFiles; ++i)
        original.write(QString::fromLatin1(i % 3 == 0 ? "track%1.mp3" : "song%1.mp3").arg(i, 4, 10, QLatin1Char('0')),
                       shapes[size_t(i % 7 == 0 ? 2 : i % 5 == 0 ? 1 : 0)]);
    const std::map<QString, QByteArray> before = Contents(original.path());

    // What a whole run makes of the same files, and how long it takes.
    CopyFolder(original.path(), expected.path());
    QElapsedTimer timer;
    timer.start();
    {
        SimResultsModel table;
        BuildRows(table, expected.path());
        JobHost host;
        ASSERT_EQ(ApplyChanges(table, KillRunSettings(), host).failed, 0);
    }
    const qint64 runMs = std::max<qint64>(timer.elapsed(), 20);
    const std::map<QString, QByteArray> after = Contents(expected.path());
    ASSERT_EQ(after.size(), before.size());

    CopyFolder(original.path(), killed.path());
    const quint32 seed = QRandomGenerator::global()->generate();
    const int delayMs = int(QRandomGenerator(seed).bounded(quint32(runMs)));
    SCOPED_TRACE("seed " + std::to_string(seed) + ", kill after " + std::to_string(delayMs) + " ms of about " +
                 std::to_string(runMs));
    QProcess child;
    ASSERT_NO_FATAL_FAILURE(RunChild(child, "SV_APPLY_CHILD_DIR", killed.path(), "ApplyKillChild.Run"));
    QByteArray out;
    while (!out.contains("ready") && child.waitForReadyRead(60000)) out += child.readAllStandardOutput();
    ASSERT_TRUE(out.contains("ready")) << child.readAllStandardError().toStdString();
    QThread::msleep(ulong(delayMs));
    ::kill(pid_t(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished(30000));

    // Each file is as it was under its old name, or as it should be under
    // its new name.  A kill between the new file taking its new name and
    // the old one going leaves both, whole, for the next run to finish.
    int changed = 0, both = 0;
    const std::map<QString, QByteArray> left = Contents(killed.path());
    QSet<QString> accounted;
    for (const auto& [name, bytes] : before) {
        const QString renamed = NewName(name);
        const auto oldFile = left.find(name);
        const auto newFile = left.find(renamed);
        const bool oldThere = oldFile != left.end() && oldFile->second == bytes;
        const bool newThere = newFile != left.end() && newFile->second == after.at(renamed);
        if (renamed == name) {
            ASSERT_NE(oldFile, left.end()) << name.toStdString() << " is missing";
            EXPECT_TRUE(oldThere || newThere) << name.toStdString() << " is half-written";
        } else {
            EXPECT_TRUE(oldThere || newThere) << name.toStdString() << " is missing or half-written";
            EXPECT_TRUE(oldThere || oldFile == left.end()) << name.toStdString() << " changed under its old name";
            EXPECT_TRUE(newThere || newFile == left.end()) << renamed.toStdString() << " is half-written";
            both += oldThere && newThere;
        }
        changed += newThere && !(renamed == name && oldThere);
        accounted << name << renamed;
    }
    for (const auto& [name, bytes] : left) {
        if (!accounted.contains(name)) {
            EXPECT_TRUE(name.startsWith('.') && name.contains(".svtag-")) << name.toStdString();
        }
    }
    std::printf("killed after %d ms: %d of %d files changed, %d under both names, %zu other files left\n", delayMs,
                changed, kFiles, both, left.size() - size_t(kFiles) - size_t(both));

    // The next run finishes the work and leaves nothing behind.
    SimResultsModel table;
    BuildRows(table, killed.path());
    JobHost host;
    // A file left under both names is finished by the run's cleanup before
    // its row comes: that row then finds its old name gone.
    EXPECT_EQ(ApplyChanges(table, KillRunSettings(), host).failed, both);
    EXPECT_TRUE(Contents(killed.path()) == after);
}
