// One file converted: with the real LAME on short generated audio (outputs
// checked by reading their headers, their modes), and with a stand-in LAME
// script for exit codes, error output, outputs cut short after a clean exit,
// stop, overwrite, the source's deletion and the partial outputs of killed
// conversions.

#include "encoder/Conversion.h"
#include "foundation/AppPaths.h"
#include "foundation/FileUtils.h"
#include "foundation/MessageUi.h"
#include "scanning/engine/MPEGHeader.h"
#include "support/Audio.h"
#include "support/Mp3Recipes.h"
#include "support/QtPrinters.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

EncoderDecoderOptions Defaults() {
    EncoderDecoderOptions o;
    o.lngBitrate = 12;
    o.lngMaximumVBRBitrate = 12;
    o.intQuality = 4;
    o.intTargetBitrateForABR = 128;
    o.lngOutputSamplingFrequency = 1;
    o.blnSameAsInputDirectory = true;
    o.blnEnableVBR = true;
    o.dblHighPassFilteringFreqkHz = 0.001;
    o.dblLowPassFilteringFreqkHz = 50000;
    return o;
}

void WriteFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(data);
}

// Every name in `dir`, hidden ones too.
QStringList Names(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// A stand-in LAME: records its arguments one a line in "args" beside itself,
// then runs `body` with $out set to its last argument.
QString MakeFakeLame(const QString& dir, const QString& body) {
    const QString path = dir + QStringLiteral("/lame");
    WriteFile(path, ("#!/bin/sh\n"
                     "d=$(dirname \"$0\")\n"
                     ": > \"$d/args\"\n"
                     "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$d/args\"; out=$a; done\n" +
                     body + "\n")
                        .toUtf8());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QStringList FakeArgs(const QString& dir) {
    return QString::fromUtf8(ReadBytes(dir + QStringLiteral("/args"))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A file system of 64 KiB mounted at a new folder, seen only by this test
// process (its own mount namespace): a disk that fills up.  Needs root;
// `reason` says why it could not be made.
class TinyFileSystem {
public:
    TinyFileSystem() {
        if (::geteuid() != 0) {
            reason = "needs root";
            return;
        }
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=64k") != 0) {
            reason = std::strerror(errno);
            return;
        }
        m_mounted = true;
    }
    ~TinyFileSystem() {
        if (m_mounted) ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    std::string reason;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

class ConversionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(work.isValid());
        ASSERT_TRUE(tools.isValid());
        folder = work.path();
        // What the stand-in LAMEs write: whole files, which the output check passes.
        Mp3Recipe three;
        three.frames = 3;
        newMp3 = MakeMp3(three);
        newWav = MakeWav(8000, 1, 20);
        WriteFile(tools.path() + QStringLiteral("/new.mp3"), newMp3);
        WriteFile(tools.path() + QStringLiteral("/new.wav"), newWav);
    }
    QString path(const QString& name) const { return folder + QLatin1Char('/') + name; }
    ConversionResult run(const QString& name, ConversionMode mode, const EncoderDecoderOptions& o,
                         bool askFurther = false) {
        return converter.RunLAME(name, folder, mode, askFurther, o, false);
    }

    ScopedOptions keepOptions;
    ScriptedUi ui;
    QTemporaryDir work, tools;
    QString folder;
    bool stop = false;
    LameConverter converter{stop};
    QByteArray newMp3, newWav;
};

// ---- the real LAME ----------------------------------------------------------

class RealLameTest : public ConversionTest {
protected:
    void SetUp() override {
        ConversionTest::SetUp();
        if (LameProgram().isEmpty()) GTEST_SKIP() << "lame is not installed";
        converter.lameProgram = LameProgram();
        WriteFile(path(QStringLiteral("tone.wav")), MakeWav(44100, 2, 400));
    }
};

TEST_F(RealLameTest, EncodesInEveryModeAndTheHeaderSaysSo) {
    struct Case {
        const char* name;
        std::function<void(EncoderDecoderOptions&)> set;
        int32_t version, sampleRate, bitrate;  // bitrate 0: not checked (VBR)
    };
    const Case cases[] = {
        {"VBR", [](auto&) {}, 1, 44100, 0},
        {"CBR 160", [](auto& o) { o.blnEnableVBR = false; o.lngBitrate = 14; }, 1, 44100, 160},
        {"ABR 192", [](auto& o) { o.blnUseABR = true; o.intTargetBitrateForABR = 192; }, 1, 44100, 0},
        {"CBR 32 at 16 kHz (MPEG-2)",
         [](auto& o) {
             o.blnEnableVBR = false;
             o.lngBitrate = 4;
             o.lngOutputSamplingFrequency = 5;
         },
         2, 16000, 32},
        {"mono CBR with filters", [](auto& o) {
             o.blnEnableVBR = false;
             o.lngMode = 5;
             o.blnLowPassFilteringFreq = true;
             o.dblLowPassFilteringFreqkHz = 15.5;
             o.blnHighPassFilteringFreq = true;
             o.dblHighPassFilteringFreqkHz = 0.1;
         }, 1, 44100, 128},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EncoderDecoderOptions o = Defaults();
        c.set(o);
        converter.mblnReplaceAll = true;
        ASSERT_EQ(run(QStringLiteral("tone.wav"), ConversionMode::Encode, o), ConversionResult::Converted);
        EXPECT_TRUE(ui.shown.empty());
        bool found = false;
        const MPEGInfo info = ReadMPEGInfo(path(QStringLiteral("tone.mp3")), found);
        ASSERT_TRUE(found);
        EXPECT_EQ(info.Version, c.version);
        EXPECT_EQ(info.Layer, 3);
        EXPECT_EQ(info.SampleRate, c.sampleRate);
        if (c.bitrate) {
            EXPECT_EQ(info.Bitrate, c.bitrate);
        }
        if (o.lngMode == 5) {
            EXPECT_EQ(info.ChannelMode, QStringLiteral("Mono"));
        }
        EXPECT_EQ(Names(folder), (QStringList{"tone.mp3", "tone.wav"}));  // no temporary file left
    }
}

TEST_F(RealLameTest, DecodesToAWavWithItsHeader) {
    EncoderDecoderOptions o = Defaults();
    o.blnEnableVBR = false;
    ASSERT_EQ(run(QStringLiteral("tone.wav"), ConversionMode::Encode, o), ConversionResult::Converted);
    QFile::rename(path(QStringLiteral("tone.wav")), path(QStringLiteral("original.wav")));
    // A decode with a VBR-tag flag set: "-t" would make LAME leave the header out.
    o.blnEnableVBR = true;
    o.blnDisableVBRTag = true;
    ASSERT_EQ(run(QStringLiteral("tone.mp3"), ConversionMode::Decode, o), ConversionResult::Converted);
    const QByteArray wav = ReadBytes(path(QStringLiteral("tone.wav")));
    ASSERT_GT(wav.size(), 44);
    EXPECT_EQ(wav.left(4), QByteArray("RIFF"));
    EXPECT_EQ(wav.mid(8, 8), QByteArray("WAVEfmt "));
    EXPECT_EQ(qFromLittleEndian<uint16_t>(wav.constData() + 20), 1);  // PCM
    EXPECT_EQ(qFromLittleEndian<uint16_t>(wav.constData() + 22), 2);  // stereo
    EXPECT_EQ(qFromLittleEndian<uint32_t>(wav.constData() + 24), 44100u);
}

TEST_F(RealLameTest, AHostileFileNameIsConvertedSafely) {
    const QString name = QStringLiteral("-x $(touch pwned) 'q\" `id` ;.wav");
    QFile::rename(path(QStringLiteral("tone.wav")), path(name));
    EncoderDecoderOptions o = Defaults();
    o.blnEnableVBR = false;
    ASSERT_EQ(run(name, ConversionMode::Encode, o), ConversionResult::Converted);
    bool found = false;
    ReadMPEGInfo(path(QStringLiteral("-x $(touch pwned) 'q\" `id` ;.mp3")), found);
    EXPECT_TRUE(found);
    EXPECT_FALSE(QFile::exists(QStringLiteral("pwned")));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("pwned"))));
    EXPECT_EQ(Names(folder).size(), 2);
}

