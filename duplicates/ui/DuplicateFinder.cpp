#include "duplicates/ui/DuplicateFinder.h"

#include "duplicates/DuplicateDelete.h"
#include "duplicates/DuplicateSearch.h"
#include "duplicates/DuplicateSelect.h"
#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/Help.h"
#include "foundation/LongJob.h"
#include "foundation/MessageUi.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/SharedServices.h"
#include "foundation/Twips.h"
#include "foundation/ui/ResultsListView.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/engine/ScanResultsSource.h"
#include "scanning/ui/FileInfoDialog.h"
#include "shell/edit/ui/EditCommands.h"
#include "shell/menus/KeyboardState.h"
#include "shell/menus/ui/Menus.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/SkinnedControlBuilder.h"
#include "shell/ui/SkinWidgets.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <algorithm>

namespace {

// ---- design layout (twips) ----------------------------------------------------
constexpr double kButtonTop = 480, kButtonHeight = 348;
constexpr double kFindLeft = 120, kDeleteLeft = 2760, kStopLeft = 5400;
constexpr double kWideButton = 2532, kStopWidth = 1368;
constexpr double kLogoLeft = 6840, kLogoWidth = 1692, kLogoHeight = 372;
constexpr double kListLeft = 120, kListTop = 960;
constexpr double kProgBarWidth = 252;
constexpr double kIndicatorHeight = 240;
// The window: built 9108 x 6060 outside, never smaller than 8000 x 5280.
constexpr double kBuiltWidth = 9108, kBuiltHeight = 6060;
constexpr double kMinHeight = 5280, kMinWidth = 8000;
// Column widths as fractions of the list's width less 300 twips (the check
// boxes and the scroll bar).
constexpr double kColumnFractions[kDuplicateColumnCount] = {0.2, 0.2, 0.15, 0.15, 0.15, 0.15};
// At most this many files are named in the report of a Delete.
constexpr int kFailuresNamed = 20;

// The maker's logo: its name on a band of the program's blue.
QPixmap LogoPicture() {
    const QSize size(TwipsToPixelsX(kLogoWidth), TwipsToPixelsY(kLogoHeight));
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, QColor(0x3c, 0x6e, 0xb4));
    fill.setColorAt(1, QColor(0x1c, 0x3a, 0x6e));
    painter.setBrush(fill);
    painter.setPen(QColor(0x12, 0x24, 0x48));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 4, 4);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(8, size.height() * 11 / 20));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, QStringLiteral("brellick"));
    return picture;
}

