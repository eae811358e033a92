#include "playlists/PlaylistSave.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "playlists/PlaylistFiles.h"

#include <QFileInfo>

PlaylistSaveResult SavePlaylistText(const QString& path, const QString& text, bool useRecycleBin) {
    return WithTrail(CallSite(QStringLiteral("SavePlaylistText"), path), [&] {
        const bool existed = FileExists(path);
        if (existed && !IsWriteable(path, false)) return PlaylistSaveResult::ReadOnly;
        const QByteArray bytes = PlaylistFileBytes(text);
        if (!existed || !useRecycleBin) {
            WriteFileAtomically(path, bytes);
            return PlaylistSaveResult::Saved;
        }
        // The old file is trashed only after the new one is written; the
        // rename then puts the new one in its place.
        AtomicFileWriter file(path);
        file.write(bytes);
        // A link stays; the file it points to is the one replaced.
        const QString target = QFileInfo(path).canonicalFilePath();
        if (!SendFileToRecycleBin(target.isEmpty() ? path : target)) return PlaylistSaveResult::NotRecyclable;
        file.commit();
        return PlaylistSaveResult::Saved;
    });
}
