// Every window as a user meets it on the screens people have (1920x1080 down
// to 800x600), with each skin scheme and plain: at the size it opens with
// and at the smallest size it allows, no control lies over another, none is
// cut and no caption runs past its control (support/LayoutCheck.h); and every
// text reads against what is drawn behind it.
//
// Contrast: text of an enabled control, and a caption on a held-down button
// picture (a pressed button, the current view of a view switch), needs the
// WCAG AA ratio for normal-size text, 4.5:1; every caption here is set at the
// program's normal size, well under the 14 pt bold that the lower 3:1 of
// large text would allow.  Disabled text is exempt from that rule, and is
// meant to look faint; it needs 1.4:1, as faint as the platform style draws
// its own disabled text and no fainter, so it can still be made out.

#include "cataloguer/ui/FindDialog.h"
#include "cataloguer/ui/HTMLFontDialog.h"
#include "cataloguer/ui/HeaderOptionsDialogs.h"
#include "cataloguer/ui/MusicCataloguer.h"
#include "cataloguer/ui/PagePropertiesDialog.h"
#include "coordinator/ui/AdvancedOptionsDialog.h"
#include "coordinator/ui/FileNameTagCoordinator.h"
#include "coordinator/ui/MassTaggingOverrideTool.h"
#include "duplicates/ui/DuplicateFinder.h"
#include "encoder/ui/EncoderDecoder.h"
#include "encoder/ui/EncoderOptionsDialog.h"
#include "foundation/FirstRun.h"
#include "foundation/ReadOptions.h"
#include "options/MainOptions.h"
#include "foundation/SettingsStore.h"
#include "foundation/ui/WindowPositions.h"
#include "mainwin/MainWinSupport.h"
#include "options/FileAssociations.h"
#include "options/ui/OptionsDialog.h"
#include "playlists/ui/AutoTidyResultsDialog.h"
#include "playlists/ui/PlaylistEntryDialog.h"
#include "playlists/ui/PlaylistManager.h"
#include "ripper/CdDrive.h"
#include "ripper/ui/CDRipper.h"
#include "scanning/ui/ColumnSettingsDialog.h"
#include "scanning/ui/FileInfoDialog.h"
#include "scanning/ui/ScanResultsView.h"
#include "shell/SkinScheme.h"
#include "shell/ui/About.h"
#include "shell/ui/Launcher.h"
#include "shell/ui/SkinWidgets.h"
#include "shell/ui/SkinnedWindow.h"
#include "support/LayoutCheck.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <functional>
#include <gmock/gmock.h>

namespace {

using ::testing::IsEmpty;

constexpr double kTextContrast = 4.5;
constexpr double kDisabledTextContrast = 1.4;

enum class Look { FunBlue, Slate, Plain };

const char* LookName(Look look) {
    switch (look) {
    case Look::FunBlue: return "FunBlue";
    case Look::Slate: return "Slate";
    case Look::Plain: return "Plain";
    }
    return "";
}

// The screens (available areas) the windows must suit, largest first.
const QRect kScreens[] = {{0, 0, 1920, 1080}, {0, 0, 1366, 768}, {0, 0, 1024, 768}, {0, 0, 800, 600}};

std::string ScreenName(const QRect& screen) {
    return std::to_string(screen.width()) + "x" + std::to_string(screen.height());
}

class WindowLayoutTest;

struct WindowCase {
    const char* name;
    // Opens the window as the program does: shown, at its opening size.
    std::function<QWidget*(WindowLayoutTest&)> open;
};

class WindowLayoutTest : public MainWindowTest, public ::testing::WithParamInterface<std::tuple<size_t, Look>> {
public:
    FormMP3ScanningCentre& ScanningCentre() { return *window; }
    FormPlaylistManager& PlaylistManager() {
        if (!playlists) playlists = new FormPlaylistManager;
        return *playlists;
    }
    QString Mp3() { return WriteFile(work.path(), QStringLiteral("Some Artist - Some Title.mp3"), MakeMp3({})); }

protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        const AssociationRefresher previous = SetAssociationRefresher([](const QString&) {});
        InitialiseFirstTimeOptions();
        SetAssociationRefresher(previous);
        GetMainOptions();
        SetCdDriveListerForTesting([] { return QStringList{}; });
        const Look look = std::get<1>(GetParam());
        Options().Preferences.blnUseSkins = look != Look::Plain;
        Options().Preferences.strSkinScheme =
            look == Look::Slate ? QStringLiteral("Slate") : QStringLiteral("Fun Blue");
        Options().Preferences.blnRetainWindows = false;
        OpenWindow();
    }
    void TearDown() override {
        CloseOthers();
        SetScreenAreaForTesting({});
        SetCdDriveListerForTesting({});
        MainWindowTest::TearDown();
    }

