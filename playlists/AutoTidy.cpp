#include "playlists/AutoTidy.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/JobHost.h"
#include "foundation/ResourceStrings.h"

AutoTidyReport AutoTidyPlaylist(PlaylistEntries& entries, const QString& playlistFile, JobHost& job,
                                const AutoTidyServices& services) {
    return WithTrail(CallSite(QStringLiteral("AutoTidyPlaylist"), playlistFile), [&] {
        AutoTidyReport report;
        const size_t total = entries.size();
        const QString workingWith = GetResourceString(TextId::Common::WorkingWith);
        std::vector<size_t> removed;
        bool asked = false;
        QString start;
        YieldClock clock(job.YieldIntervalMs());
        for (size_t visited = 0; visited < total; ++visited) {
            const size_t i = total - 1 - visited;
            PlaylistEntryInfo& entry = entries[i];
            if (clock.due()) {
                job.ShowProgress(int64_t(visited), int64_t(total));
                job.ShowStatus(workingWith + GetFullPathOfFileInPlaylist(playlistFile, entry.FileName));
                job.Yield();
            }
            if (job.mblnStopAll) {
                report.stopped = true;
                break;
            }
            if (!FileInPlaylistExists(playlistFile, entry.FileName)) {
                if (!asked) {
                    asked = true;
                    if (services.askStartFolder) start = services.askStartFolder();
                }
                const QString name = FileNamePart(entry.FileName);
                const QString folder =
                    start.isEmpty() || !services.findFile ? QString() : services.findFile(start, name);
                // A search cut short by Stop found nothing: the entry stays.
                if (job.mblnStopAll) {
                    report.stopped = true;
                    break;
                }
                if (folder.isEmpty()) {
                    report.unfound.push_back({entry.Title, entry.FileName});
                    removed.push_back(i);
                    continue;
                }
                report.found.push_back({entry.Title, name, folder});
                entry.FileName = JoinPath(folder, name);
            }
            SyncTitleWithID3(entries, i, true, playlistFile);
        }
        job.ShowProgress(int64_t(total), int64_t(total));
        RemovePlaylistEntries(entries, removed);
        return report;
    });
}
