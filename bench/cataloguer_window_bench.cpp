// The Music Cataloguer window, driven for real (offscreen or under Xvfb).
//
//   cataloguer_window_bench [--rows N] [--per-page P]
//       Puts N results rows (default 20,000) in the scanning centre, then
//       times, five times each: the catalogue engine alone (Build of the
//       rows and the first HTML page made, as the window's first page is)
//       and the window's Build of the same rows (entries, sort, one tab per
//       page, the first page shown and drawn).  Prints the median of each and
//       the ratio window / engine.  A first run's options (five columns,
//       sorted by artist).
//
//   cataloguer_window_bench --screenshot FILE [--find FILE] [--save DIR]
//       Builds a small catalogue with awkward titles, saves a PNG of the
//       window (and one with the Find dialog open after a search), and with
//       --save writes the pages to DIR.
//       (scripts/screenshot-cataloguer.sh runs it under Xvfb.)
//
//   cataloguer_window_bench --dialogs DIR
//       Saves a PNG of each of the cataloguer's option dialogs (page
//       properties, HTML header, text header, HTML font) into DIR.
//
//   cataloguer_window_bench --render-pages DIR
//       Draws the first, a middle and the last HTML page saved in DIR with
//       Qt's rich-text engine into DIR/page-first.png ... (for a machine
//       without a browser to look at the pages with).

#include "bench/BenchSupport.h"
#include "cataloguer/Catalogue.h"
#include "cataloguer/HtmlCataloguePage.h"
#include "cataloguer/ui/FindDialog.h"
#include "cataloguer/ui/HTMLFontDialog.h"
#include "cataloguer/ui/HeaderOptionsDialogs.h"
#include "cataloguer/ui/PagePropertiesDialog.h"
#include "cataloguer/ui/MusicCataloguer.h"
#include "foundation/Errors.h"
#include "foundation/FirstRun.h"
#include "foundation/Genres.h"
#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "foundation/Twips.h"
#include "options/FileAssociations.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/ui/ScanningCentre.h"
#include "scanning/ui/WindowServices.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

