#include "scanning/ui/ScanningCentre.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/Help.h"
#include "foundation/ListFiles.h"
#include "foundation/LongJob.h"
#include "foundation/MessageUi.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/ui/WindowPositions.h"
#include "foundation/SharedServices.h"
#include "foundation/Twips.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/RowRefresh.h"
#include "scanning/engine/ScanResultsListFile.h"
#include "scanning/engine/SortIntoFolders.h"
#include "scanning/ui/ColumnSettingsDialog.h"
#include "scanning/ui/FileInfoDialog.h"
#include "scanning/ui/FolderTree.h"
#include "foundation/ui/ListColumns.h"
#include "options/ui/ControlSettingsUi.h"
#include "scanning/ui/ScanResultsView.h"
#include "scanning/ui/WindowServices.h"
#include "shell/SkinScheme.h"
#include "shell/edit/ui/EditCommands.h"
#include "shell/menus/KeyboardState.h"
#include "shell/menus/ui/Menus.h"
#include "shell/start/StartProcedure.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/SkinController.h"
#include "shell/ui/SkinnedControlBuilder.h"
#include "shell/ui/SkinWidgets.h"
#include "shell/ui/Skins.h"
#include "shell/ui/Splitter.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <algorithm>

namespace {

// ---- design layout (twips) ----------------------------------------------------
constexpr double kMargin = 120;
constexpr double kMinHeight = 5280;
constexpr double kMinWidth = 8000;
constexpr double kCheckLeft = 120, kCheckWidth = 2892, kCheckHeight = 252;
constexpr double kScanLeft = 120, kStopLeft = 1680, kButtonWidth = 1368, kButtonHeight = 348;
constexpr double kTreeToCheck = 168;   // from the tree's bottom to the check box
constexpr double kCheckToButtons = 360;
constexpr double kRoomUnderTree = 900;  // the check box and the buttons
constexpr double kStatusFromBottom = 420;
constexpr double kStatusHeight = 270;
constexpr double kListToStatus = 90;
constexpr double kWidthLessSplitter = 696;
constexpr double kProgBarFromRight = 468;
constexpr double kProgBarWidth = 240;

QString ScanResultsFilter() { return QStringLiteral("Scan Results (*.scn)|*.scn"); }

}  // namespace

// ---- load -----------------------------------------------------------------------

FormMP3ScanningCentre::FormMP3ScanningCentre(QWidget* parent)
    : SkinnedToolWindow(WindowNames::ScanningCentre, parent),
      CommonDialogFile(this, QStringLiteral("CommonDialogFile")) {
    // Closing this window ends the program: it unloads the others itself.
    setAttribute(Qt::WA_QuitOnClose, true);
    // Sized by its stored place alone.
    LoadToolWindow({.minHeight = kMinHeight, .minWidth = kMinWidth});

    CommonDialogFile.Flags = Cdl::OFNFileMustExist | Cdl::OFNHideReadOnly | Cdl::OFNOverwritePrompt;  // 4102
    m_scan->workList.clear();

    ResumeNext([&] {
        SplitterPanes->SetOrientation(0);
        SplitterPanes->SetChild1(FolderTreeview);
        SplitterPanes->SetChild2(ListViewScanResults);
        SplitterPanes->SetSplitPercent(40);
        SplitterPanes->SetSplitterWidth(50);
        // The tree is never narrower than what stands under it: the Stop
        // button, and the include-subfolders box with its caption (the
        // list beside the tree would cover the caption's end).
        const int captionRight = std::max(CheckIncSubfolders->x() + CheckIncSubfolders->sizeHint().width(),
                                          LabelIncSubfolders->x() + LabelIncSubfolders->sizeHint().width());
        SplitterPanes->SetSplitterMinPos(
            static_cast<float>(std::max(kStopLeft + kButtonWidth, PixelsToTwipsX(captionRight) - kMargin)));
    });
    ResumeNext([&] { ReadSettings(); });
    ResumeNext([&] { LayoutControls(); });
    ResumeNext([&] { FolderTreeview_SelectionChange(); });
}

FormMP3ScanningCentre::~FormMP3ScanningCentre() = default;

void FormMP3ScanningCentre::PrepareLoad() {
    if (SkinImage* close = ImageSystemMenu[2]) {
        disconnect(close, &SkinImage::Click, this, nullptr);
        connect(close, &SkinImage::Click, this, [this] { ResumeNext([&] { ImageSystemMenuClose_Click(); }); });
    }
}

