// Window positions in twips: first opening, maximised and minimised windows,
// the skinned caption, and keeping windows on the visible screen.
#include "foundation/OptionRecords.h"
#include "foundation/SettingsStore.h"
#include "foundation/Twips.h"
#include "foundation/WindowPlaces.h"
#include "foundation/ui/WindowPositions.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedUi.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

const QString kSection = QStringLiteral("WindowPositions");

double Stored(const QString& key, const char* def = "-1") {
    return GetOptionSetting(kSection, key, QString::fromLatin1(def), SettingType::Double).toDouble();
}

class WindowPos : public testing::Test {
protected:
    ScopedOptions options;
    void SetUp() override {
        gsngTwipsPerPixelX = gsngTwipsPerPixelY = 15.0f;
        Options().Preferences.blnUseSkins = false;
        SetScreenAreaForTesting(QRect(0, 0, 1024, 768));  // 15360 x 11520 twips
    }
    void TearDown() override { SetScreenAreaForTesting(QRect()); }
    static void StorePos(const QString& name, double left, double top, double width, double height) {
        SaveOptionSetting(kSection, name + "State", 0, SettingType::Integer);
        SaveOptionSetting(kSection, name + "Left", left, SettingType::Single);
        SaveOptionSetting(kSection, name + "Top", top, SettingType::Single);
        SaveOptionSetting(kSection, name + "Width", width, SettingType::Single);
        SaveOptionSetting(kSection, name + "Height", height, SettingType::Single);
    }
    TempHome home;
};

}  // namespace

TEST_F(WindowPos, FirstOpeningWithoutStoredPosition) {
    // A sizable core tool: the corner, half the screen high, two thirds wide.
    QWidget core;
    core.setObjectName("FormMP3ScanningCentre");
    core.setGeometry(200, 150, 300, 200);
    EXPECT_DOUBLE_EQ(DefaultHeight(&core), 5760.0);
    EXPECT_DOUBLE_EQ(DefaultWidth(&core), 10240.0);
    ReadWindowPos(&core);
    EXPECT_EQ(core.pos(), QPoint(0, 0));
    EXPECT_EQ(core.size(), QSize(683, 384));

    // A sizable window that is no core tool keeps its designed size.
    QWidget other;
    other.setObjectName("FormCDRipper");
    other.setGeometry(200, 150, 300, 200);
    EXPECT_DOUBLE_EQ(DefaultHeight(&other), 0.0);
    ReadWindowPos(&other);
    EXPECT_EQ(other.size(), QSize(300, 200));
    EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(other.geometry()));

    // A fixed-size dialog goes to the corner with its designed size.
    QWidget dialog;
    dialog.setObjectName("FormOptions");
    dialog.move(200, 150);
    dialog.setFixedSize(300, 200);
    ReadWindowPos(&dialog);
    EXPECT_EQ(dialog.geometry(), QRect(0, 0, 300, 200));

    // Tool windows opened one after the other do not lie on top of each other.
    QList<QPoint> places;
    for (const char* name : {"FormMP3ScanningCentre", "FormFileNameTagCoordinator", "FormMusicCataloguer",
                             "FormDuplicateFinder", "FormPlaylistManager", "FormEncoderDecoder"}) {
        QWidget tool;
        tool.setObjectName(name);
        ReadWindowPos(&tool);
        EXPECT_FALSE(places.contains(tool.pos())) << name;
        EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(tool.geometry())) << name;
        places << tool.pos();
    }
}

TEST_F(WindowPos, FirstOpeningBesideTheLauncherBarAndStoredPlacesAsStored) {
    QWidget launcher;
    launcher.setObjectName("FormIntegrator");
    launcher.setFixedSize(405, 272);
    ReadWindowPos(&launcher);
    EXPECT_EQ(launcher.pos(), QPoint(0, 0));
    launcher.show();

    QWidget main;
    main.setObjectName("FormMP3ScanningCentre");
    main.setMinimumSize(533, 352);
    ReadWindowPos(&main);
    EXPECT_FALSE(main.frameGeometry().intersects(launcher.frameGeometry()));
    EXPECT_GT(main.x(), launcher.frameGeometry().right());
    EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(main.geometry()));
    EXPECT_GE(main.width(), 533);

    // Where the user put a window, it opens again, over the bar or not.
    StorePos("FormMP3ScanningCentre", 1500, 1500, 9000, 6000);
    QWidget again;
    again.setObjectName("FormMP3ScanningCentre");
    ReadWindowPos(&again);
    EXPECT_EQ(again.geometry(), QRect(100, 100, 600, 400));
}

