// The derivation engine at collection scale: derives the simulate rows of
// 100,000 generated results rows with the options of a first run, plus one
// simulate rule of every kind (character and separator, each choice and
// range, with points that keep the names whole so every later step still
// has work), and adds them to the simulate results model.  The yardstick is
// reading, in the same run, the ten cells of every row that the derivation
// reads.
// Run by hand: build/bin/derive_bench [rows]

#include "bench/BenchSupport.h"
#include "coordinator/SimResultsModel.h"
#include "coordinator/SimulateChange.h"
#include "foundation/FirstRun.h"
#include "coordinator/CoordinatorDialogSettings.h"
#include "coordinator/CoordinatorOptionSettings.h"
#include "foundation/ReadOptions.h"
#include "options/FileAssociations.h"
#include "scanning/engine/ScanResultsModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>

namespace {

const char* const kArtists[] = {"the beatles", "ABBA", "Artist Number", "dj shadow feat mc solo", "Björk",
                                "nine_inch_nails", "The Rolling Stones", "rem", "Massive-Attack", "o'connor"};
const char* const kTitles[] = {"return of the king", "Song Title (live)", "an end in the uk", "Good_Times",
                               "what it is of", "Jóga", "Paint It Black", "losing my religion", "Teardrop",
                               "nothing compares 2 u"};
const char* const kAlbums[] = {"Abbey Road", "Gold", "Best Of", "Mezzanine", "Homogenic"};

// A results row of one of several name shapes, some with tags.
ScanRowTexts GeneratedRow(int i) {
    ScanRowTexts cells;
    const QString artist = QString::fromUtf8(kArtists[i % 10]);
    QString title = QString::fromUtf8(kTitles[(i / 10) % 10]);
    if (i % 7 == 0) title += QStringLiteral(" part %1").arg(i % 50);
    const QString album = QString::fromUtf8(kAlbums[(i / 100) % 5]);
    const int track = i % 14 + 1;
    const QString nn = QStringLiteral("%1").arg(track, 2, 10, QLatin1Char('0'));
    QString base;
    switch (i % 6) {
    case 0: base = nn + " - " + artist + " - " + title; break;
    case 1: base = artist + " - " + title; break;
    case 2: base = album + " - " + artist + " - " + title; break;
    case 3: base = nn + ". " + artist + " -- " + title + " [" + album + "]"; break;
    case 4: base = title + " " + QString::number(track); break;
    case 5: base = nn + " - " + album + " - " + artist + " - " + title + " - bonus"; break;
    }
    cells[ScanColumn::FileName] = base + ".mp3";
    cells[ScanColumn::Folder] = QStringLiteral("/home/someone/Music/Folder %1").arg(i / 12);
    if (i % 3 != 0) {
        cells[ScanColumn::ID3v1Title] = title.left(30);
        cells[ScanColumn::ID3v1Artist] = artist.left(30);
        cells[ScanColumn::ID3v1Track] = QString::number(track);
        cells[ScanColumn::ID3v1Album] = album;
    }
    if (i % 2 == 0) {
        cells[ScanColumn::ID3v2Title] = title;
        cells[ScanColumn::ID3v2Artist] = artist;
        cells[ScanColumn::ID3v2Track] = QStringLiteral("%1/14").arg(track);
        cells[ScanColumn::ID3v2Album] = album;
    }
    return cells;
}

std::vector<SimulateRule> EveryRuleKind() {
    std::vector<SimulateRule> rules;
    const auto add = [&](const char* choice, const char* range, int p1, int p2, const char* point) {
        rules.push_back(SimulateRule{choice, range, p1, p2, point});
    };
    add("Only include", "up to", 250, 0, "character");
    add("Only include", "from", 1, 0, "character");
    add("Only include", "between", 1, 250, "character");
    add("Only include", "outside of", 251, 251, "character");
    add("Don't include", "up to", 0, 0, "character");
    add("Don't include", "from", 251, 0, "character");
    add("Don't include", "between", 251, 260, "character");
    add("Don't include", "outside of", 1, 250, "character");
    add("Only include", "up to", 20, 0, "separator");
    add("Only include", "from", 0, 0, "separator");
    add("Only include", "between", 0, 20, "separator");
    add("Only include", "outside of", 20, 30, "separator");
    add("Don't include", "up to", 0, 0, "separator");
    add("Don't include", "from", 20, 0, "separator");
    add("Don't include", "between", 20, 30, "separator");
    add("Don't include", "outside of", 0, 20, "separator");
    rules.push_back(SimulateRule{});  // the empty element after the rules
    return rules;
}


// CPU time of this thread, in nanoseconds: what the derivation costs, whatever
// else the machine runs at the time.
qint64 ThreadCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;

