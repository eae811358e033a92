// The settings store file: names ignoring case, values kept exactly, every
// write atomic, other writers' changes seen.
#include "foundation/Errors.h"
#include "foundation/IniFile.h"
#include "foundation/SettingsStore.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {


void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QString GetText(const QString& section, const QString& key, const QString& def = QStringLiteral("<missing>")) {
    return GetOptionSetting(section, key, def, SettingType::String).toString();
}

class Store : public testing::Test {
protected:
    TempHome home;
    QString folder() const { return QFileInfo(SettingsStorePath()).absolutePath(); }
};

}  // namespace

TEST_F(Store, LivesUnderTheConfigHome) {
    EXPECT_EQ(SettingsStorePath(), home.file(QStringLiteral("config/Sonivard/Sonivard.ini")));
    EXPECT_EQ(GetText(QStringLiteral("Nothing"), QStringLiteral("Here")), QStringLiteral("<missing>"));
    EXPECT_FALSE(QFile::exists(SettingsStorePath()));  // reading creates nothing
    SaveOptionSetting(QStringLiteral("Preferences"), QStringLiteral("UseSkins"), true, SettingType::Boolean);
    EXPECT_TRUE(QFile::exists(SettingsStorePath()));
}

TEST_F(Store, NamesMatchIgnoringCaseAndKeepTheFirstSpelling) {
    SaveOptionSetting(QStringLiteral("ComboFilenameFormat"), QStringLiteral("ListIndex"), 3, SettingType::Integer);
    SaveOptionSetting(QStringLiteral("ComboFileNameFormat"), QStringLiteral("LISTINDEX"), 4, SettingType::Integer);
    EXPECT_EQ(GetOptionSetting(QStringLiteral("combofilenameformat"), QStringLiteral("listindex"), QStringLiteral("0"),
                               SettingType::Integer),
              QVariant(4));
    const IniDocument doc = IniDocument::parse(QString::fromUtf8(ReadBytes(SettingsStorePath())), IniSyntax::Store);
    EXPECT_EQ(doc.sectionNames(), QStringList{QStringLiteral("ComboFilenameFormat")});
    EXPECT_EQ(doc.keyNames(QStringLiteral("COMBOFILENAMEFORMAT")), QStringList{QStringLiteral("ListIndex")});
}

TEST_F(Store, EveryTextRoundTripsThroughTheFile) {
    const QString texts[] = {
        QString(),
        QStringLiteral(" lead"),
        QStringLiteral("trail "),
        QStringLiteral("  both  "),
        QStringLiteral(" "),
        QStringLiteral("a\r\nb\rc\nd"),
        QStringLiteral("\n"),
        QStringLiteral("back\\slash\\n and \\s and \\u0041"),
        QStringLiteral("trailing backslash\\"),
        QStringLiteral("; not a comment"),
        QStringLiteral("[not a section]"),
        QStringLiteral("=a=b="),
        QStringLiteral("\"quoted\""),
        QStringLiteral("%20x%20"),
        QStringLiteral("tab\there\t"),
        QString(QChar(0)) + QStringLiteral("nul") + QChar(0x7F) + QChar(0x1B),
        QString::fromUtf8("é ü 日本 😀 \u00A0nbsp\u00A0"),
        QString(QChar(0xD800)) + QStringLiteral("lone") + QChar(0xDC00),
        QString(QChar(0xFEFF)) + QStringLiteral("bom"),
        QString(5000, QLatin1Char('x')),
    };
    const QString keys[] = {QStringLiteral("Plain"), QStringLiteral("key=with=equals"), QStringLiteral("[br]ackets"),
                            QStringLiteral(";semi"), QStringLiteral(" spaced key "), QStringLiteral("a\nb"),
                            QString(QChar(0xFEFF)) + QStringLiteral("bom")};
    const QString section = QStringLiteral("Odd ] [ = section");
    int i = 0;
    // Keys outside any section come first in the file.
    SaveOptionSetting(QString(), QString(QChar(0xFEFF)) + QStringLiteral("first"), QStringLiteral("v"),
                      SettingType::String);
    for (const QString& t : texts)
        for (const QString& k : keys) SaveOptionSetting(section, k + QString::number(i++), t, SettingType::String);

    // Read back through the store and through a fresh parse of the file.
    const IniDocument doc = IniDocument::parse(QString::fromUtf8(ReadBytes(SettingsStorePath())), IniSyntax::Store);
    i = 0;
    for (const QString& t : texts) {
        for (const QString& k : keys) {
            const QString key = k + QString::number(i++);
            SCOPED_TRACE(key.toStdString());
            EXPECT_EQ(GetText(section, key), t);
            const QString* fromFile = doc.value(section, key);
            ASSERT_NE(fromFile, nullptr);
            EXPECT_EQ(*fromFile, t);
        }
    }
    // One line per key: nothing the values hold splits a line.
    EXPECT_EQ(GetText(QString(), QString(QChar(0xFEFF)) + QStringLiteral("first")), QStringLiteral("v"));
    EXPECT_NE(doc.value(QString(), QString(QChar(0xFEFF)) + QStringLiteral("first")), nullptr);
    EXPECT_EQ(ReadBytes(SettingsStorePath()).count('\n'), 3 + std::size(texts) * std::size(keys));
}

