// Apply over a whole collection: every file's title changes (both tags, one
// override each), against the yardstick of copying the same files on the
// same file system with cp, in the same run.
//
//   apply_bench CORPUS WORKDIR
//
// CORPUS is a collection made by ../shared/bench/make_corpus.py; WORKDIR, on
// the same file system, receives two fresh copies of it (one made by the
// timed cp, one that Apply changes) and keeps them for inspection.  Before
// each timed step the file system is synced, so neither pays for the
// other's writing.

#include "coordinator/ApplyChanges.h"
#include "coordinator/SimResultsModel.h"
#include "foundation/FileUtils.h"
#include "foundation/Genres.h"
#include "foundation/MessageUi.h"
#include "scanning/engine/ID3v2TagInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

bool Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(program, args);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Counts the failures instead of showing boxes.
class CountingUi final : public IMessageUi {
public:
    int MsgBox(const QString& prompt, int, const QString&) override {
        if (++shown <= 3) std::fprintf(stderr, "box: %s\n", qPrintable(prompt.left(200)));
        return 1;
    }
    int shown = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: apply_bench CORPUS WORKDIR\n");
        return 2;
    }
    const QString corpus = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString work = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    const QString copied = work + QStringLiteral("/copied");
    const QString applied = work + QStringLiteral("/applied");
    QDir(copied).removeRecursively();
    QDir(applied).removeRecursively();
    QDir().mkpath(work);
    InitialiseArrays();
    InitialiseQuillmarkClass();
    CountingUi ui;
    SetMessageUi(&ui);

    // The copy Apply works on, made first and untimed.
    if (!Run(QStringLiteral("cp"), {QStringLiteral("-r"), corpus, applied})) return 1;
    ::sync();
    QElapsedTimer timer;
    timer.start();
    if (!Run(QStringLiteral("cp"), {QStringLiteral("-r"), corpus, copied})) return 1;
    const double copyMs = double(timer.nsecsElapsed()) / 1e6;
    // Apply makes its files durable, cp does not: the copy followed by a
    // sync is the yardstick that does the same.
    ::sync();
    const double copySyncMs = double(timer.nsecsElapsed()) / 1e6;

    SimResultsModel table;
    {
        QStringList paths;
        QDirIterator it(applied, {QStringLiteral("*.mp3")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) paths << it.next();
        paths.sort();
        std::vector<SimResultsModel::NewRow> rows;
        for (const QString& path : paths) {
            SimRowTexts cells;
            cells[SimColumn::OldFileName] = FileNamePart(path);
            cells[SimColumn::Folder] = ParentFolder(path);
            cells[SimColumn::NewFileName] = cells[SimColumn::OldFileName];
            cells[SimColumn::Action] = QStringLiteral("Change");
            rows.push_back({true, cells});
        }
        table.appendRows(std::move(rows));
    }
    ApplySettings settings;
    settings.overrides.id3v1Tag = settings.overrides.id3v2Tag = true;
    settings.overrides.id3v1[V1Field::Title] = {true, QStringLiteral("Applied Title")};
    settings.overrides.id3v2[V2Field::Title] = {true, QStringLiteral("Applied Title")};
    JobHost host;
    timer.restart();
    const ApplyReport report = ApplyChanges(table, settings, host);
    const double applyMs = double(timer.nsecsElapsed()) / 1e6;

    double load[3] = {};
    ::getloadavg(load, 3);
    std::printf("files: %d, load average %.2f %.2f %.2f\n", table.rows(), load[0], load[1], load[2]);
    std::printf("cp -r:         %.0f ms\n", copyMs);
    std::printf("cp -r + sync:  %.0f ms\n", copySyncMs);
    std::printf("Apply:         %.0f ms (%lld failed)\n", applyMs, static_cast<long long>(report.failed));
    std::printf("Apply / cp -r        = %.2f (target at most 1.5)\n", applyMs / copyMs);
    std::printf("Apply / cp -r + sync = %.2f (the durable copy)\n", applyMs / copySyncMs);
    TerminateID3v2Class();
    return report.failed == 0 ? 0 : 1;
}
