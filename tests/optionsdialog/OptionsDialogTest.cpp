// The Options dialog offscreen: every page's values through OK into the
// store and the option records, Cancel storing nothing, the rule editors,
// the column lists, the interlocks, the checks OK makes, and the keys.

#include "foundation/AppPaths.h"
#include "foundation/Help.h"
#include "foundation/IniFile.h"
#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "options/FileAssociations.h"
#include "options/ui/CataloguerDialogHooks.h"
#include "options/ui/OptionsDialog.h"
#include "scanning/engine/ScanRules.h"
#include "shell/menus/ui/OptionDialogs.h"
#include "shell/ui/ControlUtils.h"
#include "support/QtPrinters.h"
#include "support/RealKeys.h"
#include "support/RecordingDesktop.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedUi.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>
#include <memory>

namespace {

class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetStringTableLanguage(StringTableLanguage::US);
        SetAppPathForTesting(home.path());
        for (const char* scheme : {"Deep Green", "Fun Blue", "Sunset"})
            QDir().mkpath(home.file(QStringLiteral("Skins/") + QLatin1String(scheme)));
        m_oldRefresher = SetAssociationRefresher([](const QString&) {});
        SetAssociationProgramPath(QStringLiteral("/opt/Sonivard/sonivard"));
        SetBeepForTesting([this] { ++beeps; });
        // A store past its first run: the option readers add no first-run values.
        SaveOptionSetting("Settings", "Initialised", "True", SettingType::String);
        Options() = OptionRecords{};
        Options().Preferences.blnUseSkins = true;
        Options().Preferences.strSkinScheme = QStringLiteral("Fun Blue");
    }
    void TearDown() override {
        SetAssociationRefresher(m_oldRefresher);
        SetAssociationProgramPath(QString());
        SetAppPathForTesting(QString());
        SetBeepForTesting({});
    }
    std::unique_ptr<DialogOptions> Open(int tab = 5) {
        auto d = std::make_unique<DialogOptions>();
        d->SelectTab(tab);
        return d;
    }
    static QString Stored(const QString& section, const QString& key) {
        const auto doc = ReadIniFile(SettingsStorePath(), IniSyntax::Store);
        const QString* value = doc->value(section, key);
        return value ? *value : QString();
    }
    static QStringList Rows(const QAbstractItemView* view, int column = 0) {
        QStringList rows;
        const QAbstractItemModel* m = view->model();
        for (int r = 0; r < m->rowCount(); ++r) rows << m->index(r, column).data().toString();
        return rows;
    }
    static QStringList Entries(const QComboBox* combo) {
        QStringList entries;
        for (int i = 0; i < combo->count(); ++i) entries << combo->itemText(i);
        return entries;
    }
    static void Select(QAbstractItemView* view, const QString& name) {
        const QStringList rows = Rows(view);
        const int row = static_cast<int>(rows.indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        view->setCurrentIndex(view->model()->index(row, 0));
    }
    static void Pick(QComboBox* combo, const QString& text) {
        const int i = combo->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }
    static void Key(QWidget* w, int key) {
        w->setFocus();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    }
    void AddScanRule(DialogOptions& d, const char* choice, const char* scope, const char* filter, const char* target,
                     bool cs) {
        Pick(d.ComboScanRuleChoice, choice);
        Pick(d.ComboScanRuleScope, scope);
        Pick(d.ComboScanRuleTarget, target);
        d.TextScanRuleFilter->setText(filter);
        d.CheckCaseSensitive->setChecked(cs);
        d.BtnAddScanRule->click();
    }

    TempHome home;
    ScopedOptions options;
    ScriptedUi ui;
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    int beeps = 0;

private:
    AssociationRefresher m_oldRefresher;
};

