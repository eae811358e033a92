// The settings pairs of the launcher bar and the tool windows: what each
// writes (sections, keys, texts, order), that the next run reads the same
// state back, the first-run defaults, and what a bad entry does.

#include "windowsettings/SettingsFixture.h"

#include "foundation/AppPaths.h"
#include "options/WindowSettings.h"
#include "support/ScopedEnvironment.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <optional>

namespace {

// Writes `state`, compares the store with `expected`, reads it back into a
// fresh record and compares that with `state`.
template <typename Record, typename ReadBack>
void ExpectRoundTrip(const Record& state, const std::vector<StoredRow>& expected, ReadBack readBack) {
    state.Write();
    EXPECT_EQ(SettingsTest::Contents(), expected);
    Record back;
    readBack(back);
    EXPECT_TRUE(back == state);
}

using WindowSettingsTest = SettingsTest;

}  // namespace

TEST_F(WindowSettingsTest, LauncherBar) {
    ExpectRoundTrip(IntegratorSettings{false}, {{"Integrator", "StayOnTop", "0"}}, [](auto& r) { r.Read(); });
}

TEST_F(WindowSettingsTest, ScanningCentre) {
    ScanningCentreSettings s;
    s.SelectedFolder = "/music/Rock & Roll";
    s.CheckIncSubfolders = true;
    s.ListViewScanResultsSort = {true, 4, 1};
    s.ListViewScanResultsColumns.Widths = {1440, 0, 2880.5};
    ExpectRoundTrip(s,
                    {{"MP3ScanningCentre", "SelectedFolder", "/music/Rock & Roll"},
                     {"MP3ScanningCentre", "IncludeSubfolders", "1"},
                     {"ListViewScanResults", "Sorted", "True"},
                     {"ListViewScanResults", "SortKey", "4"},
                     {"ListViewScanResults", "SortOrder", "1"},
                     {"ListViewScanResults", "1Visible", "True"},
                     {"ListViewScanResults", "1Width", "1440"},
                     {"ListViewScanResults", "2Visible", "False"},
                     {"ListViewScanResults", "3Visible", "True"},
                     {"ListViewScanResults", "3Width", "2880.5"}},
                    [](auto& r) { r.Read(3); });
}

TEST_F(WindowSettingsTest, Coordinator) {
    ExpectRoundTrip(FileNameTagCoordinatorSettings{false, true, false, {true, 2, 0}},
                    {{"FileNameTagCoordinator", "FormatFileName", "0"},
                     {"FileNameTagCoordinator", "ChangeID3v1Tag", "1"},
                     {"FileNameTagCoordinator", "ChangeID3v2Tag", "0"},
                     {"ListViewSimResults", "Sorted", "True"},
                     {"ListViewSimResults", "SortKey", "2"},
                     {"ListViewSimResults", "SortOrder", "0"}},
                    [](auto& r) { r.Read(); });
}

TEST_F(WindowSettingsTest, MusicCataloguer) {
    MusicCataloguerSettings s;
    s.OptionHTMLOutput = false;
    s.OptionTextOutput = true;
    s.OptionID3v1Pref = false;
    s.OptionID3v2Pref = true;
    s.TextOutputFileName = "Jazz, Blues & more";
    s.TextEntriesPerPage = "250";
    s.RichViewer = {"DejaVu Sans Mono", 10.5, false, true};
    ExpectRoundTrip(s,
                    {{"MusicCataloguer", "HTMLOutput", "False"},
                     {"MusicCataloguer", "TextOutput", "True"},
                     {"MusicCataloguer", "ID3v1Pref", "False"},
                     {"MusicCataloguer", "ID3v2Pref", "True"},
                     {"MusicCataloguer", "OutputFileName", "Jazz, Blues & more"},
                     {"MusicCataloguer", "NumEntriesPerPage", "250"},
                     {"RichViewer", "FontName", "DejaVu Sans Mono"},
                     {"RichViewer", "FontSize", "10.5"},
                     {"RichViewer", "FontItalic", "False"},
                     {"RichViewer", "FontBold", "True"}},
                    [](auto& r) { r.Read(); });
}

TEST_F(WindowSettingsTest, PlaylistManager) {
    ExpectRoundTrip(PlaylistManagerSettings{2, true, false},
                    {{"PlaylistManager", "PlaylistFormat", "2"},
                     {"PlaylistManager", "TitleInfo", "True"},
                     {"PlaylistManager", "FileInfo", "False"}},
                    [](auto& r) { r.Read(); });
}