// The report of the files a Delete could not delete.
QString FailuresText(const std::vector<DeleteFailure>& failures) {
    QStringList lines{GetResourceString(TextId::Duplicates::FilesNotDeleted)};
    for (size_t i = 0; i < failures.size() && i < size_t(kFailuresNamed); ++i) {
        const DeleteFailure& f = failures[i];
        const QString why = f.missing             ? GetResourceString(TextId::Duplicates::FileNotFound)
                            : !f.reason.isEmpty() ? f.reason
                                                  : GetResourceString(TextId::Duplicates::FileNotRemoved);
        lines << f.path + QStringLiteral(" (") + why + QStringLiteral(")");
    }
    if (failures.size() > size_t(kFailuresNamed))
        lines << GetResourceString(TextId::Duplicates::MoreFilesNotDeleted) +
                     QString::number(failures.size() - size_t(kFailuresNamed));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

// ---- load -----------------------------------------------------------------------

FormDuplicateFinder::FormDuplicateFinder(QWidget* parent) : SkinnedToolWindow(WindowNames::DuplicateFinder, parent) {
    LoadToolWindow(
        {.minHeight = kMinHeight, .minWidth = kMinWidth, .builtWidth = kBuiltWidth, .builtHeight = kBuiltHeight});
    ResumeNext([&] { LayoutControls(); });
}

FormDuplicateFinder::~FormDuplicateFinder() = default;

void FormDuplicateFinder::BuildControls() {
    const auto find = BuildSkinnedButton(this, mbuttonFind, QStringLiteral("Find"),
                                         {kFindLeft, kButtonTop, kWideButton, kButtonHeight},
                                         [this] { BtnFind_Click(); });
    BtnFind = find.standard;
    const auto del = BuildSkinnedButton(this, mbuttonDelete, QStringLiteral("Delete"),
                                        {kDeleteLeft, kButtonTop, kWideButton, kButtonHeight},
                                        [this] { BtnDelete_Click(); });
    BtnDelete = del.standard;
    const auto stop = BuildSkinnedButton(this, mbuttonStop, QStringLiteral("Stop"),
                                         {kStopLeft, kButtonTop, kStopWidth, kButtonHeight},
                                         [this] { BtnStop_Click(); });
    BtnStop = stop.standard;
    mbuttonDelete.SetEnabled(false);
    mbuttonStop.SetEnabled(false);

    ImageBrellick = new SkinImage(this);
    ImageBrellick->setObjectName(QStringLiteral("ImageBrellick"));
    ImageBrellick->SetStretch(true);
    ImageBrellick->SetPicture(LogoPicture());
    ImageBrellick->setCursor(Qt::PointingHandCursor);
    connect(ImageBrellick, &SkinImage::Click, this, [this] { ResumeNext([&] { ImageBrellick_Click(); }); });

    m_list = new DuplicatesModel(this);
    ListViewDuplicates = new ResultsListView(QStringLiteral("ListViewDuplicates"), this);
    ListViewDuplicates->setModel(m_list);
    // Nothing is dropped here, and the rows keep their title order.
    ListViewDuplicates->setAcceptDrops(false);
    ListViewDuplicates->header()->setSectionsClickable(false);

    // The two indicators share one place: green in front while the list has
    // the focus and rows, else red.
    ImageRedIndicator = BuildRedIndicatorAndProgBar();

    connect(m_list, &DuplicatesModel::checkToggledByUser, this,
            [this] { ResumeNext([&] { ListViewDuplicates_ItemCheck(); }); });
    // Rows taken out (the Edit menu's Cut and Delete) may take the last tick.
    connect(m_list, &QAbstractItemModel::rowsRemoved, this,
            [this] { ResumeNext([&] { if (!mblnProcessRunning) ListViewDuplicates_ItemCheck(); }); });
    connect(ListViewDuplicates, &ResultsListView::FocusChanged, this, [this](bool focus) {
        ResumeNext([&] { ShowContextMenuIndicator(this, focus && m_list->rows() > 0); });
    });
    connect(ListViewDuplicates, &ResultsListView::RightButtonUp, this, [this](const QPoint& at) {
        if (m_list->rows() == 0) return;
        ResumeNext([&] { ActionsMenuRootSelect(); });
        ResumeNext([&] { mnuActions->exec(at); });
    });
    SetEditControl(ListViewDuplicates);
}

void FormDuplicateFinder::BuildMenus() {
    auto add = [this](QMenu* menu, const char* name, void (FormDuplicateFinder::*command)()) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, command] { ResumeNext([&] { (this->*command)(); }); });
        return action;
    };
    mnuFile = new QMenu(this);
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileExit = add(mnuFile, "mnuFileExit", &FormDuplicateFinder::mnuFileExit_Click);

    mnuActions = new QMenu(this);
    mnuActions->setObjectName(QStringLiteral("mnuActions"));
    mnuActionsFileInfo = add(mnuActions, "mnuActionsFileInfo", &FormDuplicateFinder::mnuActionsFileInfo_Click);
    mnuActionsPlay = add(mnuActions, "mnuActionsPlay", &FormDuplicateFinder::mnuActionsPlay_Click);
    mnuActions->addSeparator()->setObjectName(QStringLiteral("mnuActionsGap1"));
    mnuActionsSelectAllDups =
        add(mnuActions, "mnuActionsSelectAllDups", &FormDuplicateFinder::mnuActionsSelectAllDups_Click);
    mnuActionsSelectAllDupsBarOne =
        add(mnuActions, "mnuActionsSelectAllDupsBarOne", &FormDuplicateFinder::mnuActionsSelectAllDupsBarOne_Click);
    mnuActionsSelectAllDupsWithSameArtistBarOne =
        add(mnuActions, "mnuActionsSelectAllDupsWithSameArtistBarOne",
            &FormDuplicateFinder::mnuActionsSelectAllDupsWithSameArtistBarOne_Click);

    SetLabelMenuPopup(0, mnuFile);
    SetLabelMenuPopup(3, mnuActions);
    // Paste is built hidden: rows are never pasted into the list.
    if (mnuEdit[EditItem::Paste]) mnuEdit[EditItem::Paste]->setVisible(false);
    // This window's own item in the Tools menu.
    if (mnuTools[ToolsItem::DuplicateFinder]) mnuTools[ToolsItem::DuplicateFinder]->setEnabled(false);
    // The window has no options page.
    ConnectSharedMenus(this, [] { return -1; });
}

