#include "options/ui/OptionsDialog.h"

#include "coordinator/ui/AdvancedOptionsDialog.h"
#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/Help.h"
#include "foundation/HtmlColours.h"
#include "foundation/MessageUi.h"
#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "options/MainOptions.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/ui/WindowPositions.h"
#include "foundation/ui/HtmlColourBoxes.h"
#include "foundation/ui/QtDialogs.h"
#include "options/ui/CataloguerDialogHooks.h"
#include "options/ui/ControlSettingsUi.h"
#include "options/ui/OptionListModels.h"
#include "shell/SkinScheme.h"
#include "shell/menus/ui/KeyRouter.h"
#include "shell/menus/ui/OptionDialogs.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/PlainControls.h"
#include "shell/ui/Skins.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTabBar>
#include <QToolButton>
#include <QTimerEvent>
#include <QTreeView>
#include <QVBoxLayout>

#include <utility>

namespace {

// The property that gives a control its help topic (-1: the selected page's).
const char* const kTopicProperty = "optionsHelpTopic";
constexpr int kSelectedPageTopic = -1;
// Pixels a window manager's frame may add to a window's width.
constexpr int kWindowFrameRoom = 16;

QToolButton* ArrowButton(QWidget* parent, const QString& name, Qt::ArrowType arrow) {
    auto* button = Named(new QToolButton(parent), name);
    button->setArrowType(arrow);
    button->setAutoRaise(false);
    return button;
}

QComboBox* DropDown(QWidget* parent, const QString& name, const QStringList& entries = {}) {
    auto* combo = Named(new QComboBox(parent), name);
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
    return combo;
}

void SetCheck(QCheckBox* box, int value) {
    box->setCheckState(value == 0 ? Qt::Unchecked : value == 2 ? Qt::PartiallyChecked : Qt::Checked);
}
int CheckValue(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::PartiallyChecked: return 2;
    default: return 1;
    }
}

// Selects the entry whose text equals `text` exactly; none when there is none.
void SelectText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

QString Text(int32_t id) { return GetResourceString(id); }

// A stored sort key that is no longer among the included columns leaves the
// key the sort box chose, so a ticked box never stands without a key.
void SelectStoredKey(QComboBox* keys, const QString& stored) {
    if (stored.isEmpty()) return;
    const int i = keys->findText(stored, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (i >= 0) keys->setCurrentIndex(i);
}

}  // namespace

// ---- building -------------------------------------------------------------------------

DialogOptions::DialogOptions(QWidget* parent) : OptionDialogBase(parent), CommonDialogColour(this, QStringLiteral("CommonDialogColour")) {
    setObjectName(QStringLiteral("DialogOptions"));
    setModal(true);
    BuildControls();
    Load();
}

void DialogOptions::BuildControls() {
    TabStripOptions = Named(new QTabBar(this), QStringLiteral("TabStripOptions"));
    for (int i = 0; i < 5; ++i) TabStripOptions->addTab(QString());
    TabStripOptions->setExpanding(false);
    // Every page's tab in sight where the screen has room: the dialog is as
    // wide as the five captions (FitTabsToScreen); on a narrower screen the
    // tab row scrolls instead of the dialog running past the screen's edge.
    TabStripOptions->setUsesScrollButtons(true);
    TabStripOptions->setElideMode(Qt::ElideNone);
    FramesStack = Named(new QStackedWidget(this), QStringLiteral("FramesStack"));
    FrameOptions = {BuildScanPage(), BuildFileNamePage(), BuildHtmlPage(), BuildTextPage(), BuildPreferencesPage()};
    for (int i = 0; i < 5; ++i) {
        FrameOptions[i]->setObjectName(Indexed("FrameOptions", i));
        FramesStack->addWidget(FrameOptions[i]);
        // Every control of a page answers F1 with the page's topic.
        FrameOptions[i]->setProperty(kTopicProperty, kOptionsPageTopics[i]);
    }
    ComboFill->setProperty(kTopicProperty, kHtmlColoursTopic);
    for (QWidget* spinner : std::initializer_list<QWidget*>{UpDownRulePoint1Up, UpDownRulePoint1Down, UpDownRulePoint2Up,
                                                             UpDownRulePoint2Down, UpDownOrderLeft, UpDownOrderRight,
                                                             UpDownWidthText, UpDownWidthTextUp, UpDownWidthTextDown})
        spinner->setProperty(kTopicProperty, 0);

    OKButton = Named(new QPushButton(this), QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = Named(new QPushButton(this), QStringLiteral("CancelButton"));
    for (QWidget* w : std::initializer_list<QWidget*>{TabStripOptions, OKButton, CancelButton})
        w->setProperty(kTopicProperty, kSelectedPageTopic);
    setProperty(kTopicProperty, kSelectedPageTopic);
    connect(OKButton, &QPushButton::clicked, this, [this] { ResumeNext([&] { OKButton_Click(); }); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { ResumeNext([&] { CancelButton_Click(); }); });
    connect(TabStripOptions, &QTabBar::currentChanged, this, [this] { ResumeNext([&] { TabStripOptions_Click(); }); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TabStripOptions);
    layout->addWidget(FramesStack, 1);
    layout->addLayout(buttons);

    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);
    ListIncludedText->viewport()->installEventFilter(this);
}

QWidget* DialogOptions::BuildScanPage() {
    auto* page = new QWidget(this);
    CheckClearResults = Named(new QCheckBox(page), QStringLiteral("CheckClearResults"));
    CheckIncludeID3v1 = Named(new QCheckBox(page), QStringLiteral("CheckIncludeID3v1"));
    CheckDontIncludeID3v1 = Named(new QCheckBox(page), QStringLiteral("CheckDontIncludeID3v1"));
    CheckIncludeID3v2 = Named(new QCheckBox(page), QStringLiteral("CheckIncludeID3v2"));
    CheckDontIncludeID3v2 = Named(new QCheckBox(page), QStringLiteral("CheckDontIncludeID3v2"));
    for (QCheckBox* box : {CheckIncludeID3v1, CheckDontIncludeID3v1, CheckIncludeID3v2, CheckDontIncludeID3v2})
        connect(box, &QCheckBox::toggled, this, [this, box] { ResumeNext([&] { CheckInclude_Click(box); }); });
    LabelScanFilter = Named(new QLabel(page), QStringLiteral("LabelScanFilter"));
    ComboScanFilter = NewEditableComboBox(page, QStringLiteral("ComboScanFilter"));
    ComboScanFilter->addItems(ScanFilterMasks());
    LabelScanFilter->setBuddy(ComboScanFilter);

    FrameScanRules = Named(new QGroupBox(page), QStringLiteral("FrameScanRules"));
    m_scanRuleEntries = new RuleEntriesModel(this);
    ComboScanRules = DropDown(FrameScanRules, QStringLiteral("ComboScanRules"));
    ComboScanRules->setModel(m_scanRuleEntries);
    ComboScanRuleChoice = DropDown(FrameScanRules, QStringLiteral("ComboScanRuleChoice"), ScanRuleChoices());
    ComboScanRuleScope = DropDown(FrameScanRules, QStringLiteral("ComboScanRuleScope"), ScanRuleScopes());
    TextScanRuleFilter = Named(new QLineEdit(FrameScanRules), QStringLiteral("TextScanRuleFilter"));
    ComboScanRuleTarget = DropDown(FrameScanRules, QStringLiteral("ComboScanRuleTarget"), ScanRuleTargets());
    CheckCaseSensitive = Named(new QCheckBox(FrameScanRules), QStringLiteral("CheckCaseSensitive"));
    BtnAddScanRule = Named(new QPushButton(FrameScanRules), QStringLiteral("BtnAddScanRule"));
    BtnRemoveScanRule = Named(new QPushButton(FrameScanRules), QStringLiteral("BtnRemoveScanRule"));
    connect(ComboScanRules, &QComboBox::currentIndexChanged, this, [this] { ResumeNext([&] { ComboScanRules_Click(); }); });
    connect(ComboScanRuleTarget, &QComboBox::currentIndexChanged, this,
            [this] { ResumeNext([&] { ComboScanRuleTarget_Click(); }); });
    // A target the user picks makes Add Rule the button Enter presses.
    connect(ComboScanRuleTarget, &QComboBox::activated, this, [this] { BtnAddScanRule->setDefault(true); });
    connect(TextScanRuleFilter, &QLineEdit::textChanged, this, [this] { ResumeNext([&] { TextScanRuleFilter_Change(); }); });
    connect(BtnAddScanRule, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnAddScanRule_Click(); }); });
    connect(BtnRemoveScanRule, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnRemoveScanRule_Click(); }); });

    auto* rules = new QGridLayout(FrameScanRules);
    rules->addWidget(ComboScanRules, 0, 0);
    rules->addWidget(ComboScanRuleChoice, 1, 0);
    rules->addWidget(ComboScanRuleScope, 1, 1);
    rules->addWidget(TextScanRuleFilter, 2, 0, 1, 2);
    rules->addWidget(ComboScanRuleTarget, 3, 0);
    rules->addWidget(CheckCaseSensitive, 3, 1);
    auto* ruleButtons = new QHBoxLayout;
    ruleButtons->addStretch(1);
    ruleButtons->addWidget(BtnAddScanRule);
    ruleButtons->addWidget(BtnRemoveScanRule);
    rules->addLayout(ruleButtons, 4, 0, 1, 2);

    auto* filter = new QHBoxLayout;
    filter->addWidget(LabelScanFilter);
    filter->addWidget(ComboScanFilter, 1);
    auto* layout = new QVBoxLayout(page);
    for (QCheckBox* box : {CheckClearResults, CheckIncludeID3v1, CheckDontIncludeID3v1, CheckIncludeID3v2,
                           CheckDontIncludeID3v2})
        layout->addWidget(box);
    layout->addLayout(filter);
    layout->addWidget(FrameScanRules);
    layout->addStretch(1);
    return page;
}

