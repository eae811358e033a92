#include "coordinator/ui/FileNameTagCoordinator.h"
#include "coordinator/ApplyChanges.h"
#include "coordinator/MassTaggingOverrides.h"
#include "coordinator/ui/ApplyChangesDialog.h"
#include "coordinator/ui/MassTaggingOverrideTool.h"

#include "coordinator/SimResultsModel.h"
#include "coordinator/SimulateChange.h"
#include "coordinator/SimulateRun.h"
#include "coordinator/ui/SimResultsView.h"
#include "foundation/AppPaths.h"
#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/Help.h"
#include "foundation/ListFiles.h"
#include "foundation/LongJob.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/ui/WindowPositions.h"
#include "foundation/SharedServices.h"
#include "options/ControlSettings.h"
#include "foundation/Twips.h"
#include "foundation/ui/ListColumns.h"
#include "options/ui/ControlSettingsUi.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/engine/ScanResultsSource.h"
#include "scanning/ui/FileInfoDialog.h"
#include "shell/edit/ui/EditCommands.h"
#include "shell/menus/KeyboardState.h"
#include "shell/menus/ui/Menus.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/PlainControls.h"
#include "shell/ui/SkinController.h"
#include "shell/ui/SkinnedControlBuilder.h"
#include "shell/ui/SkinWidgets.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <algorithm>
#include <vector>

namespace {

// ---- design layout (twips) ----------------------------------------------------
// The controls down the left side, as offsets from the top of the body (the
// list's top); the resize leaves them alone.
constexpr double kLeft = 120;
constexpr double kBodyTop = 480;
constexpr double kColumnWidth = 2532, kCheckWidth = 2412;
constexpr double kCheckHeight = 252, kButtonHeight = 348;
constexpr double kOverrideArtistTop = 0, kTextOverrideArtistTop = 276, kTextOverrideArtistHeight = 285;
constexpr double kSimulateTop = 720, kMassTaggingTop = 1320, kTagOverridesTop = 1800, kTagOverridesHeight = 480;
constexpr double kChangeFileNameTop = 2280, kChangeID3v1Top = 2520, kChangeID3v2Top = 2760, kApplyTop = 3240;
constexpr double kApplyLeft = 120, kStopLeft = 1560, kApplyWidth = 1128;
constexpr double kListLeft = 2760;
constexpr double kProgBarWidth = 252;
// The proposed-change rows under the list.
constexpr double kTextTrackLeft = 720, kTextTrackWidth = 372, kLabelAlbumLeft = 1320, kTextAlbumLeft = 1920;
constexpr double kTextNewFileNameLeft = 1320;
constexpr double kTextHeight = 285, kLabelHeight = 240;
// The window: built 9012 x 5976, never smaller than 8000 x 5460.
constexpr double kBuiltWidth = 9012, kBuiltHeight = 5976;
constexpr double kMinHeight = 5460, kMinWidth = 8000;
// From the list's bottom to the window's: the proposed-change rows and the
// status line.
constexpr double kRowsUnderList = 1368;

// Column widths as fractions of the list's width less 300 twips (the check
// boxes and the scroll bar); the folder column is always hidden.
constexpr double kColumnFractions[kSimColumnCount] = {0.2, 0, 0.04, 0.15, 0.15, 0.19, 0.2, 0.07};

QString SimResultsFilter() { return QStringLiteral("Simulate Results (*.sim)|*.sim"); }

const QString kSettingsSection = QStringLiteral("Settings");
const QString kLocationKey = QStringLiteral("SimulateResultsLocation");

bool IsSimFile(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("sim"), Qt::CaseInsensitive) == 0;
}

// The height a skinned check box takes in a column: its standard box, its
// picture or its caption, whichever is taller.
double CheckRowTwips(const clsCheckBox& check) {
    int pixels = 0;
    if (const QWidget* standard = check.StandardControl())
        pixels = std::max(standard->height(), standard->sizeHint().height());
    if (const SkinImage* picture = check.Picture()) pixels = std::max(pixels, picture->height());
    if (const QLabel* caption = check.CaptionLabel()) pixels = std::max(pixels, caption->sizeHint().height());
    return PixelsToTwipsY(pixels);
}

}  // namespace

// ---- load -----------------------------------------------------------------------

FormFileNameTagCoordinator::FormFileNameTagCoordinator(QWidget* parent)
    : SkinnedToolWindow(WindowNames::Coordinator, parent), CommonDialogFile(this, QStringLiteral("CommonDialogFile")) {
    LoadToolWindow(
        {.minHeight = kMinHeight, .minWidth = kMinWidth, .builtWidth = kBuiltWidth, .builtHeight = kBuiltHeight});

    CommonDialogFile.Flags = Cdl::OFNFileMustExist | Cdl::OFNHideReadOnly | Cdl::OFNOverwritePrompt;  // 4102
    ResumeNext([&] { ResizeColumns(); });
    ResumeNext([&] { ReadSettings(); });
    // The override tool is loaded hidden; it restores its own settings.
    ResumeNext([&] { LoadMassTaggingTool(); });
    ResumeNext([&] { LayoutControls(); });
}

FormFileNameTagCoordinator::~FormFileNameTagCoordinator() = default;

void FormFileNameTagCoordinator::PrepareLoad() {
    ResumeNext([&] { LayoutControls(); });
}