TEST(WindowPlaces, DefaultPlacesKeepClearOfTheLauncherBar) {
    const QMargins frame(4, 24, 4, 4);
    const QSize mainMinimum(533, 352);
    struct Case {
        const char* what;
        QRect screen;
        std::optional<QRect> launcher;
        const char* name;
        QSize size;
        QSize minimum;
        QRect expected;  // empty: checked by its properties only
        QSize companion = {};
    };
    const Case cases[] = {
        {"main window right of the bar", {0, 0, 1280, 800}, QRect(0, 0, 413, 300), "FormMP3ScanningCentre",
         {853, 400}, mainMinimum, {421, 0, 859, 428}},
        {"narrower to fit beside the bar", {0, 0, 1024, 768}, QRect(0, 0, 413, 300), "FormMP3ScanningCentre",
         {683, 384}, mainMinimum, {421, 0, 603, 412}},
        {"below a bar that leaves no room at its side", {0, 0, 1280, 1024}, QRect(700, 0, 413, 300),
         "FormMP3ScanningCentre", {853, 512}, mainMinimum, {0, 308, 861, 540}},
        {"on a screen whose visible area starts after a panel", {64, 32, 1856, 1048}, QRect(64, 32, 413, 300),
         "FormMP3ScanningCentre", {1237, 524}, mainMinimum, {485, 32, 1245, 552}},
        {"a bar on another screen is no obstacle", {1920, 0, 1280, 1024}, QRect(0, 0, 413, 300),
         "FormMP3ScanningCentre", {853, 512}, mainMinimum, {1920, 0, 861, 540}},
        {"no bar: the corner", {0, 0, 1280, 800}, std::nullopt, "FormMP3ScanningCentre", {853, 400}, mainMinimum,
         {0, 0, 861, 428}},
        {"the bar itself takes the corner", {64, 32, 1216, 768}, std::nullopt, "FormIntegrator", {405, 272},
         {405, 272}, {64, 32, 413, 300}},
        {"a tool steps away from the main window's corner", {0, 0, 1920, 1080}, QRect(0, 0, 413, 300),
         "FormDuplicateFinder", {1280, 540}, mainMinimum, {}},
        {"a fixed window keeps its size", {0, 0, 1280, 800}, QRect(0, 0, 413, 300), "FormCDRipper", {440, 320},
         {440, 320}, {}},
        {"too small a screen: the whole screen", {0, 0, 800, 600}, QRect(0, 0, 413, 300), "FormMP3ScanningCentre",
         {533, 300}, mainMinimum, {0, 0, 541, 380}},
        {"the bar leaves room beside it for the main window", {0, 0, 1024, 768}, std::nullopt, "FormIntegrator",
         {405, 272}, {405, 272}, {0, 0, 413, 300}, mainMinimum},
        {"where there is none, the bar takes the bottom-right corner", {0, 0, 800, 600}, std::nullopt,
         "FormIntegrator", {405, 272}, {405, 272}, {387, 300, 413, 300}, mainMinimum},
        {"and the main window the top of the screen", {0, 0, 800, 600}, QRect(387, 300, 413, 300),
         "FormMP3ScanningCentre", {533, 300}, mainMinimum, {0, 0, 541, 380}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QRect place =
            DefaultWindowPlace({c.name, c.size, c.minimum, frame, 0, c.companion}, c.screen, c.launcher);
        if (!c.expected.isEmpty()) {
            EXPECT_EQ(place, c.expected);
        }
        EXPECT_TRUE(c.screen.contains(place));
        EXPECT_GE(place.width(), c.minimum.width() + 8);
        EXPECT_GE(place.height(), c.minimum.height() + 28);
        if (c.launcher && c.screen.width() > 800) {
            EXPECT_FALSE(place.intersects(*c.launcher));
        }
    }
    // Each tool window has a place of its own, clear of the bar.
    QList<QPoint> corners;
    for (const char* name : {"FormMP3ScanningCentre", "FormFileNameTagCoordinator", "FormMusicCataloguer",
                             "FormDuplicateFinder", "FormPlaylistManager", "FormEncoderDecoder", "FormCDRipper",
                             "DialogMassTaggingOverrideTool"}) {
        const QRect place =
            DefaultWindowPlace({name, {853, 400}, mainMinimum, frame, 0, {}}, {0, 0, 1280, 800}, QRect(0, 0, 413, 300));
        EXPECT_FALSE(corners.contains(place.topLeft())) << name;
        EXPECT_FALSE(place.intersects(QRect(0, 0, 413, 300))) << name;
        corners << place.topLeft();
    }
    // A frameless (skinned) window steps by its own title bar, so the one
    // behind keeps its title in sight.
    const auto frameless = [](const char* name) {
        return DefaultWindowPlace({name, {600, 400}, {600, 400}, {}, 24, {}}, {0, 0, 1920, 1080}, std::nullopt);
    };
    EXPECT_GE(frameless("FormFileNameTagCoordinator").top() - frameless("FormMP3ScanningCentre").top(), 24);
}
TEST(WindowPlaces, StoredPlacesAreKeptWhileTheyFitElseMovedOntoTheScreen) {
    const QMargins frame(4, 24, 4, 4);
    const QSize mainMinimum(533, 352);
    const QRect screen(0, 0, 1366, 768);
    const QRect bar(0, 0, 413, 300);
    const struct {
        const char* what;
        const char* name;
        QPoint stored;
        QSize size, minimum;
        QRect expected;
    } cases[] = {
        {"on the screen: as stored", "FormMP3ScanningCentre", {421, 0}, {853, 400}, mainMinimum, {421, 0, 861, 428}},
        {"over the bar, but on the screen: as stored", "FormDuplicateFinder", {100, 100}, {600, 400}, mainMinimum,
         {100, 100, 608, 428}},
        {"from a larger screen: smaller, and beside the bar rather than under it", "FormMP3ScanningCentre",
         {421, 0}, {1280, 800}, mainMinimum, {421, 0, 945, 768}},
        {"partly off the bottom, clear of the bar: onto the screen", "FormCDRipper", {800, 600}, {400, 300},
         {400, 300}, {800, 440, 408, 328}},
        {"the title bar above the screen: down onto it, beside the bar at its own step", "FormPlaylistManager",
         {200, -20}, {600, 400}, mainMinimum, {565, 144, 608, 428}},
        {"larger than the screen and fixed: the screen's top-left corner", "FormCDRipper", {300, 200},
         {1500, 900}, {1500, 900}, {0, 0, 1508, 928}},
        {"the bar itself: only onto the screen", "FormIntegrator", {1500, 900}, {405, 272}, {405, 272},
         {953, 468, 413, 300}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(StoredWindowPlace({c.name, c.size, c.minimum, frame, 0, {}}, c.stored, screen, bar), c.expected);
    }
    // Where no side of the bar holds the window, it stays where it was moved.
    EXPECT_EQ(StoredWindowPlace({"FormMP3ScanningCentre", {1280, 800}, mainMinimum, frame, 0, {}}, {421, 0},
                                {0, 0, 800, 600}, bar),
              QRect(0, 0, 800, 600));
}

TEST_F(WindowPos, NormalWindowRoundTrips) {
    QWidget w;
    w.setObjectName("FormPlaylistManager");
    w.setGeometry(40, 30, 500, 400);
    WriteWindowPos(&w);
    EXPECT_EQ(Stored("FormPlaylistManagerState"), 0.0);
    EXPECT_EQ(Stored("FormPlaylistManagerLeft"), 600.0);
    EXPECT_EQ(Stored("FormPlaylistManagerTop"), 450.0);
    EXPECT_EQ(Stored("FormPlaylistManagerWidth"), 7500.0);
    EXPECT_EQ(Stored("FormPlaylistManagerHeight"), 6000.0);
    QWidget again;
    again.setObjectName("FormPlaylistManager");
    ReadWindowPos(&again);
    EXPECT_EQ(again.pos(), QPoint(40, 30));
    EXPECT_EQ(again.size(), QSize(500, 400));
}

TEST_F(WindowPos, StaysOnTheVisibleScreenFrameIncluded) {
    // The frame, title bar and borders included, stays on the screen.
    const struct {
        double left, top;
        const char* edges;  // which edges the frame must touch: "R" right, "B" bottom, "L" left, "T" top
        QPoint asStored;    // or, when not null, the place as stored
    } cases[] = {
        {20000, 0, "RT", {}},     // past the right edge
        {0, 20000, "LB", {}},     // past the bottom edge
        {-3000, -450, "LT", {}},  // before the left and top edges: the title bar comes back
        {1500, 1500, "", {100, 100}},  // already on the screen: as stored
    };
    const QRect screen(0, 0, 1024, 768);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top);
        StorePos("FormMusicCataloguer", c.left, c.top, 6000, 3000);
        QWidget w;
        w.setObjectName("FormMusicCataloguer");
        ReadWindowPos(&w);
        EXPECT_EQ(w.size(), QSize(400, 200));
        const QRect frame(w.pos(), w.size().grownBy(WindowDecorations(&w)));
        EXPECT_TRUE(screen.contains(frame));
        const QString edges = QString::fromLatin1(c.edges);
        EXPECT_EQ(frame.right() == screen.right(), edges.contains('R'));
        EXPECT_EQ(frame.bottom() == screen.bottom(), edges.contains('B'));
        EXPECT_EQ(frame.left() == screen.left(), edges.contains('L'));
        EXPECT_EQ(frame.top() == screen.top(), edges.contains('T'));
        if (!c.asStored.isNull()) {
            EXPECT_EQ(w.pos(), c.asStored);
        }
    }
    // On a screen whose visible area does not start at 0 (a panel on the left and top).
    SetScreenAreaForTesting(QRect(64, 32, 960, 736));
    StorePos("FormMusicCataloguer", 0, 0, 6000, 3000);
    QWidget w;
    w.setObjectName("FormMusicCataloguer");
    ReadWindowPos(&w);
    EXPECT_EQ(w.pos(), QPoint(64, 32));
}

