#include "cataloguer/ui/MusicCataloguer.h"

#include "cataloguer/CatalogueFiles.h"
#include "cataloguer/HtmlCataloguePage.h"
#include "cataloguer/TextCataloguePage.h"
#include "cataloguer/ui/FindDialog.h"
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
#include "options/ui/ControlSettingsUi.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/engine/ScanResultsSource.h"
#include "scanning/ui/WindowServices.h"
#include "shell/edit/ui/EditCommands.h"
#include "shell/menus/KeyboardState.h"
#include "shell/menus/ui/Menus.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/PlainControls.h"
#include "shell/ui/SkinController.h"
#include "shell/ui/SkinnedControlBuilder.h"
#include "shell/ui/SkinWidgets.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFocusEvent>
#include <QFrame>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPalette>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTabBar>
#include <QTemporaryFile>
#include <QToolButton>
#include <algorithm>

namespace {

// ---- design layout (twips) ----------------------------------------------------
// The left panel never moves; its places are offsets from the body's top
// (480 twips as built: under the menu bar).
constexpr double kBodyTop = 480;
constexpr double kOptionWidth = 840, kOptionHeight = 252;
constexpr double kButtonWidth = 1128, kButtonHeight = 348;
constexpr double kViewerLeft = 2760, kTabRowHeight = 360;
constexpr double kProgBarWidth = 252;
constexpr double kBuiltWidth = 9012, kBuiltHeight = 5976;
constexpr double kMinHeight = 5280, kMinWidth = 8000;
constexpr double kPreferenceWidth = 1200;
constexpr double kEntriesBoxWidth = 1140, kSpinnerWidth = 192;
constexpr double kOutputNameWidth = 1692;
// Between the panel and the viewer; round the etched frames.
constexpr double kPanelGap = 120, kFrameMargin = 100;
// A line edit's frame and margins round its text, in pixels.
constexpr int kLineEditRoom = 12;
const QString kDefaultOutputName = QStringLiteral("My Music Collection");
// The longest output name: room for " 001." and the extension.
constexpr int kNameRoom = 252;

const QString kCRLF = QStringLiteral("\r\n");

OutputNameAsker& Asker() {
    static OutputNameAsker asker;
    return asker;
}

QString AskOutputName(QWidget* owner, const QString& title, const QString& prompt) {
    if (Asker()) return Asker()(owner, title, prompt);
    bool ok = false;
    const QString text = QInputDialog::getText(owner, title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

void Place(QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height));
}

// Moves an option's standard control, picture and caption together so that
// it starts at `left`, its standard control as wide as the caption beside
// the picture (at least `width`); returns its right edge.  All in twips.
double PlaceOption(clsOption& option, double left, double width) {
    QWidget* standard = option.StandardControl();
    SkinImage* picture = option.Picture();
    QLabel* caption = option.CaptionLabel();
    const int dx = TwipsToPixelsX(left) - picture->x();
    for (QWidget* part : {standard, static_cast<QWidget*>(picture), static_cast<QWidget*>(caption)})
        part->move(part->x() + dx, part->y());
    const int captionRight = caption->x() + caption->sizeHint().width();
    standard->resize(std::max({TwipsToPixelsX(width), standard->sizeHint().width(), captionRight - standard->x()}),
                     standard->height());
    return PixelsToTwipsX(std::max(standard->x() + standard->width(), captionRight));
}

// A page made outside a job: shown in one go, without yielding (the window
// stays as it is meanwhile, so nothing can change the catalogue under the
// page writer).
class RenderHost final : public JobHost {
public:
    explicit RenderHost(FormMusicCataloguer* window) : m_window(window) {}
    void ShowStatus(const QString& text) override { m_window->SetStatusBarCaption(text); }
    void Yield() override {}

private:
    FormMusicCataloguer* m_window;
};

}  // namespace

void SetOutputNameAsker(OutputNameAsker asker) { Asker() = std::move(asker); }

// ---- the spinner ----------------------------------------------------------------

UpDownControl::UpDownControl(QWidget* parent) : QWidget(parent) {
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
    }
    connect(m_up, &QToolButton::clicked, this, &UpDownControl::up);
    connect(m_down, &QToolButton::clicked, this, &UpDownControl::down);
}

void UpDownControl::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

// ---- load -----------------------------------------------------------------------

FormMusicCataloguer::FormMusicCataloguer(QWidget* parent)
    : SkinnedToolWindow(WindowNames::MusicCataloguer, parent),
      CommonDialogFont(this, QStringLiteral("CommonDialogFont")) {
    LoadToolWindow(
        {.minHeight = kMinHeight, .minWidth = kMinWidth, .builtWidth = kBuiltWidth, .builtHeight = kBuiltHeight});

    CommonDialogFont.Flags = Cdl::CFScreenFonts;
    ResumeNext([&] { DrawPanelFrames(); });
    ResumeNext([&] {
        while (TabStripViewer->count() > 0) TabStripViewer->removeTab(0);
    });
    // The Find dialog is loaded hidden.
    ResumeNext([&] { DialogFind::Instance().hide(); });
    ResumeNext([&] { ReadSettings(); });
    ResumeNext([&] { SetCataloguerOutputView(this); });
    ResumeNext([&] { LayoutControls(); });
}

FormMusicCataloguer::~FormMusicCataloguer() {
    if (Unloaded()) return;
    // A window destroyed without unloading leaves no preview files and no
    // pointer to itself behind.
    SetCataloguerOutputView(nullptr);
    for (const QString& path : std::as_const(m_previewFiles)) QFile::remove(path);
}

