#pragma once
// Shared pieces of the catalogue tests: results rows built field by field,
// the option records of a first run, a fixed page context, and a job host
// that records what a job shows and can press Stop.

#include "cataloguer/Catalogue.h"
#include "cataloguer/CataloguePages.h"
#include "foundation/JobHost.h"
#include "foundation/OptionRecords.h"
#include "scanning/engine/ScanRecord.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <utility>

class ScanResultsModel;

// A results row: every cell empty but those given, by column index.
QStringList RowCells(std::initializer_list<std::pair<int, QString>> cells);
// The record of such a row.
ScanRecord EntryFrom(std::initializer_list<std::pair<int, QString>> cells);
// The file names of a catalogue's entries, in order.
QStringList FileNames(const Catalogue& catalogue);

// The records as a first run leaves them.
CataloguerHTMLOptions FirstRunHTMLOptions();
CataloguerTextOptions FirstRunTextOptions();
// Columns and widths in one go.
void SetTextColumns(CataloguerTextOptions& options, std::initializer_list<std::pair<const char*, int>> columns);
void SetHTMLColumns(CataloguerHTMLOptions& options, std::initializer_list<const char*> columns);

// Monday 4 March 2024, 15:04:05, US English, "My Music Collection",
// Sonivard 1.0.0.
CataloguePageContext FixedContext(TagPreference preference = TagPreference::ID3v1);

// Seven checked rows and one unchecked one: ties in the artist, titles with
// markup, quotes and ampersands, letters outside Latin-1, empty numbers.
void AddSampleRows(ScanResultsModel& model);

class RecordingJob : public JobHost {
public:
    void ShowStatus(const QString& text) override { statuses << text; }
    void ShowProgress(int64_t position, int64_t maximum) override {
        lastPosition = position;
        lastMaximum = maximum;
    }
    void Yield() override {
        ++yields;
        if (stopAtYield > 0 && yields >= stopAtYield) mblnStopAll = true;
    }
    int YieldIntervalMs() const override { return 0; }  // a yield before every entry

    QStringList statuses;
    int64_t lastPosition = -1;
    int64_t lastMaximum = -1;
    int yields = 0;
    int stopAtYield = 0;  // Stop pressed during this yield (1-based); 0 never
};
