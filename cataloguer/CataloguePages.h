#pragma once
// What every catalogue page is made from besides the catalogue and the
// option record of its type, and the texts both page writers share.
//
// Everything that would make two renderings of the same page differ is an
// input: the moment the page is made and the locale that writes its date,
// time and size, the output name box, the tag preference of the moment, and
// the program's name, version and web address.  The window passes the clock's
// time, QLocale::system(), its boxes and VersionInfo; tests pass fixed values
// and compare whole pages.

#include "cataloguer/CatalogueColumns.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <cstdint>
#include <functional>

class Catalogue;
class JobHost;

// The program that the pages name.
struct CatalogueProgram {
    QString title;
    QString company;
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString webAddress;  // the maker's web site
};
// This program: its title, version (VersionInfo) and maker.
CatalogueProgram ThisProgram();

struct CataloguePageContext {
    QDateTime now;                // when the page is made
    QLocale locale;               // long date and time, digit grouping
    QString outputFileName;       // the output name box: the page files' names
    TagPreference preference = TagPreference::ID3v1;
    CatalogueProgram program;
};

// The total size as the collection properties show it: whole megabytes
// (units of 1,048,576 bytes, rounded down) with one decimal place and the
// locale's digit grouping, so "1,234.0" in US English.
QString CatalogueMegabytes(int64_t bytes, const QLocale& locale);
// The date and the time in the locale's long formats, without a time zone.
QString CatalogueLongDate(const QDateTime& now, const QLocale& locale);
QString CatalogueLongTime(const QDateTime& now, const QLocale& locale);
// "Generated using " + title + " " + major.minor.revision.
QString CatalogueGeneratedUsing(const CatalogueProgram& program);
// The name of page `page`'s file: the output name, a blank, the page number
// with at least three digits, "." and the extension.
QString CataloguePageFileName(const QString& outputFileName, int page, const QString& extension);

// Calls `row` with the 0-based index of each entry of page `page`, in order,
// as both writers make their rows: the progress bar runs to the page's
// entries plus one; at the job's yields it shows the progress and "Creating
// list item i of n - Please wait..." (i the entry's place in the whole
// catalogue); a stop request ends the rows early.  Error 9 for a page outside
// the catalogue.
void ForEachPageEntry(const Catalogue& catalogue, int page, JobHost& job, const std::function<void(int entry)>& row);