void FormMusicCataloguer::BuildControls() {
    const auto output = BuildSkinnedOptionGroup(
        this, {&moptionHTMLOutput, &moptionTextOutput}, QStringLiteral("Output"),
        {{240, 600, kOptionWidth, kOptionHeight}, {240, 900, kOptionWidth, kOptionHeight}},
        [this](int index) { ResumeNext([&] { OptionOutput_Click(index); }); });
    for (size_t i = 0; i < 2; ++i) {
        OptionOutput[i] = output[i].standard;
        ImageOutput[i] = output[i].picture;
    }
    // Their captions stand in the design and are never reset.
    moptionHTMLOutput.SetCaption(QStringLiteral("HT&ML"));
    moptionTextOutput.SetCaption(QStringLiteral("Te&xt"));

    LabelEntriesPerPage = MakeLabel(this, "LabelEntriesPerPage");
    TextEntriesPerPage = new QLineEdit(QStringLiteral("100"), this);
    TextEntriesPerPage->setObjectName(QStringLiteral("TextEntriesPerPage"));
    TextEntriesPerPage->setMaxLength(7);
    LabelEntriesPerPage->setBuddy(TextEntriesPerPage);
    UpDownEntriesPerPage = new UpDownControl(this);
    UpDownEntriesPerPage->setObjectName(QStringLiteral("UpDownEntriesPerPage"));

    FrameReliabilityPref = MakeLabel(this, "FrameReliabilityPref");
    const auto preference = BuildSkinnedOptionGroup(
        this, {&moptionID3v1Pref, &moptionID3v2Pref}, QStringLiteral("ReliabilityPref"),
        {{240, 1716, 1200, kOptionHeight}, {1512, 1716, 1200, kOptionHeight}},
        [this](int index) { ResumeNext([&] { OptionReliabilityPref_Click(index); }); });
    for (size_t i = 0; i < 2; ++i) {
        OptionReliabilityPref[i] = preference[i].standard;
        ImageReliabilityPref[i] = preference[i].picture;
        LabelReliabilityPref[i] = preference[i].label;
    }
    // Its access key marks the pair's caption, not a literal "&".
    FrameReliabilityPref->setBuddy(OptionReliabilityPref[0]);
    moptionID3v1Pref.SetCaption(QStringLiteral("ID3v&1 Tag"));
    moptionID3v2Pref.SetCaption(QStringLiteral("ID3v&2 Tag"));

    BtnBuild = BuildSkinnedButton(this, mbuttonBuild, QStringLiteral("Build"),
                                  {120, 2160, kButtonWidth, kButtonHeight}, [this] { BtnBuild_Click(); })
                   .standard;
    BtnPreview = BuildSkinnedButton(this, mbuttonPreview, QStringLiteral("Preview"),
                                    {1560, 2160, kButtonWidth, kButtonHeight}, [this] { BtnPreview_Click(); })
                     .standard;
    for (size_t i = 0; i < 2; ++i) {
        auto* line = new QFrame(this);
        line->setObjectName(QStringLiteral("LineSeparate_%1").arg(i));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(i == 0 ? QFrame::Plain : QFrame::Plain);
        QPalette palette = line->palette();
        palette.setColor(QPalette::WindowText, palette.color(i == 0 ? QPalette::Light : QPalette::Mid));
        line->setPalette(palette);
        LineSeparate[i] = line;
    }
    LabelOutputFileName = MakeLabel(this, "LabelOutputFileName");
    TextOutputFileName = new QLineEdit(kDefaultOutputName, this);
    TextOutputFileName->setObjectName(QStringLiteral("TextOutputFileName"));
    TextOutputFileName->setMaxLength(kNameRoom);
    LabelOutputFileName->setBuddy(TextOutputFileName);
    LabelXXXExtension = MakeLabel(this, "LabelXXXExtension");
    LabelXXXExtension->setText(QStringLiteral("XXX.html"));
    BtnSave = BuildSkinnedButton(this, mbuttonSave, QStringLiteral("Save"), {120, 3600, kButtonWidth, kButtonHeight},
                                 [this] { BtnSave_Click(); })
                  .standard;
    BtnStop = BuildSkinnedButton(this, mbuttonStop, QStringLiteral("Stop"), {1560, 3600, kButtonWidth, kButtonHeight},
                                 [this] { BtnStop_Click(); })
                  .standard;
    mbuttonPreview.SetEnabled(false);
    mbuttonSave.SetEnabled(false);
    mbuttonStop.SetEnabled(false);

    TabStripViewer = new QTabBar(this);
    TabStripViewer->setObjectName(QStringLiteral("TabStripViewer"));
    TabStripViewer->setUsesScrollButtons(true);
    TabStripViewer->setExpanding(false);
    TabStripViewer->setDrawBase(true);
    RichViewer = new QPlainTextEdit(this);
    RichViewer->setObjectName(QStringLiteral("RichViewer"));
    RichViewer->setReadOnly(true);
    RichViewer->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    RichViewer->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichViewer->setContextMenuPolicy(Qt::NoContextMenu);
    RichViewer->setUndoRedoEnabled(false);
    QFont viewerFont(QStringLiteral("Courier New"));
    viewerFont.setStyleHint(QFont::TypeWriter);
    viewerFont.setPointSizeF(8.4);
    RichViewer->setFont(viewerFont);
    // A match the Find dialog selects must stay visible while the dialog,
    // not the viewer, has the focus.
    QPalette viewerPalette = RichViewer->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        viewerPalette.setColor(QPalette::Inactive, role, viewerPalette.color(QPalette::Active, role));
    RichViewer->setPalette(viewerPalette);

    ImageRedIndicator = BuildRedIndicatorAndProgBar();

    // ---- events ----
    connect(TabStripViewer, &QTabBar::currentChanged, this, [this] { ResumeNext([&] { TabStripViewer_Click(); }); });
    // A click on a tab starts the next search from the page it shows.
    connect(TabStripViewer, &QTabBar::tabBarClicked, this,
            [this] { ResumeNext([&] { DialogFind::Instance().ResetDialog(); }); });
    connect(TextEntriesPerPage, &QLineEdit::textChanged, this, [this] { ResumeNext([&] { EntriesPerPageChanged(); }); });
    connect(TextOutputFileName, &QLineEdit::textChanged, this,
            [this] { ResumeNext([&] { OutputFileNameChanged(); }); });
    connect(UpDownEntriesPerPage, &UpDownControl::up, this, [this] { ResumeNext([&] { UpDownEntriesPerPage_UpClick(); }); });
    connect(UpDownEntriesPerPage, &UpDownControl::down, this,
            [this] { ResumeNext([&] { UpDownEntriesPerPage_DownClick(); }); });
    TextEntriesPerPage->installEventFilter(this);
    SetEditControl(RichViewer);
    RichViewer->viewport()->installEventFilter(this);
}