TEST_F(OptionsDialogTest, OpensInTheDesignStateOnTheChosenPageWithTheOtherPagesDisabled) {
    auto d = Open(2);
    EXPECT_EQ(d->windowTitle(), "Options");
    EXPECT_EQ(d->TabStripOptions->tabText(4), "&Preferences");
    EXPECT_EQ(d->FramesStack->currentWidget(), d->FrameOptions[1]);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(d->FrameOptions[i]->isEnabled(), i == 1) << i;
    d->SelectTab(5);
    EXPECT_EQ(d->FramesStack->currentWidget(), d->FrameOptions[4]);
    EXPECT_FALSE(d->FrameOptions[1]->isEnabled());

    EXPECT_TRUE(d->CheckDisplayMessageBox->isChecked());
    EXPECT_FALSE(d->CheckRecycleBin->isChecked());
    EXPECT_TRUE(d->CheckSplashScreen->isChecked());
    EXPECT_TRUE(d->CheckUseSkins->isChecked());
    EXPECT_TRUE(d->CheckScanResultsFiles->isChecked());
    EXPECT_FALSE(d->CheckM3UPlaylistFiles->isChecked());
    EXPECT_EQ(Rows(d->ListViewSkinSchemes), (QStringList{"Deep Green", "Fun Blue", "Sunset"}));
    EXPECT_EQ(d->SkinSchemesModel->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(d->SkinSchemesModel->item(0)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(d->CheckClearResults->isChecked());
    EXPECT_TRUE(d->CheckDontIncludeID3v2->isChecked());
    EXPECT_EQ(d->ComboScanFilter->currentText(), "*.mp3");
    EXPECT_EQ(d->ComboFileNameFormat->currentText(), "%N2 - :%A: - %T");
    EXPECT_TRUE(d->CheckSourceSeparator[0]->isChecked());
    EXPECT_FALSE(d->CheckSourceSeparator[1]->isChecked());
    EXPECT_EQ(d->LabelOrder[0]->text() + d->LabelOrder[1]->text() + d->LabelOrder[2]->text(), "AlbumArtistTitle");
    EXPECT_TRUE(d->OptionFileNamePref->isChecked());
    EXPECT_TRUE(d->CheckDoubleBarrel->isChecked());
    EXPECT_EQ(Rows(d->ListNotIncludedHTML).size(), 27);
    EXPECT_TRUE(Rows(d->ListIncludedHTML).isEmpty());
    EXPECT_FALSE(d->CheckSortByHTML->isChecked());
    EXPECT_FALSE(d->CheckSortByHTML->isEnabled());
    EXPECT_EQ(d->ComboOrderHTML->currentIndex(), 0);
    EXPECT_EQ(d->LabelFont->text(), "Font: Default, Size Default, Colour Default");
    EXPECT_EQ(d->TextOutputFileNameExtension->text(), "html");
    EXPECT_EQ(d->ComboFill->count(), 141);
    EXPECT_FALSE(d->UpDownWidthText->isVisible());
    EXPECT_TRUE(d->OKButton->isDefault());
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(OptionsDialogTest, EveryPageStoredByOKIsReadBackByTheOptionReadersAndTheNextOpening) {
    auto d = Open(1);
    // Scanning centre
    d->CheckClearResults->setChecked(false);
    d->CheckIncludeID3v1->setChecked(false);
    d->ComboScanFilter->setEditText("*.wav");
    AddScanRule(*d, "Don't include files", "containing", "demo", "in File Name", false);
    // File name and tag coordinator
    d->SelectTab(2);
    d->ComboFileNameFormat->lineEdit()->setText("");
    emit d->ComboFileNameFormat->lineEdit()->textEdited("%N - %T");
    d->ComboFileNameFormat->setEditText("%N - %T");
    d->ComboFileNameFormat_LostFocus();
    EXPECT_EQ(d->ComboFileNameFormat->currentText(), "%N1 - %T");
    d->TextSourceSeparator[0]->setText("+");
    EXPECT_TRUE(d->CheckSourceSeparator[4]->isChecked());
    d->CheckSourceSeparator[5]->setChecked(true);  // no character: stored unticked
    d->LabelOrder_Click(2);
    d->UpDownOrder_DownClick();  // Title one place left
    d->OptionID3v1TagPref->setChecked(true);
    Pick(d->ComboSimRuleChoice, "Don't include");
    Pick(d->ComboSimRuleRange, "between");
    Pick(d->ComboSimRulePoint, "separator");
    d->TextRulePoint1->setText("3");
    d->TextRulePoint2->setText("9");
    d->BtnAddSimRule->click();
    // HTML catalogue
    d->SelectTab(3);
    Select(d->ListNotIncludedHTML, "Title");
    d->BtnAddHTML->click();
    Select(d->ListNotIncludedHTML, "Artist");
    d->BtnAddHTML->click();
    d->CheckSortByHTML->setChecked(true);
    EXPECT_EQ(d->ComboSortKeyHTML->currentText(), "Artist");
    d->ComboOrderHTML->setCurrentIndex(1);
    d->ComboFill->setEditText("ff0000");
    d->ComboFill_LostFocus();
    EXPECT_EQ(d->ComboFill->currentText(), "#ff0000");
    d->TextOutputFileNameExtension->setText("htm");
    // Text catalogue
    d->SelectTab(4);
    Select(d->ListNotIncludedText, "Year");
    d->BtnAddText->click();
    Select(d->ListNotIncludedText, "Path");
    d->BtnAddText->click();
    Select(d->ListIncludedText, "Path");
    d->UpDownWidthText_UpClick();
    // Preferences
    d->SelectTab(5);
    d->CheckWebHelp->setChecked(true);
    d->CheckRetainWindows->setChecked(true);
    d->SkinSchemesModel->item(0)->setCheckState(Qt::Checked);
    EXPECT_EQ(d->SkinSchemesModel->item(1)->checkState(), Qt::Unchecked);
    d->CheckPLSPlaylistFiles->setChecked(true);
    d->OKButton->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_TRUE(ui.shown.empty()) << ui.shown[0].prompt.toStdString();

    const std::pair<std::pair<const char*, const char*>, const char*> keys[] = {
        {{"Preferences", "WebHelp"}, "1"},
        {{"Preferences", "RetainWindows"}, "1"},
        {{"Preferences", "SkinScheme"}, "Deep Green"},
        {{"MP3ScanningCentre", "ClearResults"}, "0"},
        {{"MP3ScanningCentre", "IncFilesWithID3v1"}, "0"},
        {{"MP3ScanningCentre", "ScanFilter"}, "*.wav"},
        {{"ScanRules", "NumScanRules"}, "1"},
        {{"ScanRules", "1Choice"}, "Don't include files"},
        {{"ScanRules", "1Filter"}, "demo"},
        {{"ScanRules", "1CaseSensitive"}, "False"},
        {{"ComboFileNameFormat", "Text"}, "%N1 - %T"},
        {{"SourceSeparator", "4"}, "1"},
        {{"SourceSeparator", "5"}, "0"},
        {{"SourceSeparator", "TextSourceSeparator1"}, "+"},
        {{"FileNameTagCoordinator", "Order2"}, "Title"},
        {{"FileNameTagCoordinator", "Order3"}, "Artist"},
        {{"FileNameTagCoordinator", "ID3v1TagPref"}, "True"},
        {{"SimulateRules", "NumSimulateRules"}, "1"},
        {{"SimulateRules", "1Range"}, "between"},
        {{"SimulateRules", "1Point2"}, "9"},
        {{"MusicCataloguerHTML", "NumColumnHeadings"}, "2"},
        {{"MusicCataloguerHTML", "ColumnHeading2"}, "Artist"},
        {{"MusicCataloguerHTML", "SortBy"}, "1"},
        {{"MusicCataloguerHTML", "SortKey"}, "Artist"},
        {{"MusicCataloguerHTML", "SortOrder"}, "1"},
        {{"MusicCataloguerHTML", "ListTextColour"}, "#ff0000"},
        {{"MusicCataloguerHTML", "OutputExtension"}, "htm"},
        {{"MusicCataloguerText", "ColumnHeading2"}, "Path"},
        {{"MusicCataloguerText", "ColumnHeadingWidth2"}, "16"},
        {{"MusicCataloguerText", "SortBy"}, "0"},
    };
    for (const auto& [at, value] : keys) EXPECT_EQ(Stored(at.first, at.second), value) << at.first << " " << at.second;

    // The option records took the new options at once.
    const OptionRecords& o = Options();
    EXPECT_TRUE(o.Preferences.blnWebHelp);
    EXPECT_EQ(o.Preferences.strSkinScheme, "Deep Green");
    EXPECT_EQ(o.ScanningCentre.strScanFilter, "*.wav");
    ASSERT_EQ(o.ScanningCentre.udtScanRules.size(), 2u);
    EXPECT_EQ(o.ScanningCentre.udtScanRules[0].Filter, "demo");
    EXPECT_EQ(o.Coordinator.strFileNameFormat, "%N1 - %T");
    EXPECT_EQ(o.Coordinator.strOrder[1], "Title");
    EXPECT_TRUE(o.Coordinator.blnID3v1TagPref);
    ASSERT_EQ(o.Coordinator.udtSimulateRules.size(), 2u);
    EXPECT_EQ(o.Coordinator.udtSimulateRules[0].Point, "separator");
    EXPECT_EQ(o.CataloguerHTML.strHTMLColumnHeadings, (std::vector<QString>{"Title", "Artist"}));
    EXPECT_EQ(o.CataloguerText.intColumnHeadingWidths, (std::vector<int>{7, 16}));
    EXPECT_TRUE(IsFileTypeAssociated(AssociatedType::PLSPlaylist));
    EXPECT_TRUE(IsFileTypeAssociated(AssociatedType::ScanResults));

    // The next opening shows them again.
    auto again = Open(1);
    EXPECT_FALSE(again->CheckClearResults->isChecked());
    EXPECT_EQ(again->ComboScanRules->count(), 1);
    EXPECT_EQ(again->TextScanRuleFilter->text(), "demo");
    EXPECT_EQ(Entries(again->ComboFileNameFormat), (QStringList{"%N2 - :%A: - %T", "%N1 - %T"}));
    EXPECT_EQ(again->LabelOrder[1]->text(), "Title");
    EXPECT_TRUE(again->OptionID3v1TagPref->isChecked());
    EXPECT_FALSE(again->CheckSourceSeparator[5]->isChecked());
    EXPECT_EQ(Rows(again->ListIncludedHTML), (QStringList{"Title", "Artist"}));
    EXPECT_EQ(Rows(again->ListNotIncludedHTML).size(), 25);
    EXPECT_TRUE(again->CheckSortByHTML->isChecked());
    EXPECT_EQ(again->ComboSortKeyHTML->currentText(), "Artist");
    EXPECT_EQ(again->ComboOrderHTML->currentIndex(), 1);
    EXPECT_EQ(Rows(again->ListIncludedText, 1), (QStringList{"7", "16"}));
    EXPECT_EQ(again->SkinSchemesModel->item(0)->checkState(), Qt::Checked);
    EXPECT_TRUE(again->CheckPLSPlaylistFiles->isChecked());
}

TEST_F(OptionsDialogTest, CancelStoresNothingAndKeepsTheRulesInForce) {
    Options().ScanningCentre.udtScanRules = {ScanRule{"Only include files", "equal to", "a", "in File Name", false}, {}};
    auto d = Open(1);
    AddScanRule(*d, "Only include files", "equal to", "b", "in File Name", false);
    EXPECT_EQ(d->ComboScanRules->count(), 2);
    d->CheckClearResults->setChecked(false);
    d->CheckM3UPlaylistFiles->setChecked(true);
    d->CancelButton->click();
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_TRUE(Stored("MP3ScanningCentre", "ClearResults").isNull());
    EXPECT_TRUE(Stored("ScanRules", "NumScanRules").isNull());
    EXPECT_EQ(Options().ScanningCentre.udtScanRules.size(), 2u);
    EXPECT_FALSE(IsFileTypeAssociated(AssociatedType::M3UPlaylist));
    auto again = Open(1);
    EXPECT_EQ(again->ComboScanRules->count(), 1);
}

TEST_F(OptionsDialogTest, ScanRuleEditorAddsShowsAndRemovesRulesAndKeepsTheFilterInItsTargetsLimits) {
    auto d = Open(1);
    // Incomplete: the message, nothing added.
    Pick(d->ComboScanRuleChoice, "Only include files");
    d->BtnAddScanRule->click();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "All Fields Not Specified");
    EXPECT_EQ(ui.shown[0].prompt, "You have not specified a choice in one or more fields.");
    EXPECT_EQ(d->ComboScanRules->count(), 0);

    AddScanRule(*d, "Only include files", "equal to", "one", "in File Name", false);
    AddScanRule(*d, "Don't include files", "containing", "two", "in ID3v1 Title", true);
    AddScanRule(*d, "Only include files", "less than", "1999", "in ID3v1 Year", false);
    EXPECT_EQ(Entries(d->ComboScanRules), (QStringList{"Rule 1", "Rule 2", "Rule 3"}));
    EXPECT_EQ(d->ComboScanRules->currentIndex(), 2);
    d->ComboScanRules->setCurrentIndex(1);
    d->BtnRemoveScanRule->click();
    EXPECT_EQ(Entries(d->ComboScanRules), (QStringList{"Rule 1", "Rule 2"}));
    EXPECT_EQ(d->ComboScanRules->currentIndex(), 1);
    EXPECT_EQ(d->TextScanRuleFilter->text(), "1999");
    EXPECT_EQ(d->ComboScanRuleTarget->currentText(), "in ID3v1 Year");
    EXPECT_FALSE(d->CheckCaseSensitive->isChecked());
    d->BtnRemoveScanRule->click();  // the last: the new last is shown
    EXPECT_EQ(d->ComboScanRules->currentIndex(), 0);
    // Shown after a year rule, the rule's letters stay.
    EXPECT_EQ(d->TextScanRuleFilter->text(), "one");
    EXPECT_EQ(d->ComboScanRuleTarget->currentText(), "in File Name");
    d->BtnRemoveScanRule->click();
    EXPECT_EQ(d->ComboScanRules->count(), 0);
    EXPECT_EQ(d->ComboScanRuleTarget->currentIndex(), -1);
    EXPECT_TRUE(d->TextScanRuleFilter->text().isEmpty());
    EXPECT_EQ(d->mudtScanRules.size(), 1u);

    // Target limits: letters go, a year is cut to four digits, a title to 30.
    d->TextScanRuleFilter->setText("12a345");
    Pick(d->ComboScanRuleTarget, "in ID3v1 Year");
    EXPECT_EQ(d->TextScanRuleFilter->text(), "1234");
    beeps = 0;
    d->TextScanRuleFilter->setText("19x");
    EXPECT_EQ(d->TextScanRuleFilter->text(), "19");
    EXPECT_GE(beeps, 1);
    Pick(d->ComboScanRuleTarget, "in ID3v2 Year");
    d->TextScanRuleFilter->setText("123456789");
    EXPECT_EQ(d->TextScanRuleFilter->text(), "1234567");
    Pick(d->ComboScanRuleTarget, "in File Name");
    d->TextScanRuleFilter->setText(QString(40, 'x'));
    Pick(d->ComboScanRuleTarget, "in ID3v1 Title");
    EXPECT_EQ(d->TextScanRuleFilter->text().size(), 30);
    Pick(d->ComboScanRuleTarget, "in ID3v2 Title");
    d->TextScanRuleFilter->setText(QString(300, 'x'));
    EXPECT_EQ(d->TextScanRuleFilter->text().size(), 300);
    // A target chosen: Enter adds the rule.
    EXPECT_TRUE(d->BtnAddScanRule->isDefault());

    // At least one include box stays ticked.
    d->CheckIncludeID3v1->setChecked(false);
    d->CheckDontIncludeID3v1->setChecked(false);
    d->CheckIncludeID3v2->setChecked(false);
    d->CheckDontIncludeID3v2->setChecked(false);
    EXPECT_TRUE(d->CheckDontIncludeID3v2->isChecked());
}

TEST_F(OptionsDialogTest, RulesEditedHereDecideTheNextScanAfterOK) {
    auto d = Open(1);
    AddScanRule(*d, "Don't include files", "containing", "demo", "in File Name", false);
    d->OKButton->click();
    const std::vector<ScanRule>& rules = Options().ScanningCentre.udtScanRules;
    EXPECT_FALSE(ApplyScanRules(rules, {}, {}, "band demo.mp3"));
    EXPECT_TRUE(ApplyScanRules(rules, {}, {}, "band live.mp3"));
}

TEST_F(OptionsDialogTest, SimulateRuleEditorRangesSpinnersAddAndRemove) {
    auto d = Open(2);
    Pick(d->ComboSimRuleRange, "up to");
    EXPECT_FALSE(d->TextRulePoint2->isEnabled());
    d->TextRulePoint1->setText("5");
    d->TextRulePoint2->setText("3");
    Pick(d->ComboSimRuleRange, "between");
    EXPECT_TRUE(d->TextRulePoint2->isEnabled());
    EXPECT_EQ(d->TextRulePoint2->text(), "5");
    d->TextRulePoint2->setText("7");
    d->TextRulePoint1->setText("6");
    d->UpDownRulePoint1_UpClick();
    d->UpDownRulePoint1_UpClick();
    EXPECT_EQ(d->TextRulePoint1->text(), "7");
    d->UpDownRulePoint2_DownClick();
    EXPECT_EQ(d->TextRulePoint2->text(), "7");
    Pick(d->ComboSimRuleRange, "from");
    d->TextRulePoint1->setText("255");
    d->UpDownRulePoint1_UpClick();
    d->UpDownRulePoint1_UpClick();
    EXPECT_EQ(d->TextRulePoint1->text(), "256");
    d->TextRulePoint1->setText("1");
    d->UpDownRulePoint1_DownClick();
    EXPECT_EQ(d->TextRulePoint1->text(), "1");
    // The arrow key in a point box acts as its spinner.
    Key(d->TextRulePoint1, Qt::Key_Up);
    EXPECT_EQ(d->TextRulePoint1->text(), "2");

    // Incomplete, then three rules, then the second removed.
    d->BtnAddSimRule->click();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "All Fields Not Specified");
    Pick(d->ComboSimRuleChoice, "Only include");
    Pick(d->ComboSimRulePoint, "character");
    EXPECT_TRUE(d->BtnAddSimRule->isDefault());
    Pick(d->ComboSimRuleRange, "up to");
    d->TextRulePoint1->setText("4");
    d->TextRulePoint2->setText("2.5");
    d->BtnAddSimRule->click();
    Pick(d->ComboSimRuleRange, "between");
    d->TextRulePoint1->setText("1");
    d->TextRulePoint2->setText("3");
    d->BtnAddSimRule->click();
    Pick(d->ComboSimRuleChoice, "Don't include");
    Pick(d->ComboSimRuleRange, "outside of");
    Pick(d->ComboSimRulePoint, "separator");
    d->TextRulePoint1->setText("2");
    d->TextRulePoint2->setText("8");
    d->BtnAddSimRule->click();
    ASSERT_EQ(d->ComboSimRules->count(), 3);
    EXPECT_EQ(d->mudtSimulateRules[0].Point2, 2);  // 2.5 rounds to even, stored for "up to" too
    d->ComboSimRules->setCurrentIndex(1);
    d->BtnRemoveSimRule->click();
    EXPECT_EQ(Entries(d->ComboSimRules), (QStringList{"Rule 1", "Rule 2"}));
    EXPECT_EQ(d->ComboSimRuleRange->currentText(), "outside of");
    EXPECT_EQ(d->ComboSimRulePoint->currentText(), "separator");
    EXPECT_EQ(d->TextRulePoint2->text(), "8");

    // A point no rule can hold is refused with its message.
    ui.shown.clear();
    d->TextRulePoint1->setText("40000");
    d->BtnAddSimRule->click();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Number Out of Range");
    EXPECT_EQ(d->ComboSimRules->count(), 2);
}

TEST_F(OptionsDialogTest, FileNamePageSeparatorsOrderAndMask) {
    auto d = Open(2);
    d->CheckSourceSeparator[0]->setChecked(false);
    EXPECT_FALSE(d->CheckDoubleBarrel->isEnabled());
    EXPECT_TRUE(d->CheckDoubleBarrel->isChecked());
    d->CheckSourceSeparator[0]->setChecked(true);
    EXPECT_TRUE(d->CheckDoubleBarrel->isEnabled());
    d->TextSourceSeparator[1]->setText("#");
    EXPECT_TRUE(d->CheckSourceSeparator[5]->isChecked());
    d->TextSourceSeparator[1]->clear();
    EXPECT_FALSE(d->CheckSourceSeparator[5]->isChecked());

    auto order = [&] { return d->LabelOrder[0]->text() + "," + d->LabelOrder[1]->text() + "," + d->LabelOrder[2]->text(); };
    d->LabelOrder_Click(2);
    d->UpDownOrder_DownClick();
    EXPECT_EQ(order(), "Album,Title,Artist");
    d->UpDownOrder_UpClick();  // back
    d->UpDownOrder_UpClick();  // from the third place to the first
    EXPECT_EQ(order(), "Title,Artist,Album");
    d->UpDownOrder_DownClick();  // from the first place to the third
    EXPECT_EQ(order(), "Album,Artist,Title");

    const std::pair<const char*, const char*> masks[] = {{"%N - %T", "%N1 - %T"}, {"%N2 - %T", "%N2 - %T"},
                                                         {"%n - %T", "%n1 - %T"}, {"%T - %N", "%T - %N1"}};
    for (const auto& [typed, left] : masks) {
        d->ComboFileNameFormat->setEditText(typed);
        d->ComboFileNameFormat_LostFocus();
        EXPECT_EQ(d->ComboFileNameFormat->currentText(), left);
    }
}

TEST_F(OptionsDialogTest, ATypedFileNameFormatIsNotCompletedFromTheHistory) {
    auto d = Open(2);
    ASSERT_EQ(Entries(d->ComboFileNameFormat), QStringList{"%N2 - :%A: - %T"});
    d->show();
    QApplication::setActiveWindow(d.get());
    d->ComboFileNameFormat->setFocus();
    d->ComboFileNameFormat->lineEdit()->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), "%N2 - ");
    EXPECT_EQ(d->ComboFileNameFormat->currentText(), "%N2 - ");
    EXPECT_EQ(Entries(d->ComboFileNameFormat), QStringList{"%N2 - :%A: - %T"});
}

