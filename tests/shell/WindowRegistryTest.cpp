#include "SkinFixture.h"

#include "foundation/OptionRecords.h"
#include "foundation/WindowProtocol.h"
#include "shell/ui/Skins.h"

#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class StubbornWindow : public TestWindow {
public:
    using TestWindow::TestWindow;
    bool refuse = true;
    int unloads = 0;

protected:
    void QueryUnload(bool& cancel) override { cancel = refuse; }
    void FormUnload() override { ++unloads; }
};

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        Options().Preferences.blnUseSkins = true;
        Options().Preferences.strSkinScheme = QStringLiteral("Test Blue");
        folder.AddScheme(Options().Preferences.strSkinScheme, 0);
    }
    void TearDown() override {
        WindowRegistry::SetFactory(QStringLiteral("FormDuplicateFinder"), {});
        for (IToolWindow* w : WindowRegistry::Loaded()) delete dynamic_cast<QWidget*>(w);
        FlushDeletes();
    }
    SkinFolder folder;
    ScriptedUi ui;
};

}  // namespace

TEST_F(Registry, WindowsAreKeptInLoadOrderAndCreatedByNameOnce) {
    auto* main = new TestWindow(QStringLiteral("FormMP3ScanningCentre"));
    auto* ripper = new TestWindow(QStringLiteral("FormCDRipper"));
    int created = 0;
    WindowRegistry::SetFactory(QStringLiteral("FormDuplicateFinder"), [&]() -> IToolWindow* {
        ++created;
        auto* w = new TestWindow(QStringLiteral("FormDuplicateFinder"));
        w->Load(true);
        return w;
    });
    EXPECT_EQ(WindowRegistry::Show(QStringLiteral("FormPlaylistManager")), nullptr);  // not built yet

    IToolWindow* finder = WindowRegistry::Show(QStringLiteral("FormDuplicateFinder"));
    ASSERT_NE(finder, nullptr);
    EXPECT_TRUE(dynamic_cast<QWidget*>(finder)->isVisible());
    EXPECT_EQ(WindowRegistry::Show(QStringLiteral("FormDuplicateFinder")), finder);
    EXPECT_EQ(created, 1);

    const std::vector<IToolWindow*> order = {main, ripper, finder};
    EXPECT_EQ(WindowRegistry::Loaded(), order);
    EXPECT_EQ(WindowRegistry::FindAs<SkinnedWindow>(QStringLiteral("FormCDRipper")), ripper);

    // Closed, the window is gone; shown again, it is made anew.
    QPointer<QWidget> first = dynamic_cast<QWidget*>(finder);
    first->close();
    FlushDeletes();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(WindowRegistry::Find(QStringLiteral("FormDuplicateFinder")), nullptr);
    ASSERT_NE(WindowRegistry::Show(QStringLiteral("FormDuplicateFinder")), nullptr);
    EXPECT_EQ(created, 2);
    EXPECT_EQ(WindowRegistry::Loaded().back()->Name(), "FormDuplicateFinder");
}

TEST_F(Registry, AWindowThatRefusesToCloseStaysLoaded) {
    auto* w = new StubbornWindow(QStringLiteral("FormMusicCataloguer"));
    w->Load(true);
    QPointer<StubbornWindow> alive = w;
    SystemMenuItemSelect(w, 2);
    FlushDeletes();
    ASSERT_FALSE(alive.isNull());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(WindowRegistry::Find(QStringLiteral("FormMusicCataloguer")), w);
    EXPECT_EQ(w->unloads, 0);

    w->refuse = false;
    w->UnloadWindow();
    EXPECT_EQ(WindowRegistry::Find(QStringLiteral("FormMusicCataloguer")), nullptr);
    FlushDeletes();
    EXPECT_TRUE(alive.isNull());
}

TEST_F(Registry, AFramelessWindowIsResizedByItsEdges) {
    auto* w = new TestWindow;
    w->Load(true);
    w->setMinimumSize(200, 150);
    w->setGeometry(100, 100, 600, 400);
    ASSERT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    const QPoint edge(599, 200);
    QTest::mousePress(w, Qt::LeftButton, {}, edge);
    QMouseEvent move(QEvent::MouseMove, QPointF(639, 200), w->mapToGlobal(QPointF(639, 200)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(639, 200));
    EXPECT_EQ(w->geometry(), QRect(100, 100, 640, 400));

    // Not from inside the window, and not once the sizing border is taken off.
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(300, 200));
    QMouseEvent inner(QEvent::MouseMove, QPointF(350, 200), w->mapToGlobal(QPointF(350, 200)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &inner);
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(350, 200));
    EXPECT_EQ(w->width(), 640);
    RemoveTitleBar(w, true);
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(639, 200));
    QMouseEvent noBorder(QEvent::MouseMove, QPointF(700, 200), w->mapToGlobal(QPointF(700, 200)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &noBorder);
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(700, 200));
    EXPECT_EQ(w->width(), 640);
}