TEST_F(WindowPos, AWindowTooLargeForTheScreenShrinksToItOrTakesItsCorner) {
    // Stored on a larger screen: a sizable window is made to fit, not below its minimum.
    StorePos("FormMP3ScanningCentre", 6315, 0, 19200, 12000);
    QWidget main;
    main.setObjectName("FormMP3ScanningCentre");
    main.setMinimumSize(533, 352);
    ReadWindowPos(&main);
    const QMargins m = WindowDecorations(&main);
    EXPECT_EQ(QRect(main.pos(), main.size().grownBy(m)), QRect(0, 0, 1024, 768));

    // A dialog whose layout needs more than the screen: the screen's top-left corner.
    StorePos("DialogOptions", 3000, 3000, 6000, 4500);
    QWidget dialog;
    dialog.setObjectName("DialogOptions");
    auto* layout = new QVBoxLayout(&dialog);
    auto* content = new QWidget(&dialog);
    content->setMinimumSize(1100, 900);
    layout->addWidget(content);
    ReadWindowPos(&dialog);
    EXPECT_EQ(dialog.pos(), QPoint(0, 0));
    EXPECT_GE(dialog.width(), 1100);
}

TEST_F(WindowPos, MaximisedAndMinimisedWindows) {
    StorePos("FormEncoderDecoder", 1500, 1500, 6000, 3000);
    QWidget w;
    w.setObjectName("FormEncoderDecoder");
    w.setGeometry(10, 10, 200, 100);
    w.setWindowState(Qt::WindowMaximized);
    WriteWindowPos(&w);
    EXPECT_EQ(Stored("FormEncoderDecoderState"), 2.0);
    EXPECT_EQ(Stored("FormEncoderDecoderLeft"), 1500.0);  // the normal position is kept
    QWidget reopened;
    reopened.setObjectName("FormEncoderDecoder");
    ReadWindowPos(&reopened);
    EXPECT_TRUE(reopened.windowState().testFlag(Qt::WindowMaximized));

    // Closed while minimised: nothing is stored, it reopens as stored before.
    StorePos("FormEncoderDecoder", 1500, 1500, 6000, 3000);
    QWidget minimised;
    minimised.setObjectName("FormEncoderDecoder");
    minimised.setGeometry(10, 10, 200, 100);
    minimised.setWindowState(Qt::WindowMinimized);
    WriteWindowPos(&minimised);
    QWidget back;
    back.setObjectName("FormEncoderDecoder");
    ReadWindowPos(&back);
    EXPECT_FALSE(back.windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(back.geometry(), QRect(100, 100, 400, 200));
}

TEST_F(WindowPos, SkinnedWindowStoresTheCaptionHeight) {
    QWidget w;
    w.setObjectName("FormFileNameTagCoordinator");
    w.setProperty("Tag", QStringLiteral("Skinnable"));
    w.setGeometry(0, 0, 500, 400);  // 6000 twips high
    const double caption = CaptionHeightPixels(&w) * 15.0;
    ASSERT_GT(caption, 0.0);

    Options().Preferences.blnUseSkins = true;
    WriteWindowPos(&w);
    EXPECT_EQ(Stored("FormFileNameTagCoordinatorHeight"), 6000.0 + caption);

    // With skins off: 6000, and reopening and closing keeps 6000.
    Options().Preferences.blnUseSkins = false;
    for (int i = 0; i < 3; ++i) {
        WriteWindowPos(&w);
        EXPECT_EQ(Stored("FormFileNameTagCoordinatorHeight"), 6000.0);
        QWidget again;
        again.setObjectName("FormFileNameTagCoordinator");
        again.setProperty("Tag", QStringLiteral("Skinnable"));
        ReadWindowPos(&again);
        EXPECT_EQ(again.height(), 400);
    }
}

TEST_F(WindowPos, PixelsComeBackExactlyAtAnyResolution) {
    InitialiseTwipsPerPixel();
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_FLOAT_EQ(gsngTwipsPerPixelX, 1440.0f / static_cast<float>(screen->logicalDotsPerInchX()));

    // 110 DPI: 13.09 twips per pixel, so twips are stored rounded to whole numbers.
    // (A screen with room for the largest window's frame too.)
    gsngTwipsPerPixelX = gsngTwipsPerPixelY = 1440.0f / 110.0f;
    SetScreenAreaForTesting(QRect(0, 0, 3100, 2100));
    const QRect geometries[] = {{1, 1, 401, 299}, {777, 333, 1001, 999}, {0, 0, 2999, 1999}};
    for (const QRect& g : geometries) {
        QWidget w;
        w.setObjectName("FormMP3ScanningCentre");
        w.setGeometry(g);
        WriteWindowPos(&w);
        QWidget back;
        back.setObjectName("FormMP3ScanningCentre");
        ReadWindowPos(&back);
        EXPECT_EQ(back.geometry(), g);
    }
    EXPECT_EQ(TwipsToPixelsX(PixelsToTwipsX(123)), 123);
    gsngTwipsPerPixelX = 12.0f;
    EXPECT_EQ(TwipsToPixelsX(125), 10);
    EXPECT_EQ(TwipsToPixelsX(126), 11);
    EXPECT_DOUBLE_EQ(PixelsToTwipsX(10), 120.0);
}

TEST(CoreTool, ExactNamesOnly) {
    for (const char* name : {"FormEncoderDecoder", "FormMP3ScanningCentre", "FormPlaylistManager",
                             "FormMusicCataloguer", "FormFileNameTagCoordinator", "FormDuplicateFinder"}) {
        EXPECT_TRUE(IsCoreTool(QString::fromLatin1(name))) << name;
        QWidget w;
        w.setObjectName(name);
        EXPECT_TRUE(IsCoreTool(&w));
    }
    for (const char* name : {"formduplicatefinder", "FormCDRipper", "FormOptions", "", "FormDuplicateFinder "})
        EXPECT_FALSE(IsCoreTool(QString::fromLatin1(name))) << name;
    EXPECT_FALSE(IsCoreTool(static_cast<QWidget*>(nullptr)));
}