// The beginning of a mask of the box's list stays as typed, and OK stores
// and uses it so.
TEST_F(OptionsDialogTest, ATypedScanFilterIsNotCompletedFromTheMaskList) {
    for (const char* typed : {"*.m", "*.MP", "*."}) {
        SCOPED_TRACE(typed);
        auto d = Open(1);
        d->show();
        QApplication::setActiveWindow(d.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(d.get()));
        d->ComboScanFilter->setFocus();
        d->ComboScanFilter->lineEdit()->selectAll();
        RealKeys::Type(typed);
        EXPECT_EQ(d->ComboScanFilter->currentText(), typed);
        EXPECT_EQ(d->ComboScanFilter->lineEdit()->selectedText(), "");
        RealKeys::Click(Qt::Key_Tab);
        EXPECT_EQ(d->ComboScanFilter->currentText(), typed);
        d->OKButton->click();
        EXPECT_EQ(Stored("MP3ScanningCentre", "ScanFilter"), typed);
        EXPECT_EQ(Options().ScanningCentre.strScanFilter, typed);
        EXPECT_EQ(Entries(d->ComboScanFilter), ScanFilterMasks());
    }
}

TEST_F(OptionsDialogTest, HtmlPageMovesColumnsKeepsTheSortKeyAndFiltersTheExtension) {
    auto d = Open(3);
    for (const char* name : {"Title", "Artist", "Year"}) {
        Select(d->ListNotIncludedHTML, name);
        d->BtnAddHTML->click();
    }
    EXPECT_EQ(Rows(d->ListIncludedHTML), (QStringList{"Title", "Artist", "Year"}));
    EXPECT_EQ(Entries(d->ComboSortKeyHTML), (QStringList{"Artist", "Title", "Year"}));
    EXPECT_TRUE(d->CheckSortByHTML->isEnabled());
    d->CheckSortByHTML->setChecked(true);
    EXPECT_EQ(d->ComboSortKeyHTML->currentText(), "Artist");
    EXPECT_TRUE(d->ComboSortKeyHTML->isEnabled());
    Select(d->ListIncludedHTML, "Year");
    d->BtnUpHTML->click();
    EXPECT_EQ(Rows(d->ListIncludedHTML), (QStringList{"Title", "Year", "Artist"}));
    EXPECT_EQ(Entries(d->ComboSortKeyHTML), (QStringList{"Artist", "Title", "Year"}));
    d->ComboOrderHTML->setCurrentIndex(1);
    // Removing the sort key unticks the box; the order keeps its selection.
    Select(d->ListIncludedHTML, "Artist");
    d->BtnRemoveHTML->click();
    EXPECT_FALSE(d->CheckSortByHTML->isChecked());
    EXPECT_FALSE(d->ComboSortKeyHTML->isEnabled());
    EXPECT_EQ(d->ComboOrderHTML->currentIndex(), 1);
    EXPECT_EQ(Rows(d->ListNotIncludedHTML).indexOf("Artist"), 1);
    d->BtnRemoveAllHTML->click();
    EXPECT_FALSE(d->CheckSortByHTML->isEnabled());
    EXPECT_EQ(Rows(d->ListNotIncludedHTML).size(), 27);

    beeps = 0;
    d->TextOutputFileNameExtension->setText("h.tm");
    EXPECT_EQ(d->TextOutputFileNameExtension->text(), "htm");
    EXPECT_EQ(beeps, 1);
    d->TextOutputFileNameExtension->setText("/a\\");
    EXPECT_EQ(d->TextOutputFileNameExtension->text(), "a");

    d->ComboFill->setEditText("not a colour");
    d->ComboFill_LostFocus();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Invalid Color");
}

