// The HTML font dialog: a description comes apart into the boxes and lists,
// the face list and the combination box follow each other, the sample shows
// the font, OK builds the description into the caller's label and keeps the
// history of several-face combinations, a size or colour that is wrong is
// refused at OK with the label and the history untouched, Cancel changes
// nothing, and the Options dialog's hooks open the cataloguer's dialogs.

#include "cataloguer/ui/HTMLFontDialog.h"

#include "cataloguer/ui/CataloguerDialogs.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/ui/QtDialogs.h"
#include "options/ui/CataloguerDialogHooks.h"
#include "support/QtPrinters.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kHistory = QStringLiteral("ComboFontCombination");

QString Stored(const QString& key) {
    return GetOptionSetting(kHistory, key, QStringLiteral("<missing>"), SettingType::String).toString();
}

QStringList Selected(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected()) texts << list->item(i)->text();
    return texts;
}

QStringList Entries(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    return texts;
}

class HTMLFontDialogTest : public ::testing::Test {
protected:
    void SetUp() override { SetStringTableLanguage(StringTableLanguage::US); }

    // A dialog loaded on `description` (held by `label`).
    std::unique_ptr<DialogHTMLFont> Open(const QString& description) {
        label.setText(description);
        auto d = std::make_unique<DialogHTMLFont>();
        EXPECT_TRUE(d->Load(&label));
        return d;
    }
    // The faces of the list after "Default": at least two are installed.
    QString Face(int n, const DialogHTMLFont& d) const { return d.ListFonts->item(1 + n)->text(); }

    TempHome home;
    ScopedOptions options;
    ScriptedUi ui;
    ScriptedDialogs dialogs;
    QLabel label;
};

