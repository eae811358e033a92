#include "playlists/ui/PlaylistManager.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/Help.h"
#include "foundation/ListFiles.h"
#include "foundation/LongJob.h"
#include "foundation/MessageUi.h"
#include "foundation/NativePath.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/ui/WindowPositions.h"
#include "foundation/SharedServices.h"
#include "foundation/Twips.h"
#include "options/WindowSettings.h"
#include "playlists/AutoTidy.h"
#include "playlists/PlaylistEntries.h"
#include "playlists/PlaylistFiles.h"
#include "playlists/PlaylistModel.h"
#include "playlists/PlaylistSave.h"
#include "playlists/ui/AutoTidyResultsDialog.h"
#include "playlists/ui/PlaylistEntryDialog.h"
#include "playlists/ui/PlaylistView.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/engine/ScanResultsSource.h"
#include "scanning/ui/FileInfoDialog.h"
#include "scanning/ui/WindowServices.h"
#include "shell/SkinScheme.h"
#include "shell/edit/ui/EditCommands.h"
#include "shell/menus/KeyboardState.h"
#include "shell/menus/ui/Menus.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/SkinnedControlBuilder.h"
#include "shell/ui/SkinWidgets.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QHeaderView>
#include <QLineEdit>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTabBar>
#include <algorithm>

namespace {

// ---- design layout (twips) --------------------------------------------------------
// Tops are given as built, under a menu bar that ends at 480; the layout
// moves them with the menu bar.
constexpr double kBuiltTop = 480;
constexpr double kBuiltWidth = 9108, kBuiltHeight = 6060;
constexpr double kMinHeight = 5280, kMinWidth = 8000;
constexpr double kButtonHeight = 348;
constexpr double kViewTop = 960, kOptionsTop = 1440, kListTop = 1800;
constexpr double kViewTabWidth = 1212, kViewTabHeight = 324, kViewTabGap = 48;
// Room left and right of a view tab's caption on its picture.
constexpr double kViewTabPadding = 96;
// The logo keeps the width it has in a window of the minimum built width.
constexpr double kLogoMinWidth = kMinWidth - 7416;
constexpr double kRightMargin = 576;

const QString kSettingsSection = QStringLiteral("Settings");
const QString kLocationKey = QStringLiteral("PlaylistsLocation");

// A view tab's caption in the colours of a skinned push button: released, or
// held down on the tab of the current view.  That tab is disabled, as the
// choice in force, yet its caption stays whole over the held-down picture.
void ColourViewTabCaption(QLabel* caption, bool current) {
    QPalette palette = caption->palette();
    if (current) {
        const QColor down = ColorFromValue(gudtSkinSettings.ButtonDownForeColor);
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::WindowText, down);
    } else {
        SetSkinColour(palette, QPalette::WindowText, ColorFromValue(gudtSkinSettings.ButtonForeColor));
    }
    caption->setPalette(palette);
}
// The maker's web site, opened by the logo.
const QString kMakerSite = QStringLiteral("https://www.brellick.example/");

QString SaveFilter(int format) {
    switch (format) {
    case PlaylistFileFormat::PLS: return QStringLiteral("PLS Playlist|*.pls");
    case PlaylistFileFormat::B4S: return QStringLiteral("B4S Playlist|*.b4s");
    default: return QStringLiteral("M3U Playlist|*.m3u");
    }
}

// The text of a file or a builder as the text view holds it: one LF per
// line end (Save writes each as CR LF again).
QString AsViewText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// The maker's logo: its name on a dark plate.
QPixmap LogoPicture() {
    QPixmap logo(240, 48);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient plate(0, 0, 0, 48);
    plate.setColorAt(0, QColor(0x33, 0x44, 0x66));
    plate.setColorAt(1, QColor(0x12, 0x1a, 0x2c));
    p.setBrush(plate);
    p.setPen(QColor(0x8a, 0x9c, 0xc4));
    p.drawRoundedRect(QRectF(0.5, 0.5, 239, 47), 8, 8);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(22);
    p.setFont(font);
    p.setPen(QColor(0xf0, 0xf4, 0xff));
    p.drawText(QRect(0, 0, 240, 48), Qt::AlignCenter, QStringLiteral("brellick"));
    return logo;
}

}  // namespace

// ---- load ---------------------------------------------------------------------------

FormPlaylistManager::FormPlaylistManager(QWidget* parent)
    : SkinnedToolWindow(WindowNames::PlaylistManager, parent),
      CommonDialogFile(this, QStringLiteral("CommonDialogFile")) {
    LoadToolWindow(
        {.minHeight = kMinHeight, .minWidth = kMinWidth, .builtWidth = kBuiltWidth, .builtHeight = kBuiltHeight});

    CommonDialogFile.Flags = Cdl::OFNFileMustExist | Cdl::OFNHideReadOnly | Cdl::OFNOverwritePrompt;  // 4102
    ResumeNext([&] { ImagePlaylist_Click(1); });
    ResumeNext([&] { LayoutControls(); });
    ResumeNext([&] { ReadSettings(); });
}

FormPlaylistManager::~FormPlaylistManager() = default;