void FormDuplicateFinder::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        namespace T = TextId::Duplicates;
        SetCaption(GetResourceString(T::Caption));
        if (LabelStatusBar) LabelStatusBar->setText(GetResourceString(TextId::Scan::ForHelpPressF1));
        mnuFileExit->setText(GetResourceString(TextId::Menu::Exit) + QStringLiteral("\tCtrl+Q"));
        mnuActionsFileInfo->setText(GetResourceString(TextId::Menu::FileInformation));
        mnuActionsPlay->setText(GetResourceString(TextId::Menu::Play));
        mnuActionsSelectAllDups->setText(GetResourceString(T::SelectAllDuplicateTitles));
        mnuActionsSelectAllDupsBarOne->setText(GetResourceString(T::SelectDuplicateTitlesBarOne));
        mnuActionsSelectAllDupsWithSameArtistBarOne->setText(GetResourceString(T::SelectDuplicateTitlesWithSameArtistBarOne));
        mbuttonFind.SetCaption(GetResourceString(T::FindDuplicates));
        mbuttonDelete.SetCaption(GetResourceString(T::DeleteSelectedFiles));
        mbuttonStop.SetCaption(GetResourceString(TextId::Common::Stop));
        mbuttonFind.SetToolTipText(GetResourceString(T::FindDuplicatesTip));
        mbuttonDelete.SetToolTipText(GetResourceString(T::DeleteSelectedFilesTip));
        mbuttonStop.SetToolTipText(GetResourceString(TextId::Common::StopTip));
        ImageBrellick->setToolTip(GetResourceString(T::LogoTip));
    });
}

// ---- layout -----------------------------------------------------------------------

void FormDuplicateFinder::LayoutControls() {
    if (m_inLayout || isMinimized() || !ListViewDuplicates) return;
    m_inLayout = true;
    const auto release = qScopeGuard([&] { m_inLayout = false; });

    const double W = PixelsToTwipsX(width());
    const double H = PixelsToTwipsY(height());
    // The body starts under the menu bar, wherever the dressing put it; the
    // rest keeps its built distances below that.
    double shift = 0;
    if (LabelMenu[0])
        shift = std::max(0.0, PixelsToTwipsY(LabelMenu[0]->geometry().bottom() + 1) + 60 - kButtonTop);
    ResumeNext([&] {
        for (clsButton* b : {&mbuttonFind, &mbuttonDelete, &mbuttonStop}) b->SetTop(float(kButtonTop + shift));
    });
    const double listTop = kListTop + shift;
    const double listWidth = std::max(0.0, W - 696);
    const double listHeight = std::max(0.0, H - 1488 - shift);
    ResumeNext([&] {
        ListViewDuplicates->setGeometry(TwipsToPixelsX(kListLeft), TwipsToPixelsY(listTop), TwipsToPixelsX(listWidth),
                                        TwipsToPixelsY(listHeight));
    });
    ResumeNext([&] {
        // The logo's right edge lines up with the list's.
        ImageBrellick->setGeometry(TwipsToPixelsX(kLogoLeft), TwipsToPixelsY(kButtonTop + shift),
                                   std::max(0, TwipsToPixelsX(kListLeft + listWidth) - TwipsToPixelsX(kLogoLeft)),
                                   TwipsToPixelsY(kLogoHeight));
    });
    const double progLeft = W - 468;
    const double statusTop = H - 420;
    ResumeNext([&] {
        if (!ProgBar) return;
        ProgBar->setGeometry(TwipsToPixelsX(progLeft), TwipsToPixelsY(kButtonTop + shift),
                             TwipsToPixelsX(kProgBarWidth), TwipsToPixelsY(std::max(0.0, H - 1008 - shift)));
    });
    ResumeNext([&] {
        if (!LabelStatusBar) return;
        LabelStatusBar->setGeometry(TwipsToPixelsX(kListLeft), TwipsToPixelsY(statusTop), TwipsToPixelsX(listWidth),
                                    TwipsToPixelsY(kIndicatorHeight));
    });
    ResumeNext([&] {
        const int x = TwipsToPixelsX(progLeft);
        const int y = TwipsToPixelsY(statusTop) + (TwipsToPixelsY(kIndicatorHeight) - ImageRedIndicator->height()) / 2;
        ImageRedIndicator->move(x, y);
        if (ImageGreenIndicator) ImageGreenIndicator->move(x, y);
    });
    ResumeNext([&] { ResizeColumns(); });
}