void FormMusicCataloguer::BuildMenus() {
    auto add = [this](QMenu* menu, const char* name, const QString& caption = QString()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setParent(this);
        return action;
    };
    mnuFile = new QMenu(this);
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileSave = add(mnuFile, "mnuFileSave");
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileGap2"));
    mnuFileExit = add(mnuFile, "mnuFileExit");
    connect(mnuFileSave, &QAction::triggered, this, [this] { ResumeNext([&] { mnuFileSave_Click(); }); });
    connect(mnuFileExit, &QAction::triggered, this, [this] { ResumeNext([&] { mnuFileExit_Click(); }); });
    SetLabelMenuPopup(0, mnuFile);

    if (mnuEditRoot) {
        // The viewer is read only: Cut, Paste, Delete and Invert Selection
        // are built hidden.
        for (const int hidden : {EditItem::Cut, EditItem::Paste, EditItem::Delete, EditItem::InvertSelection})
            if (QAction* item = mnuEdit[size_t(hidden)]) item->setVisible(false);
        mnuEditRoot->addSeparator()->setObjectName(QStringLiteral("mnuEditGap1"));
        mnuEditFind = add(mnuEditRoot, "mnuEditFind", QStringLiteral("&Find...\tCtrl+F"));
        mnuEditFindNext = add(mnuEditRoot, "mnuEditFindNext", QStringLiteral("Find Next\tF3"));
        mnuEditRoot->addSeparator()->setObjectName(QStringLiteral("mnuEditGap2"));
        mnuEditFont = add(mnuEditRoot, "mnuEditFont", QStringLiteral("F&ont..."));
        // Ctrl+F and F3 reach the two items from anywhere in the window, also
        // while the Edit menu is closed.
        mnuEditFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
        mnuEditFindNext->setShortcut(QKeySequence(Qt::Key_F3));
        for (QAction* item : {mnuEditFind, mnuEditFindNext}) {
            item->setShortcutContext(Qt::WindowShortcut);
            addAction(item);
        }
        connect(mnuEditFind, &QAction::triggered, this, [this] { ResumeNext([&] { mnuEditFind_Click(); }); });
        connect(mnuEditFindNext, &QAction::triggered, this, [this] { ResumeNext([&] { mnuEditFindNext_Click(); }); });
        connect(mnuEditFont, &QAction::triggered, this, [this] { ResumeNext([&] { mnuEditFont_Click(); }); });
        // Enabled while the viewer has the focus.
        mnuEditRoot->setEnabled(false);
    }
    // The Actions label has no menu in this window.
    if (LabelMenu[3]) LabelMenu[3]->setVisible(false);

    // Tools > Options opens the Options on the page of the chosen output.
    ConnectSharedMenus(this, [this] { return moptionHTMLOutput.Value() ? 3 : 4; });
}

void FormMusicCataloguer::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        using namespace TextId::Cataloguer;
        SetCaption(GetResourceString(TextId::Launcher::MusicCataloguer));
        if (LabelStatusBar) LabelStatusBar->setText(GetResourceString(TextId::Scan::ForHelpPressF1));
        mnuFileSave->setText(GetResourceString(TextId::Menu::Save) + QStringLiteral("\tCtrl+S"));
        mnuFileExit->setText(GetResourceString(TextId::Menu::Exit) + QStringLiteral("\tCtrl+Q"));
        moptionHTMLOutput.SetToolTipText(GetResourceString(OutputHTMLTip));
        moptionTextOutput.SetToolTipText(GetResourceString(OutputTextTip));
        LabelEntriesPerPage->setText(GetResourceString(EntriesPerPage));
        for (QWidget* w : std::initializer_list<QWidget*>{LabelEntriesPerPage, TextEntriesPerPage, UpDownEntriesPerPage})
            w->setToolTip(GetResourceString(EntriesPerPageTip));
        FrameReliabilityPref->setText(GetResourceString(ReliabilityPreference));
        FrameReliabilityPref->setToolTip(GetResourceString(ReliabilityPreferenceTip));
        moptionID3v1Pref.SetToolTipText(GetResourceString(ID3v1PrefTip));
        moptionID3v2Pref.SetToolTipText(GetResourceString(ID3v2PrefTip));
        mbuttonBuild.SetCaption(GetResourceString(Build));
        mbuttonBuild.SetToolTipText(GetResourceString(BuildTip));
        mbuttonPreview.SetCaption(GetResourceString(Preview));
        mbuttonPreview.SetToolTipText(GetResourceString(PreviewTip));
        LabelOutputFileName->setText(GetResourceString(OutputFileName));
        LabelOutputFileName->setToolTip(GetResourceString(OutputFileNameTip));
        TextOutputFileName->setToolTip(GetResourceString(OutputFileNameTip));
        LabelXXXExtension->setToolTip(GetResourceString(ExtensionTip));
        mbuttonSave.SetCaption(GetResourceString(Save));
        mbuttonSave.SetToolTipText(GetResourceString(SaveTip));
        mbuttonStop.SetCaption(GetResourceString(TextId::Common::Stop));
        mbuttonStop.SetToolTipText(GetResourceString(TextId::Common::StopTip));
        for (QLabel* label : {LabelEntriesPerPage, FrameReliabilityPref, LabelOutputFileName, LabelXXXExtension})
            label->adjustSize();
    });
    // The captions decide the smallest width: known before the window's
    // place is chosen.
    LayoutControls();
}

