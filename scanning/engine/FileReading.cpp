#include "scanning/engine/FileReading.h"

#include "scanning/engine/FileErrorReport.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/MPEGHeader.h"
#include "scanning/engine/ScanRules.h"

void FileReader::read(const FolderListEntry& entry, const ScanningCentreOptions* filters, FileReading& out) {
    out.record.FolderListEntry = entry;
    const QString& fileName = entry.FileName;
    ScanRecord& record = out.record;
    // The ID3v1 read is the first to touch the file: a file that cannot be
    // opened fails there.
    int32_t step = FileAction::ReadID3v1;
    try {
        const QString path = JoinFolderFile(entry.Folder, fileName);
        // A file gone since the walk reads as empty, as each reader leaves
        // its part of the record when there is no file.
        const bool opened = m_file.open(path);
        if (opened) {
            const int64_t size = m_file.size();
            if (HasID3v1Tag(size, size > kID3v1Size ? m_file.tail() : QByteArrayView())) {
                out.hasID3v1 = true;
                out.filteredID3v1 = filters && !filters->blnIncFilesWithID3v1;
                record.ID3v1Tag = ParseID3v1Block(reinterpret_cast<const uint8_t*>(m_file.tail().data()));
            } else {
                out.filteredID3v1 = filters && !filters->blnIncFilesWithoutID3v1;
            }

            step = FileAction::ReadID3v2;
            const QByteArrayView head = m_file.head();
            m_tag.ReadTagFromBytes(path, head.data(), head.size());
            out.hasID3v2 = m_tag.HasTag();
            if (out.hasID3v2) {
                out.filteredID3v2 = filters && !filters->blnIncFilesWithID3v2;
                FetchID3v2Frames(m_tag, record.ID3v2Tag);
            } else {
                out.filteredID3v2 = filters && !filters->blnIncFilesWithoutID3v2;
            }
        }
        if (filters) {
            // One passing filter is enough.
            if (out.filteredID3v1 && out.filteredID3v2) {
                out.outcome = FileReading::Outcome::Filtered;
                m_file.close();
                return;
            }
            step = 0;
            if (!ApplyScanRules(filters->udtScanRules, record.ID3v1Tag, record.ID3v2Tag, fileName)) {
                out.outcome = FileReading::Outcome::Filtered;
                m_file.close();
                return;
            }
        }
        if (opened) {
            // A failed header read keeps the row, with what it found so far.
            step = FileAction::ReadMPEG;
            record.MPEGInfo.FileSize = m_file.size();
            try {
                bool found = false;
                record.MPEGInfo = AnalyseMPEG(m_file, found);
            } catch (...) {
                out.step = step;
                out.error = CurrentError();
            }
            record.FileDetails = FileDetailsFromStatus(fileName, m_file.status(), m_times);
        }
    } catch (...) {
        out.outcome = FileReading::Outcome::Failed;
        out.step = step;
        out.error = CurrentError();
    }
    m_file.close();
}

namespace {
// The trail entry of the reader that failed, as it would add it.
QString ReaderTrail(const FileReading& r, const QString& path) {
    switch (r.step) {
    case FileAction::ReadID3v1:
        return CallSite(QStringLiteral("ReadID3v1TagInfo"), path, r.hasID3v1, r.filteredID3v1);
    case FileAction::ReadID3v2:
        return CallSite(QStringLiteral("ReadID3v2TagInfo"), path, r.hasID3v2, r.filteredID3v2);
    default: return CallSite(QStringLiteral("ReadMPEGInfo"), path, false);
    }
}
}  // namespace

bool SettleReading(const FileReading& r) {
    if (r.error) {
        // A failing scan rule has its trail already.
        if (r.step == 0) throw *r.error;
        const QString path = JoinFolderFile(r.record.FolderListEntry.Folder, r.record.FolderListEntry.FileName);
        if (!ReportReadFailure(path, r.step, *r.error)) {
            SvError error = *r.error;
            error.appendTrail(ReaderTrail(r, path));
            throw error;
        }
    }
    return r.outcome == FileReading::Outcome::Row;
}
