#include "cataloguer/CataloguePages.h"

#include "cataloguer/Catalogue.h"
#include "foundation/JobHost.h"
#include "foundation/ResourceStrings.h"
#include "shell/start/VersionInfo.h"

CatalogueProgram ThisProgram() {
    return {VersionInfo::Title(),    QStringLiteral("Brellick Software"),
            VersionInfo::Major(),    VersionInfo::Minor(),
            VersionInfo::Revision(), QStringLiteral("https://www.brellick.example/")};
}

QString CatalogueMegabytes(int64_t bytes, const QLocale& locale) {
    const int64_t megabytes = bytes / 1024 / 1024;
    return locale.toString(double(megabytes), 'f', 1);
}

QString CatalogueLongDate(const QDateTime& now, const QLocale& locale) {
    return locale.toString(now.date(), QLocale::LongFormat);
}

QString CatalogueLongTime(const QDateTime& now, const QLocale& locale) {
    // The long time format names the time zone ("t"); a catalogue shows the
    // clock time alone.  Quoted literal text stays as it is.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (!quoted && c == QLatin1Char('t')) continue;
        kept += c;
    }
    return locale.toString(now.time(), kept.trimmed());
}

QString CatalogueGeneratedUsing(const CatalogueProgram& program) {
    return QStringLiteral("Generated using ") + program.title + QLatin1Char(' ') + QString::number(program.major) +
           QLatin1Char('.') + QString::number(program.minor) + QLatin1Char('.') + QString::number(program.revision);
}

QString CataloguePageFileName(const QString& outputFileName, int page, const QString& extension) {
    return outputFileName + QLatin1Char(' ') + CataloguePageNumber(page) + QLatin1Char('.') + extension;
}

void ForEachPageEntry(const Catalogue& catalogue, int page, JobHost& job, const std::function<void(int entry)>& row) {
    const Catalogue::PageRange range = catalogue.pageEntries(page);
    const int64_t maximum = int64_t(range.end - range.first) + 1;
    const int n = catalogue.entryCount();
    job.ShowProgress(0, maximum);
    YieldClock clock(job.YieldIntervalMs());
    for (int i = range.first; i < range.end; ++i) {
        if (clock.due()) {
            job.ShowProgress(int64_t(i - range.first), maximum);
            job.ShowStatus(GetResourceString(TextId::Cataloguer::CreatingListItem) + QString::number(i + 1) +
                           GetResourceString(TextId::Cataloguer::Of) + QString::number(n) +
                           GetResourceString(TextId::Cataloguer::PleaseWait));
            job.Yield();
        }
        if (job.mblnStopAll) break;
        row(i);
    }
    job.ShowProgress(maximum, maximum);
}