QWidget* DialogOptions::BuildFileNamePage() {
    auto* page = new QWidget(this);
    FrameFileNameFormat = Named(new QGroupBox(page), QStringLiteral("FrameFileNameFormat"));
    ComboFileNameFormat = NewHistoryComboBox(FrameFileNameFormat, QStringLiteral("ComboFileNameFormat"));
    ComboFileNameFormat->addItem(kDefaultFileNameFormat);
    Labelmp3 = Named(new QLabel(QStringLiteral(".mp3"), FrameFileNameFormat), QStringLiteral("Labelmp3"));
    for (int i = 0; i < 5; ++i) LabelLegend[i] = Named(new QLabel(FrameFileNameFormat), Indexed("LabelLegend", i));
    LabelFileNameFormatInfo = Named(new QLabel(FrameFileNameFormat), QStringLiteral("LabelFileNameFormatInfo"));
    LabelFileNameFormatInfo->setWordWrap(true);
    LabelFileNameFormatInfo->setMinimumHeight(LabelFileNameFormatInfo->fontMetrics().lineSpacing() * 3);
    connect(ComboFileNameFormat->lineEdit(), &QLineEdit::textEdited, this, [this] { m_fileNameFormatTyped = true; });
    connect(ComboFileNameFormat, &QComboBox::activated, this, [this] { m_fileNameFormatTyped = false; });
    auto* format = new QGridLayout(FrameFileNameFormat);
    format->addWidget(ComboFileNameFormat, 0, 0, 1, 2);
    format->addWidget(Labelmp3, 0, 2);
    for (int i = 0; i < 5; ++i) format->addWidget(LabelLegend[i], 1 + i % 3, i / 3);
    format->addWidget(LabelFileNameFormatInfo, 4, 0, 1, 3);

    FrameSeparators = Named(new QGroupBox(page), QStringLiteral("FrameSeparators"));
    auto* separators = new QGridLayout(FrameSeparators);
    for (int i = 0; i < 6; ++i) {
        CheckSourceSeparator[i] = Named(new QCheckBox(FrameSeparators), Indexed("CheckSourceSeparator", i));
        separators->addWidget(CheckSourceSeparator[i], i % 2 == 0 ? i / 2 : i / 2, i % 2 == 0 ? 0 : 2);
        connect(CheckSourceSeparator[i], &QCheckBox::stateChanged, this,
                [this] { ResumeNext([&] { CheckSourceSeparator_Click(); }); });
    }
    for (int i = 0; i < 2; ++i) {
        TextSourceSeparator[i] = Named(new QLineEdit(FrameSeparators), Indexed("TextSourceSeparator", i));
        TextSourceSeparator[i]->setMaxLength(1);
        TextSourceSeparator[i]->setFixedWidth(28);
        separators->addWidget(TextSourceSeparator[i], 2, i == 0 ? 1 : 3);
        connect(TextSourceSeparator[i], &QLineEdit::textChanged, this,
                [this, i] { ResumeNext([&] { TextSourceSeparator_Change(i); }); });
    }

    separators->setColumnStretch(4, 1);
    auto* order = new QHBoxLayout;
    for (int k = 0; k < 3; ++k) {
        LabelOrder[k] = Named(new QLabel(page), Indexed("LabelOrder", k + 1));
        LabelOrder[k]->setAutoFillBackground(true);
        LabelOrder[k]->setFrameShape(QFrame::Panel);
        LabelOrder[k]->setFrameShadow(QFrame::Sunken);
        LabelOrder[k]->setAlignment(Qt::AlignCenter);
        LabelOrder[k]->setMinimumWidth(70);
        order->addWidget(LabelOrder[k]);
    }
    UpDownOrderLeft = ArrowButton(page, QStringLiteral("UpDownOrderLeft"), Qt::LeftArrow);
    UpDownOrderRight = ArrowButton(page, QStringLiteral("UpDownOrderRight"), Qt::RightArrow);
    connect(UpDownOrderLeft, &QToolButton::clicked, this, [this] { ResumeNext([&] { UpDownOrder_DownClick(); }); });
    connect(UpDownOrderRight, &QToolButton::clicked, this, [this] { ResumeNext([&] { UpDownOrder_UpClick(); }); });
    auto* orderArrows = new QHBoxLayout;
    orderArrows->addStretch(1);
    orderArrows->addWidget(UpDownOrderLeft);
    orderArrows->addWidget(UpDownOrderRight);
    orderArrows->addStretch(1);

    FrameReliabilityPref = Named(new QGroupBox(page), QStringLiteral("FrameReliabilityPref"));
    OptionFileNamePref = Named(new QRadioButton(FrameReliabilityPref), QStringLiteral("OptionFileNamePref"));
    OptionID3v1TagPref = Named(new QRadioButton(QStringLiteral("ID3v&1 Tag"), FrameReliabilityPref),
                               QStringLiteral("OptionID3v1TagPref"));
    OptionID3v2TagPref = Named(new QRadioButton(QStringLiteral("ID3v&2 Tag"), FrameReliabilityPref),
                               QStringLiteral("OptionID3v2TagPref"));
    OptionFileNamePref->setChecked(true);
    auto* prefs = new QVBoxLayout(FrameReliabilityPref);
    prefs->addWidget(OptionFileNamePref);
    prefs->addWidget(OptionID3v1TagPref);
    prefs->addWidget(OptionID3v2TagPref);
    CheckDoubleBarrel = Named(new QCheckBox(page), QStringLiteral("CheckDoubleBarrel"));
    BtnAdvanced = Named(new QPushButton(page), QStringLiteral("BtnAdvanced"));
    connect(BtnAdvanced, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnAdvanced_Click(); }); });

    FrameSimRule = Named(new QGroupBox(page), QStringLiteral("FrameSimRule"));
    m_simRuleEntries = new RuleEntriesModel(this);
    ComboSimRules = DropDown(FrameSimRule, QStringLiteral("ComboSimRules"));
    ComboSimRules->setModel(m_simRuleEntries);
    ComboSimRuleChoice = DropDown(FrameSimRule, QStringLiteral("ComboSimRuleChoice"), SimRuleChoices());
    ComboSimRuleRange = DropDown(FrameSimRule, QStringLiteral("ComboSimRuleRange"), SimRuleRanges());
    TextRulePoint1 = Named(new QLineEdit(QStringLiteral("1"), FrameSimRule), QStringLiteral("TextRulePoint1"));
    TextRulePoint2 = Named(new QLineEdit(QStringLiteral("1"), FrameSimRule), QStringLiteral("TextRulePoint2"));
    for (QLineEdit* box : {TextRulePoint1, TextRulePoint2}) box->setFixedWidth(48);
    UpDownRulePoint1Up = ArrowButton(FrameSimRule, QStringLiteral("UpDownRulePoint1Up"), Qt::UpArrow);
    UpDownRulePoint1Down = ArrowButton(FrameSimRule, QStringLiteral("UpDownRulePoint1Down"), Qt::DownArrow);
    UpDownRulePoint2Up = ArrowButton(FrameSimRule, QStringLiteral("UpDownRulePoint2Up"), Qt::UpArrow);
    UpDownRulePoint2Down = ArrowButton(FrameSimRule, QStringLiteral("UpDownRulePoint2Down"), Qt::DownArrow);
    LabelAnd = Named(new QLabel(QStringLiteral("&&"), FrameSimRule), QStringLiteral("LabelAnd"));
    LabelAnd->setTextFormat(Qt::PlainText);
    LabelAnd->setText(QStringLiteral("&"));
    ComboSimRulePoint = DropDown(FrameSimRule, QStringLiteral("ComboSimRulePoint"), SimRulePoints());
    BtnAddSimRule = Named(new QPushButton(FrameSimRule), QStringLiteral("BtnAddSimRule"));
    BtnRemoveSimRule = Named(new QPushButton(FrameSimRule), QStringLiteral("BtnRemoveSimRule"));
    TextRulePoint2->setEnabled(false);
    UpDownRulePoint2Up->setEnabled(false);
    UpDownRulePoint2Down->setEnabled(false);
    connect(ComboSimRules, &QComboBox::currentIndexChanged, this, [this] { ResumeNext([&] { ComboSimRules_Click(); }); });
    connect(ComboSimRuleRange, &QComboBox::currentIndexChanged, this,
            [this] { ResumeNext([&] { ComboSimRuleRange_Click(); }); });
    connect(ComboSimRulePoint, &QComboBox::activated, this, [this] { ResumeNext([&] { ComboSimRulePoint_Click(); }); });
    connect(UpDownRulePoint1Up, &QToolButton::clicked, this, [this] { ResumeNext([&] { UpDownRulePoint1_UpClick(); }); });
    connect(UpDownRulePoint1Down, &QToolButton::clicked, this,
            [this] { ResumeNext([&] { UpDownRulePoint1_DownClick(); }); });
    connect(UpDownRulePoint2Up, &QToolButton::clicked, this, [this] { ResumeNext([&] { UpDownRulePoint2_UpClick(); }); });
    connect(UpDownRulePoint2Down, &QToolButton::clicked, this,
            [this] { ResumeNext([&] { UpDownRulePoint2_DownClick(); }); });
    connect(BtnAddSimRule, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnAddSimRule_Click(); }); });
    connect(BtnRemoveSimRule, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnRemoveSimRule_Click(); }); });

    auto spinner = [](QToolButton* up, QToolButton* down) {
        auto* box = new QVBoxLayout;
        box->setSpacing(0);
        up->setFixedSize(18, 11);
        down->setFixedSize(18, 11);
        box->addWidget(up);
        box->addWidget(down);
        return box;
    };
    auto* sim = new QGridLayout(FrameSimRule);
    sim->addWidget(ComboSimRules, 0, 0);
    sim->addWidget(ComboSimRuleChoice, 1, 0);
    sim->addWidget(ComboSimRuleRange, 1, 1);
    auto* points = new QHBoxLayout;
    points->addWidget(TextRulePoint1);
    points->addLayout(spinner(UpDownRulePoint1Up, UpDownRulePoint1Down));
    points->addWidget(LabelAnd);
    points->addWidget(TextRulePoint2);
    points->addLayout(spinner(UpDownRulePoint2Up, UpDownRulePoint2Down));
    points->addWidget(ComboSimRulePoint, 1);
    sim->addLayout(points, 2, 0, 1, 2);
    auto* simButtons = new QHBoxLayout;
    simButtons->addStretch(1);
    simButtons->addWidget(BtnAddSimRule);
    simButtons->addWidget(BtnRemoveSimRule);
    sim->addLayout(simButtons, 3, 0, 1, 2);

    auto* right = new QVBoxLayout;
    right->addLayout(order);
    right->addLayout(orderArrows);
    right->addWidget(FrameReliabilityPref);
    right->addWidget(CheckDoubleBarrel);
    right->addWidget(BtnAdvanced, 0, Qt::AlignRight);
    right->addStretch(1);
    auto* left = new QVBoxLayout;
    left->addWidget(FrameFileNameFormat);
    left->addWidget(FrameSeparators);
    left->addWidget(FrameSimRule);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);
    return page;
}