void FormPlaylistManager::BuildControls() {
    const auto read = BuildSkinnedButton(this, mbuttonRead, QStringLiteral("Read"), {120, 480, 2532, kButtonHeight},
                                         [this] { BtnRead_Click(); });
    BtnRead = read.standard;
    const auto stop = BuildSkinnedButton(this, mbuttonStop, QStringLiteral("Stop"), {2760, 480, 1128, kButtonHeight},
                                         [this] { BtnStop_Click(); });
    BtnStop = stop.standard;
    mbuttonStop.SetEnabled(false);

    LabelPlaylistFormat = new QLabel(this);
    LabelPlaylistFormat->setObjectName(QStringLiteral("LabelPlaylistFormat"));
    ComboPlaylistFormat = new QComboBox(this);
    ComboPlaylistFormat->setObjectName(QStringLiteral("ComboPlaylistFormat"));
    LabelPlaylistFormat->setBuddy(ComboPlaylistFormat);

    ImageBrellick = new SkinImage(this);
    ImageBrellick->setObjectName(QStringLiteral("ImageBrellick"));
    ImageBrellick->SetStretch(true);
    ImageBrellick->SetPicture(LogoPicture());
    ImageBrellick->setCursor(Qt::PointingHandCursor);
    connect(ImageBrellick, &SkinImage::Click, this, [this] { ResumeNext([&] { ImageBrellick_Click(); }); });

    const auto tidy = BuildSkinnedButton(this, mbuttonAutoTidy, QStringLiteral("AutoTidy"),
                                         {6840, kViewTop, 1692, kButtonHeight}, [this] { BtnAutoTidy_Click(); });
    BtnAutoTidy = tidy.standard;

    // The view switch: a tab strip with skins off, two picture tabs with them.
    TabStripPlaylist = new QTabBar(this);
    TabStripPlaylist->setObjectName(QStringLiteral("TabStripPlaylist"));
    TabStripPlaylist->addTab(QStringLiteral("Pla&ylist View"));
    TabStripPlaylist->addTab(QStringLiteral("Te&xt File View"));
    TabStripPlaylist->setDrawBase(false);
    TabStripPlaylist->hide();
    connect(TabStripPlaylist, &QTabBar::currentChanged, this, [this] { ResumeNext([&] { TabStripPlaylist_Click(); }); });
    for (int i = 1; i <= 2; ++i) {
        const PictureFace face =
            BuildPictureFace(this, QStringLiteral("ImagePlaylist"), QStringLiteral("LabelPlaylist"),
                             ImageSkins[SkinPicture::ButtonUp],
                             {120 + (i - 1) * 1260.0, kViewTop, kViewTabWidth, kViewTabHeight});
        face.picture->setProperty("Index", i);
        face.label->setProperty("Index", i);
        SetControlTag(face.picture, QStringLiteral("Button"));
        SetControlTag(face.label, QStringLiteral("Button"));
        ImagePlaylist[size_t(i)] = face.picture;
        LabelPlaylist[size_t(i)] = face.label;
        connect(face.picture, &SkinImage::Click, this, [this, i] { ResumeNext([&] { ImagePlaylist_Click(i); }); });
        connect(face.label, &SkinLabel::Click, this, [this, i] { ResumeNext([&] { ImagePlaylist_Click(i); }); });
    }

    const auto show = BuildSkinnedOptionGroup(this, {&moptionTitleInfo, &moptionFileInfo}, QStringLiteral("Show"),
                                              {{240, kOptionsTop, 1932, 252}, {2400, kOptionsTop, 1932, 252}},
                                              [this](int) { ResumeNext([&] { ResizeColumns(); }); });
    OptionShow[0] = show[0].standard;
    OptionShow[1] = show[1].standard;

    m_playlist = new PlaylistModel(gPlaylistEntries, this);
    ListViewPlaylist = new PlaylistView(this);
    ListViewPlaylist->setModel(m_playlist);
    RichPlaylist = new QPlainTextEdit(this);
    RichPlaylist->setObjectName(QStringLiteral("RichPlaylist"));
    RichPlaylist->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichPlaylist->hide();

    // The two indicators share one place: green in front while a view has
    // the focus, else red.
    ImageRedIndicator = BuildRedIndicatorAndProgBar();

    connect(ComboPlaylistFormat, &QComboBox::currentIndexChanged, this,
            [this] { ResumeNext([&] { ComboPlaylistFormat_Click(); }); });
    connect(ListViewPlaylist, &ResultsListView::FocusChanged, this,
            [this](bool focus) { ResumeNext([&] { ShowContextMenuIndicator(this, focus); }); });
    connect(ListViewPlaylist, &ResultsListView::RowDoubleClicked, this, [this] {
        ResumeNext([&] {
            if (ListItemSelected(ListViewPlaylist)) mnuActionsEditEntry_Click();
        });
    });
    connect(ListViewPlaylist, &ResultsListView::RightButtonUp, this, [this](const QPoint& at) {
        ResumeNext([&] { ActionsMenuRootSelect(); });
        ResumeNext([&] { mnuActions->exec(at); });
    });
    connect(ListViewPlaylist, &ResultsListView::FilesDropped, this,
            [this](const QStringList& files) { ResumeNext([&] { ListViewPlaylist_OLEDragDrop(files); }); });
    RichPlaylist->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichPlaylist, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        ResumeNext([&] { EditMenuRootSelect(this, RichPlaylist, mnuEdit); });
        ResumeNext([&] { mnuEditRoot->exec(RichPlaylist->mapToGlobal(at)); });
    });
    SetEditControl(ListViewPlaylist);
    RichPlaylist->installEventFilter(this);
}

void FormPlaylistManager::BuildMenus() {
    auto add = [](QMenu* menu, const char* name) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    auto wire = [this](QAction* action, void (FormPlaylistManager::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { ResumeNext([&] { (this->*handler)(); }); });
    };
    mnuFile = new QMenu(this);
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileOpen = add(mnuFile, "mnuFileOpen");
    mnuFile->addSeparator();
    mnuFileSave = add(mnuFile, "mnuFileSave");
    mnuFileSaveAs = add(mnuFile, "mnuFileSaveAs");
    mnuFile->addSeparator();
    mnuFileExit = add(mnuFile, "mnuFileExit");
    wire(mnuFileOpen, &FormPlaylistManager::mnuFileOpen_Click);
    wire(mnuFileSave, &FormPlaylistManager::mnuFileSave_Click);
    wire(mnuFileSaveAs, &FormPlaylistManager::mnuFileSaveAs_Click);
    wire(mnuFileExit, &FormPlaylistManager::mnuFileExit_Click);

    mnuActions = new QMenu(this);
    mnuActions->setObjectName(QStringLiteral("mnuActions"));
    mnuActionsFileInfo = add(mnuActions, "mnuActionsFileInfo");
    mnuActionsPlay = add(mnuActions, "mnuActionsPlay");
    mnuActions->addSeparator();
    mnuActionsEditEntry = add(mnuActions, "mnuActionsEditEntry");
    mnuActionsRemoveEntry = add(mnuActions, "mnuActionsRemoveEntry");
    mnuActionsInsertEntry = add(mnuActions, "mnuActionsInsertEntry");
    mnuActionsAddEntry = add(mnuActions, "mnuActionsAddEntry");
    mnuActions->addSeparator();
    mnuActionsSyncTitleWithID3Tag = add(mnuActions, "mnuActionsSyncTitleWithID3Tag");
    mnuActionsSearchForFile = add(mnuActions, "mnuActionsSearchForFile");
    mnuActions->addSeparator();
    mnuActionsSortPlaylistMenu = new QMenu(this);
    mnuActionsSortPlaylistMenu->setObjectName(QStringLiteral("mnuActionsSortPlaylistMenu"));
    mnuActionsSortPlaylist = mnuActions->addMenu(mnuActionsSortPlaylistMenu);
    mnuActionsSortPlaylist->setObjectName(QStringLiteral("mnuActionsSortPlaylist"));
    mnuActionsSortPlaylistByFileName = add(mnuActionsSortPlaylistMenu, "mnuActionsSortPlaylistByFileName");
    mnuActionsSortPlaylistByTitle = add(mnuActionsSortPlaylistMenu, "mnuActionsSortPlaylistByTitle");
    mnuActionsRandomise = add(mnuActions, "mnuActionsRandomise");
    mnuActions->addSeparator();
    mnuActionsSyncTitlesWithID3Tags = add(mnuActions, "mnuActionsSyncTitlesWithID3Tags");
    mnuActionsRemoveSelectedEntries = add(mnuActions, "mnuActionsRemoveSelectedEntries");
    mnuActions->addSeparator();
    mnuActionsCheckAll = add(mnuActions, "mnuActionsCheckAll");
    mnuActionsUncheckAll = add(mnuActions, "mnuActionsUncheckAll");
    wire(mnuActionsFileInfo, &FormPlaylistManager::mnuActionsFileInfo_Click);
    wire(mnuActionsPlay, &FormPlaylistManager::mnuActionsPlay_Click);
    wire(mnuActionsEditEntry, &FormPlaylistManager::mnuActionsEditEntry_Click);
    wire(mnuActionsRemoveEntry, &FormPlaylistManager::mnuActionsRemoveEntry_Click);
    wire(mnuActionsInsertEntry, &FormPlaylistManager::mnuActionsInsertEntry_Click);
    wire(mnuActionsAddEntry, &FormPlaylistManager::mnuActionsAddEntry_Click);
    wire(mnuActionsSyncTitleWithID3Tag, &FormPlaylistManager::mnuActionsSyncTitleWithID3Tag_Click);
    wire(mnuActionsSearchForFile, &FormPlaylistManager::mnuActionsSearchForFile_Click);
    wire(mnuActionsSortPlaylistByFileName, &FormPlaylistManager::mnuActionsSortPlaylistByFileName_Click);
    wire(mnuActionsSortPlaylistByTitle, &FormPlaylistManager::mnuActionsSortPlaylistByTitle_Click);
    wire(mnuActionsRandomise, &FormPlaylistManager::mnuActionsRandomise_Click);
    wire(mnuActionsSyncTitlesWithID3Tags, &FormPlaylistManager::mnuActionsSyncTitlesWithID3Tags_Click);
    wire(mnuActionsRemoveSelectedEntries, &FormPlaylistManager::mnuActionsRemoveSelectedEntries_Click);
    wire(mnuActionsCheckAll, &FormPlaylistManager::mnuActionsCheckAll_Click);
    wire(mnuActionsUncheckAll, &FormPlaylistManager::mnuActionsUncheckAll_Click);

    SetLabelMenuPopup(0, mnuFile);
    SetLabelMenuPopup(3, mnuActions);
    // The shared menus' items; this window has no options page of its own.
    ConnectSharedMenus(this, [] { return -1; });
}

