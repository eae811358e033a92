// The program's way to the tag library: loaded at run time from beside the
// program, the object made by class identifier; without the library the
// program shows the error, runs on, and every use of the missing object is
// error 91.

#include "TagTestKit.h"

#include "foundation/AppPaths.h"
#include "foundation/Errors.h"
#include "scanning/tagobject/QuillmarkLoader.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <functional>

using namespace tagtest;

namespace {

class Loader : public ::testing::Test {
protected:
    void TearDown() override {
        QuillmarkLoader::SetSearchFoldersForTesting({});
        SetAppPathForTesting(QString());
    }
    QTemporaryDir programDir;
    QTemporaryDir dataDir;
};

TEST_F(Loader, LibraryBesideTheProgramIsLoadedAndItsObjectWorks) {
    // The library as installed: a copy beside the program.
    ASSERT_TRUE(QFile::copy(QStringLiteral(SV_BIN_DIR "/libquillmark.so"), programDir.filePath("libquillmark.so")));
    SetAppPathForTesting(programDir.path());
    EXPECT_EQ(QuillmarkLoader::SearchFolders().front(), programDir.path());

    ID3v2TagObject tag = CreateQuillmarkTagObject();
    ASSERT_TRUE(tag.isSet());
    EXPECT_EQ(QuillmarkLoader::LoadedPath(), programDir.filePath("libquillmark.so"));

    const QString file = dataDir.filePath(QStringLiteral("Ünïcode.mp3"));
    const Bytes audio = Audio(300);
    WriteFile(QFile::encodeName(file).toStdString(), audio);
    tag.SetFrameValue(quillmark::eTitle, QStringLiteral("Titel \u00E4"));
    tag.WriteTag(file, false);
    ID3v2TagObject other = CreateQuillmarkTagObject();
    other.ReadTag(file);
    EXPECT_TRUE(other.HasTag());
    EXPECT_EQ(other.GetFrameValue(quillmark::eTitle), QStringLiteral("Titel \u00E4"));

    // The library's errors arrive as the program's errors, texts intact.
    const QString missing = dataDir.filePath(QStringLiteral("missing.mp3"));
    try {
        other.ReadTag(missing);
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), int32_t(0x8004006D));
        EXPECT_EQ(e.source(), QStringLiteral("ID3v2::ReadTag"));
        EXPECT_EQ(e.description(), QStringLiteral("The file, %1, was not found.").arg(missing));
    }
    try {
        other.GetFrameValue(static_cast<quillmark::eID3FrameIDs>(13));
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), -2147221396);
    }
}

// The library comes from the folder of the program's files only: beside the
// program, or the folder the environment names.  The build tree this test
// program was built in always holds a library (the place an older program
// had compiled in); it must never be loaded from there unasked.
TEST_F(Loader, LoadsOnlyFromBesideTheProgramOrTheNamedFolder) {
    ASSERT_TRUE(QFile::exists(QStringLiteral(SV_BIN_DIR "/libquillmark.so")));
    struct KeepVariable {
        const bool had = qEnvironmentVariableIsSet(kAppPathVariable);
        const QByteArray value = qgetenv(kAppPathVariable);
        ~KeepVariable() { had ? qputenv(kAppPathVariable, value) : qunsetenv(kAppPathVariable); }
    } keepVariable;
    enum class From { Program, Named, Nowhere };
    struct {
        const char* what;
        bool libraryBesideProgram;  // false: the program runs from its own folder's stand-in, empty
        bool programFolderSet;      // false: the program's folder is this test program's (the build tree)
        bool variableSet;
        bool libraryInNamed;
        From expected;
    } cases[] = {
        {"installed, the library beside the program", true, true, false, false, From::Program},
        {"installed, no library beside it, one in the build tree", false, true, false, false, From::Nowhere},
        {"the build tree named by the variable", false, false, true, true, From::Named},
        {"a named folder without the library", false, false, true, false, From::Nowhere},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir program, named;
        const QString real = QStringLiteral(SV_BIN_DIR "/libquillmark.so");
        if (c.libraryBesideProgram) {
            ASSERT_TRUE(QFile::copy(real, program.filePath("libquillmark.so")));
        }
        if (c.libraryInNamed) {
            ASSERT_TRUE(QFile::copy(real, named.filePath("libquillmark.so")));
        }
        SetAppPathForTesting(c.programFolderSet ? program.path() : QString());
        if (c.variableSet) qputenv(kAppPathVariable, QFile::encodeName(named.path()));
        else qunsetenv(kAppPathVariable);

        if (c.expected == From::Nowhere) {
            try {
                (void)CreateQuillmarkTagObject();
                ADD_FAILURE() << "loaded from " << QuillmarkLoader::LoadedPath().toStdString();
            } catch (const SvError& e) {
                EXPECT_EQ(e.number(), ErrNo::FileNotFound);
                EXPECT_TRUE(e.description().contains(
                    (c.programFolderSet ? program : named).filePath("libquillmark.so")))
                    << e.description().toStdString();
            }
        } else {
            const QString expected = (c.expected == From::Program ? program : named).filePath("libquillmark.so");
            EXPECT_TRUE(CreateQuillmarkTagObject().isSet());
            EXPECT_EQ(QuillmarkLoader::LoadedPath(), expected);
        }
    }
}

