// Whole catalogue pages compared byte for byte with golden files, one set of
// options per case, and every HTML page put through an HTML checker.
//
// To make the golden files again after a deliberate change of the pages, run
// this program with SV_WRITE_GOLDEN=1 and read every changed file before
// committing it.

#include "CatalogueFixtures.h"
#include "cataloguer/Catalogue.h"
#include "cataloguer/HtmlCataloguePage.h"
#include "cataloguer/TextCataloguePage.h"
#include "scanning/engine/ScanResultsModel.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

QString GoldenPath(const QString& name) { return QStringLiteral(SV_TEST_DATA_DIR "/catalogue/") + name; }

struct PageSet {
    const char* name;
    CatalogueOutput output;
    TagPreference preference;
    const char* perPage;
    QString outputFileName;
    std::function<void(CataloguerHTMLOptions&, CataloguerTextOptions&)> options;
    std::vector<int> pages;
};

void AllHeaderOptions(CataloguerHTMLOptions& h, bool on) {
    h.blnHTMLHeaderTitle = h.blnHTMLCollectionProps = h.blnHTMLTotalNumFiles = h.blnHTMLTotalSizeFiles =
        h.blnHTMLTotalLengthFiles = h.blnHTMLListProps = h.blnHTMLListCreationDate = h.blnHTMLListCreationTime =
            h.blnHTMLNumPagesInList = h.blnHTMLColumnHeadings = on;
}
void AllHeaderOptions(CataloguerTextOptions& t, bool on) {
    t.blnHeaderTitle = t.blnCollectionProps = t.blnTotalNumFiles = t.blnTotalSizeFiles = t.blnTotalLengthFiles =
        t.blnListProps = t.blnListCreationDate = t.blnListCreationTime = t.blnNumPagesInList = t.blnColumnHeadings =
            on;
}

const QString kName = QStringLiteral("My Music Collection");

const PageSet kSets[] = {
    {"html-first-run", CatalogueOutput::HTML, TagPreference::ID3v1, "3", kName,
     [](CataloguerHTMLOptions&, CataloguerTextOptions&) {}, {1, 3}},
    {"html-bare", CatalogueOutput::HTML, TagPreference::ID3v1, "100", kName,
     [](CataloguerHTMLOptions& h, CataloguerTextOptions&) {
         AllHeaderOptions(h, false);
         h.lngPageLinksAppear = 2;
         h.blnHTMLSortBy = false;
         h.strListTextFont = QStringLiteral("Font: Default, Size Default, Colour Default");
         h.strListTextColour.clear();
         h.strHeaderFont.fill(QStringLiteral("Font: Default, Size Default, Colour Default"));
         h.strHeaderColour.fill(QString());
         h.strPageColour.fill(QString());
         h.strHTMLColumnHeadings = {CatalogueColumnNames().begin(), CatalogueColumnNames().end()};
         h.intHTMLNumColumnHeadings = int(h.strHTMLColumnHeadings.size());
     },
     {1}},
    {"html-styled", CatalogueOutput::HTML, TagPreference::ID3v2, "3", QStringLiteral("Mix & <Match> 100%"),
     [](CataloguerHTMLOptions& h, CataloguerTextOptions&) {
         h.strHTMLSortKey = QStringLiteral("File Size");
         h.lngHTMLSortOrder = 1;
         h.lngPageLinksAppear = 1;
         h.blnHTMLTotalNumFiles = false;
         h.blnHTMLListCreationDate = false;
         h.blnHTMLColumnHeadings = false;
         h.strOutputExtension = QStringLiteral("htm");
         h.strPageTitle = QStringLiteral("<My> \"Music\" & Co");
         h.strPageDescription = QStringLiteral("Songs \"old\" & <new>");
         h.strPageKeywords = QStringLiteral("caf\u00e9, \u97f3\u697d");
         h.strBackgroundImage = QStringLiteral("pics/<b>&\"bg\".png");
         h.strHTMLTitleText = QStringLiteral("\u03a4\u03b1 \u03c4\u03c1\u03b1\u03b3\u03bf\u03cd\u03b4\u03b9\u03b1 \u03bc\u03bf\u03c5");
         h.strPageColour = {QStringLiteral("Default"), QStringLiteral("DEFAULT"), QStringLiteral("#1A2B3C"),
                            QStringLiteral("default"), QStringLiteral("Navy")};
         h.strMargin = {QStringLiteral("10"), QStringLiteral("5\" onload=\"x"), QString(), QStringLiteral("0")};
         h.strHeaderFont = {QStringLiteral("Font: Verdana, Arial, Size -1, Colour Default, Italic"),
                            QStringLiteral("Font: Georgia, Size 5, Colour #FFCC00, Bold Italic Underline"),
                            QStringLiteral("Font: Default, Size Default, Colour  Underline"),
                            QStringLiteral("Font: Courier New, Size +1, Colour , Bold"),
                            QStringLiteral("Font: Default, Size Default, Colour Default")};
         h.strHeaderColour = {QStringLiteral("Default"), QStringLiteral("#000080"), QString(),
                              QStringLiteral("lime onclick=alert(1)"), QStringLiteral("silver")};
         h.strListTextFont = QStringLiteral("Font: \"Sans\" <b>, Size 2, Colour white, Italic");
         h.strListTextColour = QStringLiteral("#333333");
         SetHTMLColumns(h, {"Track", "Title", "Artist", "Genre", "<Bogus> & \"Column\"", "Path"});
     },
     {2}},
    {"text-first-run", CatalogueOutput::Text, TagPreference::ID3v1, "3", kName,
     [](CataloguerHTMLOptions&, CataloguerTextOptions&) {}, {1, 3}},
    {"text-bare", CatalogueOutput::Text, TagPreference::ID3v1, "100", kName,
     [](CataloguerHTMLOptions&, CataloguerTextOptions& t) {
         AllHeaderOptions(t, false);
         t.blnSortBy = false;
         t.intNumColumnHeadings = int(CatalogueColumnNames().size());
         t.strColumnHeadings = {CatalogueColumnNames().begin(), CatalogueColumnNames().end()};
         t.intColumnHeadingWidths.assign(t.strColumnHeadings.size(), 7);
         t.blnColumnHeadings = true;
     },
     {1}},
    {"text-mixed", CatalogueOutput::Text, TagPreference::ID3v2, "4", kName,
     [](CataloguerHTMLOptions&, CataloguerTextOptions& t) {
         t.blnHeaderTitle = false;
         t.blnTotalNumFiles = false;
         t.blnListCreationDate = false;
         t.strSortKey = QStringLiteral("Track");
         t.lngSortOrder = 1;
         SetTextColumns(t, {{"Track", 3}, {"Title", 6}, {"Artist", 0}, {"Bitrate", 3}, {"Path", 12}});
     },
     {1, 2}},
};

