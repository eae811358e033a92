#include "shell/ui/Launcher.h"

#include "foundation/Errors.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/ui/WindowPositions.h"
#include "options/WindowSettings.h"
#include "foundation/Twips.h"
#include "shell/menus/KeyboardState.h"
#include "shell/menus/ui/Menus.h"
#include "shell/menus/ui/OptionDialogs.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/SkinWidgets.h"
#include "shell/ui/SkinnedControlBuilder.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {

// The designed client area and layout, in twips.
constexpr double kWidth = 6072, kHeight = 4080;
constexpr double kToolLeft = 300, kToolTop = 720, kToolStep = 500;
constexpr double kColumnLeft = 150, kColumnRight = 3150;
constexpr double kPanelLeft = 3330, kPanelRight = 5832;
// The tool's name sits on the name plate line, on two lines when it needs them.
constexpr double kNameTop = 690, kNameLine = 1350, kInfoTop = 1440, kInfoBottom = 3420;
constexpr double kButtonTop = 240, kButtonWidth = 1425, kButtonGap = 120;

constexpr int kToolElements[] = {0, 2, 3, 4, 5, 6};
// Name and description texts of each tool caption, by element (1 is unused).
struct ToolTexts {
    int32_t name, description;
};
constexpr ToolTexts kToolTexts[] = {
    {TextId::Launcher::ScanningCentre, TextId::Launcher::ScanningCentreInfo},
    {0, 0},
    {TextId::Launcher::Coordinator, TextId::Launcher::CoordinatorInfo},
    {TextId::Launcher::MusicCataloguer, TextId::Launcher::MusicCataloguerInfo},
    {TextId::Launcher::DuplicateFinder, TextId::Launcher::DuplicateFinderInfo},
    {TextId::Launcher::PlaylistManager, TextId::Launcher::PlaylistManagerInfo},
    {TextId::Launcher::EncoderDecoder, TextId::Launcher::EncoderDecoderInfo},
};
int32_t NameCode(int index) { return kToolTexts[static_cast<size_t>(index)].name; }
int32_t DescriptionCode(int index) { return kToolTexts[static_cast<size_t>(index)].description; }

void SetTextColour(QWidget* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// ---- artwork ----------------------------------------------------------------
QPixmap BackgroundPicture() {
    // Drawn at the design size (507 x 341) and stretched over the client area.
    const QSize size(507, 341);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / kWidth, size.height() / kHeight);
    QLinearGradient face(0, 0, 0, kHeight);
    face.setColorAt(0, QColor(0xf4, 0xf1, 0xe8));
    face.setColorAt(1, QColor(0xd9, 0xd4, 0xc6));
    p.fillRect(QRectF(0, 0, kWidth, kHeight), face);
    // The tool column.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawRoundedRect(QRectF(kColumnLeft, 600, kColumnRight - kColumnLeft, 3150), 120, 120);
    // A small equaliser in the top left corner.
    for (int i = 0; i < 9; ++i) {
        const double h = 80 + 200 * std::fabs(std::sin(i * 0.9 + 0.4));
        QLinearGradient bar(0, 480 - h, 0, 480);
        bar.setColorAt(0, QColor(0xd0, 0x3a, 0x2a));
        bar.setColorAt(1, QColor(0x7a, 0x1c, 0x12));
        p.fillRect(QRectF(240 + i * 120, 480 - h, 80, h), bar);
    }
    // The display on which the descriptions glow.
    QRectF screen(kPanelLeft - 90, kInfoTop - 90, kPanelRight - kPanelLeft + 180, kInfoBottom - kInfoTop + 180);
    p.setBrush(QColor(0x10, 0x16, 0x12));
    p.setPen(QPen(QColor(0x6d, 0x6a, 0x60), 30));
    p.drawRoundedRect(screen, 90, 90);
    QLinearGradient glare(screen.topLeft(), screen.bottomLeft());
    glare.setColorAt(0, QColor(255, 255, 255, 28));
    glare.setColorAt(0.5, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glare);
    p.drawRoundedRect(screen.adjusted(30, 30, -30, -30), 70, 70);
    // The name plate line.
    p.setPen(QPen(QColor(0xb0, 0x2a, 0x1e), 24));
    p.drawLine(QPointF(kPanelLeft - 60, kNameLine), QPointF(kPanelRight + 60, kNameLine));
    return QPixmap::fromImage(image);
}

