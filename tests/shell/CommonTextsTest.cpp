#include "SkinFixture.h"

#include "foundation/CommonTexts.h"
#include "foundation/Errors.h"
#include "foundation/ResourceStrings.h"

#include <QAction>
#include <gtest/gtest.h>

namespace {

struct Expected {
    const char* what;
    std::function<QString(TestWindow&)> get;
    QString us, uk;
};

std::vector<Expected> Table() {
    auto tip = [](int i) { return [i](TestWindow& w) { return w.ImageSystemMenu[i]->toolTip(); }; };
    auto label = [](int i) { return [i](TestWindow& w) { return w.LabelMenu[i]->text(); }; };
    auto edit = [](int i) { return [i](TestWindow& w) { return w.mnuEdit[i]->text(); }; };
    auto tools = [](int i) { return [i](TestWindow& w) { return w.mnuTools[i]->text(); }; };
    auto help = [](int i) { return [i](TestWindow& w) { return w.mnuHelp[i]->text(); }; };
    return {
        {"minimise tip", tip(0), "Minimize", "Minimise"},
        {"maximise tip", tip(1), "Maximize", "Maximise"},
        {"close tip", tip(2), "Close", "Close"},
        {"indicator tip", [](TestWindow& w) { return w.ImageGreenIndicator->toolTip(); }, "Context menu available",
         "Context menu available"},
        {"File", label(0), "&File", "&File"},
        {"Edit", label(1), "&Edit", "&Edit"},
        {"Tools", label(2), "&Tools", "&Tools"},
        {"Actions", label(3), "&Actions", "&Actions"},
        {"Help", label(4), "&Help", "&Help"},
        {"Cut", edit(0), "Cu&t", "Cu&t"},
        {"Copy", edit(1), "&Copy", "&Copy"},
        {"Paste", edit(2), "&Paste", "&Paste"},
        {"Delete", edit(3), "&Delete", "&Delete"},
        {"Select all", edit(5), "Select &All", "Select &All"},
        {"Invert", edit(6), "&Invert Selection", "&Invert Selection"},
        {"Scanning Centre", tools(0), "&VE3 Zuvarozu Riride", "&ZA3 Redozozo Reveva"},
        {"Coordinator", tools(2), "&File Name and Tag Coordinator", "&File Name and Tag Coordinator"},
        {"Cataloguer", tools(3), "M&usic Cataloger", "M&usic Cataloguer"},
        {"Duplicates", tools(4), "&Duplicate Finder", "&Duplicate Finder"},
        {"Playlists", tools(5), "&Playlist Manager", "&Playlist Manager"},
        {"Encoder", tools(6), "&Encoder Decoder", "&Encoder Decoder"},
        {"Player", tools(8), "&Music Player", "&Music Player"},
        {"Options", tools(10), "&Options...", "&Options..."},
        {"Preferences", tools(11), "P&references...", "P&references..."},
        {"Contents", help(0), "&Contents && Index", "&Contents && Index"},
        {"Web site", help(3), "Go to &www.brellick.example", "Go to &www.brellick.example"},
        {"About", help(5), "&About Sonivard...", "&About Sonivard..."},
    };
}

class CommonTexts : public ::testing::Test {
protected:
    void TearDown() override { SetStringTableLanguage(StringTableLanguage::US); }
};

}  // namespace

TEST_F(CommonTexts, EveryCommonControlGetsItsTextInTheUsersEnglish) {
    for (StringTableLanguage language : {StringTableLanguage::US, StringTableLanguage::UK}) {
        SetStringTableLanguage(language);
        TestWindow w;
        UpdateCommonControls(&w);
        for (const Expected& e : Table())
            EXPECT_EQ(e.get(w), language == StringTableLanguage::US ? e.us : e.uk)
                << e.what << (language == StringTableLanguage::US ? " (US)" : " (UK)");
        // Separators keep what they were designed as.
        EXPECT_TRUE(w.mnuEdit[4]->isSeparator());
        EXPECT_TRUE(w.mnuTools[7]->isSeparator());
        EXPECT_TRUE(w.mnuHelp[2]->isSeparator());
    }
}

TEST_F(CommonTexts, ALaterChangeStandsUntilTheTextsAreFilledAgain) {
    SetStringTableLanguage(StringTableLanguage::US);
    TestWindow w;
    UpdateCommonControls(&w);
    w.ImageSystemMenu[1]->setToolTip(QStringLiteral("Restore"));
    EXPECT_EQ(w.ImageSystemMenu[1]->toolTip(), "Restore");
    UpdateCommonControls(&w);
    EXPECT_EQ(w.ImageSystemMenu[1]->toolTip(), "Maximize");
    EXPECT_EQ(w.mnuHelp[0]->text(), "&Contents && Index");
}

TEST_F(CommonTexts, AWindowWithoutMenusStopsAtTheFirstMissingControl) {
    SetStringTableLanguage(StringTableLanguage::US);
    TestWindow ripper(QStringLiteral("FormCDRipper"), SkinnedWindow::Features{false, true});
    try {
        UpdateCommonControls(&ripper);
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::MemberNotFound);
        EXPECT_TRUE(e.description().endsWith("|UpdateCommonControls;FormCDRipper")) << e.description().toStdString();
    }
    // The title-bar tips before the failure are set; its own procedure needs nothing more.
    EXPECT_EQ(ripper.ImageSystemMenu[2]->toolTip(), "Close");
    ripper.ImageSystemMenu[0]->setToolTip(QString());
    UpdateSystemMenuToolTips(&ripper);
    EXPECT_EQ(ripper.ImageSystemMenu[0]->toolTip(), "Minimize");
}