void FormPlaylistManager::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        namespace P = TextId::Playlist;
        SetCaption(GetResourceString(TextId::Launcher::PlaylistManager));
        if (LabelStatusBar) LabelStatusBar->setText(GetResourceString(TextId::Scan::ForHelpPressF1));
        mnuFileOpen->setText(GetResourceString(TextId::Menu::Open) + QStringLiteral("\tCtrl+O"));
        mnuFileSave->setText(GetResourceString(TextId::Menu::Save) + QStringLiteral("\tCtrl+S"));
        mnuFileSaveAs->setText(GetResourceString(P::SaveAs));
        mnuFileExit->setText(GetResourceString(TextId::Menu::Exit) + QStringLiteral("\tCtrl+Q"));
        mnuActionsFileInfo->setText(GetResourceString(TextId::Menu::FileInformation));
        mnuActionsPlay->setText(GetResourceString(TextId::Menu::Play));
        mnuActionsEditEntry->setText(GetResourceString(P::EditEntry));
        mnuActionsRemoveEntry->setText(GetResourceString(P::RemoveEntry));
        mnuActionsInsertEntry->setText(GetResourceString(P::InsertEntry));
        mnuActionsAddEntry->setText(GetResourceString(P::AddEntry));
        mnuActionsSyncTitleWithID3Tag->setText(GetResourceString(P::SyncTitle));
        mnuActionsSearchForFile->setText(GetResourceString(P::SearchForFile));
        mnuActionsSortPlaylist->setText(GetResourceString(P::SortPlaylist));
        mnuActionsSortPlaylistByFileName->setText(GetResourceString(P::ByFileName));
        mnuActionsSortPlaylistByTitle->setText(GetResourceString(P::ByTitle));
        mnuActionsRandomise->setText(GetResourceString(P::Randomise));
        mnuActionsSyncTitlesWithID3Tags->setText(GetResourceString(P::SyncTitles));
        mnuActionsRemoveSelectedEntries->setText(GetResourceString(P::RemoveSelected));
        mnuActionsCheckAll->setText(GetResourceString(TextId::Menu::CheckAll));
        mnuActionsUncheckAll->setText(GetResourceString(TextId::Menu::UncheckAll));
        mbuttonRead.SetCaption(GetResourceString(P::ReadScanResults));
        mbuttonStop.SetCaption(GetResourceString(TextId::Common::Stop));
        {
            // Filling the list selects nothing yet: the settings choose.
            const QSignalBlocker quiet(ComboPlaylistFormat);
            ComboPlaylistFormat->clear();
            ComboPlaylistFormat->addItem(GetResourceString(P::M3UFormat));
            ComboPlaylistFormat->addItem(GetResourceString(P::PLSFormat));
            ComboPlaylistFormat->addItem(GetResourceString(P::B4SFormat));
        }
        LabelPlaylistFormat->setText(GetResourceString(P::PlaylistFormat));
        LabelPlaylist[1]->setText(GetResourceString(P::PlaylistView));
        LabelPlaylist[2]->setText(GetResourceString(P::TextFileView));
        mbuttonAutoTidy.SetCaption(GetResourceString(P::AutoTidy));
        moptionTitleInfo.SetCaption(GetResourceString(P::ShowTitleInfo));
        moptionFileInfo.SetCaption(GetResourceString(P::ShowFileInfo));
        mbuttonRead.SetToolTipText(GetResourceString(P::ReadScanResultsTip));
        mbuttonStop.SetToolTipText(GetResourceString(TextId::Common::StopTip));
        LabelPlaylistFormat->setToolTip(GetResourceString(P::PlaylistFormatTip));
        ComboPlaylistFormat->setToolTip(GetResourceString(P::PlaylistFormatTip));
        LabelPlaylist[1]->setToolTip(GetResourceString(P::PlaylistViewTip));
        ImagePlaylist[1]->setToolTip(GetResourceString(P::PlaylistViewTip));
        TabStripPlaylist->setTabToolTip(0, GetResourceString(P::PlaylistViewTip));
        LabelPlaylist[2]->setToolTip(GetResourceString(P::TextFileViewTip));
        ImagePlaylist[2]->setToolTip(GetResourceString(P::TextFileViewTip));
        TabStripPlaylist->setTabToolTip(1, GetResourceString(P::TextFileViewTip));
        mbuttonAutoTidy.SetToolTipText(GetResourceString(P::AutoTidyTip));
        moptionTitleInfo.SetToolTipText(GetResourceString(P::ShowTitleInfoTip));
        moptionFileInfo.SetToolTipText(GetResourceString(P::ShowFileInfoTip));
        ImageBrellick->setToolTip(GetResourceString(P::LogoTip));
    });
    // The captions decide the smallest width: known before the window's
    // place is chosen.
    LayoutControls();
}