void FormMP3ScanningCentre::BuildControls() {
    FolderTreeview = new FolderTreeControl(this);
    m_results = new ScanResultsModel(this);
    m_host = std::make_unique<WindowJobHost>(this);
    m_scan = std::make_unique<FolderScan>(*m_results, *m_host, Options().ScanningCentre);
    ListViewScanResults = new ScanResultsView(this);
    ListViewScanResults->setResultsModel(m_results);
    SplitterPanes = new ::Splitter(this);
    SplitterPanes->setObjectName(QStringLiteral("Splitter"));

    // The picture check box and buttons over their standard controls; the
    // layout puts them under the tree.
    const auto check = BuildSkinnedCheckBox(this, mcheckIncSubfolders, QStringLiteral("IncSubfolders"),
                                            {kCheckLeft, 0, kCheckWidth, kCheckHeight});
    CheckIncSubfolders = check.standard;
    ImageIncSubfolders = check.picture;
    LabelIncSubfolders = check.label;
    const auto scan = BuildSkinnedButton(this, mbuttonScan, QStringLiteral("Scan"),
                                         {kScanLeft, 0, kButtonWidth, kButtonHeight}, [this] { BtnScan_Click(); });
    BtnScan = scan.standard;
    ImageScan = scan.picture;
    LabelScan = scan.label;
    const auto stop = BuildSkinnedButton(this, mbuttonStop, QStringLiteral("Stop"),
                                         {kStopLeft, 0, kButtonWidth, kButtonHeight}, [this] { BtnStop_Click(); });
    BtnStop = stop.standard;
    ImageStop = stop.picture;
    LabelStop = stop.label;
    mbuttonStop.SetEnabled(false);

    // The two indicators share one place: green in front while the list has
    // the focus, else red.
    ImageRedIndicator = BuildRedIndicatorAndProgBar();

    connect(FolderTreeview, &FolderTreeControl::SelectionChanged, this,
            [this] { ResumeNext([&] { FolderTreeview_SelectionChange(); }); });
    connect(SplitterPanes, &::Splitter::Resize, this, [this] { ResumeNext([&] { LayoutControls(); }); });

    ListViewScanResults->dragInProcess = [this] { return mblnDragInProcess; };
    ListViewScanResults->setDragInProcess = [this](bool on) { mblnDragInProcess = on; };
    connect(ListViewScanResults, &ScanResultsView::ColumnClicked, this,
            [this](int column) { ResumeNext([&] { ChangeSortColumn(ListViewScanResults, column + 1); }); });
    connect(ListViewScanResults, &ScanResultsView::FocusChanged, this,
            [this](bool focus) { ResumeNext([&] { ShowContextMenuIndicator(this, focus); }); });
    connect(ListViewScanResults, &ScanResultsView::RowDoubleClicked, this, [this] {
        ResumeNext([&] {
            if (ListItemSelected(ListViewScanResults)) mnuActionsFileInfo_Click();
        });
    });
    connect(ListViewScanResults, &ScanResultsView::RightButtonUp, this, [this](const QPoint& at) {
        ResumeNext([&] { ActionsMenuRootSelect(); });
        ResumeNext([&] { mnuActions->exec(at); });
    });
    connect(ListViewScanResults, &ScanResultsView::FilesDropped, this,
            [this](const QStringList& files) { ResumeNext([&] { ListViewScanResults_OLEDragDrop(files); }); });

    SetEditControl(ListViewScanResults);
}

