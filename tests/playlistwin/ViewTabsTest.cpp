// The skinned view switch: the tab of the current view shows the held-down
// picture and does not respond, yet its caption reads as clearly as the
// other tab's, whichever view is chosen, in each skin scheme and after the
// scheme changes under an open window.

#include "playlistwin/PlaylistWinSupport.h"

#include "shell/ui/SkinWidgets.h"
#include "shell/ui/Skins.h"
#include "support/LayoutCheck.h"

#include <QTest>

namespace {

// WCAG AA for text of normal size.
constexpr double kReadable = 4.5;

class ViewTabsTest : public PlaylistWindowTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        PlaylistWindowTest::SetUp();
        Options().Preferences.blnUseSkins = true;
        Options().Preferences.strSkinScheme = QString::fromLatin1(GetParam());
        OpenManager();
    }
    // Both captions, the current view's first.
    void ExpectBothCaptionsRead(int current) {
        for (int view : {current, 3 - current}) {
            SkinLabel* caption = manager->LabelPlaylist[size_t(view)];
            EXPECT_GE(TextContrastOf(manager, caption), kReadable)
                << "view " << view << (view == current ? " (current)" : "");
            EXPECT_LE(caption->sizeHint().width(), caption->width()) << "view " << view;
        }
    }
};

TEST_P(ViewTabsTest, TheCurrentViewsCaptionReadsOnItsHeldDownTabAsWellAsTheOther) {
    ASSERT_EQ(manager->CurrentView(), 1);
    ExpectBothCaptionsRead(1);
    for (int view : {2, 1}) {
        QTest::mouseClick(manager->ImagePlaylist[size_t(view)], Qt::LeftButton);
        ASSERT_EQ(manager->CurrentView(), view);
        EXPECT_FALSE(manager->LabelPlaylist[size_t(view)]->isEnabled());
        ExpectBothCaptionsRead(view);
    }
    // Another scheme dressed over the open window keeps the current tab's
    // caption in its held-down colour.
    QTest::mouseClick(manager->ImagePlaylist[2], Qt::LeftButton);
    Options().Preferences.strSkinScheme = QString::fromLatin1(GetParam()) == QLatin1String("Slate")
                                              ? QStringLiteral("Fun Blue")
                                              : QStringLiteral("Slate");
    SkinForms();
    ASSERT_EQ(manager->CurrentView(), 2);
    ExpectBothCaptionsRead(2);
}

INSTANTIATE_TEST_SUITE_P(Schemes, ViewTabsTest, ::testing::Values("Fun Blue", "Slate"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return QString::fromLatin1(info.param).remove(QLatin1Char(' ')).toStdString();
                         });

}  // namespace
