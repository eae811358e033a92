#include "encoder/ui/EncoderDecoder.h"

#include "encoder/EncoderFileListModel.h"
#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/Help.h"
#include "foundation/LongJob.h"
#include "foundation/MessageUi.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SharedServices.h"
#include "foundation/Twips.h"
#include "foundation/SettingsStore.h"
#include "options/ControlSettings.h"
#include "options/WindowSettings.h"
#include "options/ui/ControlSettingsUi.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/engine/ScanResultsSource.h"
#include "scanning/ui/FileInfoDialog.h"
#include "shell/edit/ui/EditCommands.h"
#include "shell/menus/KeyboardState.h"
#include "shell/menus/ui/Menus.h"
#include "shell/menus/ui/OptionDialogs.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/SkinnedControlBuilder.h"
#include "shell/ui/SkinWidgets.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <algorithm>

namespace {

// ---- design layout (twips): built 9108 x 6060, never below 8196 x 5280 ----
constexpr double kBuiltWidth = 9108, kBuiltHeight = 6060;
constexpr double kMinHeight = 5280, kMinWidth = 8196;
constexpr double kLeft = 120, kButtonTop = 480, kButtonHeight = 348;
constexpr double kReadWidth = 2532, kStopLeft = 2760, kButtonWidth = 1128;
constexpr double kListTop = 960, kProgBarWidth = 252;

bool HasExtension(const QString& fileName, const char* extension) {
    const QString name = FileNamePart(fileName);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 && name.mid(dot + 1).compare(QLatin1String(extension), Qt::CaseInsensitive) == 0;
}

QString Text(int32_t id) { return GetResourceString(id); }

}  // namespace

// ---- the list control ----------------------------------------------------------

EncoderFileListView::EncoderFileListView(QWidget* parent) : ResultsListView(QStringLiteral("ListViewFiles"), parent) {
    setDragDropMode(QAbstractItemView::DropOnly);
    setProperty("Checkboxes", true);
}

