#include "shell/ui/SkinnedWindow.h"

#include "foundation/Errors.h"
#include "foundation/Twips.h"
#include "shell/SkinArt.h"
#include "shell/SkinScheme.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/SkinController.h"
#include "shell/ui/SkinnedControls.h"
#include "shell/ui/Skins.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QProgressBar>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace {
// The designed layout, in twips.
constexpr double kTitleBarHeight = 390;
constexpr double kMenuTop = 450;
constexpr double kMenuLeft = 120;
constexpr double kMenuGap = 90;
constexpr double kStatusFromBottom = 420;
constexpr double kProgBarWidth = 2400;
constexpr int kEdgeGrip = 5;  // pixels of the sizing border of a frameless window

void CheckIndex(int index, size_t size) {
    if (index < 0 || static_cast<size_t>(index) >= size) RaiseMissingElement(index);
}
}  // namespace

SkinnedWindow::SkinnedWindow(const QString& name, Features features, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    SetFormTag(m_formTag);
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    BuildChrome(features);
    WindowRegistry::Register(this);
}

SkinnedWindow::~SkinnedWindow() { WindowRegistry::Unregister(this); }

void SkinnedWindow::AddSkinnedControl(clsSkinnedControl* control) {
    if (control && std::find(m_skinnedControls.begin(), m_skinnedControls.end(), control) == m_skinnedControls.end())
        m_skinnedControls.push_back(control);
}

void SkinnedWindow::RemoveSkinnedControl(clsSkinnedControl* control) {
    m_skinnedControls.erase(std::remove(m_skinnedControls.begin(), m_skinnedControls.end(), control),
                            m_skinnedControls.end());
}

void SkinnedWindow::RefreshSkinnedControls() {
    // A copy: a refresh runs the window's handlers, which may bind wrappers.
    const std::vector<clsSkinnedControl*> controls = m_skinnedControls;
    for (clsSkinnedControl* control : controls) control->Refresh();
}

