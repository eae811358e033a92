// The HTML page properties dialog: values stored by OK reach the settings,
// the option record and the next dialog; a colour that is no colour is
// refused at OK with nothing stored; Cancel stores nothing; the colour boxes,
// swatches, margin boxes and the image browse.

#include "cataloguer/ui/PagePropertiesDialog.h"

#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/ui/QtDialogs.h"
#include "options/ui/CataloguerDialogHooks.h"
#include "cataloguer/ui/CataloguerDialogs.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedUi.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kSection = QStringLiteral("MusicCataloguerHTML");

QString Stored(const QString& key) {
    return GetOptionSetting(kSection, key, QStringLiteral("<missing>"), SettingType::String).toString();
}

class PagePropertiesTest : public ::testing::Test {
protected:
    void SetUp() override { SetStringTableLanguage(StringTableLanguage::US); }
    std::unique_ptr<DialogHTMLPageProperties> Open() { return std::make_unique<DialogHTMLPageProperties>(); }

    TempHome home;
    ScopedOptions options;
    ScriptedUi ui;
    ScriptedDialogs dialogs;
};

TEST_F(PagePropertiesTest, OKStoresEveryValueReloadsTheRecordAndTheNextDialogShowsThem) {
    auto d = Open();
    EXPECT_EQ(d->windowTitle(), "HTML Cataloger Page Properties");
    EXPECT_EQ(d->TextTitle->text(), "My Music Collection");
    EXPECT_EQ(d->TextDescription->text(), "My Music Collection");
    EXPECT_EQ(d->TextKeywords->text(), DefaultPageKeywords());
    EXPECT_EQ(d->TextBackgroundImage->text(), "");
    for (QComboBox* combo : d->ComboColour) {
        EXPECT_EQ(combo->currentText(), "Default");
        EXPECT_EQ(combo->count(), 141);
    }
    for (QLineEdit* margin : d->TextMargin) EXPECT_EQ(margin->text(), "");

    d->TextTitle->setText("Vinyl");
    d->TextDescription->setText("Everything on the shelf");
    d->TextKeywords->setText("mp3, vinyl");
    d->TextBackgroundImage->setText("/pictures/back.png");
    // Six digits without "#" get one; a name in other capitals stays as typed;
    // "DEFAULT" and an empty box mean no colour.
    const QString typed[5] = {"00ff00", "NavY", "DEFAULT", "", "#123ABC"};
    for (int i = 0; i < 5; ++i) {
        d->ComboColour[i]->setEditText(typed[i]);
        d->ComboColour_LostFocus(i);
    }
    EXPECT_EQ(d->ComboColour[0]->currentText(), "#00ff00");
    EXPECT_EQ(SwatchColour(d->PictureColour[0]) & 0xFFFFFF, 0x00FF00);
    EXPECT_EQ(d->ComboColour[1]->currentText(), "NavY");
    const QString margins[4] = {"5", "10", "0", "-7"};
    for (int i = 0; i < 4; ++i) d->TextMargin[i]->setText(margins[i]);
    EXPECT_EQ(d->TextMargin[2]->text(), "");  // a lone 0 is cleared
    EXPECT_EQ(d->TextMargin[3]->text(), "7");  // no minus sign
    EXPECT_TRUE(ui.shown.empty());

    d->OKButton->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_TRUE(ui.shown.empty());

    EXPECT_EQ(Stored("Title"), "Vinyl");
    EXPECT_EQ(Stored("PageColour0"), "#00ff00");
    EXPECT_EQ(Stored("PageColour2"), "DEFAULT");
    EXPECT_EQ(Stored("Margin3"), "7");
    const CataloguerHTMLOptions& record = Options().CataloguerHTML;
    EXPECT_EQ(record.strPageTitle, "Vinyl");
    EXPECT_EQ(record.strPageDescription, "Everything on the shelf");
    EXPECT_EQ(record.strPageKeywords, "mp3, vinyl");
    EXPECT_EQ(record.strBackgroundImage, "/pictures/back.png");
    EXPECT_EQ(record.strPageColour[1], "NavY");
    EXPECT_EQ(record.strPageColour[4], "#123ABC");
    EXPECT_EQ(record.strMargin[0], "5");
    EXPECT_EQ(record.strMargin[2], "");

    auto again = Open();
    EXPECT_EQ(again->TakeSettings(), d->TakeSettings());
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(PagePropertiesTest, OKRefusesAColourThatIsNoColourAndStoresNothing) {
    // Five digits and a colour name with a digit added are no colours, even
    // when the box never lost the focus before OK.
    for (const QString& bad : {QStringLiteral("00ff0"), QStringLiteral("navy1")}) {
        SCOPED_TRACE(bad.toStdString());
        ui.shown.clear();
        const CataloguerHTMLOptions before = Options().CataloguerHTML;
        auto d = Open();
        d->TextTitle->setText("Changed");
        d->ComboColour[0]->setEditText("#000000");
        d->ComboColour[3]->setEditText(bad);
        d->OKButton->click();

        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].title, "Invalid Color");
        EXPECT_EQ(ui.shown[0].prompt, "That is not a valid HTML color. Please enter or select another color.");
        EXPECT_NE(d->result(), QDialog::Accepted);
        EXPECT_TRUE(d->isVisible() || d->result() == 0);
        EXPECT_EQ(d->ComboColour[3]->currentText(), bad);  // the text stays for mending
        EXPECT_EQ(Stored("Title"), "<missing>");
        EXPECT_EQ(Stored("PageColour0"), "<missing>");
        EXPECT_EQ(Options().CataloguerHTML.strPageTitle, before.strPageTitle);

        // Once mended, OK stores.
        d->ComboColour[3]->setEditText("blue");
        d->OKButton->click();
        EXPECT_EQ(d->result(), QDialog::Accepted);
        EXPECT_EQ(Stored("PageColour3"), "blue");
        EXPECT_EQ(Stored("Title"), "Changed");
        DeleteOptionSetting(kSection);
    }
}