// ---- layout -----------------------------------------------------------------------

void FormPlaylistManager::LayoutControls() {
    if (m_inLayout || isMinimized() || !ListViewPlaylist) return;
    m_inLayout = true;
    const auto release = qScopeGuard([&] { m_inLayout = false; });
    SkinnedToolWindow::LayoutControls();

    double W = PixelsToTwipsX(width());
    const double H = PixelsToTwipsY(height());
    // Everything under the menu bar moves with it (it sits lower under a
    // picture title bar than under the platform's frame).
    double shift = 0;
    if (LabelMenu[0]) shift = std::max(0.0, PixelsToTwipsY(LabelMenu[0]->geometry().bottom() + 1) + 60 - kBuiltTop);
    auto place = [](QWidget* w, double left, double top, double width, double height) {
        w->setGeometry(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(std::max(0.0, width)),
                       TwipsToPixelsY(std::max(0.0, height)));
    };
    const double statusTop = H - 420;
    const double viewsBottom = statusTop - 108;
    // The format caption and list as wide as their texts need, the logo in
    // what is left of the row: never narrower than in a window of the
    // minimum built width, the window's minimum width grows instead.
    const double labelWidth = std::max(1212.0, PixelsToTwipsX(LabelPlaylistFormat->sizeHint().width()) + 60);
    const double comboLeft = 4080 + labelWidth + 108;
    const double comboWidth = std::max(1332.0, PixelsToTwipsX(ComboPlaylistFormat->sizeHint().width()));
    const double logoLeft = std::max(6840.0, comboLeft + comboWidth + 108);
    const double minWidth = std::max(kMinWidth, logoLeft + kLogoMinWidth + kRightMargin);
    if (std::abs(minWidth - MinimumWidthTwips()) >= 1) {
        SetMinimumSizeTwips(kMinHeight, minWidth);
        W = std::max(W, PixelsToTwipsX(width()));
    }
    ResumeNext([&] {
        mbuttonRead.SetTop(float(480 + shift));
        mbuttonStop.SetTop(float(480 + shift));
        place(LabelPlaylistFormat, 4080, 540 + shift + 30, labelWidth, 252);
        place(ComboPlaylistFormat, comboLeft, 480 + shift + 10, comboWidth,
              PixelsToTwipsY(ComboPlaylistFormat->sizeHint().height()));
        place(ImageBrellick, logoLeft, 480 + shift, W - kRightMargin - logoLeft, 372);
    });
    ResumeNext([&] {
        // Each view tab as wide as built, or as its caption needs.
        double left = 120;
        for (int i = 1; i <= 2; ++i) {
            SkinLabel* caption = LabelPlaylist[size_t(i)];
            const double width =
                std::max(kViewTabWidth, PixelsToTwipsX(caption->sizeHint().width()) + 2 * kViewTabPadding);
            place(ImagePlaylist[size_t(i)], left, kViewTop + shift, width, kViewTabHeight);
            caption->setGeometry(ImagePlaylist[size_t(i)]->geometry());
            left += width + kViewTabGap;
        }
        place(TabStripPlaylist, 120, kViewTop + shift, std::min(W - 2400, 4000.0),
              PixelsToTwipsY(TabStripPlaylist->sizeHint().height()));
        mbuttonAutoTidy.SetLeft(float(W - 2268));
        mbuttonAutoTidy.SetTop(float(kViewTop + shift));
        moptionTitleInfo.SetTop(float(kOptionsTop + shift));
        moptionFileInfo.SetTop(float(kOptionsTop + shift));
        // Each option as wide as its caption needs; the second starts where
        // the first one's caption ends, never left of its built place.
        int firstRight = 0;
        for (clsOption* option : {&moptionTitleInfo, &moptionFileInfo}) {
            QWidget* standard = option->StandardControl();
            standard->resize(std::max(standard->width(), standard->sizeHint().width()), standard->height());
            QLabel* label = option->CaptionLabel();
            label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
            if (option == &moptionTitleInfo) {
                firstRight = std::max(standard->x() + standard->sizeHint().width(), label->x() + label->width());
                continue;
            }
            const int left = std::max(TwipsToPixelsX(2400), firstRight + TwipsToPixelsX(240));
            const int dx = left - std::min(standard->x(), option->Picture()->x());
            for (QWidget* part : {standard, static_cast<QWidget*>(option->Picture()), static_cast<QWidget*>(label)})
                part->move(part->x() + dx, part->y());
        }
    });
    ResumeNext([&] {
        place(ListViewPlaylist, 120, kListTop + shift, W - 696, viewsBottom - (kListTop + shift));
        place(RichPlaylist, 120, kOptionsTop + shift, W - 696, viewsBottom - (kOptionsTop + shift));
    });
    ResumeNext([&] {
        if (ProgBar) place(ProgBar, W - 468, 480 + shift, 252, viewsBottom - (480 + shift));
        if (LabelStatusBar) place(LabelStatusBar, 120, statusTop, W - 696, 270);
        const int x = TwipsToPixelsX(W - 468);
        const int y = TwipsToPixelsY(statusTop) + (TwipsToPixelsY(270) - ImageRedIndicator->height()) / 2;
        ImageRedIndicator->move(x, y);
        if (ImageGreenIndicator) ImageGreenIndicator->move(x, y);
    });
    ResumeNext([&] { ResizeColumns(); });
}

void FormPlaylistManager::ResizeColumns() {
    WithTrail(QStringLiteral("ResizeColumns"), [&] {
        QHeaderView* header = ListViewPlaylist->header();
        // The length column is 1000 twips, or as wide as its caption needs
        // in a larger font; the shown text column takes the rest.
        const int length =
            std::max(TwipsToPixelsX(1000),
                     header->fontMetrics().horizontalAdvance(
                         m_playlist->headerData(PlaylistColumn::Length, Qt::Horizontal).toString()) +
                         24);
        const int rest = std::max(0, ListViewPlaylist->width() - length - TwipsToPixelsX(300));
        header->resizeSection(PlaylistColumn::Length, length);
        // The hidden column keeps its data; it is only 0 wide.
        const bool titles = moptionTitleInfo.Value();
        header->resizeSection(PlaylistColumn::Title, titles ? rest : 0);
        header->resizeSection(PlaylistColumn::FileName, titles ? 0 : rest);
    });
}