QString Render(const PageSet& set, int page) {
    ScanResultsModel model;
    AddSampleRows(model);
    CataloguerHTMLOptions html = FirstRunHTMLOptions();
    CataloguerTextOptions text = FirstRunTextOptions();
    set.options(html, text);
    JobHost job;
    const Catalogue catalogue =
        BuildCatalogue(model, {set.output, QString::fromUtf8(set.perPage), set.preference}, html, text, job);
    CataloguePageContext context = FixedContext(set.preference);
    context.outputFileName = set.outputFileName;
    if (set.output == CatalogueOutput::HTML) return HtmlCataloguePage(catalogue, html, context).page(page, job);
    return TextCataloguePage(catalogue, text, context).page(page, job);
}

QString FileName(const PageSet& set, int page) {
    return QString::fromUtf8(set.name) + QLatin1Char('-') + QString::number(page) +
           (set.output == CatalogueOutput::HTML ? QStringLiteral(".html") : QStringLiteral(".txt"));
}

TEST(CataloguePages, EveryPageEqualsItsGoldenFile) {
    const bool write = qEnvironmentVariableIsSet("SV_WRITE_GOLDEN");
    for (const PageSet& set : kSets) {
        for (const int page : set.pages) {
            const QString name = FileName(set, page);
            const QByteArray made = Render(set, page).toUtf8();
            QFile file(GoldenPath(name));
            if (write) {
                QDir().mkpath(QFileInfo(file).absolutePath());
                ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
                file.write(made);
                continue;
            }
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            const QByteArray golden = file.readAll();
            if (made == golden) continue;
            // Name the first line that differs.
            const QList<QByteArray> a = made.split('\n'), b = golden.split('\n');
            qsizetype line = 0;
            while (line < a.size() && line < b.size() && a[line] == b[line]) ++line;
            ADD_FAILURE() << name.toStdString() << " differs at line " << line + 1 << ":\n  made:   "
                          << (line < a.size() ? a[line].toStdString() : "<end>") << "\n  golden: "
                          << (line < b.size() ? b[line].toStdString() : "<end>");
        }
    }
}

// The HTML checker's verdict on `page`: its messages when it finds errors,
// empty when it finds none.
QString CheckerErrors(const QString& page) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(page.toUtf8());
    file.close();
    QProcess tidy;
    // Errors only: the pages use the presentational markup of their time,
    // which the checker warns about.
    tidy.start(QStringLiteral("tidy"), {QStringLiteral("-q"), QStringLiteral("-e"), QStringLiteral("-utf8"),
                                        QStringLiteral("--show-warnings"), QStringLiteral("no"), path});
    tidy.waitForFinished(30000);
    const QString messages = QString::fromUtf8(tidy.readAllStandardError());
    return tidy.exitCode() >= 2 ? messages + QStringLiteral("(exit ") + QString::number(tidy.exitCode()) + ")"
                                : QString();
}

TEST(CataloguePages, HtmlPagesPassTheChecker) {
    if (QStandardPaths::findExecutable(QStringLiteral("tidy")).isEmpty())
        GTEST_FAIL() << "the HTML checker tidy is missing: run scripts/install-deps.sh";
    for (const PageSet& set : kSets) {
        if (set.output != CatalogueOutput::HTML) continue;
        for (const int page : set.pages)
            EXPECT_EQ(CheckerErrors(Render(set, page)), QString()) << FileName(set, page).toStdString();
    }
}

}  // namespace
