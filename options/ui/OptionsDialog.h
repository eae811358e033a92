#pragma once
// The Options dialog: the program-wide options on five pages (scanning
// centre, file name and tag coordinator, HTML catalogue, text catalogue,
// preferences).  It is created afresh at every opening and fills itself from
// the settings store (options/OptionsSettings.h), the file associations and
// the rule lists of the option records; the rule lists are edited as working
// copies.  Nothing takes effect before OK: OK checks the fill colour (also
// checked when its box is left, foundation/ui/HtmlColourBoxes.h) and what the
// option readers could not read back (and stays open on a refusal), applies the file
// associations, hands the rule lists to the option records, stores every
// page, reads every option group again and re-dresses the open windows when
// the skin scheme changed.  Cancel, the close box and Escape's absence leave
// everything as it was.
//
// Keys: F1 on a control opens the help page of its page (the colour box its
// own), on OK, Cancel, the tab strip and the dialog that of the selected
// page; Enter presses OK unless another button has the focus (or, once a
// rule's target or point kind is chosen, that page's Add Rule).
//
// Open it with ShowOptionsDialog (RegisterOptionsDialog makes the launcher
// bar and the Tools menu do so).

#include "foundation/Dialogs.h"
#include "foundation/ui/OptionDialogBase.h"
#include "options/FileAssociations.h"
#include "options/OptionRules.h"
#include "options/OptionsSettings.h"

#include <QDialog>
#include <QElapsedTimer>
#include <array>

class QAbstractItemView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QStandardItem;
class QStandardItemModel;
class QTabBar;
class QToolButton;
class QTreeView;
class ColumnListModel;
class RuleEntriesModel;

// Help topics of the pages, in page order, and of the HTML colour list.
constexpr std::array<int, 5> kOptionsPageTopics = {8, 9, 10, 11, 7};
constexpr int kHtmlColoursTopic = 19;

class DialogOptions : public OptionDialogBase {
    Q_OBJECT
public:
    explicit DialogOptions(QWidget* parent = nullptr);

    // ---- the whole dialog ----
    QTabBar* TabStripOptions = nullptr;
    QStackedWidget* FramesStack = nullptr;
    std::array<QWidget*, 5> FrameOptions{};
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // ---- page 1: scanning centre ----
    QCheckBox* CheckClearResults = nullptr;
    QCheckBox* CheckIncludeID3v1 = nullptr;
    QCheckBox* CheckDontIncludeID3v1 = nullptr;
    QCheckBox* CheckIncludeID3v2 = nullptr;
    QCheckBox* CheckDontIncludeID3v2 = nullptr;
    QLabel* LabelScanFilter = nullptr;
    QComboBox* ComboScanFilter = nullptr;
    QGroupBox* FrameScanRules = nullptr;
    QComboBox* ComboScanRules = nullptr;
    QComboBox* ComboScanRuleChoice = nullptr;
    QComboBox* ComboScanRuleScope = nullptr;
    QLineEdit* TextScanRuleFilter = nullptr;
    QComboBox* ComboScanRuleTarget = nullptr;
    QCheckBox* CheckCaseSensitive = nullptr;
    QPushButton* BtnAddScanRule = nullptr;
    QPushButton* BtnRemoveScanRule = nullptr;

    // ---- page 2: file name and tag coordinator ----
    QGroupBox* FrameFileNameFormat = nullptr;
    QComboBox* ComboFileNameFormat = nullptr;
    QLabel* Labelmp3 = nullptr;
    std::array<QLabel*, 5> LabelLegend{};
    QLabel* LabelFileNameFormatInfo = nullptr;
    QGroupBox* FrameSeparators = nullptr;
    std::array<QCheckBox*, 6> CheckSourceSeparator{};
    std::array<QLineEdit*, 2> TextSourceSeparator{};
    std::array<QLabel*, 3> LabelOrder{};  // element k is the order label numbered k + 1
    QToolButton* UpDownOrderLeft = nullptr;   // the spinner's down arrow: one place left
    QToolButton* UpDownOrderRight = nullptr;  // its up arrow: one place right
    QGroupBox* FrameReliabilityPref = nullptr;
    QRadioButton* OptionFileNamePref = nullptr;
    QRadioButton* OptionID3v1TagPref = nullptr;
    QRadioButton* OptionID3v2TagPref = nullptr;
    QCheckBox* CheckDoubleBarrel = nullptr;
    QPushButton* BtnAdvanced = nullptr;
    QGroupBox* FrameSimRule = nullptr;
    QComboBox* ComboSimRules = nullptr;
    QComboBox* ComboSimRuleChoice = nullptr;
    QComboBox* ComboSimRuleRange = nullptr;
    QLineEdit* TextRulePoint1 = nullptr;
    QToolButton* UpDownRulePoint1Up = nullptr;
    QToolButton* UpDownRulePoint1Down = nullptr;
    QLabel* LabelAnd = nullptr;
    QLineEdit* TextRulePoint2 = nullptr;
    QToolButton* UpDownRulePoint2Up = nullptr;
    QToolButton* UpDownRulePoint2Down = nullptr;
    QComboBox* ComboSimRulePoint = nullptr;
    QPushButton* BtnAddSimRule = nullptr;
    QPushButton* BtnRemoveSimRule = nullptr;

