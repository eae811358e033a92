// What an option dialog stores is what the option readers read into the
// program's options: the same keys, the same value forms and, on an empty
// store, the same defaults.

#include "windowsettings/SettingsFixture.h"

#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "cataloguer/CataloguerOptionSettings.h"
#include "coordinator/CoordinatorDialogSettings.h"
#include "support/ScopedOptions.h"

namespace {

class OptionReadersAgreeTest : public SettingsTest {
protected:
    ScopedOptions saved;
};

std::vector<QString> Words(const QStringList& list) { return {list.begin(), list.end()}; }

void ExpectSameAdvanced(const FileNameTagCoordAdvSettings& s) {
    const CoordinatorAdvOptions& o = Options().CoordinatorAdv;
    EXPECT_EQ(o.blnUpperCase, s.OptionAllUppercase);
    EXPECT_EQ(o.blnLowerCase, s.OptionAllLowercase);
    EXPECT_EQ(o.blnCapitalise, s.OptionCapitaliseEachWord);
    EXPECT_EQ(o.blnDontChange, s.OptionDontChange);
    EXPECT_EQ(o.blnRemoveUnder, s.CheckRemoveUnderscores);
    EXPECT_EQ(o.strCSWFrom, s.TextChangeSpecialWordFrom);
    EXPECT_EQ(o.strCSWTo, s.TextChangeSpecialWordTo);
    for (int name = 0; name < 2; ++name) {
        const SpecialWordLists& words = o.udtSpecialWords[name];
        const std::vector<QString>* lists[3] = {&words.UpperCase, &words.LowerCase, &words.Capitalised};
        const int counts[3] = {o.intNumUpperCaseWords[name], o.intNumLowerCaseWords[name],
                               o.intNumCapitalisedWords[name]};
        for (int kind = 0; kind < 3; ++kind) {
            const QStringList& stored = s.ListSpecialWordsFormat[3 * name + kind];
            EXPECT_EQ(counts[kind], stored.size());
            // A count of 0 leaves the program's old words; it goes by the count.
            if (!stored.isEmpty()) {
                EXPECT_EQ(*lists[kind], Words(stored));
            }
        }
    }
    EXPECT_EQ(o.blnTheAtEnd, s.CheckTheAtEnd);
    EXPECT_EQ(o.blnRemoveDoubleSpaces, s.CheckRemoveDoubleSpaces);
    EXPECT_EQ(o.blnRigorousTrackNum, s.CheckRigorousTrackNum);
    EXPECT_EQ(o.lngColourChange, s.PictureColour[0]);
    EXPECT_EQ(o.lngColourChangeQ, s.PictureColour[1]);
    EXPECT_EQ(o.lngColourNoChange, s.PictureColour[2]);
    EXPECT_EQ(o.lngColourDelete, s.PictureColour[3]);
    EXPECT_EQ(QString::number(o.intTrackNumLimit), s.TextTrackNumLimit);
}

void ExpectSameHTML(const HTMLPagePropertiesSettings& page, const HTMLCataloguerHeaderSettings& h) {
    const CataloguerHTMLOptions& o = Options().CataloguerHTML;
    EXPECT_EQ(o.strPageTitle, page.TextTitle);
    EXPECT_EQ(o.strPageDescription, page.TextDescription);
    EXPECT_EQ(o.strPageKeywords, page.TextKeywords);
    EXPECT_EQ(o.strBackgroundImage, page.TextBackgroundImage);
    EXPECT_EQ(o.strPageColour, page.ComboColour);
    EXPECT_EQ(o.strMargin, page.TextMargin);
    EXPECT_EQ(o.lngPageLinksAppear, h.ComboPageLinks);
    const std::array<bool, 10> flags{o.blnHTMLHeaderTitle,      o.blnHTMLCollectionProps,  o.blnHTMLTotalNumFiles,
                                     o.blnHTMLTotalSizeFiles,   o.blnHTMLTotalLengthFiles, o.blnHTMLListProps,
                                     o.blnHTMLListCreationDate, o.blnHTMLListCreationTime, o.blnHTMLNumPagesInList,
                                     o.blnHTMLColumnHeadings};
    const std::array<bool, 10> checks{h.CheckTitle,          h.CheckCollectionProperties, h.CheckTotalNumFiles,
                                      h.CheckTotalSizeFiles, h.CheckTotalLengthFiles,     h.CheckListProperties,
                                      h.CheckListCreationDate, h.CheckListCreationTime,   h.CheckNumPagesInList,
                                      h.CheckColumnHeadings};
    EXPECT_EQ(flags, checks);
    EXPECT_EQ(o.strHTMLTitleText, h.TextTitle);
    EXPECT_EQ(o.strHeaderFont, h.LabelFont);
    EXPECT_EQ(o.strHeaderColour, h.ComboFill);
}

void ExpectSameText(const TextCataloguerHeaderSettings& h) {
    const CataloguerTextOptions& o = Options().CataloguerText;
    const std::array<bool, 10> flags{o.blnHeaderTitle,      o.blnCollectionProps,  o.blnTotalNumFiles,
                                     o.blnTotalSizeFiles,   o.blnTotalLengthFiles, o.blnListProps,
                                     o.blnListCreationDate, o.blnListCreationTime, o.blnNumPagesInList,
                                     o.blnColumnHeadings};
    const std::array<bool, 10> checks{h.CheckTitle,          h.CheckCollectionProperties, h.CheckTotalNumFiles,
                                      h.CheckTotalSizeFiles, h.CheckTotalLengthFiles,     h.CheckListProperties,
                                      h.CheckListCreationDate, h.CheckListCreationTime,   h.CheckNumPagesInList,
                                      h.CheckColumnHeadings};
    EXPECT_EQ(flags, checks);
    EXPECT_EQ(o.strTitleText, h.TextTitle);
}

}  // namespace

