// A run of 1,000 files (every third renamed as well) killed outright
// (SIGKILL) at a random moment: every file is byte for byte either as it
// was under its old name or as the run makes it under its new one, none is
// missing, and the only other files left are hidden ones of the run, which
// the next run removes as it completes the work.
//
// The run itself happens in a child: this test program started again with
// SV_APPLY_CHILD_DIR naming the folder, running only ApplyKillChild.Run.

#include "ApplySupport.h"

#include "foundation/FileUtils.h"
#include "foundation/Genres.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>

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
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SV_APPLY_CHILD_DIR"), killed.path());
    child.setProcessEnvironment(env);
    child.start(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")),
                {QStringLiteral("--gtest_filter=ApplyKillChild.Run")});
    ASSERT_TRUE(child.waitForStarted(30000));
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
