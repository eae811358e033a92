#include "ScanJobSupport.h"

#include "foundation/NativePath.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/ID3v2TagInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray SyncSafe(uint32_t n) {
    QByteArray b(4, '\0');
    for (int i = 3; i >= 0; --i) {
        b[i] = char(n & 0x7F);
        n >>= 7;
    }
    return b;
}
}  // namespace

MusicFolder::MusicFolder() {
    // Others may enter it, so a test without file rights still reaches it.
    ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
}

namespace {
// Removes everything inside the open folder `fd` (taken over), by names
// relative to it, so no path ever has to be named whole.
void EmptyFolder(int fd) {
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (!std::strcmp(name, ".") || !std::strcmp(name, "..")) continue;
        if (::unlinkat(::dirfd(dir), name, 0) == 0) continue;
        const int child = ::openat(::dirfd(dir), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child >= 0) EmptyFolder(child);
        ::unlinkat(::dirfd(dir), name, AT_REMOVEDIR);
    }
    ::closedir(dir);
}
}  // namespace

MusicFolder::~MusicFolder() {
    const int fd = ::open(QFile::encodeName(m_dir.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) EmptyFolder(fd);
}

QString MusicFolder::writeNative(const QByteArray& relative, const QByteArray& bytes) const {
    int fd = ::open(QFile::encodeName(m_dir.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const QList<QByteArray> parts = relative.split('/');
    for (qsizetype i = 0; i + 1 < parts.size() && fd >= 0; ++i) {
        ::mkdirat(fd, parts[i].constData(), 0755);
        const int next = ::openat(fd, parts[i].constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = next;
    }
    const int out = fd >= 0 ? ::openat(fd, parts.back().constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644) : -1;
    if (out < 0 || ::write(out, bytes.constData(), size_t(bytes.size())) != bytes.size())
        ADD_FAILURE() << "cannot write " << relative.constData();
    if (out >= 0) ::close(out);
    if (fd >= 0) ::close(fd);
    return m_dir.path() + QLatin1Char('/') + PathFromNative(relative);
}

int FailUnreadable(const QByteArray& nativePath, bool reading) {
    return reading && nativePath.endsWith("-unreadable.mp3") ? EIO : 0;
}

QByteArray DeepFolders(int levels) {
    QByteArray path;
    for (int i = 0; i < levels; ++i) path += QByteArray(199, char('a' + i % 26)) + QByteArray::number(i % 10) + '/';
    path.chop(1);
    return path;
}

QString MusicFolder::write(const QString& relative, const QByteArray& bytes) const {
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) ADD_FAILURE() << "cannot write " << path.toStdString();
    out.write(bytes);
    return path;
}

QString MusicFolder::mp3(const QString& relative, const ID3v1Tag* v1, const ID3v2Tag* v2) const {
    const QString path = write(relative, LameAudio());
    if (v2) {
        EXPECT_TRUE(WriteID3v2TagInfo(path, *v2, false)) << path.toStdString();
    }
    if (v1) {
        EXPECT_TRUE(WriteID3v1TagInfo(path, *v1, false)) << path.toStdString();
    }
    return path;
}

ID3v1Tag SampleID3v1(const QString& title) {
    ID3v1Tag t;
    t.Title = title;
    t.Artist = QStringLiteral("The Artist");
    t.Track = 7;
    t.Album = QStringLiteral("First Album");
    t.Year = QStringLiteral("1999");
    t.Comment = QStringLiteral("v1 comment");
    t.Genre = 17;  // Rock
    return t;
}

ID3v2Tag SampleID3v2(const QString& title) {
    ID3v2Tag t;
    t.Title = title;
    t.Artist = QStringLiteral("Ärtist Zwei");
    t.Track = QStringLiteral("7/12");
    t.Album = QStringLiteral("Second Album");
    t.Year = QStringLiteral("2001");
    t.Comment = QStringLiteral("v2 comment");
    t.Genre = QStringLiteral("(17)");
    t.Composer = QStringLiteral("A Composer");
    t.OrigArtist = QStringLiteral("An Original");
    t.Copyright = QStringLiteral("2001 Someone");
    t.URL = QStringLiteral("http://example.org/song");
    t.EncodedBy = QStringLiteral("An Encoder");
    return t;
}

ScanningCentreOptions FirstRunScanOptions() {
    ScanningCentreOptions options;
    options.blnClearResults = true;
    options.blnIncFilesWithID3v1 = options.blnIncFilesWithoutID3v1 = true;
    options.blnIncFilesWithID3v2 = options.blnIncFilesWithoutID3v2 = true;
    options.strScanFilter = QStringLiteral("*.mp3");
    return options;
}

ScanOptions::ScanOptions() {
    Options().ScanningCentre = FirstRunScanOptions();
    Options().Preferences.blnWriteReadOnly = false;
    Options().Preferences.blnDisplayMessageBox = true;
    Options().Preferences.blnUseRecycleBin = false;
}

QByteArray ID3v23Tag(const std::vector<std::pair<QByteArray, QByteArray>>& frames, int padding) {
    QByteArray body;
    for (const auto& [id, content] : frames) {
        body += id;
        char size[4];
        qToBigEndian(uint32_t(content.size()), size);
        body.append(size, 4);
        body.append(2, '\0');
        body += content;
    }
    body.append(padding, '\0');
    return QByteArray("ID3\x03\x00\x00", 6) + SyncSafe(uint32_t(body.size())) + body;
}

QByteArray TextBody(const QByteArray& text) { return QByteArray(1, '\0') + text; }

QByteArray CommentBody(const QByteArray& description, const QByteArray& text) {
    return QByteArray(1, '\0') + "eng" + description + QByteArray(1, '\0') + text;
}

QList<QByteArray> FrameIDs(const QByteArray& file) {
    QList<QByteArray> ids;
    if (!file.startsWith("ID3") || file.size() < 10) return ids;
    const auto* h = reinterpret_cast<const uint8_t*>(file.constData());
    const int64_t end = 10 + ((int64_t(h[6]) << 21) | (int64_t(h[7]) << 14) | (int64_t(h[8]) << 7) | h[9]);
    int64_t pos = 10;
    while (pos + 10 <= end && file.at(qsizetype(pos)) != '\0') {
        ids << file.mid(pos, 4);
        pos += 10 + qFromBigEndian<uint32_t>(file.constData() + pos + 4);
    }
    return ids;
}

namespace {
// The one tag object for the whole test program, as the start procedure
// makes it.
class TagObjectEnvironment : public ::testing::Environment {
public:
    void SetUp() override { InitialiseQuillmarkClass(); }
    void TearDown() override { TerminateID3v2Class(); }
};
[[maybe_unused]] ::testing::Environment* const g_tagObject =
    ::testing::AddGlobalTestEnvironment(new TagObjectEnvironment);
}  // namespace