void SkinnedWindow::BuildChrome(const Features& features) {
    // The pictures the window is designed with, kept when a scheme is missing.
    const SkinPalette design = DesignSkinPalette();
    for (int i = 0; i < 12; ++i) ImageSkins[static_cast<size_t>(i)] = QPixmap::fromImage(DrawSkinPicture(i + 1, design));
    PictureBoxBackground = QPixmap::fromImage(DrawSkinPicture(13, design));

    ImageTitleBar = new SkinImage(this);
    ImageTitleBar->setObjectName(QStringLiteral("ImageTitleBar"));
    ImageTitleBar->SetStretch(true);
    ImageTitleBar->SetPicture(QPixmap::fromImage(DrawSkinPicture(0, design)));
    ImageTitleBar->setGeometry(0, 0, 400, TwipsToPixelsY(kTitleBarHeight));

    LabelTitle = new SkinLabel(this);
    LabelTitle->setObjectName(QStringLiteral("LabelTitle"));
    SetControlTag(LabelTitle, QStringLiteral("Title"));
    QFont titleFont = LabelTitle->font();
    titleFont.setBold(true);
    LabelTitle->setFont(titleFont);
    LabelTitle->move(TwipsToPixelsX(240), TwipsToPixelsY(50));

    static const char* const kSystemTags[] = {"Minimise", "Maximise", "Close"};
    static const int kSystemPictures[] = {SkinPicture::MinimiseUp, SkinPicture::RestoreUp, SkinPicture::CloseUp};
    for (int i = 0; i < 3; ++i) {
        auto* image = new SkinImage(this);
        image->setObjectName(QStringLiteral("ImageSystemMenu_%1").arg(i));
        image->setProperty("Index", i);
        image->SetStretch(false);
        SetControlTag(image, QString::fromLatin1(kSystemTags[i]));
        image->SetPicture(ImageSkins[static_cast<size_t>(kSystemPictures[i])]);
        ImageSystemMenu[static_cast<size_t>(i)] = image;
    }

    if (features.menuBar) {
        double left = kMenuLeft;
        for (int i = 0; i < 5; ++i) {
            auto* label = new SkinLabel(this);
            label->setObjectName(QStringLiteral("LabelMenu_%1").arg(i));
            label->setProperty("Index", i);
            label->setContentsMargins(3, 1, 3, 1);
            label->setText(QStringLiteral("&Menu"));
            label->adjustSize();
            label->move(TwipsToPixelsX(left), TwipsToPixelsY(kMenuTop));
            left += PixelsToTwipsX(label->width()) + kMenuGap;
            LabelMenu[static_cast<size_t>(i)] = label;
        }
        auto makeMenu = [this](const QString& name, auto& items, std::initializer_list<int> separators) {
            auto* menu = new QMenu(this);
            menu->setObjectName(name);
            for (size_t i = 0; i < items.size(); ++i) {
                QAction* action = menu->addAction(QString());
                action->setObjectName(name.left(name.size() - 4) + QStringLiteral("_%1").arg(i));
                for (int s : separators)
                    if (static_cast<size_t>(s) == i) action->setSeparator(true);
                items[i] = action;
            }
            return menu;
        };
        mnuEditRoot = makeMenu(QStringLiteral("mnuEditRoot"), mnuEdit, {4});
        mnuToolsRoot = makeMenu(QStringLiteral("mnuToolsRoot"), mnuTools, {1, 7, 9});
        mnuHelpRoot = makeMenu(QStringLiteral("mnuHelpRoot"), mnuHelp, {2, 4});

        ImageGreenIndicator = new SkinImage(this);
        ImageGreenIndicator->setObjectName(QStringLiteral("ImageGreenIndicator"));
        ImageGreenIndicator->SetStretch(false);
        ImageGreenIndicator->SetPicture(
            IndicatorPicture(QColor(0x1d, 0x6b, 0x2a), QColor(0xb6, 0xf5, 0xa8), QColor(0x2f, 0xa8, 0x3c)));
        ImageGreenIndicator->move(TwipsToPixelsX(left), TwipsToPixelsY(kMenuTop + 45));
    }

    if (features.statusBar) {
        LabelStatusBar = new QLabel(this);
        LabelStatusBar->setObjectName(QStringLiteral("LabelStatusBar"));
        ProgBar = new QProgressBar(this);
        ProgBar->setObjectName(QStringLiteral("ProgBar"));
        ProgBar->setTextVisible(false);
        ProgBar->setRange(0, 100);
        ProgBar->setValue(0);
    }

    // The chrome's events go to the skin controller.
    auto guarded = [](auto&& f) { ResumeNext(f); };
    connect(ImageTitleBar, &SkinImage::MouseDown, this, [this, guarded](int b, int s, float x, float y) {
        m_pressGlobal = ImageTitleBar->PressGlobalPos();
        if (m_skin) guarded([&] { m_skin->ImageTitleBar_MouseDown(b, s, x, y); });
    });
    connect(ImageTitleBar, &SkinImage::DblClick, this, [this, guarded] {
        if (m_skin) guarded([&] { m_skin->ImageTitleBar_DblClick(); });
    });
    connect(ImageTitleBar, &SkinImage::MouseMove, this,
            [this](int, int, float, float, QPoint global) { ContinueWindowDrag(global); });
    connect(ImageTitleBar, &SkinImage::MouseUp, this, [this] { EndWindowDrag(); });
    connect(LabelTitle, &SkinLabel::MouseDown, this, [this, guarded](int b, int s, float x, float y) {
        m_pressGlobal = LabelTitle->PressGlobalPos();
        if (m_skin) guarded([&] { m_skin->LabelTitle_MouseDown(b, s, x, y); });
    });
    connect(LabelTitle, &SkinLabel::DblClick, this, [this, guarded] {
        if (m_skin) guarded([&] { m_skin->LabelTitle_DblClick(); });
    });
    connect(LabelTitle, &SkinLabel::MouseMove, this,
            [this](int, int, float, float, QPoint global) { ContinueWindowDrag(global); });
    connect(LabelTitle, &SkinLabel::MouseUp, this, [this] { EndWindowDrag(); });
    for (int i = 0; i < 3; ++i) {
        SkinImage* image = ImageSystemMenu[static_cast<size_t>(i)];
        connect(image, &SkinImage::MouseDown, this, [this, i, guarded](int b, int s, float x, float y) {
            if (m_skin) guarded([&] { m_skin->ImageSystemMenu_MouseDown(i, b, s, x, y); });
        });
        connect(image, &SkinImage::MouseUp, this, [this, i, guarded](int b, int s, float x, float y) {
            if (m_skin) guarded([&] { m_skin->ImageSystemMenu_MouseUp(i, b, s, x, y); });
        });
        connect(image, &SkinImage::Click, this, [this, i, guarded] {
            if (m_skin) guarded([&] { m_skin->ImageSystemMenu_Click(i); });
        });
    }
    for (int i = 0; i < 5; ++i) {
        SkinLabel* label = LabelMenu[static_cast<size_t>(i)];
        if (!label) continue;
        connect(label, &SkinLabel::MouseDown, this, [this, i, guarded](int b, int s, float x, float y) {
            if (m_skin) guarded([&] { m_skin->LabelMenu_MouseDown(i, b, s, x, y); });
        });
        connect(label, &SkinLabel::MouseUp, this, [this, i, guarded](int b, int s, float x, float y) {
            if (m_skin) guarded([&] { m_skin->LabelMenu_MouseUp(i, b, s, x, y); });
        });
        connect(label, &SkinLabel::Click, this, [this, i, guarded] {
            guarded([&] {
                if (auto* host = dynamic_cast<IMenuHost*>(this))
                    host->LabelMenu_Click(i);
                else
                    PopupLabelMenu(i);
            });
        });
    }
}