// ---- layout -----------------------------------------------------------------------

void FormMusicCataloguer::LayoutControls() {
    if (m_inLayout || isMinimized() || !RichViewer) return;
    m_inLayout = true;
    const auto release = qScopeGuard([&] { m_inLayout = false; });

    double W = PixelsToTwipsX(width());
    const double H = PixelsToTwipsY(height());
    // The body starts under the menu bar, wherever the dressing put it.
    double top = kBodyTop;
    if (LabelMenu[0]) top = std::max(top, PixelsToTwipsY(LabelMenu[0]->geometry().bottom() + 1) + 90);
    const double d = top - kBodyTop;

    // The left panel keeps its built places; where a caption or box needs
    // more room than built, what stands right of it moves right, and the
    // viewer with it (the window's smallest width grows by as much).
    double panelRight = kViewerLeft - kPanelGap;
    ResumeNext([&] {
        moptionHTMLOutput.SetTop(static_cast<float>(600 + d));
        moptionTextOutput.SetTop(static_cast<float>(900 + d));
        double right = std::max(PlaceOption(moptionHTMLOutput, 240, kOptionWidth),
                                PlaceOption(moptionTextOutput, 240, kOptionWidth));
        const double entriesLeft = std::max(1200.0, right + 240);
        LabelEntriesPerPage->adjustSize();
        LabelEntriesPerPage->move(TwipsToPixelsX(entriesLeft), TwipsToPixelsY(600 + d));
        // The spinner stands at the box's right, level with the caption's end.
        const double labelRight = entriesLeft + PixelsToTwipsX(LabelEntriesPerPage->width());
        const double boxWidth = std::max(kEntriesBoxWidth, labelRight - kSpinnerWidth - entriesLeft);
        Place(TextEntriesPerPage, entriesLeft, 840 + d, boxWidth, 300);
        Place(UpDownEntriesPerPage, entriesLeft + boxWidth, 840 + d, kSpinnerWidth, 300);
        right = entriesLeft + boxWidth + kSpinnerWidth + kFrameMargin;

        FrameReliabilityPref->adjustSize();
        FrameReliabilityPref->move(TwipsToPixelsX(240), TwipsToPixelsY(1440 + d));
        moptionID3v1Pref.SetTop(static_cast<float>(1716 + d));
        moptionID3v2Pref.SetTop(static_cast<float>(1716 + d));
        const double firstRight = PlaceOption(moptionID3v1Pref, 240, kPreferenceWidth);
        const double secondRight = PlaceOption(moptionID3v2Pref, std::max(1512.0, firstRight + 180), kPreferenceWidth);
        right = std::max(
            {right, secondRight + kFrameMargin, 240 + PixelsToTwipsX(FrameReliabilityPref->width()) + kFrameMargin});

        mbuttonBuild.SetTop(static_cast<float>(2160 + d));
        mbuttonPreview.SetTop(static_cast<float>(2160 + d));
        LabelOutputFileName->adjustSize();
        LabelOutputFileName->move(TwipsToPixelsX(120), TwipsToPixelsY(2880 + d));
        // The box shows the built-in name whole.
        const double nameWidth = std::max(
            kOutputNameWidth,
            PixelsToTwipsX(TextOutputFileName->fontMetrics().horizontalAdvance(kDefaultOutputName) + kLineEditRoom));
        Place(TextOutputFileName, 120, 3120 + d, nameWidth, 300);
        LabelXXXExtension->adjustSize();
        LabelXXXExtension->move(TwipsToPixelsX(120 + nameWidth + 108), TwipsToPixelsY(3192 + d));
        right = std::max(right, 120 + nameWidth + 108 + PixelsToTwipsX(LabelXXXExtension->width()));
        mbuttonSave.SetTop(static_cast<float>(3600 + d));
        mbuttonStop.SetTop(static_cast<float>(3600 + d));
        panelRight = std::max(panelRight, right);
        Place(LineSeparate[0], 120, 2640 + d, panelRight - 120, 15);
        Place(LineSeparate[1], 120, 2664 + d, panelRight - 120, 15);
    });
    const double viewerLeft = panelRight + kPanelGap;
    const double wider = viewerLeft - kViewerLeft;
    if (std::abs(kMinWidth + wider - MinimumWidthTwips()) >= 1) {
        SetMinimumSizeTwips(kMinHeight, kMinWidth + wider);
        W = std::max(W, PixelsToTwipsX(width()));
    }

    // The viewer fills the tab strip below its row of tabs; the progress bar
    // stands beside it, as tall as the tab strip.
    const double stripHeight = std::max(0.0, H - 528 - top);
    const double stripWidth = std::max(0.0, W - 3336 + 96 - wider);
    ResumeNext([&] {
        Place(TabStripViewer, viewerLeft, top, stripWidth, kTabRowHeight);
        Place(RichViewer, viewerLeft, top + kTabRowHeight, stripWidth, std::max(0.0, stripHeight - kTabRowHeight));
    });
    const double progLeft = W - 468 + 96;
    const double statusTop = H - 420;
    ResumeNext([&] {
        if (ProgBar) Place(ProgBar, progLeft, top, kProgBarWidth, stripHeight);
    });
    ResumeNext([&] {
        if (LabelStatusBar) Place(LabelStatusBar, 120, statusTop, std::max(0.0, W - 696), 270);
    });
    ResumeNext([&] {
        const int x = TwipsToPixelsX(progLeft);
        const int y = TwipsToPixelsY(statusTop) + (TwipsToPixelsY(270) - ImageRedIndicator->height()) / 2;
        ImageRedIndicator->move(x, y);
        if (ImageGreenIndicator) ImageGreenIndicator->move(x, y);
    });
    // The etched frames follow the controls they go round.
    ResumeNext([&] { DrawPanelFrames(); });
}

