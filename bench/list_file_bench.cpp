// Scan-results list file of 100,000 rows by 40 columns: times the writer and
// the reader and prints rows per second.

#include "foundation/ListFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {
class Rows final : public IListFileModel {
public:
    QString listName() const override { return ListFileName::ScanResults; }
    int rowCount() const override { return int(rows.size()); }
    int columnCount() const override { return 40; }
    bool isChecked(int row) const override { return rows[size_t(row)].first; }
    QString cellText(int row, int column) const override { return rows[size_t(row)].second[column]; }
    void clearRows() override { rows.clear(); }
    void appendRow(bool checked, std::span<const QStringView> cells) override {
        // What a results model that keeps one text per cell would do.
        QStringList texts;
        texts.reserve(qsizetype(cells.size()));
        for (QStringView cell : cells) texts << cell.toString();
        rows.emplace_back(checked, std::move(texts));
    }
    void beginLoad() override { rows.reserve(100000); }
    std::vector<std::pair<bool, QStringList>> rows;
};
// Keeps each row as one text with the cells' end offsets: two allocations a
// row instead of forty-one.
class CompactRows final : public IListFileModel {
public:
    QString listName() const override { return ListFileName::ScanResults; }
    int rowCount() const override { return int(rows.size()); }
    int columnCount() const override { return 40; }
    bool isChecked(int row) const override { return rows[size_t(row)].checked; }
    QString cellText(int row, int column) const override {
        const Row& r = rows[size_t(row)];
        const int begin = column == 0 ? 0 : r.ends[size_t(column - 1)];
        return r.text.mid(begin, r.ends[size_t(column)] - begin);
    }
    void clearRows() override { rows.clear(); }
    void beginLoad() override { rows.reserve(100000); }
    void appendRow(bool checked, std::span<const QStringView> cells) override {
        Row row;
        row.checked = checked;
        qsizetype total = 0;
        for (QStringView cell : cells) total += cell.size();
        row.text.reserve(total);
        row.ends.reserve(cells.size());
        for (QStringView cell : cells) {
            row.text += cell;
            row.ends.push_back(int(row.text.size()));
        }
        rows.push_back(std::move(row));
    }
    struct Row {
        bool checked = false;
        QString text;
        std::vector<int> ends;
    };
    std::vector<Row> rows;
};

// Takes the rows without keeping them: the reader's own cost.
class Counter final : public IListFileModel {
public:
    QString listName() const override { return ListFileName::ScanResults; }
    int rowCount() const override { return rows; }
    int columnCount() const override { return 40; }
    bool isChecked(int) const override { return false; }
    QString cellText(int, int) const override { return QString(); }
    void clearRows() override { rows = 0; }
    void appendRow(bool, std::span<const QStringView> cells) override { rows += cells.empty() ? 0 : 1; }
    int rows = 0;
};
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Rows source;
    for (int r = 0; r < 100000; ++r) {
        QStringList cells;
        for (int c = 0; c < 40; ++c)
            cells << (c == 0 ? QStringLiteral("%1 - Track Title Björk.mp3").arg(r) : QStringLiteral("Field %1 of row %2").arg(c).arg(r));
        source.rows.emplace_back(r % 7 != 0, std::move(cells));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.scn"));
    QElapsedTimer timer;
    timer.start();
    WriteListFile(source, path);
    double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("write: 100000 rows in %.3f s = %.0f rows/s\n", seconds, 100000 / seconds);
    for (int round = 0; round < 3; ++round) {
        Rows loaded;
        timer.start();
        LoadTextFileToListView(loaded, path, QStringLiteral("invalid"));
        seconds = timer.nsecsElapsed() / 1e9;
        std::printf("load into per-cell texts: %zu rows in %.3f s = %.0f rows/s\n", loaded.rows.size(), seconds,
                    loaded.rows.size() / seconds);
    }
    for (int round = 0; round < 3; ++round) {
        CompactRows compact;
        timer.start();
        LoadTextFileToListView(compact, path, QStringLiteral("invalid"));
        seconds = timer.nsecsElapsed() / 1e9;
        std::printf("load into one text a row: %d rows in %.3f s = %.0f rows/s\n", compact.rowCount(), seconds,
                    compact.rowCount() / seconds);
    }
    for (int round = 0; round < 3; ++round) {
        Counter counter;
        timer.start();
        LoadTextFileToListView(counter, path, QStringLiteral("invalid"));
        seconds = timer.nsecsElapsed() / 1e9;
        std::printf("parse only:               %d rows in %.3f s = %.0f rows/s\n", counter.rows, seconds, counter.rows / seconds);
    }
    timer.start();
    const QByteArray bytes = ListFileBytes(source);
    std::printf("format only: %lld bytes in %.3f s\n", static_cast<long long>(bytes.size()), timer.nsecsElapsed() / 1e9);
    return 0;
}
