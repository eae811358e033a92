#pragma once
// A splitter shares one rectangle of a window between two controls of that
// window, side by side (Orientation 0) or stacked (non-zero, read back as -1),
// with a bar between them that the user drags.  The two controls stay the
// window's own: the splitter is laid over the area they share, its top-left
// corner on the first control's, and moves and sizes them on every layout
// pass, then emits Resize so the window can arrange the rest.
//
// Lengths (SplitterWidth, SplitterMinPos) are twips; the arithmetic is in
// shell/SplitterLayout.h.

#include "shell/SplitterLayout.h"

#include <QPointer>
#include <QVariantMap>
#include <QWidget>

class Splitter : public QWidget {
    Q_OBJECT
public:
    explicit Splitter(QWidget* parent = nullptr);

    int32_t Orientation() const { return m_stacked ? -1 : 0; }
    void SetOrientation(int32_t value);
    QWidget* Child1() const { return m_child1; }
    void SetChild1(QWidget* child);
    QWidget* Child2() const { return m_child2; }
    void SetChild2(QWidget* child);
    uint8_t SplitPercent() const { return SplitPercentFromFraction(m_fraction); }
    void SetSplitPercent(uint8_t percent);
    uint8_t SplitterWidth() const { return m_barThickness; }
    void SetSplitterWidth(uint8_t twips);
    // The bar's colour as a platform colour value; 0 means "not set".
    int32_t SplitterColour() const { return m_colour; }
    void SetSplitterColour(int32_t colour);
    float SplitterMinPos() const { return m_minPos; }
    void SetSplitterMinPos(float twips);

    // The stored fraction of the free length given to the first pane.
    float Fraction() const { return m_fraction; }
    // The bar control.
    QWidget* SplitterBar() const { return m_bar; }

    // A layout pass (also run on every resize).
    void LayoutPass();

    // Stored layout data: "Orientation", "SplitPercent" and "SplitterWidth",
    // absent keys taking 0, 50 and 80.
    void ReadProperties(const QVariantMap& stored);
    QVariantMap WriteProperties() const;

signals:
    void Resize();
    // A property the container would save changed.
    void PropertyChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SplitterGeometry Geometry() const;
    void UpdateBarPointer();
    void BarPressed();
    void BarMoved(const QPointF& posInBar, Qt::MouseButtons buttons);
    void BarReleased();

    bool m_stacked = false;
    QPointer<QWidget> m_child1, m_child2;
    float m_fraction = 0.5f;
    uint8_t m_barThickness = 50;
    int32_t m_colour = 0;
    float m_minPos = 0;
    bool m_held = false;
    QWidget* m_bar = nullptr;
};