    // ---- page 3: HTML catalogue ----
    QLabel* LabelNotIncludedHTML = nullptr;
    QListView* ListNotIncludedHTML = nullptr;
    QLabel* LabelIncludedHTML = nullptr;
    QListView* ListIncludedHTML = nullptr;
    QPushButton* BtnAddAllHTML = nullptr;
    QPushButton* BtnAddHTML = nullptr;
    QPushButton* BtnRemoveHTML = nullptr;
    QPushButton* BtnRemoveAllHTML = nullptr;
    QToolButton* BtnUpHTML = nullptr;
    QToolButton* BtnDownHTML = nullptr;
    QCheckBox* CheckSortByHTML = nullptr;
    QComboBox* ComboSortKeyHTML = nullptr;
    QLabel* LabelinHTML = nullptr;
    QComboBox* ComboOrderHTML = nullptr;
    QLabel* LabelListText = nullptr;
    QLabel* LabelFont = nullptr;
    QPushButton* BtnChangeFont = nullptr;
    QLabel* LabelFill = nullptr;
    QLabel* PictureFill = nullptr;
    QComboBox* ComboFill = nullptr;
    QLabel* LabelOutputFileNameExtension = nullptr;
    QLineEdit* TextOutputFileNameExtension = nullptr;
    QPushButton* BtnPageProperties = nullptr;
    QPushButton* BtnHeaderHTML = nullptr;
    CommonDialog CommonDialogColour;

    // ---- page 4: text catalogue ----
    QLabel* LabelNotIncludedText = nullptr;
    QListView* ListNotIncludedText = nullptr;
    QLabel* LabelIncludedText = nullptr;
    QTreeView* ListIncludedText = nullptr;
    QWidget* UpDownWidthText = nullptr;  // the width spinner, shown on demand
    QToolButton* UpDownWidthTextUp = nullptr;
    QToolButton* UpDownWidthTextDown = nullptr;
    QPushButton* BtnAddAllText = nullptr;
    QPushButton* BtnAddText = nullptr;
    QPushButton* BtnRemoveText = nullptr;
    QPushButton* BtnRemoveAllText = nullptr;
    QToolButton* BtnUpText = nullptr;
    QToolButton* BtnDownText = nullptr;
    QCheckBox* CheckSortByText = nullptr;
    QComboBox* ComboSortKeyText = nullptr;
    QLabel* LabelinText = nullptr;
    QComboBox* ComboOrderText = nullptr;
    QPushButton* BtnHeaderText = nullptr;

    // ---- page 5: preferences ----
    QCheckBox* CheckDisplayMessageBox = nullptr;
    QCheckBox* CheckRecycleBin = nullptr;
    QCheckBox* CheckWebHelp = nullptr;
    QCheckBox* CheckWriteReadOnly = nullptr;
    QCheckBox* CheckSplashScreen = nullptr;
    QCheckBox* CheckRetainWindows = nullptr;
    QCheckBox* CheckUseSkins = nullptr;
    QLabel* LabelSkinScheme = nullptr;
    QTreeView* ListViewSkinSchemes = nullptr;
    QStandardItemModel* SkinSchemesModel = nullptr;
    QGroupBox* FrameFileAssociations = nullptr;
    QCheckBox* CheckScanResultsFiles = nullptr;
    QCheckBox* CheckSimulateResultsFiles = nullptr;
    QCheckBox* CheckM3UPlaylistFiles = nullptr;
    QCheckBox* CheckPLSPlaylistFiles = nullptr;

    // ---- the working state ----
    std::vector<ScanRule> mudtScanRules;
    std::vector<SimulateRule> mudtSimulateRules;
    QString mstrSkinScheme;
    FileAssociationFindings mFindings;
    CatalogueColumnLists mColumnsHTML{false};
    CatalogueColumnLists mColumnsText{true};