TEST_F(PagePropertiesTest, CancelStoresNothingAndTheColourDialogAndBrowseFillTheBoxes) {
    auto d = Open();
    // Picking pure green writes "#00FF00".
    dialogs.answers.push_back(ScriptedDialogs::ChooseColour(0x0000FF00));
    d->PictureColour_Click(1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].name, "CommonDialogColour");
    EXPECT_EQ(d->ComboColour[1]->currentText(), "#00FF00");
    // A cancelled colour dialog changes nothing.
    d->PictureColour_Click(1);
    EXPECT_EQ(d->ComboColour[1]->currentText(), "#00FF00");

    dialogs.answers.push_back(ScriptedDialogs::ChooseFile("/pictures/tile.gif"));
    d->BtnBrowseBackgroundImage_Click();
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[2].title, "Select Image Source");
    EXPECT_EQ(dialogs.shown[2].filter,
              "Image Files (*.gif,*.jpg,*.jpeg,*.png)|*.gif;*.jpg;*.jpeg;*.png|All Files (*.*)|*.*");
    EXPECT_EQ(d->TextBackgroundImage->text(), "/pictures/tile.gif");
    d->BtnBrowseBackgroundImage_Click();  // cancelled: the box keeps its text
    EXPECT_EQ(d->TextBackgroundImage->text(), "/pictures/tile.gif");

    const CataloguerHTMLOptions before = Options().CataloguerHTML;
    d->CancelButton->click();
    EXPECT_EQ(Stored("PageColour1"), "<missing>");
    EXPECT_EQ(Stored("BackgroundImage"), "<missing>");
    EXPECT_EQ(Options().CataloguerHTML.strBackgroundImage, before.strBackgroundImage);
}

TEST_F(PagePropertiesTest, AStoredColourThatIsNoColourIsReportedAtLoad) {
    SaveOptionSetting(kSection, "PageColour2", "notacolour", SettingType::String);
    auto d = Open();
    EXPECT_EQ(d->ComboColour[2]->currentText(), "notacolour");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Invalid Color");
}

TEST_F(PagePropertiesTest, TheOptionsDialogHookOpensTheDialogOnceRegistered) {
    const CataloguerDialogHooks old = CataloguerDialogs();
    RegisterCataloguerDialogs();
    EXPECT_TRUE(static_cast<bool>(CataloguerDialogs().htmlPageProperties));
    SetCataloguerDialogHooks(old);
}

}  // namespace
