#include "shell/menus/ui/Menus.h"

#include "foundation/Dialogs.h"
#include "foundation/Errors.h"
#include "foundation/SharedServices.h"
#include "foundation/WindowProtocol.h"
#include "shell/edit/ui/EditCommands.h"
#include "shell/menus/HelpLink.h"
#include "shell/menus/KeyboardState.h"
#include "shell/menus/MusicPlayer.h"
#include "shell/menus/ui/OptionDialogs.h"
#include "shell/ui/About.h"
#include "shell/ui/LabelMenuMarks.h"
#include "shell/ui/SkinnedWindow.h"

#include <QAction>
#include <QMenu>

namespace {

QString NameOf(const IToolWindow* window) { return window ? window->Name() : QString(); }
QString NameOf(const QWidget* control) { return control ? control->objectName() : QString(); }

QWidget* WidgetOf(IToolWindow* window) { return dynamic_cast<QWidget*>(window); }

SkinnedWindow& Skinned(IToolWindow* window) {
    if (!window) RaiseError(ErrNo::ObjectNotSet);
    auto* skinned = dynamic_cast<SkinnedWindow*>(window);
    if (!skinned) RaiseError(ErrNo::MemberNotFound);
    return *skinned;
}

// LabelMenu(index) of a window, or null when the window has no such label
// (no label row at all, or no element of that number).
QWidget* LabelMenuOf(IToolWindow* window, int index) {
    auto* skinned = dynamic_cast<SkinnedWindow*>(window);
    if (!skinned || index < 0 || index > 4) return nullptr;
    return skinned->LabelMenu[static_cast<size_t>(index)];
}

bool LabelEnabled(IToolWindow* window, int index) {
    QWidget* label = LabelMenuOf(window, index);
    return label && label->isEnabled();
}

QAction* FileItem(IToolWindow* window, const char* name) {
    QWidget* widget = WidgetOf(window);
    return widget ? widget->findChild<QAction*>(QString::fromLatin1(name)) : nullptr;
}

}  // namespace

QString ToolWindowForItem(int item) {
    switch (item) {
    case ToolsItem::ScanningCentre: return WindowNames::ScanningCentre;
    case ToolsItem::Coordinator: return WindowNames::Coordinator;
    case ToolsItem::Cataloguer: return WindowNames::MusicCataloguer;
    case ToolsItem::DuplicateFinder: return WindowNames::DuplicateFinder;
    case ToolsItem::PlaylistManager: return WindowNames::PlaylistManager;
    case ToolsItem::EncoderDecoder: return WindowNames::EncoderDecoder;
    default: return {};
    }
}

void EnableMenus(IToolWindow* window, bool flag) {
    WithTrail(CallSite(QStringLiteral("EnableMenus"), NameOf(window), flag), [&] {
        SkinnedWindow& w = Skinned(window);
        if (!w.LabelMenu[0] && !w.LabelMenu[1] && !w.LabelMenu[3]) RaiseError(ErrNo::MemberNotFound);
        for (const int i : {0, 1, 3})
            if (QWidget* label = w.LabelMenu[static_cast<size_t>(i)]) label->setEnabled(flag);
    });
}

void ToolsMenuRootSelect(IToolWindow* window) {
    WithTrail(CallSite(QStringLiteral("ToolsMenuRootSelect"), NameOf(window)), [&] {
        SkinnedWindow& w = Skinned(window);
        auto setItems = [&](bool enabled) {
            for (const int i : {ToolsItem::Options, ToolsItem::Preferences}) {
                QAction* action = w.mnuTools[static_cast<size_t>(i)];
                if (!action) RaiseError(ErrNo::MemberNotFound);
                action->setEnabled(enabled);
            }
        };
        for (IToolWindow* loaded : WindowRegistry::Loaded()) {
            const auto* host = dynamic_cast<const ILongJobHost*>(loaded);
            if (!host) continue;  // no job members: passed over
            if (host->mblnProcessRunning) {
                setItems(false);
                return;
            }
            setItems(true);
        }
    });
}