void FormMP3ScanningCentre::BuildMenus() {
    mnuFile = new QMenu(this);
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileOpen = mnuFile->addAction(QString());
    mnuFileOpen->setObjectName(QStringLiteral("mnuFileOpen"));
    mnuFileSave = mnuFile->addAction(QString());
    mnuFileSave->setObjectName(QStringLiteral("mnuFileSave"));
    mnuFile->addSeparator();
    mnuFileExit = mnuFile->addAction(QString());
    mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));
    connect(mnuFileOpen, &QAction::triggered, this, [this] { ResumeNext([&] { mnuFileOpen_Click(); }); });
    connect(mnuFileSave, &QAction::triggered, this, [this] { ResumeNext([&] { mnuFileSave_Click(); }); });
    connect(mnuFileExit, &QAction::triggered, this, [this] { ResumeNext([&] { mnuFileExit_Click(); }); });

    mnuActions = new QMenu(this);
    mnuActions->setObjectName(QStringLiteral("mnuActions"));
    auto add = [](QMenu* menu, const char* name) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    mnuActionsFileInfo = add(mnuActions, "mnuActionsFileInfo");
    mnuActionsPlay = add(mnuActions, "mnuActionsPlay");
    mnuActions->addSeparator();
    mnuActionsScanFromPlaylist = add(mnuActions, "mnuActionsScanFromPlaylist");
    mnuActionsSortIntoFoldersMenu = new QMenu(this);
    mnuActionsSortIntoFoldersMenu->setObjectName(QStringLiteral("mnuActionsSortIntoFoldersMenu"));
    mnuActionsSortIntoFolders = mnuActions->addMenu(mnuActionsSortIntoFoldersMenu);
    mnuActionsSortIntoFolders->setObjectName(QStringLiteral("mnuActionsSortIntoFolders"));
    mnuActionsSortIntoFoldersByID3v1TagRoot = mnuActionsSortIntoFoldersMenu->addMenu(QString());
    mnuActionsSortIntoFoldersByID3v1TagRoot->setObjectName(QStringLiteral("mnuActionsSortIntoFoldersByID3v1TagRoot"));
    mnuActionsSortIntoFoldersByID3v2TagRoot = mnuActionsSortIntoFoldersMenu->addMenu(QString());
    mnuActionsSortIntoFoldersByID3v2TagRoot->setObjectName(QStringLiteral("mnuActionsSortIntoFoldersByID3v2TagRoot"));
    for (size_t i = 0; i < mnuActionsSortIntoFoldersByID3v1Tag.size(); ++i) {
        QAction* action = mnuActionsSortIntoFoldersByID3v1TagRoot->addAction(QString());
        action->setObjectName(QStringLiteral("mnuActionsSortIntoFoldersByID3v1Tag_%1").arg(i));
        const int index = static_cast<int>(i);
        connect(action, &QAction::triggered, this,
                [this, index] { ResumeNext([&] { mnuActionsSortIntoFoldersByID3v1Tag_Click(index); }); });
        mnuActionsSortIntoFoldersByID3v1Tag[i] = action;
    }
    for (size_t i = 0; i < mnuActionsSortIntoFoldersByID3v2Tag.size(); ++i) {
        QAction* action = mnuActionsSortIntoFoldersByID3v2TagRoot->addAction(QString());
        action->setObjectName(QStringLiteral("mnuActionsSortIntoFoldersByID3v2Tag_%1").arg(i));
        const int index = static_cast<int>(i);
        connect(action, &QAction::triggered, this,
                [this, index] { ResumeNext([&] { mnuActionsSortIntoFoldersByID3v2Tag_Click(index); }); });
        mnuActionsSortIntoFoldersByID3v2Tag[i] = action;
    }
    mnuActions->addSeparator();
    mnuActionsCheckAll = add(mnuActions, "mnuActionsCheckAll");
    mnuActionsUncheckAll = add(mnuActions, "mnuActionsUncheckAll");
    mnuActions->addSeparator();
    mnuActionsCustCols = add(mnuActions, "mnuActionsCustCols");
    connect(mnuActionsFileInfo, &QAction::triggered, this, [this] { ResumeNext([&] { mnuActionsFileInfo_Click(); }); });
    connect(mnuActionsPlay, &QAction::triggered, this, [this] { ResumeNext([&] { mnuActionsPlay_Click(); }); });
    connect(mnuActionsScanFromPlaylist, &QAction::triggered, this,
            [this] { ResumeNext([&] { mnuActionsScanFromPlaylist_Click(); }); });
    connect(mnuActionsCheckAll, &QAction::triggered, this, [this] { ResumeNext([&] { mnuActionsCheckAll_Click(); }); });
    connect(mnuActionsUncheckAll, &QAction::triggered, this,
            [this] { ResumeNext([&] { mnuActionsUncheckAll_Click(); }); });
    connect(mnuActionsCustCols, &QAction::triggered, this, [this] { ResumeNext([&] { mnuActionsCustCols_Click(); }); });

    SetLabelMenuPopup(0, mnuFile);
    SetLabelMenuPopup(3, mnuActions);

    // The shared menus' items: Tools opens the Options on this window's page.
    ConnectSharedMenus(this, [] { return 1; });
}

