// The Find dialog over the cataloguer's viewer: match case and whole words,
// the next match, the wrap of the displayed page with "All" and "Down", the
// search across all pages, text that occurs nowhere, the history of search
// texts, nothing to search, the selected-text scope, Ctrl+F and F3 as key
// presses, and the match staying visible while the viewer has no focus.

#include "catwin/CatWinSupport.h"

#include "foundation/MessageUi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTextCursor>

namespace {

class FindDialogTest : public CataloguerWindowTest {
protected:
    // A catalogue of text pages with the given lines as its titles: one title
    // per page.
    void BuildTitles(const QStringList& titles) {
        ScanResultsModel& model = *window->ScanResults();
        for (int i = 0; i < titles.size(); ++i) {
            ScanRecord r;
            r.FolderListEntry.Folder = QStringLiteral("/m");
            r.FolderListEntry.FileName = QStringLiteral("f%1.mp3").arg(i);
            r.ID3v1Tag.Title = titles[i];
            model.appendRecord(r);
        }
        Options().CataloguerText.strColumnHeadings = {QStringLiteral("Title")};
        Options().CataloguerText.intColumnHeadingWidths = {40};
        Options().CataloguerText.intNumColumnHeadings = 1;
        Options().CataloguerText.blnSortBy = false;
        FormMusicCataloguer& w = OpenCataloguer();
        w.OptionOutput_Click(1);
        Build(QStringLiteral("1"));
        find = &DialogFind::Instance();
        find->mstrForm = w.objectName();
        Caret(0);
        ui.shown.clear();
    }
    void Caret(int position) {
        QTextCursor c = cataloguer->RichViewer->textCursor();
        c.setPosition(position);
        cataloguer->RichViewer->setTextCursor(c);
        find->ResetDialog();
    }
    void Search(const QString& text) { find->ComboFind->setEditText(text); }
    void Next() { find->BtnFindNext_Click(); }
    QString Selected() const { return cataloguer->RichViewer->textCursor().selectedText(); }
    int SelectionAt() const { return cataloguer->RichViewer->textCursor().selectionStart(); }
    int Count(const QString& title) const {
        int n = 0;
        for (const ShownBox& box : ui.shown) n += box.prompt == title ? 1 : 0;
        return n;
    }
    int Pos(const QString& needle, int from = 0) const {
        return int(cataloguer->RichViewer->toPlainText().indexOf(needle, from));
    }

    DialogFind* find = nullptr;
};

TEST_F(FindDialogTest, MatchCaseAndWholeWordDecideWhatMatches) {
    BuildTitles({"Titles of title and Title"});
    const int first = Pos("Title");  // the column heading
    Search("Title");
    find->CheckMatchCase->setChecked(true);
    Next();
    EXPECT_EQ(Selected(), "Title");
    EXPECT_EQ(SelectionAt(), first);
    // Whole words only: not inside "Titles", and not "title" with Match Case.
    Caret(Pos("Titles"));
    find->CheckWholeWord->setChecked(true);
    Next();
    EXPECT_EQ(SelectionAt(), Pos("and Title") + 4);
    EXPECT_EQ(find->GetFindOptions(), 6);
    // Without Match Case the small "title" matches first.
    find->CheckMatchCase->setChecked(false);
    Caret(Pos("Titles"));
    Next();
    EXPECT_EQ(SelectionAt(), Pos("title"));
    EXPECT_EQ(find->GetFindOptions(), 2);
}

TEST_F(FindDialogTest, DisplayedOutputWithAllWrapsWithoutAskingThenReportsTheRegion) {
    BuildTitles({"one alpha two alpha"});
    const int a1 = Pos("alpha"), a2 = Pos("alpha", a1 + 1);
    Caret(a1 + 5);  // just after the first match
    Search("alpha");
    Next();
    EXPECT_EQ(SelectionAt(), a2);
    Next();  // wraps to the first character without a question
    EXPECT_EQ(SelectionAt(), a1);
    EXPECT_TRUE(ui.shown.empty()) << Shown();
    Next();  // up to the start caret: nothing more
    ASSERT_EQ(ui.shown.size(), 1u) << Shown();
    EXPECT_EQ(ui.shown[0].prompt, "The specified region has been searched.");
    EXPECT_EQ(ui.shown[0].title, "Sonivard");
    // A new search starts from the caret.
    Next();
    EXPECT_EQ(SelectionAt(), a2);
}

TEST_F(FindDialogTest, DisplayedOutputWithDownAsksAndNoEndsNothing) {
    BuildTitles({"beta"});
    const int b = Pos("beta");
    Caret(b + 4);
    Search("beta");
    find->ComboDirection->setCurrentIndex(1);
    ui.answers = {Mb::No};
    Next();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, "End of search scope has been reached; do you want to continue from the beginning?");
    EXPECT_EQ(ui.shown[0].style & Mb::ButtonsMask, Mb::YesNo);
    EXPECT_FALSE(cataloguer->RichViewer->textCursor().hasSelection());
    // Asked again; Yes finds the match at the beginning.
    ui.answers = {Mb::Yes};
    Next();
    EXPECT_EQ(ui.shown.size(), 2u) << Shown().toStdString();
    EXPECT_EQ(SelectionAt(), b);
}