TEST_F(RealLameTest, ANewOutputGetsTheUmasksModeAndAReplacedOneKeepsItsModeAndOwner) {
    const QString mp3 = tools.path() + QStringLiteral("/dec.mp3");
    WriteFile(tools.path() + QStringLiteral("/dec.wav"), MakeWav(44100, 2, 300));
    ASSERT_TRUE(RunLame({QStringLiteral("-b"), QStringLiteral("128"), tools.path() + QStringLiteral("/dec.wav"), mp3}));
    QFile::copy(mp3, path(QStringLiteral("dec.mp3")));
    struct Case {
        const char* name;
        mode_t umask;
        int existing;  // the replaced output's mode, -1 for none
        ConversionMode mode;
        unsigned expected;
    };
    const Case cases[] = {
        {"new MP3 under 022", 022, -1, ConversionMode::Encode, 0644},
        {"new WAV under 002", 002, -1, ConversionMode::Decode, 0664},
        {"new MP3 under 027", 027, -1, ConversionMode::Encode, 0640},
        {"replaced MP3 of 0644 under 077", 077, 0644, ConversionMode::Encode, 0644},
        {"replaced WAV of 0604 under 022", 022, 0604, ConversionMode::Decode, 0604},
    };
    const bool root = ::geteuid() == 0;
    EncoderDecoderOptions o = Defaults();
    o.blnEnableVBR = false;
    converter.mblnReplaceAll = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool decoding = c.mode == ConversionMode::Decode;
        const QString output = path(decoding ? QStringLiteral("dec.wav") : QStringLiteral("tone.mp3"));
        QFile::remove(output);
        if (c.existing >= 0) {
            WriteFile(output, "OLD");
            SetMode(output, unsigned(c.existing));
            // Only root can give the file away; the owner is kept where allowed.
            if (root) {
                ASSERT_EQ(::chown(QFile::encodeName(output).constData(), 65534, 65534), 0);
            }
        }
        const mode_t saved = ::umask(c.umask);
        const ConversionResult result =
            run(decoding ? QStringLiteral("dec.mp3") : QStringLiteral("tone.wav"), c.mode, o);
        ::umask(saved);
        ASSERT_EQ(result, ConversionResult::Converted)
            << (ui.shown.empty() ? "" : ui.shown.back().prompt.toStdString());
        EXPECT_EQ(ModeOf(output), c.expected);
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(output).constData(), &st), 0);
        if (c.existing >= 0 && root) {
            EXPECT_EQ(st.st_uid, 65534u);
            EXPECT_EQ(st.st_gid, 65534u);
        }
    }
}