void FormMP3ScanningCentre::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        SetCaption(GetResourceString(ToolWindow(WindowNames::ScanningCentre).captionId));
        if (LabelStatusBar) LabelStatusBar->setText(GetResourceString(TextId::Scan::ForHelpPressF1));
        mnuFileOpen->setText(GetResourceString(TextId::Menu::Open));
        mnuFileSave->setText(GetResourceString(TextId::Menu::Save));
        mnuFileExit->setText(GetResourceString(TextId::Menu::Exit));
        mnuActionsFileInfo->setText(GetResourceString(TextId::Menu::FileInformation));
        mnuActionsPlay->setText(GetResourceString(TextId::Menu::Play));
        mnuActionsScanFromPlaylist->setText(GetResourceString(TextId::Scan::ScanFromPlaylist));
        mnuActionsSortIntoFolders->setText(GetResourceString(TextId::Scan::SortIntoFolders));
        mnuActionsSortIntoFoldersByID3v1TagRoot->setTitle(GetResourceString(TextId::Scan::ByID3v1Tag));
        mnuActionsSortIntoFoldersByID3v2TagRoot->setTitle(GetResourceString(TextId::Scan::ByID3v2Tag));
        using namespace TextId::Scan;
        static const int32_t kByItems[] = {ByArtist,   ByAlbum,      ByGenre,     ByYear, ByComment,
                                           ByComposer, ByOrigArtist, ByCopyright, ByURL,  ByEncodedBy};
        for (size_t i = 0; i < mnuActionsSortIntoFoldersByID3v1Tag.size(); ++i)
            mnuActionsSortIntoFoldersByID3v1Tag[i]->setText(GetResourceString(kByItems[i]));
        for (size_t i = 0; i < mnuActionsSortIntoFoldersByID3v2Tag.size(); ++i)
            mnuActionsSortIntoFoldersByID3v2Tag[i]->setText(GetResourceString(kByItems[i]));
        mnuActionsCheckAll->setText(GetResourceString(TextId::Menu::CheckAll));
        mnuActionsUncheckAll->setText(GetResourceString(TextId::Menu::UncheckAll));
        mnuActionsCustCols->setText(GetResourceString(TextId::Scan::CustomizeColumns));
        mcheckIncSubfolders.SetCaption(GetResourceString(TextId::Scan::IncludeSubfolders));
        mcheckIncSubfolders.SetToolTipText(GetResourceString(TextId::Scan::IncludeSubfoldersTip));
        mbuttonScan.SetCaption(GetResourceString(TextId::Scan::Scan));
        mbuttonScan.SetToolTipText(GetResourceString(TextId::Scan::ScanTip));
        mbuttonStop.SetCaption(GetResourceString(TextId::Common::Stop));
        mbuttonStop.SetToolTipText(GetResourceString(TextId::Common::StopTip));
        // The caption of the plain check box fits whatever the language.
        CheckIncSubfolders->resize(std::max(TwipsToPixelsX(kCheckWidth), CheckIncSubfolders->sizeHint().width()),
                                   CheckIncSubfolders->height());
    });
}

// ---- layout -----------------------------------------------------------------------

void FormMP3ScanningCentre::LayoutControls() {
    if (m_inLayout || isMinimized() || !ListViewScanResults) return;
    m_inLayout = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{m_inLayout};

    const double W = PixelsToTwipsX(width());
    const double H = PixelsToTwipsY(height());
    // The panes start under the menu bar, wherever the dressing put it.
    double top = 780;
    if (LabelMenu[0]) top = PixelsToTwipsY(LabelMenu[0]->geometry().bottom() + 1) + 90;
    const double statusTop = H - kStatusFromBottom;
    const double listHeight = std::max(0.0, statusTop - kListToStatus - top);
    const double treeHeight = std::max(0.0, listHeight - kRoomUnderTree);
    const double splitterWidth = std::max(0.0, W - kWidthLessSplitter);

    ResumeNext([&] {
        ListViewScanResults->setGeometry(ListViewScanResults->x(), TwipsToPixelsY(top), ListViewScanResults->width(),
                                         TwipsToPixelsY(listHeight));
        FolderTreeview->setGeometry(TwipsToPixelsX(kMargin), TwipsToPixelsY(top), FolderTreeview->width(),
                                    TwipsToPixelsY(treeHeight));
        SplitterPanes->setGeometry(TwipsToPixelsX(kMargin), TwipsToPixelsY(top), TwipsToPixelsX(splitterWidth),
                                   TwipsToPixelsY(treeHeight));
        SplitterPanes->LayoutPass();
    });
    ResumeNext([&] {
        const float checkTop = static_cast<float>(top + treeHeight + kTreeToCheck);
        mcheckIncSubfolders.SetTop(checkTop);
        const float buttonsTop = checkTop + static_cast<float>(kCheckToButtons);
        mbuttonScan.SetTop(buttonsTop);
        mbuttonStop.SetTop(buttonsTop);
    });
    // Plain geometry from here on: nothing that can fail.
    if (ProgBar)
        ProgBar->setGeometry(TwipsToPixelsX(W - kProgBarFromRight), TwipsToPixelsY(top), TwipsToPixelsX(kProgBarWidth),
                             TwipsToPixelsY(listHeight));
    if (LabelStatusBar)
        LabelStatusBar->setGeometry(TwipsToPixelsX(kMargin) + TwipsToPixelsX(240), TwipsToPixelsY(statusTop),
                                    TwipsToPixelsX(W - kWidthLessSplitter - 240), TwipsToPixelsY(kStatusHeight));
    // The indicators lead the status line.
    const int x = TwipsToPixelsX(kMargin);
    const int y = TwipsToPixelsY(statusTop) + (TwipsToPixelsY(kStatusHeight) - ImageRedIndicator->height()) / 2;
    ImageRedIndicator->move(x, y);
    if (ImageGreenIndicator) ImageGreenIndicator->move(x, y);
}

