#include "scanning/engine/ReadAhead.h"

#include "foundation/NativePath.h"
#include "scanning/tagobject/ID3v2TagObject.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {
// Files read at once: several where the disk answers many requests at once,
// fewer where its heads serve them in turn.
constexpr int kReaders = 8;
constexpr int kRotationalReaders = 4;
// Files read ahead of the row being made.  Wide, so that readers never wait
// for room (a wait and a wake-up cost more than a file from the page cache).
constexpr int kWindow = 1024;

// Whether the block device `dev` has rotating heads: 1 yes, 0 no, -1 when
// it cannot be told (no device of its own, no such information, or a virtual
// disk, whose driver reports rotation by default whatever the host keeps
// its data on).
int Rotational(dev_t dev) {
    const QString device = QStringLiteral("/sys/dev/block/%1:%2").arg(major(dev)).arg(minor(dev));
    const QString where = QFileInfo(device).canonicalFilePath();
    if (where.isEmpty() || where.contains(QLatin1String("/virtio")) || where.contains(QLatin1String("/xen")))
        return -1;
    // A partition has no queue of its own: its disk's is one folder up.
    for (const char* flag : {"/queue/rotational", "/../queue/rotational"}) {
        QFile file(where + QLatin1String(flag));
        if (file.open(QIODevice::ReadOnly)) return file.readAll().trimmed() == "1" ? 1 : 0;
    }
    return -1;
}
}  // namespace

ReadPlan ScanReadPlan(const QString& folder) {
    struct stat st {};
    const bool rotational = ::stat(NativePath(folder).constData(), &st) == 0 && Rotational(st.st_dev) == 1;
    return ReadPlan{rotational ? kRotationalReaders : kReaders, kWindow};
}

namespace {
std::vector<OrderedWorkers<FolderListEntry, FileReading>::Work> Readers(const ScanningCentreOptions& filters,
                                                                        std::span<ID3v2TagObject> tagObjects) {
    std::vector<OrderedWorkers<FolderListEntry, FileReading>::Work> readers;
    readers.reserve(tagObjects.size());
    for (ID3v2TagObject& object : tagObjects)
        readers.push_back([reader = std::make_shared<FileReader>(object), filters](const FolderListEntry& entry,
                                                                                   FileReading& reading) {
            try {
                reader->read(entry, &filters, reading);
            } catch (...) {
                reading.outcome = FileReading::Outcome::Failed;
                reading.step = 0;
                reading.error = CurrentError();
            }
        });
    return readers;
}
}  // namespace

ReadAhead::ReadAhead(const ScanningCentreOptions& filters, std::span<ID3v2TagObject> tagObjects, int window)
    : m_workers(Readers(filters, tagObjects), window, "scan reader") {}

ReadAhead::ReadAhead(const std::vector<FolderListEntry>& work, const ScanningCentreOptions& filters,
                     std::span<ID3v2TagObject> tagObjects, int window)
    : ReadAhead(filters, tagObjects, static_cast<int>(std::clamp<int64_t>(int64_t(work.size()), 1, window))) {
    append(work.data(), work.size());
    finish();
}
