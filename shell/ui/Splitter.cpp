#include "shell/ui/Splitter.h"

#include "foundation/Twips.h"
#include "shell/SkinScheme.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
class SplitterBarWidget : public QWidget {
public:
    SplitterBarWidget(Splitter* owner, const bool* held, const int32_t* colour)
        : QWidget(owner), m_held(held), m_colour(colour) {
        setObjectName(QStringLiteral("SplitterBar"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QColor fill;
        if (*m_held)
            fill = ColorFromValue(*m_colour);  // as stored: black when unset
        else if (*m_colour == 0 || *m_colour == static_cast<int32_t>(0x8000000F))
            fill = palette().color(QPalette::Button);
        else
            fill = ColorFromValue(*m_colour);
        painter.fillRect(rect(), fill);
    }

private:
    const bool* m_held;
    const int32_t* m_colour;
};
}  // namespace

Splitter::Splitter(QWidget* parent) : QWidget(parent) {
    m_bar = new SplitterBarWidget(this, &m_held, &m_colour);
    m_bar->installEventFilter(this);
    // A new splitter: side by side, half and half, a bar 50 twips thick.
    SetOrientation(0);
    SetSplitPercent(50);
    SetSplitterWidth(50);
    m_bar->resize(std::max(1, TwipsToPixelsX(m_barThickness)), height());
}

SplitterGeometry Splitter::Geometry() const {
    SplitterGeometry g;
    g.stacked = m_stacked;
    g.width = static_cast<float>(PixelsToTwipsX(width()));
    g.height = static_cast<float>(PixelsToTwipsY(height()));
    g.barThickness = m_barThickness;
    g.minPos = m_minPos;
    return g;
}

void Splitter::UpdateBarPointer() { m_bar->setCursor(m_stacked ? Qt::SizeVerCursor : Qt::SizeHorCursor); }

void Splitter::SetOrientation(int32_t value) {
    m_stacked = value != 0;
    UpdateBarPointer();
    emit PropertyChanged();
    LayoutPass();
}

void Splitter::SetChild1(QWidget* child) {
    m_child1 = child;
    // Beneath the panes: only the bar, in the gap between them, is uncovered.
    if (child) lower();
    emit PropertyChanged();
    LayoutPass();
}

void Splitter::SetChild2(QWidget* child) {
    m_child2 = child;
    // Beneath the panes: only the bar, in the gap between them, is uncovered.
    if (child) lower();
    emit PropertyChanged();
    LayoutPass();
}

void Splitter::SetSplitPercent(uint8_t percent) {
    m_fraction = static_cast<float>(percent) / 100.0f;
    emit PropertyChanged();
    LayoutPass();
}

void Splitter::SetSplitterWidth(uint8_t twips) {
    m_barThickness = twips;
    emit PropertyChanged();
}

void Splitter::SetSplitterColour(int32_t colour) {
    m_colour = colour;
    emit PropertyChanged();
}

void Splitter::SetSplitterMinPos(float twips) {
    m_minPos = twips;
    emit PropertyChanged();
}

void Splitter::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutPass();
}

void Splitter::LayoutPass() {
    const SplitterGeometry g = Geometry();
    const SplitterPass pass = LayoutSplitterPass(g, m_fraction);
    m_fraction = pass.fraction;
    // The children are placed in their parent's pixels from twips: the
    // second pane starts right after the first pane and the bar.
    if (m_child1) {
        const double left = PixelsToTwipsX(m_child1->x());
        const double top = PixelsToTwipsY(m_child1->y());
        if (m_stacked)
            m_child1->setGeometry(m_child1->x(), m_child1->y(), m_child1->width(), TwipsToPixelsY(pass.size1));
        else
            m_child1->setGeometry(m_child1->x(), m_child1->y(), TwipsToPixelsX(pass.size1), m_child1->height());
        if (m_child2) {
            if (m_stacked)
                m_child2->setGeometry(m_child1->x(), TwipsToPixelsY(top + pass.size1 + g.barThickness),
                                      m_child2->width(), TwipsToPixelsY(pass.size2));
            else
                m_child2->setGeometry(TwipsToPixelsX(left + pass.size1 + g.barThickness), m_child1->y(),
                                      TwipsToPixelsX(pass.size2), m_child2->height());
        }
    }
    m_bar->setGeometry(TwipsToPixelsX(pass.barLeft), TwipsToPixelsY(pass.barTop),
                       std::max(1, TwipsToPixelsX(pass.barWidth)), std::max(1, TwipsToPixelsY(pass.barHeight)));
    m_bar->raise();
    emit Resize();
}

bool Splitter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_bar) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            BarPressed();
            return true;
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            BarMoved(mouse->position(), mouse->buttons());
            return true;
        }
        case QEvent::MouseButtonRelease:
            BarReleased();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Splitter::BarPressed() {
    m_held = true;
    m_bar->raise();
    m_bar->update();
}

void Splitter::BarMoved(const QPointF& posInBar, Qt::MouseButtons buttons) {
    // Only a drag with the left button alone moves the bar.
    if (buttons != Qt::LeftButton) return;
    const SplitterGeometry g = Geometry();
    if (m_stacked) {
        const SplitterDrag drag = DragSplitterBar(g, static_cast<float>(PixelsToTwipsY(m_bar->y())),
                                                  static_cast<float>(PixelsToTwipsY(posInBar.y())));
        m_fraction = drag.fraction;
        m_bar->move(0, TwipsToPixelsY(drag.barPos));
    } else {
        const SplitterDrag drag = DragSplitterBar(g, static_cast<float>(PixelsToTwipsX(m_bar->x())),
                                                  static_cast<float>(PixelsToTwipsX(posInBar.x())));
        m_fraction = drag.fraction;
        m_bar->move(TwipsToPixelsX(drag.barPos), m_bar->y());
    }
}

void Splitter::BarReleased() {
    m_held = false;
    m_bar->update();
    LayoutPass();
}

void Splitter::ReadProperties(const QVariantMap& stored) {
    bool ok = false;
    const int orientation = stored.value(QStringLiteral("Orientation"), 0).toInt(&ok);
    if (ok) SetOrientation(orientation);
    const int percent = stored.value(QStringLiteral("SplitPercent"), 50).toInt(&ok);
    if (ok && percent >= 0 && percent <= 255) SetSplitPercent(static_cast<uint8_t>(percent));
    const int thickness = stored.value(QStringLiteral("SplitterWidth"), 80).toInt(&ok);
    if (ok && thickness >= 0 && thickness <= 255) SetSplitterWidth(static_cast<uint8_t>(thickness));
}

QVariantMap Splitter::WriteProperties() const {
    QVariantMap stored;
    if (Orientation() != 0) stored.insert(QStringLiteral("Orientation"), Orientation());
    if (SplitPercent() != 50) stored.insert(QStringLiteral("SplitPercent"), SplitPercent());
    if (SplitterWidth() != 80) stored.insert(QStringLiteral("SplitterWidth"), SplitterWidth());
    return stored;
}
