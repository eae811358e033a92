// Reading the INI files of others (skin schemes, PLS playlists).
#include "foundation/Errors.h"
#include "foundation/SettingsStore.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}


class Ini : public testing::Test {
protected:
    TempHome home;
    QString path = home.file(QStringLiteral("Settings.ini"));
    QString Text(const QString& section, const QString& key, const QString& def = QStringLiteral("<def>"),
                 bool useDefaultIfEmpty = false) {
        return LoadFromIni(section, key, def, SettingType::String, path, useDefaultIfEmpty).toString();
    }
};

}  // namespace

TEST_F(Ini, ReadsWithThePlatformRules) {
    const QByteArray longValue(3000, 'v');
    WriteAll(path,
             "; a comment\r\n"
             "orphan=before any section\r\n"
             "[ Colours ]\r\n"
             "  LabelForeColor  =   &H00C00000   \r\n"
             "Quoted=\"  kept inside  \"\r\n"
             "Single='x'\r\n"
             "Unbalanced=\"abc\r\n"
             "Empty=\r\n"
             ";Commented=1\r\n"
             "no equals sign here\r\n"
             "Dup=first\r\n"
             "DUP=second\r\n"
             "Long=" + longValue + "\r\n"
             "Inline=value ; not a comment\r\n"
             "[colours]\r\n"
             "Later=in a repeated section\r\n"
             "[Positions]\n"
             "TitleFromLeft=120\n");
    EXPECT_EQ(LoadFromIni("COLOURS", "labelforecolor", "0", SettingType::Long, path, false), QVariant(12582912));
    EXPECT_EQ(Text("Colours", "Quoted"), QStringLiteral("  kept inside  "));
    EXPECT_EQ(Text("Colours", "Single"), QStringLiteral("x"));
    EXPECT_EQ(Text("Colours", "Unbalanced"), QStringLiteral("\"abc"));
    EXPECT_EQ(Text("Colours", "Commented"), QStringLiteral("<def>"));
    EXPECT_EQ(Text("Colours", "no equals sign here"), QStringLiteral("<def>"));
    EXPECT_EQ(Text("Colours", "Dup"), QStringLiteral("first"));
    EXPECT_EQ(Text("Colours", "Long"), QString::fromLatin1(longValue));  // no 1023-character cut
    EXPECT_EQ(Text("Colours", "Inline"), QStringLiteral("value ; not a comment"));
    EXPECT_EQ(Text("Colours", "Later"), QStringLiteral("<def>"));
    EXPECT_EQ(LoadFromIni("Positions", "TitleFromLeft", "0", SettingType::Single, path, false), QVariant(120.0));
    EXPECT_EQ(Text("", "orphan"), QStringLiteral("before any section"));
}

TEST_F(Ini, EmptyValuesAndMissingFiles) {
    WriteAll(path, "[S]\nEmpty=\n");
    EXPECT_EQ(Text("S", "Empty", "def", false), QString());
    EXPECT_EQ(Text("S", "Empty", "def", true), QStringLiteral("def"));
    EXPECT_EQ(Text("S", "Missing", "def", false), QStringLiteral("def"));
    EXPECT_EQ(LoadFromIni("S", "Empty", "7", SettingType::Integer, path, true), QVariant(7));
    EXPECT_THROW(LoadFromIni("S", "Empty", "7", SettingType::Integer, path, false), SvError);
    const QString nowhere = home.file(QStringLiteral("no/such/file.ini"));
    EXPECT_EQ(LoadFromIni("S", "K", "%20d", SettingType::String, nowhere, false), QVariant(QStringLiteral(" d")));
    EXPECT_EQ(LoadFromIni("S", "K", "d", SettingType::String, home.path(), false), QVariant(QStringLiteral("d")));
}

TEST_F(Ini, DecodesTheFileEncodings) {
    WriteAll(path, "[S]\r\nName=Caf\xE9 \x80\r\n");  // Windows-1252
    EXPECT_EQ(Text("S", "Name"), QString::fromUtf8("Café €"));
    WriteAll(path, "\xEF\xBB\xBF[S]\nName=Caf\xC3\xA9\n");  // UTF-8 with BOM
    EXPECT_EQ(Text("S", "Name"), QString::fromUtf8("Café"));
    QByteArray utf16("\xFF\xFE");
    const QString text = QStringLiteral("[S]\r\nName=\u65E5\u672C\r\n");
    utf16 += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    WriteAll(path, utf16);
    EXPECT_EQ(Text("S", "Name"), QString::fromUtf8("日本"));
}

// An 8-bit file is decoded line by line, and each line keeps its own end.
TEST_F(Ini, EachLineReadsInItsOwnEncodingAndLineEnd) {
    auto utf16 = [](const QString& text) {
        return QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    };
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* key;
        QString value;
    } cases[] = {
        {"a UTF-8 line after a Windows-1252 line", "[S]\r\nName=Caf\xE9\r\nTitle=\xC3\xA9t\xC3\xA9\r\n", "Title",
         QString::fromUtf8("été")},
        {"a Windows-1252 line after a UTF-8 line", "[S]\nName=Caf\xC3\xA9\nTitle=\xE9t\xE9\n", "Title",
         QString::fromUtf8("été")},
        {"a value ending in CR on an unterminated last line", "[S]\nA=1\nB=x\r\r", "B", QStringLiteral("x\r")},
        {"LF and CRLF lines in one file", "[S]\r\nA=1\nB=2\r\n", "A", QStringLiteral("1")},
        {"UTF-16 lines", utf16(QStringLiteral("[S]\r\nA=1\nB=\u65E5")), "B", QStringLiteral("\u65E5")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteAll(path, c.bytes);
        EXPECT_EQ(Text("S", c.key), c.value);
    }
}

TEST(EdgeEscapes, OneBlankAtEachEnd) {
    struct {
        const char* plain;
        const char* escaped;
    } cases[] = {
        {"  ab ", "%20 ab%20"}, {" ", "%20"},   {"", ""},          {"ab", "ab"},
        {" a", "%20a"},         {"a ", "a%20"}, {"a b", "a b"},    {"  ", "%20%20"},
    };
    for (const auto& c : cases) {
        QString text = QString::fromUtf8(c.plain);
        const QString result = AnySpaces(text);
        EXPECT_EQ(result, QString::fromUtf8(c.escaped)) << c.plain;
        EXPECT_EQ(text, result);  // the caller's variable holds it too
        QString back = result;
        EXPECT_EQ(ReplaceSpaces(back), QString::fromUtf8(c.plain)) << c.escaped;
        EXPECT_EQ(back, QString::fromUtf8(c.plain));
    }
    QString single = QStringLiteral("%20");
    EXPECT_EQ(ReplaceSpaces(single), QStringLiteral(" "));
    QString inner = QStringLiteral("a%20b");
    EXPECT_EQ(ReplaceSpaces(inner), QStringLiteral("a%20b"));
}