QPixmap ButtonFace(bool down) {
    QImage image(95, 22, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 22);
    g.setColorAt(0, down ? QColor(0xb8, 0xb4, 0xa8) : QColor(0xfc, 0xfb, 0xf7));
    g.setColorAt(1, down ? QColor(0xe0, 0xdc, 0xd0) : QColor(0xc9, 0xc4, 0xb5));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x6d, 0x6a, 0x60), 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, 94, 21), 5, 5);
    return QPixmap::fromImage(image);
}

QPixmap CheckFace(bool checked) {
    QImage image(14, 15, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x4a, 0x47, 0x40), 1));
    p.drawRect(QRectF(0.5, 1.5, 13, 13));
    if (checked) {
        p.setPen(QPen(QColor(0xb0, 0x2a, 0x1e), 2));
        QPainterPath tick;
        tick.moveTo(3, 8);
        tick.lineTo(6, 11);
        tick.lineTo(11, 4);
        p.drawPath(tick);
    }
    return QPixmap::fromImage(image);
}

void SetProgramCursor(QWidget* control) { control->setProperty("MousePointer", 99); }

// `font`, smaller by half points (down to 6) until every one of `texts` fits
// `room`, on one line or, with `wrap`, broken at blanks.
QFont FontToFit(QFont font, const QStringList& texts, const QSize& room, bool wrap) {
    const int flags = wrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    for (double size = font.pointSizeF(); size >= 6.0; size -= 0.5) {
        font.setPointSizeF(size);
        const QFontMetrics metrics(font);
        const bool fits = std::all_of(texts.begin(), texts.end(), [&](const QString& text) {
            const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 1 << 20), flags, text);
            return needed.width() <= room.width() && needed.height() <= room.height();
        });
        if (fits) break;
    }
    return font;
}

}  // namespace

FormIntegrator::FormIntegrator(QWidget* parent) : QWidget(parent) {
    setObjectName(WindowNames::Integrator);
    setWindowRole(objectName());
    // Once unloaded the bar goes, as every other window does.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Sonivard"));
    // A fixed border and no close command: the title bar offers minimise only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(TwipsToPixelsX(kWidth), TwipsToPixelsY(kHeight));
    QFont tahoma = font();
    tahoma.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    setFont(tahoma);
    BuildControls();
    WindowRegistry::Register(this);
    qApp->installEventFilter(this);
    FormLoad();
}

FormIntegrator::~FormIntegrator() {
    qApp->removeEventFilter(this);
    if (!m_unloaded) ResumeNext([&] { FormUnload(); });
    WindowRegistry::Unregister(this);
}

FormIntegrator* FormIntegrator::Instance() { return WindowRegistry::FindAs<FormIntegrator>(WindowNames::Integrator); }

