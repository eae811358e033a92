// The cataloguer window over a real main window: its first opening, Build
// into one tab per page, its refusals and Stop, page navigation, the boxes'
// cleaning and the settings across openings.

#include "catwin/CatWinSupport.h"

#include "CatalogueFixtures.h"
#include "cataloguer/HtmlCataloguePage.h"
#include "cataloguer/TextCataloguePage.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/ui/ScanResultsView.h"
#include "shell/ui/ControlUtils.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTimer>

namespace {

class BuildAndViewTest : public CataloguerWindowTest {};

QStringList TabCaptions(const QTabBar* tabs) {
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
    return captions;
}

// The page as the core's writer makes it from the same catalogue.
QString CorePage(const FormMusicCataloguer& w, int page) {
    JobHost job;
    CataloguePageContext context = FixedContext(w.moptionID3v1Pref.Value() ? TagPreference::ID3v1
                                                                           : TagPreference::ID3v2);
    context.outputFileName = w.TextOutputFileName->text();
    if (w.Entries().output() == CatalogueOutput::HTML)
        return HtmlCataloguePage(w.Entries(), Options().CataloguerHTML, context).page(page, job);
    return TextCataloguePage(w.Entries(), Options().CataloguerText, context).page(page, job);
}

TEST_F(BuildAndViewTest, FirstOpeningShowsTheDefaultsAndNothingBuilt) {
    Options().CataloguerHTML.strOutputExtension = QStringLiteral("htm");
    FormMusicCataloguer& w = OpenCataloguer();
    EXPECT_EQ(w.windowTitle(), GetResourceString(TextId::Launcher::MusicCataloguer));
    EXPECT_TRUE(w.moptionHTMLOutput.Value());
    EXPECT_FALSE(w.moptionTextOutput.Value());
    EXPECT_TRUE(w.moptionID3v1Pref.Value());
    EXPECT_FALSE(w.moptionID3v2Pref.Value());
    EXPECT_EQ(w.TextEntriesPerPage->text(), "100");
    EXPECT_EQ(w.TextOutputFileName->text(), "My Music Collection");
    EXPECT_EQ(w.LabelXXXExtension->text(), "XXX.htm");
    EXPECT_EQ(w.TabStripViewer->count(), 0);
    EXPECT_FALSE(w.mbuttonPreview.Enabled());
    EXPECT_FALSE(w.mbuttonSave.Enabled());
    EXPECT_FALSE(w.mbuttonStop.Enabled());
    EXPECT_TRUE(w.mbuttonBuild.Enabled());
    EXPECT_EQ(w.LabelStatusBar->text(), "For Help, press F1");

    // Text shows "XXX.txt", HTML again the configured extension; a change of
    // the stored extension reaches the label only while HTML is chosen.
    w.OptionOutput_Click(1);
    EXPECT_EQ(w.LabelXXXExtension->text(), "XXX.txt");
    EXPECT_FALSE(w.moptionHTMLOutput.Value());
    w.SetExtensionCaption(QStringLiteral("XXX.txt"));
    w.OptionOutput_Click(0);
    EXPECT_EQ(w.LabelXXXExtension->text(), "XXX.htm");
    EXPECT_TRUE(w.IsHTMLOutputSelected());
}

TEST_F(BuildAndViewTest, BuildMakesOneTabPerPageAndShowsTheFirstPage) {
    AddRows();
    FormMusicCataloguer& w = OpenCataloguer();
    Build(QStringLiteral("3"));

    // Seven checked rows at three a page.
    EXPECT_EQ(w.Entries().entryCount(), 7);
    EXPECT_EQ(TabCaptions(w.TabStripViewer), (QStringList{"Output 001", "Output 002", "Output 003"}));
    EXPECT_EQ(w.ShownPage(), 1);
    EXPECT_EQ(w.PageText(), CorePage(w, 1));
    EXPECT_EQ(w.PageText().toUtf8(), Golden("html-first-run-1.html"));
    // The viewer shows the page's lines.
    EXPECT_EQ(w.RichViewer->toPlainText(), QString(w.PageText()).remove(QLatin1Char('\r')));
    EXPECT_TRUE(StatusIs("Music cataloguing complete"));
    EXPECT_TRUE(WasShown(w.windowTitle())) << Shown();
    // Preview and Save from the end of the first job on.
    EXPECT_TRUE(w.mbuttonPreview.Enabled());
    EXPECT_TRUE(w.mbuttonSave.Enabled());
    EXPECT_FALSE(w.mbuttonStop.Enabled());
    EXPECT_FALSE(w.mblnProcessRunning);
    EXPECT_TRUE(window->ListViewScanResults->isEnabled());

    // Another tab shows its page; the last page is short.
    w.TabStripViewer->setCurrentIndex(2);
    EXPECT_EQ(w.ShownPage(), 3);
    EXPECT_EQ(w.PageText().toUtf8(), Golden("html-first-run-3.html"));
    EXPECT_TRUE(StatusIs("HTML output created"));

    // A later change of the page size rebuilds nothing.
    w.TextEntriesPerPage->setText(QStringLiteral("100"));
    EXPECT_EQ(w.TabStripViewer->count(), 3);
}

TEST_F(BuildAndViewTest, TextBuildUsesTheTextWriterAndTheTagPreferenceOfTheMoment) {
    AddRows();
    FormMusicCataloguer& w = OpenCataloguer();
    w.OptionOutput_Click(1);
    Build(QStringLiteral("3"));
    EXPECT_EQ(w.Entries().output(), CatalogueOutput::Text);
    EXPECT_EQ(w.PageText().toUtf8(), Golden("text-first-run-1.txt"));
    EXPECT_TRUE(StatusIs("Music cataloguing complete"));

    // The preference is read when a page is rendered, not at Build.
    w.OptionReliabilityPref_Click(1);
    w.TabStripViewer->setCurrentIndex(1);
    EXPECT_EQ(w.PageText(), CorePage(w, 2));
    EXPECT_TRUE(StatusIs("Text output created"));
}

TEST_F(BuildAndViewTest, BuildRefusesWithoutColumnsOfTheChosenOutputAndKeepsTheLastCatalogue) {
    AddRows();
    FormMusicCataloguer& w = OpenCataloguer();
    Build(QStringLiteral("3"));
    ASSERT_EQ(w.TabStripViewer->count(), 3);
    ui.shown.clear();

    // HTML chosen with no HTML columns: refused though text has columns.
    Options().CataloguerHTML.intHTMLNumColumnHeadings = 0;
    Options().CataloguerHTML.strHTMLColumnHeadings.clear();
    Build(QStringLiteral("2"));
    ASSERT_EQ(ui.shown.size(), 1u) << Shown();
    EXPECT_EQ(ui.shown[0].title, "No Column Headings Selected");
    EXPECT_EQ(ui.shown[0].prompt,
              "You have not selected which column headings you wish to include. Please go to the " +
                  GetResourceString(TextId::Launcher::MusicCataloguer) + " Options to do this.");
    EXPECT_EQ(ui.shown[0].style & Mb::IconMask, Mb::Exclamation);
    EXPECT_EQ(w.TabStripViewer->count(), 3);
    EXPECT_EQ(w.Entries().entryCount(), 7);
    EXPECT_FALSE(w.mblnProcessRunning);

    // With text output the text columns decide.
    w.OptionOutput_Click(1);
    ui.shown.clear();
    Build(QStringLiteral("2"));
    EXPECT_EQ(w.TabStripViewer->count(), 4);
    EXPECT_FALSE(WasShown("No Column Headings Selected"));
}

TEST_F(BuildAndViewTest, BuildWithoutRowsOrCheckedRowsIsRefusedOrEmpty) {
    FormMusicCataloguer& w = OpenCataloguer();
    Build(QStringLiteral("100"));
    EXPECT_TRUE(WasShown("Insufficient Scan Results")) << Shown();
    EXPECT_EQ(w.TabStripViewer->count(), 0);

    // Rows, none checked: an empty catalogue, no tab, no error box.
    AddNumberedRows(2);
    window->ScanResults()->setChecked(0, false);
    window->ScanResults()->setChecked(1, false);
    ui.shown.clear();
    Build(QStringLiteral("100"));
    EXPECT_EQ(w.TabStripViewer->count(), 0);
    EXPECT_TRUE(w.PageText().isEmpty());
    EXPECT_FALSE(WasShown("Critical Error")) << Shown();
    EXPECT_TRUE(StatusIs("Music cataloguing complete"));
}

TEST_F(BuildAndViewTest, PagesBeyondAThousandKeepAllTheirDigits) {
    AddNumberedRows(1001);
    FormMusicCataloguer& w = OpenCataloguer();
    Build(QStringLiteral("1"));
    ASSERT_EQ(w.TabStripViewer->count(), 1001);
    EXPECT_EQ(w.TabStripViewer->tabText(999), "Output 1000");
    EXPECT_EQ(w.TabStripViewer->tabText(1000), "Output 1001");
}

TEST_F(BuildAndViewTest, StopDuringBuildKeepsTheRowsReadAndShowsTheFirstPageWhole) {
    AddNumberedRows(400);
    Options().Preferences.blnDisplayMessageBox = false;
    FormMusicCataloguer& w = OpenCataloguer();
    // Stop is pressed while the rows are read (the build yields to the
    // event loop between rows).
    QTimer::singleShot(0, &w, [&] { w.BtnStop_Click(); });
    Build(QStringLiteral("100"));

    EXPECT_LT(w.Entries().entryCount(), 400);
    EXPECT_TRUE(StatusIs("Music cataloguing interrupted by user"));
    // A box whatever the preference.
    EXPECT_TRUE(WasShown(w.windowTitle())) << Shown();
    if (w.Entries().entryCount() > 0) {
        // The first page has every row it should (not cut by the stop).
        EXPECT_EQ(w.PageText(), CorePage(w, 1));
    }
    EXPECT_FALSE(w.mblnStopAll);
    EXPECT_FALSE(w.mblnProcessRunning);
}

TEST_F(BuildAndViewTest, ClosingDuringABuildIsRefused) {
    AddNumberedRows(300);
    FormMusicCataloguer& w = OpenCataloguer();
    bool closed = true;
    QTimer::singleShot(0, &w, [&] {
        w.mnuFileExit_Click();
        closed = !w.isVisible();
        w.BtnStop_Click();
    });
    Build(QStringLiteral("100"));
    EXPECT_FALSE(closed);
    EXPECT_TRUE(WasShown("Process Running")) << Shown();
    EXPECT_TRUE(cataloguer);
}

TEST_F(BuildAndViewTest, TheEntriesBoxTakesDigitsOnlyAndTheSpinnerKeepsItsLimits) {
    FormMusicCataloguer& w = OpenCataloguer();
    int beeps = 0;
    SetBeepForTesting([&] { ++beeps; });
    w.TextEntriesPerPage->clear();
    beeps = 0;
    for (const char* key : {"1", "2", "a", "3"}) w.TextEntriesPerPage->insert(QString::fromLatin1(key));
    EXPECT_EQ(w.TextEntriesPerPage->text(), "123");
    EXPECT_EQ(beeps, 1);
    w.TextEntriesPerPage->setText(QStringLiteral("0"));
    EXPECT_EQ(w.TextEntriesPerPage->text(), "");
    w.TextEntriesPerPage->setText(QStringLiteral("-5"));
    EXPECT_EQ(w.TextEntriesPerPage->text(), "5");

    struct Step {
        const char* before;
        bool up;
        const char* after;
    };
    for (const Step& s : {Step{"9999999", true, "9999999"}, Step{"1", false, "1"}, Step{"", true, "1"},
                          Step{"", false, ""}, Step{"41", true, "42"}, Step{"41", false, "40"}}) {
        w.TextEntriesPerPage->setText(QString::fromLatin1(s.before));
        s.up ? w.UpDownEntriesPerPage_UpClick() : w.UpDownEntriesPerPage_DownClick();
        EXPECT_EQ(w.TextEntriesPerPage->text(), QString::fromLatin1(s.after)) << s.before << (s.up ? " up" : " down");
    }
    SetBeepForTesting({});
}

TEST_F(BuildAndViewTest, TheOutputNameBoxDropsWhatAFileNameCannotHold) {
    FormMusicCataloguer& w = OpenCataloguer();
    int beeps = 0;
    SetBeepForTesting([&] { ++beeps; });
    w.TextOutputFileName->setText(QStringLiteral("Rock"));
    w.TextOutputFileName->end(false);
    w.TextOutputFileName->insert(QStringLiteral("/"));
    EXPECT_EQ(w.TextOutputFileName->text(), "Rock");
    w.TextOutputFileName->insert(QStringLiteral(" "));
    EXPECT_EQ(w.TextOutputFileName->text(), "Rock");
    EXPECT_EQ(beeps, 2);
    SetBeepForTesting({});
}

TEST_F(BuildAndViewTest, TheChoicesAndTheViewerFontSurviveClosingTheWindow) {
    {
        FormMusicCataloguer& w = OpenCataloguer();
        w.OptionOutput_Click(1);
        w.OptionReliabilityPref_Click(1);
        w.TextEntriesPerPage->setText(QStringLiteral("250"));
        w.TextOutputFileName->setText(QStringLiteral("Jazz"));
        dialogs.answers.push_back([](CommonDialog& d) {
            d.FontName = QStringLiteral("DejaVu Sans");
            d.FontSize = 12;
            d.FontBold = true;
            return true;
        });
        w.mnuEditFont_Click();
        EXPECT_TRUE(w.RichViewer->font().bold());
        // Cancel changes nothing.
        const QFont before = w.RichViewer->font();
        w.mnuEditFont_Click();
        EXPECT_EQ(w.RichViewer->font(), before);
        EXPECT_FALSE(WasShown("Critical Error")) << Shown();
    }
    FormMusicCataloguer& w = OpenCataloguer();
    EXPECT_TRUE(w.moptionTextOutput.Value());
    EXPECT_FALSE(w.moptionHTMLOutput.Value());
    EXPECT_TRUE(w.moptionID3v2Pref.Value());
    EXPECT_EQ(w.TextEntriesPerPage->text(), "250");
    EXPECT_EQ(w.TextOutputFileName->text(), "Jazz");
    EXPECT_EQ(w.LabelXXXExtension->text(), "XXX.txt");
    EXPECT_EQ(w.RichViewer->font().family(), "DejaVu Sans");
    EXPECT_EQ(w.RichViewer->font().pointSizeF(), 12);
    EXPECT_TRUE(w.RichViewer->font().bold());
    EXPECT_EQ(w.TabStripViewer->count(), 0);
}

}  // namespace