// ---- views and options ------------------------------------------------------------

int FormPlaylistManager::CurrentView() const { return TabStripPlaylist->currentIndex() + 1; }

void FormPlaylistManager::ImagePlaylist_Click(int Index) {
    if (Index < 1 || Index > 2) RaiseMissingElement(Index);
    for (int i = 1; i <= 2; ++i) {
        ImagePlaylist[size_t(i)]->SetPicture(ImageSkins[SkinPicture::ButtonUp]);
        ImagePlaylist[size_t(i)]->setEnabled(true);
        LabelPlaylist[size_t(i)]->setEnabled(true);
    }
    ImagePlaylist[size_t(Index)]->SetPicture(ImageSkins[SkinPicture::ButtonDown]);
    ImagePlaylist[size_t(Index)]->setEnabled(false);
    LabelPlaylist[size_t(Index)]->setEnabled(false);
    for (int i = 1; i <= 2; ++i) ColourViewTabCaption(LabelPlaylist[size_t(i)], i == Index);
    if (TabStripPlaylist->currentIndex() != Index - 1)
        TabStripPlaylist->setCurrentIndex(Index - 1);
    else
        TabStripPlaylist_Click();
}

void FormPlaylistManager::TabStripPlaylist_Click() {
    const bool list = CurrentView() == 1;
    RichPlaylist->setVisible(!list);
    ListViewPlaylist->setVisible(list);
    moptionTitleInfo.SetVisible(list);
    moptionFileInfo.SetVisible(list);
    // The pictures follow a tab chosen on the strip itself.
    const int view = CurrentView();
    if (ImagePlaylist[size_t(view)]->isEnabled()) ImagePlaylist_Click(view);
}

void FormPlaylistManager::OptionShow_Click(int Index) {
    if (moptionTitleInfo.mblnValueChanging || moptionFileInfo.mblnValueChanging) return;
    if (Index < 0 || Index > 1) RaiseMissingElement(Index);
    moptionTitleInfo.SetValue(false);
    moptionFileInfo.SetValue(false);
    (Index == 0 ? moptionTitleInfo : moptionFileInfo).SetValue(true);
    ResizeColumns();
}

void FormPlaylistManager::UpdateSkinControls() {
    try {
        moptionTitleInfo.Refresh();
        moptionFileInfo.Refresh();
        ImagePlaylist_Click(CurrentView());
    } catch (...) {
        DisplayErrorMessage();
    }
}

void FormPlaylistManager::ComboPlaylistFormat_Click() {
    if (mblnLoadingPlaylist) return;
    CreatePlaylist();
}

// ---- job mode -----------------------------------------------------------------------

void FormPlaylistManager::EnableControls(bool blnEnable) {
    try {
        mbuttonRead.SetEnabled(blnEnable);
        mbuttonAutoTidy.SetEnabled(blnEnable);
        LabelPlaylistFormat->setEnabled(blnEnable);
        ComboPlaylistFormat->setEnabled(blnEnable);
        ListViewPlaylist->setEnabled(blnEnable);
        RichPlaylist->setEnabled(blnEnable);
        mbuttonStop.SetEnabled(!blnEnable);
        ::EnableMenus(this, blnEnable);
    } catch (...) {
        DisplayErrorMessage();
    }
}

void FormPlaylistManager::BtnStop_Click() { mblnStopAll = true; }

// ---- load, build, show ------------------------------------------------------------------

QString FormPlaylistManager::PlaylistText() const { return RichPlaylist->toPlainText(); }

void FormPlaylistManager::SetPlaylistText(const QString& text) { RichPlaylist->setPlainText(AsViewText(text)); }

void FormPlaylistManager::LoadPlaylist(const QString& strPlaylistFile) {
    try {
        // The file is read beside the open playlist, which stays as it is
        // until the file proved to be a playlist and its text was read.
        PlaylistEntries loaded;
        const int32_t format = LoadPlaylistFile(strPlaylistFile, loaded, true);
        if (format == PlaylistFileFormat::NotAPlaylist) {
            MsgBox(GetResourceString(TextId::Playlist::InvalidPlaylistFileText), Mb::OKOnly | Mb::Exclamation,
                   GetResourceString(TextId::Playlist::InvalidPlaylistFile));
            return;
        }
        const QString text = GetTextFromFile(strPlaylistFile);
        gPlaylistEntries = std::move(loaded);
        SetPlaylistText(text);
        mstrLoadedPlaylistFile = strPlaylistFile;
        mstrPlaylistFile = strPlaylistFile;
        PopulatePlayListView();
        mblnLoadingPlaylist = true;
        const auto loadedFormat = qScopeGuard([&] { mblnLoadingPlaylist = false; });
        ComboPlaylistFormat->setCurrentIndex(format);
        ProgressIndication(this, PathForDisplay(strPlaylistFile), false, QString(), 0);
    } catch (...) {
        DisplayErrorMessage();
    }
}

void FormPlaylistManager::PopulatePlayListView() {
    WithTrail(QStringLiteral("PopulatePlayListView"), [&] {
        m_playlist->Populate(mstrPlaylistFile);
        mbuttonAutoTidy.SetEnabled(m_playlist->rows() > 0);
    });
}

void FormPlaylistManager::CreatePlaylistInJob(JobHost& job) {
    job.mblnStopAll = false;
    const int format = ComboPlaylistFormat->currentIndex();
    if (format < PlaylistFileFormat::M3U || format > PlaylistFileFormat::B4S) return;
    job.ShowProgress(0, int64_t(gPlaylistEntries.size()) + 1);
    const QString text = ConstructPlaylist(format, gPlaylistEntries, &job);
    SetPlaylistText(text);
    // The text is saved under its format's extension, so the next Save asks
    // for that name instead of writing it over a file of another format.
    mstrPlaylistFile = PlaylistPathForFormat(mstrPlaylistFile, format);
    job.ShowStatus(GetResourceString(job.mblnStopAll ? TextId::Playlist::CreationInterrupted
                                                     : TextId::Playlist::CreationComplete));
}

void FormPlaylistManager::CreatePlaylist() {
    WithTrail(QStringLiteral("CreatePlaylist"), [&] {
        RunLongJob(this, {}, [&](JobHost& job) { CreatePlaylistInJob(job); });
    });
}

void FormPlaylistManager::UpdatePlaylistDisplay() {
    try {
        PopulatePlayListView();
        CreatePlaylist();
    } catch (...) {
        DisplayErrorMessage();
    }
}