void FormIntegrator::BuildControls() {
    ImageOptionsUP = ImageExitUP = ButtonFace(false);
    ImageOptionsDN = ImageExitDN = ButtonFace(true);
    ImageCheckON = CheckFace(true);
    ImageCheckOFF = CheckFace(false);

    ImageBackground = new SkinImage(this);
    ImageBackground->setObjectName(QStringLiteral("ImageBackground"));
    ImageBackground->SetStretch(true);
    ImageBackground->SetPicture(BackgroundPicture());
    ImageBackground->setMouseTracking(true);
    connect(ImageBackground, &SkinImage::MouseMove, this, [this] { ResumeNext([&] { ImageBackground_MouseMove(); }); });

    int row = 0;
    for (const int index : kToolElements) {
        auto* label = new SkinLabel(this);
        label->setObjectName(QStringLiteral("LabelTool_%1").arg(index));
        label->setProperty("Index", index);
        QFont f = label->font();
        f.setPointSizeF(f.pointSizeF() * 1.05);
        label->setFont(f);
        SetTextColour(label, ToolColour());
        SetProgramCursor(label);
        label->setMouseTracking(true);
        label->move(TwipsToPixelsX(kToolLeft), TwipsToPixelsY(kToolTop + row * kToolStep));
        ++row;
        LabelTool[static_cast<size_t>(index)] = label;
        connect(label, &SkinLabel::Click, this, [this, index] { LabelTool_Click(index); });
        connect(label, &SkinLabel::MouseMove, this, [this, index] { ResumeNext([&] { LabelTool_MouseMove(index); }); });
    }

    LabelToolName = new SkinLabel(QStringLiteral("Sonivard"), this);
    LabelToolName->setObjectName(QStringLiteral("LabelToolName"));
    QFont bold = LabelToolName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    LabelToolName->setFont(bold);
    SetTextColour(LabelToolName, QColor(0, 0, 128));
    LabelToolName->setWordWrap(true);
    LabelToolName->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    LabelToolName->setGeometry(TwipsToPixelsX(kPanelLeft), TwipsToPixelsY(kNameTop),
                               TwipsToPixelsX(kPanelRight - kPanelLeft), TwipsToPixelsY(kNameLine - 30 - kNameTop));

    LabelInfo = new SkinLabel(this);
    LabelInfo->setObjectName(QStringLiteral("LabelInfo"));
    LabelInfo->setWordWrap(true);
    LabelInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(LabelInfo, QColor(0, 255, 0));
    LabelInfo->setGeometry(TwipsToPixelsX(kPanelLeft), TwipsToPixelsY(kInfoTop), TwipsToPixelsX(kPanelRight - kPanelLeft),
                           TwipsToPixelsY(kInfoBottom - kInfoTop));

    // The bar's own button pictures, at their own size.
    auto makeButton = [this](const QString& face, const QString& caption, const QPixmap& up, double left,
                             SkinImage*& image, SkinLabel*& label) {
        const PictureFace built = BuildPictureFace(this, face, caption, up, {left, kButtonTop});
        image = built.picture;
        label = built.label;
        SetTextColour(label, ButtonCaptionColour());
        SetProgramCursor(image);
        SetProgramCursor(label);
    };
    const double exitLeft = kWidth - kToolLeft + 60 - kButtonWidth;
    makeButton(QStringLiteral("BtnExit"), QStringLiteral("LabelExit"), ImageExitUP, exitLeft, BtnExit, LabelExit);
    makeButton(QStringLiteral("BtnOptions"), QStringLiteral("LabelOptions"), ImageOptionsUP,
               exitLeft - kButtonGap - kButtonWidth, BtnOptions, LabelOptions);

    connect(BtnOptions, &SkinImage::Click, this, [this] { ResumeNext([&] { BtnOptions_Click(); }); });
    connect(LabelOptions, &SkinLabel::Click, this, [this] { ResumeNext([&] { LabelOptions_Click(); }); });
    connect(BtnOptions, &SkinImage::MouseDown, this, [this](int b, int, float, float) { BtnOptions_MouseDown(b); });
    connect(LabelOptions, &SkinLabel::MouseDown, this, [this](int b, int, float, float) { BtnOptions_MouseDown(b); });
    connect(BtnOptions, &SkinImage::MouseUp, this, [this] { BtnOptions_MouseUp(); });
    connect(LabelOptions, &SkinLabel::MouseUp, this, [this] { BtnOptions_MouseUp(); });
    connect(BtnExit, &SkinImage::Click, this, [this] { ResumeNext([&] { BtnExit_Click(); }); });
    connect(LabelExit, &SkinLabel::Click, this, [this] { ResumeNext([&] { LabelExit_Click(); }); });
    connect(BtnExit, &SkinImage::MouseDown, this, [this](int b, int, float, float) { BtnExit_MouseDown(b); });
    connect(LabelExit, &SkinLabel::MouseDown, this, [this](int b, int, float, float) { BtnExit_MouseDown(b); });
    connect(BtnExit, &SkinImage::MouseUp, this, [this] { BtnExit_MouseUp(); });
    connect(LabelExit, &SkinLabel::MouseUp, this, [this] { BtnExit_MouseUp(); });

    CheckStayOnTop = new SkinImage(this);
    CheckStayOnTop->setObjectName(QStringLiteral("CheckStayOnTop"));
    CheckStayOnTop->SetStretch(false);
    CheckStayOnTop->SetPicture(ImageCheckOFF);
    CheckStayOnTop->move(TwipsToPixelsX(kPanelLeft), TwipsToPixelsY(kHeight - 450));
    LabelStayOnTop = new SkinLabel(this);
    LabelStayOnTop->setObjectName(QStringLiteral("LabelStayOnTop"));
    SetTextColour(LabelStayOnTop, QColor(0, 0, 0));
    LabelStayOnTop->move(CheckStayOnTop->x() + CheckStayOnTop->width() + TwipsToPixelsX(90), CheckStayOnTop->y() - 1);
    connect(CheckStayOnTop, &SkinImage::Click, this, [this] { ResumeNext([&] { CheckStayOnTop_Click(); }); });
    connect(LabelStayOnTop, &SkinLabel::Click, this, [this] { ResumeNext([&] { LabelStayOnTop_Click(); }); });

    mnuOptionsRoot = new QMenu(this);
    mnuOptionsRoot->setObjectName(QStringLiteral("mnuOptionsRoot"));
    mnuOptionsRoot->setTitle(QStringLiteral("&Options"));
    for (int i = 1; i <= 4; ++i) {
        QAction* action = mnuOptionsRoot->addAction(QString());
        action->setObjectName(QStringLiteral("mnuOptions_%1").arg(i));
        connect(action, &QAction::triggered, this, [this, i] { ResumeNext([&] { mnuOptions_Click(i); }); });
        mnuOptions[static_cast<size_t>(i)] = action;
    }
    mnuOptionsEncoderDecoder = mnuOptionsRoot->addAction(QString());
    mnuOptionsEncoderDecoder->setObjectName(QStringLiteral("mnuOptionsEncoderDecoder"));
    connect(mnuOptionsEncoderDecoder, &QAction::triggered, this,
            [this] { ResumeNext([&] { mnuOptionsEncoderDecoder_Click(); }); });
    mnuOptionsGap1 = mnuOptionsRoot->addSeparator();
    mnuOptionsGap1->setObjectName(QStringLiteral("mnuOptionsGap1"));
    mnuOptionsPreferences = mnuOptionsRoot->addAction(QString());
    mnuOptionsPreferences->setObjectName(QStringLiteral("mnuOptionsPreferences"));
    connect(mnuOptionsPreferences, &QAction::triggered, this,
            [this] { ResumeNext([&] { mnuOptionsPreferences_Click(); }); });

    // The background lies under everything else.
    ImageBackground->lower();
}

