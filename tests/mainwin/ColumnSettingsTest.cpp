// The column settings dialog on the results list, and the columns kept in
// the settings store from one window to the next.

#include "mainwin/MainWinSupport.h"

#include "foundation/SettingsStore.h"
#include "foundation/Twips.h"
#include "scanning/ui/ColumnSettingsDialog.h"
#include "foundation/ui/ListColumns.h"
#include "scanning/ui/ScanResultsView.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

class ColumnSettingsTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        OpenWindow();
        list = window->ListViewScanResults;
    }

    void Select(DialogColumnSettings& dialog, int row) {
        dialog.ListViewColumns->setCurrentItem(dialog.ListViewColumns->topLevelItem(row));
    }
    int Pixels(int column) const { return TwipsToPixelsX(ColumnWidthTwips(list, column)); }

    ScanResultsView* list = nullptr;
};

TEST_F(ColumnSettingsTest, OKShowsHidesAndSizesTheColumns) {
    DialogColumnSettings dialog;
    dialog.InitiateDialog(list);
    ASSERT_EQ(dialog.ListViewColumns->topLevelItemCount(), 40);
    EXPECT_EQ(dialog.ListViewColumns->topLevelItem(17)->text(0), "ID3v2 Orig. Artist");
    EXPECT_EQ(dialog.ListViewColumns->topLevelItem(3)->checkState(0), Qt::Checked);
    EXPECT_EQ(dialog.TextColumnWidth->text(), QString::number(TwipsToPixelsX(1440)));
    EXPECT_FALSE(dialog.BtnShow->isEnabled());
    EXPECT_TRUE(dialog.BtnHide->isEnabled());

    Select(dialog, 3);
    dialog.BtnHide_Click();
    EXPECT_TRUE(dialog.BtnShow->isEnabled());
    Select(dialog, 1);
    dialog.TextColumnWidth->setText("120");
    // A lone zero is cleared and letters dropped; the width stays.
    Select(dialog, 2);
    dialog.TextColumnWidth->setText("0");
    EXPECT_EQ(dialog.TextColumnWidth->text(), "");
    dialog.TextColumnWidth->setText("8x0");
    EXPECT_EQ(dialog.TextColumnWidth->text(), "80");
    // Any run of digits is a width: a huge one gives the widest column.
    Select(dialog, 4);
    dialog.TextColumnWidth->setText("999999999999999999999");
    Select(dialog, 0);
    dialog.BtnHide_Click();  // the check boxes stay
    dialog.OKButton_Click();

    EXPECT_EQ(ColumnWidthTwips(list, 3), 0);
    EXPECT_EQ(Pixels(1), 120);
    EXPECT_EQ(Pixels(2), 80);
    EXPECT_FALSE(ColumnCountsAsHidden(list, 4));
    EXPECT_GE(Pixels(4), 10000);
    EXPECT_EQ(Pixels(0), TwipsToPixelsX(kCheckBoxColumnTwips));
    EXPECT_TRUE(ColumnCountsAsHidden(list, 0));
}

TEST_F(ColumnSettingsTest, CancelLeavesEveryColumnAsItWas) {
    const int before = Pixels(5);
    DialogColumnSettings dialog;
    dialog.InitiateDialog(list);
    Select(dialog, 5);
    dialog.BtnHide_Click();
    Select(dialog, 6);
    dialog.TextColumnWidth->setText("33");
    dialog.CancelButton_Click();
    EXPECT_EQ(Pixels(5), before);
    EXPECT_EQ(Pixels(6), before);
}

TEST_F(ColumnSettingsTest, AHiddenColumnComesBackAtItsStoredWidth) {
    SetColumnWidthTwips(list, 7, 0);
    {
        // Nothing stored: 1440 twips.
        DialogColumnSettings dialog;
        dialog.InitiateDialog(list);
        EXPECT_EQ(dialog.ListViewColumns->topLevelItem(7)->checkState(0), Qt::Unchecked);
        Select(dialog, 7);
        dialog.BtnShow_Click();
        dialog.OKButton_Click();
        EXPECT_EQ(Pixels(7), TwipsToPixelsX(1440));
    }
    // The width stored when the column was last shown.
    SaveOptionSetting("ListViewScanResults", "8Width", 2400, 4);
    SetColumnWidthTwips(list, 7, 0);
    DialogColumnSettings dialog;
    dialog.InitiateDialog(list);
    Select(dialog, 7);
    dialog.BtnShow_Click();
    dialog.OKButton_Click();
    EXPECT_EQ(Pixels(7), TwipsToPixelsX(2400));
}

TEST_F(ColumnSettingsTest, ColumnsAreKeptFromOneWindowToTheNext) {
    SetColumnWidthTwips(list, 3, 0);
    SetColumnWidthTwips(list, 1, 3000);
    CloseWindow();
    EXPECT_EQ(GetOptionSetting("ListViewScanResults", "4Visible", "", 11).toBool(), false);
    EXPECT_EQ(GetOptionSetting("ListViewScanResults", "2Visible", "", 11).toBool(), true);
    EXPECT_NEAR(GetOptionSetting("ListViewScanResults", "2Width", "0", 4).toDouble(), 3000, 15);

    OpenWindow();
    list = window->ListViewScanResults;
    EXPECT_EQ(ColumnWidthTwips(list, 3), 0);
    EXPECT_EQ(Pixels(1), TwipsToPixelsX(3000));
    EXPECT_EQ(Pixels(2), TwipsToPixelsX(1440));
}

}  // namespace