void FormFileNameTagCoordinator::BuildControls() {
    m_results = new SimResultsModel(this);
    ListViewSimResults = new SimResultsView(this);
    ListViewSimResults->setResultsModel(m_results);

    const auto overrideArtist =
        BuildSkinnedCheckBox(this, mcheckOverrideArtist, QStringLiteral("OverrideArtist"),
                             {kLeft, kBodyTop + kOverrideArtistTop, kColumnWidth, kCheckHeight});
    CheckOverrideArtist = overrideArtist.standard;
    TextOverrideArtist = MakeLineEdit(this, "TextOverrideArtist");
    const auto simulate = BuildSkinnedButton(this, mbuttonSimulate, QStringLiteral("Simulate"),
                                             {kLeft, kBodyTop + kSimulateTop, kColumnWidth, kButtonHeight},
                                             [this] { BtnSimulate_Click(); });
    BtnSimulate = simulate.standard;
    ImageSimulate = simulate.picture;
    LabelSimulate = simulate.label;
    const auto massTagging = BuildSkinnedButton(this, mbuttonMassTagging, QStringLiteral("MassTagging"),
                                                {kLeft, kBodyTop + kMassTaggingTop, kColumnWidth, kButtonHeight},
                                                [this] { BtnMassTagging_Click(); });
    BtnMassTagging = massTagging.standard;
    ImageMassTagging = massTagging.picture;
    LabelMassTagging = massTagging.label;
    LabelTagOverrides = MakeLabel(this, "LabelTagOverrides");
    LabelTagOverrides->setWordWrap(true);
    LabelTagOverrides->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const auto changeFileName =
        BuildSkinnedCheckBox(this, mcheckChangeFileName, QStringLiteral("ChangeFileName"),
                             {kLeft, kBodyTop + kChangeFileNameTop, kCheckWidth, kCheckHeight});
    CheckChangeFileName = changeFileName.standard;
    const auto changeV1 = BuildSkinnedCheckBox(this, mcheckChangeID3v1Tag, QStringLiteral("ChangeID3v1Tag"),
                                               {kLeft, kBodyTop + kChangeID3v1Top, kCheckWidth, kCheckHeight});
    CheckChangeID3v1Tag = changeV1.standard;
    const auto changeV2 = BuildSkinnedCheckBox(this, mcheckChangeID3v2Tag, QStringLiteral("ChangeID3v2Tag"),
                                               {kLeft, kBodyTop + kChangeID3v2Top, kCheckWidth, kCheckHeight});
    CheckChangeID3v2Tag = changeV2.standard;
    const auto apply = BuildSkinnedButton(this, mbuttonApply, QStringLiteral("Apply"),
                                          {kApplyLeft, kBodyTop + kApplyTop, kApplyWidth, kButtonHeight},
                                          [this] { BtnApply_Click(); });
    BtnApply = apply.standard;
    const auto stop = BuildSkinnedButton(this, mbuttonStop, QStringLiteral("Stop"),
                                         {kStopLeft, kBodyTop + kApplyTop, kApplyWidth, kButtonHeight},
                                         [this] { BtnStop_Click(); });
    BtnStop = stop.standard;
    mbuttonApply.SetEnabled(false);
    mbuttonStop.SetEnabled(false);

    // The proposed-change boxes; their labels keep their built-in captions.
    LabelTrack = MakeLabel(this, "LabelTrack", QStringLiteral("Trac&k:"));
    LabelAlbum = MakeLabel(this, "LabelAlbum", QStringLiteral("A&lbum:"));
    LabelArtist = MakeLabel(this, "LabelArtist", QStringLiteral("A&rtist:"));
    LabelMP3Title = MakeLabel(this, "LabelMP3Title", QStringLiteral("T&itle:"));
    LabelNewFileName = MakeLabel(this, "LabelNewFileName");
    TextTrack = MakeLineEdit(this, "TextTrack");
    TextAlbum = MakeLineEdit(this, "TextAlbum");
    TextArtist = MakeLineEdit(this, "TextArtist");
    TextTitle = MakeLineEdit(this, "TextTitle");
    TextNewFileName = MakeLineEdit(this, "TextNewFileName");
    TextNewFileName->setMaxLength(256);
    const std::pair<QLabel*, QLineEdit*> rows[] = {{LabelTrack, TextTrack},
                                                    {LabelAlbum, TextAlbum},
                                                    {LabelArtist, TextArtist},
                                                    {LabelMP3Title, TextTitle},
                                                    {LabelNewFileName, TextNewFileName}};
    for (const auto& [label, box] : rows) {
        label->setBuddy(box);
        label->setEnabled(false);
        box->setEnabled(false);
    }

    // The two indicators share one place: green in front while the list has
    // the focus and rows, else red.
    ImageRedIndicator = BuildRedIndicatorAndProgBar();

    // ---- events of the table and the boxes ----
    connect(ListViewSimResults->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { ResumeNext([&] { UpdateProposedChangesTextBoxes(true); }); });
    connect(m_results, &SimResultsModel::checkToggledByUser, this,
            [this](int row, bool checked) { ResumeNext([&] { ListViewSimResults_ItemCheck(row, checked); }); });
    connect(ListViewSimResults, &SimResultsView::ColumnClicked, this,
            [this](int column) { ResumeNext([&] { ChangeSortColumn(ListViewSimResults, column + 1); }); });
    connect(ListViewSimResults, &SimResultsView::FocusChanged, this, [this](bool focus) {
        ResumeNext([&] { ShowContextMenuIndicator(this, focus && m_results->rows() > 0); });
    });
    connect(ListViewSimResults, &SimResultsView::RowDoubleClicked, this, [this] {
        ResumeNext([&] {
            if (ListItemSelected(ListViewSimResults)) mnuActionsFileInfo_Click();
        });
    });
    connect(ListViewSimResults, &SimResultsView::RightButtonUp, this, [this](const QPoint& at) {
        if (m_results->rows() == 0) return;
        ResumeNext([&] { ActionsMenuRootSelect(); });
        ResumeNext([&] { mnuActions->exec(at); });
    });
    ListViewSimResults->acceptsFiles = [this](const QStringList& files) {
        return ListViewSimResults_OLEDragOver(files);
    };
    connect(ListViewSimResults, &SimResultsView::FilesDropped, this,
            [this](const QStringList& files) { ResumeNext([&] { ListViewSimResults_OLEDragDrop(files); }); });

    connect(TextOverrideArtist, &QLineEdit::textChanged, this,
            [this] { ResumeNext([&] { mcheckOverrideArtist.SetValue(1); }); });
    const std::pair<QLineEdit*, int> cells[] = {{TextTrack, SimColumn::Track},
                                                {TextAlbum, SimColumn::Album},
                                                {TextArtist, SimColumn::Artist},
                                                {TextTitle, SimColumn::Title},
                                                {TextNewFileName, SimColumn::NewFileName}};
    for (const auto& [box, column] : cells) {
        connect(box, &QLineEdit::textChanged, this,
                [this, box = box, column = column] { ResumeNext([&] { ProposedChange(box, column); }); });
    }

    SetEditControl(ListViewSimResults);
    // The plain box's own access key flips it and then, as Alt+O does,
    // leaves the focus in the override text box.
    CheckOverrideArtist->installEventFilter(this);
}