// ---- job mode -----------------------------------------------------------------------

void FormMP3ScanningCentre::EnableControls(bool blnEnable) {
    try {
        mcheckIncSubfolders.SetEnabled(blnEnable);
        mbuttonScan.SetEnabled(blnEnable);
        // The list is hidden before its drawing is locked and drawn again
        // before it is shown: a widget whose drawing is locked leaves its
        // area unpainted when it is hidden, and old rows would stay on screen.
        if (blnEnable) ListViewScanResults->setUpdatesEnabled(true);
        if (!mblnDropInProcess) ListViewScanResults->setVisible(blnEnable);
        if (!blnEnable) ListViewScanResults->setUpdatesEnabled(false);
        SplitterPanes->setVisible(blnEnable);
        mbuttonStop.SetEnabled(!blnEnable);
        ::EnableMenus(this, blnEnable);
    } catch (...) {
        DisplayErrorMessage();
    }
}

QList<int> FormMP3ScanningCentre::SelectedScanResultsRows() const {
    return ListViewScanResults ? ListViewScanResults->SelectedRows() : QList<int>();
}

int64_t FormMP3ScanningCentre::ScanResultsCount() const { return m_results ? m_results->rows() : 0; }

void FormMP3ScanningCentre::SetScanButtonEnabled(bool enabled) { mbuttonScan.SetEnabled(enabled); }

void FormMP3ScanningCentre::SetScanResultsEnabled(bool enabled) { ListViewScanResults->setEnabled(enabled); }

// ---- folder tree and scan -------------------------------------------------------------

void FormMP3ScanningCentre::FolderTreeview_SelectionChange() {
    const QString folder = FolderTreeview->SelectedFolder();
    const bool exists = folder.compare(QLatin1String("Desktop"), Qt::CaseInsensitive) == 0 ||
                        (!folder.isEmpty() && FolderExists(folder));
    mbuttonScan.SetEnabled(exists && !mblnInhibitScan && !mblnProcessRunning);
}

void FormMP3ScanningCentre::BtnScan_Click() {
    RunLongJob(this, {}, [&](JobHost&) {
        mblnScanInProgress = true;
        const auto scanEnded = qScopeGuard([&] { mblnScanInProgress = false; });
        // The engine shows the status, checks the drive and runs the three
        // steps; the window's controls are off while it runs (the job's start
        // did that).
        ResumeNext([&] {
            m_scan->ScanFolder(FolderTreeview->SelectedFolder(), mcheckIncSubfolders.Value() == 1);
            mstrLastScannedFolder = m_scan->mstrLastScannedFolder;
        });
        ResumeNext([&] { SortListIfSorted(ListViewScanResults); });
    });
}

void FormMP3ScanningCentre::BtnStop_Click() { mblnStopAll = true; }

void FormMP3ScanningCentre::CheckIncSubfolders_Click() { mcheckIncSubfolders.Click(); }

void FormMP3ScanningCentre::ImageIncSubfolders_Click() { mcheckIncSubfolders.Click(); }

void FormMP3ScanningCentre::InitialiseScan() {
    WithTrail(QStringLiteral("InitialiseScan"), [&] {
        EnableControls(false);
        m_scan->InitialiseScan();
    });
}

void FormMP3ScanningCentre::ConcludeScan(bool clearFirst) {
    WithTrail(QStringLiteral("ConcludeScan"), [&] {
        // Rows are added while the list is hidden (or locked, for a drop).
        m_scan->ProcessFiles(clearFirst);
        SortListIfSorted(ListViewScanResults);
        EnableControls(true);
        ProgressIndication(this, GetResourceString(TextId::Scan::ScanComplete), false, QString(), 0);
    });
}

