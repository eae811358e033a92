// File details: attribute letters and the display texts of the file times.

#include "FilesTestSupport.h"
#include "foundation/FileDetails.h"
#include "foundation/FileUtils.h"

#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

using namespace filetest;

namespace {

// Local time one hour east of UTC for the test's duration.
class TimeZoneOneHourEast {
public:
    TimeZoneOneHourEast() : m_had(qEnvironmentVariableIsSet("TZ")), m_old(qgetenv("TZ")) {
        qputenv("TZ", "XST-1");
        ::tzset();
    }
    ~TimeZoneOneHourEast() {
        if (m_had) qputenv("TZ", m_old);
        else qunsetenv("TZ");
        ::tzset();
    }

private:
    bool m_had;
    QByteArray m_old;
};

void SetTimes(const QString& path, time_t accessed, time_t modified, long nanoseconds) {
    const struct timespec times[2] = {{accessed, nanoseconds}, {modified, nanoseconds}};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

}  // namespace

TEST(FileDetailsTest, MissingFileGivesFourEmptyTexts) {
    const FileDetails d = GetFileDetails(QStringLiteral("/no/such/file.mp3"));
    EXPECT_TRUE(d.Attributes.isEmpty() && d.Created.isEmpty() && d.Modified.isEmpty() && d.Accessed.isEmpty());
}

TEST(FileDetailsTest, AttributeLettersFromModeAndName) {
    QTemporaryDir dir;
    struct Case {
        const char* name;
        mode_t mode;
        const char* letters;
    };
    for (const Case& c : {Case{"plain.mp3", 0644, ""}, Case{"locked.mp3", 0444, "R"}, Case{".hidden.mp3", 0644, "H"},
                          Case{".both.mp3", 0464, "RH"}}) {
        const QString file = dir.filePath(QString::fromLatin1(c.name));
        WriteBytes(file, "x");
        SetMode(file, c.mode);
        EXPECT_EQ(GetFileDetails(file).Attributes, QString::fromLatin1(c.letters)) << c.name;
    }
}

TEST(FileDetailsTest, AttributeBitsGiveLettersInFixedOrder) {
    EXPECT_EQ(ConvertFileAttributesToString(FileAttribute::Hidden | FileAttribute::System | FileAttribute::Archive),
              "HSA");
    EXPECT_EQ(ConvertFileAttributesToString(FileAttribute::Archive | FileAttribute::ReadOnly), "RA");
    EXPECT_EQ(ConvertFileAttributesToString(FileAttribute::Directory | 128), "");
    EXPECT_EQ(ConvertFileAttributesToString(0), "");
}

TEST(FileDetailsTest, TimesAreLocalWholeSecondsInTheLocaleFormat) {
    TimeZoneOneHourEast zone;
    QTemporaryDir dir;
    const QString file = dir.filePath("song.mp3");
    WriteBytes(file, "x");
    // 2024-06-15 22:30:59.999 UTC and 2001-01-10 03:04:05 UTC.
    SetTimes(file, 979095845, 1718490659, 999999999);

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    FileDetails d = GetFileDetails(file);
    EXPECT_EQ(d.Modified, "6/15/2024 11:30:59 PM");
    EXPECT_EQ(d.Accessed, "1/10/2001 4:04:05 AM");

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    d = GetFileDetails(file);
    EXPECT_EQ(d.Modified, "15/06/2024 23:30:59");
    QLocale::setDefault(QLocale::system());
}
