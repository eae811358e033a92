#pragma once
// Helpers of the Apply tests: simulate rows built by hand over real files,
// and python3-mutagen as an independent reader of what Apply wrote.

#include "coordinator/ApplyChanges.h"
#include "coordinator/SimResultsModel.h"
#include "scanjob/ScanJobSupport.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

// One simulate row as a test gives it; the identity is taken from the file
// as it is when the row is added (as a Simulate run does).
struct TestRow {
    QString oldName;
    QString newName{};  // "" : the old name
    QString track{}, album{}, artist{}, title{};
    QString action = QStringLiteral("Change");
    bool checked = true;
};
void AddRow(SimResultsModel& table, const QString& folder, const TestRow& row);

// The tags of files as python3-mutagen reads them: per file "v2" (frame
// texts by frame ID, "" for none; absent when the file has no ID3v2 tag)
// and "v1" (title, artist, album, year, comment, track, genre; absent when
// the file has no ID3v1 tag), plus "pictures" (the number of APIC frames).
bool OracleAvailable();
QJsonObject OracleRead(const QString& path);

// A job host that yields after every file and can stop a run.
using ApplyHost = RecordingHost;

// The settings for a run with the given switches and no override.
ApplySettings Switches(bool fileName, bool id3v1, bool id3v2);
