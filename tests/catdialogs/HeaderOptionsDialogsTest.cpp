// The two catalogue header dialogs: the stored values come back into the
// controls (an unticked title included), OK stores exactly the header's keys
// in its own section and reloads the option record, Cancel stores nothing, a
// fill that is no colour is refused at OK, the enabling rules of each dialog,
// the font buttons through the font dialog, and the help topics.

#include "cataloguer/ui/HTMLFontDialog.h"
#include "cataloguer/ui/HeaderOptionsDialogs.h"

#include "foundation/FirstRun.h"
#include "foundation/IniFile.h"
#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/ui/QtDialogs.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kHTML = QStringLiteral("MusicCataloguerHTML");
const QString kText = QStringLiteral("MusicCataloguerText");

// Every key and value of a section as the store file holds them.
QMap<QString, QString> Section(const QString& section) {
    QFile file(SettingsStorePath());
    QMap<QString, QString> entries;
    if (!file.open(QIODevice::ReadOnly)) return entries;
    const IniDocument doc = IniDocument::parse(QString::fromUtf8(file.readAll()), IniSyntax::Store);
    doc.forEachEntry(section, [&](const QString& key, const QString& value) { entries.insert(key, value); });
    return entries;
}

QStringList HeaderKeys() {
    return {"HeaderTitle",      "TitleText",        "CollectionProps",  "TotalNumFiles",
            "TotalSizeFiles",   "TotalLengthFiles", "ListProps",        "ListCreationDate",
            "ListCreationTime", "NumPagesInList",   "ColumnHeadings"};
}

class HeaderDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { SetStringTableLanguage(StringTableLanguage::US); }

    TempHome home;
    ScopedOptions options;
    ScriptedUi ui;
    ScriptedDialogs dialogs;
};

std::vector<QCheckBox*> Checks(const CataloguerHeaderDialog& d) {
    return {d.CheckTitle,          d.CheckCollectionProperties, d.CheckTotalNumFiles,  d.CheckTotalSizeFiles,
            d.CheckTotalLengthFiles, d.CheckListProperties,     d.CheckListCreationDate, d.CheckListCreationTime,
            d.CheckNumPagesInList, d.CheckColumnHeadings};
}

TEST_F(HeaderDialogsTest, HTMLHeaderOpensOnTheFirstRunValues) {
    InitialiseFirstTimeOptions();
    DialogHTMLCataloguerHeader d;
    EXPECT_EQ(d.windowTitle(), "HTML Cataloger Header Options");
    EXPECT_EQ(d.FrameHeader->title(), "Header (appears at the top of each page):");
    EXPECT_EQ(d.ComboPageLinks->currentText(), "top and bottom of each page");
    for (QCheckBox* box : Checks(d)) {
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
        EXPECT_TRUE(box->isEnabled()) << box->objectName().toStdString();
    }
    EXPECT_EQ(d.TextTitle->text(), "My Music Collection");
    EXPECT_TRUE(d.TextTitle->isEnabled());
    EXPECT_EQ(d.LabelFont[1]->text(), "Font: Tahoma, Size +2, Colour lime, Bold");
    EXPECT_EQ(d.LabelFont[4]->text(), "Font: Comic Sans MS, Size Default, Colour lime");
    const int32_t swatches[5] = {0x000000, 0x000000, 0x000000, 0x006400, 0x006400};
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(d.ComboFill[n]->count(), 141);
        EXPECT_EQ(SwatchColour(d.PictureFill[n]) & 0xFFFFFF, swatches[n]) << n;
        EXPECT_EQ(d.BtnChangeFont[n]->text(), "Change Font...");
    }
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(HeaderDialogsTest, HTMLHeaderOKStoresExactlyItsKeysAndReloadsTheRecord) {
    const QMap<QString, QString> before = Section(kHTML);
    auto d = std::make_unique<DialogHTMLCataloguerHeader>();
    d->ComboPageLinks->setCurrentIndex(1);
    d->TextTitle->setText("Shelf & <Crate>");
    d->CheckTotalSizeFiles->setChecked(false);
    d->CheckListCreationTime->setChecked(false);
    d->CheckColumnHeadings->setChecked(false);
    d->LabelFont[2]->setText("Font: Arial, Size 3, Colour navy, Italic");
    d->ComboFill[0]->setEditText("00ff00");
    d->ComboFill_LostFocus(0);
    EXPECT_EQ(d->ComboFill[0]->currentText(), "#00ff00");
    EXPECT_EQ(SwatchColour(d->PictureFill[0]) & 0xFFFFFF, 0x00FF00);
    d->ComboFill[3]->setEditText("NavY");
    d->OKButton->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_TRUE(ui.shown.empty());

    QMap<QString, QString> expected = before;
    for (const QString& key : HeaderKeys()) expected.insert(key, "1");
    expected.insert("PageLinksAppear", "1");
    expected.insert("TitleText", "Shelf & <Crate>");
    expected.insert("TotalSizeFiles", "0");
    expected.insert("ListCreationTime", "0");
    expected.insert("ColumnHeadings", "0");
    for (int n = 0; n < 5; ++n) {
        expected.insert(QStringLiteral("HeaderFont%1").arg(n), "Font: Default, Size Default, Colour Default");
        expected.insert(QStringLiteral("HeaderColour%1").arg(n), "");
    }
    expected.insert("HeaderFont2", "Font: Arial, Size 3, Colour navy, Italic");
    expected.insert("HeaderColour0", "#00ff00");
    expected.insert("HeaderColour3", "NavY");
    EXPECT_EQ(Section(kHTML), expected);
    EXPECT_TRUE(Section(kText).isEmpty());

    const CataloguerHTMLOptions& record = Options().CataloguerHTML;
    EXPECT_EQ(record.lngPageLinksAppear, 1);
    EXPECT_EQ(record.strHTMLTitleText, "Shelf & <Crate>");
    EXPECT_FALSE(record.blnHTMLTotalSizeFiles);
    EXPECT_TRUE(record.blnHTMLTotalNumFiles);
    EXPECT_FALSE(record.blnHTMLColumnHeadings);
    EXPECT_EQ(record.strHeaderFont[2], "Font: Arial, Size 3, Colour navy, Italic");
    EXPECT_EQ(record.strHeaderColour[3], "NavY");

    DialogHTMLCataloguerHeader again;
    EXPECT_EQ(TakeHTMLHeaderSettings(again.Controls()), TakeHTMLHeaderSettings(d->Controls()));
}

