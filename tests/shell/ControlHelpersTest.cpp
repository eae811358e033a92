#include "SkinFixture.h"
#include "support/NativeWindowWatch.h"

#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"
#include "foundation/Twips.h"
#include "shell/ControlRules.h"
#include "shell/SkinScheme.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/Skins.h"

#include <QHeaderView>
#include <QLocale>
#include <QProgressBar>
#include <QStandardItemModel>
#include <QTreeView>
#include <QWindow>
#include <gtest/gtest.h>

// ---- the rules --------------------------------------------------------------

TEST(ControlRules, ProgressBarSteps) {
    struct Case {
        double min, max, present, requested, expected;
    };
    const std::vector<Case> cases = {
        {0, 10, 4, -1, 5},     // one step
        {0, 10, 10, -1, 0},    // a step on a full bar starts again
        {0, 10, 3, 15, 10},    // clamped to the maximum
        {0, 10, 3, -5, 0},     // and to the minimum
        {2, 10, 3, 1, 2},
        {0, 10, 3, 7, 7},
        {0, 100000, 70000, -1, 70001},  // counts beyond 16 bits
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgBarStep(c.min, c.max, c.present, c.requested), c.expected)
            << c.present << " with " << c.requested;
}

TEST(ControlRules, SpinnerSteps) {
    QLocale::setDefault(QLocale::c());
    struct Case {
        QString text;
        int direction, limit, step;
        std::optional<QString> expected;
    };
    const std::vector<Case> cases = {
        {"9", 1, 10, 1, QString("10")},  {"10", 1, 10, 1, std::nullopt}, {"", -1, 0, 1, std::nullopt},
        {"abc", 1, 5, 1, QString("1")},  {"8", 1, 10, 5, QString("13")}, {"13", 1, 10, 5, std::nullopt},
        {"5", -1, 0, 1, QString("4")},   {"5", 2, 10, 1, std::nullopt},  {" 4 2x", 1, 100, 1, QString("43")},
        {"1.5", 1, 5, 1, QString("2.5")}, {"-3", -1, -5, 1, QString("-4")}, {"12345678", 1, 20000000, 1, QString("12345679")},
    };
    for (const Case& c : cases) EXPECT_EQ(IncDecText(c.text, c.direction, c.limit, c.step), c.expected) << c.text.toStdString();
}

TEST(ControlRules, NumericTextCleansOneCharacterAPass) {
    struct Case {
        QString text;
        int caret;
        bool zero, minus, decimal;
        QString expected;
        int expectedCaret;
        bool changed;
    };
    const std::vector<Case> cases = {
        {"0", 1, false, true, true, "", 0, true},
        {"0", 1, true, true, true, "0", 1, false},
        {"-12", 3, true, false, false, "12", 2, true},
        {"-12", 3, true, true, false, "-12", 3, false},
        {"1.5", 3, true, true, true, "1.5", 3, false},
        {"1.5.", 4, true, true, true, "1.5", 3, true},
        {"1.5", 3, true, true, false, "15", 2, true},
        {"12a3", 3, true, true, true, "123", 2, true},
        {"a1b2", 0, true, true, true, "1b2", 0, true},  // one at a time, the caret never below 0
        {"1-2", 3, true, true, true, "12", 2, true},
    };
    for (const Case& c : cases) {
        const NumericTextFix fix = EnsureNumericText(c.text, c.caret, c.zero, c.minus, c.decimal);
        EXPECT_EQ(fix.text, c.expected) << c.text.toStdString();
        EXPECT_EQ(fix.caret, c.expectedCaret) << c.text.toStdString();
        EXPECT_EQ(fix.changed, c.changed) << c.text.toStdString();
    }
}

TEST(ControlRules, SortColumnClicks) {
    SortState state;  // column 1 ascending
    state = NextSortState(state, 3);
    EXPECT_EQ(state.sortKey, 2);
    EXPECT_EQ(state.sortOrder, 0);
    EXPECT_TRUE(state.sorted);
    state = NextSortState(state, 3);
    EXPECT_EQ(state.sortOrder, 1);
    state = NextSortState(state, 3);
    EXPECT_EQ(state.sortOrder, 0);
    state = NextSortState(state, 1);
    EXPECT_EQ(state.sortKey, 0);
    EXPECT_EQ(state.sortOrder, 0);
}

// ---- the helpers on widgets ---------------------------------------------------

TEST(ControlUtils, ProgressBars) {
    QProgressBar bar;
    bar.setObjectName(QStringLiteral("ProgBar"));
    bar.setRange(0, 10);
    bar.setValue(10);
    IncrementProgBar(&bar, -1);
    EXPECT_EQ(bar.value(), 0);
    IncrementProgBar(&bar, -1);
    EXPECT_EQ(bar.value(), 1);
    IncrementProgBar(&bar, 15);
    EXPECT_EQ(bar.value(), 10);
    IncrementProgBar(&bar, -5);
    EXPECT_EQ(bar.value(), 0);

    bar.setValue(6);
    InitialiseProgBar(&bar, 0);
    EXPECT_EQ(bar.maximum(), 10);
    EXPECT_EQ(bar.value(), 6);
    InitialiseProgBar(&bar, 120000);
    EXPECT_EQ(bar.maximum(), 120000);
    EXPECT_EQ(bar.value(), 0);
    for (int i = 0; i < 70000; ++i) IncrementProgBar(&bar, -1);
    EXPECT_EQ(bar.value(), 70000);

    try {
        IncrementProgBar(nullptr, 3);
        ADD_FAILURE();
    } catch (const SvError& e) {
        EXPECT_TRUE(e.description().endsWith("|IncrementProgBar;;3"));
    }
}