void FormDuplicateFinder::ResizeColumns() {
    WithTrail(QStringLiteral("ResizeColumns"), [&] {
        const double room = PixelsToTwipsX(ListViewDuplicates->width()) - 300;
        QHeaderView* header = ListViewDuplicates->header();
        for (int c = 0; c < kDuplicateColumnCount; ++c)
            header->resizeSection(c, TwipsToPixelsX(std::max(0.0, room * kColumnFractions[c])));
    });
}

// ---- job mode -----------------------------------------------------------------------

void FormDuplicateFinder::EnableControls(bool blnEnable) {
    try {
        mbuttonFind.SetEnabled(blnEnable);
        mbuttonDelete.SetEnabled(blnEnable);
        mbuttonStop.SetEnabled(!blnEnable);
        ::EnableMenus(this, blnEnable);
    } catch (...) {
        DisplayErrorMessage();
    }
}

void FormDuplicateFinder::ListViewDuplicates_ItemCheck() {
    mbuttonDelete.SetEnabled(false);
    if (m_list->checkedCount() > 0) mbuttonDelete.SetEnabled(true);
}

// ---- Find ---------------------------------------------------------------------------

IScanResultsSource* FormDuplicateFinder::ScanningCentre() const { return FindScanResultsSource(); }

void FormDuplicateFinder::BtnFind_Click() {
    RunLongJob(this, {.needsScanResults = true}, [&](JobHost& job) {
        IScanResultsSource* centre = ScanningCentre();
        if (!centre) RaiseError(ErrNo::ObjectNotSet);
        const ScanResultsModel& results = *centre->ScanResults();
        // Reading and searching each advance the bar once per checked row.
        const int64_t maximum = 2 * results.checkedCount();
        if (maximum > 0) ResumeNext([&] { job.ShowProgress(0, maximum); });
        ResumeNext([&] { m_list->clear(); });
        ResumeNext([&] { mbuttonDelete.SetEnabled(false); });
        std::vector<DuplicateEntry> entries;
        ResumeNext([&] { entries = ReadCheckedResults(results, job, maximum); });
        DuplicateSearchResult found;
        ResumeNext([&] { found = FindDuplicates(entries, job, int64_t(entries.size()), maximum); });
        const size_t count = found.duplicates.size();
        ResumeNext([&] { m_list->setEntries(std::move(found.duplicates)); });
        job.ReportComplete(QString::number(count) + GetResourceString(TextId::Duplicates::DuplicatesFound));
    });
}

void FormDuplicateFinder::BtnStop_Click() { mblnStopAll = true; }

// ---- Delete -------------------------------------------------------------------------

void FormDuplicateFinder::BtnDelete_Click() {
    RunLongJob(this, {}, [&](JobHost& job) {
        const int answer = MsgBox(GetResourceString(TextId::Duplicates::DeleteSelectedFilesText),
                                  Mb::YesNo | Mb::Exclamation,
                                  GetResourceString(TextId::Duplicates::DeleteSelectedFilesTitle));
        if (answer != Mb::Yes) return;
        DeleteRunReport report;
        // The preference as it stands when the run starts serves every file.
        const bool toTrash = Options().Preferences.blnUseRecycleBin;
        ResumeNext([&] {
            report = DeleteTickedDuplicates(*m_list, job, [toTrash](const QString& folder, const QString& fileName) {
                return DeleteFile(folder, fileName, toTrash);
            });
        });
        ResumeNext([&] { ForgetDeletedFiles(report.deletedPaths); });
        const QString status =
            QString::number(report.deleted) + GetResourceString(TextId::Duplicates::FilesSuccessfullyDeleted);
        // Files that were not deleted are always named, whatever the preference.
        if (report.failures.empty())
            job.ReportComplete(status);
        else
            job.ShowResult(status, true, FailuresText(report.failures));
    });
}