// ---- list files ---------------------------------------------------------------------

void FormMP3ScanningCentre::LoadScanResultsFile(const QString& path) {
    ScanResultsListFile list(*m_results);
    LoadTextFileToListView(list, path, GetResourceString(TextId::Common::InvalidScanResultsFile));
    SortListIfSorted(ListViewScanResults);
}

void FormMP3ScanningCentre::mnuFileOpen_Click() {
    RunLongJob(this, {}, [&](JobHost&) {
        // Nothing stored: the file dialog starts in the user's home folder.
        const QString folder = GetOptionSetting(QStringLiteral("Settings"), QStringLiteral("ScanResultsLocation"),
                                                QString(), SettingType::String).toString();
        QString fileName;
        if (!DisplayCommonDialogOpen(CommonDialogFile, GetResourceString(TextId::Scan::LoadScanResults),
                                     ScanResultsFilter(), fileName, folder))
            return;
        ResumeNext([&] { LoadScanResultsFile(fileName); });
        SaveOptionSetting(QStringLiteral("Settings"), QStringLiteral("ScanResultsLocation"), ParentFolder(fileName),
                          SettingType::String);
    });
}

void FormMP3ScanningCentre::mnuFileSave_Click() {
    RunLongJob(this, {.needsScanResults = true}, [&](JobHost&) {
        CommonDialogFile.InitDir = GetOptionSetting(QStringLiteral("Settings"), QStringLiteral("ScanResultsLocation"),
                                                    QString(), SettingType::String).toString();
        CommonDialogFile.DialogTitle = GetResourceString(TextId::Common::SaveScanResults);
        CommonDialogFile.Filter = ScanResultsFilter();
        QString chosen;
        const ScanResultsListFile list(*m_results);
        const bool saved = SaveListViewToTextFile(
            list,
            [&] { return chosen = CommonDialogFile.ChooseSavePath(); },
            GetResourceString(TextId::Common::NoScanResultsToSave));
        if (saved)
            SaveOptionSetting(QStringLiteral("Settings"), QStringLiteral("ScanResultsLocation"), ParentFolder(chosen),
                              SettingType::String);
    });
}

// ---- drop -----------------------------------------------------------------------------

void FormMP3ScanningCentre::ListViewScanResults_OLEDragDrop(const QStringList& paths) {
    if (paths.isEmpty()) return;
    // The list stays visible while dropped files are processed.
    mblnDropInProcess = true;
    const auto dropEnded = qScopeGuard([&] { mblnDropInProcess = false; });
    RunLongJob(this, {}, [&](JobHost&) {
        if (paths.size() == 1 &&
            QFileInfo(paths.front()).suffix().compare(QLatin1String("scn"), Qt::CaseInsensitive) == 0) {
            ResumeNext([&] { LoadScanResultsFile(paths.front()); });
            return;
        }
        ResumeNext([&] { InitialiseScan(); });
        ResumeNext([&] {
            // Every dropped file is taken, in its order (no 16-bit limit).
            std::vector<FolderListEntry>& work = m_scan->workList;
            work.clear();
            work.reserve(static_cast<size_t>(paths.size()));
            for (const QString& path : paths) work.push_back(FolderListEntry{ParentFolder(path), FileNamePart(path)});
        });
        // Dropped files are always added to the rows already there.
        ResumeNext([&] { ConcludeScan(false); });
    });
}

// ---- actions ----------------------------------------------------------------------------

void FormMP3ScanningCentre::ActionsMenuRootSelect() {
    WithTrail(QStringLiteral("ActionsMenuRootSelect"), [&] {
        const bool hasRows = m_results->rows() > 0;
        mnuActionsSortIntoFolders->setEnabled(hasRows);
        mnuActionsCheckAll->setEnabled(hasRows);
        mnuActionsUncheckAll->setEnabled(hasRows);
        bool fileThere = false;
        if (ListItemSelected(ListViewScanResults))
            fileThere = FileExists(m_results->fullPath(ListViewScanResults->currentIndex().row()));
        mnuActionsFileInfo->setEnabled(fileThere);
        mnuActionsPlay->setEnabled(fileThere);
    });
}

void FormMP3ScanningCentre::mnuActionsFileInfo_Click() {
    if (!ListItemSelected(ListViewScanResults)) return;
    const int row = ListViewScanResults->currentIndex().row();
    const QString path = m_results->fullPath(row);
    bool shown = false;
    ResumeNext([&] { shown = DisplayFileInfoDialog(path); });
    if (shown) ResumeNext([&] { UpdateScanResult(row); });
}