TEST_F(HeaderDialogsTest, AStoredUntickedTitleComesBackUnticked) {
    // Both dialogs, with an emptied title (as OK leaves it) and with a title
    // text kept by hand in the store.
    for (const QString& stored : {QString(), QStringLiteral("Kept")}) {
        SCOPED_TRACE(stored.toStdString());
        for (const QString& section : {kHTML, kText}) {
            SaveOptionSetting(section, "HeaderTitle", "0", SettingType::String);
            SaveOptionSetting(section, "TitleText", stored, SettingType::String);
        }
        DialogHTMLCataloguerHeader html;
        DialogTextCataloguerHeader text;
        for (CataloguerHeaderDialog* d : {static_cast<CataloguerHeaderDialog*>(&html),
                                          static_cast<CataloguerHeaderDialog*>(&text)}) {
            EXPECT_FALSE(d->CheckTitle->isChecked()) << d->objectName().toStdString();
            EXPECT_FALSE(d->TextTitle->isEnabled());
            EXPECT_EQ(d->TextTitle->text(), stored);
        }
    }
}

TEST_F(HeaderDialogsTest, OKWithAnUntickedTitleStoresAnEmptyTitleInItsOwnSectionOnly) {
    SaveOptionSetting(kHTML, "TitleText", "HTML title", SettingType::String);
    auto d = std::make_unique<DialogTextCataloguerHeader>();
    EXPECT_EQ(d->windowTitle(), "Text Cataloger Header Options");
    d->CheckTitle->setChecked(false);
    EXPECT_FALSE(d->TextTitle->isEnabled());
    d->OKButton->click();
    EXPECT_EQ(d->result(), QDialog::Accepted);

    QMap<QString, QString> expected;
    for (const QString& key : HeaderKeys()) expected.insert(key, "1");
    expected.insert("HeaderTitle", "0");
    expected.insert("TitleText", "");
    EXPECT_EQ(Section(kText), expected);
    EXPECT_EQ(Section(kHTML), (QMap<QString, QString>{{"TitleText", "HTML title"}}));
    EXPECT_FALSE(Options().CataloguerText.blnHeaderTitle);
    EXPECT_EQ(Options().CataloguerText.strTitleText, "");

    DialogTextCataloguerHeader again;
    EXPECT_FALSE(again.CheckTitle->isChecked());
    EXPECT_FALSE(again.TextTitle->isEnabled());
    EXPECT_EQ(again.TextTitle->text(), "");
}

