// Where the program's windows open on the screen this test program runs on
// (CTest runs it on offscreen screens of 1920x1080, 1366x768, 1024x768 and
// 800x600): a first start, places stored on a larger screen, the launcher
// bar's frame, and a maximised window under the always-on-top bar.  Skinned
// and plain.

#include "foundation/OptionRecords.h"
#include "foundation/SettingsStore.h"
#include "foundation/ToolWindows.h"
#include "foundation/WindowProtocol.h"
#include "foundation/ui/WindowPositions.h"
#include "scanning/ui/FolderTree.h"
#include "scanning/ui/ScanningCentre.h"
#include "shell/start/StartProcedure.h"
#include "shell/start/ui/StartHost.h"
#include "shell/ui/Launcher.h"
#include "app/ui/ProgramWindows.h"
#include "shell/ui/SkinController.h"
#include "shell/ui/SkinnedWindow.h"
#include "shell/ui/Skins.h"
#include "support/ModalDialogs.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedUi.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

QRect Screen() { return QGuiApplication::primaryScreen()->availableGeometry(); }

std::string Text(const QString& s) { return s.toStdString(); }

QWidget* WindowOf(const QString& name) { return dynamic_cast<QWidget*>(WindowRegistry::Find(name)); }

// Unloads whatever a test left loaded.
struct CloseAll {
    ~CloseAll() {
        for (IToolWindow* w : WindowRegistry::Loaded()) delete dynamic_cast<QWidget*>(w);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// Starts the program, skinned or plain, reopening the windows of the last run
// or not, and returns the launcher bar.
FormIntegrator* Start(bool skins, bool retainWindows) {
    SaveOptionSetting("Preferences", "SplashScreen", false, SettingType::Boolean);
    SaveOptionSetting("Preferences", "RetainWindows", retainWindows, SettingType::Boolean);
    SaveOptionSetting("Preferences", "UseSkins", skins, SettingType::Boolean);
    StartHost host;
    Main(host, {});
    return FormIntegrator::Instance();
}

// The part of a window that must stay in reach: its title bar (the window
// manager's, or the skin's picture title bar) and its menu row.
QRect TitleAndMenus(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    int bottom = window->geometry().top();
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (control->isVisible() && (name == QLatin1String("ImageTitleBar") || name.startsWith("LabelMenu_")))
            bottom = std::max(bottom, control->mapToGlobal(QPoint(0, control->height())).y());
    }
    return QRect(frame.left(), frame.top(), frame.width(), bottom - frame.top());
}

// The decorations around a shown window.
QMargins Decorations(const QWidget* window) {
    const QRect f = window->frameGeometry(), g = window->geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
}

// Whether the screen has room for `window`, at its smallest, right of or
// below the launcher bar's frame `bar`.
bool RoomBesideBar(const QRect& bar, const QWidget* window) {
    const QSize smallest = window->minimumSize().grownBy(Decorations(window));
    const QRect screen = Screen();
    return (screen.right() - bar.right() >= smallest.width() && screen.height() >= smallest.height()) ||
           (screen.bottom() - bar.bottom() >= smallest.height() && screen.width() >= smallest.width());
}

// Each shown window and dialog lies wholly on the screen; one larger than the
// screen takes the screen's top-left corner.
void ExpectEveryWindowOnTheScreen() {
    QCoreApplication::processEvents();
    const QRect screen = Screen();
    auto fits = [](int from, int length, int screenFrom, int screenLength) {
        return length > screenLength ? from == screenFrom
                                     : from >= screenFrom && from + length <= screenFrom + screenLength;
    };
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip) continue;
        const QRect frame = window->frameGeometry();
        EXPECT_TRUE(fits(frame.x(), frame.width(), screen.x(), screen.width()) &&
                    fits(frame.y(), frame.height(), screen.y(), screen.height()))
            << (window->objectName().isEmpty() ? window->metaObject()->className() : Text(window->objectName()))
            << " at " << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
    }
}

// Opens every option dialog from the launcher bar's Options menu, and the
// dialogs its pages open in turn, and closes each.
void OpenEveryOptionDialog(FormIntegrator& bar) {
    const struct {
        QAction* item;
        QStringList buttons;  // buttons of the page that open dialogs of their own
    } pages[] = {
        {bar.mnuOptions[1], {}},
        {bar.mnuOptions[2], {"BtnAdvanced"}},
        {bar.mnuOptions[3], {"BtnChangeFont", "BtnPageProperties", "BtnHeaderHTML"}},
        {bar.mnuOptions[4], {"BtnHeaderText"}},
        {bar.mnuOptionsPreferences, {}},
        {bar.mnuOptionsEncoderDecoder, {}},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(Text(page.item->text()));
        bool opened = false;
        OnNextModal([&](QDialog& dialog) {
            opened = true;
            ExpectEveryWindowOnTheScreen();
            for (const QString& name : page.buttons) {
                auto* button = dialog.findChild<QPushButton*>(name);
                if (!button) {
                    ADD_FAILURE() << "no " << Text(name);
                    continue;
                }
                OnNextModal(
                    [](QDialog& inner) {
                        ExpectEveryWindowOnTheScreen();
                        inner.close();
                    },
                    &dialog);
                button->click();
            }
            dialog.close();
        });
        page.item->trigger();
        EXPECT_TRUE(opened);
    }
}

