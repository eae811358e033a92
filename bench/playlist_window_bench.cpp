// The Playlist Manager with a playlist of 100,000 entries: opening it into
// the shown window (read, list filled with each file looked up, text view
// filled, painted) should take under 2 seconds; Auto-Tidy of it should cost
// at most twice one stat() per entry, measured in the same run.  Auto-Tidy
// is timed on entries whose files are all missing (the folder prompt
// cancelled, so each is looked up once and removed), and on entries whose
// files all exist (each is also re-titled from its tags, which reads the
// file).
//
// Run by hand: QT_QPA_PLATFORM=offscreen build/bin/playlist_window_bench
//
//   playlist_window_bench --screenshot FILE --folder DIR [--no-skins] [--delay MS] [--dialog entry|results]
//       opens a playlist of the MP3 files in DIR (and one missing file) in
//       the window and saves a PNG of it (scripts/screenshot-playlists.sh
//       runs it under Xvfb); with --dialog, of its Playlist Entry or
//       Auto-Tidy Results dialog over it.

#include "bench/BenchSupport.h"
#include "foundation/Errors.h"
#include "foundation/FirstRun.h"
#include "foundation/Genres.h"
#include "foundation/JobHost.h"
#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "foundation/Twips.h"
#include "options/FileAssociations.h"
#include "foundation/MessageUi.h"
#include "playlists/AutoTidy.h"
#include "playlists/PlaylistFiles.h"
#include "playlists/PlaylistModel.h"
#include "playlists/ui/AutoTidyResultsDialog.h"
#include "playlists/ui/PlaylistEntryDialog.h"
#include "playlists/ui/PlaylistManager.h"
#include "scanning/engine/ID3v2TagInfo.h"

#include <QApplication>
#include <QLineEdit>
#include <QCommandLineParser>
#include <QDirIterator>
#include <QScreen>
#include <QTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <sys/stat.h>

namespace {

constexpr int kEntries = 100000;

double Seconds(const std::function<void()>& step) {
    QElapsedTimer timer;
    timer.start();
    step();
    return double(timer.nsecsElapsed()) / 1e9;
}

// Answers every box with its default button, silently.
class QuietUi final : public IMessageUi {
public:
    int MsgBox(const QString&, int style, const QString&) override { return DefaultAnswer(style); }
};

PlaylistEntries Entries(const QString& folder) {
    PlaylistEntries entries;
    entries.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i)
        entries.push_back({QStringLiteral("%1/d%2/Artist %3 - Song %4.mp3").arg(folder).arg(i / 1000).arg(i % 97).arg(i),
                           QStringLiteral("Artist %1 - Song %2").arg(i % 97).arg(i), 180000 + i});
    return entries;
}

// The yardstick: one stat() of each entry's path.
double StatEach(const PlaylistEntries& entries) {
    std::vector<QByteArray> paths;
    paths.reserve(entries.size());
    for (const PlaylistEntryInfo& e : entries) paths.push_back(QFile::encodeName(e.FileName));
    return Seconds([&] {
        struct stat st;
        int found = 0;
        for (const QByteArray& p : paths) found += ::stat(p.constData(), &st) == 0;
        if (found < 0) std::printf("?");
    });
}

