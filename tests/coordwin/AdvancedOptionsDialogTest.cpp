// The coordinator's Advanced Options dialog: values stored by OK and read
// back by the option reader and the next dialog, Cancel storing nothing, and
// the word boxes, word lists, limit box and tabs.

#include "coordinator/ui/AdvancedOptionsDialog.h"

#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "foundation/SettingsStore.h"
#include "foundation/ui/QtDialogs.h"
#include "shell/ui/ControlUtils.h"
#include "foundation/Help.h"
#include "support/QtPrinters.h"
#include "support/RecordingDesktop.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedUi.h"

#include "foundation/ResourceStrings.h"

#include <QApplication>
#include <QLabel>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <gtest/gtest.h>
#include <memory>

namespace {

class AdvancedOptionsTest : public ::testing::Test {
protected:
    void SetUp() override { SetStringTableLanguage(StringTableLanguage::US); }
    std::unique_ptr<DialogFileNameTagCoordAdvOptions> Open() {
        return std::make_unique<DialogFileNameTagCoordAdvOptions>();
    }
    static QStringList Words(const QListWidget* list) {
        QStringList words;
        for (int r = 0; r < list->count(); ++r) words << list->item(r)->text();
        return words;
    }

    TempHome home;
    ScopedOptions options;
    ScriptedUi ui;
    ScriptedDialogs dialogs;
};

TEST_F(AdvancedOptionsTest, OKStoresEveryValueAndTheOptionRecordAndTheNextDialogReadThemBack) {
    auto d = Open();
    EXPECT_EQ(d->windowTitle(), "File Name and Tag Coordinator Advanced Options");
    // Nothing stored: the defaults a new user sees.
    EXPECT_TRUE(d->OptionCapitaliseEachWord[0]->isChecked());
    EXPECT_EQ(d->TextTrackNumLimit->text(), "30");
    EXPECT_EQ(SwatchColour(d->PictureColour[2]), 0x00808080);

    d->OptionAllUppercase[0]->setChecked(true);
    d->OptionDontChange[1]->setChecked(true);
    d->CheckRemoveUnderscores[1]->setChecked(false);
    d->TextChangeSpecialWordFrom[2]->setText("feat.");
    d->TextChangeSpecialWordTo[2]->setText("ft.");
    d->TextChangeSpecialWordFrom[9]->setText("pt");
    d->TextChangeSpecialWordTo[9]->setText("Part");
    d->TabStripNames->setCurrentIndex(1);  // the Title's word lists
    d->TextSpecialWordFormat[4]->setText("of");
    d->BtnAddSpecialWordFormat[4]->click();
    d->TextSpecialWordFormat[4]->setText("the");
    d->BtnAddSpecialWordFormat[4]->click();
    d->CheckTheAtEnd->setChecked(true);
    d->CheckRigorousTrackNum->setChecked(false);
    dialogs.answers.push_back(ScriptedDialogs::ChooseColour(0x00112233));
    d->PictureColour_Click(3);
    d->TextTrackNumLimit->setText("");
    d->OKButton_Click();

    // The stored keys, as the reader of the option record sees them.
    const CoordinatorAdvOptions& adv = Options().CoordinatorAdv;
    EXPECT_TRUE(adv.blnUpperCase[0]);
    EXPECT_FALSE(adv.blnCapitalise[0]);
    EXPECT_TRUE(adv.blnDontChange[1]);
    EXPECT_FALSE(adv.blnRemoveUnder[1]);
    EXPECT_EQ(adv.strCSWFrom[2], "feat.");
    EXPECT_EQ(adv.strCSWTo[9], "Part");
    ASSERT_EQ(adv.udtSpecialWords[1].LowerCase.size(), 2u);
    EXPECT_EQ(adv.udtSpecialWords[1].LowerCase[1], "the");
    EXPECT_TRUE(adv.blnTheAtEnd);
    EXPECT_FALSE(adv.blnRigorousTrackNum);
    EXPECT_EQ(adv.lngColourDelete, 0x00112233);
    EXPECT_EQ(adv.intTrackNumLimit, 0);  // empty: no limit
    EXPECT_EQ(GetOptionSetting("FileNameTagCoordinator", "TrackNumLimit", "x", SettingType::String).toString(), "");

    // The next dialog shows what was stored, Title tab included.
    auto again = Open();
    EXPECT_TRUE(again->OptionAllUppercase[0]->isChecked());
    EXPECT_TRUE(again->OptionDontChange[1]->isChecked());
    EXPECT_FALSE(again->CheckRemoveUnderscores[1]->isChecked());
    EXPECT_EQ(again->TextChangeSpecialWordTo[2]->text(), "ft.");
    EXPECT_EQ(Words(again->ListSpecialWordsFormat[4]), (QStringList{"of", "the"}));
    EXPECT_EQ(SwatchColour(again->PictureColour[3]), 0x00112233);
    EXPECT_EQ(again->TextTrackNumLimit->text(), "");
    // Upper case chosen for the Artist: its UPPERCASE word list has nothing to do.
    EXPECT_FALSE(again->FrameSpecialWordsFormatType[0]->isEnabled());
    EXPECT_TRUE(again->FrameSpecialWordsFormatType[1]->isEnabled());
}

TEST_F(AdvancedOptionsTest, CancelAndTheCloseBoxStoreNothing) {
    auto d = Open();
    d->CheckTheAtEnd->setChecked(true);
    d->TextChangeSpecialWordFrom[0]->setText("x");
    d->CancelButton_Click();
    d = Open();
    d->CheckTheAtEnd->setChecked(true);
    d->close();
    d = Open();
    EXPECT_FALSE(d->CheckTheAtEnd->isChecked());
    EXPECT_EQ(d->TextChangeSpecialWordFrom[0]->text(), "");
    EXPECT_EQ(GetOptionSetting("FileNameTagCoordinator", "TheAtEnd", "unset", SettingType::String).toString(), "unset");
}

TEST_F(AdvancedOptionsTest, SpecialWordBoxesTakeTheirListsCase) {
    auto d = Open();
    const struct {
        int list;
        const char* typed;
        const char* shown;
    } cases[] = {
        {0, "abc", "ABC"},   {3, "abc", "ABC"},   {1, "ABC", "abc"},          {4, "MiXed", "mixed"},
        {2, "aBC", "Abc"},   {5, "mcCOY", "Mccoy"}, {2, "", ""},              {0, "my word", "MYWORD"},
        {1, "a/b:c", "abc"},
    };
    for (const auto& c : cases) {
        d->TextSpecialWordFormat[c.list]->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(d->TextSpecialWordFormat[c.list]->text(), c.shown) << c.list << " " << c.typed;
        EXPECT_EQ(d->BtnAddSpecialWordFormat[c.list]->isEnabledTo(d->FrameSpecialWordsFormatType[c.list]),
                  *c.shown != '\0')
            << c.list << " " << c.typed;
    }
}

TEST_F(AdvancedOptionsTest, AddTakesAWordOnceAndRemoveSelectsTheOneBefore) {
    auto d = Open();
    QListWidget* list = d->ListSpecialWordsFormat[0];
    for (const char* word : {"ABBA", "AC", "DC", "REM", "UB", "abba"}) {
        d->TextSpecialWordFormat[0]->setText(word);
        // Enter adds the word typed; once the box is empty again it is OK's.
        EXPECT_TRUE(d->BtnAddSpecialWordFormat[0]->isDefault());
        EXPECT_FALSE(d->OKButton->isDefault());
        d->BtnAddSpecialWordFormat_Click(0);
        EXPECT_EQ(d->TextSpecialWordFormat[0]->text(), "");
        EXPECT_FALSE(d->BtnAddSpecialWordFormat[0]->isDefault());
        EXPECT_TRUE(d->OKButton->isDefault());
    }
    // "abba" reached the UPPERCASE list as ABBA, which it holds already.
    EXPECT_EQ(Words(list), (QStringList{"ABBA", "AC", "DC", "REM", "UB"}));
    list->setCurrentRow(2);
    d->BtnRemoveSpecialWordFormat_Click(0);
    EXPECT_EQ(Words(list), (QStringList{"ABBA", "AC", "REM", "UB"}));
    EXPECT_EQ(list->currentRow(), 1);
    list->setCurrentRow(0);
    d->BtnRemoveSpecialWordFormat_Click(0);
    EXPECT_EQ(list->currentRow(), 0);
    while (list->count() > 0) {
        list->setCurrentRow(0);
        d->BtnRemoveSpecialWordFormat_Click(0);
    }
    EXPECT_EQ(list->currentRow(), -1);
    // Without a selection Remove does nothing.
    d->BtnRemoveSpecialWordFormat_Click(0);
    EXPECT_EQ(list->count(), 0);
}

TEST_F(AdvancedOptionsTest, TheLimitBoxTakesDigitsAndItsArrowsStayWithinOneTo99) {
    auto d = Open();
    QLineEdit* box = d->TextTrackNumLimit;
    const struct {
        const char* start;
        int direction;
        const char* end;
    } arrows[] = {
        {"1", -1, ""}, {"", 1, "1"}, {"99", 1, "99"}, {"30", -1, "29"}, {"30", 1, "31"}, {"", -1, ""},
    };
    for (const auto& a : arrows) {
        box->setText(a.start);
        d->UpDownTrackNumLimit_Click(a.direction);
        EXPECT_EQ(box->text(), a.end) << a.start << " " << a.direction;
    }
    // The Up and Down keys in the box work as the arrows.
    d->show();
    box->setFocus();
    box->setText("5");
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(box, &up);
    EXPECT_EQ(box->text(), "6");
    SetBeepForTesting([] {});
    const struct {
        const char* typed;
        const char* kept;
    } typing[] = {{"0", ""}, {"4a", "4"}, {"-3", "3"}, {"1.", "1"}, {"12", "12"}};
    for (const auto& t : typing) {
        box->setText(t.typed);
        EXPECT_EQ(box->text(), t.kept) << t.typed;
    }
    SetBeepForTesting({});
    EXPECT_EQ(box->maxLength(), 2);
}

TEST_F(AdvancedOptionsTest, ReplacementBoxesDropBlanksAndFileNameCharacters) {
    auto d = Open();
    SetBeepForTesting([] {});
    d->TextChangeSpecialWordTo[3]->setText("my word");
    EXPECT_EQ(d->TextChangeSpecialWordTo[3]->text(), "myword");
    d->TextChangeSpecialWordFrom[10]->setText("a?b*c");
    EXPECT_EQ(d->TextChangeSpecialWordFrom[10]->text(), "abc");
    SetBeepForTesting({});
    EXPECT_EQ(d->TextChangeSpecialWordFrom[0]->maxLength(), 14);
}

TEST_F(AdvancedOptionsTest, TheTabsShowOneNamesFramesAndKeepTheOthersValues) {
    auto d = Open();
    d->show();
    EXPECT_TRUE(d->FrameFormat[0]->isVisible());
    EXPECT_FALSE(d->FrameFormat[1]->isVisible());
    d->TextChangeSpecialWordFrom[1]->setText("artistword");
    d->TabStripNames->setCurrentIndex(1);
    EXPECT_FALSE(d->FrameChangeSpecialWords[0]->isVisible());
    EXPECT_FALSE(d->FrameChangeSpecialWords[0]->isEnabled());
    EXPECT_TRUE(d->FrameSpecialWordsFormat[1]->isVisible());
    d->TextChangeSpecialWordFrom[8]->setText("titleword");
    d->TabStripNames->setCurrentIndex(0);
    EXPECT_EQ(d->TextChangeSpecialWordFrom[1]->text(), "artistword");
    EXPECT_EQ(d->TextChangeSpecialWordFrom[8]->text(), "titleword");
    EXPECT_EQ(d->TabStripNames->tabText(1), "&Title");
}

TEST_F(AdvancedOptionsTest, F1OpensTheDialogsHelpPageOnce) {
    RecordingDesktop desktop;
    auto d = Open();
    d->show();
    d->TextChangeSpecialWordFrom[0]->setFocus();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(d->TextChangeSpecialWordFrom[0], &f1);
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_TRUE(desktop.opened[0].endsWith(HelpTopicPage(13))) << desktop.opened[0].toStdString();
    QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(d->TextChangeSpecialWordFrom[0], &a);
    EXPECT_EQ(desktop.opened.size(), 1);
}

TEST_F(AdvancedOptionsTest, TheCaseChoiceTurnsOffItsOwnWordList) {
    auto d = Open();
    d->TabStripNames->setCurrentIndex(1);
    const struct {
        int style;
        std::array<bool, 3> enabled;
    } cases[] = {{0, {false, true, true}},
                 {1, {true, false, true}},
                 {2, {true, true, false}},
                 {3, {true, true, false}}};  // "Don't change" leaves them as they were
    for (const auto& c : cases) {
        QRadioButton* options[] = {d->OptionAllUppercase[1], d->OptionAllLowercase[1], d->OptionCapitaliseEachWord[1],
                                   d->OptionDontChange[1]};
        options[c.style]->setChecked(true);
        for (int s = 0; s < 3; ++s)
            EXPECT_EQ(d->FrameSpecialWordsFormatType[3 + s]->isEnabled(), c.enabled[s]) << c.style << " " << s;
    }
}

}  // namespace