void FormFileNameTagCoordinator::BuildMenus() {
    auto add = [](QMenu* menu, const char* name) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    mnuFile = new QMenu(this);
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileOpen = add(mnuFile, "mnuFileOpen");
    mnuFile->addSeparator();
    mnuFileSave = add(mnuFile, "mnuFileSave");
    mnuFile->addSeparator();
    mnuFileExit = add(mnuFile, "mnuFileExit");
    connect(mnuFileOpen, &QAction::triggered, this, [this] { ResumeNext([&] { mnuFileOpen_Click(); }); });
    connect(mnuFileSave, &QAction::triggered, this, [this] { ResumeNext([&] { mnuFileSave_Click(); }); });
    connect(mnuFileExit, &QAction::triggered, this, [this] { ResumeNext([&] { mnuFileExit_Click(); }); });

    mnuActions = new QMenu(this);
    mnuActions->setObjectName(QStringLiteral("mnuActions"));
    mnuActionsFileInfo = add(mnuActions, "mnuActionsFileInfo");
    mnuActionsPlay = add(mnuActions, "mnuActionsPlay");
    mnuActions->addSeparator();
    mnuActionsAlterActionMenu = new QMenu(this);
    mnuActionsAlterActionMenu->setObjectName(QStringLiteral("mnuActionsAlterActionMenu"));
    mnuActionsAlterActionRoot = mnuActions->addMenu(mnuActionsAlterActionMenu);
    mnuActionsAlterActionRoot->setObjectName(QStringLiteral("mnuActionsAlterActionRoot"));
    mnuActionsAlterAllActionsMenu = new QMenu(this);
    mnuActionsAlterAllActionsMenu->setObjectName(QStringLiteral("mnuActionsAlterAllActionsMenu"));
    mnuActionsAlterAllActionsRoot = mnuActions->addMenu(mnuActionsAlterAllActionsMenu);
    mnuActionsAlterAllActionsRoot->setObjectName(QStringLiteral("mnuActionsAlterAllActionsRoot"));
    for (int i = 0; i < 3; ++i) {
        QAction* one = mnuActionsAlterActionMenu->addAction(QString());
        one->setObjectName(QStringLiteral("mnuActionsAlterAction_%1").arg(i));
        connect(one, &QAction::triggered, this, [this, i] { ResumeNext([&] { mnuActionsAlterAction_Click(i); }); });
        mnuActionsAlterAction[size_t(i)] = one;
        QAction* all = mnuActionsAlterAllActionsMenu->addAction(QString());
        all->setObjectName(QStringLiteral("mnuActionsAlterAllActions_%1").arg(i));
        connect(all, &QAction::triggered, this,
                [this, i] { ResumeNext([&] { mnuActionsAlterAllActions_Click(i); }); });
        mnuActionsAlterAllActions[size_t(i)] = all;
    }
    mnuActions->addSeparator();
    mnuActionsCheckAll = add(mnuActions, "mnuActionsCheckAll");
    mnuActionsUncheckAll = add(mnuActions, "mnuActionsUncheckAll");
    connect(mnuActionsFileInfo, &QAction::triggered, this, [this] { ResumeNext([&] { mnuActionsFileInfo_Click(); }); });
    connect(mnuActionsPlay, &QAction::triggered, this, [this] { ResumeNext([&] { mnuActionsPlay_Click(); }); });
    connect(mnuActionsCheckAll, &QAction::triggered, this, [this] { ResumeNext([&] { mnuActionsCheckAll_Click(); }); });
    connect(mnuActionsUncheckAll, &QAction::triggered, this,
            [this] { ResumeNext([&] { mnuActionsUncheckAll_Click(); }); });

    SetLabelMenuPopup(0, mnuFile);
    SetLabelMenuPopup(3, mnuActions);
    // Paste is built hidden: rows are never pasted into the table.
    if (mnuEdit[EditItem::Paste]) mnuEdit[EditItem::Paste]->setVisible(false);

    // The shared menus' items: Tools opens the Options on this window's page.
    ConnectSharedMenus(this, [] { return 2; });
}

void FormFileNameTagCoordinator::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        using namespace TextId::Coordinator;
        SetCaption(GetResourceString(TextId::Coordinator::Caption));
        if (LabelStatusBar) LabelStatusBar->setText(GetResourceString(TextId::Scan::ForHelpPressF1));
        mnuFileOpen->setText(GetResourceString(TextId::Menu::Open) + QStringLiteral("\tCtrl+O"));
        mnuFileSave->setText(GetResourceString(TextId::Menu::Save) + QStringLiteral("\tCtrl+S"));
        mnuFileExit->setText(GetResourceString(TextId::Menu::Exit) + QStringLiteral("\tCtrl+Q"));
        mnuActionsFileInfo->setText(GetResourceString(TextId::Menu::FileInformation));
        mnuActionsPlay->setText(GetResourceString(TextId::Menu::Play));
        mnuActionsAlterActionRoot->setText(GetResourceString(AlterAction));
        mnuActionsAlterAction[0]->setText(GetResourceString(ActionChange));
        mnuActionsAlterAction[1]->setText(GetResourceString(ActionNoChange));
        mnuActionsAlterAction[2]->setText(GetResourceString(ActionDelete));
        mnuActionsAlterAllActionsRoot->setText(GetResourceString(AlterAllActions));
        mnuActionsAlterAllActions[0]->setText(GetResourceString(ActionChangeAll));
        mnuActionsAlterAllActions[1]->setText(GetResourceString(ActionNoChangeAll));
        mnuActionsAlterAllActions[2]->setText(GetResourceString(ActionDeleteAll));
        mnuActionsCheckAll->setText(GetResourceString(TextId::Menu::CheckAll));
        mnuActionsUncheckAll->setText(GetResourceString(TextId::Menu::UncheckAll));
        mcheckOverrideArtist.SetCaption(GetResourceString(OverrideArtist));
        mcheckOverrideArtist.SetToolTipText(GetResourceString(OverrideArtistTip));
        mbuttonSimulate.SetCaption(GetResourceString(SimulateChanges));
        mbuttonSimulate.SetToolTipText(GetResourceString(SimulateTip));
        mbuttonMassTagging.SetCaption(GetResourceString(MassTaggingOverrideTool));
        mbuttonMassTagging.SetToolTipText(GetResourceString(MassTaggingTip));
        LabelTagOverrides->setText(GetResourceString(NoOverridesInEffect));
        mcheckChangeFileName.SetCaption(GetResourceString(ChangeFileNameApply));
        mcheckChangeFileName.SetToolTipText(GetResourceString(ChangeFileNameTip));
        mcheckChangeID3v1Tag.SetCaption(GetResourceString(ChangeID3v1TagApply));
        mcheckChangeID3v1Tag.SetToolTipText(GetResourceString(ChangeID3v1TagTip));
        mcheckChangeID3v2Tag.SetCaption(GetResourceString(ChangeID3v2TagApply));
        mcheckChangeID3v2Tag.SetToolTipText(GetResourceString(ChangeID3v2TagTip));
        mbuttonApply.SetCaption(GetResourceString(Apply));
        mbuttonApply.SetToolTipText(GetResourceString(ApplyTip));
        mbuttonStop.SetCaption(GetResourceString(TextId::Common::Stop));
        mbuttonStop.SetToolTipText(GetResourceString(TextId::Common::StopTip));
        LabelNewFileName->setText(GetResourceString(NewFileName));
        const std::pair<std::pair<QLabel*, QLineEdit*>, int32_t> tips[] = {
            {{LabelAlbum, TextAlbum}, EditProposedAlbumTip},
            {{LabelArtist, TextArtist}, EditProposedArtistTip},
            {{LabelMP3Title, TextTitle}, EditProposedTitleTip},
            {{LabelTrack, TextTrack}, EditProposedTrackTip},
            {{LabelNewFileName, TextNewFileName}, EditProposedNewFileNameTip}};
        for (const auto& [pair, tip] : tips) {
            const QString text = GetResourceString(tip);
            pair.first->setToolTip(text);
            pair.second->setToolTip(text);
        }
        // The captions of the plain check boxes fit whatever the language.
        for (QCheckBox* box : {CheckOverrideArtist, CheckChangeFileName, CheckChangeID3v1Tag, CheckChangeID3v2Tag})
            box->resize(std::max(box->width(), box->sizeHint().width()), box->height());
    });
}