void FormMusicCataloguer::DrawPanelFrames() {
    // With skins off the pictures and captions are hidden: the frames go
    // round the standard options shown in their place.
    auto shown = [this](QWidget* skinned, QWidget* standard) { return skinned->isHidden() ? standard : skinned; };
    DrawTransparentFrame(this, shown(ImageOutput[0], OptionOutput[0]), UpDownEntriesPerPage, 100);
    DrawTransparentFrame(this, FrameReliabilityPref, shown(LabelReliabilityPref[1], OptionReliabilityPref[1]), 100);
}

// ---- job mode -----------------------------------------------------------------------

void FormMusicCataloguer::EnableControls(bool blnEnable) {
    try {
        moptionHTMLOutput.SetEnabled(blnEnable);
        moptionTextOutput.SetEnabled(blnEnable);
        LabelEntriesPerPage->setEnabled(blnEnable);
        TextEntriesPerPage->setEnabled(blnEnable);
        FrameReliabilityPref->setEnabled(blnEnable);
        moptionID3v1Pref.SetEnabled(blnEnable);
        moptionID3v2Pref.SetEnabled(blnEnable);
        mbuttonBuild.SetEnabled(blnEnable);
        mbuttonPreview.SetEnabled(blnEnable);
        LabelOutputFileName->setEnabled(blnEnable);
        TextOutputFileName->setEnabled(blnEnable);
        LabelXXXExtension->setEnabled(blnEnable);
        TabStripViewer->setEnabled(blnEnable);
        mbuttonSave.SetEnabled(blnEnable);
        mbuttonStop.SetEnabled(!blnEnable);
        ::EnableMenus(this, blnEnable);
    } catch (...) {
        DisplayErrorMessage();
    }
}

// ---- options and boxes ----------------------------------------------------------------

void FormMusicCataloguer::OptionOutput_Click(int Index) {
    if (moptionHTMLOutput.mblnValueChanging || moptionTextOutput.mblnValueChanging) return;
    moptionHTMLOutput.SetValue(false);
    moptionTextOutput.SetValue(false);
    if (Index == 0) {
        moptionHTMLOutput.SetValue(true);
        SetExtensionCaption(QStringLiteral("XXX.") + Options().CataloguerHTML.strOutputExtension);
    } else if (Index == 1) {
        moptionTextOutput.SetValue(true);
        SetExtensionCaption(QStringLiteral("XXX.txt"));
    }
}

void FormMusicCataloguer::OptionReliabilityPref_Click(int Index) {
    if (moptionID3v1Pref.mblnValueChanging || moptionID3v2Pref.mblnValueChanging) return;
    moptionID3v1Pref.SetValue(false);
    moptionID3v2Pref.SetValue(false);
    if (Index == 0) moptionID3v1Pref.SetValue(true);
    if (Index == 1) moptionID3v2Pref.SetValue(true);
}

void FormMusicCataloguer::SetExtensionCaption(const QString& caption) {
    LabelXXXExtension->setText(caption);
    LabelXXXExtension->adjustSize();
    // A longer extension may need a wider panel.
    LayoutControls();
}

void FormMusicCataloguer::EntriesPerPageChanged() {
    // Digits only; each removal changes the text again, which cleans it
    // once more, until only digits remain.
    EnsureNumericTextBox(TextEntriesPerPage, false, false, false);
}

void FormMusicCataloguer::OutputFileNameChanged() {
    QString text = TextOutputFileName->text();
    int caret = TextOutputFileName->cursorPosition();
    if (!EnsureFileNameCompatibleTextBox(text, caret, QString())) return;
    Beep();
    TextOutputFileName->setText(text);
    TextOutputFileName->setCursorPosition(std::clamp<int>(caret, 0, static_cast<int>(text.size())));
}

void FormMusicCataloguer::UpDownEntriesPerPage_UpClick() { IncDecTextBox(TextEntriesPerPage, 1, 9999999, 1); }

void FormMusicCataloguer::UpDownEntriesPerPage_DownClick() { IncDecTextBox(TextEntriesPerPage, -1, 1, 1); }

// ---- Build ------------------------------------------------------------------------------

IScanResultsSource* FormMusicCataloguer::ScanningCentre() const { return FindScanResultsSource(); }

void FormMusicCataloguer::BtnBuild_Click() {
    RunLongJob(this, {.needsScanResults = true}, [&](JobHost& job) {
        const CatalogueOutput output = moptionHTMLOutput.Value() ? CatalogueOutput::HTML : CatalogueOutput::Text;
        if (!HasCatalogueColumns(output, Options().CataloguerHTML, Options().CataloguerText)) {
            MsgBox(GetResourceString(TextId::Cataloguer::NoColumnHeadingsText), Mb::Exclamation | Mb::OKOnly,
                   GetResourceString(TextId::Cataloguer::NoColumnHeadings));
            return;
        }
        IScanResultsSource* centre = ScanningCentre();
        if (!centre) RaiseError(ErrNo::ObjectNotSet);
        const CatalogueBuildRequest request{
            output, TextEntriesPerPage->text(),
            moptionID3v1Pref.Value() ? TagPreference::ID3v1 : TagPreference::ID3v2};
        Catalogue built =
            BuildCatalogue(*centre->ScanResults(), request, Options().CataloguerHTML, Options().CataloguerText, job);
        // The old page goes before the catalogue it was made from.
        {
            const QSignalBlocker quiet(TabStripViewer);
            while (TabStripViewer->count() > 0) TabStripViewer->removeTab(TabStripViewer->count() - 1);
        }
        SetPageText(QString());
        m_catalogue = std::move(built);

        // A stopped Build still shows its first page whole.
        const bool stopped = job.mblnStopAll;
        job.mblnStopAll = false;
        {
            const QSignalBlocker quiet(TabStripViewer);
            for (int p = 1; p <= m_catalogue.pageCount(); ++p) TabStripViewer->addTab(CataloguePageTabCaption(p));
            if (TabStripViewer->count() > 0) TabStripViewer->setCurrentIndex(0);
        }
        if (m_catalogue.pageCount() > 0) ResumeNext([&] { RenderPage(1, job); });
        job.mblnStopAll = stopped;
        if (stopped)
            job.ReportInterrupted(GetResourceString(TextId::Cataloguer::CataloguingInterrupted));
        else
            job.ReportComplete(GetResourceString(TextId::Cataloguer::CataloguingComplete));
    });
}

