#pragma once
// Helpers of the cataloguer window tests: a main window whose results list
// holds the catalogue tests' sample rows, the cataloguer over it with the
// first-run catalogue options, a fixed clock and US English, the folder
// browser and the output-name box answered by the test, and the files a
// save leaves.

#include "cataloguer/ui/FindDialog.h"
#include "cataloguer/ui/MusicCataloguer.h"
#include "mainwin/MainWinSupport.h"
#include "support/RecordingDesktop.h"

#include <QPointer>

class CataloguerWindowTest : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new cataloguer (the previous one, if any, is closed first).
    FormMusicCataloguer& OpenCataloguer();
    void CloseCataloguer();
    // The seven checked sample rows (and one unchecked) in the main window.
    void AddRows();
    // `count` checked rows of numbered titles.
    void AddNumberedRows(int count);
    // Build with `perPage` entries a page.
    void Build(const QString& perPage);
    // Save into `folder` (the folder browser's answer; empty cancels).
    void Save(const QString& folder);
    // The page file's bytes.
    static QByteArray Bytes(const QString& path);
    static QByteArray Golden(const QString& name);
    // The files in `folder`, sorted.
    static QStringList FilesIn(const QString& folder);
    bool StatusIs(const QString& text) const;

    RecordingDesktop desktop;
    QString browsed;  // the folder browser's answer
    int browses = 0;
    QString askedName;  // the output-name box's answer
    int asks = 0;
    QPointer<FormMusicCataloguer> cataloguer;
};
