// The raw file handle and the child-process runner.

#include "FilesTestSupport.h"
#include "foundation/FileIO.h"
#include "foundation/Process.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <cerrno>

using namespace filetest;

TEST(RawFile, WritesReadsAndCreates) {
    QTemporaryDir dir;
    const QString file = dir.filePath("track.wav");
    clsFileIO io;
    const char header[] = "RIFF----WAVE";
    EXPECT_FALSE(io.WriteBytes(header, 12)) << "nothing open yet";
    EXPECT_EQ(io.ReadBytes(nullptr, 0), 0);
    EXPECT_FALSE(io.CloseFile());

    ASSERT_TRUE(io.OpenFile(file));
    EXPECT_TRUE(io.WriteBytes(header, 12));
    EXPECT_EQ(io.BytesTransferred(), 12);
    EXPECT_TRUE(io.CloseFile());
    EXPECT_FALSE(io.CloseFile()) << "a second close finds nothing open";
    EXPECT_EQ(ReadBytes(file), "RIFF----WAVE");

    ASSERT_TRUE(io.OpenFile(file));  // existing file: opened at its start, unchanged
    char buffer[32] = {};
    EXPECT_NE(io.ReadBytes(buffer, 4), 0);
    EXPECT_EQ(QByteArray(buffer, io.BytesTransferred()), "RIFF");
    EXPECT_NE(io.ReadBytes(buffer, 32), 0);
    EXPECT_EQ(io.BytesTransferred(), 8);
    EXPECT_NE(io.ReadBytes(buffer, 32), 0) << "the end of the file is no failure";
    EXPECT_EQ(io.BytesTransferred(), 0);
    EXPECT_TRUE(io.CloseFile());
    EXPECT_EQ(ReadBytes(file), "RIFF----WAVE") << "reading changes nothing";

    EXPECT_FALSE(io.OpenFile(dir.filePath("missing/folder/x.wav")));
    EXPECT_FALSE(io.WriteBytes(header, 12));
}

TEST(RawFile, RewriteCutsTheFileToWhatWasWritten) {
    QTemporaryDir dir;
    const QString file = dir.filePath("track.wav");
    WriteBytes(file, QByteArray(1000, 'o'));
    {
        clsFileIO io;
        ASSERT_TRUE(io.OpenFile(file));
        EXPECT_TRUE(io.WriteBytes("new", 3));
        EXPECT_TRUE(io.WriteBytes("data", 4));
    }  // released with the file open: closed like CloseFile
    EXPECT_EQ(ReadBytes(file), "newdata");
}

TEST(RawFile, NoSecondHandleOnAnOpenFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath("track.wav");
    clsFileIO first, second;
    ASSERT_TRUE(first.OpenFile(file));
    EXPECT_FALSE(second.OpenFile(file));
    EXPECT_FALSE(second.WriteBytes("x", 1));
    first.CloseFile();
    EXPECT_TRUE(second.OpenFile(file));
}

TEST(ChildProcess, MissingProgramFailsAtOnce) {
    for (bool wait : {false, true}) {
        clsProcess process;
        EXPECT_FALSE(process.StartNewProcess("/no/such/program", {}, wait));
        EXPECT_FALSE(process.IsRunning());
        EXPECT_EQ(process.ExitCode(), -1);
    }
}

TEST(ChildProcess, WaitKeepsTheEventLoopAliveAndGivesTheExitCode) {
    clsProcess process;
    bool timerRan = false;
    QTimer::singleShot(100, [&] { timerRan = true; });
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(process.StartNewProcess("/bin/sh", {"-c", "sleep 0.6; exit 3"}, true));
    EXPECT_GE(clock.elapsed(), 500);
    EXPECT_TRUE(timerRan) << "events ran while waiting";
    EXPECT_FALSE(process.IsRunning());
    EXPECT_EQ(process.ExitCode(), 3);
}

TEST(ChildProcess, ArgumentsReachTheChildUnchangedAndUnexpanded) {
    QTemporaryDir dir;
    const QString out = dir.filePath("args.txt");
    const QStringList arguments = {"plain", "with blanks", "\"double\" and 'single'", "$(touch " + dir.filePath("pwned") + ")",
                                   "`id`", "a;b|c&d", "", "tab\there", "*.mp3"};
    clsProcess process;
    // The script prints each argument it got on its own line.
    ASSERT_TRUE(process.StartNewProcess("/bin/sh", QStringList{"-c", "printf '%s\\n' \"$@\" > \"$0\"", out} + arguments, true));
    EXPECT_EQ(process.ExitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(ReadBytes(out)), arguments.join('\n') + '\n');
    EXPECT_FALSE(QFile::exists(dir.filePath("pwned")));
}

TEST(ChildProcess, DestroyingTheRunnerEndsARunningChild) {
    qint64 pid = 0;
    {
        clsProcess process;
        ASSERT_TRUE(process.StartNewProcess("sleep", {"30"}, false));
        EXPECT_TRUE(process.IsRunning());
        pid = process.ProcessId();
        ASSERT_GT(pid, 0);
    }
    EXPECT_EQ(::kill(pid_t(pid), 0), -1);
    EXPECT_EQ(errno, ESRCH);
}