TEST_F(HeaderDialogsTest, EnablingRulesOfEachDialog) {
    DialogHTMLCataloguerHeader html;
    DialogTextCataloguerHeader text;
    for (CataloguerHeaderDialog* d :
         {static_cast<CataloguerHeaderDialog*>(&html), static_cast<CataloguerHeaderDialog*>(&text)}) {
        SCOPED_TRACE(d->objectName().toStdString());
        const bool isHTML = d == &html;
        d->CheckCollectionProperties->setChecked(false);
        for (QCheckBox* box : {d->CheckTotalNumFiles, d->CheckTotalSizeFiles, d->CheckTotalLengthFiles})
            EXPECT_FALSE(box->isEnabled());
        d->CheckCollectionProperties->setChecked(true);
        EXPECT_TRUE(d->CheckTotalLengthFiles->isEnabled());

        // The creation date governs the creation time in the HTML dialog only.
        d->CheckListCreationDate->setChecked(false);
        EXPECT_EQ(d->CheckListCreationTime->isEnabled(), !isHTML);
        EXPECT_TRUE(d->CheckNumPagesInList->isEnabled());
        d->CheckListProperties->setChecked(false);
        for (QCheckBox* box : {d->CheckListCreationDate, d->CheckListCreationTime, d->CheckNumPagesInList})
            EXPECT_FALSE(box->isEnabled());
        // A tick of the list check enables all three, the time included.
        d->CheckListProperties->setChecked(true);
        for (QCheckBox* box : {d->CheckListCreationDate, d->CheckListCreationTime, d->CheckNumPagesInList})
            EXPECT_TRUE(box->isEnabled());
    }

    // Loaded: the time is enabled exactly when the list check and the date are.
    SaveOptionSetting(kHTML, "ListCreationDate", "0", SettingType::String);
    SaveOptionSetting(kText, "ListCreationDate", "0", SettingType::String);
    DialogHTMLCataloguerHeader html2;
    DialogTextCataloguerHeader text2;
    EXPECT_FALSE(html2.CheckListCreationTime->isEnabled());
    EXPECT_TRUE(text2.CheckListCreationTime->isEnabled());
    SaveOptionSetting(kHTML, "ListProps", "0", SettingType::String);
    DialogHTMLCataloguerHeader html3;
    EXPECT_FALSE(html3.CheckListCreationDate->isEnabled());
    EXPECT_FALSE(html3.CheckNumPagesInList->isEnabled());
}

TEST_F(HeaderDialogsTest, AFillThatIsNoColourIsRefusedAtOKAndCancelStoresNothing) {
    const CataloguerHTMLOptions before = Options().CataloguerHTML;
    auto d = std::make_unique<DialogHTMLCataloguerHeader>();
    d->TextTitle->setText("Changed");
    d->ComboFill[4]->setEditText("lime1");  // never left: OK checks it
    d->OKButton->click();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Invalid Color");
    EXPECT_NE(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->ComboFill[4]->currentText(), "lime1");
    EXPECT_TRUE(Section(kHTML).isEmpty());

    // The colour dialog fills the box; Cancel then drops everything.
    dialogs.answers.push_back(ScriptedDialogs::ChooseColour(0x000000FF));  // pure red
    d->PictureFill_Click(4);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].flags & Cdl::CCFullOpen, Cdl::CCFullOpen);
    EXPECT_EQ(d->ComboFill[4]->currentText(), "#FF0000");
    d->PictureFill_Click(4);  // cancelled: nothing changes
    EXPECT_EQ(d->ComboFill[4]->currentText(), "#FF0000");
    d->CancelButton->click();
    EXPECT_TRUE(Section(kHTML).isEmpty());
    EXPECT_EQ(Options().CataloguerHTML.strHTMLTitleText, before.strHTMLTitleText);

    // A stored fill that is no colour is reported while loading.
    ui.shown.clear();
    SaveOptionSetting(kHTML, "HeaderColour2", "notacolour", SettingType::String);
    DialogHTMLCataloguerHeader loaded;
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Invalid Color");
    EXPECT_EQ(loaded.ComboFill[2]->currentText(), "notacolour");
}

TEST_F(HeaderDialogsTest, ChangeFontEditsTheSectionsLabelThroughTheFontDialog) {
    auto d = std::make_unique<DialogHTMLCataloguerHeader>();
    // The font dialog is modal: answer it once it shows.
    auto answer = [](bool ok) {
        QTimer::singleShot(0, [ok] {
            auto* font = qobject_cast<DialogHTMLFont*>(QApplication::activeModalWidget());
            ASSERT_NE(font, nullptr);
            font->TextSize->setText("+3");
            font->ListStyles->setCurrentRow(3);
            (ok ? font->OKButton : font->CancelButton)->click();
        });
    };
    answer(false);
    d->BtnChangeFont_Click(3);
    EXPECT_EQ(d->LabelFont[3]->text(), "Font: Default, Size Default, Colour Default");
    answer(true);
    d->BtnChangeFont_Click(3);
    EXPECT_EQ(d->LabelFont[3]->text(), "Font: Default, Size +3, Colour Default, Bold Italic");
    // The header's Cancel drops the new font with everything else.
    d->CancelButton->click();
    EXPECT_TRUE(Section(kHTML).isEmpty());
}

TEST_F(HeaderDialogsTest, HelpTopicsOfTheControls) {
    DialogHTMLCataloguerHeader html;
    EXPECT_EQ(html.HelpTopicOf(html.CheckTitle), 15);
    EXPECT_EQ(html.HelpTopicOf(html.ComboPageLinks), 15);
    EXPECT_EQ(html.HelpTopicOf(html.TextTitle), 15);
    EXPECT_EQ(html.HelpTopicOf(html.OKButton), 19);
    EXPECT_EQ(html.HelpTopicOf(html.CancelButton), 19);
    EXPECT_EQ(html.HelpTopicOf(html.BtnChangeFont[0]), 19);
    EXPECT_EQ(html.HelpTopicOf(html.ComboFill[2]->lineEdit()), 19);
    DialogTextCataloguerHeader text;
    EXPECT_EQ(text.HelpTopicOf(text.OKButton), 16);
    EXPECT_EQ(text.HelpTopicOf(text.CheckTitle), 16);
}

}  // namespace