void FormIntegrator::FormLoad() {
    ResumeNext([&] { InitialiseDialogText(); });
    ResumeNext([&] { ReadWindowPos(this); });
    ResumeNext([&] { LoadCursorToControls(this, 101); });
    ResumeNext([&] { ImageBackground->setGeometry(0, 0, width(), height()); });
    // The close command is gone with the window flags set in the constructor.
    ResumeNext([&] { ReadIntegratorSettings(); });
}

void FormIntegrator::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        const QString more = QStringLiteral("...");
        const int32_t optionsItems[] = {TextId::Launcher::OptionsScanningCentre, TextId::Launcher::OptionsCoordinator,
                                        TextId::Launcher::OptionsCataloguerHTML,
                                        TextId::Launcher::OptionsCataloguerText};
        for (int i = 1; i <= 4; ++i)
            mnuOptions[static_cast<size_t>(i)]->setText(GetResourceString(optionsItems[i - 1]) + more);
        mnuOptionsEncoderDecoder->setText(GetResourceString(TextId::Launcher::OptionsEncoderDecoder) + more);
        mnuOptionsPreferences->setText(GetResourceString(TextId::Launcher::OptionsPreferences));
        for (const int index : kToolElements)
            LabelTool[static_cast<size_t>(index)]->setText(GetResourceString(NameCode(index)));
        FitToolCaptions();
        LabelOptions->setText(GetResourceString(TextId::Launcher::Options));
        LabelExit->setText(GetResourceString(TextId::Launcher::ExitProgram));
        LabelStayOnTop->setText(GetResourceString(TextId::Launcher::StayOnTop));
        LabelStayOnTop->adjustSize();
        LabelInfo->setText(GetResourceString(TextId::Launcher::Welcome));
        LabelStayOnTop->setToolTip(GetResourceString(TextId::Launcher::StayOnTopTip));
        CheckStayOnTop->setToolTip(GetResourceString(TextId::Launcher::StayOnTopTip));
    });
}