TEST_F(OptionsDialogTest, CatalogueButtonsOpenTheCataloguersDialogsWhenRegisteredAndNothingOtherwise) {
    auto d = Open(3);
    d->BtnChangeFont->click();  // nothing registered: nothing happens
    d->BtnPageProperties->click();
    EXPECT_TRUE(ui.shown.empty());

    QStringList opened;
    CataloguerDialogHooks hooks;
    hooks.htmlFont = [&](QWidget* parent, QString& description) {
        opened << "font:" + description;
        EXPECT_EQ(parent, d.get());
        description = "Font: Arial, Size 2, Colour Default";
        return true;
    };
    hooks.htmlPageProperties = [&](QWidget*) { opened << "page"; };
    hooks.htmlHeader = [&](QWidget*) { opened << "html header"; };
    hooks.textHeader = [&](QWidget*) { opened << "text header"; };
    const CataloguerDialogHooks old = SetCataloguerDialogHooks(hooks);
    d->BtnChangeFont->click();
    d->BtnPageProperties->click();
    d->BtnHeaderHTML->click();
    d->SelectTab(4);
    d->BtnHeaderText->click();
    SetCataloguerDialogHooks(old);
    EXPECT_EQ(opened, (QStringList{"font:Font: Default, Size Default, Colour Default", "page", "html header",
                                   "text header"}));
    EXPECT_EQ(d->LabelFont->text(), "Font: Arial, Size 2, Colour Default");
}

