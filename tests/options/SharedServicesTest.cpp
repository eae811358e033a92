// The small shared services: separators, double-barrelled words, lengths,
// font descriptions, the common dialogs, the context-menu indicator, colours.

#include "foundation/Dialogs.h"
#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"
#include "foundation/SharedServices.h"
#include "foundation/ui/QtDialogs.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedDialogs.h"

#include <QLabel>
#include <QPalette>
#include <QWidget>
#include "support/RecordingDesktop.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(SharedServices, IsSeparatorFollowsTheEnableFlags) {
    using Flags = std::array<bool, 6>;
    struct Case {
        Flags flags;
        const char* user1;
        const char* user2;
        const char* character;
        bool includeBlanks;
        bool expected;
    };
    const Flags hyphenOnly = {true, false, false, false, false, false};
    const Case cases[] = {
        {hyphenOnly, " ", " ", "_", false, false},
        {hyphenOnly, " ", " ", "_", true, true},
        {hyphenOnly, " ", " ", " ", false, false},
        {hyphenOnly, " ", " ", " ", true, true},
        {hyphenOnly, " ", " ", "-", false, true},
        {hyphenOnly, " ", " ", "~", false, false},
        {{false, true, false, false, false, false}, " ", " ", "~", false, true},
        {{false, false, false, false, false, false}, " ", " ", "-", true, false},
        {{false, false, true, true, false, false}, " ", " ", ";", false, true},
        {{false, false, true, true, false, false}, " ", " ", ",", false, true},
        // User separators count only with their own flag.
        {{false, false, false, false, true, false}, "#", "+", "#", false, true},
        {{false, false, false, false, true, false}, "#", "+", "+", false, false},
        {{false, false, false, false, false, true}, "#", "+", "+", false, true},
        // An enabled user separator stored empty is a blank.
        {{false, false, false, false, false, true}, "#", " ", " ", false, true},
        // Exact comparison: one character, letter case counts.
        {{false, false, false, false, true, false}, "x", " ", "X", false, false},
        {hyphenOnly, " ", " ", "--", false, false},
    };
    ScopedOptions options;
    for (const Case& c : cases) {
        Options().Coordinator.blnSourceSeparators = c.flags;
        Options().Coordinator.strSourceSeparators = {QString::fromUtf8(c.user1), QString::fromUtf8(c.user2)};
        EXPECT_EQ(IsSeparator(QString::fromUtf8(c.character), c.includeBlanks), c.expected)
            << "'" << c.character << "' blanks " << c.includeBlanks;
    }
}

TEST(SharedServices, IsDoubleBarrelNeedsALetterOnEachSide) {
    struct Case {
        QString text;
        int position;
        bool option;
        bool expected;
    };
    const Case cases[] = {
        {"Jean-Luc", 5, true, true},
        {"Jean-Luc", 5, false, false},
        {"Jean-Luc", 4, true, false},   // not a hyphen
        {"-ab", 1, true, false},        // first position
        {"ab-", 3, true, false},        // last position
        {"3-D", 2, true, false},        // digit before
        {"a-3", 2, true, false},        // digit after
        {"a--b", 2, true, false},
        {QString::fromUtf8("é-Ø"), 2, true, true},       // Latin-1 letters
        {QString::fromUtf8("a-×"), 2, true, false},      // multiplication sign
        {QString::fromUtf8("÷-a"), 2, true, false},      // division sign
        {QString::fromUtf8("Ω-a"), 2, true, false},      // beyond Latin-1
        {"a-b", 0, true, false},
        {"a-b", -1, true, false},
        {"a-b", 9, true, false},
        {"", 1, true, false},
    };
    ScopedOptions options;
    for (const Case& c : cases) {
        Options().Coordinator.blnDoubleBarrel = c.option;
        EXPECT_EQ(IsDoubleBarrel(c.text, c.position), c.expected) << c.text.toStdString() << " @" << c.position;
    }
}

TEST(SharedServices, TimeFromSecondsPadsEveryPart) {
    const std::pair<int64_t, const char*> cases[] = {
        {0, "00:00:00"},       {59, "00:00:59"},        {60, "00:01:00"},
        {3599, "00:59:59"},    {3600, "01:00:00"},      {3725, "01:02:05"},
        {86399, "23:59:59"},   {86400, "24:00:00"},     {360000, "100:00:00"},
        {-5, "00:00:00"},      {std::numeric_limits<int32_t>::max(), "596523:14:07"},
        {3000000000LL, "833333:20:00"},
    };
    for (const auto& [seconds, expected] : cases) EXPECT_EQ(TimeFromSeconds(seconds), expected) << seconds;
}