void ToolsMenuItemSelect(int item, int page) {
    WithTrail(CallSite(QStringLiteral("ToolsMenuItemSelect"), item, page), [&] {
        switch (item) {
        case ToolsItem::ScanningCentre:
        case ToolsItem::Coordinator:
        case ToolsItem::Cataloguer:
        case ToolsItem::DuplicateFinder:
        case ToolsItem::PlaylistManager:
        case ToolsItem::EncoderDecoder:
            if (!WindowRegistry::Show(ToolWindowForItem(item))) RaiseError(ErrNo::ObjectNotSet);
            break;
        case ToolsItem::MusicPlayer: {
            // The main window's file dialog.
            QWidget* main = WidgetOf(WindowRegistry::Find(WindowNames::ScanningCentre));
            CommonDialog dialog(main, QStringLiteral("CommonDialogFile"));
            StartMusicPlayer(dialog);
            break;
        }
        case ToolsItem::Options:
            if (page == kEncoderDecoderOptionsPage)
                ShowEncoderDecoderOptions();
            else
                ShowOptionsTab(page);
            break;
        case ToolsItem::Preferences: ShowOptionsTab(5); break;
        default: break;
        }
    });
}

void HelpMenuItemSelect(int item) {
    WithTrail(CallSite(QStringLiteral("HelpMenuItemSelect"), item), [&] {
        switch (item) {
        case HelpItem::Contents: ShowHelpTopic(0, KeyCode::F1); break;
        case HelpItem::WebSite: OpenWebBrowser(kMakerHomePage); break;
        case HelpItem::About: ShowAboutWindow(); break;
        default: break;
        }
    });
}

void KeyEventStart(IToolWindow* window) {
    WithTrail(CallSite(QStringLiteral("KeyEventStart"), NameOf(window)), [&] {
        if (!window) RaiseError(ErrNo::ObjectNotSet);
        if (KeyWait().Begin(window->Name())) SetAccessKeysHidden(WidgetOf(window), true);
    });
}

void KeyEventEnd(IToolWindow* window, int keyCode, int shift, QWidget* control) {
    bool pending = false;
    ResumeNext([&] { pending = KeyWait().End(); });
    const QString keyDownForm = KeyWait().KeyDownForm();
    for (IToolWindow* loaded : WindowRegistry::Loaded()) {
        if (loaded->Name() != keyDownForm) continue;
        if (loaded->Tag() == QLatin1String("Skinnable")) ResumeNext([&] { MenuKeyEvent(loaded, keyCode, shift); });
        if (pending) ResumeNext([&] { RestoreMnemonics(loaded); });
    }
    ResumeNext([&] { EditMenuKeyEvent(window, keyCode, shift, control); });
    ResumeNext([&] { FileMenuKeyEvent(window, keyCode, shift); });
}

void MenuKeyEvent(IToolWindow* window, int keyCode, int shift) {
    WithTrail(CallSite(QStringLiteral("MenuKeyEvent"), NameOf(window), keyCode, shift), [&] {
        if (!(shift & ShiftBit::Alt)) return;
        const int label = MenuLabelForKey(keyCode);
        if (label < 0 || !LabelEnabled(window, label)) return;
        if (auto* host = dynamic_cast<IMenuHost*>(window)) host->LabelMenu_Click(label);
    });
}

void EditMenuKeyEvent(IToolWindow* window, int keyCode, int shift, QWidget* control) {
    WithTrail(CallSite(QStringLiteral("EditMenuKeyEvent"), NameOf(window), keyCode, shift, NameOf(control)), [&] {
        if (!LabelEnabled(window, 1)) return;
        auto* skinned = dynamic_cast<SkinnedWindow*>(window);
        auto* host = dynamic_cast<IMenuHost*>(window);
        if (!skinned || !host || !skinned->mnuEditRoot) return;
        // A text box has already acted on the key when it went down; acting
        // again here would paste twice or delete two characters.
        if (HandlesEditKeysItself(control)) return;
        EditMenuRootSelect(skinned, control, skinned->mnuEdit);
        auto enabled = [&](int item) {
            QAction* action = skinned->mnuEdit[static_cast<size_t>(item)];
            return action && action->isEnabled();
        };
        if (keyCode == KeyCode::Delete && enabled(EditItem::Delete)) host->mnuEdit_Click(EditItem::Delete);
        if (shift & ShiftBit::Ctrl) {
            const int item = EditItemForCtrlKey(keyCode);
            if (item >= 0 && enabled(item)) host->mnuEdit_Click(item);
        }
    });
}

