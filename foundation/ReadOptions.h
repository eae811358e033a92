#pragma once
// The option readers: each fills one option record of foundation/OptionRecords.h
// from the settings store, the program-wide instance unless told another
// record.  Every reader names each key's default, assigns each value to its
// field as soon as it is read, and on an error stops, keeps what it assigned
// so far and passes the error on with its own name appended.

#include "foundation/OptionRecords.h"

#include <QString>

// Reads every group, first-run defaults first (see foundation/FirstRun.h), in
// the order: preferences, scanning centre, coordinator, coordinator advanced,
// HTML catalogue, HTML header, HTML page properties, text catalogue, text
// header, encoder and decoder.  Values a group's reader refuses get their
// defaults back and the group is read to its end (ReadRepairing,
// foundation/SettingsStore.h), and so are the groups after it; the first
// refusal is raised once every group is read.  Any other error ends it:
// later groups are not read.
void GetMainOptions(OptionRecords& records = Options());

// "Preferences": GeneralPreferences::Read (foundation/PreferenceSettings.h)
void GetPreferences(GeneralPreferences& record = Options().Preferences);
// "MP3ScanningCentre", "ScanRules"
void GetScanningCentreOptions(ScanningCentreOptions& record = Options().ScanningCentre);
// "ComboFileNameFormat", "SourceSeparator", "FileNameTagCoordinator", "SimulateRules"
void GetFileNameTagCoordinatorOptions(CoordinatorOptions& record = Options().Coordinator);
// "FileNameTagCoordinator", "CSWFrom", "CSWTo", "SpecialWordsFormat"
void GetFileNameTagCoordinatorAdvOptions(CoordinatorAdvOptions& record = Options().CoordinatorAdv);
// "MusicCataloguerHTML": columns, sort, list font and fill, extension
void GetMusicCataloguerHTMLOptions(CataloguerHTMLOptions& record = Options().CataloguerHTML);
// "MusicCataloguerHTML": page header
void GetHTMLCataloguerHeaderOptions(CataloguerHTMLOptions& record = Options().CataloguerHTML);
// "MusicCataloguerHTML": page properties
void GetHTMLPageProperties(CataloguerHTMLOptions& record = Options().CataloguerHTML);
// "MusicCataloguerText": columns, widths, sort
void GetMusicCataloguerTextOptions(CataloguerTextOptions& record = Options().CataloguerText);
// "MusicCataloguerText": page header
void GetTextCataloguerHeaderOptions(CataloguerTextOptions& record = Options().CataloguerText);
// "EncoderDecoder"
void GetEncoderDecoderOptions(EncoderDecoderOptions& record = Options().EncoderDecoder);

// The largest rule count a store may announce ("NumScanRules",
// "NumSimulateRules"); a count outside 0 to this is refused before the rule
// array is touched (error 6 above, error 9 below 0).
constexpr int MaxRuleCount = 32766;

// The open Music Cataloguer window as the HTML reader sees it: while HTML
// output is selected its extension label follows the stored extension.  The
// window registers itself when it loads and unregisters (nullptr) when it
// unloads.
class ICataloguerOutputView {
public:
    virtual ~ICataloguerOutputView() = default;
    virtual bool IsHTMLOutputSelected() const = 0;
    virtual void SetExtensionCaption(const QString& caption) = 0;  // "XXX." + extension
};
void SetCataloguerOutputView(ICataloguerOutputView* view);