TEST(SharedServices, GetFontTakesADescriptionApart) {
    struct Case {
        const char* description;
        const char* face;
        const char* size;
        const char* colour;
        bool italic, bold, underline;
    };
    const Case cases[] = {
        {"Font: Default, Size Default, Colour Default", "Default", "Default", "Default", false, false, false},
        {"Font: Tahoma, Size +2, Colour lime, Bold", "Tahoma", "+2", "lime", false, true, false},
        {"Font: Comic Sans MS, Size Default, Colour lime", "Comic Sans MS", "Default", "lime", false, false, false},
        {"Font: Tahoma, Size 3, Colour lime Underline", "Tahoma", "3", "lime", false, false, true},
        {"Font: Arial, Size -1, Colour #FF0000, Bold Italic Underline", "Arial", "-1", "#FF0000", true, true, true},
        {"Font: Arial, Size 2, Colour , Italic", "Arial", "2", "", true, false, false},
        {"Font: Arial, Size 2, Colour ", "Arial", "2", "", false, false, false},
        {"Font: Arial, Size 2, Colour  Underline", "Arial", "2", "", false, false, true},
        {"Font: Arial, Helvetica, sans-serif, Size 4, Colour navy", "Arial, Helvetica, sans-serif", "4", "navy",
         false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        QString face, size, colour;
        bool italic = false, bold = false, underline = false;
        GetFont(QString::fromUtf8(c.description), face, size, colour, italic, bold, underline);
        EXPECT_EQ(face, QString::fromUtf8(c.face));
        EXPECT_EQ(size, QString::fromUtf8(c.size));
        EXPECT_EQ(colour, QString::fromUtf8(c.colour));
        EXPECT_EQ(italic, c.italic);
        EXPECT_EQ(bold, c.bold);
        EXPECT_EQ(underline, c.underline);
    }
}

TEST(SharedServices, GetFontNeverClearsAFlag) {
    QString face, size, colour;
    bool italic = true, bold = true, underline = true;
    GetFont("Font: Default, Size Default, Colour Default", face, size, colour, italic, bold, underline);
    EXPECT_TRUE(italic && bold && underline);
}

TEST(SharedServices, GetFontRefusesAnIncompleteDescription) {
    const char* cases[] = {"Font: Tahoma", "Font: Tahoma, Size 2", "Font: , Size 1, Colour red", ""};
    for (const char* description : cases) {
        SCOPED_TRACE(description);
        QString face, size, colour;
        bool italic = false, bold = false, underline = false;
        try {
            GetFont(QString::fromUtf8(description), face, size, colour, italic, bold, underline);
            ADD_FAILURE() << "no error";
        } catch (const SvError& e) {
            EXPECT_EQ(e.number(), ErrNo::InvalidCall);
            EXPECT_TRUE(e.description().endsWith(QStringLiteral("|GetFont;") + QString::fromUtf8(description) +
                                                  QStringLiteral(";;;;False;False;False")))
                << e.description().toStdString();
        }
    }
}

// ---- dialogs -------------------------------------------------------------

class DialogTest : public ::testing::Test {
protected:
    DialogTest() {
        window.setObjectName("FormPlaylistManager");
        file.Flags = Cdl::OFNFileMustExist | Cdl::OFNHideReadOnly | Cdl::OFNOverwritePrompt;
    }
    QObject window;
    CommonDialog file{&window, QStringLiteral("CommonDialogFile")};
    CommonDialog colour{&window, QStringLiteral("CommonDialogColour")};
    ScriptedDialogs dialogs;
};

TEST_F(DialogTest, FileDialogsReturnTheChosenName) {
    QTemporaryDir music;
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile("/music/list.m3u"));
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile("/music/new.pls"));
    QString name = "old.m3u";
    EXPECT_TRUE(DisplayCommonDialogOpen(file, "Open Playlist", "Playlist Files|*.m3u;*.pls", name, music.path()));
    EXPECT_EQ(name, "/music/list.m3u");
    EXPECT_TRUE(DisplayCommonDialogSave(file, "Save Playlist", "M3U|*.m3u", name, "/tmp"));
    EXPECT_EQ(name, "/music/new.pls");

    ASSERT_EQ(dialogs.shown.size(), 2u);
    const ShownDialog& open = dialogs.shown[0];
    EXPECT_EQ(open.kind, CommonDialog::Kind::Open);
    EXPECT_EQ(open.name, "CommonDialogFile");
    EXPECT_EQ(open.title, "Open Playlist");
    EXPECT_EQ(open.filter, "Playlist Files|*.m3u;*.pls");
    EXPECT_EQ(open.fileName, "old.m3u");
    EXPECT_EQ(open.initDir, music.path());
    EXPECT_EQ(open.flags, 4102);  // the window's own flags are left alone
    EXPECT_EQ(dialogs.shown[1].kind, CommonDialog::Kind::Save);
    EXPECT_EQ(dialogs.shown[1].fileName, "/music/list.m3u");
}