void FormPlaylistManager::UpdatePlaylistDisplayInJob(JobHost& job) {
    ResumeNext([&] { PopulatePlayListView(); });
    ResumeNext([&] { CreatePlaylistInJob(job); });
}

// ---- files ---------------------------------------------------------------------------

void FormPlaylistManager::mnuFileOpen_Click() {
    const QString folder = GetOptionSetting(kSettingsSection, kLocationKey, QString(), SettingType::String).toString();
    QString fileName;
    if (!DisplayCommonDialogOpen(CommonDialogFile, GetResourceString(TextId::Playlist::OpenPlaylist),
                                 QStringLiteral("Playlist Files (*.m3u,*.pls,*.b4s)|*.m3u;*.pls;*.b4s"), fileName,
                                 folder))
        return;
    ResumeNext([&] { LoadPlaylist(fileName); });
    // The next Open starts there, whether or not the file was taken.
    SaveOptionSetting(kSettingsSection, kLocationKey, ParentFolder(fileName), SettingType::String);
}

void FormPlaylistManager::mnuFileSave_Click() {
    ResumeNext([&] { SavePlaylist(false); });
}

void FormPlaylistManager::mnuFileSaveAs_Click() {
    ResumeNext([&] { SavePlaylist(true); });
}

void FormPlaylistManager::mnuFileExit_Click() { FileExitClick(this); }

void FormPlaylistManager::SavePlaylist(bool blnSaveAs) {
    WithTrail(CallSite(QStringLiteral("SavePlaylist"), blnSaveAs), [&] {
        if (blnSaveAs || mstrPlaylistFile.isEmpty() || mstrPlaylistFile != mstrLoadedPlaylistFile) {
            const QString folder =
                GetOptionSetting(kSettingsSection, kLocationKey, QString(), SettingType::String).toString();
            // The name proposed carries the extension of the format the text
            // is in, so accepting it never offers a file of another format.
            const int format = ComboPlaylistFormat->currentIndex();
            QString fileName = PlaylistPathForFormat(mstrPlaylistFile, format);
            if (!DisplayCommonDialogSave(CommonDialogFile, GetResourceString(TextId::Playlist::SavePlaylist),
                                         SaveFilter(format), fileName, folder))
                return;
            mstrPlaylistFile = fileName;
            SaveOptionSetting(kSettingsSection, kLocationKey, ParentFolder(fileName), SettingType::String);
        }
        if (mstrPlaylistFile.isEmpty()) return;
        const QString path = mstrPlaylistFile;
        const QString lineBreaks = QStringLiteral("\r\n\r\n");
        try {
            const PlaylistSaveResult result =
                SavePlaylistText(path, PlaylistText(), Options().Preferences.blnUseRecycleBin);
            if (result != PlaylistSaveResult::Saved) {
                MsgBox(path + lineBreaks + GetResourceString(TextId::Common::CannotSaveFileAccessError),
                       Mb::OKOnly | Mb::Exclamation, GetResourceString(TextId::Common::PathFileAccessError));
                return;
            }
        } catch (...) {
            const SvError error = CurrentError();
            const QString cannot = path + lineBreaks + GetResourceString(TextId::Playlist::CannotSaveFile) +
                                   StandardErrorText(error.number());
            if (error.number() == ErrNo::PermissionDenied) {
                MsgBox(cannot + GetResourceString(TextId::Playlist::MayBeLocked), Mb::OKOnly | Mb::Exclamation,
                       GetResourceString(TextId::Common::PermissionDenied));
                return;
            }
            if (error.number() == ErrNo::PathFileAccess) {
                MsgBox(cannot + GetResourceString(TextId::Playlist::MayBeReadOnly), Mb::OKOnly | Mb::Exclamation,
                       GetResourceString(TextId::Common::PathFileAccessError));
                return;
            }
            throw;
        }
        ProgressIndication(this, PathForDisplay(path), false, QString(), 0);
    });
}

// ---- drops ---------------------------------------------------------------------------------

void FormPlaylistManager::ListViewPlaylist_OLEDragDrop(const QStringList& paths) {
    if (paths.isEmpty()) return;
    RunLongJob(this, {}, [&](JobHost& job) {
        job.ShowProgress(0, paths.size());
        YieldClock clock(job.YieldIntervalMs());
        int64_t done = 0;
        for (const QString& path : paths) {
            if (clock.due()) {
                job.ShowProgress(done, paths.size());
                job.Yield();
            }
            if (job.mblnStopAll) break;
            ++done;
            int32_t format = PlaylistFileFormat::NotAPlaylist;
            ResumeNext([&] { format = LoadPlaylistFile(path, gPlaylistEntries, false); });
            if (format == PlaylistFileFormat::NotAPlaylist)
                ResumeNext([&] { gPlaylistEntries.push_back(PlaylistEntryForFile(path)); });
        }
        UpdatePlaylistDisplayInJob(job);
    });
}

// ---- Read Scan Results and Auto-Tidy ---------------------------------------------------

void FormPlaylistManager::BtnRead_Click() {
    RunLongJob(this, {.needsScanResults = true}, [&](JobHost& job) {
        IScanResultsSource* centre = FindScanResultsSource();
        if (!centre) RaiseError(ErrNo::ObjectNotSet);
        const ScanResultsModel& results = *centre->ScanResults();
        const int64_t checked = results.checkedCount();
        job.ShowProgress(0, checked);
        // No question: the open playlist gives way to the checked rows.
        gPlaylistEntries.clear();
        gPlaylistEntries.reserve(size_t(checked));
        const QString workingWith = GetResourceString(TextId::Common::WorkingWith);
        YieldClock clock(job.YieldIntervalMs());
        int64_t done = 0;
        bool stopped = false;
        for (int row = 0; row < results.rows(); ++row) {
            const bool due = clock.due();
            if (due) {
                job.ShowProgress(done, checked);
                job.Yield();
            }
            if (job.mblnStopAll) {
                stopped = true;
                break;
            }
            if (!results.isChecked(row)) continue;
            ++done;
            const QString path = results.fullPath(row);
            if (due) job.ShowStatus(workingWith + path);
            ResumeNext([&] { gPlaylistEntries.push_back(PlaylistEntryForFile(path)); });
        }
        mstrPlaylistFile = centre->LastScannedFolder();
        UpdatePlaylistDisplayInJob(job);
        if (stopped)
            job.ReportInterrupted(GetResourceString(TextId::Playlist::ScanResultsReadInterrupted));
        else
            job.ReportComplete(GetResourceString(TextId::Playlist::ScanResultsReadComplete));
    });
}

