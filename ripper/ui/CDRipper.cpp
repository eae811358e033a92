#include "ripper/ui/CDRipper.h"

#include "foundation/CommonTexts.h"
#include "foundation/EncoderFileList.h"
#include "foundation/Errors.h"
#include "foundation/LongJob.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/StoredValues.h"
#include "options/ControlSettings.h"
#include "options/WindowSettings.h"
#include "ripper/CdDatabase.h"
#include "ripper/TrackListModel.h"
#include "ripper/TrackRip.h"
#include "scanning/ui/WindowServices.h"
#include "foundation/Twips.h"
#include "shell/menus/KeyboardState.h"
#include "shell/start/VersionInfo.h"
#include "shell/ui/PlainControls.h"
#include "shell/ui/SkinnedControlBuilder.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

namespace {

// Layout in twips.  The window keeps its built size (it cannot be resized).
constexpr double kBuiltWidth = 6600, kBuiltHeight = 5160;
constexpr double kLeft = 120, kBodyTop = 480;
constexpr double kLabelHeight = 240, kBoxHeight = 315, kButtonHeight = 348, kButtonWidth = 1128;
constexpr double kDrivesTop = kBodyTop + 270;
constexpr double kTracksLabelTop = kDrivesTop + 420, kTracksTop = kTracksLabelTop + 270, kTracksHeight = 1860;
constexpr double kOutputLabelTop = kTracksTop + kTracksHeight + 120, kOutputTop = kOutputLabelTop + 270;
constexpr double kButtonsTop = kOutputTop + kBoxHeight + 150;
// Most drives the list shows.
constexpr int kMaxDrives = 8;

void Place(QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height));
}

}  // namespace

// ---- load -------------------------------------------------------------------------

FormCDRipper::FormCDRipper(QWidget* parent) : SkinnedToolWindow(WindowNames::CDRipper, Features{false, true}, parent) {
    // A fixed window: only its place is stored.
    LoadToolWindow({.minHeight = kBuiltHeight,
                    .minWidth = kBuiltWidth,
                    .builtWidth = kBuiltWidth,
                    .builtHeight = kBuiltHeight,
                    .fixedSize = true,
                    .coreTool = false});

    ResumeNext([&] { ResizeColumns(); });
    ResumeNext([&] { FillDrives(); });
    ChooseDrive(false);
    ResumeNext([&] { ReadSettings(); });
    ResumeNext([&] { LayoutControls(); });
}

FormCDRipper::~FormCDRipper() = default;