// A fresh settings store and no window loaded, skinned or plain.
struct ProgramRun {
    ProgramRun() { RegisterProgramWindows(); }
    TempHome home;
    ScriptedUi ui;
    ScopedOptions options;
    CloseAll closeAll;
    ~ProgramRun() {
        for (const auto& box : ui.shown) ADD_FAILURE() << Text(box.prompt);
    }
};

const bool kSkinnedAndPlain[] = {true, false};

}  // namespace

TEST(Placement, AFirstStartOpensEveryWindowWhollyOnTheScreenAndClearOfTheLauncherBar) {
    for (const bool skins : kSkinnedAndPlain) {
        SCOPED_TRACE(skins ? "skinned" : "plain");
        ProgramRun run;
        FormIntegrator* bar = Start(skins, false);
        ASSERT_NE(bar, nullptr);
        const QRect barFrame = bar->frameGeometry();
        auto* main = dynamic_cast<FormMP3ScanningCentre*>(WindowOf(WindowNames::ScanningCentre));
        ASSERT_NE(main, nullptr);

        // Side by side, or one below the other, where the screen holds both;
        // else the bar keeps off the main window's title, menus and folder tree.
        if (RoomBesideBar(barFrame, main)) {
            EXPECT_FALSE(main->frameGeometry().intersects(barFrame));
        }
        EXPECT_FALSE(TitleAndMenus(main).intersects(barFrame));
        const QRect tree(main->FolderTreeview->mapToGlobal(QPoint(0, 0)), main->FolderTreeview->size());
        EXPECT_FALSE(tree.intersects(barFrame));

        // The tool windows opened afterwards keep their title and menus clear.
        for (const QString& name : ReopenableWindows()) {
            QWidget* window = dynamic_cast<QWidget*>(WindowRegistry::Show(name));
            ASSERT_NE(window, nullptr) << Text(name);
            EXPECT_FALSE(TitleAndMenus(window).intersects(barFrame)) << Text(name);
        }
        ExpectEveryWindowOnTheScreen();
        OpenEveryOptionDialog(*bar);
    }
}

TEST(Placement, PlacesStoredOnALargerScreenAreKeptWhileTheyFitElseMovedOntoTheScreen) {
    for (const bool skins : kSkinnedAndPlain) {
        SCOPED_TRACE(skins ? "skinned" : "plain");
        ProgramRun run;
        // As a run on a 1920x1080 screen left them, in twips (15 a pixel).
        const struct {
            QString name;
            QRect place;  // left, top, width, height
        } stored[] = {
            {WindowNames::Integrator, {0, 0, 6072, 4080}},
            {WindowNames::ScanningCentre, {6315, 0, 19200, 12000}},
            {WindowNames::Coordinator, {9000, 3000, 18000, 10500}},
            {WindowNames::DuplicateFinder, {18000, 9000, 9000, 6000}},
            {WindowNames::PlaylistManager, {6600, 450, 9000, 7500}},
            {WindowNames::MusicCataloguer, {1500, 6000, 13500, 7800}},
            {WindowNames::EncoderDecoder, {20250, 600, 8400, 6000}},
            {WindowNames::CDRipper, {21000, 10500, 6600, 5160}},
            {WindowNames::MassTagging, {22500, 6000, 5640, 8325}},
            {QStringLiteral("DialogOptions"), {12000, 4500, 12180, 9000}},
        };
        for (const auto& w : stored) {
            const QRect& p = w.place;
            SaveOptionSetting("WindowPositions", w.name + "State", 0, SettingType::Integer);
            SaveOptionSetting("WindowPositions", w.name + "Left", p.left(), SettingType::Single);
            SaveOptionSetting("WindowPositions", w.name + "Top", p.top(), SettingType::Single);
            SaveOptionSetting("WindowPositions", w.name + "Width", p.width(), SettingType::Single);
            SaveOptionSetting("WindowPositions", w.name + "Height", p.height(), SettingType::Single);
            if (ReopenableWindows().contains(w.name))
                SaveOptionSetting("WindowStates", w.name, true, SettingType::Boolean);
        }
        FormIntegrator* bar = Start(skins, true);
        ASSERT_NE(bar, nullptr);
        const QRect barFrame = bar->frameGeometry();

        QStringList kept;
        for (const auto& w : stored) {
            QWidget* window = WindowOf(w.name);
            if (!window) continue;  // the Options dialog, opened below
            SCOPED_TRACE(Text(w.name));
            // A skinned window's stored height holds the title bar it no longer has.
            const bool sizable = window->minimumSize() != window->maximumSize();
            const int caption = skins && window->property("Tag") == "Skinnable" ? CaptionHeightPixels(window) : 0;
            const QSize client =
                sizable ? QSize(w.place.width() / 15, w.place.height() / 15 - caption) : window->size();
            const QRect storedFrame(w.place.topLeft() / 15, client.grownBy(Decorations(window)));
            if (Screen().contains(storedFrame)) {
                EXPECT_EQ(window->geometry().size(), client);
                EXPECT_EQ(window->pos(), storedFrame.topLeft());
                kept << w.name;
            }
            if (window != bar && RoomBesideBar(barFrame, window)) {
                EXPECT_FALSE(TitleAndMenus(window).intersects(barFrame));
            }
        }
        // On the screen where the places were stored, every window is where it was.
        if (Screen().width() >= 1920 && Screen().height() >= 1080) {
            EXPECT_EQ(kept.size(), 9) << Text(kept.join(' '));
        }
        ExpectEveryWindowOnTheScreen();
        OpenEveryOptionDialog(*bar);

        // The windows that did not move store their places as they were.
        bar->BtnExit_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const auto& w : stored) {
            if (!kept.contains(w.name)) continue;
            EXPECT_EQ(GetOptionSetting("WindowPositions", w.name + "Left", "", SettingType::String).toString(),
                      QString::number(w.place.left()))
                << Text(w.name);
            EXPECT_EQ(GetOptionSetting("WindowPositions", w.name + "Top", "", SettingType::String).toString(),
                      QString::number(w.place.top()))
                << Text(w.name);
        }
    }
}

