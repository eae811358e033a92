// The program started twice over one settings folder: every window opened,
// changed and left by the first run comes back the same in the second
// (check boxes, options, text boxes, list sorts and column widths, a font,
// the place on the screen), the option dialogs open as they were confirmed
// (an unticked header title stays unticked), and a combo history typed into
// twice holds the entry once.  The start procedure runs in this process, as it does in the
// program, with the windows registered as the program registers them.

#include "windowsettings/SettingsFixture.h"

#include "cataloguer/ui/CataloguerDialogs.h"
#include "cataloguer/ui/HTMLFontDialog.h"
#include "cataloguer/ui/HeaderOptionsDialogs.h"
#include "cataloguer/ui/MusicCataloguer.h"
#include "coordinator/MassTaggingOverrides.h"
#include "coordinator/ui/FileNameTagCoordinator.h"
#include "coordinator/ui/MassTaggingOverrideTool.h"
#include "coordinator/ui/SimResultsView.h"
#include "duplicates/ui/DuplicateFinder.h"
#include "encoder/ui/EncoderDecoder.h"
#include "foundation/AppPaths.h"
#include "foundation/ToolWindows.h"
#include "foundation/ui/ListColumns.h"
#include "foundation/ui/WindowPositions.h"
#include "options/ui/ControlSettingsUi.h"
#include "options/ui/OptionsDialog.h"
#include "playlists/ui/PlaylistManager.h"
#include "ripper/ui/CDRipper.h"
#include "scanning/ui/FolderTree.h"
#include "scanning/ui/ScanResultsView.h"
#include "scanning/ui/ScanningCentre.h"
#include "foundation/WindowProtocol.h"
#include "shell/start/StartProcedure.h"
#include "shell/start/ui/StartHost.h"
#include "shell/ui/Launcher.h"
#include "app/ui/ProgramWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeView>
#include <QWidget>
#include <cmath>
#include <map>

namespace {

void DestroyClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Unloads whatever a test left loaded.
struct CloseAll {
    ~CloseAll() {
        for (IToolWindow* w : WindowRegistry::Loaded()) delete dynamic_cast<QWidget*>(w);
        DestroyClosedWindows();
    }
};

template <typename Window>
Window* Loaded(const QString& name) {
    return dynamic_cast<Window*>(WindowRegistry::Find(name));
}

// What a user sees of a list: its sort and every column's width.
struct ListState {
    ListSortSettings sort;
    std::vector<double> widths;
    bool operator==(const ListState&) const = default;
};
void PrintTo(const ListState& s, std::ostream* os) {
    *os << "sorted " << s.sort.Sorted << " key " << s.sort.SortKey << " order " << s.sort.SortOrder << " widths";
    for (double w : s.widths) *os << ' ' << w;
}
ListState StateOf(const QTreeView* list) {
    ListState state{TakeListSort(list), {}};
    for (int c = 0; c < list->model()->columnCount(); ++c) state.widths.push_back(std::round(ColumnWidthTwips(list, c)));
    return state;
}

// A click on a column header, as the user makes it.
void ClickHeader(QTreeView* list, int column) { emit list->header()->sectionClicked(column); }

// Everything the first run leaves and the second must find.
struct LeftState {
    std::map<QString, QPoint> places;
    ListState scanResults, simResults, encoderFiles;
    MassTaggingOverrides overrides;
};

// Types `text` into the Options dialog's file-name mask box and confirms the
// dialog, as the user does.
void TypeFileNameFormatAndConfirm(const QString& text) {
    DialogOptions dialog;
    emit dialog.ComboFileNameFormat->lineEdit()->textEdited(text);
    dialog.ComboFileNameFormat->setEditText(text);
    dialog.ComboFileNameFormat_LostFocus();
    dialog.OKButton_Click();
}

QStringList Entries(const QComboBox* box) {
    QStringList entries;
    for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
    return entries;
}

class ProgramRestartTest : public SettingsTest {
protected:
    void SetUp() override {
        SetScreenAreaForTesting(QRect(0, 0, 1280, 800));
        RegisterProgramWindows();
        // Check boxes of the Options dialog, in the form it stores them.
        Store("Preferences", "SplashScreen", "0");
        Store("Preferences", "RetainWindows", "1");
    }
    void TearDown() override { SetScreenAreaForTesting(QRect()); }