// ---- the viewer ---------------------------------------------------------------------------

int FormMusicCataloguer::ShownPage() const {
    return TabStripViewer->currentIndex() < 0 ? 0 : TabStripViewer->currentIndex() + 1;
}

CataloguePageContext FormMusicCataloguer::PageContext() const {
    CataloguePageContext context;
    context.now = clock();
    context.locale = locale;
    context.outputFileName = TextOutputFileName->text();
    context.preference = moptionID3v1Pref.Value() ? TagPreference::ID3v1 : TagPreference::ID3v2;
    context.program = ThisProgram();
    return context;
}

void FormMusicCataloguer::SetPageText(const QString& text) {
    m_pageText = text;
    // The view shows plain lines; the page keeps its CR LF line ends.
    QString shown = text;
    shown.remove(QLatin1Char('\r'));
    RichViewer->setPlainText(shown);
}

void FormMusicCataloguer::RenderPage(int page, JobHost& job) {
    WithTrail(CallSite(QStringLiteral("RenderPage"), page), [&] {
        m_rendering = true;
        const auto done = qScopeGuard([&] { m_rendering = false; });
        const CataloguePageContext context = PageContext();
        if (m_catalogue.output() == CatalogueOutput::HTML) {
            const HtmlCataloguePage writer(m_catalogue, Options().CataloguerHTML, context);
            QString text = writer.CreateHTMLHeader_HTML();
            text += writer.CreatePageHeader_HTML();
            text += writer.CreateList_HTML(page, job);
            text += kCRLF;
            text += writer.CreateFooter_HTML();
            SetPageText(text);
            job.ShowStatus(GetResourceString(TextId::Cataloguer::HTMLOutputCreated));
        } else {
            const TextCataloguePage writer(m_catalogue, Options().CataloguerText, context);
            QString text = writer.CreatePageHeader_Text();
            text += writer.CreateList_Text(page, job);
            text += kCRLF;
            text += writer.CreateFooter_Text();
            SetPageText(text);
            job.ShowStatus(GetResourceString(TextId::Cataloguer::TextOutputCreated));
        }
    });
}

void FormMusicCataloguer::TabStripViewer_Click() {
    const int page = ShownPage();
    if (page < 1 || page > m_catalogue.pageCount() || m_rendering) return;
    RenderHost host(this);
    ResumeNext([&] { RenderPage(page, host); });
    SetProgBarValue(0);
}

// ---- Preview ------------------------------------------------------------------------------

void FormMusicCataloguer::BtnPreview_Click() {
    QString path;
    ResumeNext([&] {
        // The preview follows the output the shown page was built as.
        const QString suffix = m_catalogue.output() == CatalogueOutput::Text ? QStringLiteral(".txt")
                                                                            : QStringLiteral(".html");
        QTemporaryFile file(QDir(QDir::tempPath()).filePath(QStringLiteral("Sonivard-XXXXXX") + suffix));
        file.setAutoRemove(false);
        if (!file.open()) RaiseErrno(EACCES, true, QStringLiteral("Sonivard"), QDir::tempPath());
        const QByteArray bytes = m_pageText.toUtf8();
        const bool written = file.write(bytes) == bytes.size() && file.flush();
        path = file.fileName();
        file.close();
        m_previewFiles << path;
        if (!written) RaiseErrno(EIO, true, QStringLiteral("Sonivard"), path);
    });
    if (!path.isEmpty()) ResumeNext([&] { OpenWebBrowser(path); });
}

// ---- Save ---------------------------------------------------------------------------------