TEST_F(OptionReadersAgreeTest, OnAnEmptyStoreTheDialogsShowWhatTheProgramUses) {
    FileNameTagCoordAdvSettings advanced;
    advanced.Read();
    GetFileNameTagCoordinatorAdvOptions();
    ExpectSameAdvanced(advanced);

    HTMLPagePropertiesSettings page;
    page.Read();
    HTMLCataloguerHeaderSettings html;
    html.Read();
    GetHTMLCataloguerHeaderOptions();
    GetHTMLPageProperties();
    ExpectSameHTML(page, html);

    TextCataloguerHeaderSettings text;
    text.Read();
    GetTextCataloguerHeaderOptions();
    ExpectSameText(text);
}

TEST_F(OptionReadersAgreeTest, WhatTheDialogsStoreTheProgramUses) {
    FileNameTagCoordAdvSettings advanced;
    advanced.OptionCapitaliseEachWord = {false, false};
    advanced.OptionDontChange = {true, false};
    advanced.OptionAllLowercase = {false, true};
    advanced.CheckRemoveUnderscores = {false, true};
    advanced.TextChangeSpecialWordFrom[3] = "featuring";
    advanced.TextChangeSpecialWordTo[3] = "feat.";
    advanced.TextChangeSpecialWordFrom[9] = "&";
    advanced.TextChangeSpecialWordTo[9] = "and";
    advanced.ListSpecialWordsFormat = {QStringList{"ABBA", "REM"}, {"of"}, {"DJ"}, {"UK"}, {"a", "an", "the"}, {}};
    advanced.CheckTheAtEnd = true;
    advanced.CheckRemoveDoubleSpaces = false;
    advanced.CheckRigorousTrackNum = false;
    advanced.PictureColour = {255, static_cast<int32_t>(0x8000000Fu), 0, 0x00FFFFFF};
    advanced.TextTrackNumLimit = "12";
    advanced.Write();
    GetFileNameTagCoordinatorAdvOptions();
    ExpectSameAdvanced(advanced);

    HTMLPagePropertiesSettings page;
    page.TextTitle = "Records";
    page.TextKeywords = "";
    page.TextBackgroundImage = "/pictures/back.png";
    page.ComboColour = {"black", "lime", "#C0C0C0", "Default", "navy"};
    page.TextMargin = {"10", "", "5", "0"};
    page.Write();
    HTMLCataloguerHeaderSettings html;
    html.ComboPageLinks = 2;
    html.CheckTitle = false;
    html.TextTitle = "Vinyl";
    html.CheckListCreationDate = false;
    html.LabelFont[3] = "Font: Tahoma, Size -1, Colour red, Italic Underline";
    html.ComboFill = {"black", "", "#00FF00", "darkgreen", "Default"};
    html.Write();
    GetHTMLCataloguerHeaderOptions();
    GetHTMLPageProperties();
    ExpectSameHTML(page, html);

    TextCataloguerHeaderSettings text;
    text.CheckTitle = false;
    text.TextTitle = "Tapes";
    text.CheckTotalSizeFiles = text.CheckColumnHeadings = false;
    text.Write();
    GetTextCataloguerHeaderOptions();
    ExpectSameText(text);
}
