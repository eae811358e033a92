// The build step that checks the two string tables and writes the header of
// named text ids: what it refuses (the build then stops with the reason) and
// what it writes for tables in order.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kScript = QStringLiteral(SV_TEST_DATA_DIR "/../../scripts/check-strings.py");

struct ScriptRun {
    int exitCode = -1;
    QString output;
    QString header;  // empty when none was written
};

// Runs the script on a US and a UK table with the given lines.
ScriptRun Check(const QStringList& usLines, const QStringList& ukLines) {
    QTemporaryDir dir;
    auto write = [&](const char* name, const QStringList& lines) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(("# a table\n" + lines.join(QLatin1Char('\n')) + "\n").toUtf8());
    };
    write("strings_us.txt", usLines);
    write("strings_uk.txt", ukLines);
    const QString header = dir.filePath(QStringLiteral("out/resources/StringIds.h"));
    QProcess python;
    python.setProcessChannelMode(QProcess::MergedChannels);
    python.start(QStringLiteral("/usr/bin/python3"),
                 {kScript, QStringLiteral("--tables"), dir.path(), QStringLiteral("--header"), header});
    EXPECT_TRUE(python.waitForFinished(60000));
    ScriptRun run;
    run.exitCode = python.exitCode();
    run.output = QString::fromUtf8(python.readAll());
    QFile written(header);
    if (written.open(QIODevice::ReadOnly)) run.header = QString::fromUtf8(written.readAll());
    return run;
}

}  // namespace

TEST(StringIdsScript, WritesOneConstantPerEntryGroupedByArea) {
    const QStringList table = {"1170\tScan.ScanComplete\tScan complete", "1184\tCommon.CriticalError\tCritical Error",
                               "9001\tCommon.SomethingNew\tA line\\r\\nbreak \\\\"};
    const ScriptRun run = Check(table, table);
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.header.contains(QStringLiteral("namespace Scan {\ninline constexpr int32_t ScanComplete = 170;")))
        << run.header.toStdString();
    EXPECT_TRUE(run.header.contains(QStringLiteral("CriticalError = 184;  // \"Critical Error\"")));
    // A text's escapes stay escapes in the comment, so no comment line ends
    // in a backslash that would join the next line to it.
    EXPECT_TRUE(run.header.contains(QStringLiteral("SomethingNew = 8001;  // \"A line\\r\\nbreak \\\\\"")))
        << run.header.toStdString();
    EXPECT_LT(run.header.indexOf(QStringLiteral("namespace Common")),
              run.header.indexOf(QStringLiteral("namespace Scan")));
}

TEST(StringIdsScript, RefusesTablesThatDoNotNameTheirTextsAlike) {
    const QString ok = QStringLiteral("1170\tScan.ScanComplete\tScan complete");
    const struct {
        const char* what;
        QStringList us, uk;
        const char* reason;
    } cases[] = {
        {"no name column", {"1170\tScan complete"}, {"1170\tScan complete"}, "malformed line"},
        {"name not Area.Name", {"1170\tScanComplete\tScan complete"}, {"1170\tScanComplete\tScan complete"},
         "is not Area.Name"},
        {"lower-case area", {"1170\tscan.ScanComplete\tScan complete"}, {"1170\tscan.ScanComplete\tScan complete"},
         "is not Area.Name"},
        {"names differ between the tables", {ok}, {"1170\tScan.Complete\tScan complete"}, "in the UK table"},
        {"one name for two entries", {ok, "1171\tScan.ScanComplete\tRetrieving"},
         {ok, "1171\tScan.ScanComplete\tRetrieving"}, "also names entry 1170"},
        {"entry only in one table", {ok, "1171\tScan.RetrievingFiles\tRetrieving"}, {ok}, "only in the US table"},
        {"new code outside its area's block", {"2500\tScan.Late\tLate"}, {"2500\tScan.Late\tLate"},
         "outside its block"},
        {"new code of an area without a block", {"9500\tNowhere.Late\tLate"}, {"9500\tNowhere.Late\tLate"},
         "has no block"},
        {"raw tab inside a text", {"1170\tScan.ScanComplete\tScan\tcomplete"},
         {"1170\tScan.ScanComplete\tScan\tcomplete"}, "a tab inside the text"},
    };
    for (const auto& c : cases) {
        const ScriptRun run = Check(c.us, c.uk);
        EXPECT_EQ(run.exitCode, 1) << c.what;
        EXPECT_TRUE(run.output.contains(QString::fromUtf8(c.reason))) << c.what << ": " << run.output.toStdString();
        EXPECT_TRUE(run.header.isEmpty()) << c.what;
    }
}