void FormMP3ScanningCentre::UpdateScanResult(int row) {
    if (row < 0 || row >= m_results->rows()) return;
    ::UpdateScanResult(*m_results, row);
}

void FormMP3ScanningCentre::mnuActionsPlay_Click() {
    if (!ListItemSelected(ListViewScanResults)) return;
    OpenWebBrowser(m_results->fullPath(ListViewScanResults->currentIndex().row()), this);
}

void FormMP3ScanningCentre::mnuActionsScanFromPlaylist_Click() {
    RunLongJob(this, {}, [&](JobHost&) {
        QString playlist;
        bool chosen = false;
        ResumeNext([&] {
            chosen = DisplayCommonDialogOpen(CommonDialogFile, GetResourceString(TextId::Scan::ScanPlaylist),
                                             QStringLiteral("Playlist Files (*.m3u,*.pls,*.b4s)|*.m3u;*.pls;*.b4s"),
                                             playlist, QString());
        });
        if (!chosen) return;
        QStringList entries;
        int32_t format = kNotAPlaylist;
        ResumeNext([&] { format = ReadPlaylistEntries(playlist, entries); });
        if (format == kNotAPlaylist) {
            ResumeNext([&] {
                MsgBox(GetResourceString(TextId::Scan::InvalidPlaylistFileText), Mb::OKOnly | Mb::Exclamation,
                       GetResourceString(TextId::Scan::InvalidPlaylistFile));
            });
            return;
        }
        ResumeNext([&] { InitialiseScan(); });
        ResumeNext([&] {
            std::vector<FolderListEntry>& work = m_scan->workList;
            work.clear();
            work.reserve(static_cast<size_t>(entries.size()));
            for (const QString& entry : entries) {
                if (mblnStopAll) break;
                // Relative entries come already joined to the playlist's folder.
                work.push_back(FolderListEntry{ParentFolder(entry), FileNamePart(entry)});
            }
        });
        ResumeNext([&] { ConcludeScan(Options().ScanningCentre.blnClearResults); });
    });
}

void FormMP3ScanningCentre::mnuActionsCheckAll_Click() { m_results->setAllChecked(true); }

void FormMP3ScanningCentre::mnuActionsUncheckAll_Click() { m_results->setAllChecked(false); }

void FormMP3ScanningCentre::mnuActionsCustCols_Click() {
    DialogColumnSettings dialog(this);
    dialog.InitiateDialog(ListViewScanResults);
    dialog.exec();
}

void FormMP3ScanningCentre::mnuActionsSortIntoFoldersByID3v1Tag_Click(int Index) {
    const int column = SortColumnForID3v1Item(Index);
    if (column >= 0) SortIntoFolders(column);
}

void FormMP3ScanningCentre::mnuActionsSortIntoFoldersByID3v2Tag_Click(int Index) {
    const int column = SortColumnForID3v2Item(Index);
    if (column >= 0) SortIntoFolders(column);
}

void FormMP3ScanningCentre::SortIntoFolders(int column) {
    RunLongJob(this, {}, [&](JobHost& job) {
        QString destination;
        ResumeNext([&] { destination = BrowseForFolder(this, GetResourceString(TextId::Scan::SortDestinationPrompt)); });
        // Only the checked rows are moved; the rows keep their cells.
        if (!destination.isEmpty()) ResumeNext([&] { ::SortIntoFolders(*m_results, column, destination, job); });
    });
}

// ---- relays ---------------------------------------------------------------------------

void FormMP3ScanningCentre::mnuEdit_Click(int Index) {
    try {
        EditMenuItemSelect(Index, ListViewScanResults);
    } catch (...) {
        DisplayErrorMessage();
    }
}

void FormMP3ScanningCentre::mnuFileExit_Click() {
    try {
        m_closeFromPlatform = false;
        close();
    } catch (...) {
        DisplayErrorMessage();
    }
}

void FormMP3ScanningCentre::LabelMenu_Click(int Index) {
    LabelMenuClick(this, Index, ListViewScanResults, [this] { ActionsMenuRootSelect(); });
}

// ---- keys -------------------------------------------------------------------------------

void FormMP3ScanningCentre::ProcessShortcutKeys(int KeyCode, int Shift) {
    if (!(Shift & ShiftBit::Alt)) return;  // F1 is the key router's
    if (KeyCode == KeyCode::S) {
        // Both captions carry S: Scan when it can run, else Stop.
        if (mbuttonScan.Enabled())
            BtnScan_Click();
        else if (mbuttonStop.Enabled())
            BtnStop_Click();
    } else if (KeyCode == 73) {  // I
        if (mcheckIncSubfolders.Enabled()) ResumeNext([&] { mcheckIncSubfolders.Click(); });
    }
}