TEST_F(RealLameTest, ADecodeOntoADiskThatFillsUpFailsAndKeepsTheOldOutput) {
    TinyFileSystem disk;
    if (!disk.mounted()) GTEST_SKIP() << "no small file system to fill: " << disk.reason;
    WriteFile(path(QStringLiteral("long.wav")), MakeWav(44100, 2, 2000));
    ASSERT_TRUE(RunLame({QStringLiteral("-b"), QStringLiteral("128"), path(QStringLiteral("long.wav")),
                         path(QStringLiteral("long.mp3"))}));
    const QString output = disk.path() + QStringLiteral("/long.wav");
    WriteFile(output, "OLD");
    EncoderDecoderOptions o = Defaults();
    o.blnSameAsInputDirectory = false;
    o.blnUse = true;
    o.strUseFolder = disk.path();
    o.blnDeleteSourceFile = true;
    converter.mblnReplaceAll = true;
    // LAME runs out of room half way and still ends with exit code 0.
    EXPECT_EQ(run(QStringLiteral("long.mp3"), ConversionMode::Decode, o), ConversionResult::Failed);
    EXPECT_EQ(ReadBytes(output), QByteArray("OLD"));
    EXPECT_EQ(Names(disk.path()), QStringList{"long.wav"});
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("long.mp3"))));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Conversion Failed"));
    EXPECT_TRUE(converter.lastFailure.startsWith(QStringLiteral("The file is cut off")))
        << converter.lastFailure.toStdString();
}

// ---- the stand-in LAME --------------------------------------------------------

TEST_F(ConversionTest, RunsFromAnArgumentVectorWithAbsolutePaths) {
    converter.lameProgram = MakeFakeLame(tools.path(), QStringLiteral("cat \"$d/new.mp3\" > \"$out\""));
    WriteFile(path(QStringLiteral("a b.wav")), "RIFF");
    EncoderDecoderOptions o = Defaults();
    o.strCustomOptions = QStringLiteral("--tt \"A Title\"");
    ASSERT_EQ(converter.RunLAME(QStringLiteral("a b.wav"), folder, ConversionMode::Encode, false, o, false),
              ConversionResult::Converted);
    const QStringList args = FakeArgs(tools.path());
    ASSERT_EQ(args.size(), 11);
    EXPECT_EQ(args.mid(0, 8), (QStringList{"-S", "-b", "128", "-V", "4", "-B", "128", "--tt"}));
    EXPECT_EQ(args[8], QStringLiteral("A Title"));
    EXPECT_EQ(args[9], path(QStringLiteral("a b.wav")));
    EXPECT_TRUE(args[10].startsWith(folder + QStringLiteral("/.a b.mp3."))) << args[10].toStdString();
    EXPECT_EQ(ReadBytes(path(QStringLiteral("a b.mp3"))), newMp3);
    EXPECT_EQ(converter.mstrLAMESwitches, QStringLiteral(" -b 128 -V 4 -B 128 --tt \"A Title\""));
}

TEST_F(ConversionTest, DecodingPassesNoEncodingSwitches) {
    if (LameProgram().isEmpty()) GTEST_SKIP() << "lame is not installed";
    WriteFile(path(QStringLiteral("t.wav")), MakeWav(44100, 1, 200));
    ASSERT_TRUE(RunLame({QStringLiteral("-b"), QStringLiteral("64"), path(QStringLiteral("t.wav")), path(QStringLiteral("t.mp3"))}));
    QFile::remove(path(QStringLiteral("t.wav")));
    converter.lameProgram = MakeFakeLame(tools.path(), QStringLiteral("cat \"$d/new.wav\" > \"$out\""));
    EncoderDecoderOptions o = Defaults();
    o.blnEnableVBR = false;
    o.lngBitrate = 8;  // 64 kbit: allowed for MPEG-1 Layer III
    o.blnDisableVBRTag = true;
    o.lngMode = 5;
    o.blnLowPassFilteringFreq = true;
    ASSERT_EQ(run(QStringLiteral("t.mp3"), ConversionMode::Decode, o), ConversionResult::Converted);
    const QStringList args = FakeArgs(tools.path());
    ASSERT_EQ(args.size(), 4);
    EXPECT_EQ(args[0], QStringLiteral("--decode"));
    EXPECT_EQ(args[1], QStringLiteral("-S"));
    EXPECT_EQ(args[2], path(QStringLiteral("t.mp3")));
    EXPECT_FALSE(args.contains(QStringLiteral("-t")));
}

