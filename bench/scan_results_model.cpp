// Results list at collection scale: fills 100,000 rows of typical texts,
// prints the memory they take and how long appending and sorting take.
// Run by hand: build/bin/scan_results_model [rows]

#include "bench/BenchSupport.h"
#include "scanning/engine/ScanResultsModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? atoi(argv[1]) : 100000;
    const long before = ResidentKiB();

    ScanResultsModel model;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rows; ++i) model.appendRecord(SampleCollectionRecord(i));
    const qint64 appendMs = timer.elapsed();
    const long after = ResidentKiB();
    std::printf("%d rows appended in %lld ms (%.0f rows/s)\n", rows, appendMs, rows * 1000.0 / std::max<qint64>(1, appendMs));
    std::printf("resident memory: %.1f MB for the rows (%.0f bytes a row)\n", (after - before) / 1024.0,
                (after - before) * 1024.0 / rows);

    for (int column : {ScanColumn::FileName, ScanColumn::Folder, ScanColumn::ID3v1Title, ScanColumn::Size,
                       ScanColumn::ID3v1Genre, ScanColumn::Accessed}) {
        for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            timer.restart();
            model.sort(column, order);
            std::printf("sort by column %2d %s: %lld ms\n", column, order == Qt::AscendingOrder ? "up  " : "down",
                        timer.elapsed());
        }
    }
    return 0;
}