void SkinnedWindow::ShowWindow() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void SkinnedWindow::UnloadWindow() { close(); }

void SkinnedWindow::SetFormTag(const QString& tag) {
    m_formTag = tag;
    setProperty("Tag", tag);
}

void SkinnedWindow::SetCaption(const QString& caption) {
    setWindowTitle(caption);
    if (LabelTitle) {
        LabelTitle->setText(caption);
        LabelTitle->adjustSize();
    }
}

void SkinnedWindow::SetSystemMenuToolTip(int index, const QString& text) {
    CheckIndex(index, ImageSystemMenu.size());
    SkinImage* image = ImageSystemMenu[static_cast<size_t>(index)];
    if (!image) RaiseError(ErrNo::MemberNotFound);
    image->setToolTip(text);
}

void SkinnedWindow::SetGreenIndicatorToolTip(const QString& text) {
    if (!ImageGreenIndicator) RaiseError(ErrNo::MemberNotFound);
    ImageGreenIndicator->setToolTip(text);
}

void SkinnedWindow::SetLabelMenuCaption(int index, const QString& text) {
    if (!LabelMenu[0]) RaiseError(ErrNo::MemberNotFound);
    CheckIndex(index, LabelMenu.size());
    SkinLabel* label = LabelMenu[static_cast<size_t>(index)];
    label->setText(text);
    label->adjustSize();
    // The labels sit in a row: keep the ones after this one clear of it.
    for (size_t i = static_cast<size_t>(index) + 1; i < LabelMenu.size(); ++i) {
        const SkinLabel* before = LabelMenu[i - 1];
        LabelMenu[i]->move(before->x() + before->width() + TwipsToPixelsX(kMenuGap), LabelMenu[i]->y());
    }
    if (ImageGreenIndicator) {
        const SkinLabel* last = LabelMenu[4];
        ImageGreenIndicator->move(last->x() + last->width() + TwipsToPixelsX(kMenuGap),
                                  last->y() + (last->height() - ImageGreenIndicator->height()) / 2);
    }
}

void SkinnedWindow::SetMenuItemCaption(Menu menu, int index, const QString& text) {
    QAction* action = nullptr;
    switch (menu) {
    case Menu::Edit:
        if (!mnuEditRoot) RaiseError(ErrNo::MemberNotFound);
        CheckIndex(index, mnuEdit.size());
        action = mnuEdit[static_cast<size_t>(index)];
        break;
    case Menu::Tools:
        if (!mnuToolsRoot) RaiseError(ErrNo::MemberNotFound);
        CheckIndex(index, mnuTools.size());
        action = mnuTools[static_cast<size_t>(index)];
        break;
    case Menu::Help:
        if (!mnuHelpRoot) RaiseError(ErrNo::MemberNotFound);
        CheckIndex(index, mnuHelp.size());
        action = mnuHelp[static_cast<size_t>(index)];
        break;
    }
    action->setText(text);
}

void SkinnedWindow::SetLabelMenuPopup(int index, QMenu* menu) {
    if (index >= 0 && index < 5) m_labelPopups[static_cast<size_t>(index)] = menu;
}

void SkinnedWindow::PopupLabelMenu(int index) {
    if (index < 0 || index > 4 || !LabelMenu[static_cast<size_t>(index)]) return;
    QMenu* menu = index == 1   ? mnuEditRoot
                  : index == 2 ? mnuToolsRoot
                  : index == 4 ? mnuHelpRoot
                               : m_labelPopups[static_cast<size_t>(index)].data();
    if (!menu) return;
    const SkinLabel* label = LabelMenu[static_cast<size_t>(index)];
    menu->popup(label->mapToGlobal(QPoint(0, label->height())));
}

void SkinnedWindow::SetMinimumSizeTwips(double height, double width) {
    m_minHeight = height;
    m_minWidth = width;
    // The window manager holds the same minimum while the user drags an edge.
    setMinimumSize(TwipsToPixelsX(width), TwipsToPixelsY(height));
}