// ---- layout -----------------------------------------------------------------------

void FormFileNameTagCoordinator::LayoutControls() {
    if (m_inLayout || isMinimized() || !ListViewSimResults) return;
    m_inLayout = true;
    const auto release = qScopeGuard([&] { m_inLayout = false; });

    const double W = PixelsToTwipsX(width());
    double H = PixelsToTwipsY(height());
    // The body starts under the menu bar, wherever the dressing put it.
    double top = kBodyTop;
    if (LabelMenu[0]) top = std::max(top, PixelsToTwipsY(LabelMenu[0]->geometry().bottom() + 1) + 90);

    // The left column keeps its built places under the menu bar; a control
    // whose text needs more room than built pushes the ones below it down,
    // and the column is only widened where a larger font needs more room
    // for its captions.
    const double column = LeftColumnTwips();
    const double listLeft = kLeft + column + (kListLeft - kLeft - kColumnWidth);
    double leftBottom = top + kApplyTop + kButtonHeight;
    ResumeNext([&] {
        double y = top + kOverrideArtistTop;
        mcheckOverrideArtist.SetTop(static_cast<float>(y));
        y = std::max(top + kTextOverrideArtistTop, y + CheckRowTwips(mcheckOverrideArtist) + 24);
        const double boxHeight =
            std::max(kTextOverrideArtistHeight, PixelsToTwipsY(TextOverrideArtist->sizeHint().height()));
        TextOverrideArtist->setGeometry(TwipsToPixelsX(kLeft), TwipsToPixelsY(y), TwipsToPixelsX(column),
                                        TwipsToPixelsY(boxHeight));
        y += boxHeight;
        const struct {
            clsButton& wrapper;
            QWidget* parts[3];
            double builtTop;
        } buttons[] = {{mbuttonSimulate, {BtnSimulate, ImageSimulate, LabelSimulate}, kSimulateTop},
                       {mbuttonMassTagging, {BtnMassTagging, ImageMassTagging, LabelMassTagging}, kMassTaggingTop}};
        for (const auto& b : buttons) {
            for (int i = 0; i < 2; ++i) b.parts[i]->resize(TwipsToPixelsX(column), b.parts[i]->height());
            b.parts[2]->adjustSize();
            b.wrapper.SetLeft(static_cast<float>(kLeft));
            y = std::max(top + b.builtTop, y + 120);
            b.wrapper.SetTop(static_cast<float>(y));
            y += kButtonHeight;
        }
        y = std::max(top + kTagOverridesTop, y + 120);
        const double indicatorHeight = TagOverridesTwips(column);
        LabelTagOverrides->setGeometry(TwipsToPixelsX(kLeft), TwipsToPixelsY(y), TwipsToPixelsX(column),
                                       TwipsToPixelsY(indicatorHeight));
        y = std::max(top + kChangeFileNameTop, y + indicatorHeight);
        const struct {
            clsCheckBox& wrapper;
            double builtTop;
        } checks[] = {{mcheckChangeFileName, kChangeFileNameTop},
                      {mcheckChangeID3v1Tag, kChangeID3v1Top},
                      {mcheckChangeID3v2Tag, kChangeID3v2Top}};
        for (const auto& c : checks) {
            y = std::max(top + c.builtTop, y);
            c.wrapper.SetTop(static_cast<float>(y));
            y += CheckRowTwips(c.wrapper);
        }
        y = std::max(top + kApplyTop, y + 228);
        mbuttonApply.SetTop(static_cast<float>(y));
        mbuttonStop.SetTop(static_cast<float>(y));
        leftBottom = y + kButtonHeight;
    });

    // The proposed-change rows lie under the list and under the left
    // column: the window is never made so low that they would reach into
    // Apply and Stop.
    const double minHeight = std::max(kMinHeight, leftBottom + kRowsUnderList);
    if (std::abs(minHeight - MinimumHeightTwips()) >= 1) {
        SetMinimumSizeTwips(minHeight, kMinWidth);
        H = std::max(H, PixelsToTwipsY(height()));
    }

    // The list fills the rest down to the proposed-change rows.
    const double listBottom = std::max(H - kRowsUnderList, leftBottom);
    const double listHeight = std::max(0.0, listBottom - top);
    const double listWidth = std::max(0.0, W - 576 - listLeft);
    ResumeNext([&] {
        ListViewSimResults->setGeometry(TwipsToPixelsX(listLeft), TwipsToPixelsY(top), TwipsToPixelsX(listWidth),
                                        TwipsToPixelsY(listHeight));
    });
    ResumeNext([&] {
        // Each label as wide as its caption, at least as built; the Album,
        // Artist and Title boxes share what is left, a third to the Album
        // and half the rest to the Artist.
        auto captionTwips = [](QLabel* label, double built) {
            return std::max(built, PixelsToTwipsX(label->sizeHint().width()) + 60);
        };
        const double labelTop = top + listHeight + 180;
        const double boxTop = top + listHeight + 108;
        const double trackLeft = kLeft + captionTwips(LabelTrack, kTextTrackLeft - kLeft);
        const double albumLabelLeft = trackLeft + kTextTrackWidth + 228;
        const double albumLeft = albumLabelLeft + captionTwips(LabelAlbum, kTextAlbumLeft - kLabelAlbumLeft);
        const double artistLabelWidth = captionTwips(LabelArtist, 588);
        const double titleLabelWidth = captionTwips(LabelMP3Title, 588);
        // As built, the Album box takes (W - 4032) / 3 and the Artist box half
        // of what is left of W - 4032; wider captions take their room first.
        const double wider = (albumLeft - kTextAlbumLeft) + (artistLabelWidth - 588) + (titleLabelWidth - 588);
        const double rest = std::max(0.0, W - 4032 - wider);
        const double albumWidth = rest / 3;
        const double artistWidth = (rest - albumWidth) / 2;
        const double artistLabelLeft = albumLeft + albumWidth + 228;
        const double artistLeft = artistLabelLeft + artistLabelWidth;
        const double titleLabelLeft = artistLeft + artistWidth + 228;
        const double titleLeft = titleLabelLeft + titleLabelWidth;
        const double titleWidth = std::max(0.0, W - titleLeft - 576);
        const double newNameLeft =
            kLeft + captionTwips(LabelNewFileName, kTextNewFileNameLeft - kLeft);
        auto place = [](QWidget* w, double left, double t, double width, double height) {
            w->setGeometry(TwipsToPixelsX(left), TwipsToPixelsY(t), TwipsToPixelsX(width), TwipsToPixelsY(height));
        };
        place(LabelTrack, kLeft, labelTop, trackLeft - kLeft, kLabelHeight);
        place(TextTrack, trackLeft, boxTop, kTextTrackWidth, kTextHeight);
        place(LabelAlbum, albumLabelLeft, labelTop, albumLeft - albumLabelLeft, kLabelHeight);
        place(TextAlbum, albumLeft, boxTop, albumWidth, kTextHeight);
        place(LabelArtist, artistLabelLeft, labelTop, artistLabelWidth, kLabelHeight);
        place(TextArtist, artistLeft, boxTop, artistWidth, kTextHeight);
        place(LabelMP3Title, titleLabelLeft, labelTop, titleLabelWidth, kLabelHeight);
        place(TextTitle, titleLeft, boxTop, titleWidth, kTextHeight);
        place(LabelNewFileName, kLeft, labelTop + 432, newNameLeft - kLeft, kLabelHeight);
        place(TextNewFileName, newNameLeft, boxTop + 420, std::max(0.0, listLeft + listWidth - newNameLeft),
              kTextHeight);
    });
    // A vertical progress bar at the right edge, the status line at the foot.
    const double progLeft = W - 468;
    const double statusTop = H - 420;
    ResumeNext([&] {
        if (!ProgBar) return;
        ProgBar->setGeometry(TwipsToPixelsX(progLeft), TwipsToPixelsY(top), TwipsToPixelsX(kProgBarWidth),
                             TwipsToPixelsY(std::max(0.0, H - 528 - top)));
    });
    ResumeNext([&] {
        if (!LabelStatusBar) return;
        LabelStatusBar->setGeometry(TwipsToPixelsX(kLeft), TwipsToPixelsY(statusTop),
                                    TwipsToPixelsX(std::max(0.0, W - 696)), TwipsToPixelsY(270));
    });
    ResumeNext([&] {
        const int x = TwipsToPixelsX(progLeft);
        const int y = TwipsToPixelsY(statusTop) + (TwipsToPixelsY(270) - ImageRedIndicator->height()) / 2;
        ImageRedIndicator->move(x, y);
        if (ImageGreenIndicator) ImageGreenIndicator->move(x, y);
    });
    ResumeNext([&] { ResizeColumns(); });
}