TEST_F(Loader, WithoutTheLibraryTheProgramRunsOnAndUsesAreError91) {
    QuillmarkLoader::SetSearchFoldersForTesting({programDir.path()});  // an empty folder
    ScriptedUi ui;
    ID3v2TagObject gobjID3v2Tag;
    // The start procedure's step, as it runs it.
    ResumeNext([&] {
        WithTrail(QStringLiteral("InitialiseQuillmarkClass"), [&] { gobjID3v2Tag = CreateQuillmarkTagObject(); });
    });
    // ... and the program goes on from here.
    EXPECT_FALSE(gobjID3v2Tag.isSet());
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].style & Mb::IconMask, Mb::Critical);
    EXPECT_TRUE(ui.shown[0].prompt.contains(QStringLiteral("libquillmark.so"))) << ui.shown[0].prompt.toStdString();
    EXPECT_TRUE(ui.shown[0].prompt.contains(QStringLiteral("|InitialiseQuillmarkClass")));

    const std::function<void()> uses[] = {
        [&] { gobjID3v2Tag.ReadTag(QStringLiteral("/x.mp3")); },
        [&] { (void)gobjID3v2Tag.HasTag(); },
        [&] { gobjID3v2Tag.WriteTag(QStringLiteral("/x.mp3"), false); },
        [&] { gobjID3v2Tag.RemoveTag(QStringLiteral("/x.mp3"), false); },
        [&] { (void)gobjID3v2Tag.GetFrameValue(quillmark::eTitle); },
        [&] { gobjID3v2Tag.SetFrameValue(quillmark::eTitle, QStringLiteral("x")); },
        [&] { gobjID3v2Tag.ReadTagFromBytes(QStringLiteral("/x.mp3"), "ID3", 3); },
    };
    for (const auto& use : uses) {
        try {
            use();
            ADD_FAILURE() << "no error";
        } catch (const SvError& e) {
            EXPECT_EQ(e.number(), ErrNo::ObjectNotSet);
        }
    }
}

TEST_F(Loader, AFileThatIsNoLibraryIsALoadError) {
    QFile bogus(programDir.filePath("libquillmark.so"));
    ASSERT_TRUE(bogus.open(QIODevice::WriteOnly));
    bogus.write("not a shared library");
    bogus.close();
    QuillmarkLoader::SetSearchFoldersForTesting({programDir.path()});
    try {
        (void)CreateQuillmarkTagObject();
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::ErrorLoadingLibrary);
        EXPECT_TRUE(e.description().contains(programDir.filePath("libquillmark.so")));
    }
}

}  // namespace