TEST_F(Store, DeletesKeysAndSections) {
    SaveOptionSetting(QStringLiteral("ScanRules"), QStringLiteral("Rule1"), QStringLiteral("a"), SettingType::String);
    SaveOptionSetting(QStringLiteral("ScanRules"), QStringLiteral("Rule2"), QStringLiteral("b"), SettingType::String);
    SaveOptionSetting(QStringLiteral("Other"), QStringLiteral("K"), QStringLiteral("c"), SettingType::String);
    DeleteOptionSetting(QStringLiteral("scanrules"), QStringLiteral("rule1"));
    EXPECT_EQ(GetText(QStringLiteral("ScanRules"), QStringLiteral("Rule1")), QStringLiteral("<missing>"));
    EXPECT_EQ(GetText(QStringLiteral("ScanRules"), QStringLiteral("Rule2")), QStringLiteral("b"));
    DeleteOptionSetting(QStringLiteral("SCANRULES"));
    EXPECT_EQ(GetText(QStringLiteral("ScanRules"), QStringLiteral("Rule2")), QStringLiteral("<missing>"));
    EXPECT_EQ(GetText(QStringLiteral("Other"), QStringLiteral("K")), QStringLiteral("c"));
    DeleteOptionSetting(QStringLiteral("NoSuchSection"), QStringLiteral("NoKey"));  // nothing to remove is fine
}

TEST_F(Store, WritesLeaveNoTemporaryFiles) {
    for (int i = 0; i < 20; ++i)
        SaveOptionSetting(QStringLiteral("S"), QStringLiteral("K%1").arg(i), i, SettingType::Integer);
    EXPECT_EQ(QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("Sonivard.ini")});
}

TEST_F(Store, AFailedWriteLeavesTheOldFile) {
    SaveOptionSetting(QStringLiteral("S"), QStringLiteral("Kept"), QStringLiteral("old"), SettingType::String);
    const QByteArray before = ReadBytes(SettingsStorePath());

    // Let no file grow past a small size: the write of the temporary file fails.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 256;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    int number = 0;
    try {
        SaveOptionSetting(QStringLiteral("S"), QStringLiteral("Big"), QString(4000, QLatin1Char('y')),
                          SettingType::String);
    } catch (const SvError& e) {
        number = e.number();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(number, ErrNo::DiskFull);
    EXPECT_EQ(ReadBytes(SettingsStorePath()), before);
    EXPECT_EQ(QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("Sonivard.ini")});
    EXPECT_EQ(GetText(QStringLiteral("S"), QStringLiteral("Big")), QStringLiteral("<missing>"));
    EXPECT_EQ(GetText(QStringLiteral("S"), QStringLiteral("Kept")), QStringLiteral("old"));
}

TEST_F(Store, SeesChangesMadeByAnotherWriter) {
    SaveOptionSetting(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("mine"), SettingType::String);
    EXPECT_EQ(GetText(QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("mine"));
    // Another process replaces the file (same size, so only the inode and times differ).
    const QString other = SettingsStorePath() + QStringLiteral(".other");
    WriteAll(other, "[S]\nK=your\n");
    ASSERT_TRUE(QFile::remove(SettingsStorePath()));
    ASSERT_TRUE(QFile::rename(other, SettingsStorePath()));
    EXPECT_EQ(GetText(QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("your"));
    // ... and our next write keeps its keys.
    WriteAll(SettingsStorePath(), "; hand edited\n[S]\nK = spaced  \nExtra=1\n");
    SaveOptionSetting(QStringLiteral("S"), QStringLiteral("New"), 2, SettingType::Integer);
    EXPECT_EQ(GetText(QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("spaced"));
    EXPECT_EQ(GetText(QStringLiteral("S"), QStringLiteral("Extra")), QStringLiteral("1"));
    EXPECT_EQ(GetText(QStringLiteral("S"), QStringLiteral("New")), QStringLiteral("2"));
}

TEST_F(Store, FollowsASymbolicLinkAndKeepsIt) {
    QDir().mkpath(folder());
    const QString real = home.file(QStringLiteral("dotfiles.ini"));
    WriteAll(real, "[S]\nK=1\n");
    ASSERT_TRUE(QFile::link(real, SettingsStorePath()));
    SaveOptionSetting(QStringLiteral("S"), QStringLiteral("K"), 5, SettingType::Integer);
    EXPECT_TRUE(QFileInfo(SettingsStorePath()).isSymLink());
    EXPECT_TRUE(ReadBytes(real).contains("K=5"));
}

TEST_F(Store, AnUnwritableFolderRaisesAndLosesNothing) {
    // The store's folder path is taken by a file: nothing can be written.
    QDir().mkpath(home.file(QStringLiteral("config")));
    WriteAll(home.file(QStringLiteral("config/Sonivard")), "not a folder");
    try {
        SaveOptionSetting(QStringLiteral("S"), QStringLiteral("K"), 1, SettingType::Integer);
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::PathNotFound);
        EXPECT_TRUE(e.description().contains(QStringLiteral("|SaveOptionSetting;S;K;1;2")))
            << e.description().toStdString();
    }
    EXPECT_EQ(ReadBytes(home.file(QStringLiteral("config/Sonivard"))), QByteArray("not a folder"));
    EXPECT_EQ(GetText(QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("<missing>"));
}