namespace {

QListView* ColumnList(QWidget* parent, const QString& name) {
    auto* list = Named(new QListView(parent), name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return list;
}

QPushButton* MoveButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setFixedWidth(44);
    return button;
}

}  // namespace

QWidget* DialogOptions::BuildHtmlPage() {
    auto* page = new QWidget(this);
    LabelNotIncludedHTML = Named(new QLabel(page), QStringLiteral("LabelNotIncludedHTML"));
    ListNotIncludedHTML = ColumnList(page, QStringLiteral("ListNotIncludedHTML"));
    LabelIncludedHTML = Named(new QLabel(page), QStringLiteral("LabelIncludedHTML"));
    ListIncludedHTML = ColumnList(page, QStringLiteral("ListIncludedHTML"));
    LabelNotIncludedHTML->setBuddy(ListNotIncludedHTML);
    LabelIncludedHTML->setBuddy(ListIncludedHTML);
    m_notIncludedHTML = new ColumnListModel(&mColumnsHTML, ColumnListModel::Side::NotIncluded, this);
    m_includedHTML = new ColumnListModel(&mColumnsHTML, ColumnListModel::Side::Included, this);
    ListNotIncludedHTML->setModel(m_notIncludedHTML);
    ListIncludedHTML->setModel(m_includedHTML);
    BtnAddAllHTML = MoveButton(page, QStringLiteral("BtnAddAllHTML"), QStringLiteral(">>"));
    BtnAddHTML = MoveButton(page, QStringLiteral("BtnAddHTML"), QStringLiteral("&>"));
    BtnRemoveHTML = MoveButton(page, QStringLiteral("BtnRemoveHTML"), QStringLiteral("&<"));
    BtnRemoveAllHTML = MoveButton(page, QStringLiteral("BtnRemoveAllHTML"), QStringLiteral("<<"));
    QPushButton* moves[] = {BtnAddAllHTML, BtnAddHTML, BtnRemoveHTML, BtnRemoveAllHTML};
    for (int m = 0; m < 4; ++m)
        connect(moves[m], &QPushButton::clicked, this, [this, m] { ResumeNext([&] { BtnMoveHTML_Click(m); }); });
    BtnUpHTML = ArrowButton(page, QStringLiteral("BtnUpHTML"), Qt::UpArrow);
    BtnDownHTML = ArrowButton(page, QStringLiteral("BtnDownHTML"), Qt::DownArrow);
    connect(BtnUpHTML, &QToolButton::clicked, this, [this] { ResumeNext([&] { BtnUpHTML_Click(); }); });
    connect(BtnDownHTML, &QToolButton::clicked, this, [this] { ResumeNext([&] { BtnDownHTML_Click(); }); });

    CheckSortByHTML = Named(new QCheckBox(page), QStringLiteral("CheckSortByHTML"));
    ComboSortKeyHTML = DropDown(page, QStringLiteral("ComboSortKeyHTML"));
    LabelinHTML = Named(new QLabel(page), QStringLiteral("LabelinHTML"));
    ComboOrderHTML = DropDown(page, QStringLiteral("ComboOrderHTML"), SortOrders());
    ComboOrderHTML->setCurrentIndex(0);
    ComboSortKeyHTML->setEnabled(false);
    ComboOrderHTML->setEnabled(false);
    CheckSortByHTML->setEnabled(false);
    connect(CheckSortByHTML, &QCheckBox::toggled, this, [this] { ResumeNext([&] { CheckSortByHTML_Click(); }); });

    LabelListText = Named(new QLabel(page), QStringLiteral("LabelListText"));
    LabelFont = Named(new QLabel(kDefaultListTextFont, page), QStringLiteral("LabelFont"));
    BtnChangeFont = Named(new QPushButton(page), QStringLiteral("BtnChangeFont"));
    LabelFill = Named(new QLabel(page), QStringLiteral("LabelFill"));
    PictureFill = Named(new QLabel(page), QStringLiteral("PictureFill"));
    PictureFill->setFixedSize(36, 20);
    PictureFill->setFrameShape(QFrame::Box);
    PictureFill->setAutoFillBackground(true);
    PictureFill->setCursor(Qt::PointingHandCursor);
    ComboFill = NewEditableComboBox(page, QStringLiteral("ComboFill"));
    LabelFill->setBuddy(ComboFill);
    LabelListText->setBuddy(BtnChangeFont);
    connect(BtnChangeFont, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnChangeFont_Click(); }); });
    connect(ComboFill, &QComboBox::activated, this, [this] { ResumeNext([&] { ComboFill_Click(); }); });

    LabelOutputFileNameExtension = Named(new QLabel(page), QStringLiteral("LabelOutputFileNameExtension"));
    TextOutputFileNameExtension =
        Named(new QLineEdit(QStringLiteral("html"), page), QStringLiteral("TextOutputFileNameExtension"));
    LabelOutputFileNameExtension->setBuddy(TextOutputFileNameExtension);
    connect(TextOutputFileNameExtension, &QLineEdit::textChanged, this,
            [this] { ResumeNext([&] { TextOutputFileNameExtension_Change(); }); });
    BtnPageProperties = Named(new QPushButton(page), QStringLiteral("BtnPageProperties"));
    BtnHeaderHTML = Named(new QPushButton(page), QStringLiteral("BtnHeaderHTML"));
    connect(BtnPageProperties, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnPageProperties_Click(); }); });
    connect(BtnHeaderHTML, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnHeaderHTML_Click(); }); });

    auto* lists = new QGridLayout;
    lists->addWidget(LabelNotIncludedHTML, 0, 0);
    lists->addWidget(ListNotIncludedHTML, 1, 0);
    auto* moveColumn = new QVBoxLayout;
    moveColumn->addStretch(1);
    for (QPushButton* b : moves) moveColumn->addWidget(b);
    moveColumn->addStretch(1);
    lists->addLayout(moveColumn, 1, 1);
    lists->addWidget(LabelIncludedHTML, 0, 2);
    lists->addWidget(ListIncludedHTML, 1, 2);
    auto* upDown = new QHBoxLayout;
    upDown->addStretch(1);
    upDown->addWidget(BtnUpHTML);
    upDown->addWidget(BtnDownHTML);
    upDown->addStretch(1);
    lists->addLayout(upDown, 2, 2);
    auto* sort = new QHBoxLayout;
    sort->addWidget(CheckSortByHTML);
    sort->addWidget(ComboSortKeyHTML, 1);
    sort->addWidget(LabelinHTML);
    sort->addWidget(ComboOrderHTML, 1);
    auto* listText = new QHBoxLayout;
    listText->addWidget(LabelListText);
    listText->addWidget(BtnChangeFont);
    listText->addSpacing(12);
    listText->addWidget(LabelFill);
    listText->addWidget(PictureFill);
    listText->addWidget(ComboFill, 1);
    auto* extension = new QHBoxLayout;
    extension->addWidget(LabelOutputFileNameExtension);
    extension->addWidget(TextOutputFileNameExtension);
    extension->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(BtnPageProperties);
    bottom->addStretch(1);
    bottom->addWidget(BtnHeaderHTML);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(lists, 1);
    layout->addLayout(sort);
    layout->addLayout(listText);
    layout->addWidget(LabelFont);
    layout->addLayout(extension);
    layout->addLayout(bottom);
    return page;
}

QWidget* DialogOptions::BuildTextPage() {
    auto* page = new QWidget(this);
    LabelNotIncludedText = Named(new QLabel(page), QStringLiteral("LabelNotIncludedText"));
    ListNotIncludedText = ColumnList(page, QStringLiteral("ListNotIncludedText"));
    LabelIncludedText = Named(new QLabel(page), QStringLiteral("LabelIncludedText"));
    ListIncludedText = Named(new QTreeView(page), QStringLiteral("ListIncludedText"));
    ListIncludedText->setRootIsDecorated(false);
    ListIncludedText->setItemsExpandable(false);
    ListIncludedText->setSelectionMode(QAbstractItemView::SingleSelection);
    ListIncludedText->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListIncludedText->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LabelNotIncludedText->setBuddy(ListNotIncludedText);
    LabelIncludedText->setBuddy(ListIncludedText);
    m_notIncludedText = new ColumnListModel(&mColumnsText, ColumnListModel::Side::NotIncluded, this);
    m_includedText = new ColumnListModel(&mColumnsText, ColumnListModel::Side::Included, this);
    ListNotIncludedText->setModel(m_notIncludedText);
    ListIncludedText->setModel(m_includedText);
    ListIncludedText->header()->resizeSection(0, 120);

    UpDownWidthText = Named(new QWidget(page), QStringLiteral("UpDownWidthText"));
    UpDownWidthTextUp = ArrowButton(UpDownWidthText, QStringLiteral("UpDownWidthTextUp"), Qt::UpArrow);
    UpDownWidthTextDown = ArrowButton(UpDownWidthText, QStringLiteral("UpDownWidthTextDown"), Qt::DownArrow);
    {
        auto* box = new QVBoxLayout(UpDownWidthText);
        box->setContentsMargins(0, 0, 0, 0);
        box->setSpacing(0);
        UpDownWidthTextUp->setFixedSize(18, 11);
        UpDownWidthTextDown->setFixedSize(18, 11);
        box->addWidget(UpDownWidthTextUp);
        box->addWidget(UpDownWidthTextDown);
        UpDownWidthText->setFixedSize(18, 22);
        UpDownWidthText->hide();
    }
    connect(UpDownWidthTextUp, &QToolButton::clicked, this, [this] { ResumeNext([&] { UpDownWidthText_UpClick(); }); });
    connect(UpDownWidthTextDown, &QToolButton::clicked, this,
            [this] { ResumeNext([&] { UpDownWidthText_DownClick(); }); });

    BtnAddAllText = MoveButton(page, QStringLiteral("BtnAddAllText"), QStringLiteral(">>"));
    BtnAddText = MoveButton(page, QStringLiteral("BtnAddText"), QStringLiteral("&>"));
    BtnRemoveText = MoveButton(page, QStringLiteral("BtnRemoveText"), QStringLiteral("&<"));
    BtnRemoveAllText = MoveButton(page, QStringLiteral("BtnRemoveAllText"), QStringLiteral("<<"));
    QPushButton* moves[] = {BtnAddAllText, BtnAddText, BtnRemoveText, BtnRemoveAllText};
    for (int m = 0; m < 4; ++m)
        connect(moves[m], &QPushButton::clicked, this, [this, m] { ResumeNext([&] { BtnMoveText_Click(m); }); });
    BtnUpText = ArrowButton(page, QStringLiteral("BtnUpText"), Qt::UpArrow);
    BtnDownText = ArrowButton(page, QStringLiteral("BtnDownText"), Qt::DownArrow);
    connect(BtnUpText, &QToolButton::clicked, this, [this] { ResumeNext([&] { BtnUpText_Click(); }); });
    connect(BtnDownText, &QToolButton::clicked, this, [this] { ResumeNext([&] { BtnDownText_Click(); }); });

    CheckSortByText = Named(new QCheckBox(page), QStringLiteral("CheckSortByText"));
    ComboSortKeyText = DropDown(page, QStringLiteral("ComboSortKeyText"));
    LabelinText = Named(new QLabel(page), QStringLiteral("LabelinText"));
    ComboOrderText = DropDown(page, QStringLiteral("ComboOrderText"), SortOrders());
    ComboOrderText->setCurrentIndex(0);
    ComboSortKeyText->setEnabled(false);
    ComboOrderText->setEnabled(false);
    CheckSortByText->setEnabled(false);
    connect(CheckSortByText, &QCheckBox::toggled, this, [this] { ResumeNext([&] { CheckSortByText_Click(); }); });
    BtnHeaderText = Named(new QPushButton(page), QStringLiteral("BtnHeaderText"));
    connect(BtnHeaderText, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnHeaderText_Click(); }); });

    auto* lists = new QGridLayout;
    lists->addWidget(LabelNotIncludedText, 0, 0);
    lists->addWidget(ListNotIncludedText, 1, 0);
    auto* moveColumn = new QVBoxLayout;
    moveColumn->addStretch(1);
    for (QPushButton* b : moves) moveColumn->addWidget(b);
    moveColumn->addStretch(1);
    lists->addLayout(moveColumn, 1, 1);
    lists->addWidget(LabelIncludedText, 0, 2);
    lists->addWidget(ListIncludedText, 1, 2);
    auto* upDown = new QHBoxLayout;
    upDown->addStretch(1);
    upDown->addWidget(BtnUpText);
    upDown->addWidget(BtnDownText);
    upDown->addStretch(1);
    lists->addLayout(upDown, 2, 2);
    auto* sort = new QHBoxLayout;
    sort->addWidget(CheckSortByText);
    sort->addWidget(ComboSortKeyText, 1);
    sort->addWidget(LabelinText);
    sort->addWidget(ComboOrderText, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(BtnHeaderText);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(lists, 1);
    layout->addLayout(sort);
    layout->addLayout(bottom);
    return page;
}