TEST(Placement, PlacesPutTheFrameAndSwitchingTheFrameMovesNoWindow) {
    for (const bool skins : kSkinnedAndPlain) {
        SCOPED_TRACE(skins ? "skinned" : "plain");
        ProgramRun run;
        // The launcher bar's stored place is where its frame goes, title bar and all.
        SaveOptionSetting("WindowPositions", "FormIntegratorLeft", 1500, SettingType::Single);
        SaveOptionSetting("WindowPositions", "FormIntegratorTop", 1500, SettingType::Single);
        FormIntegrator* bar = Start(skins, false);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->frameGeometry().topLeft(), QPoint(100, 100));
        EXPECT_LT(bar->frameGeometry().top(), bar->geometry().top());
        // Stay On Top off and on again leaves it there.
        bar->CheckStayOnTop_Click();
        bar->CheckStayOnTop_Click();
        EXPECT_EQ(bar->frameGeometry().topLeft(), QPoint(100, 100));

        // A window that gains or loses the platform's frame (skins switched)
        // keeps its outer corner where it was.
        QWidget* main = WindowOf(WindowNames::ScanningCentre);
        ASSERT_NE(main, nullptr);
        main->move(main->pos() + QPoint(30, 40));
        const QPoint corner = main->frameGeometry().topLeft();
        for (const bool skinned : {!skins, skins}) {
            Options().Preferences.blnUseSkins = skinned;
            SkinForms();
            QCoreApplication::processEvents();
            EXPECT_EQ(main->frameGeometry().topLeft(), corner) << (skinned ? "skinned" : "plain");
        }
    }
}

TEST(Placement, AMaximisedWindowIsNotKeptUnderTheLauncherBar) {
    for (const bool skins : kSkinnedAndPlain) {
        SCOPED_TRACE(skins ? "skinned" : "plain");
        ProgramRun run;
        FormIntegrator* bar = Start(skins, false);
        auto* main = dynamic_cast<SkinnedWindow*>(WindowOf(WindowNames::ScanningCentre));
        ASSERT_TRUE(bar && main);
        auto barOnTop = [bar] { return bar->windowFlags().testFlag(Qt::WindowStaysOnTopHint); };
        // The maximise button: the skin's picture button, or the platform's.
        auto maximiseButton = [&] {
            if (skins) main->Skin()->ImageSystemMenu_Click(1);
            else main->setWindowState(main->windowState() ^ Qt::WindowMaximized);
        };
        ASSERT_TRUE(barOnTop());

        maximiseButton();
        ASSERT_TRUE(main->isMaximized());
        EXPECT_FALSE(barOnTop());
        EXPECT_EQ(bar->mintCheckStayOnTop, 1);  // the box stays ticked
        // An option dialog opened and closed meanwhile does not put the bar back over it.
        CloseNextModal();
        bar->mnuOptionsPreferences->trigger();
        EXPECT_FALSE(barOnTop());

        maximiseButton();
        ASSERT_FALSE(main->isMaximized());
        EXPECT_TRUE(barOnTop());

        // With the box unticked the bar stays an ordinary window throughout.
        bar->CheckStayOnTop_Click();
        maximiseButton();
        maximiseButton();
        EXPECT_FALSE(barOnTop());
        EXPECT_EQ(bar->mintCheckStayOnTop, 0);
    }
}