void FormMusicCataloguer::BtnSave_Click() {
    RunLongJob(this, {}, [&](JobHost& job) {
        using namespace TextId::Cataloguer;
        const QString htmlExtension = Options().CataloguerHTML.strOutputExtension;
        if (TextOutputFileName->text().isEmpty()) {
            const QString answer =
                AskOutputName(this, GetResourceString(SpecifyOutputFileName),
                              GetResourceString(EnterOutputFileName) + htmlExtension + GetResourceString(WillBeAppended));
            TextOutputFileName->setText(answer);
        }
        if (TextOutputFileName->text().isEmpty()) return;
        if (TabStripViewer->count() == 0) {
            MsgBox(GetResourceString(NoOutputProducedText), Mb::Exclamation | Mb::OKOnly,
                   GetResourceString(NoOutputProduced));
            return;
        }
        const QString folder = BrowseForFolder(this, GetResourceString(OutputFolderPrompt));
        if (folder.isEmpty()) return;
        const QString extension = CatalogueFileExtension(m_catalogue.output(), htmlExtension);
        const int room = std::max(1, kNameRoom - static_cast<int>(extension.size()));
        if (TextOutputFileName->text().size() > room) TextOutputFileName->setText(TextOutputFileName->text().left(room));

        bool failed = false;
        int32_t lastError = 0;
        int handled = 0;
        QStringList notSaved;
        m_imageCopied = false;
        const int pages = TabStripViewer->count();
        for (int i = 1; i <= pages; ++i) {
            job.Yield();
            if (job.mblnStopAll) break;
            const QString fileName = CataloguePageFileName(TextOutputFileName->text(), i, extension);
            try {
                {
                    const QSignalBlocker quiet(TabStripViewer);
                    TabStripViewer->setCurrentIndex(i - 1);
                }
                RenderPage(i, job);
                if (!CreateOutputFile(folder, i)) {
                    failed = true;
                    notSaved << fileName;
                }
            } catch (...) {
                failed = true;
                lastError = CurrentError().number();
                notSaved << fileName;
            }
            ++handled;
        }
        ResumeNext([&] {
            const bool stopped = job.mblnStopAll;
            // Page 1 again, made whole whatever the stop request.
            job.mblnStopAll = false;
            {
                const QSignalBlocker quiet(TabStripViewer);
                TabStripViewer->setCurrentIndex(0);
            }
            RenderPage(1, job);
            job.mblnStopAll = stopped;
        });
        SetProgBarValue(0);
        if (failed) {
            QString detail = GetResourceString(LastErrorWas) + kCRLF + kCRLF + QString::number(lastError) +
                             QStringLiteral(" - ") + (lastError ? StandardErrorText(lastError) : QString()) + kCRLF +
                             kCRLF + GetResourceString(FilesMayNotBeCreated) + kCRLF + kCRLF +
                             GetResourceString(FilesNotSaved);
            constexpr int kNamesShown = 10;
            for (int k = 0; k < std::min<int>(kNamesShown, static_cast<int>(notSaved.size())); ++k)
                detail += kCRLF + notSaved[k];
            if (notSaved.size() > kNamesShown) detail += kCRLF + QStringLiteral("...");
            job.ShowResult(GetResourceString(ErrorsWhilstSaving), true, detail);
        } else {
            job.ReportComplete(QString::number(handled) + GetResourceString(FilesSuccessfullySaved));
        }
    });
}

bool FormMusicCataloguer::CreateOutputFile(const QString& folder, int page) {
    return WithTrail(CallSite(QStringLiteral("CreateOutputFile"), folder, page), [&] {
        const CataloguerHTMLOptions& html = Options().CataloguerHTML;
        const QString fileName = CataloguePageFileName(
            TextOutputFileName->text(), page, CatalogueFileExtension(m_catalogue.output(), html.strOutputExtension));
        QString text = m_pageText;
        if (m_catalogue.output() == CatalogueOutput::HTML && IsLocalBackgroundImage(html.strBackgroundImage)) {
            text = RelinkBackgroundImage(text, html.strBackgroundImage, CopiedBackgroundLink(html.strBackgroundImage));
            // One copy per save is enough: every page names the same file.
            if (!m_imageCopied) {
                CopyBackgroundImage(folder, html.strBackgroundImage);
                m_imageCopied = true;
            }
        }
        ProgressIndication(this, GetResourceString(TextId::Cataloguer::Saving) + fileName, false, QString(), 48);
        if (WriteCataloguePageFile(folder, fileName, text, Options().Preferences.blnUseRecycleBin) ==
            PageFileResult::Written)
            return true;
        MsgBox(fileName + kCRLF + kCRLF + GetResourceString(TextId::Cataloguer::CannotSaveFileText),
               Mb::Exclamation | Mb::OKOnly, GetResourceString(TextId::Common::PathFileAccessError));
        return false;
    });
}

// ---- Find and the font ------------------------------------------------------------------

void FormMusicCataloguer::mnuEditFind_Click() {
    DialogFind& find = DialogFind::Instance();
    find.mstrForm = objectName();
    find.show();
    find.raise();
    find.activateWindow();
}

void FormMusicCataloguer::mnuEditFindNext_Click() {
    DialogFind& find = DialogFind::Instance();
    if (find.BtnFindNext->isEnabled()) find.BtnFindNext_Click();
}

void FormMusicCataloguer::mnuEditFont_Click() {
    try {
        const QFont current = RichViewer->font();
        CommonDialogFont.FontName = current.family();
        CommonDialogFont.FontSize = current.pointSizeF();
        CommonDialogFont.FontItalic = current.italic();
        CommonDialogFont.FontBold = current.bold();
        CommonDialogFont.ShowFont();
        QFont chosen = current;
        chosen.setFamily(CommonDialogFont.FontName);
        if (CommonDialogFont.FontSize > 0) chosen.setPointSizeF(CommonDialogFont.FontSize);
        chosen.setItalic(CommonDialogFont.FontItalic);
        chosen.setBold(CommonDialogFont.FontBold);
        RichViewer->setFont(chosen);
    } catch (...) {
        if (CurrentError().number() != ErrNo::CommonDialogCancel) DisplayErrorMessage();
    }
}

// ---- relays -------------------------------------------------------------------------------

void FormMusicCataloguer::mnuEdit_Click(int Index) { ResumeNext([&] { EditMenuItemSelect(Index, RichViewer); }); }

void FormMusicCataloguer::mnuFileExit_Click() { FileExitClick(this); }

void FormMusicCataloguer::mnuFileSave_Click() { BtnSave_Click(); }

void FormMusicCataloguer::LabelMenu_Click(int Index) {
    // No Actions menu here; this window's own Tools entry is off.
    LabelMenuClick(this, Index, RichViewer, {}, [this] {
        if (QAction* own = mnuTools[ToolsItem::Cataloguer]) own->setEnabled(false);
    });
}

void FormMusicCataloguer::UpdateSkinControls() {
    try {
        moptionHTMLOutput.Refresh();
        moptionTextOutput.Refresh();
        moptionID3v1Pref.Refresh();
        moptionID3v2Pref.Refresh();
        DrawPanelFrames();
    } catch (...) {
        DisplayErrorMessage();
    }
}