    static void Start() {
        StartHost host;
        Main(host, {});
    }
    // The program's own Exit: every window unloads and stores its settings.
    static void Exit() {
        FormIntegrator::Instance()->BtnExit_Click();
        DestroyClosedWindows();
        ASSERT_TRUE(WindowRegistry::Loaded().empty());
    }
    CloseAll closeAll;
};

}  // namespace

TEST_F(ProgramRestartTest, EveryWindowComesBackAsItWasLeft) {
    const QString music = home.file("music");
    const QString rips = home.file("rips");
    ASSERT_TRUE(QDir().mkpath(music + "/Jazz"));
    const QStringList tools{WindowNames::Coordinator,     WindowNames::MassTagging,    WindowNames::DuplicateFinder,
                            WindowNames::MusicCataloguer, WindowNames::PlaylistManager, WindowNames::EncoderDecoder,
                            WindowNames::CDRipper};
    LeftState left;

    // ---- first run: open every window and change what it keeps ----
    Start();
    for (const QString& name : tools) ASSERT_NE(WindowRegistry::Show(name), nullptr) << name.toStdString();

    FormIntegrator::Instance()->CheckStayOnTop_Click();  // not on top any more

    auto* main = Loaded<FormMP3ScanningCentre>(WindowNames::ScanningCentre);
    ASSERT_NE(main, nullptr);
    main->FolderTreeview->SetSelectedFolder(music + "/Jazz");
    ASSERT_EQ(main->FolderTreeview->SelectedFolder(), music + "/Jazz");
    main->mcheckIncSubfolders.Click();
    ASSERT_EQ(main->mcheckIncSubfolders.Value(), 1);
    ClickHeader(main->ListViewScanResults, 3);
    ClickHeader(main->ListViewScanResults, 3);  // the second click turns the order
    SetColumnWidthTwips(main->ListViewScanResults, 2, 0);
    SetColumnWidthTwips(main->ListViewScanResults, 5, 2880);
    left.scanResults = StateOf(main->ListViewScanResults);
    ASSERT_TRUE(left.scanResults.sort.Sorted);
    ASSERT_EQ(left.scanResults.widths[2], 0);

    auto* coordinator = Loaded<FormFileNameTagCoordinator>(WindowNames::Coordinator);
    ASSERT_NE(coordinator, nullptr);
    coordinator->CheckChangeID3v1Tag_Click();
    ASSERT_EQ(coordinator->mcheckChangeID3v1Tag.Value(), 0);
    ClickHeader(coordinator->ListViewSimResults, 2);
    left.simResults = StateOf(coordinator->ListViewSimResults);
    ASSERT_TRUE(left.simResults.sort.Sorted);

    auto* overrides = Loaded<DialogMassTaggingOverrideTool>(WindowNames::MassTagging);
    ASSERT_NE(overrides, nullptr);
    overrides->CheckID3v1Tag->setChecked(true);
    overrides->TextID3v1[V1Field::Artist]->setText("Nina Simone");  // ticks its field
    overrides->ComboID3v1Genre->setCurrentIndex(8);
    emit overrides->ComboID3v1Genre->activated(8);  // picked by the user
    overrides->CheckID3v1[V1Field::Genre]->setChecked(false);       // a value kept with its check off
    overrides->TextID3v2[V2Field::Composer]->setText("Weill");
    overrides->ComboID3v2Genre->setCurrentText("Vocal Jazz");
    overrides->TextID3v2Comment->setPlainText("from the 1965 sessions");
    left.overrides = MassTagging().values();
    ASSERT_TRUE(left.overrides.id3v1[V1Field::Artist].checked);
    ASSERT_FALSE(left.overrides.id3v1[V1Field::Genre].checked);
    ASSERT_FALSE(left.overrides.id3v1[V1Field::Genre].value.isEmpty());

    auto* cataloguer = Loaded<FormMusicCataloguer>(WindowNames::MusicCataloguer);
    ASSERT_NE(cataloguer, nullptr);
    cataloguer->OptionOutput_Click(1);           // text output
    cataloguer->OptionReliabilityPref_Click(1);  // ID3v2 first
    cataloguer->TextOutputFileName->setText("Jazz, Blues & more");
    cataloguer->TextEntriesPerPage->setText("250");
    QFont viewerFont = cataloguer->RichViewer->font();
    viewerFont.setPointSizeF(13.5);
    viewerFont.setItalic(true);
    cataloguer->RichViewer->setFont(viewerFont);

    auto* playlists = Loaded<FormPlaylistManager>(WindowNames::PlaylistManager);
    ASSERT_NE(playlists, nullptr);
    playlists->ComboPlaylistFormat->setCurrentIndex(2);
    playlists->OptionShow_Click(0);  // titles
    ASSERT_TRUE(playlists->moptionTitleInfo.Value());

    auto* encoder = Loaded<FormEncoderDecoder>(WindowNames::EncoderDecoder);
    ASSERT_NE(encoder, nullptr);
    ClickHeader(encoder->ListViewFiles, 1);
    ClickHeader(encoder->ListViewFiles, 1);
    left.encoderFiles = StateOf(encoder->ListViewFiles);
    ASSERT_TRUE(left.encoderFiles.sort.Sorted);

    auto* ripper = Loaded<FormCDRipper>(WindowNames::CDRipper);
    ASSERT_NE(ripper, nullptr);
    ripper->TextOutputDirectory->setText(rips);

    // Each window somewhere of its own.
    int step = 0;
    for (const QString& name : QStringList{WindowNames::ScanningCentre} + tools) {
        auto* window = dynamic_cast<QWidget*>(WindowRegistry::Find(name));
        ASSERT_NE(window, nullptr);
        window->move(40 + 60 * step, 30 + 40 * step);
        left.places[name] = window->pos();
        ++step;
    }

    // A mask typed twice, the second time while the list holds it already.
    TypeFileNameFormatAndConfirm("%A - %T");
    TypeFileNameFormatAndConfirm("%A - %T");

    Exit();
    EXPECT_TRUE(ui.shown.empty()) << ui.shown.front().prompt.toStdString();

    // ---- second run: the same windows, as they were left ----
    Start();
    QStringList loaded;
    for (IToolWindow* w : WindowRegistry::Loaded()) loaded << w->Name();
    for (const QString& name : tools) EXPECT_TRUE(loaded.contains(name)) << name.toStdString();

    FormIntegrator* bar = FormIntegrator::Instance();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->mintCheckStayOnTop, 0);
    EXPECT_FALSE(bar->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    main = Loaded<FormMP3ScanningCentre>(WindowNames::ScanningCentre);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->FolderTreeview->SelectedFolder(), music + "/Jazz");
    EXPECT_EQ(main->mcheckIncSubfolders.Value(), 1);
    EXPECT_EQ(StateOf(main->ListViewScanResults), left.scanResults);

    coordinator = Loaded<FormFileNameTagCoordinator>(WindowNames::Coordinator);
    ASSERT_NE(coordinator, nullptr);
    EXPECT_EQ(coordinator->mcheckChangeFileName.Value(), 1);
    EXPECT_EQ(coordinator->mcheckChangeID3v1Tag.Value(), 0);
    EXPECT_EQ(coordinator->mcheckChangeID3v2Tag.Value(), 1);
    EXPECT_EQ(TakeListSort(coordinator->ListViewSimResults), left.simResults.sort);

    overrides = Loaded<DialogMassTaggingOverrideTool>(WindowNames::MassTagging);
    ASSERT_NE(overrides, nullptr);
    EXPECT_TRUE(MassTagging().values() == left.overrides);
    EXPECT_EQ(overrides->TextID3v1[V1Field::Artist]->text(), "Nina Simone");
    EXPECT_TRUE(overrides->CheckID3v1[V1Field::Artist]->isChecked());
    EXPECT_EQ(overrides->ComboID3v1Genre->currentIndex(), 8);
    EXPECT_FALSE(overrides->CheckID3v1[V1Field::Genre]->isChecked());
    EXPECT_TRUE(overrides->CheckID3v1Tag->isChecked());
    EXPECT_EQ(overrides->ComboID3v2Genre->currentText(), "Vocal Jazz");
    EXPECT_EQ(overrides->TextID3v2Comment->toPlainText(), "from the 1965 sessions");
    EXPECT_TRUE(overrides->CheckID3v2[V2Field::Composer]->isChecked());

    cataloguer = Loaded<FormMusicCataloguer>(WindowNames::MusicCataloguer);
    ASSERT_NE(cataloguer, nullptr);
    EXPECT_TRUE(cataloguer->moptionTextOutput.Value());
    EXPECT_FALSE(cataloguer->moptionHTMLOutput.Value());
    EXPECT_TRUE(cataloguer->moptionID3v2Pref.Value());
    EXPECT_EQ(cataloguer->TextOutputFileName->text(), "Jazz, Blues & more");
    EXPECT_EQ(cataloguer->TextEntriesPerPage->text(), "250");
    EXPECT_EQ(cataloguer->RichViewer->font().pointSizeF(), 13.5);
    EXPECT_TRUE(cataloguer->RichViewer->font().italic());
    EXPECT_EQ(cataloguer->RichViewer->font().family(), viewerFont.family());

    playlists = Loaded<FormPlaylistManager>(WindowNames::PlaylistManager);
    ASSERT_NE(playlists, nullptr);
    EXPECT_EQ(playlists->ComboPlaylistFormat->currentIndex(), 2);
    EXPECT_TRUE(playlists->moptionTitleInfo.Value());
    EXPECT_FALSE(playlists->moptionFileInfo.Value());

    encoder = Loaded<FormEncoderDecoder>(WindowNames::EncoderDecoder);
    ASSERT_NE(encoder, nullptr);
    EXPECT_EQ(TakeListSort(encoder->ListViewFiles), left.encoderFiles.sort);

    ripper = Loaded<FormCDRipper>(WindowNames::CDRipper);
    ASSERT_NE(ripper, nullptr);
    EXPECT_EQ(ripper->TextOutputDirectory->text(), rips);

    for (const auto& [name, place] : left.places) {
        auto* window = dynamic_cast<QWidget*>(WindowRegistry::Find(name));
        ASSERT_NE(window, nullptr) << name.toStdString();
        EXPECT_EQ(window->pos(), place) << name.toStdString();
    }

    DialogOptions options;
    const QStringList masks = Entries(options.ComboFileNameFormat);
    EXPECT_EQ(masks.count("%A - %T"), 1) << masks.join(" | ").toStdString();
    options.CancelButton_Click();

    // A third start changes nothing: what a run reads it stores again as read.
    const std::vector<StoredRow> stored = Contents();
    Exit();
    Start();
    Exit();
    std::vector<StoredRow> again = Contents();
    std::erase_if(again, [](const StoredRow& row) { return row.section == "WindowPositions"; });
    std::vector<StoredRow> before = stored;
    std::erase_if(before, [](const StoredRow& row) { return row.section == "WindowPositions"; });
    EXPECT_EQ(again, before);
    EXPECT_TRUE(ui.shown.empty()) << ui.shown.front().prompt.toStdString();
}

