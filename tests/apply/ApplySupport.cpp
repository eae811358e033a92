#include "ApplySupport.h"

#include "foundation/FileUtils.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const char* kPython = "/usr/bin/python3";

const char* kReader = R"PY(
import sys, json
from mutagen.id3 import ID3, ParseID3v1, ID3NoHeaderError
out = []
for path in sys.argv[1:]:
    r = {}
    try:
        t = ID3(path, translate=False)
        v2 = {}
        for f in t.values():
            if f.FrameID == "WXXX":
                v2["WXXX"] = f.url
            elif f.FrameID == "COMM":
                v2["COMM"] = "\n".join(f.text)
            elif hasattr(f, "text"):
                v2[f.FrameID] = "\n".join(str(x) for x in f.text)
        r["v2"] = v2
        r["pictures"] = len(t.getall("APIC"))
        r["version"] = "%d.%d" % t.version[:2]
    except ID3NoHeaderError:
        r["pictures"] = 0
    with open(path, "rb") as f:
        data = f.read()
    if len(data) > 128 and data[-128:-125] == b"TAG":
        frames = ParseID3v1(data[-128:])
        v1 = {}
        for key, name in (("TIT2", "title"), ("TPE1", "artist"), ("TALB", "album"), ("TDRC", "year"),
                          ("COMM", "comment"), ("TRCK", "track")):
            v1[name] = str(frames[key].text[0]) if key in frames else ""
        v1["genre"] = data[-1]
        r["v1"] = v1
    out.append(r)
print(json.dumps(out))
)PY";

}  // namespace

void AddRow(SimResultsModel& table, const QString& folder, const TestRow& row) {
    SimRowTexts cells;
    cells[SimColumn::OldFileName] = row.oldName;
    cells[SimColumn::Folder] = folder;
    cells[SimColumn::Track] = row.track;
    cells[SimColumn::Album] = row.album;
    cells[SimColumn::Artist] = row.artist;
    cells[SimColumn::Title] = row.title;
    cells[SimColumn::NewFileName] = row.newName.isEmpty() ? row.oldName : row.newName;
    cells[SimColumn::Action] = row.action;
    table.appendRow(row.checked, cells);
    table.setIdentity(table.rows() - 1, IdentityOf(JoinPath(folder, row.oldName)));
}

bool OracleAvailable() {
    QProcess p;
    p.start(QString::fromLatin1(kPython), {"-c", "import mutagen.id3"});
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QJsonObject OracleRead(const QString& path) {
    QProcess p;
    p.start(QString::fromLatin1(kPython), {"-c", QString::fromUtf8(kReader), path});
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(p.readAllStandardOutput()).array().at(0).toObject();
}

ApplySettings Switches(bool fileName, bool id3v1, bool id3v2) {
    ApplySettings s;
    s.changeFileName = fileName;
    s.changeID3v1Tag = id3v1;
    s.changeID3v2Tag = id3v2;
    return s;
}