TEST_F(ConversionTest, AFailedRunLeavesNothingAndReportsLamesLastLine) {
    struct Case {
        const char* body;
        const char* detail;
    };
    const Case cases[] = {
        {"printf 'half' > \"$out\"; echo 'Encoding...' >&2; echo \"Can't init infile 'x'\" >&2; echo >&2; exit 3",
         "Can't init infile 'x'"},
        {"printf 'half' > \"$out\"; kill -9 $$", "LAME ended with exit code -1"},
    };
    WriteFile(path(QStringLiteral("s.wav")), "RIFF");
    EncoderDecoderOptions o = Defaults();
    o.blnDeleteSourceFile = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        ui.shown.clear();
        converter.lameProgram = MakeFakeLame(tools.path(), QString::fromUtf8(c.body));
        EXPECT_EQ(run(QStringLiteral("s.wav"), ConversionMode::Encode, o), ConversionResult::Failed);
        EXPECT_EQ(Names(folder), QStringList{"s.wav"});  // source kept, no output, no temporary file
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].title, QStringLiteral("Conversion Failed"));
        EXPECT_EQ(ui.shown[0].prompt, path(QStringLiteral("s.wav")) +
                                          QStringLiteral("\r\n\r\nLAME could not convert this file. Its last message was:\r\n\r\n") +
                                          QString::fromUtf8(c.detail));
        EXPECT_FALSE(stop);
    }
}

TEST_F(ConversionTest, ACleanExitWithAnOutputCutShortIsAFailureThatKeepsTheOldOutput) {
    const QByteArray wav = MakeWav(44100, 2, 100);
    const QByteArray mp3 = MakeMp3({});
    struct Case {
        const char* name;
        ConversionMode mode;
        QByteArray written;  // what LAME leaves before it exits with 0
        QString reason;
    };
    const Case cases[] = {
        {"decoded WAV cut inside its samples", ConversionMode::Decode, wav.chopped(500),
         QStringLiteral("The file is cut off: it is shorter than its own header says. Bytes expected: %1, bytes "
                        "written: %2")
             .arg(wav.size())
             .arg(wav.size() - 500)},
        {"encoded MP3 cut inside its last frame", ConversionMode::Encode, mp3.chopped(100),
         QStringLiteral("The file is cut off: its last MPEG audio frame is not whole. Bytes expected: %1, bytes "
                        "written: %2")
             .arg(mp3.size())
             .arg(mp3.size() - 100)},
        {"nothing written", ConversionMode::Encode, QByteArray(), QStringLiteral("The file is empty.")},
        {"no WAV header", ConversionMode::Decode, mp3, QStringLiteral("The file has no complete WAV header.")},
    };
    converter.lameProgram = MakeFakeLame(tools.path(), QStringLiteral("cat \"$d/written\" > \"$out\"; exit 0"));
    WriteFile(path(QStringLiteral("e.wav")), wav);
    WriteFile(path(QStringLiteral("d.mp3")), mp3);
    WriteFile(path(QStringLiteral("e.mp3")), "OLD MP3");
    WriteFile(path(QStringLiteral("d.wav")), "OLD WAV");
    EncoderDecoderOptions o = Defaults();
    o.blnDeleteSourceFile = true;
    converter.mblnReplaceAll = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.shown.clear();
        WriteFile(tools.path() + QStringLiteral("/written"), c.written);
        const bool decoding = c.mode == ConversionMode::Decode;
        const QString source = path(decoding ? QStringLiteral("d.mp3") : QStringLiteral("e.wav"));
        EXPECT_EQ(run(FileNamePart(source), c.mode, o), ConversionResult::Failed);
        // The old output byte for byte, the source kept, no temporary file.
        EXPECT_EQ(ReadBytes(path(QStringLiteral("e.mp3"))), QByteArray("OLD MP3"));
        EXPECT_EQ(ReadBytes(path(QStringLiteral("d.wav"))), QByteArray("OLD WAV"));
        EXPECT_EQ(Names(folder), (QStringList{"d.mp3", "d.wav", "e.mp3", "e.wav"}));
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].title, QStringLiteral("Conversion Failed"));
        EXPECT_EQ(ui.shown[0].prompt,
                  source +
                      QStringLiteral("\r\n\r\nLAME ended without an error, but the file it wrote is "
                                     "incomplete, so it was not kept:\r\n\r\n") +
                      c.reason);
        EXPECT_EQ(converter.lastFailure, c.reason);
        EXPECT_FALSE(stop);
    }
}

