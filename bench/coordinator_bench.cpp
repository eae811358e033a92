// The File Name and Tag Coordinator window, driven for real (offscreen or
// under Xvfb).
//
//   coordinator_bench CORPUS [--rows N]
//       Scans CORPUS in the scanning centre (not timed), repeats its rows up
//       to N results rows (default 20,000; names made distinct), then times,
//       in one run and nine times each: the derivation engine alone (every
//       checked row derived into a simulate results model that no view
//       shows) and the window's Simulate of the same rows into its visible
//       table (each run starting from an empty table).  Prints rows per
//       second and the ratio window / engine.
//
//   coordinator_bench --screenshot FILE --folder DIR [--no-skins] [--delay MS]
//                     [--dialog advanced]
//       Scans DIR, simulates it in the coordinator and saves a PNG of the
//       window, or of the Advanced Options dialog
//       (scripts/screenshot-coordinator.sh runs it under Xvfb).

#include "coordinator/SimResultsModel.h"
#include "coordinator/SimulateChange.h"
#include "coordinator/SimulateRun.h"
#include "coordinator/MassTaggingOverrides.h"
#include "coordinator/ui/AdvancedOptionsDialog.h"
#include "coordinator/ui/ApplyChangesDialog.h"
#include "coordinator/ui/MassTaggingOverrideTool.h"
#include "coordinator/ui/FileNameTagCoordinator.h"
#include "coordinator/ui/SimResultsView.h"
#include "bench/BenchSupport.h"
#include "foundation/Errors.h"
#include "foundation/FirstRun.h"
#include "foundation/Genres.h"
#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "foundation/Twips.h"
#include "options/FileAssociations.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/ui/FolderTree.h"
#include "scanning/ui/ScanningCentre.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

FormMP3ScanningCentre* ScanInMainWindow(const QString& folder) {
    auto* main = new FormMP3ScanningCentre;
    main->mcheckIncSubfolders.SetValue(1);
    main->FolderTreeview->SetSelectedFolder(folder);
    main->BtnScan_Click();
    return main;
}