TEST_F(OptionsDialogTest, TextPageWidthsAndTheSpinnerOnTheWidthColumn) {
    auto d = Open(4);
    d->show();
    for (const char* name : {"Year", "Path"}) {
        Select(d->ListNotIncludedText, name);
        d->BtnAddText->click();
    }
    EXPECT_EQ(Rows(d->ListIncludedText, 1), (QStringList{"7", "15"}));
    Select(d->ListIncludedText, "Year");
    d->UpDownWidthText_UpClick();
    EXPECT_EQ(Rows(d->ListIncludedText, 1), (QStringList{"7", "15"}));  // at its maximum
    d->UpDownWidthText_DownClick();
    EXPECT_EQ(Rows(d->ListIncludedText, 1), (QStringList{"6", "15"}));
    d->BtnDownText->click();  // moves with its width
    EXPECT_EQ(Rows(d->ListIncludedText), (QStringList{"Path", "Year"}));
    EXPECT_EQ(Rows(d->ListIncludedText, 1), (QStringList{"15", "6"}));

    // A click on the name column shows no spinner; one on the width column does.
    d->ListIncludedText_MouseUp(QPoint(5, 5));
    EXPECT_FALSE(d->UpDownWidthText->isVisible());
    d->ListIncludedText_MouseUp(QPoint(d->ListIncludedText->columnWidth(0) + 10, 5));
    EXPECT_TRUE(d->UpDownWidthText->isVisible());
    d->close();
}