    // The options of a first run, from a settings store of its own.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    SetAssociationRefresher([](const QString&) {});
    InitialiseFirstTimeOptions();
    CoordinatorOptions options;
    CoordinatorAdvOptions adv;
    GetFileNameTagCoordinatorOptions(options);
    GetFileNameTagCoordinatorAdvOptions(adv);
    if (!qEnvironmentVariableIsSet("NORULES")) options.udtSimulateRules = EveryRuleKind();

    ScanResultsModel results;
    {
        std::vector<ScanResultsModel::NewRow> batch;
        batch.reserve(size_t(rows));
        for (int i = 0; i < rows; ++i) batch.push_back({true, GeneratedRow(i)});
        results.appendRows(std::move(batch));
    }
    static const int readColumns[] = {ScanColumn::FileName,    ScanColumn::Folder,      ScanColumn::ID3v1Title,
                                      ScanColumn::ID3v1Artist, ScanColumn::ID3v1Track,  ScanColumn::ID3v1Album,
                                      ScanColumn::ID3v2Title,  ScanColumn::ID3v2Artist, ScanColumn::ID3v2Track,
                                      ScanColumn::ID3v2Album};

    for (int run = 1; run <= 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        qsizetype characters = 0;
        for (int row = 0; row < rows; ++row)
            for (int column : readColumns) characters += results.cellView(row, column).toString().size();
        const qint64 yardstickNs = timer.nsecsElapsed();

        const long residentBefore = ResidentKiB();
        timer.restart();
        const qint64 cpuStart = ThreadCpuNs();
        const NameDeriver deriver(options, adv);
        std::vector<SimRowTexts> derived;
        derived.reserve(size_t(rows));
        int failures = 0;
        std::map<QString, int> actions;
        for (int row = 0; row < rows; ++row) {
            SimulateOutcome out = deriver.simulate(results, row);
            if (!out.ok()) {
                ++failures;
                continue;
            }
            derived.push_back(std::move(out.cells));
        }
        const qint64 deriveNs = timer.nsecsElapsed();
        const qint64 deriveCpuNs = ThreadCpuNs() - cpuStart;
        const long residentGrowth = ResidentKiB() - residentBefore;

        timer.restart();
        SimResultsModel table;
        table.appendDerivedRows(std::move(derived), adv);
        const qint64 appendNs = timer.nsecsElapsed();
        for (int row = 0; row < table.rows(); ++row) ++actions[table.text(row, SimColumn::Action)];

        std::printf("run %d: %d rows derived in %.0f ms (%.0f ms of CPU time, %.0f rows/s), added to the table in "
                    "%.0f ms; yardstick (reading the cells, %lld characters) %.0f ms, ratio %.1f\n",
                    run, rows, deriveNs / 1e6, deriveCpuNs / 1e6, rows / (deriveNs / 1e9), appendNs / 1e6,
                    static_cast<long long>(characters), yardstickNs / 1e6, double(deriveNs) / double(yardstickNs));
        std::printf("       resident memory grew by %.1f MB while deriving\n", residentGrowth / 1024.0);
        if (run == 3) {
            std::printf("failed rows: %d;", failures);
            for (const auto& [action, count] : actions) std::printf(" %s: %d;", qPrintable(action), count);
            std::printf("\nexample: %s -> %s\n", qPrintable(results.text(3, 0)), qPrintable(table.text(3, SimColumn::NewFileName)));
        }
    }
    return 0;
}
