// The scanning centre window, driven for real (offscreen or under Xvfb).
//
//   mainwin_bench CORPUS [--rows N]
//       Times, in one run on the same warm folder: the engine alone (walk,
//       read every file, build its row texts), the window's scan of the same
//       folder into its visible list, a sort of N rows (default 100,000) by
//       a column, and the load of an N-row ".scn" file.  Prints files per
//       second and the ratio of the window's scan to the engine's.
//
//   mainwin_bench --screenshot FILE --folder DIR [--no-skins] [--delay MS]
//                 [--dialog fileinfo|columns]
//       Scans DIR in the window and saves a PNG of it, or of the File
//       Information window or the column settings dialog over it
//       (scripts/screenshot-main.sh runs it under Xvfb).

#include "bench/BenchSupport.h"
#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/Genres.h"
#include "foundation/ListFiles.h"
#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "foundation/Twips.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/engine/FolderScan.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/ui/ColumnSettingsDialog.h"
#include "scanning/ui/FileInfoDialog.h"
#include "scanning/ui/FolderTree.h"
#include "scanning/ui/ScanningCentre.h"
#include "scanning/ui/ScanResultsView.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

// The engine alone: the same scan into a model that no view shows.
double EngineScan(const QString& folder, size_t& rows) {
    ScanResultsModel model;
    JobHost host;
    FolderScan scan(model, host, Options().ScanningCentre);
    QElapsedTimer timer;
    timer.start();
    scan.ScanFolder(folder, true);
    rows = static_cast<size_t>(model.rows());
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

int RunBenchmark(const QString& corpus, int sortRows) {
    auto* window = new FormMP3ScanningCentre;
    window->resize(1100, 700);
    window->show();
    QCoreApplication::processEvents();

    // Warm the folder once, then time the engine and the window in turn,
    // three times each, and compare the medians.
    size_t engineRows = 0;
    EngineScan(corpus, engineRows);
    window->mcheckIncSubfolders.SetValue(1);
    window->FolderTreeview->SetSelectedFolder(corpus);
    std::vector<double> engineTimes, windowTimes;
    for (int round = 0; round < 3; ++round) {
        engineTimes.push_back(EngineScan(corpus, engineRows));
        QElapsedTimer timer;
        timer.start();
        window->BtnScan_Click();
        windowTimes.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(engineTimes.begin(), engineTimes.end());
    std::sort(windowTimes.begin(), windowTimes.end());
    const double engine = engineTimes[1];
    const double scan = windowTimes[1];
    const int windowRows = window->ScanResults()->rows();

    std::printf("engine only : %zu files in %.3f s (%.0f files/s), median of 3\n", engineRows, engine,
                engineRows / engine);
    std::printf("window scan : %d rows in %.3f s (%.0f files/s), median of 3, %.2f x the engine\n", windowRows, scan,
                windowRows / scan, scan / engine);
    QElapsedTimer timer;

    // Sorting and loading a large list.
    ScanResultsModel* model = window->ScanResults();
    if (model->rows() > 0) {
        std::vector<ScanResultsModel::NewRow> extra;
        const int have = model->rows();
        for (int i = have; i < sortRows; ++i) {
            ScanResultsModel::NewRow row;
            const QStringList texts = model->rowTexts(i % have);
            for (int c = 0; c < kScanColumnCount; ++c) row.texts[static_cast<size_t>(c)] = texts[c];
            row.texts[ScanColumn::FileName] = QStringLiteral("%1 ").arg(i, 6, 10, QLatin1Char('0')) + texts[0];
            extra.push_back(std::move(row));
        }
        model->appendRows(std::move(extra));
        QCoreApplication::processEvents();
        timer.start();
        window->ListViewScanResults->sortByColumn(ScanColumn::ID3v2Title, Qt::AscendingOrder);
        QCoreApplication::processEvents();
        std::printf("sort        : %d rows by a column in %.3f s\n", model->rows(), timer.nsecsElapsed() / 1e9);

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("big.scn"));
        ItemModelListFile writer(*model, ListFileName::ScanResults);
        WriteListFile(writer, file);
        model->clear();
        QCoreApplication::processEvents();
        timer.restart();
        window->LoadScanResultsFile(file);
        QCoreApplication::processEvents();
        std::printf("load .scn   : %d rows in %.3f s\n", model->rows(), timer.nsecsElapsed() / 1e9);
    }
    window->mnuFileExit_Click();
    return 0;
}

// The File Information window or the column settings dialog over the window.
int RunDialogScreenshot(const QString& folder, const QString& file, const QString& dialog, int delay) {
    auto* window = new FormMP3ScanningCentre;
    window->move(30, 30);
    window->resize(TwipsToPixelsX(14400), TwipsToPixelsY(8400));
    window->mcheckIncSubfolders.SetValue(1);
    window->FolderTreeview->SetSelectedFolder(folder);
    window->BtnScan_Click();
    bool ok = false;
    if (dialog == QLatin1String("fileinfo")) {
        SetFileInfoDialogDriver([&](FormFileInfo& w) {
            w.move(60, 40);
            QTimer::singleShot(delay, &w, [&] {
                ok = Grab(&w, file);
                w.BtnCancel_Click();
            });
        });
        window->ListViewScanResults->setCurrentIndex(window->ListViewScanResults->model()->index(1, 0));
        window->mnuActionsFileInfo_Click();
    } else {
        DialogColumnSettings columns(window);
        columns.InitiateDialog(window->ListViewScanResults);
        columns.move(120, 80);
        QTimer::singleShot(delay, &columns, [&] {
            ok = Grab(&columns, file);
            columns.reject();
        });
        columns.exec();
    }
    window->mnuFileExit_Click();
    return ok ? 0 : 1;
}

int RunScreenshot(const QString& folder, const QString& file, int delay) {
    auto* window = new FormMP3ScanningCentre;
    PlaceForShot(window, {30, 30}, {TwipsToPixelsX(14400), TwipsToPixelsY(8400)});
    window->mcheckIncSubfolders.SetValue(1);
    window->FolderTreeview->SetSelectedFolder(folder);
    QTimer::singleShot(200, window, [window] { window->BtnScan_Click(); });
    QTimer::singleShot(delay, window, [window, file] {
        QScreen* screen = window->screen();
        const QRect area = window->frameGeometry().adjusted(-10, -10, 10, 10);
        const QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        const bool ok = shot.save(file, "PNG");
        std::fprintf(stderr, "%s %s (%dx%d)\n", ok ? "saved" : "could not save", qPrintable(file), shot.width(),
                     shot.height());
        QApplication::exit(ok ? 0 : 1);
    });
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sonivard"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("corpus"), QStringLiteral("Folder of MP3 files to time."));
    parser.addOption({QStringLiteral("rows"), QStringLiteral("Rows to sort and load."), QStringLiteral("n"),
                      QStringLiteral("100000")});
    parser.addOption({QStringLiteral("screenshot"), QStringLiteral("Save a PNG and quit."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("folder"), QStringLiteral("Folder to scan for the screenshot."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("no-skins"), QStringLiteral("Plain windows.")});
    parser.addOption({QStringLiteral("dialog"), QStringLiteral("Screenshot of a dialog: fileinfo or columns."),
                      QStringLiteral("name")});
    parser.addOption({QStringLiteral("delay"), QStringLiteral("Milliseconds before the screenshot."),
                      QStringLiteral("ms"), QStringLiteral("1500")});
    parser.process(app);

    // Settings go to a scratch folder: the bench never touches the user's.
    QTemporaryDir home;
    UseScratchHome(home.path());
    StartBenchProgram(!parser.isSet(QStringLiteral("no-skins")), false);

    int rc = 0;
    if (parser.isSet(QStringLiteral("screenshot")) && parser.isSet(QStringLiteral("dialog")))
        rc = RunDialogScreenshot(parser.value(QStringLiteral("folder")), parser.value(QStringLiteral("screenshot")),
                                 parser.value(QStringLiteral("dialog")), parser.value(QStringLiteral("delay")).toInt());
    else if (parser.isSet(QStringLiteral("screenshot")))
        rc = RunScreenshot(parser.value(QStringLiteral("folder")), parser.value(QStringLiteral("screenshot")),
                           parser.value(QStringLiteral("delay")).toInt());
    else if (!parser.positionalArguments().isEmpty())
        rc = RunBenchmark(parser.positionalArguments().front(), parser.value(QStringLiteral("rows")).toInt());
    else
        parser.showHelp(1);
    return rc;
}