TEST_F(ConversionTest, PartialOutputsThatKilledConversionsLeftAreSweptButLiveOnesAreKept) {
    WriteFile(path(QStringLiteral("s.wav")), MakeWav(8000, 1, 20));
    WriteFile(path(QStringLiteral("t.wav")), MakeWav(8000, 1, 20));
    // Hidden files of other forms are not ours to remove.
    const QStringList others = {".notes.part", ".s.mp3.part", ".s.mp3.AB12.part", ".s.ogg.AB12cd.part",
                                "s.mp3.AB12cd.part"};
    // The partial outputs of conversions in the folder.
    auto partials = [&] {
        QStringList names = QDir(folder).entryList({QStringLiteral(".*.part")}, QDir::Files | QDir::Hidden, QDir::Name);
        for (const QString& name : others) names.removeAll(name);
        return names;
    };
    const EncoderDecoderOptions o = Defaults();

    // A conversion that dies while LAME writes: its partial output stays
    // behind under the name it was given, held by no one.
    converter.lameProgram = MakeFakeLame(tools.path(), QStringLiteral("cat \"$d/new.mp3\" > \"$out\"; exec sleep 30"));
    QString leftover;
    const QString kept = tools.path() + QStringLiteral("/kept");
    converter.yield = [&] {
        if (!leftover.isEmpty() || partials().isEmpty() || QFileInfo(path(partials()[0])).size() == 0) return;
        leftover = partials()[0];
        ASSERT_EQ(::link(QFile::encodeName(path(leftover)).constData(), QFile::encodeName(kept).constData()), 0);
        converter.mblnEndNow = true;
    };
    ASSERT_EQ(run(QStringLiteral("s.wav"), ConversionMode::Encode, o), ConversionResult::Stopped);
    ASSERT_FALSE(leftover.isEmpty());
    ASSERT_TRUE(QFile::rename(kept, path(leftover)));
    for (const QString& name : others) WriteFile(path(name), "keep");

    // The next run into the folder sweeps it; a second conversion meanwhile
    // (another window or program) leaves the first one's file alone.
    converter.StartRun();
    converter.lameProgram = MakeFakeLame(
        tools.path(), QStringLiteral("cat \"$d/new.mp3\" > \"$out\"; while [ ! -e \"$d/go\" ]; do sleep 0.05; done"));
    QTemporaryDir otherTools;
    bool otherStop = false;
    LameConverter other{otherStop};
    other.lameProgram =
        MakeFakeLame(otherTools.path(), QStringLiteral("cat \"%1/new.mp3\" > \"$out\"").arg(tools.path()));
    QString live;
    converter.yield = [&] {
        if (!live.isEmpty()) return;
        // LAME waits for this, whatever the checks below find.
        const auto release = qScopeGuard([&] { WriteFile(tools.path() + QStringLiteral("/go"), ""); });
        QStringList now = partials();
        EXPECT_FALSE(now.contains(leftover));
        now.removeAll(leftover);
        ASSERT_EQ(now.size(), 1) << now.join(QLatin1Char(' ')).toStdString();
        live = now[0];
        EXPECT_EQ(other.RunLAME(QStringLiteral("t.wav"), folder, ConversionMode::Encode, false, o, false),
                  ConversionResult::Converted);
        EXPECT_TRUE(partials().contains(live));
    };
    EXPECT_EQ(run(QStringLiteral("s.wav"), ConversionMode::Encode, o), ConversionResult::Converted);
    EXPECT_FALSE(live.isEmpty());
    EXPECT_EQ(ReadBytes(path(QStringLiteral("s.mp3"))), newMp3);
    EXPECT_EQ(ReadBytes(path(QStringLiteral("t.mp3"))), newMp3);
    QStringList expected = others + QStringList{"s.mp3", "s.wav", "t.mp3", "t.wav"};
    expected.sort();
    QStringList names = Names(folder);
    names.sort();
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ConversionTest, AMissingLameIsReportedAsNotStarted) {
    WriteFile(path(QStringLiteral("s.wav")), "RIFF");
    converter.lameProgram = tools.path() + QStringLiteral("/no-such-lame");
    EXPECT_EQ(run(QStringLiteral("s.wav"), ConversionMode::Encode, Defaults()), ConversionResult::NotStarted);
    EXPECT_EQ(Names(folder), QStringList{"s.wav"});

    // Beside the program first, then PATH.
    const QString fake = MakeFakeLame(tools.path(), QString());
    SetAppPathForTesting(tools.path());
    EXPECT_EQ(FindLameProgram(), fake);
    SetAppPathForTesting(folder);
    EXPECT_EQ(FindLameProgram(), LameProgram());
    SetAppPathForTesting(QString());
}