namespace {
// Dropped files are only read: taken as a copy, never as a move.
bool AcceptFiles(QDropEvent* event) {
    if (ResultsListView::DroppedFiles(event->mimeData()).isEmpty() || !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}
}  // namespace

void EncoderFileListView::dragEnterEvent(QDragEnterEvent* event) { AcceptFiles(event); }
void EncoderFileListView::dragMoveEvent(QDragMoveEvent* event) { AcceptFiles(event); }
void EncoderFileListView::dropEvent(QDropEvent* event) {
    if (AcceptFiles(event)) DeliverDroppedFiles(DroppedFiles(event->mimeData()));
}

// ---- load -------------------------------------------------------------------------

FormEncoderDecoder::FormEncoderDecoder(QWidget* parent)
    : SkinnedToolWindow(WindowNames::EncoderDecoder, parent),
      CommonDialogFile(this, QStringLiteral("CommonDialogFile")) {
    LoadToolWindow(
        {.minHeight = kMinHeight, .minWidth = kMinWidth, .builtWidth = kBuiltWidth, .builtHeight = kBuiltHeight});

    CommonDialogFile.Flags = Cdl::OFNExplorer | Cdl::OFNAllowMultiselect | Cdl::OFNFileMustExist |
                             Cdl::OFNHideReadOnly | Cdl::OFNOverwritePrompt;  // 528902
    ResumeNext([&] { ReadSettings(); });
    ResumeNext([&] { LayoutControls(); });
    ResumeNext([&] { EnableControls(true); });
}

FormEncoderDecoder::~FormEncoderDecoder() = default;

void FormEncoderDecoder::BuildControls() {
    m_files = new EncoderFileListModel(this);
    ListViewFiles = new EncoderFileListView(this);
    ListViewFiles->setModel(m_files);

    const auto read = BuildSkinnedButton(this, mbuttonRead, QStringLiteral("Read"),
                                         {kLeft, kButtonTop, kReadWidth, kButtonHeight}, [this] { BtnRead_Click(); });
    BtnRead = read.standard;
    const auto stop = BuildSkinnedButton(this, mbuttonStop, QStringLiteral("Stop"),
                                         {kStopLeft, kButtonTop, kButtonWidth, kButtonHeight}, [this] { BtnStop_Click(); });
    BtnStop = stop.standard;
    const auto encode = BuildSkinnedButton(this, mbuttonEncodeAll, QStringLiteral("EncodeAll"),
                                           {4920, kButtonTop, kButtonWidth, kButtonHeight},
                                           [this] { BtnEncodeAll_Click(); });
    BtnEncodeAll = encode.standard;
    const auto decode = BuildSkinnedButton(this, mbuttonDecodeAll, QStringLiteral("DecodeAll"),
                                           {6120, kButtonTop, kButtonWidth, kButtonHeight},
                                           [this] { BtnDecodeAll_Click(); });
    BtnDecodeAll = decode.standard;
    const auto rip = BuildSkinnedButton(this, mbuttonRipCD, QStringLiteral("RipCD"),
                                        {7320, kButtonTop, kButtonWidth, kButtonHeight}, [this] { BtnRipCD_Click(); });
    BtnRipCD = rip.standard;
    mbuttonStop.SetEnabled(false);

    ImageRedIndicator = BuildRedIndicatorAndProgBar();

    connect(ListViewFiles, &ResultsListView::ColumnClicked, this,
            [this](int column) { ResumeNext([&] { ChangeSortColumn(ListViewFiles, column + 1); }); });
    connect(ListViewFiles, &ResultsListView::FocusChanged, this, [this](bool focus) {
        ResumeNext([&] { ShowContextMenuIndicator(this, focus && m_files->rows() > 0); });
    });
    connect(ListViewFiles, &ResultsListView::RowDoubleClicked, this, [this] {
        ResumeNext([&] {
            if (ListItemSelected(ListViewFiles)) mnuActionsFileInfo_Click();
        });
    });
    connect(ListViewFiles, &ResultsListView::RightButtonUp, this, [this](const QPoint& at) {
        if (m_files->rows() == 0) return;
        ResumeNext([&] { ActionsMenuRootSelect(); });
        ResumeNext([&] { mnuActions->popup(at); });
    });
    connect(ListViewFiles, &ResultsListView::FilesDropped, this,
            [this](const QStringList& files) { ResumeNext([&] { ListViewFiles_OLEDragDrop(files); }); });
    SetEditControl(ListViewFiles);
}

void FormEncoderDecoder::BuildMenus() {
    auto add = [this](QMenu* menu, const char* name, std::function<void()> command) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [command = std::move(command)] { ResumeNext(command); });
        return action;
    };
    mnuFile = new QMenu(this);
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileOpen = add(mnuFile, "mnuFileOpen", [this] { mnuFileOpen_Click(); });
    mnuFile->addSeparator();
    mnuFileExit = add(mnuFile, "mnuFileExit", [this] { mnuFileExit_Click(); });

    mnuActions = new QMenu(this);
    mnuActions->setObjectName(QStringLiteral("mnuActions"));
    mnuActionsFileInfo = add(mnuActions, "mnuActionsFileInfo", [this] { mnuActionsFileInfo_Click(); });
    mnuActionsPlay = add(mnuActions, "mnuActionsPlay", [this] { mnuActionsPlay_Click(); });
    mnuActions->addSeparator();
    mnuActionsEncode = add(mnuActions, "mnuActionsEncode", [this] { mnuActionsEncode_Click(); });
    mnuActionsDecode = add(mnuActions, "mnuActionsDecode", [this] { mnuActionsDecode_Click(); });
    mnuActions->addSeparator();
    mnuActionsEncodeAll = add(mnuActions, "mnuActionsEncodeAll", [this] { BtnEncodeAll_Click(); });
    mnuActionsDecodeAll = add(mnuActions, "mnuActionsDecodeAll", [this] { BtnDecodeAll_Click(); });
    mnuActions->addSeparator();
    mnuActionsRipCD = add(mnuActions, "mnuActionsRipCD", [this] { BtnRipCD_Click(); });
    mnuActions->addSeparator();
    mnuActionsCheckAll = add(mnuActions, "mnuActionsCheckAll", [this] { mnuActionsCheckAll_Click(); });
    mnuActionsUncheckAll = add(mnuActions, "mnuActionsUncheckAll", [this] { mnuActionsUncheckAll_Click(); });

    SetLabelMenuPopup(0, mnuFile);
    SetLabelMenuPopup(3, mnuActions);
    // Paste is built hidden: no row is ever pasted into the list.
    if (mnuEdit[EditItem::Paste]) mnuEdit[EditItem::Paste]->setVisible(false);
    // This window's own item in the Tools menu.
    if (mnuTools[ToolsItem::EncoderDecoder]) mnuTools[ToolsItem::EncoderDecoder]->setEnabled(false);
    // The Tools menu's Options opens the Encoder Decoder Options dialog.
    ConnectSharedMenus(this, [] { return kEncoderDecoderOptionsPage; });
}