TEST(ControlUtils, NumericTextBoxesCleanUpThroughTheirChangeEvent) {
    int beeps = 0;
    SetBeepForTesting([&] { ++beeps; });
    QLineEdit box;
    QObject::connect(&box, &QLineEdit::textChanged, &box, [&] { EnsureNumericTextBox(&box, false, false, true); });
    box.setText(QStringLiteral("12a3"));  // the change event runs the clean-up
    EXPECT_EQ(box.text(), "123");
    EXPECT_EQ(beeps, 1);

    beeps = 0;
    box.setText(QStringLiteral("x1y2z"));  // each offending character on its own pass, each with a beep
    EXPECT_EQ(box.text(), "12");
    EXPECT_EQ(beeps, 3);

    beeps = 0;
    box.setText(QStringLiteral("1.5"));
    EXPECT_EQ(beeps, 0);
    box.setText(QStringLiteral("0"));
    EXPECT_EQ(box.text(), "");
    SetBeepForTesting({});

    QLineEdit spin;
    spin.setText(QStringLiteral("9"));
    IncDecTextBox(&spin, 1, 10, 1);
    EXPECT_EQ(spin.text(), "10");
    IncDecTextBox(&spin, 1, 10, 1);
    EXPECT_EQ(spin.text(), "10");
}