void FormCDRipper::BuildControls() {
    LabelDrives = MakeLabel(this, "LabelDrives");
    ComboDrives = new QComboBox(this);
    ComboDrives->setObjectName(QStringLiteral("ComboDrives"));
    connect(ComboDrives, &QComboBox::activated, this, [this] { ChooseDrive(true); });

    LabelTracks = MakeLabel(this, "LabelTracks");
    m_tracks = new TrackListModel(this);
    m_tracks->duplicateName = [] {
        MsgBox(GetResourceString(TextId::Ripper::TrackNameExistsText), Mb::OKOnly | Mb::Exclamation,
               GetResourceString(TextId::Ripper::TrackNameAlreadyExists));
    };
    connect(m_tracks, &TrackListModel::tickedChanged, this, [this] { ListViewTracks_ItemCheck(); });
    ListViewTracks = new QTreeView(this);
    ListViewTracks->setObjectName(QStringLiteral("ListViewTracks"));
    ListViewTracks->setModel(m_tracks);
    ListViewTracks->setRootIsDecorated(false);
    ListViewTracks->setUniformRowHeights(true);
    ListViewTracks->setAllColumnsShowFocus(true);
    ListViewTracks->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListViewTracks->setSelectionMode(QAbstractItemView::SingleSelection);
    ListViewTracks->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    ListViewTracks->setProperty("Checkboxes", true);

    LabelOutputDirectory = MakeLabel(this, "LabelOutputDirectory");
    TextOutputDirectory = new QLineEdit(this);
    TextOutputDirectory->setObjectName(QStringLiteral("TextOutputDirectory"));

    const double inner = kBuiltWidth - 2 * kLeft;
    Place(LabelDrives, kLeft, kBodyTop, inner, kLabelHeight);
    Place(ComboDrives, kLeft, kDrivesTop, inner, kBoxHeight);
    Place(LabelTracks, kLeft, kTracksLabelTop, inner, kLabelHeight);
    Place(ListViewTracks, kLeft, kTracksTop, inner, kTracksHeight);
    Place(LabelOutputDirectory, kLeft, kOutputLabelTop, inner, kLabelHeight);
    Place(TextOutputDirectory, kLeft, kOutputTop, inner - kButtonWidth - 120, kBoxHeight);
    BtnBrowse = BuildSkinnedButton(this, mbuttonBrowse, QStringLiteral("Browse"),
                                   {kBuiltWidth - kLeft - kButtonWidth, kOutputTop - (kButtonHeight - kBoxHeight) / 2,
                                    kButtonWidth, kButtonHeight},
                                   [this] { BtnBrowse_Click(); })
                    .standard;
    BtnRip = BuildSkinnedButton(this, mbuttonRip, QStringLiteral("Rip"), {kLeft, kButtonsTop, kButtonWidth, kButtonHeight},
                                [this] { BtnRip_Click(); })
                 .standard;
    BtnStop = BuildSkinnedButton(this, mbuttonStop, QStringLiteral("Stop"),
                                 {kLeft + kButtonWidth + 120, kButtonsTop, kButtonWidth, kButtonHeight},
                                 [this] { BtnStop_Click(); })
                  .standard;
    mbuttonRip.SetEnabled(false);
    mbuttonStop.SetEnabled(false);

    // A plain button: the skin engine shows it only when skins are off.
    BtnCDDB = new QPushButton(this);
    BtnCDDB->setObjectName(QStringLiteral("BtnCDDB"));
    BtnCDDB->setGeometry(TwipsToPixelsX(kLeft + 2 * (kButtonWidth + 120)), TwipsToPixelsY(kButtonsTop),
                         TwipsToPixelsX(kButtonWidth), TwipsToPixelsY(kButtonHeight));
    BtnCDDB->hide();
    connect(BtnCDDB, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnCDDB_Click(); }); });
    // The query runs beside the window; Stop ends it while it does.
    m_cddb = new CdDatabaseQuery(this);
    connect(m_cddb, &CdDatabaseQuery::finished, this, [this] { mbuttonStop.SetEnabled(mblnProcessRunning); });

    // The labels' access keys move the focus to their controls.
    LabelDrives->setBuddy(ComboDrives);
    LabelTracks->setBuddy(ListViewTracks);
    LabelOutputDirectory->setBuddy(TextOutputDirectory);

    // The CD Ripper shows no status line, only its progress bar.
    if (LabelStatusBar) LabelStatusBar->hide();
}

void FormCDRipper::LayoutControls() {
    SkinnedToolWindow::LayoutControls();
    // The other controls keep the places they were built at (the window
    // cannot be resized; the skin engine moves them when skins go off).  The
    // progress bar takes the room beside the buttons, on their row.
    if (ProgBar && BtnRip) {
        const int left = TwipsToPixelsX(kLeft + 3 * (kButtonWidth + 120));
        ProgBar->setGeometry(left, BtnRip->y() + TwipsToPixelsY(60), std::max(0, width() - TwipsToPixelsX(kLeft) - left),
                             TwipsToPixelsY(kButtonHeight - 120));
    }
}

void FormCDRipper::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        UpdateSystemMenuToolTips(this);
        SetCaption(GetResourceString(TextId::Ripper::Caption));
        LabelDrives->setText(GetResourceString(TextId::Ripper::Drives));
        LabelTracks->setText(GetResourceString(TextId::Ripper::Tracks));
        LabelOutputDirectory->setText(GetResourceString(TextId::Ripper::OutputDirectory));
        mbuttonBrowse.SetCaption(GetResourceString(TextId::Ripper::Browse));
        mbuttonRip.SetCaption(GetResourceString(TextId::Ripper::Rip));
        mbuttonRip.SetToolTipText(GetResourceString(TextId::Ripper::RipAudioTracksCDTip));
        mbuttonStop.SetCaption(GetResourceString(TextId::Common::Stop));
        mbuttonStop.SetToolTipText(GetResourceString(TextId::Common::StopTip));
        ListViewTracks->setToolTip(GetResourceString(TextId::Ripper::TrackNamesTip));
        BtnCDDB->setText(GetResourceString(TextId::Ripper::CDDB));
    });
}