double FormFileNameTagCoordinator::TagOverridesTwips(double column) const {
    // Room for either text of the indicator, the one for overrides in force
    // in bold, so that the column stays put when the text changes.
    QFont normal = LabelTagOverrides->font();
    normal.setBold(false);
    QFont bold = normal;
    bold.setBold(true);
    const QRect room(0, 0, TwipsToPixelsX(column), 100000);
    int pixels = 0;
    for (const auto& [font, text] : {std::pair{normal, TextId::Coordinator::NoOverridesInEffect},
                                     std::pair{bold, TextId::Coordinator::OverridesInEffect}})
        pixels =
            std::max(pixels, QFontMetrics(font).boundingRect(room, Qt::TextWordWrap, GetResourceString(text)).height());
    return std::max(kTagOverridesHeight, PixelsToTwipsY(pixels));
}

double FormFileNameTagCoordinator::LeftColumnTwips() const {
    int pixels = 0;
    for (QWidget* standard : std::initializer_list<QWidget*>{CheckOverrideArtist, CheckChangeFileName,
                                                             CheckChangeID3v1Tag, CheckChangeID3v2Tag, BtnSimulate,
                                                             BtnMassTagging})
        pixels = std::max(pixels, standard->sizeHint().width());
    // A skinned check box's caption stands beside its picture.
    for (const clsCheckBox* check : {&mcheckOverrideArtist, &mcheckChangeFileName, &mcheckChangeID3v1Tag,
                                     &mcheckChangeID3v2Tag})
        if (QLabel* label = check->CaptionLabel())
            pixels = std::max(pixels, label->x() + label->sizeHint().width() - TwipsToPixelsX(kLeft));
    return std::max(kColumnWidth, PixelsToTwipsX(pixels) + 60);
}

void FormFileNameTagCoordinator::ResizeColumns() {
    WithTrail(QStringLiteral("ResizeColumns"), [&] {
        const double room = PixelsToTwipsX(ListViewSimResults->width()) - 300;
        QHeaderView* header = ListViewSimResults->header();
        for (int c = 0; c < kSimColumnCount; ++c) {
            const double width = std::max(0.0, room * kColumnFractions[c]);
            // The folder column stays hidden whatever width it was given.
            header->setSectionHidden(c, width <= 0);
            if (width > 0) header->resizeSection(c, TwipsToPixelsX(width));
        }
    });
}

// ---- job mode -----------------------------------------------------------------------

void FormFileNameTagCoordinator::EnableControls(bool blnEnable) {
    try {
        // The list is hidden before its drawing is held and drawn again before
        // it is shown (a hidden widget whose drawing is held leaves its old
        // rows on screen).
        if (blnEnable) ListViewSimResults->setUpdatesEnabled(true);
        if (!mblnDropInProcess) ListViewSimResults->setVisible(blnEnable);
        if (!blnEnable) ListViewSimResults->setUpdatesEnabled(false);
        mcheckOverrideArtist.SetEnabled(blnEnable);
        TextOverrideArtist->setEnabled(blnEnable);
        mbuttonSimulate.SetEnabled(blnEnable);
        mcheckChangeFileName.SetEnabled(blnEnable);
        mcheckChangeID3v1Tag.SetEnabled(blnEnable);
        mcheckChangeID3v2Tag.SetEnabled(blnEnable);
        mbuttonApply.SetEnabled(blnEnable && m_results->rows() > 0);
        // The override tool can be opened during a job, its values not changed.
        EnableMassTaggingTool(blnEnable);
        UpdateProposedChangesTextBoxes(blnEnable);
        mbuttonStop.SetEnabled(!blnEnable);
        ::EnableMenus(this, blnEnable);
    } catch (...) {
        DisplayErrorMessage();
    }
}

void FormFileNameTagCoordinator::SetApplyEnabled(bool enabled) { mbuttonApply.SetEnabled(enabled); }

// ---- the override tool --------------------------------------------------------------