TEST(ControlUtils, ListSelectionsChecksAndSortColumns) {
    QTreeView list;
    list.setObjectName(QStringLiteral("ListViewDuplicates"));
    EXPECT_FALSE(ListItemSelected(&list));
    auto* model = new QStandardItemModel(0, 3, &list);
    list.setModel(model);
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    list.setSelectionBehavior(QAbstractItemView::SelectRows);
    EXPECT_FALSE(ListItemSelected(&list));
    EXPECT_EQ(ListItemsChecked(&list), 0);
    EXPECT_EQ(ListItemsSelected(&list), 0);

    const char* rows[][3] = {{"b", "2", "z"}, {"a", "3", "x"}, {"c", "1", "y"}};
    for (const auto& row : rows) {
        QList<QStandardItem*> items;
        for (const char* cell : row) items.append(new QStandardItem(QString::fromLatin1(cell)));
        items[0]->setCheckable(true);
        model->appendRow(items);
    }
    model->item(0)->setCheckState(Qt::Checked);
    model->item(2)->setCheckState(Qt::Checked);
    EXPECT_EQ(ListItemsChecked(&list), 2);
    list.setCurrentIndex(model->index(1, 0));
    EXPECT_TRUE(ListItemSelected(&list));
    list.selectionModel()->select(model->index(2, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(ListItemsSelected(&list), 2);

    ChangeListViewRowColour(&list, 1, 255);
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(model->index(1, column).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));

    ChangeSortColumn(&list, 3);
    EXPECT_EQ(list.property("SortKey").toInt(), 2);
    EXPECT_EQ(list.header()->sortIndicatorSection(), 2);
    EXPECT_EQ(list.header()->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(model->item(0, 2)->text(), "x");
    ChangeSortColumn(&list, 3);
    EXPECT_EQ(list.header()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(model->item(0, 2)->text(), "z");
}

class ControlUtilsOnWindows : public ::testing::Test {
protected:
    void SetUp() override {
        Options().Preferences.blnUseSkins = true;
        Options().Preferences.strSkinScheme = QStringLiteral("Test Blue");
        folder.AddScheme(Options().Preferences.strSkinScheme, 0);
    }
    void TearDown() override {
        for (IToolWindow* w : WindowRegistry::Loaded()) delete dynamic_cast<QWidget*>(w);
        FlushDeletes();
    }
    SkinFolder folder;
    ScriptedUi ui;
};

TEST_F(ControlUtilsOnWindows, FormLoadedComparesNamesExactly) {
    EXPECT_FALSE(FormLoaded(QStringLiteral("FormMP3ScanningCentre")));
    new TestWindow(QStringLiteral("FormMP3ScanningCentre"));
    EXPECT_TRUE(FormLoaded(QStringLiteral("FormMP3ScanningCentre")));
    EXPECT_FALSE(FormLoaded(QStringLiteral("formmp3scanningcentre")));
}

TEST_F(ControlUtilsOnWindows, MaintainDimensionsPlacesTheChromeAndHoldsTheMinimumSize) {
    gudtSkinSettings = SkinSettings{};
    gudtSkinSettings.TitleFromLeft = 240;
    gudtSkinSettings.TitleFromTop = 45;
    gudtSkinSettings.MinimiseFromRight = 750;
    gudtSkinSettings.MaximiseFromRight = 555;
    gudtSkinSettings.CloseFromRight = 345;
    gudtSkinSettings.CloseFromTop = 30;
    auto* w = new TestWindow;
    w->setMinimumSize(0, 0);
    w->resize(TwipsToPixelsX(7005), TwipsToPixelsY(6000));
    MaintainDimensions(w, 5280, 8000);
    EXPECT_EQ(w->LabelTitle->pos(), QPoint(16, 3));
    EXPECT_EQ(w->ImageSystemMenu[2]->pos(), QPoint(TwipsToPixelsX(7005 - 345), 2));
    EXPECT_EQ(w->ImageSystemMenu[0]->x(), TwipsToPixelsX(7005 - 750));
    EXPECT_EQ(w->width(), TwipsToPixelsX(8000));
    EXPECT_EQ(w->height(), TwipsToPixelsY(6000));

    w->showMaximized();
    const QSize maximised = w->size();
    w->LabelTitle->move(0, 0);
    MaintainDimensions(w, 90000, 90000);
    EXPECT_EQ(w->size(), maximised);
    EXPECT_EQ(w->LabelTitle->pos(), QPoint(16, 3));

    w->showMinimized();
    w->LabelTitle->move(0, 0);
    MaintainDimensions(w, 90000, 90000);
    EXPECT_EQ(w->LabelTitle->pos(), QPoint(0, 0));

    QWidget plain;
    plain.setObjectName(QStringLiteral("DialogPlain"));
    try {
        MaintainDimensions(&plain, 100, 200);
        ADD_FAILURE();
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::MemberNotFound);
        EXPECT_TRUE(e.description().endsWith("|MaintainDimensions;DialogPlain;100;200"));
    }
}

TEST_F(ControlUtilsOnWindows, AWindowResizedBelowItsMinimumGrowsBack) {
    auto* w = new TestWindow;
    w->SetMinimumSizeTwips(5280, 8000);
    w->Load(true);
    w->setMinimumSize(0, 0);  // as a window manager that ignores the hint would
    w->resize(200, 150);
    EXPECT_EQ(w->size(), QSize(TwipsToPixelsX(8000), TwipsToPixelsY(5280)));
}

TEST_F(ControlUtilsOnWindows, FramesAreDrawnRoundTwoControlsAndClearedByANewBackground) {
    auto* w = new TestWindow;
    w->Load(true);
    DrawTransparentFrame(w, w->LabelPlain, w->ListFiles, 150);
    DrawTransparentFrame(w, w->LabelPlain, w->ListFiles, 150);  // again: still one frame
    const std::vector<QRect> frames = w->SurfaceFrames();
    ASSERT_EQ(frames.size(), 1u);
    const QRect list = w->ListFiles->geometry();
    EXPECT_EQ(frames[0].topLeft(), w->LabelPlain->pos() - QPoint(10, 10));
    EXPECT_EQ(frames[0].bottomRight(), list.topLeft() + QPoint(list.width() + 10, list.height() + 10));
    PaintForm(w);
    EXPECT_TRUE(w->SurfaceFrames().empty());
}

TEST_F(ControlUtilsOnWindows, StayOnTopKeepsThePlaceAndComesToTheFrontWhenCleared) {
    auto* w = new TestWindow;
    w->setGeometry(50, 60, 500, 350);
    SetOnTop(w, true);
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->geometry(), QRect(50, 60, 500, 350));
    SetOnTop(w, false);
    EXPECT_FALSE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->geometry(), QRect(50, 60, 500, 350));
    EXPECT_FALSE(w->testAttribute(Qt::WA_ShowWithoutActivating));
}

TEST_F(ControlUtilsOnWindows, FlagChangesOnAShownWindowKeepItsNativeWindow) {
    auto* w = new TestWindow;
    w->setWindowRole(QStringLiteral("TestRole"));
    w->show();
    QWindow* handle = w->windowHandle();
    ASSERT_NE(handle, nullptr);
    NativeWindowWatch watch(w);
    const struct {
        const char* what;
        std::function<void()> change;
        Qt::WindowType flag;
        bool on;
    } steps[] = {
        {"on top", [&] { SetOnTop(w, true); }, Qt::WindowStaysOnTopHint, true},
        {"off top", [&] { SetOnTop(w, false); }, Qt::WindowStaysOnTopHint, false},
        {"frameless", [&] { SetWindowFlagInPlace(w, Qt::FramelessWindowHint, true); }, Qt::FramelessWindowHint, true},
        {"framed", [&] { SetWindowFlagInPlace(w, Qt::FramelessWindowHint, false); }, Qt::FramelessWindowHint, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        EXPECT_EQ(w->windowHandle(), handle);
        EXPECT_EQ(watch.interruptions, 0);
        EXPECT_EQ(w->windowFlags().testFlag(step.flag), step.on);
        EXPECT_EQ(handle->flags().testFlag(step.flag), step.on);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->windowRole(), QStringLiteral("TestRole"));
    }
}
