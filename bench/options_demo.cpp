// The Options dialog with a few sample options, for looking at its pages:
//   options_demo --screenshot FILE --page N [--no-skins]
// opens the dialog on page N (1 to 5) with settings kept in a scratch folder
// and saves a PNG of it (scripts/screenshot-options.sh runs it under Xvfb).

#include "foundation/Errors.h"
#include "foundation/FirstRun.h"
#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "options/MainOptions.h"
#include "foundation/SettingsStore.h"
#include "foundation/Twips.h"
#include "options/FileAssociations.h"
#include "options/ui/OptionsDialog.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("screenshot"), QStringLiteral("Save a PNG and quit."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("page"), QStringLiteral("Page 1 to 5."), QStringLiteral("n"), QStringLiteral("5")});
    parser.addOption({QStringLiteral("no-skins"), QStringLiteral("Skins off in the preferences.")});
    parser.process(app);

    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    InitialiseTwipsPerPixel();
    ResumeNext([] {
        SetAssociationRefresher([](const QString&) {});
        InitialiseFirstTimeOptions();
    });
    auto store = [](const char* section, const char* key, const char* value) {
        SaveOptionSetting(QLatin1String(section), QLatin1String(key), QLatin1String(value), SettingType::String);
    };
    store("Preferences", "UseSkins", parser.isSet(QStringLiteral("no-skins")) ? "0" : "1");
    store("MusicCataloguerHTML", "NumColumnHeadings", "3");
    store("MusicCataloguerHTML", "ColumnHeading1", "Track");
    store("MusicCataloguerHTML", "ColumnHeading2", "Title");
    store("MusicCataloguerHTML", "ColumnHeading3", "Artist");
    store("MusicCataloguerHTML", "SortBy", "1");
    store("MusicCataloguerHTML", "SortKey", "Artist");
    store("MusicCataloguerHTML", "ListTextColour", "Navy");
    store("MusicCataloguerText", "NumColumnHeadings", "3");
    store("MusicCataloguerText", "ColumnHeading1", "Track");
    store("MusicCataloguerText", "ColumnHeadingWidth1", "4");
    store("MusicCataloguerText", "ColumnHeading2", "Title");
    store("MusicCataloguerText", "ColumnHeadingWidth2", "30");
    store("MusicCataloguerText", "ColumnHeading3", "Year");
    store("MusicCataloguerText", "ColumnHeadingWidth3", "7");
    store("SourceSeparator", "4", "1");
    store("SourceSeparator", "TextSourceSeparator1", "_");
    store("ScanRules", "NumScanRules", "2");
    store("ScanRules", "1Choice", "Don't include files");
    store("ScanRules", "1Scope", "containing");
    store("ScanRules", "1Filter", "demo");
    store("ScanRules", "1Target", "in File Name");
    store("ScanRules", "1CaseSensitive", "False");
    store("ScanRules", "2Choice", "Only include files");
    store("ScanRules", "2Scope", "greater than");
    store("ScanRules", "2Filter", "1990");
    store("ScanRules", "2Target", "in ID3v1 Year");
    store("ScanRules", "2CaseSensitive", "False");
    store("SimulateRules", "NumSimulateRules", "1");
    store("SimulateRules", "1Choice", "Don't include");
    store("SimulateRules", "1Range", "between");
    store("SimulateRules", "1Point", "separator");
    store("SimulateRules", "1Point1", "2");
    store("SimulateRules", "1Point2", "3");
    ResumeNext([] { GetMainOptions(); });

    DialogOptions dialog;
    dialog.SelectTab(parser.value(QStringLiteral("page")).toInt());
    dialog.show();
    const QString file = parser.value(QStringLiteral("screenshot"));
    if (file.isEmpty()) return app.exec();
    QTimer::singleShot(800, [&] {
        dialog.grab().save(file);
        app.quit();
    });
    return app.exec();
}