void FormPlaylistManager::BtnAutoTidy_Click() {
    RunLongJob(this, {}, [&](JobHost& job) {
        namespace P = TextId::Playlist;
        const int answer = MsgBox(GetResourceString(P::AutoTidyQuestion) + QStringLiteral("\r\n\r\n") +
                                      GetResourceString(P::DoYouWishToContinue),
                                  Mb::YesNo | Mb::Question, GetResourceString(P::AutoTidyTitle));
        if (answer != Mb::Yes) return;
        AutoTidyServices services;
        services.askStartFolder = [this] { return BrowseForFolder(this, GetResourceString(P::AutoTidyFolderPrompt)); };
        services.findFile = [&job](const QString& start, const QString& name) {
            return FindFile(start, name, job.mblnStopAll, [&job](const QString& status) {
                job.ShowStatus(status);
                job.Yield();
            });
        };
        AutoTidyReport report;
        ResumeNext([&] { report = AutoTidyPlaylist(gPlaylistEntries, mstrPlaylistFile, job, services); });
        UpdatePlaylistDisplayInJob(job);
        if (report.stopped) {
            // What was collected is dropped unseen.
            ProgressIndication(this, GetResourceString(P::AutoTidyInterrupted), true, QString(), Mb::OKOnly | Mb::Exclamation);
        } else if (!report.found.empty() || !report.unfound.empty()) {
            const int view = ProgressIndication(this, GetResourceString(P::AutoTidyComplete), true,
                                                GetResourceString(P::ViewResultsQuestion), Mb::YesNo | Mb::Question);
            if (view == Mb::Yes) ShowAutoTidyResults(report);
        } else {
            job.ReportComplete(GetResourceString(P::AutoTidyComplete));
        }
    });
}

void FormPlaylistManager::ShowAutoTidyResults(const AutoTidyReport& report) {
    DialogAutoTidyResults dialog(report, this);
    dialog.ShowModal();
}

// ---- actions ------------------------------------------------------------------------------

int FormPlaylistManager::SelectedRow() const {
    if (!ListItemSelected(ListViewPlaylist)) return -1;
    const int row = ListViewPlaylist->currentIndex().row();
    return row >= 0 && row < m_playlist->rows() && size_t(row) < gPlaylistEntries.size() ? row : -1;
}