QWidget* DialogOptions::BuildPreferencesPage() {
    auto* page = new QWidget(this);
    CheckDisplayMessageBox = Named(new QCheckBox(page), QStringLiteral("CheckDisplayMessageBox"));
    CheckRecycleBin = Named(new QCheckBox(page), QStringLiteral("CheckRecycleBin"));
    CheckWebHelp = Named(new QCheckBox(page), QStringLiteral("CheckWebHelp"));
    CheckWriteReadOnly = Named(new QCheckBox(page), QStringLiteral("CheckWriteReadOnly"));
    CheckSplashScreen = Named(new QCheckBox(page), QStringLiteral("CheckSplashScreen"));
    CheckRetainWindows = Named(new QCheckBox(page), QStringLiteral("CheckRetainWindows"));
    CheckUseSkins = Named(new QCheckBox(page), QStringLiteral("CheckUseSkins"));
    connect(CheckRecycleBin, &QCheckBox::toggled, this, [this] { ResumeNext([&] { CheckRecycleBin_Click(); }); });
    connect(CheckUseSkins, &QCheckBox::toggled, this, [this] { ResumeNext([&] { CheckUseSkins_Click(); }); });

    LabelSkinScheme = Named(new QLabel(page), QStringLiteral("LabelSkinScheme"));
    ListViewSkinSchemes = Named(new QTreeView(page), QStringLiteral("ListViewSkinSchemes"));
    ListViewSkinSchemes->setRootIsDecorated(false);
    ListViewSkinSchemes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SkinSchemesModel = new QStandardItemModel(0, 1, this);
    SkinSchemesModel->setHorizontalHeaderLabels({QStringLiteral("Skin Scheme")});
    ListViewSkinSchemes->setModel(SkinSchemesModel);
    LabelSkinScheme->setBuddy(ListViewSkinSchemes);
    connect(SkinSchemesModel, &QStandardItemModel::itemChanged, this, [this](QStandardItem* item) {
        if (!m_tickingSkin) ResumeNext([&] { ListViewSkinSchemes_ItemCheck(item->row()); });
    });

    FrameFileAssociations = Named(new QGroupBox(page), QStringLiteral("FrameFileAssociations"));
    CheckScanResultsFiles = Named(new QCheckBox(QStringLiteral("Scan Results Files (*.scn)"), FrameFileAssociations),
                                  QStringLiteral("CheckScanResultsFiles"));
    CheckSimulateResultsFiles =
        Named(new QCheckBox(QStringLiteral("Simulate Results Files (*.sim)"), FrameFileAssociations),
              QStringLiteral("CheckSimulateResultsFiles"));
    CheckM3UPlaylistFiles = Named(new QCheckBox(QStringLiteral("M3U Playlist Files (*.m3u)"), FrameFileAssociations),
                                  QStringLiteral("CheckM3UPlaylistFiles"));
    CheckPLSPlaylistFiles = Named(new QCheckBox(QStringLiteral("PLS Playlist Files (*.pls)"), FrameFileAssociations),
                                  QStringLiteral("CheckPLSPlaylistFiles"));
    ShowAssociationBoxes(kAssociationBoxesDesign);
    auto* associations = new QVBoxLayout(FrameFileAssociations);
    for (QCheckBox* box : {CheckScanResultsFiles, CheckSimulateResultsFiles, CheckM3UPlaylistFiles, CheckPLSPlaylistFiles})
        associations->addWidget(box);

    auto* left = new QVBoxLayout;
    for (QCheckBox* box : {CheckDisplayMessageBox, CheckRecycleBin, CheckWebHelp, CheckWriteReadOnly, CheckSplashScreen,
                           CheckRetainWindows, CheckUseSkins})
        left->addWidget(box);
    left->addWidget(FrameFileAssociations);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(LabelSkinScheme);
    right->addWidget(ListViewSkinSchemes, 1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);
    return page;
}

