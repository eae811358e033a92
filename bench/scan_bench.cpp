// Runs the folder scan over a folder with the default scanning options and
// no window, and prints files per second.
//
// usage: scan_bench FOLDER [--scn FILE] [--rounds N] [--readers N [--window N]]
//        scan_bench --rows N [--from FILE.scn | FOLDER]
//
// The first form scans FOLDER (subfolders included) N times (default 1) and
// prints each round; with --scn it writes the last round's rows as a
// scan-results list file.  --readers and --window set how the scan reads
// ahead (by default as the folder's disk wants it; --readers 1 reads on the
// scan's own thread).  The second form fills the results model with N
// rows, taken from a scan-results file or a scan of FOLDER and repeated, and
// prints the resident memory before and after.

#include "foundation/ListFiles.h"
#include "foundation/OptionRecords.h"
#include "scanning/engine/FolderScan.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/ScanResultsListFile.h"
#include "scanning/engine/ScanResultsModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <cstring>

namespace {

// The scanning options of a first run: every file of the mask, no rules.
const ScanningCentreOptions& DefaultScanOptions() {
    static const ScanningCentreOptions options{true, true, true, true, true, QStringLiteral("*.mp3")};
    return options;
}

// A field of /proc/self/status in kB ("VmRSS", "VmHWM").
long StatusKb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key)) return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}
long ResidentKb() { return StatusKb("VmRSS"); }

int Usage() {
    std::fprintf(stderr,
                 "usage: scan_bench FOLDER [--scn FILE] [--rounds N]\n"
                 "       scan_bench --rows N [--from FILE.scn | FOLDER]\n");
    return 2;
}

int FillRows(long wanted, const QString& from) {
    const long before = ResidentKb();
    ScanResultsModel source;
    if (from.endsWith(QLatin1String(".scn"), Qt::CaseInsensitive)) {
        ScanResultsListFile list(source);
        LoadTextFileToListView(list, from, QStringLiteral("Invalid File"));
    } else {
        JobHost host;
        FolderScan scan(source, host, DefaultScanOptions());
        scan.ScanFolder(from, true);
    }
    if (source.rows() == 0) {
        std::fprintf(stderr, "no rows to repeat\n");
        return 1;
    }
    const long afterSource = ResidentKb();
    // Rows are repeated by their texts, each a fresh copy as a scan or a
    // load would make it.
    ScanResultsModel model;
    std::vector<ScanResultsModel::NewRow> batch;
    for (long i = 0; i < wanted; ++i) {
        ScanResultsModel::NewRow row;
        const int r = static_cast<int>(i % source.rows());
        for (int c = 0; c < kScanColumnCount; ++c)
            row.texts[static_cast<size_t>(c)] = source.text(r, c);
        batch.push_back(std::move(row));
        if (batch.size() == 4096) {
            model.appendRows(std::move(batch));
            batch.clear();
        }
    }
    model.appendRows(std::move(batch));
    const long after = ResidentKb();
    std::printf("source rows %d; VmRSS at start %ld kB, with source %ld kB, with %d rows %ld kB "
                "(peak %ld kB); the rows take %.1f MB\n",
                source.rows(), before, afterSource, model.rows(), after, StatusKb("VmHWM"),
                (after - afterSource) / 1024.0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString folder, scnPath, from;
    long rows = 0;
    int rounds = 1;
    int readers = 0, window = 0;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--scn") && i + 1 < argc) scnPath = QString::fromLocal8Bit(argv[++i]);
        else if (!std::strcmp(argv[i], "--rounds") && i + 1 < argc) rounds = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--rows") && i + 1 < argc) rows = std::atol(argv[++i]);
        else if (!std::strcmp(argv[i], "--readers") && i + 1 < argc) readers = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--window") && i + 1 < argc) window = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--from") && i + 1 < argc) from = QString::fromLocal8Bit(argv[++i]);
        else if (argv[i][0] == '-') return Usage();
        else folder = QString::fromLocal8Bit(argv[i]);
    }
    try {
        InitialiseQuillmarkClass();
    } catch (const SvError& e) {
        std::fprintf(stderr, "tag library: %s\n", qPrintable(e.description()));
        return 1;
    }
    if (rows > 0) return FillRows(rows, from.isEmpty() ? folder : from);
    if (folder.isEmpty() || rounds < 1) return Usage();

    ScanResultsModel model;
    JobHost host;
    FolderScan scan(model, host, DefaultScanOptions());
    if (readers > 0) scan.setReadPlan(readers, window > 0 ? window : readers * 32);
    for (int round = 1; round <= rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        // The Scan button's steps, timed apart: the walk, then the reads.
        scan.InitialiseScan();
        scan.ScanFiles(folder, true);
        const double walked = timer.nsecsElapsed() / 1e9;
        scan.ConcludeScan();
        const double seconds = timer.nsecsElapsed() / 1e9;
        std::printf("round %d: walk %.3f s, reads and rows %.3f s\n", round, walked, seconds - walked);
        std::printf("round %d: %lld files, %d rows in %.3f s: %.0f files/s\n", round,
                    static_cast<long long>(scan.filesProcessed()), model.rows(), seconds,
                    scan.filesProcessed() / (seconds > 0 ? seconds : 1e-9));
    }
    if (!scnPath.isEmpty()) {
        try {
            WriteListFile(ScanResultsListFile(model), scnPath);
        } catch (const SvError& e) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(scnPath), qPrintable(e.description()));
            return 1;
        }
        std::printf("wrote %s\n", qPrintable(scnPath));
    }
    std::printf("VmRSS %ld kB (peak %ld kB)\n", ResidentKb(), StatusKb("VmHWM"));
    return 0;
}