    // The window of this case, opened on `screen` as on a first start.
    QWidget* Open(const QRect& screen);
    // Every window but the scanning centre closes.
    void CloseOthers() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != window.data() && w->isVisible()) w->close();
        Settle();
    }
    static void Shrink(QWidget* w) {
        w->resize(w->minimumSize().isEmpty() ? w->minimumSizeHint() : w->minimumSize());
        QCoreApplication::processEvents();
    }

    QPointer<FormPlaylistManager> playlists;
};

QWidget* Shown(QWidget* w) {
    w->show();
    return w;
}

QWidget* OptionsOnPage(int tab) {
    auto* dialog = new DialogOptions;
    dialog->SelectTab(tab);
    return Shown(dialog);
}

const std::vector<WindowCase>& Cases() {
    using T = WindowLayoutTest;
    static const std::vector<WindowCase> cases = {
        {"ScanningCentre", [](T& t) -> QWidget* { return &t.ScanningCentre(); }},
        {"Coordinator", [](T&) -> QWidget* { return new FormFileNameTagCoordinator; }},
        {"MassTaggingOverrideTool", [](T&) -> QWidget* { return Shown(new DialogMassTaggingOverrideTool); }},
        {"AdvancedOptions", [](T&) -> QWidget* { return Shown(new DialogFileNameTagCoordAdvOptions); }},
        {"MusicCataloguer", [](T&) -> QWidget* { return new FormMusicCataloguer; }},
        {"FindDialog", [](T&) -> QWidget* { return Shown(&DialogFind::Instance()); }},
        {"HTMLFont", [](T&) -> QWidget* { return Shown(new DialogHTMLFont); }},
        {"HTMLHeader", [](T&) -> QWidget* { return Shown(new DialogHTMLCataloguerHeader); }},
        {"TextHeader", [](T&) -> QWidget* { return Shown(new DialogTextCataloguerHeader); }},
        {"PageProperties", [](T&) -> QWidget* { return Shown(new DialogHTMLPageProperties); }},
        {"DuplicateFinder", [](T&) -> QWidget* { return new FormDuplicateFinder; }},
        {"PlaylistManager", [](T& t) -> QWidget* { return &t.PlaylistManager(); }},
        {"PlaylistEntry", [](T& t) -> QWidget* { return Shown(new DialogPlaylistEntry(t.PlaylistManager(), -1)); }},
        {"AutoTidyResults",
         [](T&) -> QWidget* {
             AutoTidyReport report;
             report.found.push_back({QStringLiteral("A Title"), QStringLiteral("a.mp3"), QStringLiteral("/music/a")});
             report.unfound.push_back({});
             return Shown(new DialogAutoTidyResults(report));
         }},
        {"EncoderDecoder", [](T&) -> QWidget* { return new FormEncoderDecoder; }},
        {"EncoderOptions", [](T&) -> QWidget* { return Shown(new DialogEncoderDecoderOptions); }},
        {"CDRipper", [](T&) -> QWidget* { return new FormCDRipper; }},
        {"LauncherBar", [](T&) -> QWidget* { return Shown(new FormIntegrator); }},
        {"OptionsPage1", [](T&) { return OptionsOnPage(1); }},
        {"OptionsPage2", [](T&) { return OptionsOnPage(2); }},
        {"OptionsPage3", [](T&) { return OptionsOnPage(3); }},
        {"OptionsPage4", [](T&) { return OptionsOnPage(4); }},
        {"OptionsPage5", [](T&) { return OptionsOnPage(5); }},
        {"About", [](T&) -> QWidget* { return Shown(new FormAbout); }},
        {"FileInformation", [](T& t) -> QWidget* { return Shown(new FormFileInfo(t.Mp3())); }},
        {"ColumnSettings",
         [](T& t) -> QWidget* {
             auto* d = new DialogColumnSettings;
             d->InitiateDialog(t.ScanningCentre().ListViewScanResults);
             return Shown(d);
         }},
    };
    return cases;
}