TEST_F(OptionsDialogTest, OKRefusesAWidthTheReaderCouldNotReadAndStoresNothing) {
    SaveOptionSetting("MusicCataloguerText", "NumColumnHeadings", "2", SettingType::String);
    SaveOptionSetting("MusicCataloguerText", "ColumnHeading1", "Title", SettingType::String);
    SaveOptionSetting("MusicCataloguerText", "ColumnHeadingWidth1", "15", SettingType::String);
    SaveOptionSetting("MusicCataloguerText", "ColumnHeading2", "Year", SettingType::String);
    SaveOptionSetting("MusicCataloguerText", "ColumnHeadingWidth2", "wide", SettingType::String);
    auto d = Open(5);
    d->CheckWebHelp->setChecked(true);
    d->OKButton->click();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Number Out of Range");
    EXPECT_EQ(ui.shown[0].prompt, "Please enter a whole number from 1 to 7 as the width of the column Year.");
    EXPECT_NE(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->TabStripOptions->currentIndex(), 3);
    EXPECT_TRUE(Stored("Preferences", "WebHelp").isNull());
    // Mended by the spinner, OK goes through.
    Select(d->ListIncludedText, "Year");
    d->UpDownWidthText_UpClick();
    d->OKButton->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(Stored("MusicCataloguerText", "ColumnHeadingWidth2"), "1");
    EXPECT_EQ(Options().CataloguerText.intColumnHeadingWidths, (std::vector<int>{15, 1}));
}