TEST_F(ProgramRestartTest, AFirstStartShowsEveryWindowAsDesigned) {
    Start();
    const QStringList tools{WindowNames::Coordinator,     WindowNames::MassTagging,    WindowNames::MusicCataloguer,
                            WindowNames::PlaylistManager, WindowNames::EncoderDecoder, WindowNames::CDRipper};
    for (const QString& name : tools) ASSERT_NE(WindowRegistry::Show(name), nullptr) << name.toStdString();

    EXPECT_EQ(FormIntegrator::Instance()->mintCheckStayOnTop, 1);
    auto* main = Loaded<FormMP3ScanningCentre>(WindowNames::ScanningCentre);
    EXPECT_EQ(main->mcheckIncSubfolders.Value(), 0);
    const ListState scan = StateOf(main->ListViewScanResults);
    EXPECT_FALSE(scan.sort.Sorted);
    for (double width : scan.widths) EXPECT_NEAR(width, 1440, 15);

    auto* coordinator = Loaded<FormFileNameTagCoordinator>(WindowNames::Coordinator);
    EXPECT_EQ(coordinator->mcheckChangeFileName.Value(), 1);
    EXPECT_EQ(coordinator->mcheckChangeID3v1Tag.Value(), 1);
    EXPECT_EQ(coordinator->mcheckChangeID3v2Tag.Value(), 1);
    EXPECT_FALSE(TakeListSort(coordinator->ListViewSimResults).Sorted);

    EXPECT_TRUE(MassTagging().values() == MassTaggingOverrides{});

    auto* cataloguer = Loaded<FormMusicCataloguer>(WindowNames::MusicCataloguer);
    EXPECT_TRUE(cataloguer->moptionHTMLOutput.Value());
    EXPECT_TRUE(cataloguer->moptionID3v1Pref.Value());
    EXPECT_EQ(cataloguer->TextOutputFileName->text(), "My Music Collection");
    EXPECT_EQ(cataloguer->TextEntriesPerPage->text(), "100");

    auto* playlists = Loaded<FormPlaylistManager>(WindowNames::PlaylistManager);
    EXPECT_EQ(playlists->ComboPlaylistFormat->currentIndex(), 0);
    EXPECT_TRUE(playlists->moptionFileInfo.Value());

    EXPECT_FALSE(TakeListSort(Loaded<FormEncoderDecoder>(WindowNames::EncoderDecoder)->ListViewFiles).Sorted);
    // Rips go where the user may write, not into the program's folder.
    EXPECT_EQ(Loaded<FormCDRipper>(WindowNames::CDRipper)->TextOutputDirectory->text(), UserMusicFolder());
    EXPECT_TRUE(ui.shown.empty()) << ui.shown.front().prompt.toStdString();
}