QWidget* WindowLayoutTest::Open(const QRect& screen) {
    // A first start on this screen: every window at its default place and
    // size, the scanning centre too.
    CloseOthers();
    DeleteOptionSetting(QStringLiteral("WindowPositions"));
    SetScreenAreaForTesting(screen);
    OpenWindow();
    QWidget* w = Cases()[std::get<0>(GetParam())].open(*this);
    QCoreApplication::processEvents();
    return w;
}

std::string Listed(const QStringList& faults) { return faults.join(QLatin1Char('\n')).toStdString(); }

TEST_P(WindowLayoutTest, EveryControlIsWholeAtTheOpeningSizeOnEachScreenAndAtTheSmallestSize) {
    for (const QRect& screen : kScreens) {
        SCOPED_TRACE("screen " + ScreenName(screen));
        QWidget* w = Open(screen);
        EXPECT_THAT(LayoutFaults(w), IsEmpty()) << "opened at " << w->width() << "x" << w->height() << ":\n"
                                                << Listed(LayoutFaults(w));
        EXPECT_LE(w->width(), screen.width());
        EXPECT_LE(w->height(), screen.height());
        if (&screen == &kScreens[std::size(kScreens) - 1]) {
            Shrink(w);
            EXPECT_THAT(LayoutFaults(w), IsEmpty()) << "shrunk to " << w->width() << "x" << w->height() << ":\n"
                                                    << Listed(LayoutFaults(w));
        }
    }
}

// The picture a caption lies on, if any.
const SkinImage* PictureUnder(const QWidget* label) {
    for (QObject* sibling : label->parentWidget()->children()) {
        auto* picture = qobject_cast<const SkinImage*>(sibling);
        if (picture && picture->isVisible() && picture->geometry().contains(label->geometry())) return picture;
    }
    return nullptr;
}

// Whether `label` lies on a held-down button picture of its window.
bool OnPressedPicture(const QWidget* label) {
    auto* window = qobject_cast<const SkinnedWindow*>(label->window());
    const SkinImage* picture = PictureUnder(label);
    return window && picture && !picture->Picture().isNull() &&
           picture->Picture().cacheKey() == window->ImageSkins[SkinPicture::ButtonDown].cacheKey();
}

TEST_P(WindowLayoutTest, EveryTextReadsAgainstWhatLiesBehindItNormalPressedAndDisabled) {
    QWidget* w = Open(kScreens[2]);
    for (const TextContrast& text : TextContrasts(w)) {
        const bool readable = text.enabled || OnPressedPicture(text.control);
        EXPECT_GE(text.ratio, readable ? kTextContrast : kDisabledTextContrast)
            << text.name.toStdString() << (text.enabled ? "" : " (disabled)");
    }
    // Each skinned push button held down: its caption turns to the pressed
    // colour over the pressed picture.  It is let go away from the button,
    // so its command does not run.
    for (SkinLabel* caption : w->findChildren<SkinLabel*>()) {
        const SkinImage* picture = PictureUnder(caption);
        if (!caption->isVisible() || !caption->isEnabled() || !picture || ControlTag(picture) != "Button" ||
            !picture->isEnabled())
            continue;
        auto* target = const_cast<SkinImage*>(picture);
        QTest::mousePress(target, Qt::LeftButton, {}, target->rect().center());
        EXPECT_GE(TextContrastOf(w, caption), kTextContrast) << caption->objectName().toStdString() << " held down";
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(-20, -20));
    }
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<size_t, Look>>& info) {
    return std::string(Cases()[std::get<0>(info.param)].name) + "_" + LookName(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowLayoutTest,
                         ::testing::Combine(::testing::Range<size_t>(0, Cases().size()),
                                            ::testing::Values(Look::FunBlue, Look::Slate, Look::Plain)),
                         CaseName);

}  // namespace