// The engine alone: the checked rows derived into a model no view shows.
double EngineSimulate(const ScanResultsModel& results, int64_t& rows) {
    SimResultsModel table;
    JobHost host;
    QElapsedTimer timer;
    timer.start();
    const NameDeriver deriver(Options().Coordinator, Options().CoordinatorAdv);
    const SimulateRunReport report = SimulateResultsRows(
        results, [&](int row) { return results.isChecked(row); }, results.checkedCount(), deriver, table,
        Options().CoordinatorAdv, host);
    rows = report.added;
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

int RunBenchmark(const QString& corpus, int wanted) {
    FormMP3ScanningCentre* main = ScanInMainWindow(corpus);
    ScanResultsModel& results = *main->ScanResults();
    const int scanned = results.rows();
    if (scanned == 0) {
        std::fprintf(stderr, "no MP3 files found in %s\n", qPrintable(corpus));
        return 1;
    }
    std::vector<ScanResultsModel::NewRow> extra;
    for (int i = scanned; i < wanted; ++i) {
        ScanResultsModel::NewRow row;
        const QStringList texts = results.rowTexts(i % scanned);
        for (int c = 0; c < kScanColumnCount; ++c) row.texts[static_cast<size_t>(c)] = texts[c];
        row.texts[ScanColumn::FileName] = QStringLiteral("%1 ").arg(i, 6, 10, QLatin1Char('0')) + texts[0];
        extra.push_back(std::move(row));
    }
    results.appendRows(std::move(extra));

    // The scanning centre's list is only read: it stays out of sight, so its
    // repaints (locked and unlocked by each run) are not timed.
    main->hide();
    auto* window = new FormFileNameTagCoordinator;
    window->resize(1100, 700);
    window->show();
    QCoreApplication::processEvents();

    int64_t engineRows = 0;
    EngineSimulate(results, engineRows);  // warm
    std::vector<double> engineTimes, windowTimes;
    for (int round = 0; round < 9; ++round) {
        engineTimes.push_back(EngineSimulate(results, engineRows));
        // Each run starts from an empty table, as the first Simulate does.
        window->SimResults()->clear();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        window->BtnSimulate_Click();
        QCoreApplication::processEvents();  // the table drawn once
        windowTimes.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(engineTimes.begin(), engineTimes.end());
    std::sort(windowTimes.begin(), windowTimes.end());
    const double engine = engineTimes[4];
    const double simulate = windowTimes[4];
    const int windowRows = window->SimResults()->rows();
    std::printf("results rows : %d (%d scanned from %s)\n", results.rows(), scanned, qPrintable(corpus));
    std::printf("engine only  : %lld rows in %.3f s (%.0f rows/s), median of 9\n",
                static_cast<long long>(engineRows), engine, engineRows / engine);
    std::printf("window       : %d rows in %.3f s (%.0f rows/s), median of 9, %.2f x the engine (target <= 1.5)\n",
                windowRows, simulate, windowRows / simulate, simulate / engine);
    window->mnuFileExit_Click();
    main->mnuFileExit_Click();
    return 0;
}

int RunScreenshot(const QString& folder, const QString& file, const QString& dialog, int delay) {
    FormMP3ScanningCentre* main = ScanInMainWindow(folder);
    main->move(500, 300);
    auto* window = new FormFileNameTagCoordinator;
    PlaceForShot(window, {30, 30}, {TwipsToPixelsX(13200), TwipsToPixelsY(7200)});
    window->raise();
    window->BtnSimulate_Click();
    // One row with each action, so every colour shows.
    SimResultsModel& table = *window->SimResults();
    if (table.rows() > 3) {
        window->ListViewSimResults->setCurrentIndex(window->ListViewSimResults->model()->index(2, 0));
        window->mnuActionsAlterAction_Click(2);
        window->ListViewSimResults->setCurrentIndex(window->ListViewSimResults->model()->index(3, 0));
        window->mnuActionsAlterAction_Click(1);
        table.setText(1, SimColumn::Action, QStringLiteral("Change ??"));
        window->UpdateSimResultEntry(1);
        window->ListViewSimResults->setCurrentIndex(window->ListViewSimResults->model()->index(0, 0));
    }
    bool ok = false;
    if (dialog == QLatin1String("apply")) {
        // A few overrides, the three switches and one row to delete.
        RegisterMassTaggingOverrideToolWindow();
        MassTaggingOverrides set;
        set.id3v1Tag = set.id3v2Tag = true;
        set.id3v1[V1Field::Year] = {true, QStringLiteral("1999")};
        set.id3v2[V2Field::Artist] = {true, QStringLiteral("Various Artists")};
        set.id3v2[V2Field::Genre] = {true, QStringLiteral("Soundtrack")};
        set.id3v1Remove = true;
        MassTagging().setValues(set);
        window->mcheckChangeFileName.SetValue(1);
        window->mcheckChangeID3v1Tag.SetValue(1);
        window->mcheckChangeID3v2Tag.SetValue(1);
        DialogApplyChanges confirm(*window, 1, window);
        confirm.move(80, 60);
        QTimer::singleShot(delay, &confirm, [&] {
            ok = Grab(&confirm, file);
            confirm.reject();
        });
        confirm.exec();
    } else if (dialog == QLatin1String("masstagging")) {
        RegisterMassTaggingOverrideToolWindow();
        auto* tool = dynamic_cast<DialogMassTaggingOverrideTool*>(WindowRegistry::Load(WindowNames::MassTagging));
        tool->move(80, 40);
        tool->CheckID3v2Tag->click();
        tool->TextID3v2[V2Field::Artist]->setText(QStringLiteral("Various Artists"));
        tool->TextID3v2[V2Field::Year]->setText(QStringLiteral("2004"));
        tool->ComboID3v2Genre->setCurrentText(QStringLiteral("Soundtrack"));
        tool->ShowWindow();
        QTimer::singleShot(delay, tool, [&] {
            ok = Grab(tool, file);
            QApplication::exit(0);
        });
        QApplication::exec();
    } else if (dialog == QLatin1String("advanced")) {
        DialogFileNameTagCoordAdvOptions advanced(window);
        advanced.move(80, 60);
        QTimer::singleShot(delay, &advanced, [&] {
            ok = Grab(&advanced, file);
            advanced.reject();
        });
        advanced.exec();
    } else {
        QTimer::singleShot(delay, window, [&] {
            ok = Grab(window, file);
            QApplication::exit(0);
        });
        QApplication::exec();
    }
    window->mnuFileExit_Click();
    main->mnuFileExit_Click();
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sonivard"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("corpus"), QStringLiteral("Folder of MP3 files to scan."));
    parser.addOption({QStringLiteral("rows"), QStringLiteral("Results rows to simulate."), QStringLiteral("n"),
                      QStringLiteral("20000")});
    parser.addOption({QStringLiteral("screenshot"), QStringLiteral("Save a PNG and quit."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("folder"), QStringLiteral("Folder to scan for the screenshot."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("no-skins"), QStringLiteral("Plain windows.")});
    parser.addOption({QStringLiteral("dialog"), QStringLiteral("Screenshot of a dialog: advanced."),
                      QStringLiteral("name")});
    parser.addOption({QStringLiteral("delay"), QStringLiteral("Milliseconds before the screenshot."),
                      QStringLiteral("ms"), QStringLiteral("1500")});
    parser.process(app);

    // Settings go to a scratch folder: the bench never touches the user's.
    QTemporaryDir home;
    UseScratchHome(home.path());
    StartBenchProgram(!parser.isSet(QStringLiteral("no-skins")));
    Options().Preferences.blnDisplayMessageBox = false;

    int rc = 0;
    if (parser.isSet(QStringLiteral("screenshot")))
        rc = RunScreenshot(parser.value(QStringLiteral("folder")), parser.value(QStringLiteral("screenshot")),
                           parser.value(QStringLiteral("dialog")), parser.value(QStringLiteral("delay")).toInt());
    else if (!parser.positionalArguments().isEmpty())
        rc = RunBenchmark(parser.positionalArguments().front(), parser.value(QStringLiteral("rows")).toInt());
    else
        parser.showHelp(1);
    return rc;
}