TEST_F(WindowSettingsTest, EncoderDecoder) {
    ExpectRoundTrip(EncoderDecoderSettings{{true, 1, 1}},
                    {{"ListViewFiles", "Sorted", "True"},
                     {"ListViewFiles", "SortKey", "1"},
                     {"ListViewFiles", "SortOrder", "1"}},
                    [](auto& r) { r.Read(); });
}

TEST_F(WindowSettingsTest, CDRipper) {
    CDRipperSettings s;
    s.TextOutputDirectory = "/home/me/Rips";
    ExpectRoundTrip(s, {{"CDRipper", "OutputDirectory", "/home/me/Rips"}}, [](auto& r) { r.Read(); });
}

TEST_F(WindowSettingsTest, AnEmptyStoreGivesTheFirstRunStateOfEveryWindow) {
    SetAppPathForTesting("/opt/Sonivard");
    IntegratorSettings bar{false};
    bar.Read();
    EXPECT_TRUE(bar.CheckStayOnTop);

    ScanningCentreSettings main;
    main.Read(2);
    EXPECT_EQ(main.SelectedFolder, "");
    EXPECT_FALSE(main.CheckIncSubfolders);
    EXPECT_EQ(main.ListViewScanResultsSort, (ListSortSettings{false, 0, 0}));
    EXPECT_EQ(main.ListViewScanResultsColumns.Widths, (std::vector<double>{1440, 1440}));

    FileNameTagCoordinatorSettings coordinator{false, false, false, {true, 3, 1}};
    coordinator.Read();
    EXPECT_EQ(coordinator, (FileNameTagCoordinatorSettings{true, true, true, {false, 0, 0}}));

    MusicCataloguerSettings cataloguer;
    cataloguer.OptionHTMLOutput = cataloguer.OptionID3v1Pref = false;
    cataloguer.Read();
    EXPECT_TRUE(cataloguer.OptionHTMLOutput && !cataloguer.OptionTextOutput);
    EXPECT_TRUE(cataloguer.OptionID3v1Pref && !cataloguer.OptionID3v2Pref);
    EXPECT_EQ(cataloguer.TextEntriesPerPage, "100");
    EXPECT_EQ(cataloguer.TextOutputFileName, "My Music Collection");
    EXPECT_EQ(cataloguer.RichViewer, FontSettings{});

    PlaylistManagerSettings playlists{1, true, false};
    playlists.Read();
    EXPECT_EQ(playlists, (PlaylistManagerSettings{0, false, true}));

    CDRipperSettings ripper;
    ripper.TextOutputDirectory = "/elsewhere";
    ripper.Read();
    EXPECT_EQ(ripper.TextOutputDirectory, UserMusicFolder());
    EXPECT_NE(ripper.TextOutputDirectory, "/opt/Sonivard");
    SetAppPathForTesting(QString());
}

// The CD Ripper's first output folder is one the user may write to: the
// music folder the user's folder settings name, else the home folder.
TEST_F(WindowSettingsTest, TheRipperStartsInTheUsersMusicFolder) {
    const QString fakeHome = home.file("me");
    QDir().mkpath(fakeHome + "/Tunes");
    QDir().mkpath(home.file("Shared Music"));
    ScopedEnvironment homeVariable("HOME", QFile::encodeName(fakeHome));
    ScopedEnvironment musicVariable("XDG_MUSIC_DIR", std::nullopt);
    const QString userDirs = home.file("config/user-dirs.dirs");
    const struct {
        const char* name;
        std::optional<QByteArray> variable;
        QByteArray userDirsFile;  // empty: no file
        QString folder;
    } cases[] = {
        {"nothing set", std::nullopt, "", fakeHome},
        {"the folder settings, under $HOME", std::nullopt,
         "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_MUSIC_DIR=\"$HOME/Tunes\"\n",
         fakeHome + "/Tunes"},
        {"the folder settings, a full path", std::nullopt,
         "XDG_MUSIC_DIR=\"" + QFile::encodeName(home.file("Shared Music")) + "/\"\n", home.file("Shared Music")},
        {"the environment first", QFile::encodeName(home.file("Shared Music")), "XDG_MUSIC_DIR=\"$HOME/Tunes\"\n",
         home.file("Shared Music")},
        {"a music folder that does not exist", std::nullopt, "XDG_MUSIC_DIR=\"$HOME/Music\"\n", fakeHome},
        {"a relative path", "Tunes", "", fakeHome},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        musicVariable.Set(c.variable);
        QFile::remove(userDirs);
        if (!c.userDirsFile.isEmpty()) WriteFile(home.file("config"), "user-dirs.dirs", c.userDirsFile);
        EXPECT_EQ(UserMusicFolder(), c.folder);
        EXPECT_EQ(CDRipperSettings().TextOutputDirectory, c.folder);
    }
}