void DialogOptions::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        namespace O = TextId::Options;
        setWindowTitle(Text(O::Caption));
        const int32_t tabs[5] = {TextId::Launcher::OptionsScanningCentre, TextId::Launcher::OptionsCoordinator,
                                 TextId::Launcher::OptionsCataloguerHTML, TextId::Launcher::OptionsCataloguerText,
                                 TextId::Launcher::OptionsPreferences};
        for (int i = 0; i < 5; ++i) TabStripOptions->setTabText(i, Text(tabs[i]));
        auto caption = [](auto* control, int32_t text, int32_t tip) {
            control->setText(Text(text));
            if (tip) control->setToolTip(Text(tip));
        };
        auto tip = [](QWidget* control, int32_t text) { control->setToolTip(Text(text)); };

        // Preferences
        caption(CheckDisplayMessageBox, O::DisplayMessageBox, O::DisplayMessageBoxTip);
        caption(CheckRecycleBin, O::SendDeletedFilesRecycleBin, O::RecycleBinTip);
        caption(CheckWebHelp, O::UseWebHelp, O::UseWebHelpTip);
        caption(CheckWriteReadOnly, O::WriteReadOnly, O::WriteReadOnlyTip);
        caption(CheckSplashScreen, O::ShowSplashScreen, O::ShowSplashScreenTip);
        caption(CheckRetainWindows, O::RetainWindowStates, O::RetainWindowStatesTip);
        caption(CheckUseSkins, O::UseSkins, O::UseSkinsTip);
        caption(LabelSkinScheme, O::SkinScheme, O::SkinSchemeTip);
        tip(ListViewSkinSchemes, O::SkinSchemeTip);
        FrameFileAssociations->setTitle(Text(O::FileAssociations));
        tip(CheckScanResultsFiles, O::AssociateScnTip);
        tip(CheckSimulateResultsFiles, O::AssociateSimTip);
        tip(CheckM3UPlaylistFiles, O::AssociateM3uTip);
        tip(CheckPLSPlaylistFiles, O::AssociatePlsTip);

        // Scanning centre
        caption(CheckClearResults, O::ClearResultsBeforeScan, O::ClearResultsTip);
        caption(CheckIncludeID3v1, O::IncludeFilesWithID3v1, O::IncludeFilesWithID3v1Tip);
        caption(CheckDontIncludeID3v1, O::IncludeFilesWithoutID3v1, O::IncludeFilesWithoutID3v1Tip);
        caption(CheckIncludeID3v2, O::IncludeFilesWithID3v2, O::IncludeFilesWithID3v2Tip);
        caption(CheckDontIncludeID3v2, O::IncludeFilesWithoutID3v2, O::IncludeFilesWithoutID3v2Tip);
        caption(LabelScanFilter, O::ScanFilter, O::ScanFilterTip);
        tip(ComboScanFilter, O::ScanFilterTip);
        FrameScanRules->setTitle(Text(O::ScanRules));
        tip(FrameScanRules, O::ScanRulesTip);
        tip(ComboScanRules, O::ScanRuleListTip);
        tip(ComboScanRuleChoice, O::ScanRuleChoiceTip);
        tip(ComboScanRuleScope, O::ScanRuleScopeTip);
        tip(TextScanRuleFilter, O::ScanRuleFilterTip);
        tip(ComboScanRuleTarget, O::ScanRuleTargetTip);
        caption(CheckCaseSensitive, O::CaseSensitive, O::ScanRuleCaseSensitiveTip);
        caption(BtnAddScanRule, O::AddRule, O::AddScanRuleTip);
        caption(BtnRemoveScanRule, O::RemoveRule, O::RemoveScanRuleTip);

        // File name and tag coordinator
        FrameFileNameFormat->setTitle(Text(O::FileNameFormat));
        tip(FrameFileNameFormat, O::FileNameFormatTip);
        tip(ComboFileNameFormat, O::FileNameFormatTip);
        const int32_t legends[5] = {O::KeyAlbum, O::KeyArtist, O::KeyTitle, O::KeyTrackOneDigit, O::KeyTrackTwoDigits};
        for (int i = 0; i < 5; ++i) LabelLegend[i]->setText(Text(legends[i]));
        caption(LabelFileNameFormatInfo, O::ColonsNote, O::FileNameFormatExample);
        FrameSeparators->setTitle(Text(O::Separators));
        const int32_t separators[6][2] = {{O::Hyphen, O::HyphenSeparatorTip},     {O::Tilde, O::TildeSeparatorTip},
                                          {O::SemiColon, O::SemiColonSeparatorTip}, {O::Comma, O::CommaSeparatorTip},
                                          {O::Other, O::OtherSeparatorTip},       {O::Other, O::OtherSeparatorTip}};
        for (int i = 0; i < 6; ++i) caption(CheckSourceSeparator[i], separators[i][0], separators[i][1]);
        for (QLineEdit* box : TextSourceSeparator) tip(box, O::OtherSeparatorTextTip);
        const int32_t orderTips[3] = {O::OrderFirstTip, O::OrderSecondTip, O::OrderThirdTip};
        for (int k = 0; k < 3; ++k) tip(LabelOrder[k], orderTips[k]);
        tip(UpDownOrderLeft, O::OrderTip);
        tip(UpDownOrderRight, O::OrderTip);
        FrameReliabilityPref->setTitle(Text(O::ReliabilityPreference));
        caption(OptionFileNamePref, O::FileName, O::PreferFileNameTip);
        tip(OptionID3v1TagPref, O::PreferID3v1TagTip);
        tip(OptionID3v2TagPref, O::PreferID3v2TagTip);
        caption(CheckDoubleBarrel, O::DetectDoubleBarrelWords, O::DoubleBarrelTip);
        BtnAdvanced->setText(Text(O::Advanced));
        FrameSimRule->setTitle(Text(O::SimulateRules));
        tip(FrameSimRule, O::SimulateRulesTip);
        tip(ComboSimRules, O::SimulateRuleListTip);
        tip(ComboSimRuleChoice, O::SimulateRuleChoiceTip);
        tip(ComboSimRuleRange, O::SimulateRuleScopeTip);
        for (QWidget* w : std::initializer_list<QWidget*>{TextRulePoint1, UpDownRulePoint1Up, UpDownRulePoint1Down})
            tip(w, O::SimulateRuleStartTip);
        for (QWidget* w : std::initializer_list<QWidget*>{TextRulePoint2, UpDownRulePoint2Up, UpDownRulePoint2Down})
            tip(w, O::SimulateRuleEndTip);
        tip(ComboSimRulePoint, O::SimulateRulePointTip);
        caption(BtnAddSimRule, O::AddRule, O::AddSimulateRuleTip);
        caption(BtnRemoveSimRule, O::RemoveRule, O::RemoveSimulateRuleTip);

        // The two catalogue pages
        caption(LabelNotIncludedHTML, O::NotIncluded, O::HTMLAvailableColumnsTip);
        tip(ListNotIncludedHTML, O::HTMLAvailableColumnsTip);
        caption(LabelIncludedHTML, O::Included, O::HTMLIncludedColumnsTip);
        tip(ListIncludedHTML, O::HTMLIncludedColumnsTip);
        caption(LabelNotIncludedText, O::NotIncluded, O::TextAvailableColumnsTip);
        tip(ListNotIncludedText, O::TextAvailableColumnsTip);
        caption(LabelIncludedText, O::Included, O::TextIncludedColumnsTip);
        tip(ListIncludedText, O::TextIncludedColumnsTip);
        for (QToolButton* up : {BtnUpHTML, BtnUpText}) tip(up, O::MoveColumnUpTip);
        for (QToolButton* down : {BtnDownHTML, BtnDownText}) tip(down, O::MoveColumnDownTip);
        for (QCheckBox* box : {CheckSortByHTML, CheckSortByText}) caption(box, O::SortBy, O::SortByTip);
        for (QComboBox* box : {ComboSortKeyHTML, ComboSortKeyText}) tip(box, O::SortKeyTip);
        for (QLabel* label : {LabelinHTML, LabelinText}) label->setText(Text(O::In));
        for (QComboBox* box : {ComboOrderHTML, ComboOrderText}) tip(box, O::SortOrderTip);
        LabelListText->setText(Text(O::ListText));
        caption(BtnChangeFont, O::ChangeFont, O::ChangeFontTip);
        LabelFill->setText(Text(O::Fill));
        tip(PictureFill, TextId::CoordinatorAdv::OpenColorDialogTip);
        tip(ComboFill, O::HTMLColorsTip);
        caption(LabelOutputFileNameExtension, O::OutputFileNameExtension, O::OutputExtensionTip);
        tip(TextOutputFileNameExtension, O::OutputExtensionTip);
        BtnPageProperties->setText(Text(O::PageProperties));
        BtnHeaderHTML->setText(Text(O::HeaderOptions));
        BtnHeaderText->setText(Text(O::HeaderOptions));

        OKButton->setText(Text(TextId::Common::OK));
        CancelButton->setText(Text(TextId::Common::Cancel));
    });
}

// ---- loading --------------------------------------------------------------------------

void DialogOptions::Load() {
    ResumeNext([&] { InitialiseDialogText(); });
    ResumeNext([&] { FitTabsToScreen(); });
    ResumeNext([&] { ReadWindowPos(this); });
    CommonDialogColour.Flags = 2;
    ResumeNext([&] { HTMLColoursIntoComboBox(ComboFill); });
    ComboFill->setEditText(QString());
    ResumeNext([&] {
        AssociationBoxes boxes = TakeAssociationBoxes();
        mFindings = GetFileAssociations(boxes);
        ShowAssociationBoxes(boxes);
    });
    ResumeNext([&] { GetScanRules(); });
    ResumeNext([&] { GetSimRules(); });
    ResumeNext([&] { GetSkinSchemes(); });
    ResumeNext([&] {
        OptionsSettings settings = TakeSettings();
        ReadThenShow([&] { settings.Read(); }, [&] { ShowSettings(settings); });
    });
    mstrSkinScheme = Options().Preferences.strSkinScheme;
    m_fileNameFormatTyped = false;
    for (int k = 0; k < 3; ++k) m_orderSelected[k] = k == 0;
    LabelOrder_Click(0);
}

void DialogOptions::FitTabsToScreen() {
    const QMargins margins = layout()->contentsMargins();
    const int tabs = TabStripOptions->sizeHint().width() + margins.left() + margins.right();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() - kWindowFrameRoom : tabs;
    setMinimumWidth(std::min(tabs, room));
}

void DialogOptions::GetScanRules() {
    WithTrail(QStringLiteral("GetScanRules"), [&] {
        mudtScanRules = Options().ScanningCentre.udtScanRules;
        if (mudtScanRules.empty()) mudtScanRules.resize(1);
        m_scanRuleEntries->SetCount(RuleCount(mudtScanRules));
        if (m_scanRuleEntries->Count() > 0) {
            ComboScanRules->setCurrentIndex(0);
            ComboScanRules_Click();
        }
    });
}

void DialogOptions::GetSimRules() {
    WithTrail(QStringLiteral("GetSimRules"), [&] {
        mudtSimulateRules = Options().Coordinator.udtSimulateRules;
        if (mudtSimulateRules.empty()) mudtSimulateRules.resize(1);
        m_simRuleEntries->SetCount(RuleCount(mudtSimulateRules));
        if (m_simRuleEntries->Count() > 0) {
            ComboSimRules->setCurrentIndex(0);
            ComboSimRules_Click();
        }
    });
}

void DialogOptions::GetSkinSchemes() {
    WithTrail(QStringLiteral("GetSkinSchemes"), [&] {
        m_tickingSkin = true;
        SkinSchemesModel->removeRows(0, SkinSchemesModel->rowCount());
        for (const QString& scheme : AvailableSkinSchemes()) {
            auto* item = new QStandardItem(scheme);
            item->setCheckable(true);
            item->setCheckState(Qt::Unchecked);
            item->setEditable(false);
            SkinSchemesModel->appendRow(item);
        }
        m_tickingSkin = false;
    });
}

void DialogOptions::ShowAssociationBoxes(const AssociationBoxes& boxes) {
    QCheckBox* controls[] = {CheckScanResultsFiles, CheckSimulateResultsFiles, CheckM3UPlaylistFiles, CheckPLSPlaylistFiles};
    for (int i = 0; i < AssociatedTypeCount; ++i) controls[i]->setCheckState(boxes[i]);
}

AssociationBoxes DialogOptions::TakeAssociationBoxes() const {
    const QCheckBox* controls[] = {CheckScanResultsFiles, CheckSimulateResultsFiles, CheckM3UPlaylistFiles,
                                   CheckPLSPlaylistFiles};
    AssociationBoxes boxes{};
    for (int i = 0; i < AssociatedTypeCount; ++i) boxes[i] = controls[i]->checkState();
    return boxes;
}

// ---- settings -------------------------------------------------------------------------

OptionsSettings DialogOptions::TakeSettings() const {
    OptionsSettings s;
    s.CheckDisplayMessageBox = CheckValue(CheckDisplayMessageBox);
    s.CheckRecycleBin = CheckValue(CheckRecycleBin);
    s.CheckWebHelp = CheckValue(CheckWebHelp);
    s.CheckWriteReadOnly = CheckValue(CheckWriteReadOnly);
    s.CheckSplashScreen = CheckValue(CheckSplashScreen);
    s.CheckRetainWindows = CheckValue(CheckRetainWindows);
    s.CheckUseSkins = CheckValue(CheckUseSkins);
    // The last ticked scheme; none ticked leaves the stored one alone.
    s.SkinScheme.clear();
    for (int r = 0; r < SkinSchemesModel->rowCount(); ++r)
        if (SkinSchemesModel->item(r)->checkState() == Qt::Checked) s.SkinScheme = SkinSchemesModel->item(r)->text();

    s.CheckClearResults = CheckValue(CheckClearResults);
    s.CheckIncludeID3v1 = CheckValue(CheckIncludeID3v1);
    s.CheckDontIncludeID3v1 = CheckValue(CheckDontIncludeID3v1);
    s.CheckIncludeID3v2 = CheckValue(CheckIncludeID3v2);
    s.CheckDontIncludeID3v2 = CheckValue(CheckDontIncludeID3v2);
    s.ComboScanFilter = ComboScanFilter->currentText();

    s.ComboFileNameFormat.List.clear();
    for (int i = 0; i < ComboFileNameFormat->count(); ++i) s.ComboFileNameFormat.List << ComboFileNameFormat->itemText(i);
    s.ComboFileNameFormat.Text = ComboFileNameFormat->currentText();
    s.FileNameFormatTyped = m_fileNameFormatTyped;

    for (int i = 0; i < 6; ++i) s.CheckSourceSeparator[i] = CheckValue(CheckSourceSeparator[i]);
    for (int i = 0; i < 2; ++i) s.TextSourceSeparator[i] = TextSourceSeparator[i]->text();
    for (int k = 0; k < 3; ++k) s.LabelOrder[k] = LabelOrder[k]->text();
    s.OptionID3v1TagPref = OptionID3v1TagPref->isChecked();
    s.OptionID3v2TagPref = OptionID3v2TagPref->isChecked();
    s.CheckDoubleBarrel = CheckValue(CheckDoubleBarrel);

    s.ListIncludedHTML.clear();
    for (const IncludedColumn& column : mColumnsHTML.Included()) s.ListIncludedHTML << column.name;
    s.CheckSortByHTML = CheckValue(CheckSortByHTML);
    s.ComboSortKeyHTML = ComboSortKeyHTML->currentIndex() >= 0 ? ComboSortKeyHTML->currentText() : QString();
    s.ComboOrderHTML = ComboOrderHTML->currentIndex();
    s.LabelFont = LabelFont->text();
    s.ComboFill = ComboFill->currentText();
    s.TextOutputFileNameExtension = TextOutputFileNameExtension->text();

    s.ListIncludedText = mColumnsText.Included();
    s.CheckSortByText = CheckValue(CheckSortByText);
    s.ComboSortKeyText = ComboSortKeyText->currentIndex() >= 0 ? ComboSortKeyText->currentText() : QString();
    s.ComboOrderText = ComboOrderText->currentIndex();
    return s;
}

