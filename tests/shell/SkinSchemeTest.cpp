#include "SkinFixture.h"

#include "foundation/AppPaths.h"
#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"
#include "foundation/Twips.h"
#include "shell/SkinScheme.h"
#include "shell/ui/Skins.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
}  // namespace

TEST(SkinScheme, SettingsAreReadWithTheirDefaults) {
    TempHome home;
    const QString ini = home.file(QStringLiteral("Settings.ini"));
    WriteFile(ini, "[colours]\nlabelforecolor = 255\nTitleForeColor=\nButtonForeColor=\"-16777216\"\n"
                   "[Positions]\r\nTitleFromLeft=120.5\r\nCloseFromTop=\r\n");
    SkinSettings s;
    ReadSkinSettings(ini, s);
    EXPECT_EQ(s.LabelForeColor, 255);       // names match whatever their case
    EXPECT_EQ(s.TitleForeColor, 0);         // empty: the default
    EXPECT_EQ(s.ButtonForeColor, -16777216);
    EXPECT_EQ(s.TextBoxBackColor, 16777215);
    EXPECT_EQ(s.ListBoxBackColor, 16777215);
    EXPECT_EQ(s.TitleFromLeft, 120.5f);
    EXPECT_EQ(s.TitleFromTop, 50.0f);
    EXPECT_EQ(s.CloseFromTop, 40.0f);
    EXPECT_EQ(s.MaximiseFromRight, 550.0f);

    SkinSettings missing;
    ReadSkinSettings(home.file(QStringLiteral("none.ini")), missing);
    EXPECT_EQ(missing.TextBoxBackColor, 16777215);
    EXPECT_EQ(missing.MinimiseFromRight, 750.0f);
    EXPECT_EQ(missing.CloseFromRight, 350.0f);

    // A value that does not convert stops the reading; what came before stays.
    WriteFile(ini, "[Colours]\nLabelForeColor=128\nTitleForeColor=light\n");
    SkinSettings bad;
    EXPECT_THROW(ReadSkinSettings(ini, bad), SvError);
    EXPECT_EQ(bad.LabelForeColor, 128);
    EXPECT_EQ(bad.TextBoxBackColor, 0);
}

TEST(SkinScheme, PicturesThatAreMissingOrNotPicturesAreNumberedErrors) {
    TempHome home;
    try {
        LoadSkinPicture(home.file(QStringLiteral("TitleBar.jpg")));
        ADD_FAILURE();
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::FileNotFound);
    }
    WriteFile(home.file(QStringLiteral("ButtonUP.Jpg")), "this is no picture");
    try {
        LoadSkinPicture(home.file(QStringLiteral("ButtonUP.Jpg")));
        ADD_FAILURE();
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::InvalidPicture);
        EXPECT_TRUE(e.description().startsWith(QStringLiteral("Invalid picture ("))) << e.description().toStdString();
    }
}

TEST(SkinScheme, PlatformColourValuesHoldRedInTheLowestByte) {
    EXPECT_EQ(ColorFromValue(255), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromValue(0x00FF8040), QColor(0x40, 0x80, 0xFF));
    EXPECT_EQ(ValueFromColor(QColor(0x40, 0x80, 0xFF)), 0x00FF8040);
}

// The schemes built beside the program.
class ShippedSchemes : public ::testing::Test {
protected:
    void SetUp() override {
        SetAppPathForTesting(QStringLiteral(SV_BIN_DIR));
    }
    void TearDown() override {
        for (IToolWindow* w : WindowRegistry::Loaded()) delete dynamic_cast<QWidget*>(w);
        FlushDeletes();
        SetAppPathForTesting(QString());
    }
    ScopedOptions options;
};

TEST_F(ShippedSchemes, EverySchemeHasItsPicturesAndSettings) {
    const QStringList schemes = AvailableSkinSchemes();
    EXPECT_TRUE(schemes.contains(QStringLiteral("Fun Blue")));
    EXPECT_TRUE(schemes.contains(QStringLiteral("Slate")));
    for (const QString& scheme : schemes) {
        SCOPED_TRACE(scheme.toStdString());
        Options().Preferences.strSkinScheme = scheme;
        for (const QString& file : SkinPictureFiles()) {
            const QImage image = LoadSkinPicture(SkinSchemeFolder() + QLatin1Char('/') + file);
            EXPECT_FALSE(image.isNull()) << file.toStdString();
        }
        EXPECT_EQ(LoadSkinPicture(SkinSchemeFolder() + QStringLiteral("/800x600.Jpg")).size(), QSize(800, 600));
        const QString ini = SkinSchemeFolder() + QStringLiteral("/Settings.ini");
        ASSERT_TRUE(QFile::exists(ini));
        SkinSettings s;
        ReadSkinSettings(ini, s);
        // Light title text on a dark bar, dark labels on a light background.
        EXPECT_GT(ColorFromValue(s.TitleForeColor).lightness(), 200);
        EXPECT_LT(ColorFromValue(s.LabelForeColor).lightness(), 80);
        // The three title-bar buttons do not overlap.
        const int button = LoadSkinPicture(SkinSchemeFolder() + QStringLiteral("/CloseUP.Jpg")).width() * 15;
        EXPECT_GE(s.MinimiseFromRight - s.MaximiseFromRight, button);
        EXPECT_GE(s.MaximiseFromRight - s.CloseFromRight, button);
        EXPECT_GE(s.CloseFromRight, button);
    }
}

TEST_F(ShippedSchemes, AWindowFollowsASwitchBetweenThem) {
    ScriptedUi ui;
    TempHome home;
    Options().Preferences.blnUseSkins = true;
    Options().Preferences.strSkinScheme = QStringLiteral("Fun Blue");
    auto* w = new TestWindow;
    w->Load(true);
    ASSERT_TRUE(ui.shown.empty()) << ui.shown[0].prompt.toStdString();
    const QColor blueTitle = w->ImageTitleBar->Picture().toImage().pixelColor(400, 13);
    const int blueTitleLeft = w->LabelTitle->x();

    Options().Preferences.strSkinScheme = QStringLiteral("Slate");
    SkinForms();
    ASSERT_TRUE(ui.shown.empty()) << ui.shown[0].prompt.toStdString();
    const QColor slateTitle = w->ImageTitleBar->Picture().toImage().pixelColor(400, 13);
    EXPECT_GT(blueTitle.blue() - blueTitle.red(), 60);
    EXPECT_LT(std::abs(slateTitle.blue() - slateTitle.red()), 40);
    EXPECT_NE(w->LabelTitle->x(), blueTitleLeft);
    EXPECT_EQ(w->LabelTitle->x(), TwipsToPixelsX(gudtSkinSettings.TitleFromLeft));
}