void FormCDRipper::ResizeColumns() {
    WithTrail(QStringLiteral("ResizeColumns"), [&] {
        // Of the list's width less 300 twips (check boxes, scroll bar).
        const double width = std::max(0.0, PixelsToTwipsX(ListViewTracks->width()) - 300);
        const double fractions[TrackListModel::ColumnCount] = {0.34, 0.24, 0.24, 0.18};
        for (int c = 0; c < TrackListModel::ColumnCount; ++c)
            ListViewTracks->setColumnWidth(c, TwipsToPixelsX(width * fractions[c]));
    });
}

void FormCDRipper::FillDrives() {
    const QStringList drives = ListCdDrives();
    const QSignalBlocker block(ComboDrives);
    ComboDrives->clear();
    for (int i = 0; i < drives.size() && i < kMaxDrives; ++i) ComboDrives->addItem(drives[i]);
    if (ComboDrives->count() > 0) ComboDrives->setCurrentIndex(0);
}

// ---- drives and tracks --------------------------------------------------------------

void FormCDRipper::ComboDrives_Click() { ChooseDrive(true); }

void FormCDRipper::ChooseDrive(bool report) {
    // The previous drive is closed and its rows gone before the new one opens.
    ResumeNext([&] {
        m_drive.reset();
        m_toc = CdTableOfContents{};
        m_tracks->Clear();
    });
    ResumeNext([&] {
        const int index = ComboDrives->currentIndex();
        if (index >= 0 && InitCDDrive(index, report)) m_tracks->SetTracks(m_toc);
    });
    ResumeNext([&] { ListViewTracks_ItemCheck(); });
}

bool FormCDRipper::InitCDDrive(int index, bool report) {
    return WithTrail(CallSite(QStringLiteral("InitCDDrive"), index), [&] {
        const QStringList drives = ListCdDrives();
        if (index >= drives.size()) return false;
        int32_t error = CdError::None;
        QString why;
        m_drive = CdDrive::Open(drives[index], error, &why);
        if (!m_drive) {
            // A disc image the user named that is refused is always said,
            // also when the window opens.
            if (report || error == CdError::BadDiscImage) MsgBox(why, Mb::OKOnly, VersionInfo::Title());
            return false;
        }
        return m_drive->ReadToc(m_toc);
    });
}

void FormCDRipper::ListViewTracks_ItemCheck() {
    mbuttonRip.SetEnabled(!mblnProcessRunning && m_tracks->TickedCount() > 0);
}

void FormCDRipper::EnableControls(bool blnEnable) {
    LabelDrives->setEnabled(blnEnable);
    ComboDrives->setEnabled(blnEnable);
    LabelTracks->setEnabled(blnEnable);
    ListViewTracks->setEnabled(blnEnable);
    mbuttonBrowse.SetEnabled(blnEnable);
    mbuttonRip.SetEnabled(blnEnable && m_tracks->TickedCount() > 0);
    mbuttonStop.SetEnabled(!blnEnable || m_cddb->Running());
}

// ---- buttons ------------------------------------------------------------------------

void FormCDRipper::BtnBrowse_Click() {
    const QString folder = BrowseForFolder(this, GetResourceString(TextId::Ripper::SelectOutputDirectory));
    if (!folder.isEmpty()) TextOutputDirectory->setText(folder);
}

void FormCDRipper::BtnStop_Click() {
    mblnStopAll = true;
    m_cddb->Stop();
}