void DialogOptions::ShowSettings(const OptionsSettings& s) {
    SetCheck(CheckDisplayMessageBox, s.CheckDisplayMessageBox);
    SetCheck(CheckRecycleBin, s.CheckRecycleBin);
    SetCheck(CheckWebHelp, s.CheckWebHelp);
    SetCheck(CheckWriteReadOnly, s.CheckWriteReadOnly);
    SetCheck(CheckSplashScreen, s.CheckSplashScreen);
    SetCheck(CheckRetainWindows, s.CheckRetainWindows);
    SetCheck(CheckUseSkins, s.CheckUseSkins);
    // The first scheme is ticked unless one is named exactly as stored.
    m_tickingSkin = true;
    for (int r = 0; r < SkinSchemesModel->rowCount(); ++r) SkinSchemesModel->item(r)->setCheckState(Qt::Unchecked);
    if (SkinSchemesModel->rowCount() > 0) {
        int ticked = 0;
        for (int r = 0; r < SkinSchemesModel->rowCount(); ++r)
            if (SkinSchemesModel->item(r)->text() == s.SkinScheme) {
                ticked = r;
                break;
            }
        SkinSchemesModel->item(ticked)->setCheckState(Qt::Checked);
    }
    m_tickingSkin = false;

    SetCheck(CheckClearResults, s.CheckClearResults);
    SetCheck(CheckIncludeID3v1, s.CheckIncludeID3v1);
    SetCheck(CheckDontIncludeID3v1, s.CheckDontIncludeID3v1);
    SetCheck(CheckIncludeID3v2, s.CheckIncludeID3v2);
    SetCheck(CheckDontIncludeID3v2, s.CheckDontIncludeID3v2);
    ComboScanFilter->setEditText(s.ComboScanFilter);

    ComboFileNameFormat->clear();
    ComboFileNameFormat->addItems(s.ComboFileNameFormat.List);
    ComboFileNameFormat->setEditText(s.ComboFileNameFormat.Text);
    m_fileNameFormatTyped = s.FileNameFormatTyped;

    for (int i = 0; i < 6; ++i) SetCheck(CheckSourceSeparator[i], s.CheckSourceSeparator[i]);
    CheckSourceSeparator_Click();
    for (int i = 0; i < 2; ++i) TextSourceSeparator[i]->setText(s.TextSourceSeparator[i]);
    for (int k = 0; k < 3; ++k) LabelOrder[k]->setText(s.LabelOrder[k]);
    if (s.OptionID3v1TagPref) OptionID3v1TagPref->setChecked(true);
    if (s.OptionID3v2TagPref) OptionID3v2TagPref->setChecked(true);
    SetCheck(CheckDoubleBarrel, s.CheckDoubleBarrel);

    mColumnsHTML.Reset();
    for (const QString& name : s.ListIncludedHTML) mColumnsHTML.Restore(name);
    RefreshColumnLists(true);
    UpdateComboSortKeyHTML();
    SetCheck(CheckSortByHTML, s.CheckSortByHTML);
    SelectStoredKey(ComboSortKeyHTML, s.ComboSortKeyHTML);
    ComboOrderHTML->setCurrentIndex(s.ComboOrderHTML);
    LabelFont->setText(s.LabelFont);
    ComboFill->setEditText(s.ComboFill);
    ComboFill_LostFocus();
    TextOutputFileNameExtension->setText(s.TextOutputFileNameExtension);

    mColumnsText.Reset();
    for (const IncludedColumn& column : s.ListIncludedText) mColumnsText.Restore(column.name, column.width);
    RefreshColumnLists(false);
    UpdateComboSortKeyText();
    SetCheck(CheckSortByText, s.CheckSortByText);
    SelectStoredKey(ComboSortKeyText, s.ComboSortKeyText);
    ComboOrderText->setCurrentIndex(s.ComboOrderText);
}

// ---- the whole dialog -----------------------------------------------------------------

void DialogOptions::SelectTab(int tab) {
    if (tab < 1 || tab > 5) return;
    if (TabStripOptions->currentIndex() == tab - 1)
        TabStripOptions_Click();
    else
        TabStripOptions->setCurrentIndex(tab - 1);
}

void DialogOptions::TabStripOptions_Click() {
    const int index = TabStripOptions->currentIndex();
    for (QWidget* frame : FrameOptions) frame->setEnabled(false);
    if (index < 0) return;
    FramesStack->setCurrentIndex(index);
    FrameOptions[index]->setEnabled(true);
}

bool DialogOptions::RefuseWhatCannotBeStored(const OptionsSettings& settings) {
    const auto problem = CheckOptionsForStore(settings, mudtScanRules, mudtSimulateRules);
    if (!problem) return false;
    using K = OptionsProblem::Kind;
    namespace O = TextId::Options;
    SelectTab(problem->page + 1);
    switch (problem->kind) {
    case K::TooManyScanRules:
    case K::TooManySimulateRules:
        MsgBox(Text(O::TooManyRulesText), Mb::OKOnly | Mb::Exclamation, Text(O::TooManyRules));
        break;
    case K::RulePointOutOfRange:
        ComboSimRules->setCurrentIndex(problem->row);
        MsgBox(Text(O::RulePointOutOfRangeText), Mb::OKOnly | Mb::Exclamation, Text(O::NumberOutOfRange));
        break;
    case K::ColumnWidthOutOfRange:
        SelectRow(ListIncludedText, problem->row);
        MsgBox(Text(O::ColumnWidthFrom) + QString::number(problem->maximum) + Text(O::ColumnWidthOfColumn) +
                   problem->column + QLatin1Char('.'),
               Mb::OKOnly | Mb::Exclamation, Text(O::NumberOutOfRange));
        break;
    }
    return true;
}

void DialogOptions::OKButton_Click() {
    // An "other" separator without its character looks for nothing.
    for (int i = 0; i < 2; ++i)
        if (TextSourceSeparator[i]->text().isEmpty()) CheckSourceSeparator[4 + i]->setChecked(false);
    // The fill box may still hold a text that was never checked (it kept the
    // focus up to OK): nothing is stored until it is a colour.
    if (!IsColourBoxText(ComboFill->currentText())) {
        SelectTab(3);
        ComboFill_LostFocus();
        ComboFill->setFocus();
        return;
    }
    const OptionsSettings settings = TakeSettings();
    // Nothing the option readers would refuse is stored: the dialog stays open.
    if (RefuseWhatCannotBeStored(settings)) return;
    ResumeNext([&] { SetFileAssociations(mFindings, TakeAssociationBoxes()); });
    Options().ScanningCentre.udtScanRules = mudtScanRules;
    Options().Coordinator.udtSimulateRules = mudtSimulateRules;
    ResumeNext([&] { settings.Write(mudtScanRules, mudtSimulateRules); });
    ResumeNext([&] { GetMainOptions(); });
    hide();
    if (Options().Preferences.strSkinScheme.compare(mstrSkinScheme, Qt::CaseInsensitive) != 0)
        ResumeNext([&] { SkinForms(); });
    Unload();
    accept();
}

void DialogOptions::Unloading() {
    if (m_widthTimer) killTimer(m_widthTimer);
    m_widthTimer = 0;
}

void DialogOptions::CheckRecycleBin_Click() {
    if (!CheckRecycleBin->isChecked() || Options().Preferences.blnUseRecycleBin) return;
    namespace O = TextId::Options;
    if (MsgBox(Text(O::UseRecycleBinNote), Mb::YesNo | Mb::Exclamation, Text(O::UseRecycleBin)) == Mb::No)
        CheckRecycleBin->setChecked(false);
}

void DialogOptions::CheckUseSkins_Click() {
    if (CheckUseSkins->isChecked() == Options().Preferences.blnUseSkins) return;
    namespace O = TextId::Options;
    MsgBox(Text(O::UseSkinsRestartNote), Mb::OKOnly | Mb::Information, Text(O::UseSkinsTitle));
}

void DialogOptions::ListViewSkinSchemes_ItemCheck(int row) {
    m_tickingSkin = true;
    for (int r = 0; r < SkinSchemesModel->rowCount(); ++r)
        SkinSchemesModel->item(r)->setCheckState(r == row ? Qt::Checked : Qt::Unchecked);
    m_tickingSkin = false;
}

// ---- page 1: scanning centre ----------------------------------------------------------

void DialogOptions::CheckInclude_Click(QCheckBox* clicked) {
    for (QCheckBox* box : {CheckIncludeID3v1, CheckDontIncludeID3v1, CheckIncludeID3v2, CheckDontIncludeID3v2})
        if (box->isChecked()) return;
    clicked->setChecked(true);
}