TEST_F(HTMLFontDialogTest, OpensOnTheDefaultDescription) {
    auto d = Open("Font: Default, Size Default, Colour Default");
    EXPECT_EQ(d->windowTitle(), "HTML Font");
    EXPECT_EQ(d->ListFonts->item(0)->text(), "Default");
    ASSERT_GE(d->ListFonts->count(), 3);
    EXPECT_EQ(d->ComboFontCombination->currentText(), "Default");
    EXPECT_EQ(Selected(d->ListFonts), QStringList{"Default"});
    EXPECT_EQ(d->TextStyle->text(), "Regular");
    EXPECT_EQ(Selected(d->ListSizes), QStringList{"Default"});
    EXPECT_EQ(d->ListSizes->count(), 22);
    EXPECT_EQ(d->ComboColour->count(), 141);
    EXPECT_FALSE(d->CheckUnderline->isChecked());
    const QPalette system = QApplication::palette();
    EXPECT_EQ(d->PictureColour->palette().color(d->PictureColour->backgroundRole()), system.color(QPalette::Button));
    EXPECT_EQ(d->LabelSampleText->font().families().value(0), "Times New Roman");
    EXPECT_EQ(d->LabelSampleText->palette().color(QPalette::WindowText), system.color(QPalette::ButtonText));
    // The history's first-run text is replaced by the description's faces,
    // and the stored history joins the box's list, most recent last.
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(HTMLFontDialogTest, OpensOnAStyledDescriptionAndTheSampleFollows) {
    auto probe = Open("Font: Default, Size Default, Colour Default");
    const QString face = Face(0, *probe);
    auto d = Open("Font: " + face + ", Size +2, Colour lime, Bold Italic Underline");
    EXPECT_EQ(Selected(d->ListFonts), QStringList{face});
    EXPECT_EQ(d->TextStyle->text(), "Bold Italic");
    EXPECT_EQ(Selected(d->ListStyles), QStringList{"Bold Italic"});
    EXPECT_EQ(Selected(d->ListSizes), QStringList{"+2"});
    EXPECT_TRUE(d->CheckUnderline->isChecked());
    const QFont sample = d->LabelSampleText->font();
    EXPECT_EQ(sample.families().value(0), face);
    EXPECT_TRUE(sample.bold());
    EXPECT_TRUE(sample.italic());
    EXPECT_TRUE(sample.underline());
    EXPECT_EQ(d->LabelSampleText->palette().color(QPalette::WindowText), QColor(0, 255, 0));

    d->ListStyles->setCurrentRow(0);
    EXPECT_EQ(d->TextStyle->text(), "Regular");
    EXPECT_FALSE(d->LabelSampleText->font().bold());
    d->CheckUnderline->setChecked(false);
    EXPECT_FALSE(d->LabelSampleText->font().underline());
}

TEST_F(HTMLFontDialogTest, TheFaceListAndTheCombinationBoxFollowEachOther) {
    auto d = Open("Font: Default, Size Default, Colour Default");
    const QString first = Face(0, *d), second = Face(1, *d);
    // Selected lower one first: joined in list order.
    d->ListFonts->clearSelection();
    d->ListFonts->item(2)->setSelected(true);
    d->ListFonts->item(1)->setSelected(true);
    EXPECT_EQ(d->ComboFontCombination->currentText(), first + ", " + second);
    d->ListFonts->clearSelection();
    EXPECT_EQ(d->ComboFontCombination->currentText(), "");

    // Typed beginnings in lower case select the first face beginning with
    // each; a part that matches nothing selects nothing and stays.
    const QString typed = second.left(3).toLower() + " ,  " + "zzqx-no-face" + "," + first.left(2).toLower();
    d->ComboFontCombination->setEditText(typed);
    EXPECT_EQ(d->ComboFontCombination->currentText(), typed);
    QStringList expected;
    for (const QString& part : {first.left(2), second.left(3)}) {
        for (int i = 0; i < d->ListFonts->count(); ++i)
            if (d->ListFonts->item(i)->text().startsWith(part, Qt::CaseInsensitive)) {
                if (!expected.contains(d->ListFonts->item(i)->text())) expected << d->ListFonts->item(i)->text();
                break;
            }
    }
    QStringList selected = Selected(d->ListFonts);
    std::sort(selected.begin(), selected.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(selected, expected);
    // The sample shows the face that holds the list's focus: the last part's
    // ("Default" is drawn in "Times New Roman").
    const QString focus = d->ListFonts->currentItem()->text();
    EXPECT_EQ(d->LabelSampleText->font().families().value(0),
              focus == "Default" ? QStringLiteral("Times New Roman") : focus);
}

TEST_F(HTMLFontDialogTest, OKBuildsTheDescriptionAndKeepsTheHistoryOfCombinations) {
    auto d = Open("Font: Default, Size Default, Colour Default");
    const QString combination = Face(0, *d) + ", " + Face(1, *d);
    d->ComboFontCombination->setEditText(combination);
    d->TextSize->setText("");
    d->ComboColour->setEditText("123abc");
    d->ComboColour_LostFocus();
    d->CheckUnderline->setChecked(true);
    d->OKButton->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_TRUE(ui.shown.empty());
    const QString built = "Font: " + combination + ", Size Default, Colour #123abc Underline";
    EXPECT_EQ(d->mstrHTMLFontString, built);
    EXPECT_EQ(label.text(), built);
    EXPECT_EQ(d->TextSize->text(), "Default");
    EXPECT_EQ(Stored("1"), combination);
    EXPECT_EQ(Stored("Text"), combination);

    // Picked again from the history: nothing is added.
    auto again = Open(built);
    const int at = Entries(again->ComboFontCombination).lastIndexOf(combination);
    ASSERT_GE(at, 0);
    again->ComboFontCombination->setCurrentIndex(at);
    again->OKButton->click();
    EXPECT_EQ(Stored("1"), combination);
    EXPECT_NE(Stored("2"), combination);

    // A single face, or "Default", writes no history.
    for (const QString& single : {Face(0, *d), QStringLiteral("Default")}) {
        auto one = Open(built);
        one->ComboFontCombination->setEditText(single);
        one->OKButton->click();
        EXPECT_EQ(Stored("Text"), combination);
        EXPECT_EQ(Stored("1"), combination);
    }

    // With twelve remembered, a new one drops the oldest.
    for (int n = 1; n <= 12; ++n) SaveOptionSetting(kHistory, QString::number(n), QStringLiteral("A%1, B").arg(n),
                                                    SettingType::String);
    auto full = Open(built);
    full->ComboFontCombination->setEditText("New, Pair");
    full->OKButton->click();
    EXPECT_EQ(Stored("1"), "New, Pair");
    EXPECT_EQ(Stored("2"), "A1, B");
    EXPECT_EQ(Stored("12"), "A11, B");
}

TEST_F(HTMLFontDialogTest, ATypedCombinationStaysAsTypedAndTheHistoryStaysInTheList) {
    SaveOptionSetting(kHistory, "1", "Arial, Helvetica, sans-serif", SettingType::String);
    // A beginning of a remembered combination, and one in other capitals.
    for (const QString& typed : {QStringLiteral("Arial, Helvetica"), QStringLiteral("arial, helvetica, sans-serif")}) {
        SCOPED_TRACE(typed.toStdString());
        auto d = Open("Font: Default, Size Default, Colour Default");
        d->show();
        QApplication::setActiveWindow(d.get());
        d->ComboFontCombination->setFocus();
        d->ComboFontCombination->lineEdit()->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), typed);
        EXPECT_EQ(d->ComboFontCombination->currentText(), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // left
        EXPECT_NE(QApplication::focusWidget(), d->ComboFontCombination);
        EXPECT_EQ(d->ComboFontCombination->currentText(), typed);
        d->OKButton->click();
        EXPECT_EQ(label.text(), "Font: " + typed + ", Size Default, Colour Default");
        EXPECT_EQ(Stored("1"), typed);
        EXPECT_EQ(Stored("2"), "Arial, Helvetica, sans-serif");
        SaveOptionSetting(kHistory, "1", "Arial, Helvetica, sans-serif", SettingType::String);
        SaveOptionSetting(kHistory, "2", "", SettingType::String);
    }
}

TEST_F(HTMLFontDialogTest, AWrongSizeOrColourIsRefusedAndNothingLeaves) {
    const QString original = "Font: Default, Size Default, Colour Default";
    struct Case {
        const char* size;
        const char* colour;
        const char* title;
    };
    for (const Case& c : {Case{"x", "lime", "Invalid Entry"}, Case{"2a", "", "Invalid Entry"},
                          Case{"3", "limey", "Invalid Color"}, Case{"+1", "#12345", "Invalid Color"}}) {
        SCOPED_TRACE(c.size + std::string(" ") + c.colour);
        ui.shown.clear();
        auto d = Open(original);
        d->ComboFontCombination->setEditText("One, Two");
        d->TextSize->setText(c.size);
        d->ComboColour->setEditText(c.colour);
        d->OKButton->click();
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].title, c.title);
        EXPECT_NE(d->result(), QDialog::Accepted);
        EXPECT_EQ(label.text(), original);
        EXPECT_EQ(Stored("Text"), "<missing>");
    }
    EXPECT_EQ(ui.shown[0].prompt, "That is not a valid HTML color. Please enter or select another color.");

    // Leaving the size box: a letter warns, a number no list entry matches
    // does not.
    ui.shown.clear();
    auto d = Open(original);
    d->TextSize->setText("a");
    EXPECT_FALSE(d->TextSize_LostFocus());
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, "You must enter either a numeric value or \"Default\" in this box.");
    d->TextSize->setText("12");
    EXPECT_TRUE(d->TextSize_LostFocus());
    EXPECT_TRUE(Selected(d->ListSizes).isEmpty());
    d->ListSizes->setCurrentRow(9);  // a pick copies the entry into the box
    EXPECT_EQ(d->TextSize->text(), "+2");
    d->TextSize->setText("-");
    EXPECT_EQ(d->TextSize->text(), "-");  // following the typing copies nothing back
    EXPECT_EQ(d->ListSizes->currentItem()->text(), "-7");
    d->OKButton->click();
    EXPECT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(d->TextSize->text(), "-");
}