void FormIntegrator::FitToolCaptions() {
    // One font for the whole column and one for the heading above the
    // description, each as large as the design's font but no larger than its
    // room, whatever the language and the fonts at hand.
    QStringList names;
    for (const int index : kToolElements) names << LabelTool[static_cast<size_t>(index)]->text();
    const QFont column =
        FontToFit(LabelTool[0]->font(), names, QSize(TwipsToPixelsX(kColumnRight - kToolLeft - 90), 1 << 20), false);
    for (const int index : kToolElements) {
        SkinLabel* label = LabelTool[static_cast<size_t>(index)];
        label->setFont(column);
        label->adjustSize();
    }
    names << LabelToolName->text();
    LabelToolName->setFont(FontToFit(LabelToolName->font(), names, LabelToolName->contentsRect().size(), true));
}

void FormIntegrator::ShowWindow() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void FormIntegrator::UnloadWindow() {
    m_unloading = true;
    close();
}

void FormIntegrator::closeEvent(QCloseEvent* event) {
    if (!m_unloading) {
        // No close command: only the program's end unloads the bar.
        event->ignore();
        return;
    }
    if (!m_unloaded) ResumeNext([&] { FormUnload(); });
    WindowRegistry::Unregister(this);
    event->accept();
}

void FormIntegrator::FormUnload() {
    m_unloaded = true;
    ResumeNext([&] { WriteWindowPos(this); });
    ResumeNext([&] { WriteIntegratorSettings(); });
}

// ---- hover ------------------------------------------------------------------

void FormIntegrator::LabelTool_MouseMove(int Index) {
    SkinLabel* label = Index >= 0 && Index < 7 ? LabelTool[static_cast<size_t>(Index)] : nullptr;
    if (!label) RaiseMissingElement(Index);
    SetTextColour(label, ToolHighlightColour());
    LabelToolName->setText(GetResourceString(NameCode(Index)));
    LabelInfo->setText(GetResourceString(DescriptionCode(Index)));
}

void FormIntegrator::ImageBackground_MouseMove() {
    for (const int index : kToolElements) SetTextColour(LabelTool[static_cast<size_t>(index)], ToolColour());
    ImageBackground->setToolTip(mintCheckStayOnTop == 1 ? GetResourceString(TextId::Launcher::StayOnTopUncheckTip)
                                                        : QString());
}

// ---- clicks -----------------------------------------------------------------

void FormIntegrator::LabelTool_Click(int Index) {
    ResumeNext([&] { PlayResourceSound(101); });
    ResumeNext([&] { ToolsMenuItemSelect(Index, -1); });
}

void FormIntegrator::BtnOptions_Click() {
    mnuOptionsRoot->popup(mapToGlobal(QPoint(BtnOptions->x(), BtnOptions->y() + BtnOptions->height())));
}

void FormIntegrator::LabelOptions_Click() {
    ResumeNext([&] { PlayResourceSound(101); });
    ResumeNext([&] { BtnOptions_Click(); });
}

void FormIntegrator::BtnExit_Click() {
    if (IToolWindow* main = WindowRegistry::Find(WindowNames::ScanningCentre)) main->UnloadWindow();
}

void FormIntegrator::LabelExit_Click() {
    ResumeNext([&] { PlayResourceSound(101); });
    ResumeNext([&] { BtnExit_Click(); });
}

void FormIntegrator::BtnOptions_MouseDown(int Button) {
    if (Button != 1) return;
    BtnOptions->SetPicture(ImageOptionsDN);
    SetTextColour(LabelOptions, QColor(0, 0, 0));
}

void FormIntegrator::BtnOptions_MouseUp() {
    BtnOptions->SetPicture(ImageOptionsUP);
    SetTextColour(LabelOptions, ButtonCaptionColour());
}

void FormIntegrator::BtnExit_MouseDown(int Button) {
    if (Button != 1) return;
    BtnExit->SetPicture(ImageExitDN);
    SetTextColour(LabelExit, QColor(0, 0, 0));
}

