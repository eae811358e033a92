#pragma once
// A tool window for tests: the skinned window's label row and shared menus,
// File items by name, an edit control, and a log of every protocol member
// that shared code calls on it.

#include "foundation/Errors.h"
#include "foundation/WindowProtocol.h"
#include "shell/edit/ui/EditCommands.h"
#include "shell/menus/ui/KeyRouter.h"
#include "shell/ui/SkinnedWindow.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QStringList>

class FakeToolWindow : public SkinnedJobWindow,
                       public IMenuHost,
                       public IFileOpenHost,
                       public IFileSaveHost,
                       public IKeyHost {
public:
    struct Options {
        bool menuBar = true;
        bool fileOpen = true;
        bool fileSave = true;
        QString tag = QStringLiteral("Skinnable");
    };
    FakeToolWindow(const QString& name, Options options) : SkinnedJobWindow(name, Features{options.menuBar, true}) {
        SetFormTag(options.tag);
        if (options.menuBar) {
            auto* file = new QMenu(this);
            if (options.fileOpen) AddFileItem(file, "mnuFileOpen");
            if (options.fileSave) AddFileItem(file, "mnuFileSave");
            AddFileItem(file, "mnuFileExit");
            SetLabelMenuPopup(0, file);
        }
    }
    explicit FakeToolWindow(const QString& name) : FakeToolWindow(name, Options{}) {}

    QStringList log;
    QWidget* edit = nullptr;
    int helpTopic = 1;

    void LabelMenu_Click(int Index) override { log << QStringLiteral("LabelMenu_Click %1").arg(Index); }
    void mnuEdit_Click(int Index) override {
        log << QStringLiteral("mnuEdit_Click %1").arg(Index);
        EditMenuItemSelect(Index, edit);
    }
    void mnuFileExit_Click() override { log << QStringLiteral("mnuFileExit_Click"); }
    void mnuFileOpen_Click() override { log << QStringLiteral("mnuFileOpen_Click"); }
    void mnuFileSave_Click() override { log << QStringLiteral("mnuFileSave_Click"); }
    void EnableControls(bool) override {}
    int HelpTopic() const override { return helpTopic; }
    void ProcessShortcutKeys(int keyCode, int shift) override {
        log << QStringLiteral("ProcessShortcutKeys %1 %2").arg(keyCode).arg(shift);
    }
    QWidget* EditControl() const override { return edit; }

    QAction* FileItem(const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); }

private:
    void AddFileItem(QMenu* menu, const char* name) {
        QAction* action = menu->addAction(QString::fromLatin1(name));
        action->setObjectName(QString::fromLatin1(name));
    }
};

// Sends a key press or release to where the window system would deliver it:
// the window's focus control, else the window.
inline void SendKey(QWidget* window, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QKeyEvent event(type, key, modifiers);
    QApplication::sendEvent(target, &event);
}
inline void PressRelease(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
    SendKey(window, QEvent::KeyPress, key, modifiers);
    SendKey(window, QEvent::KeyRelease, key, modifiers);
}
