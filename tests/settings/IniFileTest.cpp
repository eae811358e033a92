// Reading and writing the INI files of others (skin schemes, PLS playlists).
#include "foundation/Errors.h"
#include "foundation/SettingsStore.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

#include <QDir>
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

TEST_F(Ini, WritingKeepsTheRestOfTheFile) {
    WriteAll(path,
             "; skin made by hand\r\n"
             "[Colours]\r\n"
             "LabelForeColor=1\r\n"
             "\r\n"
             "[Positions]\r\n"
             "TitleFromLeft=120\r\n");
    SaveToIni("colours", "LABELFORECOLOR", 255, SettingType::Long, path);
    SaveToIni("Colours", "TitleForeColor", QStringLiteral(" padded "), SettingType::String, path);
    SaveToIni("Fonts", "Name", QStringLiteral("Arial"), SettingType::String, path);
    SaveToIni("Fonts", "Bold", true, SettingType::Boolean, path);
    SaveToIni("Fonts", "Object", 3, 9, path);  // a type without a text form writes the empty text
    EXPECT_EQ(ReadBytes(path),
              QByteArray("; skin made by hand\r\n"
                         "[Colours]\r\n"
                         "LabelForeColor=255\r\n"
                         "TitleForeColor=%20padded%20\r\n"
                         "\r\n"
                         "[Positions]\r\n"
                         "TitleFromLeft=120\r\n"
                         "\r\n"
                         "[Fonts]\r\n"
                         "Name=Arial\r\n"
                         "Bold=True\r\n"
                         "Object=\r\n"));
    // The next read sees every write, and the edge escapes come back off.
    EXPECT_EQ(LoadFromIni("Colours", "LabelForeColor", "0", SettingType::Long, path, false), QVariant(255));
    EXPECT_EQ(Text("Colours", "TitleForeColor"), QStringLiteral(" padded "));
    EXPECT_EQ(LoadFromIni("Fonts", "Bold", "False", SettingType::Boolean, path, false), QVariant(true));
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Settings.ini")});
}

TEST_F(Ini, WritingKeepsLineEndsAndEncoding) {
    WriteAll(path, "[S]\nName=Caf\xE9\n");
    SaveToIni("S", "Other", QStringLiteral("\u00FC"), SettingType::String, path);
    EXPECT_EQ(ReadBytes(path), QByteArray("[S]\nName=Caf\xE9\nOther=\xFC\n"));
    // A character the code page lacks turns the file into UTF-8 rather than losing it.
    // A character the code page lacks goes into its own line as UTF-8; the
    // line of Name keeps its bytes, and each line reads as it was written.
    SaveToIni("S", "Other", QStringLiteral("\u65E5"), SettingType::String, path);
    EXPECT_EQ(ReadBytes(path), QByteArray("[S]\nName=Caf\xE9\nOther=\xE6\x97\xA5\n"));
    EXPECT_EQ(Text("S", "Name"), QString::fromUtf8("Café"));
    EXPECT_EQ(Text("S", "Other"), QStringLiteral("\u65E5"));
    // A new file; line breaks in a value cannot split the line.
    const QString fresh = home.file(QStringLiteral("new.pls"));
    SaveToIni("playlist", "Title1", QStringLiteral("a\r\nb"), SettingType::String, fresh);
    EXPECT_EQ(ReadBytes(fresh), QByteArray("[playlist]\r\nTitle1=a  b\r\n"));
}

// Writing one key changes the bytes of that key's line only (and, when a line
// is added after an unterminated last line, gives that line an end that does
// not change its value), so no other key reads differently afterwards.
TEST_F(Ini, WritingOneKeyNeverChangesAnother) {
    auto utf16 = [](const QString& text) {
        return QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    };
    struct Case {
        const char* what;
        QByteArray before;
        const char* key;
        QString value;
        QByteArray after;
        const char* otherKey;  // read before and after
        QString otherValue;
    } cases[] = {
        {"the only Windows-1252 line turns ASCII beside a UTF-8 line",
         "[S]\r\nName=Caf\xE9\r\nTitle=\xC3\xA9t\xC3\xA9\r\n", "Name", QStringLiteral("Cafe"),
         "[S]\r\nName=Cafe\r\nTitle=\xC3\xA9t\xC3\xA9\r\n", "Title", QString::fromUtf8("été")},
        {"a Windows-1252 line is rewritten beside a UTF-8 line", "[S]\nTitle=\xE9t\xE9\nName=Caf\xC3\xA9\n",
         "Title", QStringLiteral("ete"), "[S]\nTitle=ete\nName=Caf\xC3\xA9\n", "Name", QString::fromUtf8("Café")},
        {"a Windows-1252 line stays so beside a UTF-8 one", "[S]\nTitle=\xE9t\xE9\nName=Caf\xC3\xA9\n", "Title",
         QString::fromUtf8("\u00E0 la"), "[S]\nTitle=\xE0 la\nName=Caf\xC3\xA9\n", "Name", QString::fromUtf8("Café")},
        {"code-page bytes that would read as UTF-8 are written as UTF-8", "[S]\nName=Caf\xE9\n", "K",
         QString::fromUtf8("Ã©"), "[S]\nName=Caf\xE9\nK=\xC3\x83\xC2\xA9\n", "Name", QString::fromUtf8("Café")},
        {"a value ending in CR on an unterminated last line", "[S]\nA=1\nB=x\r\r", "A", QStringLiteral("2"),
         "[S]\nA=2\nB=x\r\r", "B", QStringLiteral("x\r")},
        {"a key added after an unterminated last line ending in CR", "[S]\r\nA=1\r\nB=x\r\r", "C", QStringLiteral("3"),
         "[S]\r\nA=1\r\nB=x\r\r\nC=3\r\n", "B", QStringLiteral("x\r")},
        {"an unterminated last line that is rewritten keeps its end", "[S]\nA=1\r", "A", QStringLiteral("2"),
         "[S]\nA=2\r", "", QString()},
        {"each line keeps its own line end", "[S]\r\nA=1\nB=2\r\n", "A", QStringLiteral("9"), "[S]\r\nA=9\nB=2\r\n",
         "B", QStringLiteral("2")},
        {"UTF-16 lines", utf16(QStringLiteral("[S]\r\nA=1\nB=\u65E5")), "A", QStringLiteral("\u00E9"),
         utf16(QStringLiteral("[S]\r\nA=\u00E9\nB=\u65E5")), "B", QStringLiteral("\u65E5")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteAll(path, c.before);
        if (*c.otherKey) {
            EXPECT_EQ(Text("S", c.otherKey), c.otherValue);
        }
        SaveToIni("S", c.key, c.value, SettingType::String, path);
        EXPECT_EQ(ReadBytes(path), c.after);
        EXPECT_EQ(Text("S", c.key), c.value);
        if (*c.otherKey) {
            EXPECT_EQ(Text("S", c.otherKey), c.otherValue);
        }
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