TEST_F(ConversionTest, EndingLameAtOnceRemovesItsPartialOutput) {
    converter.lameProgram = MakeFakeLame(tools.path(), QStringLiteral("printf 'part' > \"$out\"; exec sleep 30"));
    WriteFile(path(QStringLiteral("s.wav")), "RIFF");
    EncoderDecoderOptions o = Defaults();
    o.blnDeleteSourceFile = true;
    int yields = 0;
    converter.yield = [&] {
        if (++yields == 8) converter.mblnEndNow = true;
    };
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(run(QStringLiteral("s.wav"), ConversionMode::Encode, o), ConversionResult::Stopped);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(Names(folder), QStringList{"s.wav"});
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ConversionTest, AnExistingOutputIsReplacedOnlyAfterYes) {
    converter.lameProgram = MakeFakeLame(tools.path(), QStringLiteral("cat \"$d/new.mp3\" > \"$out\""));
    for (const char* n : {"a.wav", "b.wav", "c.wav"}) WriteFile(path(QString::fromUtf8(n)), "RIFF");
    for (const char* n : {"a.mp3", "b.mp3", "c.mp3"}) WriteFile(path(QString::fromUtf8(n)), "OLD");
    const EncoderDecoderOptions o = Defaults();

    ui.answers = {Mb::No};
    EXPECT_EQ(run(QStringLiteral("a.wav"), ConversionMode::Encode, o), ConversionResult::Skipped);
    EXPECT_EQ(ReadBytes(path(QStringLiteral("a.mp3"))), QByteArray("OLD"));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Replace File"));
    EXPECT_EQ(ui.shown[0].style & Mb::ButtonsMask, Mb::YesYesToAllNoCancel);
    EXPECT_TRUE(ui.shown[0].prompt.startsWith(path(QStringLiteral("a.mp3")) + QStringLiteral("\r\n\r\n")));
    EXPECT_FALSE(stop);

    ui.answers = {Mb::Yes};
    EXPECT_EQ(run(QStringLiteral("a.wav"), ConversionMode::Encode, o), ConversionResult::Converted);
    EXPECT_EQ(ReadBytes(path(QStringLiteral("a.mp3"))), newMp3);

    ui.answers = {Mb::Cancel};
    EXPECT_EQ(run(QStringLiteral("b.wav"), ConversionMode::Encode, o), ConversionResult::Skipped);
    EXPECT_TRUE(stop);
    EXPECT_EQ(ReadBytes(path(QStringLiteral("b.mp3"))), QByteArray("OLD"));
    stop = false;

    ui.shown.clear();
    ui.answers = {Mb::YesToAll};
    EXPECT_EQ(run(QStringLiteral("b.wav"), ConversionMode::Encode, o), ConversionResult::Converted);
    EXPECT_EQ(run(QStringLiteral("c.wav"), ConversionMode::Encode, o), ConversionResult::Converted);
    EXPECT_EQ(ui.shown.size(), 1u);  // asked once
    EXPECT_EQ(ReadBytes(path(QStringLiteral("c.mp3"))), newMp3);
    EXPECT_EQ(Names(folder).size(), 6);
}

TEST_F(ConversionTest, TheSourceIsDeletedOnlyAfterThisRunSucceeded) {
    WriteFile(path(QStringLiteral("s.wav")), "RIFF");
    WriteFile(path(QStringLiteral("s.mp3")), "STALE");  // an earlier run's output proves nothing
    EncoderDecoderOptions o = Defaults();
    o.blnDeleteSourceFile = true;
    converter.mblnReplaceAll = true;
    converter.lameProgram = MakeFakeLame(tools.path(), QStringLiteral("exit 1"));
    EXPECT_EQ(run(QStringLiteral("s.wav"), ConversionMode::Encode, o), ConversionResult::Failed);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("s.wav"))));
    EXPECT_EQ(ReadBytes(path(QStringLiteral("s.mp3"))), QByteArray("STALE"));

    converter.lameProgram = MakeFakeLame(tools.path(), QStringLiteral("cat \"$d/new.mp3\" > \"$out\""));
    EXPECT_EQ(run(QStringLiteral("s.wav"), ConversionMode::Encode, o), ConversionResult::Converted);
    EXPECT_EQ(Names(folder), QStringList{"s.mp3"});
    EXPECT_EQ(ReadBytes(path(QStringLiteral("s.mp3"))), newMp3);
}