void FormEncoderDecoder::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        using namespace TextId::Encoder;
        SetCaption(Text(TextId::Encoder::Caption));
        if (LabelStatusBar) LabelStatusBar->setText(Text(TextId::Scan::ForHelpPressF1));
        mnuFileOpen->setText(Text(TextId::Menu::Open) + QStringLiteral("\tCtrl+O"));
        mnuFileExit->setText(Text(TextId::Menu::Exit) + QStringLiteral("\tCtrl+Q"));
        mnuActionsFileInfo->setText(Text(TextId::Menu::FileInformation));
        mnuActionsPlay->setText(Text(TextId::Menu::Play));
        mnuActionsEncode->setText(Text(EncodeToMP3));
        mnuActionsDecode->setText(Text(DecodeToWAV));
        mnuActionsEncodeAll->setText(Text(EncodeAllToMP3));
        mnuActionsDecodeAll->setText(Text(DecodeAllToWAV));
        mnuActionsRipCD->setText(Text(RipCD));
        mnuActionsCheckAll->setText(Text(TextId::Menu::CheckAll));
        mnuActionsUncheckAll->setText(Text(TextId::Menu::UncheckAll));
        mbuttonRead.SetCaption(Text(ReadScanResults));
        mbuttonRead.SetToolTipText(Text(ReadScanResultsTip));
        mbuttonStop.SetCaption(Text(TextId::Common::Stop));
        mbuttonStop.SetToolTipText(Text(TextId::Common::StopTip));
        mbuttonEncodeAll.SetCaption(Text(EncodeAll));
        mbuttonEncodeAll.SetToolTipText(Text(EncodeAllTip));
        mbuttonDecodeAll.SetCaption(Text(DecodeAll));
        mbuttonDecodeAll.SetToolTipText(Text(DecodeAllTip));
        mbuttonRipCD.SetCaption(Text(RipCD));
        mbuttonRipCD.SetToolTipText(Text(RipCDTip));
        // The Alt keys act through ProcessShortcutKeys alone: a button's own
        // access key would press it a second time (and Alt+E, the Edit menu's
        // key, would start a batch as well).
        for (QPushButton* b : {BtnRead, BtnStop, BtnEncodeAll, BtnDecodeAll, BtnRipCD}) b->setShortcut(QKeySequence());
    });
}

// ---- layout -----------------------------------------------------------------------

