#include "scanning/ui/WindowServices.h"

#include "foundation/ui/QtDialogs.h"

namespace {
FolderBrowser& Browser() {
    static FolderBrowser browser;
    return browser;
}
PlaylistFileReader& Reader() {
    static PlaylistFileReader reader;
    return reader;
}
}  // namespace

QString BrowseForFolder(QWidget* owner, const QString& prompt) {
    if (Browser()) return Browser()(owner, prompt);
    QString folder = ChooseFolder(owner, prompt);
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) folder.chop(1);
    return folder;
}

void SetFolderBrowser(FolderBrowser browser) { Browser() = std::move(browser); }

void SetPlaylistFileReader(PlaylistFileReader reader) { Reader() = std::move(reader); }

int32_t ReadPlaylistEntries(const QString& path, QStringList& entryPaths) {
    entryPaths.clear();
    if (!Reader()) return kNotAPlaylist;
    return Reader()(path, entryPaths);
}
