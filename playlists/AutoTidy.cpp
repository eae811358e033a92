#include "playlists/AutoTidy.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/JobHost.h"
#include "foundation/ResourceStrings.h"
#include "playlists/TitleReading.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/tagobject/QuillmarkLoader.h"

#include <algorithm>
#include <memory>

namespace {
// Readers for the entries' files, in visiting order, each with a tag object
// of its own; none for a short list or when there is no tag library (the
// entries are then read one by one, which shows why a read fails), and none
// for a list longer than the readers take.
std::unique_ptr<TitleReadAhead> StartReaders(const PlaylistEntries& entries, const QString& playlistFile,
                                             std::vector<ID3v2TagObject>& tagObjects) {
    if (entries.size() < 2 || entries.size() > TitleReadAhead::kMaxPaths || !gobjID3v2Tag.isSet()) return nullptr;
    const int readers = TitleReadAhead::ReadersFor(ParentFolder(
        GetFullPathOfFileInPlaylist(playlistFile, entries.back().FileName)));
    if (readers < 2) return nullptr;
    try {
        while (int(tagObjects.size()) < readers) tagObjects.push_back(CreateQuillmarkTagObject());
    } catch (...) {
        return nullptr;
    }
    std::vector<QString> paths;
    paths.reserve(entries.size());
    for (size_t i = entries.size(); i-- > 0;) paths.push_back(GetFullPathOfFileInPlaylist(playlistFile, entries[i].FileName));
    return std::make_unique<TitleReadAhead>(std::move(paths), std::span(tagObjects));
}

// The name a missing entry's file is searched for by: the part after the
// last "\" or "/", since playlists written on other systems separate their
// folders with backslashes ("sub\b.mp3").
QString SearchedName(const QString& fileName) {
    const qsizetype separator =
        std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    return fileName.mid(separator + 1);
}
}  // namespace

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
        std::vector<ID3v2TagObject> tagObjects;
        std::unique_ptr<TitleReadAhead> ahead = StartReaders(entries, playlistFile, tagObjects);
        auto yieldAt = [&](size_t visited, const PlaylistEntryInfo& entry) {
            job.ShowProgress(int64_t(visited), int64_t(total));
            job.ShowStatus(workingWith + GetFullPathOfFileInPlaylist(playlistFile, entry.FileName));
            job.Yield();
        };
        for (size_t visited = 0; visited < total; ++visited) {
            const size_t i = total - 1 - visited;
            PlaylistEntryInfo& entry = entries[i];
            if (clock.due()) yieldAt(visited, entry);
            if (job.mblnStopAll) {
                report.stopped = true;
                break;
            }
            // The reading of this entry's file, when readers run and it did
            // not fail; else the file is read here.
            const TitleReading* reading = nullptr;
            if (ahead) {
                // The window stays alive while a slow disk delivers the file.
                while (!(reading = ahead->take(visited, std::max(1, job.YieldIntervalMs())))) {
                    if (clock.due()) yieldAt(visited, entry);
                    if (job.mblnStopAll) break;
                }
                if (!reading) {
                    report.stopped = true;
                    break;
                }
                if (reading->outcome == TitleReading::Outcome::Failed) reading = nullptr;
            }
            const bool exists = reading ? reading->outcome != TitleReading::Outcome::Missing
                                        : FileInPlaylistExists(playlistFile, entry.FileName);
            if (!exists) {
                if (!asked) {
                    asked = true;
                    if (services.askStartFolder) start = services.askStartFolder();
                }
                const QString name = SearchedName(entry.FileName);
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
                reading = nullptr;  // the entry names another file now
            }
            if (!reading) {
                SyncTitleWithID3(entries, i, true, playlistFile);
            } else if (reading->outcome == TitleReading::Outcome::Titled) {
                entry.Title = reading->title;
            } else {
                entry.Title = BaseNamePart(GetFullPathOfFileInPlaylist(playlistFile, entry.FileName));
            }
        }
        // Reads in flight past a stop are dropped with the readers.
        ahead.reset();
        job.ShowProgress(int64_t(total), int64_t(total));
        RemovePlaylistEntries(entries, removed);
        return report;
    });
}