// ---- keys ---------------------------------------------------------------------------------

void FormMusicCataloguer::ProcessShortcutKeys(int KeyCode, int Shift) {
    if (!(Shift & ShiftBit::Alt)) return;  // F1 is the key router's
    auto focus = [](QWidget* box) {
        if (box->isEnabled() && box->isVisible()) box->setFocus(Qt::ShortcutFocusReason);
    };
    switch (KeyCode) {
    case 77:  // M
        if (moptionHTMLOutput.Enabled()) ResumeNext([&] { OptionOutput_Click(0); });
        break;
    case 88:  // X
        if (moptionTextOutput.Enabled()) ResumeNext([&] { OptionOutput_Click(1); });
        break;
    case 49:  // 1
        if (moptionID3v1Pref.Enabled()) ResumeNext([&] { OptionReliabilityPref_Click(0); });
        break;
    case 50:  // 2
        if (moptionID3v2Pref.Enabled()) ResumeNext([&] { OptionReliabilityPref_Click(1); });
        break;
    case 78: focus(TextEntriesPerPage); break;  // N
    case 66:                                    // B
        if (mbuttonBuild.Enabled()) BtnBuild_Click();
        break;
    case 86:  // V
        if (mbuttonPreview.Enabled()) BtnPreview_Click();
        break;
    case 79: focus(TextOutputFileName); break;  // O
    case KeyCode::S:
        // Both captions carry S: Save when it can run, else Stop.
        if (mbuttonSave.Enabled())
            BtnSave_Click();
        else if (mbuttonStop.Enabled())
            BtnStop_Click();
        break;
    default: break;
    }
}

bool FormMusicCataloguer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TextEntriesPerPage && event->type() == QEvent::KeyPress) {
        // The arrows step the number as the spinner does, and nothing else.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            ResumeNext([&] { key == Qt::Key_Up ? UpDownEntriesPerPage_UpClick() : UpDownEntriesPerPage_DownClick(); });
            return true;
        }
    }
    if (watched == RichViewer) {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            const bool in = event->type() == QEvent::FocusIn;
            if (mnuEditRoot) mnuEditRoot->setEnabled(in);
            ResumeNext([&] { ShowContextMenuIndicator(this, in); });
            // The check of the active control runs once the focus has moved.
            QMetaObject::invokeMethod(
                this, [] { ResumeNext([&] { DialogFind::Instance().UpdateFindControls(); }); }, Qt::QueuedConnection);
        }
    }
    if (watched == RichViewer->viewport()) {
        if (event->type() == QEvent::MouseButtonPress)
            ResumeNext([&] { DialogFind::Instance().ResetDialog(); });
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            RichViewer->setFocus(Qt::MouseFocusReason);
            if (mouse->button() == Qt::RightButton && mnuEditRoot) {
                ResumeNext([&] { EditMenuRootSelect(this, RichViewer, mnuEdit); });
                mnuEditRoot->setEnabled(true);
                ResumeNext([&] { mnuEditRoot->popup(mouse->globalPosition().toPoint()); });
            }
        }
    }
    return SkinnedToolWindow::eventFilter(watched, event);
}

bool FormMusicCataloguer::event(QEvent* event) {
    const bool handled = SkinnedToolWindow::event(event);
    // The Find dialog searches the viewer of the window last activated.
    if (event->type() == QEvent::WindowActivate) ResumeNext([&] { DialogFind::Instance().mstrForm = objectName(); });
    return handled;
}

// ---- close --------------------------------------------------------------------------------

void FormMusicCataloguer::UnloadOwn() {
    ResumeNext([&] {
        if (DialogFind* find = DialogFind::IfLoaded(); find && find->mstrForm == objectName()) find->hide();
    });
    ResumeNext([&] { SetCataloguerOutputView(nullptr); });
    // The preview files are of no use once the window is gone.
    for (const QString& path : std::as_const(m_previewFiles)) QFile::remove(path);
    m_previewFiles.clear();
}

// ---- settings -----------------------------------------------------------------------------

MusicCataloguerSettings FormMusicCataloguer::TakeMusicCataloguerSettings() const {
    MusicCataloguerSettings settings;
    settings.OptionHTMLOutput = moptionHTMLOutput.Value();
    settings.OptionTextOutput = moptionTextOutput.Value();
    settings.OptionID3v1Pref = moptionID3v1Pref.Value();
    settings.OptionID3v2Pref = moptionID3v2Pref.Value();
    settings.TextOutputFileName = TextOutputFileName->text();
    settings.TextEntriesPerPage = TextEntriesPerPage->text();
    settings.RichViewer = TakeFont(RichViewer);
    return settings;
}

void FormMusicCataloguer::ShowMusicCataloguerSettings(const MusicCataloguerSettings& settings) {
    ResumeNext([&] { OptionOutput_Click(settings.OptionHTMLOutput ? 0 : 1); });
    ResumeNext([&] { OptionReliabilityPref_Click(settings.OptionID3v1Pref ? 0 : 1); });
    TextEntriesPerPage->setText(settings.TextEntriesPerPage);
    TextOutputFileName->setText(settings.TextOutputFileName);
    ResumeNext([&] { ShowFont(RichViewer, settings.RichViewer); });
}

void FormMusicCataloguer::ReadSettings() {
    MusicCataloguerSettings settings;
    ReadThenShow([&] { settings.Read(); }, [&] { ShowMusicCataloguerSettings(settings); });
}

void FormMusicCataloguer::WriteSettings() { TakeMusicCataloguerSettings().Write(); }

void RegisterMusicCataloguerWindow() {
    WindowRegistry::SetFactory(WindowNames::MusicCataloguer, [] { return new FormMusicCataloguer; });
}
