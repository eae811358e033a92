// The first run: the starting values, the marker, the list-file registrations.

#include "OptionsFixture.h"

#include "foundation/FirstRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <set>

namespace {

struct Expected {
    const char* section;
    const char* key;
    const char* value;
};

// Every value the first run stores, as stored text.
const Expected kStartingValues[] = {
    {"ComboFilenameFormat", "Text", "%N2 - :%A - :%T"},
    {"ComboFilenameFormat", "1", "%N1 - :%A - :%T"},
    {"ComboFilenameFormat", "2", "%N2 :%L - :%A - :%T"},
    {"ComboFilenameFormat", "3", "%L - :%N2 - :%A - :%T"},
    {"ComboFilenameFormat", "4", "%N2 - :%T"},
    {"CSWFrom", "0", "vs"},
    {"CSWFrom", "1", "featuring"},
    {"CSWFrom", "2", "feat"},
    {"CSWTo", "0", "vs."},
    {"CSWTo", "1", "feat."},
    {"CSWTo", "2", "feat."},
    {"SpecialWordsFormat", "0", "5"},
    {"SpecialWordsFormat", "3", "3"},
    {"SpecialWordsFormat", "1", "7"},
    {"SpecialWordsFormat", "4", "7"},
    {"SpecialWordsFormat", "01", "ABBA"},
    {"SpecialWordsFormat", "02", "REM"},
    {"SpecialWordsFormat", "03", "MC"},
    {"SpecialWordsFormat", "04", "DJ"},
    {"SpecialWordsFormat", "05", "USA"},
    {"SpecialWordsFormat", "31", "UK"},
    {"SpecialWordsFormat", "32", "USA"},
    {"SpecialWordsFormat", "33", "USSR"},
    {"SpecialWordsFormat", "11", "a"},
    {"SpecialWordsFormat", "12", "an"},
    {"SpecialWordsFormat", "13", "and"},
    {"SpecialWordsFormat", "14", "in"},
    {"SpecialWordsFormat", "15", "is"},
    {"SpecialWordsFormat", "16", "of"},
    {"SpecialWordsFormat", "17", "the"},
    {"SpecialWordsFormat", "41", "a"},
    {"SpecialWordsFormat", "42", "an"},
    {"SpecialWordsFormat", "43", "and"},
    {"SpecialWordsFormat", "44", "in"},
    {"SpecialWordsFormat", "45", "is"},
    {"SpecialWordsFormat", "46", "of"},
    {"SpecialWordsFormat", "47", "the"},
    {"MusicCataloguerHTML", "NumColumnHeadings", "5"},
    {"MusicCataloguerHTML", "ColumnHeading1", "File Name"},
    {"MusicCataloguerHTML", "ColumnHeading2", "Artist"},
    {"MusicCataloguerHTML", "ColumnHeading3", "Title"},
    {"MusicCataloguerHTML", "ColumnHeading4", "Length"},
    {"MusicCataloguerHTML", "ColumnHeading5", "File Size"},
    {"MusicCataloguerHTML", "SortBy", "1"},
    {"MusicCataloguerHTML", "SortKey", "Artist"},
    {"MusicCataloguerHTML", "SortOrder", "0"},
    {"MusicCataloguerHTML", "ListTextFont", "Font: Tahoma, Size Default, Colour lime"},
    {"MusicCataloguerHTML", "ListTextColour", "black"},
    {"MusicCataloguerHTML", "HeaderFont0", "Font: Default, Size Default, Colour Default"},
    {"MusicCataloguerHTML", "HeaderFont1", "Font: Tahoma, Size +2, Colour lime, Bold"},
    {"MusicCataloguerHTML", "HeaderFont2", "Font: Tahoma, Size Default, Colour lime"},
    {"MusicCataloguerHTML", "HeaderFont3", "Font: Tahoma, Size Default, Colour lime"},
    {"MusicCataloguerHTML", "HeaderFont4", "Font: Comic Sans MS, Size Default, Colour lime"},
    {"MusicCataloguerHTML", "HeaderColour0", "black"},
    {"MusicCataloguerHTML", "HeaderColour1", "black"},
    {"MusicCataloguerHTML", "HeaderColour2", "black"},
    {"MusicCataloguerHTML", "HeaderColour4", "darkgreen"},
    {"MusicCataloguerHTML", "HeaderColour3", "darkgreen"},
    {"MusicCataloguerHTML", "PageColour0", "black"},
    {"MusicCataloguerHTML", "PageColour1", "lime"},
    {"MusicCataloguerHTML", "PageColour3", "blue"},
    {"MusicCataloguerHTML", "PageColour2", "lightblue"},
    {"MusicCataloguerHTML", "PageColour4", "lime"},
    {"MusicCataloguerText", "NumColumnHeadings", "5"},
    {"MusicCataloguerText", "ColumnHeading1", "File Name"},
    {"MusicCataloguerText", "ColumnHeadingWidth1", "36"},
    {"MusicCataloguerText", "ColumnHeading2", "Artist"},
    {"MusicCataloguerText", "ColumnHeadingWidth2", "20"},
    {"MusicCataloguerText", "ColumnHeading3", "Title"},
    {"MusicCataloguerText", "ColumnHeadingWidth3", "25"},
    {"MusicCataloguerText", "ColumnHeading4", "Length"},
    {"MusicCataloguerText", "ColumnHeadingWidth4", "8"},
    {"MusicCataloguerText", "ColumnHeading5", "File Size"},
    {"MusicCataloguerText", "ColumnHeadingWidth5", "9"},
    {"MusicCataloguerText", "SortBy", "1"},
    {"MusicCataloguerText", "SortKey", "Artist"},
    {"MusicCataloguerText", "SortOrder", "0"},
    {"ComboFontCombination", "Text", "Default"},
    {"ComboFontCombination", "1", "Arial, Helvetica, sans-serif"},
    {"ComboFontCombination", "2", "Times New Roman, Times, serif"},
    {"ComboFontCombination", "3", "Courier New, Courier, mono"},
    {"ComboFontCombination", "4", "Georgia, Times New Roman, Times, serif"},
    {"ComboFontCombination", "5", "Verdana, Arial, Helvetica, sans-serif"},
    {"ComboFontCombination", "6", "Geneva, Arial, Helvetica, san-serif"},
};

using KeySet = std::set<std::pair<QString, QString>>;

KeySet foldedKeys(const QList<QPair<QString, QString>>& keys) {
    KeySet set;
    for (const auto& k : keys) set.insert({k.first.toLower(), k.second.toLower()});
    return set;
}

bool Marked() { return GetOptionSetting("Settings", "Initialised", "False", SettingType::Boolean).toBool(); }

bool Registered(AssociatedType type) { return QFileInfo::exists(AssociationDesktopFile(type)); }

class FirstRunTest : public OptionsTest {
protected:
    // As the program does at start-up.
    FirstRunTest() { InstallFirstRunAssociations(); }
    ~FirstRunTest() override { SetFirstRunRegistrations({}); }
};

TEST_F(FirstRunTest, EmptyStoreGetsEveryStartingValueThenTheMarker) {
    InitialiseFirstTimeOptions();

    KeySet expected;
    for (const Expected& e : kStartingValues) {
        EXPECT_EQ(Stored(e.section, e.key), QString::fromUtf8(e.value)) << e.section << "/" << e.key;
        expected.insert({QString::fromUtf8(e.section).toLower(), QString::fromUtf8(e.key).toLower()});
    }
    ASSERT_EQ(expected.size(), 84u);
    expected.insert({"settings", "initialised"});
    // Nothing else: no preferences, no encoder section, no page properties.
    EXPECT_EQ(foldedKeys(StoredKeys()), expected);
    EXPECT_EQ(Stored("Settings", "Initialised"), "True");

    EXPECT_TRUE(Registered(AssociatedType::ScanResults));
    EXPECT_TRUE(Registered(AssociatedType::SimulateResults));
    EXPECT_FALSE(Registered(AssociatedType::M3UPlaylist));
    EXPECT_FALSE(Registered(AssociatedType::PLSPlaylist));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FirstRunTest, StoredMarkerDecidesWhetherToRunAgain) {
    struct Case {
        const char* marker;
        bool runs;
    };
    const Case cases[] = {{"1", false}, {"True", false}, {"-1", false}, {"False", true}, {"0", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.marker);
        TempHome fresh;
        Store("Settings", "Initialised", c.marker);
        InitialiseFirstTimeOptions();
        EXPECT_EQ(Stored("ComboFilenameFormat", "Text").isNull(), !c.runs);
        EXPECT_EQ(Registered(AssociatedType::ScanResults), c.runs);
        EXPECT_EQ(StoredKeys().size(), c.runs ? 85 : 1);
        EXPECT_TRUE(Marked());
    }
}

TEST_F(FirstRunTest, MarkedStoreIsLeftAlone) {
    InitialiseFirstTimeOptions();
    DeleteOptionSetting("CSWFrom", "1");
    Store("ComboFilenameFormat", "Text", "%T");
    QFile::remove(AssociationDesktopFile(AssociatedType::ScanResults));

    InitialiseFirstTimeOptions();
    EXPECT_TRUE(Stored("CSWFrom", "1").isNull());
    EXPECT_EQ(Stored("ComboFilenameFormat", "Text"), "%T");
    EXPECT_FALSE(Registered(AssociatedType::ScanResults));
}

TEST_F(FirstRunTest, RemovedMarkerStoresTheStartingValuesAgainAndOnlyThose) {
    InitialiseFirstTimeOptions();
    Store("ComboFilenameFormat", "Text", "%T");
    Store("Preferences", "UseSkins", "0");
    DeleteOptionSetting("Settings", "Initialised");

    InitialiseFirstTimeOptions();
    EXPECT_EQ(Stored("ComboFilenameFormat", "Text"), "%N2 - :%A - :%T");
    EXPECT_EQ(Stored("Preferences", "UseSkins"), "0");
    EXPECT_TRUE(Marked());
}

TEST_F(FirstRunTest, InterruptedFirstRunLeavesNoMarkerAndIsRedone) {
    // While the list files are being registered, make the store unwritable
    // (a folder where its file belongs): every value stored after that fails.
    const QString store = SettingsStorePath();
    SetAssociationRefresher([&](const QString&) {
        EXPECT_FALSE(Marked()) << "the marker must come after the registrations";
        QDir().mkpath(store);
    });
    EXPECT_THROW(InitialiseFirstTimeOptions(), SvError);

    QDir(store).removeRecursively();
    EXPECT_FALSE(Marked());
    SetAssociationRefresher([](const QString&) {});
    InitialiseFirstTimeOptions();
    EXPECT_TRUE(Marked());
    EXPECT_EQ(StoredKeys().size(), 85);
}

TEST_F(FirstRunTest, FailedRegistrationIsReportedAndTheRestIsStored) {
    // A file where the desktop entries' folder belongs.
    const QString applications = home.file("data/applications");
    QFile blocker(applications);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    InitialiseFirstTimeOptions();

    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[0].style & Mb::IconMask, Mb::Critical);
    EXPECT_TRUE(ui.shown[0].prompt.contains("SetScanResultsFilesAssociation")) << ui.shown[0].prompt.toStdString();
    EXPECT_TRUE(ui.shown[1].prompt.contains("SetSimResultsFilesAssociation")) << ui.shown[1].prompt.toStdString();
    EXPECT_EQ(StoredKeys().size(), 85);
    EXPECT_TRUE(Marked());
}

TEST_F(FirstRunTest, UnreadableMarkerIsAnErrorWithTheTrail) {
    Store("Settings", "Initialised", "yes");
    try {
        InitialiseFirstTimeOptions();
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::TypeMismatch);
        EXPECT_TRUE(e.description().endsWith("|InitialiseFirstTimeOptions")) << e.description().toStdString();
    }
    EXPECT_EQ(StoredKeys().size(), 1);
}

}  // namespace