void FormPlaylistManager::SelectRow(int row) {
    const QModelIndex index = m_playlist->index(row, 0);
    ListViewPlaylist->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QString FormPlaylistManager::FullPathOfRow(int row) const {
    return GetFullPathOfFileInPlaylist(mstrPlaylistFile, gPlaylistEntries[size_t(row)].FileName);
}

void FormPlaylistManager::ActionsMenuRootSelect() {
    WithTrail(QStringLiteral("ActionsMenuRootSelect"), [&] {
        const int row = SelectedRow();
        const bool selected = row >= 0;
        const bool exists = selected && FileInPlaylistExists(mstrPlaylistFile, gPlaylistEntries[size_t(row)].FileName);
        const bool hasRows = m_playlist->rows() > 0;
        mnuActionsEditEntry->setEnabled(selected);
        mnuActionsRemoveEntry->setEnabled(selected);
        mnuActionsInsertEntry->setEnabled(selected);
        mnuActionsFileInfo->setEnabled(exists);
        mnuActionsPlay->setEnabled(exists);
        mnuActionsSyncTitleWithID3Tag->setEnabled(exists);
        mnuActionsSearchForFile->setEnabled(selected);
        for (QAction* item : {mnuActionsSortPlaylist, mnuActionsRandomise, mnuActionsSyncTitlesWithID3Tags,
                              mnuActionsRemoveSelectedEntries, mnuActionsCheckAll, mnuActionsUncheckAll})
            item->setEnabled(hasRows);
    });
}

void FormPlaylistManager::mnuActionsFileInfo_Click() {
    const int row = SelectedRow();
    if (row >= 0) DisplayFileInfoDialog(FullPathOfRow(row));
}

void FormPlaylistManager::mnuActionsPlay_Click() {
    const int row = SelectedRow();
    if (row >= 0) OpenWebBrowser(FullPathOfRow(row), this);
}

void FormPlaylistManager::ShowEntryDialog(int mode) {
    const int row = SelectedRow();
    if (mode != 2 && row < 0) return;
    {
        DialogPlaylistEntry dialog(*this, row);
        dialog.mplaylistEntry = mode;
        if (mode == 0) {
            dialog.TextTitle->setText(gPlaylistEntries[size_t(row)].Title);
            dialog.TextFile->setText(FullPathOfRow(row));
        }
        dialog.ShowModal();
    }
    if (mblnPlaylistChanged) UpdatePlaylistDisplay();
}

void FormPlaylistManager::mnuActionsEditEntry_Click() { ShowEntryDialog(0); }

void FormPlaylistManager::mnuActionsInsertEntry_Click() { ShowEntryDialog(1); }

void FormPlaylistManager::mnuActionsAddEntry_Click() { ShowEntryDialog(2); }

void FormPlaylistManager::mnuActionsRemoveEntry_Click() {
    const int row = SelectedRow();
    if (row < 0) return;
    RemovePlaylistEntry(gPlaylistEntries, size_t(row));
    UpdatePlaylistDisplay();
}

void FormPlaylistManager::mnuActionsSyncTitleWithID3Tag_Click() {
    const int row = SelectedRow();
    if (row < 0) return;
    if (SyncTitleWithID3(gPlaylistEntries, size_t(row), false, mstrPlaylistFile)) {
        UpdatePlaylistDisplay();
        return;
    }
    if (MsgBox(GetResourceString(TextId::Playlist::NoID3TagText), Mb::YesNo | Mb::Exclamation,
               GetResourceString(TextId::Playlist::NoID3Tag)) != Mb::Yes)
        return;
    SyncTitleWithID3(gPlaylistEntries, size_t(row), true, mstrPlaylistFile);
    UpdatePlaylistDisplay();
}

void FormPlaylistManager::mnuActionsSearchForFile_Click() {
    const int row = SelectedRow();
    if (row < 0) return;
    RunLongJob(this, {}, [&](JobHost& job) {
        namespace P = TextId::Playlist;
        if (FileInPlaylistExists(mstrPlaylistFile, gPlaylistEntries[size_t(row)].FileName)) {
            MsgBox(GetResourceString(P::EntryAlreadyCorrect), Mb::OKOnly, QCoreApplication::applicationName());
            UpdatePlaylistDisplayInJob(job);
            return;
        }
        const QString start = BrowseForFolder(this, GetResourceString(P::SearchPrompt));
        if (start.isEmpty()) return;
        const QString name = FileNamePart(FullPathOfRow(row));
        job.mblnStopAll = false;
        const QString folder = FindFile(start, name, job.mblnStopAll, [&job](const QString& status) {
            job.ShowStatus(status);
            job.Yield();
        });
        if (folder.isEmpty()) {
            MsgBox(GetResourceString(P::FileCouldntBeFound), Mb::OKOnly | Mb::Information, GetResourceString(P::FileNotFound));
            return;
        }
        MsgBox(GetResourceString(P::FileFoundAt) + folder + GetResourceString(P::FileFoundEnd), Mb::OKOnly | Mb::Information,
               GetResourceString(P::FileFound));
        gPlaylistEntries[size_t(row)].FileName = JoinPath(folder, name);
        UpdatePlaylistDisplayInJob(job);
    });
}

void FormPlaylistManager::mnuActionsSortPlaylistByFileName_Click() {
    SortPlaylist(gPlaylistEntries, PlaylistSortKey::FileName);
    UpdatePlaylistDisplay();
}

void FormPlaylistManager::mnuActionsSortPlaylistByTitle_Click() {
    SortPlaylist(gPlaylistEntries, PlaylistSortKey::Title);
    UpdatePlaylistDisplay();
}

void FormPlaylistManager::mnuActionsRandomise_Click() {
    if (RandomisePlaylist(gPlaylistEntries)) UpdatePlaylistDisplay();
}

void FormPlaylistManager::mnuActionsSyncTitlesWithID3Tags_Click() {
    if (MsgBox(GetResourceString(TextId::Playlist::SyncEntriesQuestion), Mb::YesNo | Mb::Question,
               GetResourceString(TextId::Playlist::SyncEntries)) != Mb::Yes)
        return;
    const std::vector<size_t> rows = m_playlist->checkedRows();
    if (!rows.empty()) InitialiseProgBar(ProgBar, float(rows.size()));
    for (size_t row : rows) {
        IncrementProgBar(ProgBar, int32_t(row + 1));
        if (row < gPlaylistEntries.size()) SyncTitleWithID3(gPlaylistEntries, row, true, mstrPlaylistFile);
    }
    UpdatePlaylistDisplay();
}

void FormPlaylistManager::mnuActionsRemoveSelectedEntries_Click() {
    if (MsgBox(GetResourceString(TextId::Playlist::RemoveEntriesQuestion), Mb::YesNo | Mb::Question,
               GetResourceString(TextId::Playlist::RemoveEntries)) != Mb::Yes)
        return;
    const std::vector<size_t> rows = m_playlist->checkedRows();
    if (!rows.empty()) {
        InitialiseProgBar(ProgBar, float(rows.size()));
        IncrementProgBar(ProgBar, int32_t(rows.back() + 1));
    }
    RemovePlaylistEntries(gPlaylistEntries, rows);
    UpdatePlaylistDisplay();
}

void FormPlaylistManager::mnuActionsCheckAll_Click() { m_playlist->setAllChecked(true); }

void FormPlaylistManager::mnuActionsUncheckAll_Click() { m_playlist->setAllChecked(false); }

// ---- relays ---------------------------------------------------------------------------------

QWidget* FormPlaylistManager::EditControl() const {
    return CurrentView() == 1 ? static_cast<QWidget*>(ListViewPlaylist) : static_cast<QWidget*>(RichPlaylist);
}

void FormPlaylistManager::mnuEdit_Click(int Index) {
    const bool list = CurrentView() == 1;
    const int before = m_playlist->rows();
    // In the list, Cut and Delete take the selected rows' entries out of the
    // playlist (the list's rows are the entries).
    ResumeNext([&] { EditMenuItemSelect(Index, EditControl()); });
    if (list && (Index == EditItem::Cut || Index == EditItem::Delete) && m_playlist->rows() != before) {
        // The text Save writes follows, so removed entries are not saved.
        ResumeNext([&] { mbuttonAutoTidy.SetEnabled(m_playlist->rows() > 0); });
        ResumeNext([&] { CreatePlaylist(); });
    }
}

void FormPlaylistManager::LabelMenu_Click(int Index) {
    LabelMenuClick(this, Index, EditControl(), [this] { ActionsMenuRootSelect(); });
}

void FormPlaylistManager::ImageBrellick_Click() {
    ResumeNext([&] { PlayResourceSound(101); });
    OpenWebBrowser(kMakerSite, nullptr);
}

// ---- keys -------------------------------------------------------------------------------

void FormPlaylistManager::ProcessShortcutKeys(int KeyCode, int Shift) {
    if (!(Shift & ShiftBit::Alt)) return;  // F1 is the key router's
    switch (KeyCode) {
    case 82:  // R
        if (mbuttonRead.Enabled()) BtnRead_Click();
        break;
    case KeyCode::S:
        if (mbuttonStop.Enabled()) BtnStop_Click();
        break;
    case 80:  // P
        if (ComboPlaylistFormat->isEnabled()) ComboPlaylistFormat->setFocus(Qt::ShortcutFocusReason);
        break;
    case 89:  // Y
        if (ImagePlaylist[1]->isEnabled()) ResumeNext([&] { ImagePlaylist_Click(1); });
        break;
    case KeyCode::X:
        if (ImagePlaylist[2]->isEnabled()) ResumeNext([&] { ImagePlaylist_Click(2); });
        break;
    case 85:  // U
        if (mbuttonAutoTidy.Enabled()) BtnAutoTidy_Click();
        break;
    default: break;
    }
}

bool FormPlaylistManager::eventFilter(QObject* watched, QEvent* event) {
    if (watched == RichPlaylist && event->type() == QEvent::FocusIn)
        ResumeNext([&] { ShowContextMenuIndicator(this, true); });
    if (watched == RichPlaylist && event->type() == QEvent::FocusOut)
        ResumeNext([&] { ShowContextMenuIndicator(this, false); });
    return SkinnedToolWindow::eventFilter(watched, event);
}

// ---- settings ---------------------------------------------------------------------------

void FormPlaylistManager::ReadSettings() {
    PlaylistManagerSettings settings;
    ResumeNext([&] { settings.Read(); });
    const int before = ComboPlaylistFormat->currentIndex();
    ComboPlaylistFormat->setCurrentIndex(settings.ComboPlaylistFormat);
    // The text view starts with the open playlist in that format.
    if (before == settings.ComboPlaylistFormat) ResumeNext([&] { ComboPlaylistFormat_Click(); });
    OptionShow_Click(settings.OptionFileInfo ? 1 : 0);
}

void FormPlaylistManager::WriteSettings() {
    PlaylistManagerSettings settings;
    settings.ComboPlaylistFormat = ComboPlaylistFormat->currentIndex();
    settings.OptionTitleInfo = moptionTitleInfo.Value();
    settings.OptionFileInfo = moptionFileInfo.Value();
    settings.Write();
}

void RegisterPlaylistManagerWindow() {
    WindowRegistry::SetFactory(WindowNames::PlaylistManager, [] { return new FormPlaylistManager; });
}