TEST_F(DialogTest, FileDialogsStartInTheirFolderElseTheLastOneUsedElseHome) {
    QTemporaryDir first, second;
    const QString gone = first.path() + "/no such folder";
    struct Step {
        const char* what;
        QString initDir;
        QString chosen;  // empty: cancelled
        QString startsIn;
    };
    // A dialog without an existing folder of its own starts where the last
    // file was chosen, and at home when that folder is gone too.
    const Step steps[] = {
        {"its own folder", second.path(), first.path() + "/a.scn", second.path()},
        {"no folder: the last one used", "", "", first.path()},
        {"a folder that is gone: the last one used", gone, second.path() + "/b.scn", first.path()},
        {"the last one used moves with each choice", "", "", second.path()},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        if (!step.chosen.isEmpty()) dialogs.answers.push_back(ScriptedDialogs::ChooseFile(step.chosen));
        QString name;
        DisplayCommonDialogSave(file, "Save", "Scan Results (*.scn)|*.scn", name, step.initDir);
        EXPECT_EQ(dialogs.shown.back().initDir, step.startsIn);
        EXPECT_EQ(file.InitDir, step.initDir);  // the window's own value is kept
    }
    // Once the last folder used is gone too, home.
    second.remove();
    QString name;
    DisplayCommonDialogOpen(file, "Open", "", name, "");
    EXPECT_EQ(dialogs.shown.back().initDir, QDir::homePath());
}

TEST_F(DialogTest, CancelledFileDialogKeepsTheNameGiven) {
    QString name = "keep.scn";
    EXPECT_FALSE(DisplayCommonDialogOpen(file, "Load Scan Results", "Scan Results (*.scn)|*.scn", name, ""));
    EXPECT_FALSE(DisplayCommonDialogSave(file, "Save Scan Results", "Scan Results (*.scn)|*.scn", name, ""));
    EXPECT_EQ(name, "keep.scn");
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST_F(DialogTest, OtherDialogErrorsTravelUpWithTheCallSite) {
    dialogs.answers.push_back([](CommonDialog&) -> bool { RaiseError(ErrNo::PathNotFound); });
    QString name = "a.sim";
    try {
        DisplayCommonDialogOpen(file, "Load", "Sim|*.sim", name, "/x");
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::PathNotFound);
        EXPECT_TRUE(e.description().endsWith("|DisplayCommonDialogOpen;FormPlaylistManager;Load;Sim|*.sim;a.sim;/x"))
            << e.description().toStdString();
    }
    EXPECT_EQ(name, "a.sim");
}

TEST_F(DialogTest, WithoutADialogUiEveryDialogIsCancelled) {
    IDialogUi* scripted = SetDialogUi(nullptr);
    QString name = "x";
    EXPECT_FALSE(DisplayCommonDialogOpen(file, "t", "", name, ""));
    int32_t value = 5;
    EXPECT_FALSE(ColourFromDialog(colour, value, 0, "PictureColour"));
    EXPECT_EQ(value, 5);
    SetDialogUi(scripted);
}

TEST_F(DialogTest, ColourDialogIsPresetAndItsChoiceTaken) {
    dialogs.answers.push_back(ScriptedDialogs::ChooseColour(0x00FF00));
    int32_t swatch = 255;
    EXPECT_TRUE(ColourFromDialog(colour, swatch, Cdl::CCFullOpen, "PictureColour"));
    EXPECT_EQ(swatch, 0x00FF00);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, CommonDialog::Kind::Colour);
    EXPECT_EQ(dialogs.shown[0].name, "CommonDialogColour");
    EXPECT_EQ(dialogs.shown[0].flags, 3);  // the preset flag added
    EXPECT_EQ(dialogs.shown[0].color, 255);

    dialogs.answers.push_back(ScriptedDialogs::Cancel());
    EXPECT_FALSE(ColourFromDialog(colour, swatch, Cdl::CCFullOpen, "PictureColour"));
    EXPECT_EQ(swatch, 0x00FF00);
}