TEST_F(ProgramRestartTest, OptionDialogsComeBackAsConfirmedInTheNextRun) {
    // ---- first run: confirm the cataloguer's header and font dialogs ----
    Start();
    {
        DialogHTMLCataloguerHeader html;
        html.TextTitle->setText("Vinyl only");
        html.CheckTitle->setChecked(false);  // a title of its own, then unticked
        html.CheckListCreationTime->setChecked(false);
        html.ComboPageLinks->setCurrentIndex(2);
        html.OKButton_Click();
    }
    {
        DialogTextCataloguerHeader text;
        text.TextTitle->setText("Tapes");
        text.CheckTitle->setChecked(false);
        text.CheckColumnHeadings->setChecked(false);
        text.OKButton_Click();
    }
    QLabel label;
    QStringList combinations;
    for (int run = 0; run < 3; ++run) {
        label.setText(kDefaultHeaderFont);
        DialogHTMLFont font;
        ASSERT_TRUE(font.Load(&label));
        ASSERT_GE(font.ListFonts->count(), 3);
        if (combinations.isEmpty())
            combinations = {font.ListFonts->item(1)->text() + ", " + font.ListFonts->item(2)->text(),
                            font.ListFonts->item(2)->text() + ", " + font.ListFonts->item(1)->text()};
        // The first combination, the second, then the first typed again.
        font.ComboFontCombination->setEditText(combinations[run % 2]);
        font.OKButton_Click();
    }
    Exit();

    // ---- second run: each dialog opens as it was confirmed ----
    Start();
    {
        DialogHTMLCataloguerHeader html;
        EXPECT_FALSE(html.CheckTitle->isChecked());
        EXPECT_FALSE(html.TextTitle->isEnabled());
        EXPECT_FALSE(html.CheckListCreationTime->isChecked());
        EXPECT_TRUE(html.CheckListCreationDate->isChecked());
        EXPECT_EQ(html.ComboPageLinks->currentIndex(), 2);
        html.CancelButton_Click();
    }
    {
        DialogTextCataloguerHeader text;
        EXPECT_FALSE(text.CheckTitle->isChecked());
        EXPECT_FALSE(text.CheckColumnHeadings->isChecked());
        EXPECT_TRUE(text.CheckListProperties->isChecked());
        text.CancelButton_Click();
    }
    label.setText(kDefaultHeaderFont);
    DialogHTMLFont font;
    ASSERT_TRUE(font.Load(&label));
    const QStringList history = Entries(font.ComboFontCombination);
    for (const QString& combination : combinations)
        EXPECT_EQ(history.count(combination), 1) << history.join(" | ").toStdString();
    font.CancelButton_Click();
    Exit();
    EXPECT_TRUE(ui.shown.empty()) << ui.shown.front().prompt.toStdString();
}