    // ---- handlers ----
    // Tab 1 to 5 (or -1: as loaded) shown; the dialog is then run by the caller.
    void SelectTab(int tab);
    // As wide as the row of tabs, or as the screen where that is narrower.
    void FitTabsToScreen();
    void TabStripOptions_Click();
    void OKButton_Click();
    void CheckRecycleBin_Click();
    void CheckUseSkins_Click();
    void ListViewSkinSchemes_ItemCheck(int row);

    void CheckInclude_Click(QCheckBox* clicked);
    void ComboScanRules_Click();
    void ComboScanRuleTarget_Click();
    void TextScanRuleFilter_Change();
    void BtnAddScanRule_Click();
    void BtnRemoveScanRule_Click();

    void ComboFileNameFormat_LostFocus();
    void CheckSourceSeparator_Click();
    void TextSourceSeparator_Change(int index);
    void LabelOrder_Click(int index);
    void UpDownOrder_UpClick();
    void UpDownOrder_DownClick();
    void BtnAdvanced_Click();
    void ComboSimRules_Click();
    void ComboSimRuleRange_Click();
    void ComboSimRulePoint_Click();
    void UpDownRulePoint1_UpClick();
    void UpDownRulePoint1_DownClick();
    void UpDownRulePoint2_UpClick();
    void UpDownRulePoint2_DownClick();
    void BtnAddSimRule_Click();
    void BtnRemoveSimRule_Click();

    void BtnMoveHTML_Click(int move);  // 0 add all, 1 add, 2 remove, 3 remove all
    void BtnUpHTML_Click();
    void BtnDownHTML_Click();
    void UpdateComboSortKeyHTML();
    void CheckSortByHTML_Click();
    void BtnChangeFont_Click();
    void PictureFill_Click();
    void ComboFill_Click();
    void ComboFill_LostFocus();
    void TextOutputFileNameExtension_Change();
    void BtnPageProperties_Click();
    void BtnHeaderHTML_Click();

    void BtnMoveText_Click(int move);
    void BtnUpText_Click();
    void BtnDownText_Click();
    void UpdateComboSortKeyText();
    void CheckSortByText_Click();
    // A click in the included list at `pos` (pixels in the list's viewport).
    void ListIncludedText_MouseUp(const QPoint& pos);
    void UpDownWidthText_UpClick();
    void UpDownWidthText_DownClick();
    void BtnHeaderText_Click();

    // The help topic F1 opens on `control` (the selected page's for the dialog,
    // its tab strip and buttons; 0 for the spinners, which have none).
    int HelpTopicOf(QWidget* control) const;
    // The controls as a settings record, and a record into the controls.
    OptionsSettings TakeSettings() const;
    void ShowSettings(const OptionsSettings& settings);
    // The spinner of the width column hides this long after the last click.
    static constexpr int kWidthSpinnerMs = 1400;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void Unloading() override;
    void timerEvent(QTimerEvent* event) override;

private:
    void BuildControls();
    QWidget* BuildScanPage();
    QWidget* BuildFileNamePage();
    QWidget* BuildHtmlPage();
    QWidget* BuildTextPage();
    QWidget* BuildPreferencesPage();
    void InitialiseDialogText();
    void Load();
    void GetScanRules();
    void GetSimRules();
    void GetSkinSchemes();
    void ShowAssociationBoxes(const AssociationBoxes& boxes);
    AssociationBoxes TakeAssociationBoxes() const;
    void RefreshColumnLists(bool html);
    int SelectedRow(QAbstractItemView* view) const;
    void SelectRow(QAbstractItemView* view, int row);
    int SelectedOrderLabel() const;
    void SwapCaptions(int first, int second);
    bool RefuseWhatCannotBeStored(const OptionsSettings& settings);

    ColumnListModel* m_notIncludedHTML = nullptr;
    ColumnListModel* m_includedHTML = nullptr;
    ColumnListModel* m_notIncludedText = nullptr;
    ColumnListModel* m_includedText = nullptr;
    RuleEntriesModel* m_scanRuleEntries = nullptr;
    RuleEntriesModel* m_simRuleEntries = nullptr;
    std::array<bool, 3> m_orderSelected{true, false, false};
    bool m_fileNameFormatTyped = false;
    bool m_tickingSkin = false;
    int m_widthTimer = 0;
    QElapsedTimer m_widthActivity;
};

// Shows the Options dialog on `tab` (1 to 5, or -1) modally and returns when
// it has closed.  Handles its own errors.
void ShowOptionsDialog(int tab);
// Makes the launcher bar and the Tools menu open this dialog.
void RegisterOptionsDialog();