TEST_F(FindDialogTest, AllOutputsSearchesEveryPageAndWrapsToTheFirst) {
    BuildTitles({"gamma", "nothing here", "gamma ray gamma"});
    find->OptionAllOutputs->setChecked(true);
    cataloguer->TabStripViewer->setCurrentIndex(1);
    Caret(0);
    Search("gamma");
    Next();
    EXPECT_EQ(cataloguer->ShownPage(), 3);
    EXPECT_EQ(SelectionAt(), Pos("gamma"));
    Next();
    EXPECT_EQ(cataloguer->ShownPage(), 3);
    EXPECT_EQ(SelectionAt(), Pos("gamma", Pos("ray")));
    Next();  // on to page 1 from its first character
    EXPECT_EQ(cataloguer->ShownPage(), 1);
    EXPECT_EQ(Selected(), "gamma");
    EXPECT_TRUE(ui.shown.empty()) << Shown();
    Next();  // page 2 up to the start: nothing more
    EXPECT_EQ(Count("The specified region has been searched."), 1) << Shown();
}

TEST_F(FindDialogTest, TextThatOccursNowhereIsReportedOnceTheScopeIsSearched) {
    BuildTitles({"a", "b", "c"});
    find->OptionAllOutputs->setChecked(true);
    Search("zebra");
    Next();
    EXPECT_EQ(Count("Search text is not found."), 1) << Shown();
    EXPECT_EQ(ui.shown.size(), 1u);
}

TEST_F(FindDialogTest, TheHistoryKeepsEachTextOnceNewestFirst) {
    BuildTitles({"x"});
    for (const char* text : {"one", "two", "one", "One"}) {
        Search(QString::fromLatin1(text));
        find->ResetDialog();
        Next();
    }
    QStringList items;
    for (int i = 0; i < find->ComboFind->count(); ++i) items << find->ComboFind->itemText(i);
    EXPECT_EQ(items, (QStringList{"One", "two", "one"}));
    EXPECT_EQ(find->ComboFind->currentText(), "One");
}

TEST_F(FindDialogTest, ATypedSearchTextIsNotCompletedFromTheHistory) {
    BuildTitles({"Blue Moon"});
    Search("Blue Moon");
    Next();
    find->ResetDialog();
    cataloguer->mnuEditFind_Click();
    find->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(find));
    find->ComboFind->setFocus();
    find->ComboFind->lineEdit()->selectAll();
    QTest::keyClicks(find->ComboFind, "blue");
    EXPECT_EQ(find->ComboFind->currentText(), "blue");
    QTest::keyClick(find->ComboFind, Qt::Key_Tab);  // left
    EXPECT_EQ(find->ComboFind->currentText(), "blue");
    EXPECT_EQ(find->ComboFind->itemText(0), "Blue Moon");
    find->hide();
}

TEST_F(FindDialogTest, NothingBuiltMeansNothingHappens) {
    FormMusicCataloguer& w = OpenCataloguer();
    find = &DialogFind::Instance();
    find->mstrForm = w.objectName();
    Search("anything");
    find->BtnFindNext_Click();
    EXPECT_TRUE(ui.shown.empty()) << Shown();
    EXPECT_TRUE(find->BtnFindNext->isEnabled());
    // Find Next from the menu does nothing while the button is off.
    find->BtnFindNext->setEnabled(false);
    w.mnuEditFindNext_Click();
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FindDialogTest, ClosingTheWindowHidesTheDialogItServes) {
    BuildTitles({"x"});
    cataloguer->mnuEditFind_Click();
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(find->windowTitle(), "Find");
    CloseCataloguer();
    EXPECT_FALSE(find->isVisible());
    // The dialog stays loaded, with its search texts.
    EXPECT_EQ(DialogFind::IfLoaded(), find);
}