void FormEncoderDecoder::LayoutControls() {
    if (m_inLayout || isMinimized() || !ListViewFiles) return;
    m_inLayout = true;
    const auto release = qScopeGuard([&] { m_inLayout = false; });

    const double W = PixelsToTwipsX(width());
    const double H = PixelsToTwipsY(height());
    // Everything stands under the menu bar, wherever the dressing put it.
    double shift = 0;
    if (LabelMenu[0])
        shift = std::max(0.0, PixelsToTwipsY(LabelMenu[0]->geometry().bottom() + 1) + 90 - kButtonTop);
    const double buttonTop = kButtonTop + shift;
    const double listTop = kListTop + shift;
    ResumeNext([&] {
        for (clsButton* b : {&mbuttonRead, &mbuttonStop, &mbuttonEncodeAll, &mbuttonDecodeAll, &mbuttonRipCD})
            b->SetTop(static_cast<float>(buttonTop));
        // The three right-hand buttons keep their distance from the right edge.
        mbuttonEncodeAll.SetLeft(static_cast<float>(W - 4188));
        mbuttonDecodeAll.SetLeft(static_cast<float>(W - 2988));
        mbuttonRipCD.SetLeft(static_cast<float>(W - 1788));
    });
    ResumeNext([&] {
        ListViewFiles->setGeometry(TwipsToPixelsX(kLeft), TwipsToPixelsY(listTop),
                                   TwipsToPixelsX(std::max(0.0, W - 696)),
                                   TwipsToPixelsY(std::max(0.0, H - 1488 - shift)));
    });
    const double progLeft = W - 468;
    const double statusTop = H - 420;
    ResumeNext([&] {
        if (!ProgBar) return;
        ProgBar->setGeometry(TwipsToPixelsX(progLeft), TwipsToPixelsY(buttonTop), TwipsToPixelsX(kProgBarWidth),
                             TwipsToPixelsY(std::max(0.0, H - 1008 - shift)));
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

void FormEncoderDecoder::ResizeColumns() {
    WithTrail(QStringLiteral("ResizeColumns"), [&] {
        const double room = std::max(0.0, PixelsToTwipsX(ListViewFiles->width()) - 300);
        QHeaderView* header = ListViewFiles->header();
        const double fractions[] = {0.3, 0.4, 0.3};
        for (int c = 0; c < 3; ++c) header->resizeSection(c, TwipsToPixelsX(room * fractions[c]));
    });
}

// ---- job mode ---------------------------------------------------------------------

void FormEncoderDecoder::EnableControls(bool blnEnable) {
    try {
        mbuttonRead.SetEnabled(blnEnable);
        mbuttonRipCD.SetEnabled(blnEnable);
        mbuttonEncodeAll.SetEnabled(blnEnable && m_files->rows() > 0);
        mbuttonDecodeAll.SetEnabled(blnEnable && m_files->rows() > 0);
        mbuttonStop.SetEnabled(!blnEnable);
        // Hidden before its drawing is held, drawn again before it shows.
        if (blnEnable) ListViewFiles->setUpdatesEnabled(true);
        ListViewFiles->setVisible(blnEnable);
        if (!blnEnable) ListViewFiles->setUpdatesEnabled(false);
        ::EnableMenus(this, blnEnable);
    } catch (...) {
        DisplayErrorMessage();
    }
}

void FormEncoderDecoder::UpdateBatchButtons() {
    if (mblnProcessRunning) return;
    mbuttonEncodeAll.SetEnabled(m_files->rows() > 0);
    mbuttonDecodeAll.SetEnabled(m_files->rows() > 0);
}

void FormEncoderDecoder::BtnStop_Click() {
    // A second Stop while LAME works ends LAME now.
    if (mblnStopAll && m_converting) m_converter.mblnEndNow = true;
    mblnStopAll = true;
}

// ---- conversions ------------------------------------------------------------------

void FormEncoderDecoder::RunBatch(ConversionMode mode) {
    const bool encoding = mode == ConversionMode::Encode;
    using namespace TextId::Encoder;
    RunLongJob(this, {}, [&](JobHost& job) {
        const int answer = MsgBox(Text(ProcessMayTakeLong), Mb::OKCancel | Mb::Information,
                                  Text(encoding ? EncodeBatch : DecodeBatch));
        if (answer != Mb::OK) return;
        const int checked = m_files->checkedCount();
        if (checked > 0) job.ShowProgress(0, checked);
        if (!encoding) m_converter.mlngNotifyAnswer = 0;
        m_converter.StartRun();
        // The options as they stand when the batch starts serve every file.
        const EncoderDecoderOptions options = Options().EncoderDecoder;
        const bool useRecycleBin = Options().Preferences.blnUseRecycleBin;
        bool processed = false;
        int failures = 0;
        int position = 0;
        for (int row = 0; row < m_files->rows(); ++row) {
            job.Yield();
            if (mblnStopAll) break;
            const EncoderFileRow file = m_files->row(row);
            if (!file.checked || HasExtension(file.fileName, encoding ? "mp3" : "wav")) continue;
            job.ShowProgress(++position, checked);
            job.ShowStatus(Text(TextId::Common::WorkingWith) + file.path());
            processed = true;
            ConversionResult result = ConversionResult::NotStarted;
            m_converting = true;
            try {
                result = m_converter.RunLAME(file.fileName, file.folder, mode, !encoding, options, useRecycleBin);
            } catch (...) {
                DisplayErrorMessage();
            }
            m_converting = false;
            if (result == ConversionResult::Failed) ++failures;
            if (result == ConversionResult::NotStarted) {
                ++failures;
                MsgBox(Text(LameCouldNotRun), Mb::OKOnly, Text(encoding ? EncoderFailed : DecoderFailed));
                break;
            }
            if (result == ConversionResult::Stopped) mblnStopAll = true;
        }
        if (!processed) {
            job.ShowResult(Text(encoding ? AlreadyMP3 : AlreadyWAV), true, QString());
        } else if (mblnStopAll) {
            job.ShowStatus(Text(encoding ? EncodingInterruptedByUser : DecodingInterruptedByUser));
        } else if (failures > 0) {
            job.ShowResult(Text(encoding ? EncodingEndedFailed : DecodingEndedFailed) + QString::number(failures),
                           true, QString());
        } else {
            job.ReportComplete(Text(encoding ? EncodingComplete : DecodingComplete));
        }
    });
}

void FormEncoderDecoder::RunSelected(ConversionMode mode) {
    const int row = SelectedRow();
    if (row < 0) return;
    const bool encoding = mode == ConversionMode::Encode;
    using namespace TextId::Encoder;
    RunLongJob(this, {}, [&](JobHost& job) {
        const EncoderFileRow file = m_files->row(row);
        m_converter.StartRun();
        m_converting = true;
        const auto done = qScopeGuard([&] { m_converting = false; });
        const ConversionResult result = m_converter.RunLAME(
            file.fileName, file.folder, mode, false, Options().EncoderDecoder, Options().Preferences.blnUseRecycleBin);
        switch (result) {
        case ConversionResult::Converted: job.ReportComplete(Text(encoding ? EncodingComplete : DecodingComplete)); break;
        case ConversionResult::NotStarted:
            MsgBox(Text(LameCouldNotRun), Mb::OKOnly, Text(encoding ? EncoderFailed : DecoderFailed));
            job.ShowStatus(Text(encoding ? EncodingEndedFailed : DecodingEndedFailed) + QStringLiteral("1"));
            break;
        case ConversionResult::Failed:
            job.ShowStatus(Text(encoding ? EncodingEndedFailed : DecodingEndedFailed) + QStringLiteral("1"));
            break;
        case ConversionResult::Stopped:
            job.ShowStatus(Text(encoding ? EncodingInterruptedByUser : DecodingInterruptedByUser));
            break;
        default: break;  // refused or kept: the box said so
        }
    });
}

void FormEncoderDecoder::BtnRipCD_Click() { WindowRegistry::Show(WindowNames::CDRipper); }

// ---- the list ---------------------------------------------------------------------

void FormEncoderDecoder::AddPaths(const QStringList& paths, JobHost* job) {
    int n = 0;
    for (const QString& path : paths) {
        if (job) {
            job->Yield();
            if (mblnStopAll) break;
            job->ShowProgress(++n, paths.size());
        }
        // A folder is no file to convert.
        if (QFileInfo(path).isDir()) continue;
        m_files->appendPath(path);
    }
}

void FormEncoderDecoder::AddFilesToEncoderList(const QStringList& paths) {
    AddPaths(paths, nullptr);
    UpdateBatchButtons();
}

void FormEncoderDecoder::ListViewFiles_OLEDragDrop(const QStringList& paths) {
    if (paths.isEmpty()) return;
    RunLongJob(this, {}, [&](JobHost& job) { AddPaths(paths, &job); });
}

void FormEncoderDecoder::mnuFileOpen_Click() {
    RunLongJob(this, {}, [&](JobHost&) {
        QString fileName;
        if (!DisplayCommonDialogOpen(
                CommonDialogFile, Text(TextId::Encoder::OpenFiles),
                QStringLiteral("All Supported Types|*.wav;*.mp3;*.mp2;*.mp1|Microsoft Waveform Audio Files (*.wav)|*.wav"),
                fileName, QString()))
            return;
        const QStringList parts = fileName.split(QChar(0), Qt::SkipEmptyParts);
        if (parts.size() == 1) {
            AddPaths(parts, nullptr);
        } else {
            QStringList paths;
            for (qsizetype i = 1; i < parts.size(); ++i) paths << JoinPath(parts.front(), parts[i]);
            AddPaths(paths, nullptr);
        }
    });
}

void FormEncoderDecoder::BtnRead_Click() {
    RunLongJob(this, {.needsScanResults = true}, [&](JobHost& job) {
        IScanResultsSource* centre = FindScanResultsSource();
        if (!centre) RaiseError(ErrNo::ObjectNotSet);
        const ScanResultsModel& results = *centre->ScanResults();
        const int64_t ticked = results.checkedCount();
        if (ticked > 0) job.ShowProgress(0, ticked);
        m_files->clear();
        int64_t n = 0;
        YieldClock clock(job.YieldIntervalMs());
        for (int row = 0; row < results.rows(); ++row) {
            if (clock.due()) job.Yield();
            if (mblnStopAll) break;
            if (!results.isChecked(row)) continue;
            const QString name = results.text(row, 0);
            const QString folder = results.text(row, 1);
            job.ShowProgress(++n, ticked);
            if (clock.due()) job.ShowStatus(Text(TextId::Common::WorkingWith) + JoinPath(folder, name));
            m_files->appendFile(folder, name);
        }
        if (mblnStopAll)
            job.ShowStatus(Text(TextId::Encoder::ScanResultsReadInterrupted));
        else
            job.ReportComplete(Text(TextId::Encoder::ScanResultsReadComplete));
    });
}

int FormEncoderDecoder::SelectedRow() const {
    if (!ListItemSelected(ListViewFiles)) return -1;
    const int row = ListViewFiles->currentIndex().row();
    return row >= 0 && row < m_files->rows() ? row : -1;
}

void FormEncoderDecoder::ActionsMenuRootSelect() {
    WithTrail(QStringLiteral("ActionsMenuRootSelect"), [&] {
        const int row = SelectedRow();
        const bool selected = row >= 0;
        const bool hasRows = m_files->rows() > 0;
        const QString name = selected ? m_files->row(row).fileName : QString();
        mnuActionsFileInfo->setEnabled(selected);
        mnuActionsPlay->setEnabled(selected);
        mnuActionsEncode->setEnabled(selected && !HasExtension(name, "mp3"));
        mnuActionsDecode->setEnabled(selected && !HasExtension(name, "wav"));
        mnuActionsEncodeAll->setEnabled(hasRows);
        mnuActionsDecodeAll->setEnabled(hasRows);
        mnuActionsCheckAll->setEnabled(hasRows);
        mnuActionsUncheckAll->setEnabled(hasRows);
    });
}

void FormEncoderDecoder::mnuActionsFileInfo_Click() {
    const int row = SelectedRow();
    if (row >= 0) ResumeNext([&] { DisplayFileInfoDialog(m_files->row(row).path()); });
}

void FormEncoderDecoder::mnuActionsPlay_Click() {
    const int row = SelectedRow();
    if (row >= 0) OpenWebBrowser(m_files->row(row).path(), this);
}

void FormEncoderDecoder::mnuActionsCheckAll_Click() { m_files->setAllChecked(true); }
void FormEncoderDecoder::mnuActionsUncheckAll_Click() { m_files->setAllChecked(false); }

// ---- relays -----------------------------------------------------------------------

void FormEncoderDecoder::mnuEdit_Click(int Index) {
    ResumeNext([&] { EditMenuItemSelect(Index, ListViewFiles); });
    ResumeNext([&] { UpdateBatchButtons(); });
}

void FormEncoderDecoder::LabelMenu_Click(int Index) {
    LabelMenuClick(this, Index, ListViewFiles, [this] { ActionsMenuRootSelect(); });
}

void FormEncoderDecoder::mnuFileExit_Click() { FileExitClick(this); }

// ---- keys ---------------------------------------------------------------------------

void FormEncoderDecoder::ProcessShortcutKeys(int KeyCode, int Shift) {
    if (!(Shift & ShiftBit::Alt)) return;  // F1 is the key router's
    // A letter of the menu bar opens its menu when the key comes up; it does
    // nothing else (Alt+E is the Edit menu, never also Encode All).
    const int label = MenuLabelForKey(KeyCode);
    if (label >= 0 && LabelMenu[size_t(label)] && LabelMenu[size_t(label)]->isEnabled()) return;
    switch (KeyCode) {
    case 82:  // R
        if (mbuttonRead.Enabled()) BtnRead_Click();
        break;
    case KeyCode::S:
        if (mbuttonStop.Enabled()) BtnStop_Click();
        break;
    case KeyCode::E:
        if (mbuttonEncodeAll.Enabled()) BtnEncodeAll_Click();
        break;
    case 68:  // D
        if (mbuttonDecodeAll.Enabled()) BtnDecodeAll_Click();
        break;
    case KeyCode::C:
        if (mbuttonRipCD.Enabled()) BtnRipCD_Click();
        break;
    default: break;
    }
}

// ---- close ----------------------------------------------------------------------------

void FormEncoderDecoder::UnloadOwn() {
    // The CD Ripper goes with this window.
    ResumeNext([&] {
        for (IToolWindow* window : WindowRegistry::Loaded())
            if (window->Name().compare(WindowNames::CDRipper, Qt::CaseInsensitive) == 0) window->UnloadWindow();
    });
}

// ---- settings --------------------------------------------------------------------------

void FormEncoderDecoder::ReadSettings() {
    EncoderDecoderSettings settings;
    ReadThenShow([&] { settings.Read(); }, [&] { ShowListSort(ListViewFiles, settings.ListViewFiles); });
}

void FormEncoderDecoder::WriteSettings() {
    EncoderDecoderSettings settings;
    settings.ListViewFiles = TakeListSort(ListViewFiles);
    settings.Write();
}

void RegisterEncoderDecoderWindow() {
    WindowRegistry::SetFactory(WindowNames::EncoderDecoder, [] { return new FormEncoderDecoder; });
}