TEST_F(ConversionTest, TheSourceGoesToTheTrashOnlyWhenTheCallerSaysSo) {
    TempHome home;
    QStandardPaths::setTestModeEnabled(false);
    const auto testMode = qScopeGuard([] { QStandardPaths::setTestModeEnabled(true); });
    const QString trash = home.file(QStringLiteral("data/Trash/files"));
    converter.lameProgram = MakeFakeLame(tools.path(), QStringLiteral("cat \"$d/new.mp3\" > \"$out\""));
    EncoderDecoderOptions o = Defaults();
    o.blnDeleteSourceFile = true;
    for (const bool toTrash : {false, true}) {
        SCOPED_TRACE(toTrash ? "to the trash" : "for good");
        // The program-wide preference says the opposite.
        Options().Preferences.blnUseRecycleBin = !toTrash;
        const QString name = toTrash ? QStringLiteral("kept.wav") : QStringLiteral("gone.wav");
        WriteFile(path(name), "RIFF");
        EXPECT_EQ(converter.RunLAME(name, folder, ConversionMode::Encode, false, o, toTrash),
                  ConversionResult::Converted);
        EXPECT_FALSE(QFile::exists(path(name)));
        EXPECT_EQ(QFile::exists(trash + QLatin1Char('/') + name), toTrash);
    }
}

TEST_F(ConversionTest, OutputGoesToTheChosenFolder) {
    converter.lameProgram = MakeFakeLame(tools.path(), QStringLiteral("cat \"$d/new.mp3\" > \"$out\""));
    WriteFile(path(QStringLiteral("song.live.wav")), "RIFF");
    EncoderDecoderOptions o = Defaults();
    o.blnSameAsInputDirectory = false;
    o.blnUse = true;
    o.strUseFolder = tools.path();
    EXPECT_EQ(run(QStringLiteral("song.live.wav"), ConversionMode::Encode, o), ConversionResult::Converted);
    EXPECT_TRUE(QFile::exists(tools.path() + QStringLiteral("/song.live.mp3")));
}

// ---- refusals -----------------------------------------------------------------

TEST_F(ConversionTest, MissingSourceOrOutputFolderIsRefusedWithItsBox) {
    converter.lameProgram = MakeFakeLame(tools.path(), QStringLiteral("cat \"$d/new.mp3\" > \"$out\""));
    // A vanished file: OK goes on, Cancel (offered in a decode batch) stops.
    EXPECT_EQ(run(QStringLiteral("gone.wav"), ConversionMode::Encode, Defaults()), ConversionResult::Refused);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, path(QStringLiteral("gone.wav")) + QStringLiteral("\r\n\r\nThis file no longer exists."));
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Source File Doesn't Exist"));
    EXPECT_EQ(ui.shown[0].style, Mb::Exclamation | Mb::OKOnly);
    EXPECT_FALSE(stop);
    ui.answers = {Mb::Cancel};
    EXPECT_EQ(run(QStringLiteral("gone.mp3"), ConversionMode::Decode, Defaults(), true), ConversionResult::Refused);
    EXPECT_EQ(ui.shown[1].style, Mb::Exclamation | Mb::OKCancel);
    EXPECT_TRUE(stop);
    stop = false;
    // The whole folder gone ends the batch too.
    EXPECT_EQ(converter.RunLAME(QStringLiteral("x.wav"), folder + QStringLiteral("/nowhere"), ConversionMode::Encode,
                                false, Defaults(), false),
              ConversionResult::Refused);
    EXPECT_TRUE(stop);
    stop = false;

    WriteFile(path(QStringLiteral("s.wav")), "RIFF");
    EncoderDecoderOptions o = Defaults();
    o.blnSameAsInputDirectory = false;
    o.blnUse = true;
    for (const QString& where : {QString(), folder + QStringLiteral("/nowhere")}) {
        o.strUseFolder = where;
        ui.shown.clear();
        EXPECT_EQ(run(QStringLiteral("s.wav"), ConversionMode::Encode, o), ConversionResult::Refused);
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].title, QStringLiteral("Output Directory Doesn't Exist"));
        EXPECT_TRUE(stop);
        stop = false;
    }
    EXPECT_TRUE(FakeArgs(tools.path()).isEmpty());  // LAME never ran
}

TEST_F(ConversionTest, OutOfRangeOptionsAreRefusedBeforeLameRuns) {
    converter.lameProgram = MakeFakeLame(tools.path(), QStringLiteral("cat \"$d/new.mp3\" > \"$out\""));
    WriteFile(path(QStringLiteral("s.wav")), "RIFF");
    EncoderDecoderOptions o = Defaults();
    o.blnLowPassFilteringFreq = true;
    o.dblLowPassFilteringFreqkHz = 0;
    EXPECT_EQ(run(QStringLiteral("s.wav"), ConversionMode::Encode, o), ConversionResult::Refused);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, QStringLiteral("Filtering frequencies must be in the range 0.001 kHz to 50000 kHz."));
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Frequency Out of Range"));
    EXPECT_TRUE(stop);
    stop = false;

    o = Defaults();
    o.lngMode = 8;
    EXPECT_EQ(run(QStringLiteral("s.wav"), ConversionMode::Encode, o), ConversionResult::Refused);
    EXPECT_TRUE(ui.shown[1].prompt.startsWith(QStringLiteral("A setting in Encoder Decoder Options is outside its range: Mode")));
    stop = false;

    o = Defaults();
    o.strCustomOptions = QStringLiteral("--tt \"unclosed");
    EXPECT_EQ(run(QStringLiteral("s.wav"), ConversionMode::Encode, o), ConversionResult::Refused);
    EXPECT_EQ(ui.shown[2].title, QStringLiteral("File Cannot Be Processed"));
    EXPECT_TRUE(stop);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("s.mp3"))));
    EXPECT_TRUE(FakeArgs(tools.path()).isEmpty());
}