void FormCDRipper::BtnRip_Click() {
    // The Encoder Decoder runs the rip as its job too: it refuses to close,
    // and the program to end, until the rip is over.
    IToolWindow* encoder = nullptr;
    try {
        encoder = WindowRegistry::Load(WindowNames::EncoderDecoder);
        if (encoder && !InitialiseNewProcess(encoder, false, false)) return;
    } catch (...) {
        DisplayErrorMessage();
        return;
    }
    bool started = false;
    try {
        started = InitialiseNewProcess(this, false, false);
    } catch (...) {
        DisplayErrorMessage();
    }
    if (started) {
        try {
            WindowJobHost job(this);
            RipTracks(m_drive.get(), m_tracks->Rows(), TextOutputDirectory->text(), job, [&](const QString& path) {
                // Only files this rip wrote; a list that is not there is skipped.
                if (auto* list = WindowRegistry::FindAs<IEncoderFileList>(WindowNames::EncoderDecoder))
                    list->AddFilesToEncoderList({path});
            });
        } catch (...) {
            DisplayErrorMessage();
        }
        ResumeNext([&] { ConcludeProcess(this); });
    }
    // The Encoder Decoder refuses to close during its job, so it is still there.
    if (encoder && WindowRegistry::Find(WindowNames::EncoderDecoder) == encoder)
        ResumeNext([&] { ConcludeProcess(encoder); });
    ListViewTracks_ItemCheck();
    // A close asked for during the rip happens now, outside the rip's loop.
    if (m_closeWhenRipEnds) {
        m_closeWhenRipEnds = false;
        QTimer::singleShot(0, this, [this] { close(); });
    }
}

void FormCDRipper::BtnCDDB_Click() {
    // One query at a time; what comes back is not used.
    if (m_cddb->Running() || !m_drive) return;
    const CdDatabaseServer server = ParseCdDatabaseServer(
        Stored::Text(kCdDatabaseSection, kCdDatabaseServerKey, kCdDatabaseDefaultServer));
    // A query that cannot even begin (no socket to be had) has reported its
    // end before Start returns: Stop follows whether the query still runs.
    m_cddb->Start(m_toc, server);
    mbuttonStop.SetEnabled(mblnProcessRunning || m_cddb->Running());
}

// ---- keys -----------------------------------------------------------------------------

void FormCDRipper::ProcessShortcutKeys(int KeyCode, int Shift) {
    if (!(Shift & ShiftBit::Alt)) return;  // F1 is the key router's
    auto focus = [](QWidget* w) {
        if (w->isEnabled() && w->isVisible()) w->setFocus(Qt::ShortcutFocusReason);
    };
    switch (KeyCode) {
    case 66:  // B
        if (mbuttonBrowse.Enabled()) ResumeNext([&] { BtnBrowse_Click(); });
        break;
    case 82:  // R
        if (mbuttonRip.Enabled()) ResumeNext([&] { BtnRip_Click(); });
        break;
    case 83:  // S
        if (mbuttonStop.Enabled()) BtnStop_Click();
        break;
    case 68: focus(ComboDrives); break;          // D
    case 84: focus(ListViewTracks); break;       // T
    case 79: focus(TextOutputDirectory); break;  // O
    default: break;
    }
}

// ---- close -------------------------------------------------------------------------

void FormCDRipper::QueryUnload(bool& cancel) {
    if (!mblnProcessRunning) return;
    // The rip's loop runs inside this window's click handler: stop it, and
    // close once it has returned.
    mblnStopAll = true;
    m_closeWhenRipEnds = true;
    cancel = true;
}

void FormCDRipper::StopBeforeUnload() { m_cddb->Stop(); }

void FormCDRipper::UnloadOwn() { m_drive.reset(); }

// ---- settings ----------------------------------------------------------------------

void FormCDRipper::ReadSettings() {
    CDRipperSettings settings;
    ReadThenShow([&] { settings.Read(); }, [&] { TextOutputDirectory->setText(settings.TextOutputDirectory); });
}

void FormCDRipper::WriteSettings() {
    CDRipperSettings settings;
    settings.TextOutputDirectory = TextOutputDirectory->text();
    settings.Write();
}

void RegisterCDRipperWindow() {
    WindowRegistry::SetFactory(WindowNames::CDRipper, [] { return new FormCDRipper; });
}
