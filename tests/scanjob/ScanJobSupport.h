#pragma once
// Helpers of the scan job tests: a folder of MP3 files made here (LAME audio,
// tags written by the program's own ID3v1 writer and the tag library), the
// scanning options set per test, a host that records what a job reports.

#include "foundation/JobHost.h"
#include "foundation/OptionRecords.h"
#include "scanning/engine/FileBytes.h"
#include "scanning/engine/TagRecords.h"
#include "support/Audio.h"
#include "support/ScopedOptions.h"
#include "support/TestFiles.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <vector>

// A temporary folder of files.
class MusicFolder {
public:
    MusicFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.filePath(relative); }
    // Writes `bytes` (folders made as needed) and returns the full path.
    QString write(const QString& relative, const QByteArray& bytes) const;
    // An MP3 of LameAudio() with the tags given (none when null).
    QString mp3(const QString& relative, const ID3v1Tag* v1 = nullptr, const ID3v2Tag* v2 = nullptr) const;
    // Writes `bytes` at a relative path given as the file system's bytes
    // (names that are not UTF-8, paths too long to name whole), making its
    // folders one by one, and returns the path's text.
    QString writeNative(const QByteArray& relative, const QByteArray& bytes) const;
    // Everything goes, however deep or oddly named.
    ~MusicFolder();

private:
    QTemporaryDir m_dir;
};

// A relative folder path of `levels` folders of 200 characters each: from 21
// levels on, a file inside it has a path longer than the system allows.
QByteArray DeepFolders(int levels);


// A fully filled tag of each kind.
ID3v1Tag SampleID3v1(const QString& title = QStringLiteral("Song One"));
ID3v2Tag SampleID3v2(const QString& title = QStringLiteral("Song One (v2)"));

// The scanning options of a first run, as a scan takes them.
ScanningCentreOptions FirstRunScanOptions();

// Sets the program-wide options that tag access and the file tools read to
// the values of a first run, and puts every option back afterwards.
class ScanOptions : public ScopedOptions {
public:
    ScanOptions();
};

// Records what a job shows; can stop the job when it reaches a position.
class RecordingHost : public JobHost {
public:
    void ShowStatus(const QString& text) override { statuses << text; }
    void ShowProgress(int64_t position, int64_t maximum) override {
        lastPosition = position;
        lastMaximum = maximum;
        if (stopAtPosition >= 0 && position >= stopAtPosition) mblnStopAll = true;
    }
    void Yield() override {
        ++yields;
        if (onYield) onYield();
    }
    QString Caption() const override { return QStringLiteral("Scanning Window"); }
    int YieldIntervalMs() const override { return 0; }

    QStringList statuses;
    int64_t lastPosition = -1, lastMaximum = -1;
    int64_t stopAtPosition = -1;
    int yields = 0;
    std::function<void()> onYield;
};

// While alive, the scan's file reads fail as `fault` decides (see
// SetFileFaultForTesting).
struct FileFault {
    explicit FileFault(FileFaultFunction fault) { SetFileFaultForTesting(fault); }
    ~FileFault() { SetFileFaultForTesting(nullptr); }
    FileFault(const FileFault&) = delete;
    FileFault& operator=(const FileFault&) = delete;
};
// Reads of files whose names end in "-unreadable.mp3" fail as a bad disk
// sector does (EIO).
int FailUnreadable(const QByteArray& nativePath, bool reading);

// An ID3v2.3 tag built byte by byte: frames given as (ID, body).
QByteArray ID3v23Tag(const std::vector<std::pair<QByteArray, QByteArray>>& frames, int padding = 0);
// A text frame body (encoding 0, Latin-1) and a comment frame body.
QByteArray TextBody(const QByteArray& text);
QByteArray CommentBody(const QByteArray& description, const QByteArray& text);
// The frame IDs of an ID3v2.3 tag at the start of `file`, in order.
QList<QByteArray> FrameIDs(const QByteArray& file);