TEST_F(FindDialogTest, SelectedTextSearchesOnlyTheSelectionAndShowsNoEndMessage) {
    BuildTitles({"alpha one alpha two alpha"});
    const int a1 = Pos("alpha"), a2 = Pos("alpha", a1 + 1), a3 = Pos("alpha", a2 + 1);
    // The selection runs from just after the first match to just before the third.
    QTextCursor c = cataloguer->RichViewer->textCursor();
    c.setPosition(a1 + 1);
    c.setPosition(a3 + 2, QTextCursor::KeepAnchor);
    cataloguer->RichViewer->setTextCursor(c);
    find->ResetDialog();

    // The dialog's activation offers the scope while there is a selection.
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(find, &activate);
    EXPECT_TRUE(find->OptionSelectedText->isEnabled());
    EXPECT_TRUE(find->OptionSelectedText->isChecked());

    Search("alpha");
    Next();
    EXPECT_EQ(SelectionAt(), a2);
    EXPECT_EQ(Selected(), "alpha");
    // The selection is now the match itself: the next search finds it again,
    // and never reports the end of its scope.
    Next();
    EXPECT_EQ(SelectionAt(), a2);
    Search("two alpha");  // reaches beyond the selection: nothing is found
    Next();
    EXPECT_EQ(SelectionAt(), a2);
    EXPECT_EQ(Selected(), "alpha");
    EXPECT_TRUE(ui.shown.empty()) << Shown();

    // Without a selection the scope is off, and "All Outputs" takes its place.
    Caret(0);
    QCoreApplication::sendEvent(find, &activate);
    EXPECT_FALSE(find->OptionSelectedText->isEnabled());
    EXPECT_TRUE(find->OptionAllOutputs->isChecked());
}

TEST_F(FindDialogTest, CtrlFOpensTheDialogAndF3FindsTheNextMatch) {
    BuildTitles({"delta and delta"});
    const int d1 = Pos("delta"), d2 = Pos("delta", d1 + 1);
    find->hide();
    cataloguer->show();
    cataloguer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(cataloguer));
    cataloguer->RichViewer->setFocus();

    QTest::keyClick(cataloguer->RichViewer, Qt::Key_F, Qt::ControlModifier);
    Settle();
    EXPECT_TRUE(find->isVisible());

    Search("delta");
    find->BtnFindNext->setEnabled(true);
    cataloguer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(cataloguer));
    cataloguer->RichViewer->setFocus();
    Caret(0);
    QTest::keyClick(cataloguer->RichViewer, Qt::Key_F3);
    Settle();
    EXPECT_EQ(SelectionAt(), d1);
    QTest::keyClick(cataloguer, Qt::Key_F3);  // on the window itself, too
    Settle();
    EXPECT_EQ(SelectionAt(), d2);
    EXPECT_TRUE(ui.shown.empty()) << Shown();

    // While Find Next is off, F3 does nothing.
    find->BtnFindNext->setEnabled(false);
    QTest::keyClick(cataloguer->RichViewer, Qt::Key_F3);
    Settle();
    EXPECT_EQ(SelectionAt(), d2);
    find->hide();
}

TEST_F(FindDialogTest, TheMatchStaysVisiblySelectedWhileTheViewerHasNoFocus) {
    BuildTitles({"epsilon"});
    const QPalette palette = cataloguer->RichViewer->palette();
    EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::Highlight),
              palette.color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::HighlightedText),
              palette.color(QPalette::Active, QPalette::HighlightedText));
}

TEST_F(FindDialogTest, TheSearchTextIsSelectedWhenItGetsTheFocus) {
    BuildTitles({"zeta"});
    cataloguer->mnuEditFind_Click();
    Search("zeta");
    find->ComboFind->lineEdit()->deselect();
    find->CheckMatchCase->setFocus();
    find->activateWindow();
    (void)QTest::qWaitForWindowActive(find);
    find->ComboFind->setFocus(Qt::MouseFocusReason);  // a click: the line edit itself would not select
    Settle();
    EXPECT_EQ(find->ComboFind->lineEdit()->selectedText(), "zeta");
    find->hide();
}

}  // namespace