void FillRows(ScanResultsModel& model, int rows) {
    for (int i = 0; i < rows; ++i) model.appendRecord(SampleCollectionRecord(i));
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int RunBenchmark(int rows, const QString& perPage) {
    auto* main = new FormMP3ScanningCentre;
    FillRows(*main->ScanResults(), rows);
    main->hide();
    auto* window = new FormMusicCataloguer;
    window->resize(1100, 700);
    window->show();
    window->TextEntriesPerPage->setText(perPage);
    QCoreApplication::processEvents();

    std::vector<double> engine, built;
    for (int round = 0; round < 5; ++round) {
        {
            JobHost job;
            QElapsedTimer timer;
            timer.start();
            const Catalogue catalogue =
                BuildCatalogue(*main->ScanResults(), {CatalogueOutput::HTML, perPage, TagPreference::ID3v1},
                               Options().CataloguerHTML, Options().CataloguerText, job);
            CataloguePageContext context;
            context.now = QDateTime::currentDateTime();
            context.program = ThisProgram();
            const QString page = HtmlCataloguePage(catalogue, Options().CataloguerHTML, context).page(1, job);
            engine.push_back(double(timer.nsecsElapsed()) / 1e9);
            if (page.isEmpty()) std::printf("empty page\n");
        }
        QElapsedTimer timer;
        timer.start();
        window->BtnBuild_Click();
        QCoreApplication::processEvents();  // the page drawn once
        built.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    const double e = Median(engine), w = Median(built);
    std::printf("rows           : %d, %s a page, %d pages, page 1 %lld characters\n", rows, qPrintable(perPage),
                window->TabStripViewer->count(), static_cast<long long>(window->PageText().size()));
    std::printf("engine only    : %.3f s (build + first page), median of 5\n", e);
    std::printf("window Build   : %.3f s (entries, tabs, first page shown), median of 5, %.2f x the engine "
                "(target: under 2 s)\n",
                w, w / e);
    window->mnuFileExit_Click();
    main->mnuFileExit_Click();
    return 0;
}

// Rows whose tags try to break the page: markup, quotes, ampersands,
// letters outside Latin-1, a title of several lines.
void AwkwardRows(ScanResultsModel& model) {
    const char* titles[] = {"<script>alert(1)</script>", "Rock & Roll \"Live\"", "Caf\u00e9 \u97f3\u697d \u03a9",
                            "</td></tr></table><h1>broken?</h1>", "Line one\nline two", "Plain Title"};
    for (int i = 0; i < 25; ++i) {
        ScanRecord r = SampleCollectionRecord(i);
        r.ID3v1Tag.Title = QString::fromUtf8(titles[i % 6]) + QStringLiteral(" %1").arg(i + 1);
        r.ID3v2Tag.Title = r.ID3v1Tag.Title;
        model.appendRecord(r);
    }
}

int RunScreenshot(const QString& file, const QString& findFile, const QString& saveDir, int delay) {
    auto* main = new FormMP3ScanningCentre;
    AwkwardRows(*main->ScanResults());
    main->move(500, 300);
    auto* window = new FormMusicCataloguer;
    PlaceForShot(window, {30, 30}, {1100, 700});
    window->raise();
    window->TextEntriesPerPage->setText(QStringLiteral("10"));
    window->BtnBuild_Click();
    if (!saveDir.isEmpty()) {
        SetFolderBrowser([saveDir](QWidget*, const QString&) { return saveDir; });
        window->BtnSave_Click();
    }
    bool ok = false;
    QTimer::singleShot(delay, window, [&] {
        ok = Grab(window, file);
        if (findFile.isEmpty()) {
            QApplication::exit(0);
            return;
        }
        window->RichViewer->setFocus();
        window->mnuEditFind_Click();
        DialogFind& find = DialogFind::Instance();
        find.move(window->x() + 600, window->y() + 470);
        find.ComboFind->setEditText(QStringLiteral("Rock"));
        find.BtnFindNext_Click();
        QTimer::singleShot(delay, window, [&] {
            ok = Grab(window, findFile) && ok;
            QApplication::exit(0);
        });
    });
    QApplication::exec();
    window->mnuFileExit_Click();
    main->mnuFileExit_Click();
    return ok ? 0 : 1;
}

// Each option dialog shown on its own, on the first run's values.
int RunDialogShots(const QString& dir, int delay) {
    QLabel font(QStringLiteral("Font: DejaVu Sans, Serif, Size +2, Colour lime, Bold Underline"));
    auto* fontDialog = new DialogHTMLFont;
    fontDialog->Load(&font);
    const std::pair<QDialog*, const char*> dialogs[] = {
        {new DialogHTMLPageProperties, "page-properties.png"},
        {new DialogHTMLCataloguerHeader, "html-header.png"},
        {new DialogTextCataloguerHeader, "text-header.png"},
        {fontDialog, "html-font.png"}};
    bool ok = true;
    for (const auto& [dialog, name] : dialogs) {
        dialog->setModal(false);
        dialog->move(40, 40);
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
        QEventLoop wait;
        QTimer::singleShot(delay, &wait, &QEventLoop::quit);
        wait.exec();
        ok = Grab(dialog, dir + QLatin1Char('/') + QLatin1String(name)) && ok;
        dialog->hide();
        delete dialog;
    }
    return ok ? 0 : 1;
}

int RenderPages(const QString& dir) {
    const QStringList pages = QDir(dir).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    if (pages.isEmpty()) return 1;
    const std::pair<const char*, qsizetype> picks[] = {
        {"first", 0}, {"middle", pages.size() / 2}, {"last", pages.size() - 1}};
    for (const auto& [name, index] : picks) {
        QFile file(QDir(dir).filePath(pages[index]));
        if (!file.open(QIODevice::ReadOnly)) return 1;
        QTextDocument page;
        page.setHtml(QString::fromUtf8(file.readAll()));
        page.setTextWidth(1000);
        QImage image(1000, std::min(1400, int(page.size().height()) + 1), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        page.drawContents(&painter);
        painter.end();
        const QString out = QDir(dir).filePath(QStringLiteral("page-%1.png").arg(QLatin1String(name)));
        std::fprintf(stderr, "%s %s from %s\n", image.save(out, "PNG") ? "saved" : "could not save", qPrintable(out),
                     qPrintable(pages[index]));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sonivard"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("rows"), QStringLiteral("Results rows."), QStringLiteral("n"),
                      QStringLiteral("20000")});
    parser.addOption({QStringLiteral("per-page"), QStringLiteral("Entries per page."), QStringLiteral("n"),
                      QStringLiteral("100")});
    parser.addOption({QStringLiteral("screenshot"), QStringLiteral("Save a PNG and quit."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("find"), QStringLiteral("Also a PNG with the Find dialog."),
                      QStringLiteral("file")});
    parser.addOption({QStringLiteral("save"), QStringLiteral("Save the pages to this folder."), QStringLiteral("dir")});
    parser.addOption({QStringLiteral("dialogs"), QStringLiteral("PNGs of the option dialogs into this folder."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("render-pages"), QStringLiteral("PNGs of saved HTML pages in this folder."),
                      QStringLiteral("dir")});
    parser.addOption({QStringLiteral("no-skins"), QStringLiteral("Plain windows.")});
    parser.addOption({QStringLiteral("delay"), QStringLiteral("Milliseconds before the screenshot."),
                      QStringLiteral("ms"), QStringLiteral("1500")});
    parser.process(app);

    // Settings go to a scratch folder: the bench never touches the user's.
    QTemporaryDir home;
    UseScratchHome(home.path());
    StartBenchProgram(!parser.isSet(QStringLiteral("no-skins")));
    Options().Preferences.blnDisplayMessageBox = false;

    if (parser.isSet(QStringLiteral("render-pages"))) return RenderPages(parser.value(QStringLiteral("render-pages")));
    if (parser.isSet(QStringLiteral("dialogs")))
        return RunDialogShots(parser.value(QStringLiteral("dialogs")), parser.value(QStringLiteral("delay")).toInt());
    if (parser.isSet(QStringLiteral("screenshot")))
        return RunScreenshot(parser.value(QStringLiteral("screenshot")), parser.value(QStringLiteral("find")),
                             parser.value(QStringLiteral("save")), parser.value(QStringLiteral("delay")).toInt());
    return RunBenchmark(parser.value(QStringLiteral("rows")).toInt(), parser.value(QStringLiteral("per-page")));
}
