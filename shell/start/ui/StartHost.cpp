#include "shell/start/ui/StartHost.h"

#include "foundation/Errors.h"
#include "foundation/Genres.h"
#include "foundation/ListFiles.h"
#include "foundation/ReadOptions.h"
#include "foundation/Twips.h"
#include "foundation/WindowProtocol.h"
#include "shell/ui/Splash.h"

#include <QAbstractItemView>
#include <QWidget>
#include <utility>

namespace {
std::function<void()>& TagLibraryStarter() {
    static std::function<void()> starter;
    return starter;
}
std::function<void()>& MainOptionsReader() {
    static std::function<void()> reader;
    return reader;
}
}  // namespace

void SetMainOptionsReader(std::function<void()> reader) { MainOptionsReader() = std::move(reader); }

void SetTagLibraryStarter(std::function<void()> starter) { TagLibraryStarter() = std::move(starter); }

void StartHost::InitialiseQuillmarkClass() {
    if (TagLibraryStarter()) TagLibraryStarter()();
}

void StartHost::InitialiseArrays() { ::InitialiseArrays(); }

void StartHost::GetMainOptions() {
    if (MainOptionsReader()) MainOptionsReader()();
}

void StartHost::InitialiseTwipsPerPixel() { ::InitialiseTwipsPerPixel(); }

void StartHost::ShowSplashScreen() { ::ShowSplashScreen(); }

void StartHost::ShowWindow(const QString& name) {
    if (!WindowRegistry::Show(name)) RaiseError(ErrNo::ObjectNotSet, QStringLiteral("Sonivard"),
                                                QStringLiteral("The window %1 cannot be created").arg(name));
}

void StartHost::BringToFront(const QString& name) {
    auto* window = dynamic_cast<QWidget*>(WindowRegistry::Find(name));
    if (!window) RaiseError(ErrNo::ObjectNotSet);
    window->raise();
    window->activateWindow();
}

void StartHost::LoadListFile(const QString& windowName, const QString& listName, const QString& path,
                             const QString& message) {
    // Naming a window's list loads the window.
    if (!WindowRegistry::Load(windowName)) RaiseError(ErrNo::ObjectNotSet);
    OpenListFile(windowName, listName, path, message);
}

void StartHost::LoadPlaylist(const QString& path) {
    if (!WindowRegistry::Load(WindowNames::PlaylistManager)) RaiseError(ErrNo::ObjectNotSet);
    OpenPlaylist(path);
}

// ---- the modules these reach -------------------------------------------------

void OpenListFile(const QString& windowName, const QString& listName, const QString& path, const QString& message) {
    auto* window = dynamic_cast<QWidget*>(WindowRegistry::Find(windowName));
    if (!window) RaiseError(ErrNo::ObjectNotSet);
    auto* list = window->findChild<QAbstractItemView*>(listName);
    if (!list || !list->model()) RaiseError(ErrNo::MemberNotFound);
    if (auto* rows = dynamic_cast<IListFileModel*>(list->model())) {
        LoadTextFileToListView(*rows, path, message);
        return;
    }
    ItemModelListFile rows(*list->model(), listName);
    LoadTextFileToListView(rows, path, message);
}

// The Playlist Manager's LoadPlaylist, reached by name: the shell knows no
// subsystem's window class.
void OpenPlaylist(const QString& path) {
    auto* window = dynamic_cast<QObject*>(WindowRegistry::Find(WindowNames::PlaylistManager));
    if (!window) RaiseError(ErrNo::ObjectNotSet);
    if (!QMetaObject::invokeMethod(window, "LoadPlaylist", Qt::DirectConnection, Q_ARG(QString, path)))
        RaiseError(ErrNo::MemberNotFound);
}
