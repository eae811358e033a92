// The life cycle the tool windows share (shell/ui/SkinnedToolWindow.h), on a
// small window of its own: the load prologue, the close refusal while a job
// runs, the unload's order and once-only run, and the edit control's keys.

#include "SkinFixture.h"

#include "foundation/OptionRecords.h"
#include "foundation/SettingsStore.h"
#include "foundation/ToolWindows.h"
#include "foundation/Twips.h"
#include "shell/ui/SkinnedToolWindow.h"

#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ProbeWindow : public SkinnedToolWindow {
public:
    using Shape = SkinnedToolWindow::Shape;
    explicit ProbeWindow(Shape shape, const QString& name = WindowNames::DuplicateFinder)
        : SkinnedToolWindow(name, nullptr) {
        LoadToolWindow(shape);
    }
    void EnableControls(bool) override {}
    void Unload() { FormUnload(); }

    QListWidget* List = nullptr;
    QStringList steps;
    // The size the window had when it was about to load.
    QSize sizeBeforeLoad;
    // The window's place as stored when its settings were written.
    QString storedTopWhenSettingsWritten;

protected:
    void BuildControls() override {
        steps << QStringLiteral("controls");
        List = new QListWidget(this);
        List->setSelectionMode(QAbstractItemView::ExtendedSelection);
        List->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        SetEditControl(List);
    }
    void BuildMenus() override { steps << QStringLiteral("menus"); }
    void PrepareLoad() override {
        steps << (isVisible() ? QStringLiteral("shown") : QStringLiteral("prepare"));
        sizeBeforeLoad = size();
    }
    void StopBeforeUnload() override { steps << QStringLiteral("stop"); }
    void WriteSettings() override {
        steps << QStringLiteral("settings");
        storedTopWhenSettingsWritten =
            GetOptionSetting(QStringLiteral("WindowPositions"), objectName() + QStringLiteral("Top"), QString(),
                             SettingType::String)
                .toString();
    }
    void UnloadOwn() override { steps << QStringLiteral("own"); }
};

class ToolWindowLifeCycle : public ::testing::Test {
protected:
    void SetUp() override { folder.UseScheme(QStringLiteral("Test Blue"), 0); }
    void TearDown() override {
        for (IToolWindow* w : WindowRegistry::Loaded()) delete dynamic_cast<QWidget*>(w);
        FlushDeletes();
    }
    SkinFolder folder;
    ScriptedUi ui;
};

}  // namespace

TEST_F(ToolWindowLifeCycle, LoadBuildsSizesAndShowsTheWindowInOrder) {
    struct Case {
        bool fixed;
        double builtWidth, builtHeight;
    };
    for (const Case c : {Case{false, 9000, 6000}, Case{true, 7000, 5000}, Case{false, 0, 0}}) {
        SCOPED_TRACE(c.builtWidth);
        auto* w = new ProbeWindow({.minHeight = 4000,
                                   .minWidth = 5000,
                                   .builtWidth = c.builtWidth,
                                   .builtHeight = c.builtHeight,
                                   .fixedSize = c.fixed});
        EXPECT_EQ(w->steps, QStringList({"controls", "menus", "prepare"}));
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->windowRole(), w->objectName());
        EXPECT_EQ(w->MinimumHeightTwips(), 4000);
        EXPECT_EQ(w->MinimumWidthTwips(), 5000);
        // The load fits the skin's chrome round a window that may resize.
        if (c.builtWidth > 0) {
            EXPECT_EQ(w->sizeBeforeLoad, QSize(TwipsToPixelsX(c.builtWidth), TwipsToPixelsY(c.builtHeight)));
        }
        if (c.fixed) {
            EXPECT_EQ(w->size(), w->sizeBeforeLoad);
        }
        EXPECT_EQ(w->minimumSize() == w->maximumSize(), c.fixed);
        EXPECT_EQ(w->HelpTopic(), ToolWindow(WindowNames::DuplicateFinder).helpTopic);
        EXPECT_EQ(w->EditControl(), w->List);
        delete w;
    }
}

TEST_F(ToolWindowLifeCycle, AWindowWithAJobRunningRefusesToCloseThenUnloadsOnceInOrder) {
    auto* w = new ProbeWindow({.minHeight = 4000, .minWidth = 5000, .builtWidth = 9000, .builtHeight = 6000});
    QPointer<ProbeWindow> alive = w;
    w->steps.clear();

    w->mblnProcessRunning = true;
    w->UnloadWindow();
    FlushDeletes();
    ASSERT_FALSE(alive.isNull());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(WindowRegistry::Find(WindowNames::DuplicateFinder), w);
    EXPECT_TRUE(w->steps.isEmpty());
    EXPECT_EQ(ui.shown.size(), 1u);  // the refusal says which window is busy

    w->mblnProcessRunning = false;
    w->Unload();
    EXPECT_EQ(w->steps, QStringList({"stop", "settings", "own"}));
    // The place is stored before the settings are written.
    EXPECT_FALSE(w->storedTopWhenSettingsWritten.isEmpty());
    w->Unload();
    w->UnloadWindow();
    EXPECT_EQ(w->steps, QStringList({"stop", "settings", "own"}));
    EXPECT_EQ(WindowRegistry::Find(WindowNames::DuplicateFinder), nullptr);
}

TEST_F(ToolWindowLifeCycle, TheEditControlsOwnSelectAllAndCopyKeysDoNothing) {
    auto* w = new ProbeWindow({.minHeight = 4000, .minWidth = 5000, .builtWidth = 9000, .builtHeight = 6000});
    w->List->setCurrentRow(0);
    QTest::keyClick(w->List, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(w->List->selectedItems().size(), 1);
    // Other keys still reach the list.
    QTest::keyClick(w->List, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(w->List->selectedItems().size(), 2);
}