void FormIntegrator::BtnExit_MouseUp() {
    BtnExit->SetPicture(ImageExitUP);
    SetTextColour(LabelExit, ButtonCaptionColour());
}

void FormIntegrator::mnuOptions_Click(int Index) { ShowOptionsTab(Index); }

void FormIntegrator::mnuOptionsEncoderDecoder_Click() { ShowEncoderDecoderOptions(); }

void FormIntegrator::mnuOptionsPreferences_Click() { ShowOptionsTab(5); }

// ---- stay on top --------------------------------------------------------------

void FormIntegrator::CheckStayOnTop_Click() {
    if (mintCheckStayOnTop != 0) {
        CheckStayOnTop->SetPicture(ImageCheckOFF);
        mintCheckStayOnTop = 0;
    } else {
        CheckStayOnTop->SetPicture(ImageCheckON);
        mintCheckStayOnTop = 1;
    }
    ApplyStayOnTop();
}

QWidget* FormIntegrator::MaximisedWindowUnderneath() const {
    // A maximised window fills its screen, whether or not the window system
    // has given it that size yet.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && (window->isMaximized() || window->isFullScreen()) &&
            window->screen() == screen())
            return window;
    }
    return nullptr;
}

void FormIntegrator::ApplyStayOnTop() {
    QWidget* underneath = mintCheckStayOnTop == 1 ? MaximisedWindowUnderneath() : nullptr;
    SetOnTop(this, mintCheckStayOnTop == 1 && !underneath);
    // Out of the topmost band the bar came to the front: the maximised
    // window goes back over it.
    if (underneath) underneath->raise();
}

bool FormIntegrator::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::WindowStateChange && type != QEvent::Show && type != QEvent::Hide)
        return QWidget::eventFilter(watched, event);
    auto* window = qobject_cast<QWidget*>(watched);
    if (!window || window == this || !window->isWindow() || !isVisible() || mintCheckStayOnTop != 1)
        return QWidget::eventFilter(watched, event);
    // A window maximised or restored, or a maximised one shown or hidden.
    const bool maximised = window->isMaximized() || window->isFullScreen();
    if (type == QEvent::WindowStateChange || maximised) {
        const bool onTop = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        if (onTop == (MaximisedWindowUnderneath() != nullptr)) ResumeNext([&] { ApplyStayOnTop(); });
    }
    return QWidget::eventFilter(watched, event);
}

void FormIntegrator::LabelStayOnTop_Click() { CheckStayOnTop_Click(); }

void FormIntegrator::UpdateSkinControls() {
    CheckStayOnTop->SetPicture(mintCheckStayOnTop == 1 ? ImageCheckON : ImageCheckOFF);
    CheckStayOnTop_Click();
}

// ---- keys ---------------------------------------------------------------------

void FormIntegrator::ProcessShortcutKeys(int keyCode, int shift) {
    if (!(shift & ShiftBit::Alt)) return;
    switch (keyCode) {
    case KeyCode::O: ResumeNext([&] { BtnOptions_Click(); }); break;
    case KeyCode::X: ResumeNext([&] { BtnExit_Click(); }); break;
    case KeyCode::S: ResumeNext([&] { CheckStayOnTop_Click(); }); break;
    default: break;
    }
}

// ---- settings -----------------------------------------------------------------

void ReadIntegratorSettings() {
    FormIntegrator* bar = FormIntegrator::Instance();
    if (!bar) RaiseError(ErrNo::ObjectNotSet);
    IntegratorSettings settings;
    settings.CheckStayOnTop = bar->mintCheckStayOnTop != 0;
    ReadThenShow([&] { settings.Read(); }, [&] {
        // UpdateSkinControls flips the value once and applies it.
        bar->mintCheckStayOnTop = settings.CheckStayOnTop ? 0 : 1;
        bar->UpdateSkinControls();
    });
}

void WriteIntegratorSettings() {
    FormIntegrator* bar = FormIntegrator::Instance();
    if (!bar) RaiseError(ErrNo::ObjectNotSet);
    IntegratorSettings settings;
    settings.CheckStayOnTop = bar->mintCheckStayOnTop != 0;
    settings.Write();
}