void FormFileNameTagCoordinator::LoadMassTaggingTool() {
    // Loaded here, it stays hidden until the user asks for it.
    WindowRegistry::LoadHidden(WindowNames::MassTagging);
}

bool FormFileNameTagCoordinator::MassTaggingOverridesInEffect() const {
    // The tool restores the stored set as it loads.
    const_cast<FormFileNameTagCoordinator*>(this)->LoadMassTaggingTool();
    return MassTagging().values().anyFieldInForce();
}

void FormFileNameTagCoordinator::EnableMassTaggingTool(bool enable) {
    if (auto* tool = WindowRegistry::FindAs<DialogMassTaggingOverrideTool>(WindowNames::MassTagging))
        tool->EnableControls(enable);
}

void FormFileNameTagCoordinator::ConfirmApplyChanges() {
    // The override set must hold its stored values before it is listed.
    LoadMassTaggingTool();
    int deleteRows = 0;
    for (int row = 0; row < m_results->rows(); ++row)
        if (m_results->isChecked(row) && ParseSimAction(m_results->text(row, SimColumn::Action)) == SimAction::Delete)
            ++deleteRows;
    m_applyDeletes = true;
    ::ConfirmApplyChanges(*this, deleteRows, m_applyDeletes);
}

void FormFileNameTagCoordinator::ApplyConfirmedChanges(JobHost& job) {
    ApplySettings settings;
    settings.changeFileName = mcheckChangeFileName.Value() == 1;
    settings.changeID3v1Tag = mcheckChangeID3v1Tag.Value() == 1;
    settings.changeID3v2Tag = mcheckChangeID3v2Tag.Value() == 1;
    settings.deleteFiles = m_applyDeletes;
    settings.writeReadOnly = Options().Preferences.blnWriteReadOnly;
    settings.useRecycleBin = Options().Preferences.blnUseRecycleBin;
    // The tool's controls are off for the whole run: one reading serves
    // every row.
    settings.overrides = MassTagging().values();
    const ApplyReport report = ApplyChanges(*m_results, settings, job);
    const QString text = ApplyEndText(report);
    if (report.stopped)
        job.ReportInterrupted(text);
    else if (report.failed > 0)
        job.ShowResult(text, true, QString());  // failed work is never reported quietly
    else
        job.ReportComplete(text);
}

void FormFileNameTagCoordinator::BtnMassTagging_Click() {
    // Modeless and without an owner: the coordinator stays usable beside it.
    if (IToolWindow* tool = WindowRegistry::Load(WindowNames::MassTagging)) tool->ShowWindow();
}

void FormFileNameTagCoordinator::UpdateOverrideIndicator() {
    const bool inEffect = MassTaggingOverridesInEffect();
    LabelTagOverrides->setText(GetResourceString(inEffect ? TextId::Coordinator::OverridesInEffect
                                                          : TextId::Coordinator::NoOverridesInEffect));
    QFont font = LabelTagOverrides->font();
    font.setBold(inEffect);
    LabelTagOverrides->setFont(font);
}

bool FormFileNameTagCoordinator::event(QEvent* event) {
    const bool handled = SkinnedToolWindow::event(event);
    if (event->type() == QEvent::WindowActivate) ResumeNext([&] { UpdateOverrideIndicator(); });
    return handled;
}

// ---- Simulate ---------------------------------------------------------------------

IScanResultsSource* FormFileNameTagCoordinator::ScanningCentre() const { return FindScanResultsSource(); }

void FormFileNameTagCoordinator::BtnSimulate_Click() {
    RunLongJob(this, {.needsScanResults = true}, [&](JobHost& job) {
        IScanResultsSource* centre = ScanningCentre();
        if (!centre) RaiseError(ErrNo::ObjectNotSet);
        const ScanResultsModel& results = *centre->ScanResults();
        const int64_t ticked = results.checkedCount();
        ResumeNext([&] { job.ShowProgress(0, ticked); });
        ResumeNext([&] { m_results->clear(); });
        SimulateRunReport report;
        ResumeNext([&] {
            const DerivationOverrides overrides{mcheckOverrideArtist.Value() == 1, TextOverrideArtist->text()};
            const NameDeriver deriver(Options().Coordinator, Options().CoordinatorAdv, overrides);
            report = SimulateResultsRows(
                results, [&](int row) { return results.isChecked(row); }, ticked, deriver, *m_results,
                Options().CoordinatorAdv, job);
        });
        ResumeNext([&] { SortListIfSorted(ListViewSimResults); });
        if (report.stopped)
            job.ReportInterrupted(GetResourceString(TextId::Coordinator::SimulateInterrupted));
        else
            job.ReportComplete(GetResourceString(TextId::Coordinator::SimulateComplete));
    });
}

void FormFileNameTagCoordinator::BtnStop_Click() { mblnStopAll = true; }

// ---- Apply ---------------------------------------------------------------------------

void FormFileNameTagCoordinator::BtnApply_Click() {
    // The Scanning Centre stays usable: Apply works on this table only.
    RunLongJob(this, {}, [&](JobHost& job) {
        ResumeNext([&] { job.ShowProgress(0, m_results->checkedCount()); });
        mblnApplyChanges = false;
        ResumeNext([&] { ConfirmApplyChanges(); });
        // Cancelled, or nothing to confirm: no file is touched, no end message.
        if (!mblnApplyChanges) return;
        ApplyConfirmedChanges(job);
    });
}

// ---- the table ----------------------------------------------------------------------

void FormFileNameTagCoordinator::UpdateSimResultEntry(int row) {
    try {
        if (row < 0 || row >= m_results->rows()) return;
        m_results->updateSimResultEntry(row, Options().CoordinatorAdv);
    } catch (...) {
        DisplayErrorMessage();
    }
}

void FormFileNameTagCoordinator::ListViewSimResults_ItemCheck(int row, bool checked) {
    if (row < 0 || row >= m_results->rows()) return;
    // A user's tick always means "Change", an untick "No Change".
    m_results->setText(row, SimColumn::Action, SimActionText(checked ? SimAction::Change : SimAction::NoChange));
    UpdateSimResultEntry(row);
}

void FormFileNameTagCoordinator::UpdateProposedChangesTextBoxes(bool blnEnable) {
    WithTrail(CallSite(QStringLiteral("UpdateProposedChangesTextBoxes"), blnEnable), [&] {
        const bool on = blnEnable && ListItemSelected(ListViewSimResults);
        for (QWidget* control : std::initializer_list<QWidget*>{LabelTrack, TextTrack, LabelAlbum, TextAlbum,
                                                                LabelArtist, TextArtist, LabelMP3Title, TextTitle,
                                                                LabelNewFileName, TextNewFileName})
            control->setEnabled(on);
        if (!on) return;
        mblnUpdatingProposedChanges = true;
        const auto done = qScopeGuard([&] { mblnUpdatingProposedChanges = false; });
        const int row = ListViewSimResults->currentIndex().row();
        TextTrack->setText(m_results->text(row, SimColumn::Track));
        TextAlbum->setText(m_results->text(row, SimColumn::Album));
        TextArtist->setText(m_results->text(row, SimColumn::Artist));
        TextTitle->setText(m_results->text(row, SimColumn::Title));
        TextNewFileName->setText(m_results->text(row, SimColumn::NewFileName));
    });
}