void SkinnedWindow::LoadWindow(bool blnCoreTool) {
    m_skin = std::make_unique<clsSkin>();
    try {
        m_skin->Initialise(this, blnCoreTool);
    } catch (...) {
        DisplayErrorMessage();
    }
}

void SkinnedWindow::LayoutControls() {
    if (LabelStatusBar && ProgBar) {
        const int top = height() - TwipsToPixelsY(kStatusFromBottom);
        const int barWidth = TwipsToPixelsX(kProgBarWidth);
        const int margin = TwipsToPixelsX(120);
        const int rowHeight = TwipsToPixelsY(270);
        ProgBar->setGeometry(width() - margin - barWidth, top + 2, barWidth, rowHeight - 4);
        LabelStatusBar->setGeometry(margin, top, std::max(0, ProgBar->x() - 2 * margin), rowHeight);
    }
}

void SkinnedWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_inResize) return;
    m_inResize = true;
    if (m_skin) ResumeNext([&] { MaintainDimensions(this, static_cast<float>(m_minHeight), static_cast<float>(m_minWidth)); });
    ResumeNext([&] { LayoutControls(); });
    if (m_skin) ResumeNext([&] { m_skin->Resize(); });
    m_inResize = false;
}

void SkinnedWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && m_skin && !m_inResize)
        ResumeNext([&] { m_skin->Resize(); });
}

void SkinnedWindow::SetBackgroundCells(const QPixmap& cell, const std::vector<QRect>& cells) {
    m_cell = cell;
    m_cells = cells;
    // Scaled once here, not on every repaint.
    if (!m_cell.isNull() && !m_cells.empty() && m_cells.front().size() != m_cell.size())
        m_cell = m_cell.scaled(m_cells.front().size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_frames.clear();
    update();
}

std::vector<QRect> SkinnedWindow::SurfaceFrames() const {
    std::vector<QRect> frames;
    for (const SurfaceFrame& f : m_frames) frames.push_back(f.rect);
    return frames;
}

void SkinnedWindow::AddSurfaceFrame(QWidget* first, QWidget* second, const QRect& frame) {
    for (SurfaceFrame& f : m_frames) {
        if (f.first == first && f.second == second) {
            f.rect = frame;
            update();
            return;
        }
    }
    m_frames.push_back({first, second, frame});
    update();
}

void SkinnedWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    if (!m_cell.isNull()) {
        for (const QRect& cell : m_cells)
            if (cell.intersects(event->rect())) painter.drawPixmap(cell, m_cell);
    }
    if (windowFlags().testFlag(Qt::FramelessWindowHint)) {
        // The sizing border of a frameless window: one line round the edge.
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    for (const SurfaceFrame& f : m_frames) {
        const QRect& r = f.rect;
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(r.topRight(), r.bottomRight());
        painter.drawLine(r.bottomRight(), r.bottomLeft());
    }
}

void SkinnedWindow::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    try {
        QueryUnload(cancel);
    } catch (...) {
        DisplayErrorMessage();
    }
    if (cancel) {
        event->ignore();
        return;
    }
    try {
        FormUnload();
    } catch (...) {
        DisplayErrorMessage();
    }
    WindowRegistry::Unregister(this);
    event->accept();
}

// ---- moving and sizing a frameless window ----------------------------------

void SkinnedWindow::BeginWindowDrag() {
    if (QWindow* handle = windowHandle(); handle && isVisible() && handle->startSystemMove()) return;
    // No move loop from the window manager: move the window ourselves while
    // the button is held on the title bar.
    m_dragging = true;
    m_dragAnchor = m_pressGlobal;
    m_dragStartPos = pos();
}

void SkinnedWindow::ContinueWindowDrag(const QPoint& globalPos) {
    if (!m_dragging) return;
    move(m_dragStartPos + (globalPos - m_dragAnchor));
}

void SkinnedWindow::EndWindowDrag() { m_dragging = false; }

Qt::Edges SkinnedWindow::EdgesAt(const QPoint& p) const {
    Qt::Edges edges;
    if (!(windowFlags() & Qt::FramelessWindowHint) || !m_sizingBorder || windowState() != Qt::WindowNoState)
        return edges;
    if (p.x() < kEdgeGrip) edges |= Qt::LeftEdge;
    if (p.x() >= width() - kEdgeGrip) edges |= Qt::RightEdge;
    if (p.y() < kEdgeGrip) edges |= Qt::TopEdge;
    if (p.y() >= height() - kEdgeGrip) edges |= Qt::BottomEdge;
    return edges;
}