TEST_F(WindowSettingsTest, KeysThatAreNotReadOrNotInRangeAreCorrected) {
    // The option pairs follow the keys that are read; their partners are
    // only written.
    Store("MusicCataloguer", "HTMLOutput", "False");
    Store("MusicCataloguer", "TextOutput", "False");
    Store("MusicCataloguer", "ID3v2Pref", "False");
    Store("PlaylistManager", "TitleInfo", "True");
    MusicCataloguerSettings cataloguer;
    cataloguer.Read();
    EXPECT_TRUE(cataloguer.OptionTextOutput);
    EXPECT_TRUE(cataloguer.OptionID3v1Pref);
    PlaylistManagerSettings playlists;
    playlists.Read();
    EXPECT_TRUE(playlists.OptionFileInfo);
    EXPECT_FALSE(playlists.OptionTitleInfo);

    struct Case {
        const char* stayOnTop;
        bool onTop;
        const char* format;
        int formatIndex;
        const char* subfolders;
        bool includeSubfolders;
    };
    const Case cases[] = {
        {"1", true, "1", 1, "1", true},     {"0", false, "2", 2, "0", false}, {"2", false, "3", 0, "2", true},
        {"-1", false, "-1", 0, "x", false}, {"on", false, "B4S", 0, "", false},
    };
    for (const Case& c : cases) {
        Store("Integrator", "StayOnTop", c.stayOnTop);
        Store("PlaylistManager", "PlaylistFormat", c.format);
        Store("MP3ScanningCentre", "IncludeSubfolders", c.subfolders);
        IntegratorSettings bar;
        bar.Read();
        PlaylistManagerSettings list;
        list.Read();
        ScanningCentreSettings main;
        main.Read(0);
        EXPECT_EQ(bar.CheckStayOnTop, c.onTop) << c.stayOnTop;
        EXPECT_EQ(list.ComboPlaylistFormat, c.formatIndex) << c.format;
        EXPECT_EQ(main.CheckIncSubfolders, c.includeSubfolders) << c.subfolders;
    }
}

TEST_F(WindowSettingsTest, ABadEntryEndsTheReadingAndNamesTheWindowsReader) {
    // What was read before the bad entry stays; the rest keeps the record's
    // state from before the reading.
    Store("MusicCataloguer", "HTMLOutput", "False");
    Store("MusicCataloguer", "ID3v1Pref", "yes");
    Store("MusicCataloguer", "NumEntriesPerPage", "25");
    MusicCataloguerSettings cataloguer;
    cataloguer.TextEntriesPerPage = "as designed";
    const auto [number, description] = ErrorOf([&] { cataloguer.Read(); });
    EXPECT_EQ(number, ErrNo::TypeMismatch);
    EXPECT_TRUE(description.endsWith("|ReadMusicCataloguerSettings")) << description.toStdString();
    EXPECT_TRUE(cataloguer.OptionTextOutput);
    EXPECT_EQ(cataloguer.TextEntriesPerPage, "as designed");

    // A bad sort entry names both the list's reader and the window's.
    Store("ListViewSimResults", "Sorted", "maybe");
    FileNameTagCoordinatorSettings coordinator;
    const auto [sortNumber, sortTrail] = ErrorOf([&] { coordinator.Read(); });
    EXPECT_EQ(sortNumber, ErrNo::TypeMismatch);
    EXPECT_TRUE(sortTrail.endsWith("|ReadSortSettings;ListViewSimResults|ReadFileNameTagCoordinatorSettings"))
        << sortTrail.toStdString();
}

TEST_F(WindowSettingsTest, SectionAndKeyNamesMatchIgnoringCase) {
    Store("mp3scanningcentre", "selectedfolder", "/music");
    Store("LISTVIEWSCANRESULTS", "sortkey", "6");
    ScanningCentreSettings main;
    main.Read(0);
    EXPECT_EQ(main.SelectedFolder, "/music");
    EXPECT_EQ(main.ListViewScanResultsSort.SortKey, 6);
    main.Write();
    // The first spelling stays.
    EXPECT_EQ(Contents().front(), (StoredRow{"mp3scanningcentre", "selectedfolder", "/music"}));
}
