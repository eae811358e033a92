#include "ScanTestSupport.h"
#include "scanning/engine/FileBytes.h"

#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(FileBytes, ReadsMatchTheFileWhateverIsKept) {
    ScanTempDir dir;
    QByteArray content(10000, '\0');
    for (int i = 0; i < content.size(); ++i) content[i] = char((i * 131 + 7) % 251);
    const QString path = dir.write("f.bin", content);

    FileBytes file;
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(file.size(), 10000);
    // Small reads at the start and end fill the kept blocks; later reads cross
    // their edges.
    const struct {
        int64_t offset;
        size_t count;
    } reads[] = {{0, 10}, {9997, 3}, {9872, 128}, {4090, 20}, {4000, 96}, {100, 4096}, {9800, 400},
                 {9990, 100}, {10000, 5}, {5000, 0}, {0, 20000}};
    for (const auto& r : reads) {
        SCOPED_TRACE(r.offset);
        std::vector<uint8_t> buffer(r.count + 1, 0xEE);
        const size_t got = file.readAt(r.offset, buffer.data(), r.count);
        const QByteArray expected = content.mid(r.offset, qsizetype(r.count));
        ASSERT_EQ(got, size_t(expected.size()));
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(buffer.data()), qsizetype(got)), expected);
        EXPECT_EQ(buffer[got], 0xEE);
    }
    EXPECT_EQ(QByteArray(file.head().data(), file.head().size()), content.left(4096));
    EXPECT_EQ(QByteArray(file.tail().data(), file.tail().size()), content.right(128));

    // Short files, missing files and folders.
    FileBytes tiny;
    ASSERT_TRUE(tiny.open(dir.write("t.bin", "abc")));
    EXPECT_EQ(QByteArray(tiny.tail().data(), tiny.tail().size()), "abc");
    FileBytes none;
    EXPECT_FALSE(none.open(dir.file("missing")));
    EXPECT_FALSE(none.open(dir.path()));
    const QString dangling = dir.file("dangling");
    ASSERT_EQ(::symlink("nowhere", QFile::encodeName(dangling).constData()), 0);
    EXPECT_FALSE(none.open(dangling));
}
