#include "foundation/WindowProtocol.h"

#include <QHash>
#include <QScopeGuard>
#include <QStringList>
#include <algorithm>

IToolWindow::~IToolWindow() { WindowRegistry::Unregister(this); }
ILongJobHost::~ILongJobHost() = default;
IScanResultsHost::~IScanResultsHost() = default;
IDialogTextHost::~IDialogTextHost() = default;
ICommonControlsHost::~ICommonControlsHost() = default;
ISkinHost::~ISkinHost() = default;
IMenuHost::~IMenuHost() = default;
IFileOpenHost::~IFileOpenHost() = default;
IFileSaveHost::~IFileSaveHost() = default;

namespace {
std::vector<IToolWindow*>& LoadedList() {
    static std::vector<IToolWindow*> windows;
    return windows;
}
QHash<QString, WindowRegistry::Factory>& Factories() {
    static QHash<QString, WindowRegistry::Factory> factories;
    return factories;
}
// The windows LoadHidden is creating.
QStringList& HiddenLoads() {
    static QStringList names;
    return names;
}
}  // namespace

namespace WindowRegistry {

void Register(IToolWindow* window) {
    if (!window) return;
    auto& list = LoadedList();
    if (std::find(list.begin(), list.end(), window) == list.end()) list.push_back(window);
}

void Unregister(IToolWindow* window) {
    auto& list = LoadedList();
    list.erase(std::remove(list.begin(), list.end(), window), list.end());
}

std::vector<IToolWindow*> Loaded() { return LoadedList(); }

IToolWindow* Find(const QString& name) {
    for (IToolWindow* window : LoadedList())
        if (window->Name() == name) return window;
    return nullptr;
}

void SetFactory(const QString& name, Factory factory) {
    if (factory)
        Factories().insert(name, std::move(factory));
    else
        Factories().remove(name);
}

bool HasFactory(const QString& name) { return Factories().contains(name); }

IToolWindow* Load(const QString& name) {
    if (IToolWindow* window = Find(name)) return window;
    auto it = Factories().constFind(name);
    if (it == Factories().constEnd()) return nullptr;
    IToolWindow* window = (*it)();
    Register(window);
    return window;
}

IToolWindow* Show(const QString& name) {
    IToolWindow* window = Load(name);
    if (window) window->ShowWindow();
    return window;
}

IToolWindow* LoadHidden(const QString& name) {
    if (IToolWindow* window = Find(name)) return window;
    HiddenLoads().append(name);
    const auto loaded = qScopeGuard([&] { HiddenLoads().removeOne(name); });
    return Load(name);
}

bool LoadingHidden(const QString& name) { return HiddenLoads().contains(name); }

}  // namespace WindowRegistry
