#include "foundation/Twips.h"
#include "shell/SplitterLayout.h"
#include "shell/ui/Splitter.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

SplitterGeometry Stacked(float height, float bar, float minPos = 0) {
    SplitterGeometry g;
    g.stacked = true;
    g.width = 3000;
    g.height = height;
    g.barThickness = bar;
    g.minPos = minPos;
    return g;
}

SplitterGeometry SideBySide(float width, float bar, float minPos = 0) {
    SplitterGeometry g = Stacked(2000, bar, minPos);
    g.stacked = false;
    g.width = width;
    return g;
}

}  // namespace

TEST(SplitterLayout, APassCutsTheFreeLengthByTheFraction) {
    struct Case {
        const char* what;
        SplitterGeometry g;
        float fraction;
        float size1, size2, fractionAfter;
    };
    const std::vector<Case> cases = {
        {"stacked 40%", Stacked(5000, 50), 0.4f, 1980, 2970, 0.4f},
        {"side by side 40%", SideBySide(5000, 50), 0.4f, 1980, 2970, 0.4f},
        {"0% gives the minimum", SideBySide(5000, 50, 0), 0.0f, 0, 4950, 0.0f},
        {"100% leaves nothing for the second pane", SideBySide(5000, 50), 1.0f, 4950, 0, 1.0f},
        {"the minimum raises the fraction", SideBySide(3050, 50, 1500), 0.4f, 1500, 1500, 0.5f},
        // Mended: a minimum beyond the free length no longer pushes the
        // second pane to a negative length or the first past the splitter.
        {"minimum beyond the free length", SideBySide(1050, 50, 1500), 0.4f, 1000, 0, 1.0f},
        {"a stored fraction above 1", Stacked(1050, 50), 2.0f, 1000, 0, 1.0f},
        {"no free length keeps the fraction", Stacked(50, 50, 300), 0.4f, 0, 0, 0.4f},
        {"shorter than the bar", Stacked(30, 50, 300), 0.4f, 0, 0, 0.4f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SplitterPass pass = LayoutSplitterPass(c.g, c.fraction);
        EXPECT_FLOAT_EQ(pass.size1, c.size1);
        EXPECT_FLOAT_EQ(pass.size2, c.size2);
        EXPECT_FLOAT_EQ(pass.fraction, c.fractionAfter);
        EXPECT_GE(pass.size2, 0.0f);
        if (c.g.stacked) {
            EXPECT_FLOAT_EQ(pass.barTop, c.size1);
            EXPECT_FLOAT_EQ(pass.barLeft, 0);
            EXPECT_FLOAT_EQ(pass.barWidth, c.g.width);
            EXPECT_FLOAT_EQ(pass.barHeight, c.g.barThickness);
        } else {
            EXPECT_FLOAT_EQ(pass.barLeft, c.size1);
            EXPECT_FLOAT_EQ(pass.barHeight, c.g.height);
        }
    }
}

TEST(SplitterLayout, ARaisedFractionStaysWhenTheSplitterGrowsAgain) {
    float fraction = 0.4f;
    fraction = LayoutSplitterPass(SideBySide(3050, 50, 1500), fraction).fraction;
    EXPECT_FLOAT_EQ(fraction, 0.5f);
    const SplitterPass grown = LayoutSplitterPass(SideBySide(10050, 50, 1500), fraction);
    EXPECT_FLOAT_EQ(grown.size1, 5000);
}

TEST(SplitterLayout, DraggingFollowsThePointerWithinTheLimits) {
    struct Case {
        const char* what;
        SplitterGeometry g;
        float barPos, offset;
        float pos, fraction;
    };
    const std::vector<Case> cases = {
        {"bar to 2000 in 5000", Stacked(5000, 50), 1980, 70, 2000, 0.4f},
        {"stopped at the minimum", SideBySide(5000, 50, 1000), 1980, -1500, 1000, 0.2f},
        {"past the far edge", SideBySide(5000, 50), 4900, 400, 5250, 0.999f},
        {"before the near edge", SideBySide(5000, 50), 10, -200, 0, 0.001f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SplitterDrag drag = DragSplitterBar(c.g, c.barPos, c.offset);
        EXPECT_FLOAT_EQ(drag.barPos, c.pos);
        EXPECT_FLOAT_EQ(drag.fraction, c.fraction);
    }
    // The release lays out from the dragged fraction: 0.4 of the free length.
    EXPECT_FLOAT_EQ(LayoutSplitterPass(Stacked(5000, 50), 0.4f).barTop, 1980);
    EXPECT_FLOAT_EQ(LayoutSplitterPass(SideBySide(5000, 50), 0.999f).size1, 0.999f * 4950);
}

TEST(SplitterLayout, SplitPercentRoundsHalvesToEven) {
    EXPECT_EQ(SplitPercentFromFraction(0.4f), 40);
    EXPECT_EQ(SplitPercentFromFraction(0.125f), 12);
    EXPECT_EQ(SplitPercentFromFraction(0.375f), 38);
    EXPECT_EQ(SplitPercentFromFraction(2.6f), 255);
    EXPECT_EQ(SplitPercentFromFraction(-0.5f), 0);
}

class SplitterWidget : public ::testing::Test {
protected:
    void SetUp() override {
        gsngTwipsPerPixelX = gsngTwipsPerPixelY = 15.0f;
        window.resize(800, 600);
        first = new QWidget(&window);
        second = new QWidget(&window);
        first->setGeometry(30, 40, 200, 300);
        second->setGeometry(300, 40, 200, 300);
        splitter = new Splitter(&window);
    }
    QWidget window;
    QWidget* first = nullptr;
    QWidget* second = nullptr;
    Splitter* splitter = nullptr;
};

TEST_F(SplitterWidget, ANewSplitterAndStoredData) {
    EXPECT_EQ(splitter->Orientation(), 0);
    EXPECT_EQ(splitter->SplitPercent(), 50);
    EXPECT_EQ(splitter->SplitterWidth(), 50);
    EXPECT_EQ(splitter->SplitterColour(), 0);
    EXPECT_EQ(splitter->SplitterMinPos(), 0.0f);
    EXPECT_EQ(splitter->Child1(), nullptr);

    splitter->SetOrientation(5);
    EXPECT_EQ(splitter->Orientation(), -1);
    EXPECT_EQ(splitter->SplitterBar()->cursor().shape(), Qt::SizeVerCursor);
    splitter->SetOrientation(0);
    EXPECT_EQ(splitter->Orientation(), 0);
    EXPECT_EQ(splitter->SplitterBar()->cursor().shape(), Qt::SizeHorCursor);

    Splitter restored(&window);
    restored.ReadProperties({{QStringLiteral("SplitPercent"), 30}});
    EXPECT_EQ(restored.SplitterWidth(), 80);
    EXPECT_EQ(restored.SplitPercent(), 30);
    EXPECT_EQ(restored.Orientation(), 0);
    restored.SetOrientation(-1);
    const QVariantMap stored = restored.WriteProperties();
    EXPECT_EQ(stored.value(QStringLiteral("Orientation")).toInt(), -1);
    EXPECT_EQ(stored.value(QStringLiteral("SplitPercent")).toInt(), 30);
    EXPECT_FALSE(stored.contains(QStringLiteral("SplitterWidth")));
}

TEST_F(SplitterWidget, WithoutChildrenALayoutMovesOnlyTheBarAndStillRaisesResize) {
    QSignalSpy resized(splitter, &Splitter::Resize);
    splitter->setGeometry(0, 0, 400, 200);
    splitter->LayoutPass();
    EXPECT_GE(resized.count(), 1);
    const int before = resized.count();
    splitter->SetSplitPercent(25);
    EXPECT_EQ(resized.count(), before + 1);
    // 0.25 of (6000 - 50) twips = 1487.5 twips.
    EXPECT_EQ(splitter->SplitterBar()->geometry(), QRect(TwipsToPixelsX(1487.5), 0, TwipsToPixelsX(50), 200));
    // Width and minimum lay out only on the next pass.
    splitter->SetSplitterWidth(150);
    splitter->SetSplitterMinPos(3000);
    EXPECT_EQ(resized.count(), before + 1);
    EXPECT_EQ(splitter->SplitterBar()->x(), TwipsToPixelsX(1487.5));
}

TEST_F(SplitterWidget, SideBySideTheChildrenShareTheSplitterAroundTheBar) {
    splitter->setGeometry(30, 40, 500, 300);  // 7500 twips wide
    splitter->SetSplitterWidth(60);
    splitter->SetChild1(first);
    splitter->SetChild2(second);
    splitter->SetSplitPercent(40);
    // free = 7440; first pane 2976 twips; second from 450 + 2976 + 60 twips.
    EXPECT_EQ(first->geometry(), QRect(30, 40, TwipsToPixelsX(2976), 300));
    EXPECT_EQ(second->geometry(), QRect(TwipsToPixelsX(450 + 2976 + 60), 40, TwipsToPixelsX(4464), 300));
    EXPECT_EQ(splitter->SplitterBar()->geometry(), QRect(TwipsToPixelsX(2976), 0, TwipsToPixelsX(60), 300));
    EXPECT_LT(splitter->SplitterBar()->x() + 30, second->x());
}

TEST_F(SplitterWidget, StackedTheSecondChildStartsBelowTheBar) {
    splitter->SetOrientation(1);
    splitter->setGeometry(30, 40, 200, TwipsToPixelsY(5000));
    splitter->SetChild1(first);
    splitter->SetChild2(second);
    splitter->SetSplitPercent(40);
    EXPECT_EQ(first->height(), TwipsToPixelsY(1980));
    EXPECT_EQ(second->y(), TwipsToPixelsY(600 + 2030));
    EXPECT_EQ(second->x(), first->x());
    EXPECT_EQ(second->height(), TwipsToPixelsY(2970));
    EXPECT_EQ(first->width(), 200);  // across the split axis as the window set it
}

TEST_F(SplitterWidget, OnlyALeftButtonDragMovesTheBarAndTheReleaseLaysOut) {
    splitter->setGeometry(0, 0, 500, 300);  // 7500 twips
    splitter->SetChild1(first);
    splitter->SetChild2(second);
    splitter->SetSplitPercent(40);
    QWidget* bar = splitter->SplitterBar();
    const QRect settled = bar->geometry();
    const int firstWidth = first->width();

    // Right button: nothing moves, the release lays out as before.
    QTest::mousePress(bar, Qt::RightButton, {}, QPoint(1, 10));
    QMouseEvent rightMove(QEvent::MouseMove, QPointF(60, 10), bar->mapToGlobal(QPointF(60, 10)), Qt::NoButton,
                          Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &rightMove);
    EXPECT_EQ(bar->geometry(), settled);
    QTest::mouseRelease(bar, Qt::RightButton, {}, QPoint(60, 10));
    EXPECT_EQ(splitter->SplitPercent(), 40);

    // Left button: the bar follows, the children wait for the release.
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(1, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(63, 10), bar->mapToGlobal(QPointF(63, 10)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &move);
    const int dragged = settled.x() + 63 - TwipsToPixelsX(50);
    EXPECT_EQ(bar->x(), dragged);
    EXPECT_EQ(first->width(), firstWidth);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(63, 10));
    // Laid out from fraction = bar position / whole width, over the free length.
    const float fraction = static_cast<float>(dragged * 15.0 / 7500.0);
    EXPECT_EQ(first->width(), TwipsToPixelsX(fraction * 7450));
    EXPECT_EQ(bar->x(), TwipsToPixelsX(fraction * 7450));
}