int RunScreenshot(const QString& folder, const QString& file, int delay, const QString& dialog) {
    // The folder's MP3 files, by name, and one that has gone.
    QStringList files;
    for (QDirIterator it(folder, {QStringLiteral("*.mp3")}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << it.next();
    files.sort();
    PlaylistEntries entries;
    for (const QString& path : files) entries.push_back(PlaylistEntryForFile(path));
    if (entries.size() > 3)
        entries.insert(entries.begin() + 3, {QStringLiteral("/media/old disk/Missing Artist - Lost Song.mp3"),
                                             QStringLiteral("Missing Artist - Lost Song"), 214000});
    QTemporaryDir dir;
    const QString playlist = dir.filePath(QStringLiteral("Party Mix.m3u"));
    SavePlaylistFile(playlist, ConstructM3UPlaylist(entries));

    auto* window = new FormPlaylistManager;
    PlaceForShot(window, {30, 30}, {TwipsToPixelsX(10800), TwipsToPixelsY(6600)});
    window->LoadPlaylist(playlist);
    window->OptionShow_Click(0);
    window->SelectRow(1);
    window->Playlist()->setChecked(0, true);
    window->Playlist()->setChecked(2, true);
    window->raise();
    bool ok = false;
    if (dialog == QLatin1String("entry")) {
        DialogPlaylistEntry entry(*window, 1);
        entry.mplaylistEntry = 0;
        entry.TextTitle->setText(gPlaylistEntries[1].Title);
        entry.TextFile->setText(gPlaylistEntries[1].FileName);
        QTimer::singleShot(delay, &entry, [&] {
            ok = Grab(&entry, file);
            entry.reject();
        });
        entry.exec();
    } else if (dialog == QLatin1String("results")) {
        AutoTidyReport report;
        report.found = {{QStringLiteral("Artist 00 - Gold Moon River"), QStringLiteral("Gold Moon River.mp3"),
                         folder + QStringLiteral("/moved")}};
        report.unfound = {{QStringLiteral("Missing Artist - Lost Song"),
                           QStringLiteral("/media/old disk/Missing Artist - Lost Song.mp3")},
                          {QStringLiteral("Another - Gone"), QStringLiteral("../elsewhere/Another - Gone.mp3")}};
        DialogAutoTidyResults results(report, window);
        QTimer::singleShot(delay, &results, [&] {
            ok = Grab(&results, file);
            results.reject();
        });
        results.exec();
    } else {
        QTimer::singleShot(delay, window, [&] {
            ok = Grab(window, file);
            QApplication::exit(0);
        });
        QApplication::exec();
    }
    window->mnuFileExit_Click();
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const bool screenshot = [&] {
        for (int i = 1; i < argc; ++i)
            if (qstrcmp(argv[i], "--screenshot") == 0) return true;
        return false;
    }();
    if (!screenshot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sonivard"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("screenshot"), QStringLiteral("Save a PNG and quit."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("folder"), QStringLiteral("Folder of MP3 files for the screenshot."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("no-skins"), QStringLiteral("Plain windows.")});
    parser.addOption({QStringLiteral("dialog"), QStringLiteral("Screenshot of a dialog: entry or results."),
                      QStringLiteral("name")});
    parser.addOption({QStringLiteral("delay"), QStringLiteral("Milliseconds before the screenshot."),
                      QStringLiteral("ms"), QStringLiteral("1500")});
    parser.process(app);
    // Settings go to a scratch folder: the bench never touches the user's.
    QTemporaryDir home;
    UseScratchHome(home.path());
    if (screenshot) {
        StartBenchProgram(!parser.isSet(QStringLiteral("no-skins")));
        return RunScreenshot(parser.value(QStringLiteral("folder")), parser.value(QStringLiteral("screenshot")),
                             parser.value(QStringLiteral("delay")).toInt(), parser.value(QStringLiteral("dialog")));
    }
    QuietUi quiet;
    SetMessageUi(&quiet);
    InitialiseQuillmarkClass();
    QTemporaryDir dir;
    bool ok = true;

    // The files of the "existing" playlist: empty files in 100 folders.
    const QString present = dir.filePath(QStringLiteral("present"));
    const PlaylistEntries existing = Entries(present);
    for (int d = 0; d < kEntries / 1000; ++d) QDir().mkpath(QStringLiteral("%1/d%2").arg(present).arg(d));
    for (const PlaylistEntryInfo& e : existing) QFile(e.FileName).open(QIODevice::WriteOnly);
    const PlaylistEntries missing = Entries(dir.filePath(QStringLiteral("absent")));
    const QString playlist = dir.filePath(QStringLiteral("big.m3u"));
    SavePlaylistFile(playlist, ConstructM3UPlaylist(existing));

    FormPlaylistManager window;
    window.show();
    QApplication::processEvents();
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        best = std::min(best, Seconds([&] {
                            window.LoadPlaylist(playlist);
                            window.repaint();
                            QApplication::processEvents();
                        }));
    }
    const bool loaded = window.Playlist()->rows() == kEntries;
    std::printf("%d entries\nopen into the window        best %6.3f s  (goal under 2 s)%s\n", kEntries, best,
                loaded ? "" : "  ROWS MISSING");
    ok = ok && loaded && best < 2.0;

    for (const auto& [what, source] : {std::pair{"all files missing", &missing}, std::pair{"all files present", &existing}}) {
        double tidyBest = 1e9, statBest = 1e9;
        for (int run = 0; run < 3; ++run) {
            statBest = std::min(statBest, StatEach(*source));
            PlaylistEntries work = *source;
            JobHost job;
            AutoTidyServices services;
            services.askStartFolder = [] { return QString(); };
            tidyBest = std::min(tidyBest, Seconds([&] { AutoTidyPlaylist(work, playlist, job, services); }));
        }
        const double ratio = tidyBest / statBest;
        std::printf("Auto-Tidy, %-18s best %6.3f s  one stat each %6.3f s  (%.2f x)\n", what, tidyBest, statBest,
                    ratio);
        ok = ok && ratio <= 2.0;
    }
    SetMessageUi(nullptr);
    std::printf("%s\n", ok ? "goals met" : "A GOAL WAS MISSED");
    return ok ? 0 : 2;
}