TEST_F(ConversionTest, BitratesTheOutputCannotHoldAreRefusedUnlessFreeFormat) {
    converter.lameProgram = MakeFakeLame(tools.path(), QStringLiteral("cat \"$d/new.mp3\" > \"$out\""));
    WriteFile(path(QStringLiteral("s.wav")), "RIFF");
    EncoderDecoderOptions o = Defaults();
    o.blnEnableVBR = false;
    o.lngOutputSamplingFrequency = 5;  // 16 kHz: MPEG-2, at most 160 kbit
    o.lngBitrate = 15;                 // 192
    EXPECT_EQ(run(QStringLiteral("s.wav"), ConversionMode::Encode, o), ConversionResult::Refused);
    EXPECT_TRUE(stop);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("File Cannot Be Processed"));
    EXPECT_EQ(ui.shown[0].prompt,
              QStringLiteral("A sampling frequency of 16kHz was specified in Encoder Decoder Options, which LAME encodes "
                             "into an MPEG-2 Layer III file.\r\n\r\nA bitrate of 192kbit was specified in Encoder Decoder "
                             "Options.\r\n\r\nOnly the following bitrates may be used for this version and layer of "
                             "MPEG:\r\n\r\n\t0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160 (kbit)\r\n\r\n"
                             "Please change the Encoder Decoder Options to fit this criteria."));
    stop = false;

    o.strCustomOptions = QStringLiteral("--FreeFormat");
    EXPECT_EQ(run(QStringLiteral("s.wav"), ConversionMode::Encode, o), ConversionResult::Converted);

    // VBR: the minimum is allowed at MPEG-2, the maximum of 320 is not.
    o = Defaults();
    o.lngOutputSamplingFrequency = 6;
    o.lngMaximumVBRBitrate = 18;
    ui.shown.clear();
    EXPECT_EQ(run(QStringLiteral("s.wav"), ConversionMode::Encode, o), ConversionResult::Refused);
    EXPECT_TRUE(ui.shown[0].prompt.contains(QStringLiteral("A bitrate of 128kbit and a maximum VBR bitrate of 320kbit was")));
    EXPECT_TRUE(ui.shown[0].prompt.startsWith(QStringLiteral("A sampling frequency of 22.05kHz was")));
}

TEST_F(ConversionTest, ADecodeRefusalAsksAboutFurtherFilesOnce) {
    converter.lameProgram = MakeFakeLame(tools.path(), QStringLiteral("printf 'RIFF' > \"$out\""));
    WriteFile(path(QStringLiteral("one.mp3")), QByteArray(2000, 'x'));  // no MPEG header
    WriteFile(path(QStringLiteral("two.mp3")), QByteArray(2000, 'x'));
    ui.answers = {Mb::No};
    EXPECT_EQ(run(QStringLiteral("one.mp3"), ConversionMode::Decode, Defaults(), true), ConversionResult::Refused);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].style, Mb::Exclamation | Mb::YesNoCancel);
    EXPECT_EQ(ui.shown[0].prompt,
              path(QStringLiteral("one.mp3")) +
                  QStringLiteral("\r\n\r\nThis file is an MPEG-2.5 Layer III file.\r\n\r\nA bitrate of 128kbit and a maximum "
                                 "VBR bitrate of 128kbit was specified in Encoder Decoder Options.\r\n\r\nOnly the following "
                                 "bitrates may be used for this version and layer of MPEG:\r\n\r\n\tBitrate list not "
                                 "available as source file MPEG header information could not be read.\r\n\r\nThe file will "
                                 "not be processed. Would you like to be notified of further files in this batch that "
                                 "cannot be processed? Press Cancel to stop processing the batch."));
    EXPECT_EQ(run(QStringLiteral("two.mp3"), ConversionMode::Decode, Defaults(), true), ConversionResult::Refused);
    EXPECT_EQ(ui.shown.size(), 1u);  // silenced by No
    EXPECT_FALSE(stop);

    converter.mlngNotifyAnswer = 0;
    ui.answers = {Mb::Cancel};
    EXPECT_EQ(run(QStringLiteral("two.mp3"), ConversionMode::Decode, Defaults(), true), ConversionResult::Refused);
    EXPECT_TRUE(stop);
}

}  // namespace