void FormFileNameTagCoordinator::ProposedChange(QLineEdit* box, int column) {
    if (mblnUpdatingProposedChanges || !ListItemSelected(ListViewSimResults)) return;
    const QModelIndex current = ListViewSimResults->currentIndex();
    ListViewSimResults->scrollTo(current);
    if (box == TextNewFileName) {
        // No character a file name cannot hold, no blanks at its ends.
        QString text = box->text();
        int caret = box->cursorPosition();
        if (EnsureFileNameCompatibleTextBox(text, caret, QString())) {
            Beep();
            // Setting the text runs this handler again with the clean text.
            box->setText(text);
            box->setCursorPosition(std::min<int>(caret, static_cast<int>(text.size())));
            return;
        }
    }
    m_results->setText(current.row(), column, box->text());
}

// ---- drop on the table ----------------------------------------------------------------

bool FormFileNameTagCoordinator::ListViewSimResults_OLEDragOver(const QStringList& files) const {
    if (files.isEmpty()) return false;
    const IScanResultsSource* centre = ScanningCentre();
    if (centre && centre->DragInProcess()) return true;
    return files.size() == 1 && IsSimFile(files.front());
}

void FormFileNameTagCoordinator::ListViewSimResults_OLEDragDrop(const QStringList& paths) {
    if (paths.isEmpty()) return;
    // The table stays visible while the drop is processed.
    mblnDropInProcess = true;
    const auto dropEnded = qScopeGuard([&] { mblnDropInProcess = false; });
    RunLongJob(this, {}, [&](JobHost& job) {
        if (paths.size() == 1 && IsSimFile(paths.front())) {
            ResumeNext([&] { LoadSimResultsFile(paths.front()); });
            return;
        }
        IScanResultsSource* centre = ScanningCentre();
        if (!centre) return;
        const ScanResultsModel& results = *centre->ScanResults();
        // The rows selected in the results list, walked in list order.
        std::vector<bool> selected(static_cast<size_t>(results.rows()), false);
        int64_t count = 0;
        for (int row : centre->SelectedScanResultsRows()) {
            if (row < 0 || row >= results.rows()) continue;
            selected[size_t(row)] = true;
            ++count;
        }
        ResumeNext([&] { job.ShowProgress(0, count); });
        ResumeNext([&] { SetApplyEnabled(false); });
        ResumeNext([&] {
            const DerivationOverrides overrides{mcheckOverrideArtist.Value() == 1, TextOverrideArtist->text()};
            const NameDeriver deriver(Options().Coordinator, Options().CoordinatorAdv, overrides);
            SimulateResultsRows(
                results, [&](int row) { return selected[size_t(row)]; }, count, deriver, *m_results,
                Options().CoordinatorAdv, job);
        });
        ResumeNext([&] { SortListIfSorted(ListViewSimResults); });
        ResumeNext([&] { SetApplyEnabled(true); });
    });
}

// ---- list files ---------------------------------------------------------------------

void FormFileNameTagCoordinator::LoadSimResultsFile(const QString& path) {
    SimResultsListFile list(*m_results);
    LoadTextFileToListView(list, path, GetResourceString(TextId::Common::InvalidSimulateResultsFile));
    SortListIfSorted(ListViewSimResults);
}

void FormFileNameTagCoordinator::mnuFileOpen_Click() {
    RunLongJob(this, {}, [&](JobHost&) {
        const QString folder =
            GetOptionSetting(kSettingsSection, kLocationKey, AppPath(), SettingType::String).toString();
        QString fileName;
        if (!DisplayCommonDialogOpen(CommonDialogFile, GetResourceString(TextId::Coordinator::LoadSimulateResults),
                                     SimResultsFilter(), fileName, folder))
            return;
        ResumeNext([&] { LoadSimResultsFile(fileName); });
        // The next Open starts in that folder, whether or not the file was taken.
        SaveOptionSetting(kSettingsSection, kLocationKey, ParentFolder(fileName), SettingType::String);
    });
}

void FormFileNameTagCoordinator::mnuFileSave_Click() {
    RunLongJob(this, {}, [&](JobHost&) {
        // The Save dialog always starts in the program's "Results" folder.
        CommonDialogFile.InitDir = JoinPath(AppPath(), QStringLiteral("Results"));
        CommonDialogFile.DialogTitle = GetResourceString(TextId::Common::SaveSimulateResults);
        CommonDialogFile.Filter = SimResultsFilter();
        QString chosen;
        const SimResultsListFile list(*m_results);
        const bool saved = SaveListViewToTextFile(
            list,
            [&] { return chosen = CommonDialogFile.ChooseSavePath(); },
            GetResourceString(TextId::Common::NoSimulateResultsToSave));
        if (saved) SaveOptionSetting(kSettingsSection, kLocationKey, ParentFolder(chosen), SettingType::String);
    });
}

void FormFileNameTagCoordinator::mnuFileExit_Click() { FileExitClick(this); }

// ---- actions ----------------------------------------------------------------------------

void FormFileNameTagCoordinator::ActionsMenuRootSelect() {
    WithTrail(QStringLiteral("ActionsMenuRootSelect"), [&] {
        const bool selected = ListItemSelected(ListViewSimResults);
        const bool hasRows = m_results->rows() > 0;
        mnuActionsFileInfo->setEnabled(selected);
        mnuActionsPlay->setEnabled(selected);
        mnuActionsAlterActionRoot->setEnabled(selected);
        mnuActionsAlterAllActionsRoot->setEnabled(hasRows);
        mnuActionsCheckAll->setEnabled(hasRows);
        mnuActionsUncheckAll->setEnabled(hasRows);
    });
}

QString FormFileNameTagCoordinator::CurrentRowPath() const {
    if (!ListItemSelected(ListViewSimResults)) return QString();
    const int row = ListViewSimResults->currentIndex().row();
    return JoinPath(m_results->text(row, SimColumn::Folder), m_results->text(row, SimColumn::OldFileName));
}

void FormFileNameTagCoordinator::mnuActionsFileInfo_Click() {
    const QString path = CurrentRowPath();
    // The row is not read again, whatever the window changed.
    if (!path.isEmpty()) ResumeNext([&] { DisplayFileInfoDialog(path); });
}