void DialogOptions::ComboScanRules_Click() {
    const int k = ComboScanRules->currentIndex();
    if (k < 0 || k >= RuleCount(mudtScanRules)) return;
    const ScanRule& rule = mudtScanRules[static_cast<size_t>(k)];
    SelectText(ComboScanRuleChoice, rule.Choice);
    SelectText(ComboScanRuleScope, rule.Scope);
    // The target goes in before the filter: the filter box checks its text
    // against the target shown, and the previous rule's year target would
    // strip the letters of this rule's filter.
    {
        const QSignalBlocker quiet(ComboScanRuleTarget);
        SelectText(ComboScanRuleTarget, rule.Target);
    }
    TextScanRuleFilter->setMaxLength(32767);
    TextScanRuleFilter->setText(rule.Filter);
    ComboScanRuleTarget_Click();
    CheckCaseSensitive->setChecked(rule.CaseSensitive);
}

void DialogOptions::ComboScanRuleTarget_Click() {
    const QString target = ComboScanRuleTarget->currentText();
    if (ScanTargetIsYear(target)) TextScanRuleFilter_Change();
    const int limit = ScanFilterLengthLimit(target);
    TextScanRuleFilter->setMaxLength(limit > 0 ? limit : 32767);
}

void DialogOptions::TextScanRuleFilter_Change() {
    if (ScanTargetIsYear(ComboScanRuleTarget->currentText()))
        EnsureNumericTextBox(TextScanRuleFilter, true, false, false);
}

void DialogOptions::BtnAddScanRule_Click() {
    ScanRule rule;
    rule.Choice = ComboScanRuleChoice->currentText();
    rule.Scope = ComboScanRuleScope->currentText();
    rule.Filter = TextScanRuleFilter->text();
    rule.Target = ComboScanRuleTarget->currentText();
    rule.CaseSensitive = CheckCaseSensitive->isChecked();
    namespace O = TextId::Options;
    if (!ScanRuleComplete(rule)) {
        MsgBox(Text(O::AllFieldsNotSpecifiedText), Mb::OKOnly | Mb::Exclamation, Text(O::AllFieldsNotSpecified));
        return;
    }
    if (!AppendRule(mudtScanRules, rule)) {
        MsgBox(Text(O::TooManyRulesText), Mb::OKOnly | Mb::Exclamation, Text(O::TooManyRules));
        return;
    }
    m_scanRuleEntries->SetCount(RuleCount(mudtScanRules));
    ComboScanRules->setCurrentIndex(m_scanRuleEntries->Count() - 1);
}

void DialogOptions::BtnRemoveScanRule_Click() {
    const int count = m_scanRuleEntries->Count();
    if (count == 0) return;
    const int k = ComboScanRules->currentIndex();
    RemoveRuleAt(mudtScanRules, k);
    const QSignalBlocker quiet(ComboScanRules);
    m_scanRuleEntries->SetCount(RuleCount(mudtScanRules));
    if (m_scanRuleEntries->Count() > 0) {
        if (ComboScanRules->currentIndex() < 0 || ComboScanRules->currentIndex() >= m_scanRuleEntries->Count())
            ComboScanRules->setCurrentIndex(m_scanRuleEntries->Count() - 1);
        ComboScanRules_Click();
    } else {
        ComboScanRules->setCurrentIndex(-1);
        ComboScanRuleChoice->setCurrentIndex(-1);
        ComboScanRuleScope->setCurrentIndex(-1);
        ComboScanRuleTarget->setCurrentIndex(-1);
        TextScanRuleFilter->clear();
    }
}

// ---- page 2: file name and tag coordinator --------------------------------------------

void DialogOptions::ComboFileNameFormat_LostFocus() {
    const QString text = ComboFileNameFormat->currentText();
    const QString corrected = CorrectedFileNameFormat(text);
    if (corrected != text) ComboFileNameFormat->setEditText(corrected);
}

void DialogOptions::CheckSourceSeparator_Click() { CheckDoubleBarrel->setEnabled(CheckSourceSeparator[0]->isChecked()); }

void DialogOptions::TextSourceSeparator_Change(int index) {
    CheckSourceSeparator[4 + index]->setChecked(!TextSourceSeparator[index]->text().isEmpty());
}

void DialogOptions::LabelOrder_Click(int index) {
    for (int k = 0; k < 3; ++k) {
        m_orderSelected[k] = k == index;
        QPalette palette = LabelOrder[k]->palette();
        palette.setColor(QPalette::Window, k == index ? this->palette().color(QPalette::Button)
                                                      : this->palette().color(QPalette::Base));
        LabelOrder[k]->setPalette(palette);
    }
}

int DialogOptions::SelectedOrderLabel() const {
    for (int k = 0; k < 3; ++k)
        if (m_orderSelected[k]) return k;
    return -1;
}

void DialogOptions::SwapCaptions(int first, int second) {
    WithTrail(CallSite(QStringLiteral("SwapCaptions"), LabelOrder[first]->objectName(), LabelOrder[second]->objectName()),
              [&] {
                  const QString caption = LabelOrder[first]->text();
                  LabelOrder[first]->setText(LabelOrder[second]->text());
                  LabelOrder[second]->setText(caption);
                  LabelOrder_Click(second);
              });
}

void DialogOptions::UpDownOrder_UpClick() {
    const int k = SelectedOrderLabel();
    if (k >= 0) SwapCaptions(k, (k + 1) % 3);
}

void DialogOptions::UpDownOrder_DownClick() {
    const int k = SelectedOrderLabel();
    if (k >= 0) SwapCaptions(k, (k + 2) % 3);
}

void DialogOptions::BtnAdvanced_Click() { ShowFileNameTagCoordAdvOptions(this); }

void DialogOptions::ComboSimRules_Click() {
    const int k = ComboSimRules->currentIndex();
    if (k < 0 || k >= RuleCount(mudtSimulateRules)) return;
    const SimulateRule& rule = mudtSimulateRules[static_cast<size_t>(k)];
    SelectText(ComboSimRuleChoice, rule.Choice);
    SelectText(ComboSimRuleRange, rule.Range);
    SelectText(ComboSimRulePoint, rule.Point);
    TextRulePoint1->setText(QString::number(rule.Point1));
    TextRulePoint2->setText(QString::number(rule.Point2));
}

void DialogOptions::ComboSimRuleRange_Click() {
    const bool second = SimRangeHasSecondPoint(ComboSimRuleRange->currentText());
    TextRulePoint2->setEnabled(second);
    UpDownRulePoint2Up->setEnabled(second);
    UpDownRulePoint2Down->setEnabled(second);
    if (second && LenientNumber(TextRulePoint1->text()) > LenientNumber(TextRulePoint2->text()))
        TextRulePoint2->setText(TextRulePoint1->text());
}

void DialogOptions::ComboSimRulePoint_Click() { BtnAddSimRule->setDefault(true); }

void DialogOptions::UpDownRulePoint1_UpClick() {
    const int limit = TextRulePoint2->isEnabled() ? static_cast<int>(LenientNumber(TextRulePoint2->text())) : 256;
    IncDecTextBox(TextRulePoint1, 1, limit, 1);
}

void DialogOptions::UpDownRulePoint1_DownClick() { IncDecTextBox(TextRulePoint1, -1, 1, 1); }

void DialogOptions::UpDownRulePoint2_UpClick() { IncDecTextBox(TextRulePoint2, 1, 256, 1); }

void DialogOptions::UpDownRulePoint2_DownClick() {
    IncDecTextBox(TextRulePoint2, -1, RulePointNumber(TextRulePoint1->text()).value_or(1), 1);
}

void DialogOptions::BtnAddSimRule_Click() {
    SimulateRule rule;
    rule.Choice = ComboSimRuleChoice->currentText();
    rule.Range = ComboSimRuleRange->currentText();
    rule.Point = ComboSimRulePoint->currentText();
    namespace O = TextId::Options;
    if (!SimRuleComplete(rule)) {
        MsgBox(Text(O::AllFieldsNotSpecifiedText), Mb::OKOnly | Mb::Exclamation, Text(O::AllFieldsNotSpecified));
        return;
    }
    const auto point1 = RulePointNumber(TextRulePoint1->text());
    const auto point2 = RulePointNumber(TextRulePoint2->text());
    if (!point1 || !point2) {
        MsgBox(Text(O::RulePointOutOfRangeText), Mb::OKOnly | Mb::Exclamation, Text(O::NumberOutOfRange));
        return;
    }
    rule.Point1 = *point1;
    rule.Point2 = *point2;
    if (!AppendRule(mudtSimulateRules, rule)) {
        MsgBox(Text(O::TooManyRulesText), Mb::OKOnly | Mb::Exclamation, Text(O::TooManyRules));
        return;
    }
    m_simRuleEntries->SetCount(RuleCount(mudtSimulateRules));
    ComboSimRules->setCurrentIndex(m_simRuleEntries->Count() - 1);
}

void DialogOptions::BtnRemoveSimRule_Click() {
    if (m_simRuleEntries->Count() == 0) return;
    RemoveRuleAt(mudtSimulateRules, ComboSimRules->currentIndex());
    const QSignalBlocker quiet(ComboSimRules);
    m_simRuleEntries->SetCount(RuleCount(mudtSimulateRules));
    if (m_simRuleEntries->Count() > 0) {
        if (ComboSimRules->currentIndex() < 0 || ComboSimRules->currentIndex() >= m_simRuleEntries->Count())
            ComboSimRules->setCurrentIndex(m_simRuleEntries->Count() - 1);
        ComboSimRules_Click();
    } else {
        ComboSimRules->setCurrentIndex(-1);
        ComboSimRuleChoice->setCurrentIndex(-1);
        ComboSimRuleRange->setCurrentIndex(-1);
        ComboSimRulePoint->setCurrentIndex(-1);
    }
}

// ---- the catalogue pages --------------------------------------------------------------

int DialogOptions::SelectedRow(QAbstractItemView* view) const {
    const QModelIndex current = view->currentIndex();
    if (!current.isValid() || !view->selectionModel()->isRowSelected(current.row(), QModelIndex())) return -1;
    return current.row();
}

