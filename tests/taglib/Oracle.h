#pragma once
// An independent reader and writer of tags for the tag library's tests:
// python3-mutagen, run as a child process (a test-only oracle).  Tests skip
// when it is not installed.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace tagtest {

inline const char* kPython = "/usr/bin/python3";

// Prints the tags of the files named as a JSON array, one object per file:
// version and every frame by its key, as stored (no conversion between
// versions).
inline const char* kOracleReader = R"PY(
import sys, json, hashlib
from mutagen.id3 import ID3

def read(path):
    t = ID3(path, translate=False)
    out = {"version": "%d.%d" % t.version[:2], "frames": {}}
    for key, f in t.items():
        d = {"id": f.FrameID}
        for name in ("lang", "desc", "mime", "type", "owner", "url"):
            if hasattr(f, name):
                v = getattr(f, name)
                d[name] = v if isinstance(v, str) else str(int(v)) if name == "type" else repr(v)
        if hasattr(f, "text"):
            d["text"] = "\n".join(str(x) for x in f.text) if isinstance(f.text, list) else f.text
        if hasattr(f, "people"):
            d["people"] = "\n".join(a + "=" + b for a, b in f.people)
        if hasattr(f, "data"):
            d["sha"] = hashlib.sha1(f.data).hexdigest()
        out["frames"][key] = d
    return out

print(json.dumps([read(path) for path in sys.argv[1:]]))
)PY";

inline bool OracleAvailable() {
    QProcess p;
    p.start(QString::fromLatin1(kPython), {"-c", "import mutagen.id3"});
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

inline QByteArray RunPython(const char* script, const QStringList& args) {
    QProcess p;
    p.start(QString::fromLatin1(kPython), QStringList{"-c", QString::fromUtf8(script)} + args);
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

// The tags of several files in one run of the reader, in the order given.
inline QJsonArray OracleReadAll(const std::vector<std::string>& files) {
    QStringList args;
    for (const std::string& f : files) args << QString::fromStdString(f);
    const QJsonArray tags = QJsonDocument::fromJson(RunPython(kOracleReader, args)).array();
    EXPECT_EQ(tags.size(), qsizetype(files.size()));
    return tags;
}

inline QJsonObject OracleRead(const std::string& file) {
    return OracleReadAll({file})[0].toObject();
}

}  // namespace tagtest