// ---- close and shutdown -----------------------------------------------------------------

void FormMP3ScanningCentre::ImageSystemMenuClose_Click() {
    if (MsgBox(GetResourceString(TextId::Common::ExitQuestion), Mb::YesNo | Mb::Exclamation | Mb::DefaultButton1,
               GetResourceString(TextId::Common::ExitProgram)) != Mb::Yes)
        return;
    m_closeFromPlatform = false;
    if (clsSkin* skin = Skin()) skin->ImageSystemMenu_Click(2);
}

void FormMP3ScanningCentre::CloseFromWindowMenu() {
    m_closeFromPlatform = true;
    close();
    m_closeFromPlatform = false;
}

void FormMP3ScanningCentre::closeEvent(QCloseEvent* event) {
    if (event->spontaneous()) m_closeFromPlatform = true;
    SkinnedToolWindow::closeEvent(event);
    m_closeFromPlatform = false;
}

void FormMP3ScanningCentre::QueryUnload(bool& cancel) {
    SkinnedToolWindow::QueryUnload(cancel);
    if (cancel) return;
    if (m_closeFromPlatform && MsgBox(GetResourceString(TextId::Common::ExitQuestion), Mb::YesNo,
                                      GetResourceString(TextId::Common::ExitProgram)) == Mb::No)
        cancel = true;
}

void FormMP3ScanningCentre::UnloadOwn() {
    // Which tool windows are open, for the next start (with RetainWindows on).
    ResumeNext([] {
        SaveWindowStates([](const QString& name) {
            IToolWindow* tool = WindowRegistry::Find(name);
            if (!tool) return false;
            // The coordinator keeps the override tool loaded but hidden: only
            // a window the user has open counts.
            if (name == WindowNames::MassTagging) {
                auto* window = dynamic_cast<QWidget*>(tool);
                return window && window->isVisible();
            }
            return true;
        });
    });
    // Every other window, hidden ones included; each saves its own settings.
    for (IToolWindow* window : WindowRegistry::Loaded()) {
        if (window == this) continue;
        // A window may take another with it when it unloads (the coordinator
        // its override tool): that one is gone, and may be freed already.
        const std::vector<IToolWindow*> loaded = WindowRegistry::Loaded();
        if (std::find(loaded.begin(), loaded.end(), window) == loaded.end()) continue;
        ResumeNext([&] { window->UnloadWindow(); });
    }
    ResumeNext([] { TerminateID3v2Class(); });
    ResumeNext([&] {
        SplitterPanes->SetChild1(nullptr);
        SplitterPanes->SetChild2(nullptr);
    });
    // With the main window gone the program ends.
    QCoreApplication::quit();
}

// ---- settings ---------------------------------------------------------------------------

ScanningCentreSettings FormMP3ScanningCentre::TakeScanningCentreSettings() const {
    ScanningCentreSettings settings;
    settings.SelectedFolder = FolderTreeview->SelectedFolder();
    settings.CheckIncSubfolders = mcheckIncSubfolders.Value() != 0;
    settings.ListViewScanResultsSort = TakeListSort(ListViewScanResults);
    settings.ListViewScanResultsColumns = TakeListColumns(ListViewScanResults);
    return settings;
}

void FormMP3ScanningCentre::ShowScanningCentreSettings(const ScanningCentreSettings& settings) {
    FolderTreeview->SetSelectedFolder(settings.SelectedFolder);
    mcheckIncSubfolders.SetValue(settings.CheckIncSubfolders ? 1 : 0);
    ShowListSort(ListViewScanResults, settings.ListViewScanResultsSort);
    ShowListColumns(ListViewScanResults, settings.ListViewScanResultsColumns);
}

void FormMP3ScanningCentre::ReadSettings() {
    ScanningCentreSettings settings = TakeScanningCentreSettings();
    // Columns not read keep their width.
    settings.ListViewScanResultsColumns.Widths.clear();
    ReadThenShow([&] { settings.Read(m_results->columnCount()); },
                 [&] { ShowScanningCentreSettings(settings); });
}

void FormMP3ScanningCentre::WriteSettings() { TakeScanningCentreSettings().Write(); }

void RegisterScanningCentreWindow() {
    WindowRegistry::SetFactory(WindowNames::ScanningCentre, [] { return new FormMP3ScanningCentre; });
}
