#pragma once
// Watches a shown top-level widget for what happens when Qt re-creates its
// native window: the widget is hidden (and shown again), its native window
// destroyed.  Either loses what was set on the native window (its role, its
// place in the stacking order).

#include <QEvent>
#include <QPlatformSurfaceEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

class NativeWindowWatch final : public QObject {
public:
    explicit NativeWindowWatch(QWidget* widget) : m_widget(widget), m_window(widget->windowHandle()) {
        widget->installEventFilter(this);
        if (m_window) m_window->installEventFilter(this);
    }
    ~NativeWindowWatch() override {
        if (m_widget) m_widget->removeEventFilter(this);
        if (m_window) m_window->removeEventFilter(this);
    }
    // Times the widget was hidden or its native window destroyed.
    int interruptions = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_widget && event->type() == QEvent::Hide) ++interruptions;
        if (watched == m_window && event->type() == QEvent::PlatformSurface &&
            static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
                QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed)
            ++interruptions;
        return false;
    }

private:
    QPointer<QWidget> m_widget;
    QPointer<QWindow> m_window;
};
