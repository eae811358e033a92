#pragma once
// The life cycle every tool window shares.  A tool derives from this base
// and states only what is its own: its controls and menus (BuildControls,
// BuildMenus), its shape, the steps of its load after LoadToolWindow, its
// Alt keys, its settings record (ReadSettings, WriteSettings) and the unload
// steps of its own (StopBeforeUnload, UnloadOwn).
//
// The base promises, for every tool alike:
// - the window's role is its name;
// - LoadToolWindow builds the controls and menus, holds the minimum size,
//   gives the window its built size (fixed where the shape says so) and
//   loads it (texts, position, skin and cursor: this shows the window);
// - the window does not close while one of its jobs runs (WindowMayClose);
// - the first unload stores the window's place, then its settings, then
//   runs the window's own steps; a second unload does nothing;
// - F1 opens the window's own help topic (its row in foundation/ToolWindows);
// - the edit control (SetEditControl) is what the Edit menu and the Edit
//   keys serve, and its own select-all and copy keys do nothing, since the
//   Edit keys act at key-up and must act once.

#include "shell/menus/ui/KeyRouter.h"
#include "shell/ui/SkinnedWindow.h"

#include <QPointer>

class SkinnedToolWindow : public SkinnedJobWindow, public IKeyHost {
    Q_OBJECT
public:
    // ---- IKeyHost ----
    int HelpTopic() const override;
    QWidget* EditControl() const override { return m_editControl; }

protected:
    // The window named `name`, its role set to its name.
    SkinnedToolWindow(const QString& name, Features features, QWidget* parent);
    SkinnedToolWindow(const QString& name, QWidget* parent) : SkinnedToolWindow(name, Features{}, parent) {}

    // The window as built, in twips.  A built size of 0 leaves the size as it
    // is; `fixedSize` makes the built size the only one.
    struct Shape {
        double minHeight = 0, minWidth = 0;
        double builtWidth = 0, builtHeight = 0;
        bool fixedSize = false;
        // LoadWindow's argument: a core tool of the launcher bar.
        bool coreTool = true;
    };
    // The load prologue, called once from the tool's constructor.
    void LoadToolWindow(const Shape& shape);
    // The window's controls and menus (called by LoadToolWindow).
    virtual void BuildControls() = 0;
    virtual void BuildMenus() {}
    // Runs after the sizing, just before LoadWindow.
    virtual void PrepareLoad() {}

    // Makes `control` the edit control and filters its events (after the
    // window's filters already on it, before those installed later).
    void SetEditControl(QWidget* control);

    // The unload-query handler: refuses while a job of the window runs.
    void QueryUnload(bool& cancel) override;
    // The unload handler: the first call stops the window's own work, stores
    // the place and the settings and runs the window's own unload steps.
    void FormUnload() override;
    // Whether the window has unloaded.
    bool Unloaded() const { return m_unloaded; }
    // Runs first at unload, before the place and settings are stored.
    virtual void StopBeforeUnload() {}
    // The window's settings record through its settings pair: the window
    // reads it where its load needs it; the unload writes it.  None here.
    virtual void ReadSettings() {}
    virtual void WriteSettings() {}
    // The window's own unload steps, after its settings are stored.
    virtual void UnloadOwn() {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_editControl;
    bool m_unloaded = false;
};