void DialogOptions::SelectRow(QAbstractItemView* view, int row) {
    if (row < 0 || row >= view->model()->rowCount()) {
        view->selectionModel()->clearSelection();
        view->setCurrentIndex(QModelIndex());
        return;
    }
    view->setCurrentIndex(view->model()->index(row, 0));
    view->selectionModel()->select(view->model()->index(row, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void DialogOptions::RefreshColumnLists(bool html) {
    if (html) {
        m_notIncludedHTML->Refresh();
        m_includedHTML->Refresh();
    } else {
        m_notIncludedText->Refresh();
        m_includedText->Refresh();
    }
}

void DialogOptions::BtnMoveHTML_Click(int move) {
    const int notIncluded = SelectedRow(ListNotIncludedHTML);
    const int included = SelectedRow(ListIncludedHTML);
    switch (move) {
    case 0:
        mColumnsHTML.AddAll();
        RefreshColumnLists(true);
        SelectRow(ListIncludedHTML, included);
        break;
    case 1: {
        if (notIncluded < 0) break;
        const int next = mColumnsHTML.Add(notIncluded);
        RefreshColumnLists(true);
        SelectRow(ListNotIncludedHTML, next);
        SelectRow(ListIncludedHTML, included);
        break;
    }
    case 2: {
        if (included < 0) break;
        const int next = mColumnsHTML.Remove(included);
        RefreshColumnLists(true);
        SelectRow(ListIncludedHTML, next);
        break;
    }
    default:
        mColumnsHTML.RemoveAll();
        RefreshColumnLists(true);
        break;
    }
    UpdateComboSortKeyHTML();
}

void DialogOptions::BtnUpHTML_Click() {
    const int row = SelectedRow(ListIncludedHTML);
    if (row < 1) return;
    const int next = mColumnsHTML.Up(row);
    m_includedHTML->Refresh();
    SelectRow(ListIncludedHTML, next);
}

void DialogOptions::BtnDownHTML_Click() {
    const int row = SelectedRow(ListIncludedHTML);
    if (row < 0) return;
    const int next = mColumnsHTML.Down(row);
    m_includedHTML->Refresh();
    SelectRow(ListIncludedHTML, next);
}

namespace {

// Rebuilds a sort-key list from the included columns, keeping the key chosen
// when it is still there; without a key the sort box is cleared.
void RebuildSortKeys(QComboBox* keys, QCheckBox* sortBy, const QStringList& names) {
    const QString remembered = keys->currentIndex() >= 0 ? keys->currentText() : QString();
    keys->clear();
    keys->addItems(names);
    keys->setCurrentIndex(remembered.isEmpty() ? -1 : keys->findText(remembered, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    if (keys->currentIndex() < 0) sortBy->setChecked(false);
    sortBy->setEnabled(keys->count() > 0);
}

void SortInterlock(QCheckBox* sortBy, QComboBox* keys, QComboBox* order) {
    const bool on = sortBy->isChecked();
    keys->setEnabled(on);
    order->setEnabled(on);
    keys->setCurrentIndex(on && keys->count() > 0 ? 0 : -1);
}

}  // namespace

void DialogOptions::UpdateComboSortKeyHTML() { RebuildSortKeys(ComboSortKeyHTML, CheckSortByHTML, mColumnsHTML.SortKeys()); }

void DialogOptions::CheckSortByHTML_Click() { SortInterlock(CheckSortByHTML, ComboSortKeyHTML, ComboOrderHTML); }

void DialogOptions::BtnChangeFont_Click() {
    const auto& hook = CataloguerDialogs().htmlFont;
    if (!hook) return;
    QString description = LabelFont->text();
    if (hook(this, description)) LabelFont->setText(description);
}

void DialogOptions::PictureFill_Click() {
    if (!ColourFromDialog(CommonDialogColour, PictureFill, 2)) return;
    ComboFill->setEditText(VB2HTMLColour(SwatchColour(PictureFill), true));
}

void DialogOptions::ComboFill_Click() { HTMLColourIntoPictureBox(ComboFill, PictureFill); }

void DialogOptions::ComboFill_LostFocus() { HTMLColourIntoPictureBox(ComboFill, PictureFill); }

void DialogOptions::TextOutputFileNameExtension_Change() {
    QString text = TextOutputFileNameExtension->text();
    int caret = TextOutputFileNameExtension->cursorPosition();
    if (!EnsureFileNameCompatibleTextBox(text, caret, QStringLiteral("."))) return;
    Beep();
    TextOutputFileNameExtension->setText(text);
    TextOutputFileNameExtension->setCursorPosition(std::min<int>(caret, static_cast<int>(text.size())));
}

void DialogOptions::BtnPageProperties_Click() {
    if (const auto& hook = CataloguerDialogs().htmlPageProperties) hook(this);
}

void DialogOptions::BtnHeaderHTML_Click() {
    if (const auto& hook = CataloguerDialogs().htmlHeader) hook(this);
}

void DialogOptions::BtnMoveText_Click(int move) {
    const int notIncluded = SelectedRow(ListNotIncludedText);
    const int included = SelectedRow(ListIncludedText);
    switch (move) {
    case 0:
        mColumnsText.AddAll();
        RefreshColumnLists(false);
        SelectRow(ListIncludedText, included);
        break;
    case 1: {
        if (notIncluded < 0) break;
        const int next = mColumnsText.Add(notIncluded);
        RefreshColumnLists(false);
        SelectRow(ListNotIncludedText, next);
        SelectRow(ListIncludedText, included);
        break;
    }
    case 2: {
        if (included < 0) break;
        const int next = mColumnsText.Remove(included);
        RefreshColumnLists(false);
        SelectRow(ListIncludedText, next);
        break;
    }
    default:
        mColumnsText.RemoveAll();
        RefreshColumnLists(false);
        break;
    }
    UpdateComboSortKeyText();
}

void DialogOptions::BtnUpText_Click() {
    const int row = SelectedRow(ListIncludedText);
    if (row < 1) return;
    const int next = mColumnsText.Up(row);
    m_includedText->Refresh();
    SelectRow(ListIncludedText, next);
}

void DialogOptions::BtnDownText_Click() {
    const int row = SelectedRow(ListIncludedText);
    if (row < 0) return;
    const int next = mColumnsText.Down(row);
    m_includedText->Refresh();
    SelectRow(ListIncludedText, next);
}

void DialogOptions::UpdateComboSortKeyText() { RebuildSortKeys(ComboSortKeyText, CheckSortByText, mColumnsText.SortKeys()); }

void DialogOptions::CheckSortByText_Click() { SortInterlock(CheckSortByText, ComboSortKeyText, ComboOrderText); }

void DialogOptions::ListIncludedText_MouseUp(const QPoint& pos) {
    if (pos.x() <= ListIncludedText->columnWidth(0) || m_includedText->rowCount() == 0) return;
    // Beside the pointer, a little right of it and centred on it.
    const QPoint at = ListIncludedText->viewport()->mapTo(FrameOptions[3], pos) + QPoint(13, -6);
    UpDownWidthText->move(at);
    UpDownWidthText->show();
    UpDownWidthText->raise();
    m_widthActivity.start();
    if (!m_widthTimer) m_widthTimer = startTimer(100);
}

void DialogOptions::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_widthTimer) {
        QDialog::timerEvent(event);
        return;
    }
    if (m_widthActivity.isValid() && m_widthActivity.elapsed() <= kWidthSpinnerMs) return;
    UpDownWidthText->hide();
    killTimer(m_widthTimer);
    m_widthTimer = 0;
}

void DialogOptions::UpDownWidthText_UpClick() {
    m_widthActivity.start();
    const int row = SelectedRow(ListIncludedText);
    mColumnsText.WidthUp(row);
    m_includedText->Refresh();
    SelectRow(ListIncludedText, row);
}

void DialogOptions::UpDownWidthText_DownClick() {
    m_widthActivity.start();
    const int row = SelectedRow(ListIncludedText);
    // A damaged width raises here; the list shows it unchanged.
    struct Reselect {
        DialogOptions* d;
        int row;
        ~Reselect() {
            d->m_includedText->Refresh();
            d->SelectRow(d->ListIncludedText, row);
        }
    } reselect{this, row};
    mColumnsText.WidthDown(row);
}

void DialogOptions::BtnHeaderText_Click() {
    if (const auto& hook = CataloguerDialogs().textHeader) hook(this);
}

// ---- keys -----------------------------------------------------------------------------

int DialogOptions::HelpTopicOf(QWidget* control) const {
    for (QWidget* w = control; w; w = w->parentWidget()) {
        const QVariant topic = w->property(kTopicProperty);
        if (!topic.isValid()) continue;
        const int value = topic.toInt();
        if (value != kSelectedPageTopic) return value;
        const int tab = TabStripOptions->currentIndex();
        return tab >= 0 && tab < 5 ? kOptionsPageTopics[tab] : 0;
    }
    return 0;
}

void DialogOptions::keyPressEvent(QKeyEvent* event) {
    // Escape does not cancel this dialog.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool DialogOptions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == ListIncludedText->viewport()) {
            const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
            ResumeNext([&] { ListIncludedText_MouseUp(pos); });
        } else if (watched == PictureFill) {
            ResumeNext([&] { PictureFill_Click(); });
            return true;
        } else {
            for (int k = 0; k < 3; ++k)
                if (watched == LabelOrder[k]) {
                    ResumeNext([&] { LabelOrder_Click(k); });
                    return true;
                }
        }
    }
    if (event->type() == QEvent::FocusOut) {
        if (watched == ComboFill && LeavingToCheck(static_cast<QFocusEvent*>(event), OKButton, CancelButton))
            ResumeNext([&] { ComboFill_LostFocus(); });
        if (watched == ComboFileNameFormat) ResumeNext([&] { ComboFileNameFormat_LostFocus(); });
    }
    // A key counts once, where it arrived (a control that ignores it passes it
    // on to its parents).
    QWidget* first = focusWidget() ? focusWidget() : this;
    if (event->type() == QEvent::KeyPress && watched == first) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int16_t code = static_cast<int16_t>(PlatformKeyCode(key->key()));
        if (const int topic = HelpTopicOf(first); topic > 0) ResumeNext([&] { DisplayHelpTopic(topic, code); });
        if ((watched == TextRulePoint1 || watched == TextRulePoint2) &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            const bool up = key->key() == Qt::Key_Up;
            ResumeNext([&] {
                if (watched == TextRulePoint1)
                    up ? UpDownRulePoint1_UpClick() : UpDownRulePoint1_DownClick();
                else
                    up ? UpDownRulePoint2_UpClick() : UpDownRulePoint2_DownClick();
            });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---- opening --------------------------------------------------------------------------

void ShowOptionsDialog(int tab) {
    try {
        DialogOptions dialog;
        if (tab != -1) dialog.SelectTab(tab);
        else dialog.TabStripOptions_Click();
        dialog.exec();
    } catch (...) {
        DisplayErrorMessage();
    }
}

void RegisterOptionsDialog() { SetOptionsTabHandler([](int tab) { ShowOptionsDialog(tab); }); }