TEST_F(OptionsDialogTest, PreferencesAskAboutTheRecycleBinAndWarnAboutSkins) {
    auto d = Open(5);
    ui.answers = {Mb::No};
    d->CheckRecycleBin->setChecked(true);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Use Recycle Bin");
    EXPECT_EQ(ui.shown[0].style, Mb::YesNo | Mb::Exclamation);
    EXPECT_FALSE(d->CheckRecycleBin->isChecked());
    ui.answers = {Mb::Yes};
    d->CheckRecycleBin->setChecked(true);
    EXPECT_TRUE(d->CheckRecycleBin->isChecked());
    d->CheckRecycleBin->setChecked(false);
    EXPECT_EQ(ui.shown.size(), 2u);

    d->CheckUseSkins->setChecked(false);
    ASSERT_EQ(ui.shown.size(), 3u);
    EXPECT_EQ(ui.shown[2].title, "Use Skins");
    EXPECT_EQ(ui.shown[2].prompt, "Changes to this option will only take effect the next time the program is started.");
    d->CheckUseSkins->setChecked(true);
    EXPECT_EQ(ui.shown.size(), 3u);

    // Clicking the ticked scheme keeps it ticked; another moves the tick.
    d->SkinSchemesModel->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(d->SkinSchemesModel->item(1)->checkState(), Qt::Checked);
    d->SkinSchemesModel->item(2)->setCheckState(Qt::Checked);
    EXPECT_EQ(d->SkinSchemesModel->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(d->SkinSchemesModel->item(2)->checkState(), Qt::Checked);
}

TEST_F(OptionsDialogTest, StoredSortKeyNoLongerIncludedLeavesTheFirstKeyChosen) {
    for (const auto& [key, value] : std::initializer_list<std::pair<const char*, const char*>>{
             {"NumColumnHeadings", "2"}, {"ColumnHeading1", "Title"}, {"ColumnHeadingWidth1", "15"},
             {"ColumnHeading2", "Artist"}, {"ColumnHeadingWidth2", "15"}, {"SortBy", "1"}, {"SortKey", "Genre"}})
        SaveOptionSetting("MusicCataloguerText", key, value, SettingType::String);
    auto d = Open(4);
    EXPECT_TRUE(d->CheckSortByText->isChecked());
    EXPECT_EQ(d->ComboSortKeyText->currentText(), "Artist");
}

TEST_F(OptionsDialogTest, StoredSchemeInAnotherCaseLeavesTheFirstTicked) {
    SaveOptionSetting("Preferences", "SkinScheme", "sunset", SettingType::String);
    auto d = Open(5);
    EXPECT_EQ(d->SkinSchemesModel->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(d->SkinSchemesModel->item(2)->checkState(), Qt::Unchecked);
}

TEST_F(OptionsDialogTest, F1OpensThePageOfTheControlsPageAndEscapeDoesNothing) {
    Options().Preferences.blnWebHelp = true;
    desktop.online = true;
    auto d = Open(3);
    d->show();
    struct Case {
        QWidget* control;
        int tab;
        int topic;
    };
    const Case cases[] = {
        {d->ComboFill, 3, 19},          {d->PictureFill, 3, 10},          {d->TextOutputFileNameExtension, 3, 10},
        {d->OKButton, 3, 10},           {d->TabStripOptions, 3, 10},      {d->CancelButton, 5, 7},
        {d->CheckPLSPlaylistFiles, 5, 7}, {d->ListViewSkinSchemes, 5, 7}, {d->ComboScanRuleTarget, 1, 8},
        {d->TextRulePoint1, 2, 9},      {d->CheckSourceSeparator[3], 2, 9}, {d->ListIncludedText, 4, 11},
        {d->BtnHeaderText, 4, 11},      {d->OKButton, 1, 8},
    };
    for (const Case& c : cases) {
        d->SelectTab(c.tab);
        EXPECT_EQ(d->HelpTopicOf(c.control), c.topic) << c.control->objectName().toStdString();
    }
    EXPECT_EQ(d->HelpTopicOf(d->UpDownRulePoint1Up), 0);
    EXPECT_EQ(d->HelpTopicOf(d.get()), 8);

    // Through the keyboard: F1 on the colour box, a letter opens nothing.
    d->SelectTab(3);
    desktop.opened.clear();
    Key(d->ComboFill, Qt::Key_F1);
    Key(d->TextOutputFileNameExtension, Qt::Key_A);
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(desktop.opened[0], WebHelpUrl(19).toString());
    d->SelectTab(5);
    Key(d->OKButton, Qt::Key_F1);
    ASSERT_EQ(desktop.opened.size(), 2);
    EXPECT_EQ(desktop.opened[1], WebHelpUrl(7).toString());

    Key(d->CheckWebHelp, Qt::Key_Escape);
    EXPECT_TRUE(d->isVisible());
    d->close();
}

TEST_F(OptionsDialogTest, EnterPressesOKFromATextBoxAndAFocusedButtonItself) {
    auto d = Open(3);
    d->show();
    Select(d->ListNotIncludedHTML, "Album");
    Key(d->BtnAddHTML, Qt::Key_Return);
    EXPECT_EQ(Rows(d->ListIncludedHTML), QStringList{"Album"});
    EXPECT_TRUE(d->isVisible());
    Key(d->TextOutputFileNameExtension, Qt::Key_Return);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(Stored("MusicCataloguerHTML", "ColumnHeading1"), "Album");
}

TEST_F(OptionsDialogTest, ShowOptionsTabOpensThisDialogOnItsPage) {
    RegisterOptionsDialog();
    int seenTab = -2;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<DialogOptions*>(w); dialog && dialog->isVisible()) {
                seenTab = dialog->TabStripOptions->currentIndex();
                dialog->CancelButton->click();
            }
    });
    ShowOptionsTab(2);
    SetOptionsTabHandler({});
    EXPECT_EQ(seenTab, 1);
}

}  // namespace