void FileMenuKeyEvent(IToolWindow* window, int keyCode, int shift) {
    WithTrail(CallSite(QStringLiteral("FileMenuKeyEvent"), NameOf(window), keyCode, shift), [&] {
        if (!(shift & ShiftBit::Ctrl) || !LabelEnabled(window, 0)) return;
        auto enabled = [&](const char* name) {
            const QAction* action = FileItem(window, name);
            return action && action->isEnabled();
        };
        switch (FileCommandForCtrlKey(keyCode)) {
        case FileCommand::Open:
            if (auto* host = dynamic_cast<IFileOpenHost*>(window); host && enabled("mnuFileOpen"))
                host->mnuFileOpen_Click();
            break;
        case FileCommand::Save:
            if (auto* host = dynamic_cast<IFileSaveHost*>(window); host && enabled("mnuFileSave"))
                host->mnuFileSave_Click();
            break;
        case FileCommand::Exit:
            if (auto* host = dynamic_cast<IMenuHost*>(window); host && enabled("mnuFileExit"))
                host->mnuFileExit_Click();
            break;
        case FileCommand::None: break;
        }
    });
}

void RestoreMnemonics(IToolWindow* window) {
    WithTrail(CallSite(QStringLiteral("RestoreMnemonics"), NameOf(window)), [&] {
        if (!window) RaiseError(ErrNo::ObjectNotSet);
        SetAccessKeysHidden(WidgetOf(window), false);
    });
}

void CancelKeyWait() {
    if (!KeyWait().End()) return;
    if (IToolWindow* window = WindowRegistry::Find(KeyWait().KeyDownForm())) ResumeNext([&] { RestoreMnemonics(window); });
}

void ConnectSharedMenus(SkinnedWindow* window, std::function<int()> optionsPage) {
    if (!window) return;
    for (int i = 0; i < static_cast<int>(window->mnuTools.size()); ++i) {
        QAction* action = window->mnuTools[static_cast<size_t>(i)];
        if (!action || action->isSeparator()) continue;
        QObject::connect(action, &QAction::triggered, window, [i, optionsPage] {
            ResumeNext([&] { ToolsMenuItemSelect(i, optionsPage ? optionsPage() : -1); });
        });
    }
    // Help item 1 has neither a caption nor a command: it is not shown.
    if (QAction* unused = window->mnuHelp[1]) unused->setVisible(false);
    for (int i = 0; i < static_cast<int>(window->mnuHelp.size()); ++i) {
        QAction* action = window->mnuHelp[static_cast<size_t>(i)];
        if (!action || action->isSeparator()) continue;
        QObject::connect(action, &QAction::triggered, window, [i] { ResumeNext([&] { HelpMenuItemSelect(i); }); });
    }
    for (int i = 0; i < static_cast<int>(window->mnuEdit.size()); ++i) {
        QAction* action = window->mnuEdit[static_cast<size_t>(i)];
        if (!action || action->isSeparator()) continue;
        QObject::connect(action, &QAction::triggered, window, [window, i] {
            ResumeNext([&] {
                if (auto* host = dynamic_cast<IMenuHost*>(window)) host->mnuEdit_Click(i);
            });
        });
    }
}

void LabelMenuClick(SkinnedWindow* window, int index, QWidget* editControl,
                    const std::function<void()>& actionsRootSelect, const std::function<void()>& toolsRootSelect) {
    if (!window || index < 0 || index > 4) return;
    if (index == 3 && !actionsRootSelect) return;
    if (index == 1) ResumeNext([&] { EditMenuRootSelect(window, editControl, window->mnuEdit); });
    if (index == 2) {
        ResumeNext([&] { ToolsMenuRootSelect(window); });
        if (toolsRootSelect) ResumeNext(toolsRootSelect);
    }
    if (index == 3) ResumeNext(actionsRootSelect);
    ResumeNext([&] { window->PopupLabelMenu(index); });
}

void FileExitClick(IToolWindow* window) {
    if (window) ResumeNext([&] { window->UnloadWindow(); });
}
