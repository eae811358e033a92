#include "shell/ui/SkinnedToolWindow.h"

#include "foundation/Errors.h"
#include "foundation/LongJob.h"
#include "foundation/ToolWindows.h"
#include "foundation/Twips.h"

#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>

SkinnedToolWindow::SkinnedToolWindow(const QString& name, Features features, QWidget* parent)
    : SkinnedJobWindow(name, features, parent) {
    setWindowRole(objectName());
}

int SkinnedToolWindow::HelpTopic() const { return ToolWindow(objectName()).helpTopic; }

void SkinnedToolWindow::LoadToolWindow(const Shape& shape) {
    BuildControls();
    BuildMenus();
    SetMinimumSizeTwips(shape.minHeight, shape.minWidth);
    if (shape.builtWidth > 0 && shape.builtHeight > 0) {
        const int width = TwipsToPixelsX(shape.builtWidth);
        const int height = TwipsToPixelsY(shape.builtHeight);
        if (shape.fixedSize) setFixedSize(width, height);
        else resize(width, height);
    }
    PrepareLoad();
    // Texts, position, skin and cursor (this shows the window).
    LoadWindow(shape.coreTool);
}

void SkinnedToolWindow::SetEditControl(QWidget* control) {
    m_editControl = control;
    control->installEventFilter(this);
}

void SkinnedToolWindow::QueryUnload(bool& cancel) {
    if (!WindowMayClose(this)) cancel = true;
}

void SkinnedToolWindow::FormUnload() {
    if (m_unloaded) return;
    m_unloaded = true;
    StopBeforeUnload();
    ResumeNext([&] { WriteWindowPos(this); });
    ResumeNext([&] { WriteSettings(); });
    UnloadOwn();
}

bool SkinnedToolWindow::eventFilter(QObject* watched, QEvent* event) {
    if (m_editControl && watched == m_editControl && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::SelectAll) || key->matches(QKeySequence::Copy)) return true;
    }
    return SkinnedJobWindow::eventFilter(watched, event);
}