void SkinnedWindow::mousePressEvent(QMouseEvent* event) {
    const Qt::Edges edges = EdgesAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !edges) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (QWindow* handle = windowHandle(); handle && handle->startSystemResize(edges)) return;
    m_resizeEdges = edges;
    m_resizeStartGeometry = geometry();
    m_pressGlobal = event->globalPosition().toPoint();
}

void SkinnedWindow::mouseMoveEvent(QMouseEvent* event) {
    if (m_resizeEdges) {
        const QPoint delta = event->globalPosition().toPoint() - m_pressGlobal;
        QRect g = m_resizeStartGeometry;
        if (m_resizeEdges & Qt::LeftEdge) g.setLeft(std::min(g.left() + delta.x(), g.right() - minimumWidth()));
        if (m_resizeEdges & Qt::RightEdge) g.setRight(g.right() + delta.x());
        if (m_resizeEdges & Qt::TopEdge) g.setTop(std::min(g.top() + delta.y(), g.bottom() - minimumHeight()));
        if (m_resizeEdges & Qt::BottomEdge) g.setBottom(g.bottom() + delta.y());
        setGeometry(g);
        return;
    }
    const Qt::Edges edges = EdgesAt(event->position().toPoint());
    if (edges && !m_edgeCursor) {
        m_edgeCursor = true;
        m_hadOwnCursor = testAttribute(Qt::WA_SetCursor);
        m_ownCursor = cursor();
    }
    if ((edges & (Qt::LeftEdge | Qt::TopEdge)) == (Qt::LeftEdge | Qt::TopEdge) ||
        (edges & (Qt::RightEdge | Qt::BottomEdge)) == (Qt::RightEdge | Qt::BottomEdge))
        setCursor(Qt::SizeFDiagCursor);
    else if ((edges & (Qt::RightEdge | Qt::TopEdge)) == (Qt::RightEdge | Qt::TopEdge) ||
             (edges & (Qt::LeftEdge | Qt::BottomEdge)) == (Qt::LeftEdge | Qt::BottomEdge))
        setCursor(Qt::SizeBDiagCursor);
    else if (edges & (Qt::LeftEdge | Qt::RightEdge))
        setCursor(Qt::SizeHorCursor);
    else if (edges & (Qt::TopEdge | Qt::BottomEdge))
        setCursor(Qt::SizeVerCursor);
    else if (m_edgeCursor) {
        m_edgeCursor = false;
        if (m_hadOwnCursor)
            setCursor(m_ownCursor);
        else
            unsetCursor();
    }
    QWidget::mouseMoveEvent(event);
}

void SkinnedWindow::mouseReleaseEvent(QMouseEvent* event) {
    m_resizeEdges = {};
    QWidget::mouseReleaseEvent(event);
}

// ---- long jobs -------------------------------------------------------------

void SkinnedJobWindow::SetProgBarValue(double value) {
    if (!ProgBar) RaiseError(ErrNo::MemberNotFound);
    ProgBar->setValue(static_cast<int>(std::nearbyint(value)));
}

void SkinnedJobWindow::SetProgBarMax(double maximum) {
    if (!ProgBar) RaiseError(ErrNo::MemberNotFound);
    InitialiseProgBar(ProgBar, static_cast<float>(maximum));
}

void SkinnedJobWindow::SetStatusBarCaption(const QString& text) {
    if (!LabelStatusBar) RaiseError(ErrNo::MemberNotFound);
    LabelStatusBar->setText(text);
}

void SkinnedJobWindow::SetBusyPointer(bool busy) {
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

SkinImage* SkinnedJobWindow::BuildRedIndicatorAndProgBar() {
    auto* red = new SkinImage(this);
    red->setObjectName(QStringLiteral("ImageRedIndicator"));
    red->SetStretch(false);
    red->SetPicture(IndicatorPicture(QColor(0x7a, 0x16, 0x16), QColor(0xf7, 0xb0, 0xa8), QColor(0xc0, 0x2a, 0x22)));
    if (ImageGreenIndicator) {
        red->stackUnder(ImageGreenIndicator);
        ImageGreenIndicator->lower();
    }
    if (ProgBar) {
        ProgBar->setOrientation(Qt::Vertical);
        ProgBar->setTextVisible(false);
    }
    return red;
}

QPixmap IndicatorPicture(const QColor& rim, const QColor& light, const QColor& dark) {
    QImage image(11, 11, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(rim, 1));
    QRadialGradient gradient(QPointF(4, 4), 6);
    gradient.setColorAt(0, light);
    gradient.setColorAt(1, dark);
    painter.setBrush(gradient);
    painter.drawEllipse(QRectF(0.5, 0.5, 10, 10));
    return QPixmap::fromImage(image);
}
