// Folder walk and file details over 100,000 files: builds a temporary tree
// (100 folders of 1,000 files) once, then times GetFolderList and
// GetFileDetails and prints files per second.  With a folder argument it
// walks that folder instead (a real collection, or a tree kept from before).

#include "foundation/FileDetails.h"
#include "foundation/FileUtils.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.path();
    const int folders = argc > 1 ? 0 : 100, perFolder = 1000;
    for (int f = 0; f < folders; ++f) {
        const QString folder = dir.filePath(QStringLiteral("Artist %1/Album").arg(f, 3, 10, QLatin1Char('0')));
        QDir().mkpath(folder);
        for (int i = 0; i < perFolder; ++i) {
            const QByteArray name = QFile::encodeName(folder + QStringLiteral("/%1 - Track Title.%2").arg(i).arg(i % 3 ? "mp3" : "MP3"));
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT, 0644);
            if (fd >= 0) ::close(fd);
        }
    }
    const bool stop = false;
    for (int round = 0; round < 3; ++round) {
        std::vector<FolderListEntry> list;
        QElapsedTimer timer;
        timer.start();
        GetFolderList(root, list, FileAttribute::ReadOnly, QStringLiteral("*.mp3"), true, stop);
        const double seconds = timer.nsecsElapsed() / 1e9;
        std::printf("walk:    %zu files in %.3f s = %.0f files/s\n", list.size(), seconds, list.size() / seconds);
        if (round == 2) {
            timer.start();
            size_t n = 0;
            for (const FolderListEntry& e : list) n += GetFileDetails(e.Folder + QLatin1Char('/') + e.FileName).Modified.size() > 0;
            const double detailSeconds = timer.nsecsElapsed() / 1e9;
            std::printf("details: %zu files in %.3f s = %.0f files/s\n", n, detailSeconds, n / detailSeconds);
        }
    }
    return 0;
}