TEST_F(DialogTest, SwatchWidgetTakesTheChosenColour) {
    QLabel swatch;
    swatch.setObjectName("PictureFill");
    SetSwatchColour(&swatch, static_cast<int32_t>(0x8000000F));  // button face
    EXPECT_EQ(swatch.palette().color(swatch.backgroundRole()), swatch.palette().color(QPalette::Button));

    dialogs.answers.push_back(ScriptedDialogs::ChooseColour(0xFF0000));  // blue
    EXPECT_TRUE(ColourFromDialog(colour, &swatch, Cdl::CCFullOpen));
    EXPECT_EQ(dialogs.shown[0].color, static_cast<int32_t>(0x8000000F));
    EXPECT_EQ(SwatchColour(&swatch), 0xFF0000);
    EXPECT_EQ(swatch.palette().color(swatch.backgroundRole()), QColor(0, 0, 255));

    EXPECT_FALSE(ColourFromDialog(colour, &swatch, Cdl::CCFullOpen));  // cancelled
    EXPECT_EQ(SwatchColour(&swatch), 0xFF0000);
}

TEST(SharedServices, QtFiltersFromDialogFilters) {
    EXPECT_EQ(QtNameFilters("Scan Results (*.scn)|*.scn"), QStringList{"Scan Results (*.scn) (*.scn)"});
    EXPECT_EQ(QtNameFilters("All Supported Types|*.wav;*.mp3|Wave|*.wav"),
              (QStringList{"All Supported Types (*.wav *.mp3)", "Wave (*.wav)"}));
    EXPECT_TRUE(QtNameFilters("").isEmpty());
}

// ---- indicator, shell, colours --------------------------------------------

TEST(SharedServices, ContextMenuIndicatorComesToTheFrontOrGoesBack) {
    QWidget form;
    form.setObjectName("FormDuplicateFinder");
    auto* green = new QLabel(&form);
    green->setObjectName("ImageGreenIndicator");
    auto* red = new QLabel(&form);
    red->setObjectName("ImageRedIndicator");

    ShowContextMenuIndicator(&form, true);
    EXPECT_EQ(form.children().last(), green);
    ShowContextMenuIndicator(&form, false);
    EXPECT_EQ(form.children().first(), green);

    QWidget bare;
    bare.setObjectName("FormCDRipper");
    try {
        ShowContextMenuIndicator(&bare, true);
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::MemberNotFound);
        EXPECT_TRUE(e.description().endsWith("|ShowContextMenuIndicator;FormCDRipper;True"));
    }
}

TEST(SharedServices, OpenWebBrowserReportsTheDesktopsAnswer) {
    RecordingDesktop desktop;
    EXPECT_TRUE(OpenWebBrowser("https://www.brellick.example/"));
    EXPECT_FALSE(OpenWebBrowser("/no/such/folder/index.htm"));
    desktop.webOpens = false;
    EXPECT_FALSE(OpenWebBrowser("mailto:support@brellick.example"));
    EXPECT_FALSE(OpenWebBrowser(""));
    EXPECT_EQ(desktop.opened, QStringList{"https://www.brellick.example/"});
}

TEST(SharedServices, ColourValuesPaintAsColoursAndSystemColoursFromThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Text, QColor(1, 2, 3));
    palette.setColor(QPalette::Button, QColor(4, 5, 6));
    palette.setColor(QPalette::Base, QColor(7, 8, 9));
    EXPECT_EQ(PaintColour(255, palette), QColor(255, 0, 0));
    EXPECT_EQ(PaintColour(0x00C00000, palette), QColor(0, 0, 0xC0));
    EXPECT_EQ(PaintColour(0x808080, palette), QColor(128, 128, 128));
    EXPECT_EQ(PaintColour(static_cast<int32_t>(0x80000008), palette), QColor(1, 2, 3));  // window text
    EXPECT_EQ(PaintColour(static_cast<int32_t>(0x8000000F), palette), QColor(4, 5, 6));  // button face
    EXPECT_EQ(PaintColour(static_cast<int32_t>(0x80000005), palette), QColor(7, 8, 9));  // window background
    EXPECT_EQ(ColourValue(QColor(0x12, 0x34, 0x56)), 0x563412);
    EXPECT_FALSE(IsSystemColour(ColourValue(QColor(255, 255, 255))));
}

}  // namespace