void FormDuplicateFinder::ForgetDeletedFiles(const QStringList& paths) {
    if (paths.isEmpty()) return;
    IScanResultsSource* centre = ScanningCentre();
    if (!centre) return;
    // A scan or another window's job walks the results rows by position: they
    // are left as they are then.
    if (centre->ScanInProgress() || centre->ScanInhibited()) return;
    RemoveResultsRowsOfFiles(*centre->ScanResults(), paths);
}

// ---- actions ----------------------------------------------------------------------------

void FormDuplicateFinder::ActionsMenuRootSelect() {
    WithTrail(QStringLiteral("ActionsMenuRootSelect"), [&] {
        const bool selected = ListItemSelected(ListViewDuplicates);
        mnuActionsSelectAllDups->setEnabled(selected);
        mnuActionsSelectAllDupsBarOne->setEnabled(selected);
        mnuActionsSelectAllDupsWithSameArtistBarOne->setEnabled(selected);
        const bool exists = selected && FileExists(CurrentRowPath());
        mnuActionsFileInfo->setEnabled(exists);
        mnuActionsPlay->setEnabled(exists);
    });
}

void FormDuplicateFinder::ApplySelectRule(int rule) {
    m_list->setTicks(SelectDuplicateRows(m_list->entries(), static_cast<DuplicateSelectRule>(rule)));
    ListViewDuplicates_ItemCheck();
}

void FormDuplicateFinder::mnuActionsSelectAllDups_Click() { ApplySelectRule(int(DuplicateSelectRule::All)); }

void FormDuplicateFinder::mnuActionsSelectAllDupsBarOne_Click() { ApplySelectRule(int(DuplicateSelectRule::BarOne)); }

void FormDuplicateFinder::mnuActionsSelectAllDupsWithSameArtistBarOne_Click() {
    ApplySelectRule(int(DuplicateSelectRule::SameArtistBarOne));
}

QString FormDuplicateFinder::CurrentRowPath() const {
    if (!ListItemSelected(ListViewDuplicates)) return QString();
    const int row = ListViewDuplicates->currentIndex().row();
    if (row < 0 || row >= m_list->rows()) return QString();
    return m_list->fullPath(row);
}

void FormDuplicateFinder::mnuActionsFileInfo_Click() {
    const QString path = CurrentRowPath();
    // The row is not read again, whatever the window changed.
    if (!path.isEmpty()) ResumeNext([&] { DisplayFileInfoDialog(path); });
}

void FormDuplicateFinder::mnuActionsPlay_Click() {
    const QString path = CurrentRowPath();
    if (!path.isEmpty()) OpenWebBrowser(path, this);
}

void FormDuplicateFinder::ImageBrellick_Click() {
    ResumeNext([&] { PlayResourceSound(101); });
    ResumeNext([&] { OpenWebBrowser(kMakerHomePage); });
}

// ---- relays ---------------------------------------------------------------------------

void FormDuplicateFinder::mnuEdit_Click(int Index) {
    ResumeNext([&] { EditMenuItemSelect(Index, ListViewDuplicates); });
}

void FormDuplicateFinder::LabelMenu_Click(int Index) {
    LabelMenuClick(this, Index, ListViewDuplicates, [this] { ActionsMenuRootSelect(); });
}

void FormDuplicateFinder::mnuFileExit_Click() { FileExitClick(this); }

// ---- keys -------------------------------------------------------------------------------

void FormDuplicateFinder::ProcessShortcutKeys(int KeyCode, int Shift) {
    if (!(Shift & ShiftBit::Alt)) return;  // F1 is the key router's
    switch (KeyCode) {
    case 68:  // D
        if (mbuttonFind.Enabled()) BtnFind_Click();
        break;
    case 76:  // L
        if (mbuttonDelete.Enabled()) BtnDelete_Click();
        break;
    case KeyCode::S:
        if (mbuttonStop.Enabled()) BtnStop_Click();
        break;
    default: break;
    }
}

void RegisterDuplicateFinderWindow() {
    WindowRegistry::SetFactory(WindowNames::DuplicateFinder, [] { return new FormDuplicateFinder; });
}
