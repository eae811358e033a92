// The registry stand-in and file-type descriptions.

#include "foundation/Registry.h"
#include "support/ScriptedUi.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
constexpr int32_t HKCR = RegistryRoot::ClassesRoot;
constexpr int32_t HKLM = RegistryRoot::LocalMachine;
}  // namespace

TEST(RegistryStandIn, KeysAndValuesRoundTrip) {
    TempHome home;
    EXPECT_EQ(RegistryCreateKey(HKCR, "scnfile\\shell\\open\\command"), 0);
    EXPECT_EQ(RegistrySetValue(HKCR, "scnfile", "", "Scan Results File"), 0);
    EXPECT_EQ(RegistrySetValue(HKCR, "scnfile\\shell", "", "open"), 0) << "intermediate keys were created";
    const QString command = "\"/opt/sonivard/sonivard\" \"%1\"";
    EXPECT_EQ(RegistrySetValue(HKCR, "SCNFILE\\Shell\\Open\\Command", "", command), 0) << "names ignore case";

    EXPECT_EQ(RegistryGetValue(HKCR, "scnfile", "", "-"), "Scan Results File");
    EXPECT_EQ(RegistryGetValue(HKCR, "scnfile\\shell\\open\\command", "", "-"), command);
    EXPECT_EQ(RegistryGetValue(HKCR, "scnfile", "Missing", "-"), "-");
    EXPECT_EQ(RegistryGetValue(HKCR, "nokey", "", "-"), "-");
    EXPECT_EQ(RegistryGetValue(HKLM, "scnfile", "", "-"), "-") << "roots are apart";
    EXPECT_TRUE(QFile::exists(home.file("config/Sonivard/Registry.ini")));
}

TEST(RegistryStandIn, ValuesSurviveAnyTextAndAreTrimmedOnReading) {
    TempHome home;
    RegistryCreateKey(HKLM, "SOFTWARE\\Tools");
    const std::vector<std::pair<QString, QString>> values = {
        {"Name=with=equals", "a=b=c"},   {"[bracket]", "[not a section]"}, {"Percent", "100% %20 %41"},
        {"Lines", "one\r\ntwo\nthree"},   {";comment", "#not a comment"},   {"@", "at"},
        {"Unicode ✓", "Björk – Jóga"},
    };
    for (const auto& [name, value] : values) EXPECT_EQ(RegistrySetValue(HKLM, "SOFTWARE\\Tools", name, value), 0);
    for (const auto& [name, value] : values) EXPECT_EQ(RegistryGetValue(HKLM, "SOFTWARE\\Tools", name, "-"), value) << qPrintable(name);

    RegistrySetValue(HKLM, "SOFTWARE\\Tools", "Spaced", "  padded  ");
    EXPECT_EQ(RegistryGetValue(HKLM, "SOFTWARE\\Tools", "Spaced", "-"), "padded");
    EXPECT_EQ(RegistryGetValue(HKLM, "SOFTWARE\\Tools", "@", "-"), "at") << "a value named @ is not the default value";
    EXPECT_EQ(RegistryGetValue(HKLM, "SOFTWARE\\Tools", "", "-"), "-");
}

TEST(RegistryStandIn, ReaderBufferHolds127Characters) {
    TempHome home;
    RegistryCreateKey(HKCR, "k");
    RegistrySetValue(HKCR, "k", "fits", QString(127, 'x'));
    RegistrySetValue(HKCR, "k", "long", QString(128, 'x'));
    RegistrySetValue(HKCR, "k", "longer", QString(200, 'x'));
    EXPECT_EQ(RegistryGetValue(HKCR, "k", "fits", "-"), QString(127, 'x'));
    EXPECT_EQ(RegistryGetValue(HKCR, "k", "long", "-"), "-");
    EXPECT_EQ(RegistryGetValue(HKCR, "k", "longer", "-"), "-");
}

TEST(RegistryStandIn, SetValueNeedsAnExistingKeyAndDeleteTakesTheSubtree) {
    TempHome home;
    EXPECT_EQ(RegistrySetValue(HKCR, "absent", "", "x"), RegistryResult::FileNotFound);
    EXPECT_EQ(RegistryGetValue(HKCR, "absent", "", "-"), "-");
    EXPECT_EQ(RegistryCreateKey(HKCR, "absent\\child"), 0);
    EXPECT_EQ(RegistrySetValue(HKCR, "absent\\child", "", "x"), 0);

    RegistryCreateKey(HKCR, ".scn");
    RegistrySetValue(HKCR, ".scn", "", "scnfile");
    RegistryCreateKey(HKCR, "scnfile\\shell\\open\\command");
    RegistrySetValue(HKCR, "scnfile\\shell\\open\\command", "", "cmd");
    RegistryCreateKey(HKCR, "scnfileother");
    RegistrySetValue(HKCR, "scnfileother", "", "kept");

    EXPECT_EQ(RegistryDeleteKey(HKCR, "scnfile"), 0);
    EXPECT_EQ(RegistryGetValue(HKCR, "scnfile\\shell\\open\\command", "", "-"), "-");
    EXPECT_EQ(RegistrySetValue(HKCR, "scnfile\\shell", "", "x"), RegistryResult::FileNotFound);
    EXPECT_EQ(RegistryGetValue(HKCR, "scnfileother", "", "-"), "kept") << "a key that only starts alike stays";
    EXPECT_EQ(RegistryGetValue(HKCR, ".scn", "", "-"), "scnfile");
    EXPECT_EQ(RegistryDeleteKey(HKCR, "scnfile"), RegistryResult::FileNotFound);
    EXPECT_EQ(RegistryCreateKey(12345, "x"), RegistryResult::InvalidHandle);
}

TEST(FileTypes, DescriptionFromRegistryMimeDatabaseOrExtension) {
    TempHome home;
    EXPECT_EQ(GetFileType("/music/thing.xyz"), "XYZ File");
    EXPECT_EQ(GetFileType("/music/README"), "File");
    EXPECT_EQ(GetFileType("/music.d/README"), "File") << "a dot in a folder name is no extension";
    EXPECT_EQ(GetFileType("trailing."), "File");
    const QString wav = GetFileType("/music/track.WAV");
    EXPECT_FALSE(wav.isEmpty());
    EXPECT_NE(wav, "WAV File") << "the MIME database knows WAV audio";

    RegistryCreateKey(HKCR, ".xyz");
    RegistrySetValue(HKCR, ".xyz", "", "xyzfile");
    RegistryCreateKey(HKCR, "xyzfile");
    RegistrySetValue(HKCR, "xyzfile", "", "Xylophone Zone");
    EXPECT_EQ(GetFileType("/music/thing.xyz"), "Xylophone Zone");
}