void FormFileNameTagCoordinator::mnuActionsPlay_Click() {
    const QString path = CurrentRowPath();
    if (!path.isEmpty()) OpenWebBrowser(path, this);
}

namespace {
SimAction ActionOfItem(int index) {
    return index == 1 ? SimAction::NoChange : index == 2 ? SimAction::Delete : SimAction::Change;
}
}  // namespace

void FormFileNameTagCoordinator::mnuActionsAlterAction_Click(int Index) {
    if (Index < 0 || Index > 2 || !ListItemSelected(ListViewSimResults)) return;
    const int row = ListViewSimResults->currentIndex().row();
    ResumeNext([&] { m_results->setText(row, SimColumn::Action, SimActionText(ActionOfItem(Index))); });
    UpdateSimResultEntry(row);
}

void FormFileNameTagCoordinator::mnuActionsAlterAllActions_Click(int Index) {
    if (Index < 0 || Index > 2) return;
    const QString action = SimActionText(ActionOfItem(Index));
    for (int row = 0; row < m_results->rows(); ++row) {
        ResumeNext([&] { m_results->setText(row, SimColumn::Action, action); });
        UpdateSimResultEntry(row);
    }
}

void FormFileNameTagCoordinator::mnuActionsCheckAll_Click() { m_results->setAllChecked(true); }

void FormFileNameTagCoordinator::mnuActionsUncheckAll_Click() { m_results->setAllChecked(false); }

// ---- relays ---------------------------------------------------------------------------

void FormFileNameTagCoordinator::mnuEdit_Click(int Index) {
    ResumeNext([&] { EditMenuItemSelect(Index, ListViewSimResults); });
    ResumeNext([&] { UpdateProposedChangesTextBoxes(true); });
    ResumeNext([&] { SetApplyEnabled(m_results->rows() > 0); });
}

void FormFileNameTagCoordinator::LabelMenu_Click(int Index) {
    LabelMenuClick(this, Index, ListViewSimResults, [this] { ActionsMenuRootSelect(); });
}

void FormFileNameTagCoordinator::UpdateSkinControls() {
    try {
        mcheckOverrideArtist.Refresh();
        mcheckChangeFileName.Refresh();
        mcheckChangeID3v1Tag.Refresh();
        mcheckChangeID3v2Tag.Refresh();
    } catch (...) {
        DisplayErrorMessage();
    }
}

// ---- keys -------------------------------------------------------------------------------

void FormFileNameTagCoordinator::ProcessShortcutKeys(int KeyCode, int Shift) {
    if (!(Shift & ShiftBit::Alt)) return;  // F1 is the key router's
    // A focus move to a box that is off does nothing.
    auto focus = [](QWidget* box) {
        if (box->isEnabled() && box->isVisible()) box->setFocus(Qt::ShortcutFocusReason);
    };
    switch (KeyCode) {
    case 79:  // O
        if (mcheckOverrideArtist.Enabled()) ResumeNext([&] { mcheckOverrideArtist.Click(); });
        focus(TextOverrideArtist);
        break;
    case KeyCode::S:
        // Both captions carry S: Simulate when it can run, else Stop.
        if (mbuttonSimulate.Enabled())
            BtnSimulate_Click();
        else if (mbuttonStop.Enabled())
            BtnStop_Click();
        break;
    case 77:  // M
        if (mbuttonMassTagging.Enabled()) ResumeNext([&] { BtnMassTagging_Click(); });
        break;
    case 78:  // N
        if (mcheckChangeFileName.Enabled()) ResumeNext([&] { mcheckChangeFileName.Click(); });
        break;
    case 49:  // 1 of the main keyboard row
        if (mcheckChangeID3v1Tag.Enabled()) ResumeNext([&] { mcheckChangeID3v1Tag.Click(); });
        break;
    case 50:  // 2
        if (mcheckChangeID3v2Tag.Enabled()) ResumeNext([&] { mcheckChangeID3v2Tag.Click(); });
        break;
    case 80:  // P
        if (mbuttonApply.Enabled()) BtnApply_Click();
        break;
    case 75: focus(TextTrack); break;        // K
    case 76: focus(TextAlbum); break;        // L
    case 82: focus(TextArtist); break;       // R
    case 73: focus(TextTitle); break;        // I
    case 87: focus(TextNewFileName); break;  // W
    default: break;
    }
}

bool FormFileNameTagCoordinator::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CheckOverrideArtist && event->type() == QEvent::Shortcut) {
        ResumeNext([&] { ProcessShortcutKeys(79, ShiftBit::Alt); });
        return true;
    }
    return SkinnedToolWindow::eventFilter(watched, event);
}

// ---- close ------------------------------------------------------------------------------

void FormFileNameTagCoordinator::UnloadOwn() {
    // The override tool goes with the coordinator (it saves its own settings).
    ResumeNext([&] {
        if (IToolWindow* tool = WindowRegistry::Find(WindowNames::MassTagging)) tool->UnloadWindow();
    });
}

// ---- settings ---------------------------------------------------------------------------

FileNameTagCoordinatorSettings FormFileNameTagCoordinator::TakeFileNameTagCoordinatorSettings() const {
    FileNameTagCoordinatorSettings settings;
    settings.CheckChangeFileName = mcheckChangeFileName.Value() == 1;
    settings.CheckChangeID3v1Tag = mcheckChangeID3v1Tag.Value() == 1;
    settings.CheckChangeID3v2Tag = mcheckChangeID3v2Tag.Value() == 1;
    settings.ListViewSimResults = TakeListSort(ListViewSimResults);
    return settings;
}

void FormFileNameTagCoordinator::ShowFileNameTagCoordinatorSettings(const FileNameTagCoordinatorSettings& settings) {
    mcheckChangeFileName.SetValue(settings.CheckChangeFileName ? 1 : 0);
    mcheckChangeID3v1Tag.SetValue(settings.CheckChangeID3v1Tag ? 1 : 0);
    mcheckChangeID3v2Tag.SetValue(settings.CheckChangeID3v2Tag ? 1 : 0);
    UpdateSkinControls();
    ShowListSort(ListViewSimResults, settings.ListViewSimResults);
}

void FormFileNameTagCoordinator::ReadSettings() {
    // Nothing stored: the three boxes are ticked.
    FileNameTagCoordinatorSettings settings;
    ReadThenShow([&] { settings.Read(); }, [&] { ShowFileNameTagCoordinatorSettings(settings); });
}

void FormFileNameTagCoordinator::WriteSettings() { TakeFileNameTagCoordinatorSettings().Write(); }

void RegisterFileNameTagCoordinatorWindow() {
    WindowRegistry::SetFactory(WindowNames::Coordinator, [] { return new FormFileNameTagCoordinator; });
}