TEST_F(HTMLFontDialogTest, TheColourDialogCancelAndAnUnreadableDescription) {
    auto d = Open("Font: Default, Size 2, Colour Default");
    dialogs.answers.push_back(ScriptedDialogs::ChooseColour(0x000000FF));  // pure red
    d->PictureColour_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].flags & Cdl::CCFullOpen, Cdl::CCFullOpen);
    EXPECT_EQ(d->ComboColour->currentText(), "#FF0000");
    EXPECT_EQ(d->LabelSampleText->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    // A colour typed afterwards is the one the next colour dialog opens on.
    d->ComboColour->setEditText("blue");
    d->ComboColour_LostFocus();
    d->PictureColour_Click();
    EXPECT_EQ(dialogs.shown[1].color & 0xFFFFFF, 0xFF0000);  // blue, as 0xBBGGRR
    EXPECT_EQ(d->ComboColour->currentText(), "blue");
    d->CancelButton->click();
    EXPECT_EQ(label.text(), "Font: Default, Size 2, Colour Default");
    EXPECT_EQ(Stored("Text"), "<missing>");

    label.setText("no description at all");
    DialogHTMLFont bad;
    EXPECT_FALSE(bad.Load(&label));
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(label.text(), "no description at all");
    EXPECT_FALSE(ShowHTMLFontDialog(&label));
    EXPECT_EQ(ui.shown.size(), 2u);
}

TEST_F(HTMLFontDialogTest, HelpTopicsOfTheControls) {
    auto d = Open("Font: Default, Size Default, Colour Default");
    EXPECT_EQ(d->HelpTopicOf(d->ComboColour), 19);
    EXPECT_EQ(d->HelpTopicOf(d->ComboColour->lineEdit()), 19);
    EXPECT_EQ(d->HelpTopicOf(d->PictureColour), 19);
    EXPECT_EQ(d->HelpTopicOf(d->ListFonts), 20);
    EXPECT_EQ(d->HelpTopicOf(d->OKButton), 20);
}

TEST_F(HTMLFontDialogTest, TheOptionsDialogHooksOpenTheCataloguersDialogs) {
    const CataloguerDialogHooks old = CataloguerDialogs();
    SetCataloguerDialogHooks({});
    RegisterCataloguerDialogs();
    const CataloguerDialogHooks& hooks = CataloguerDialogs();
    EXPECT_TRUE(hooks.htmlFont && hooks.htmlPageProperties && hooks.htmlHeader && hooks.textHeader);
    // The font hook edits the description it is given; an unreadable one is
    // reported and left alone.
    QString description = "not a font";
    EXPECT_FALSE(hooks.htmlFont(nullptr, description));
    EXPECT_EQ(description, "not a font");
    EXPECT_EQ(ui.shown.size(), 1u);
    SetCataloguerDialogHooks(old);
}

}  // namespace
