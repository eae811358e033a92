// Scan- and simulate-results list files: exact bytes, round trips, the
// readers' tolerance (BOM, LF, CR, Windows-1252) and refusals.

#include "FilesTestSupport.h"
#include "foundation/Errors.h"
#include "foundation/ListFiles.h"
#include "foundation/NativePath.h"
#include "support/ScriptedUi.h"

#include <QStandardItemModel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace filetest;

namespace {

struct Row {
    bool checked = false;
    QStringList cells;
    bool operator==(const Row& o) const { return checked == o.checked && cells == o.cells; }
};

class VectorList final : public IListFileModel {
public:
    VectorList(QString name, int columns) : m_name(std::move(name)), m_columns(columns) {}
    QString listName() const override { return m_name; }
    int rowCount() const override { return int(rows.size()); }
    int columnCount() const override { return m_columns; }
    bool isChecked(int row) const override { return rows[size_t(row)].checked; }
    QString cellText(int row, int column) const override { return rows[size_t(row)].cells.value(column); }
    void clearRows() override { rows.clear(); }
    void appendRow(bool checked, std::span<const QStringView> cells) override {
        EXPECT_TRUE(loading) << "rows arrive inside beginLoad/endLoad";
        EXPECT_EQ(int(cells.size()), m_columns);
        QStringList texts;
        for (QStringView cell : cells) texts << cell.toString();
        rows.push_back({checked, texts});
    }
    void beginLoad() override {
        loading = true;
        ++loads;
    }
    void endLoad() override { loading = false; }

    std::vector<Row> rows;
    bool loading = false;
    int loads = 0;

private:
    QString m_name;
    int m_columns;
};

VectorList ScanList(std::vector<Row> rows) {
    VectorList list(ListFileName::ScanResults, 3);
    list.rows = std::move(rows);
    return list;
}

const QString kInvalidScan = QStringLiteral("This is not a valid Scan Results file.");

// ESC and two digits: an escape as a list file stores it.
QByteArray Esc(const char* digits) { return QByteArray("\x1b") + digits; }

const QByteArray kBom = "\xef\xbb\xbf";

class ListFiles : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
    ScriptedUi ui;
};

}  // namespace

TEST_F(ListFiles, WriterProducesTheExactFormat) {
    const VectorList list = ScanList({
        {true, {"One, Two, Three.mp3", "/music/Björk", ""}},
        {true, {"b.mp3", "", "x"}},
        {false, {"c.mp3", "tab\there", "line\r\nbreak"}},
    });
    EXPECT_TRUE(SaveListViewToTextFile(list, [&] { return path("out.scn"); }, "empty"));
    EXPECT_EQ(ReadBytes(path("out.scn")),
              "ListViewScanResults\r\n"
              "1One, Two, Three.mp3\t/music/Bj\xc3\xb6rk\t\t\r\n"
              "1b.mp3\t\tx\t\r\n"
              "0c.mp3\ttab" +
                  Esc("09") + "here\tline" + Esc("0D") + Esc("0A") + "break\t\r\n");
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ListFiles, RoundTripIsByteForByte) {
    const VectorList original = ScanList({
        {true, {"Jóga – live.mp3", "/music/Ünïcödé ✓", "1,234"}},
        {false, {"", "", ""}},
        {true, {"  spaced  ", "a;b", "\"quoted\""}},
    });
    WriteListFile(original, path("a.scn"));
    VectorList loaded(ListFileName::ScanResults, 3);
    LoadTextFileToListView(loaded, path("a.scn"), kInvalidScan);
    EXPECT_EQ(loaded.rows, original.rows);
    WriteListFile(loaded, path("b.scn"));
    EXPECT_EQ(ReadBytes(path("a.scn")), ReadBytes(path("b.scn")));

    // The simulate-results list uses the same format under its own name.
    VectorList sim(ListFileName::SimResults, 2);
    sim.rows = {{true, {"x", "Change"}}};
    WriteListFile(sim, path("s.sim"));
    EXPECT_TRUE(ReadBytes(path("s.sim")).startsWith("ListViewSimResults\r\n1x\tChange\t\r\n"));
}

TEST_F(ListFiles, EveryCellReadsBackItsExactTextAndPlainListsKeepTheirBytes) {
    // Per case: a cell's text (as a folder walk makes it from a name's bytes)
    // and its stored bytes.  Cells without control characters or bytes that
    // are not UTF-8 are stored as they always were.
    struct Case {
        const char* what;
        QString text;
        QByteArray stored;
        bool written = true;  // false: only read (a file of an older version)
    };
    const std::vector<Case> cases = {
        {"plain", "song.mp3", "song.mp3"},
        {"UTF-8", PathFromNative("Bj\xc3\xb6rk \xe2\x80\x93 J\xc3\xb3ga \xf0\x9f\x8e\xb5.mp3"),
         "Bj\xc3\xb6rk \xe2\x80\x93 J\xc3\xb3ga \xf0\x9f\x8e\xb5.mp3"},
        {"Windows-1252 line of an older version", QStringLiteral("Caf\u00e9 \u201cLive\u201d.mp3"),
         "Caf\xe9 \x93Live\x94.mp3", false},
        {"TAB", "tab\tname.mp3", "tab" + Esc("09") + "name.mp3"},
        {"CR, LF and other control characters", PathFromNative(QByteArray("a\rb\nc\x01\x1f\x00", 8)),
         "a" + Esc("0D") + "b" + Esc("0A") + "c" + Esc("01") + Esc("1F") + Esc("00")},
        {"not UTF-8", PathFromNative("caf\xe9 \xff.mp3"), "caf" + Esc("E9") + " " + Esc("FF") + ".mp3"},
        {"not UTF-8 beside a character outside the BMP", PathFromNative("\xf0\x9f\x8e\xb5\xf0\x9f"),
         "\xf0\x9f\x8e\xb5" + Esc("F0") + Esc("9F")},
        {"the escape character itself", PathFromNative("a\x1b" + QByteArray("b.mp3")), "a" + Esc("1B") + "b.mp3"},
        {"the escape character before two digits", PathFromNative(Esc("E9") + ".mp3"), Esc("1B") + "E9.mp3"},
        {"an escape of an older file without digits", PathFromNative("a\x1bz"), "a\x1bz", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray line = "1" + c.stored + "\t\r\n";
        const QByteArray file = "ListViewScanResults\r\n" + line;
        if (c.written) {
            VectorList list(ListFileName::ScanResults, 1);
            list.rows = {{true, {c.text}}};
            EXPECT_EQ(ListFileBytes(list), file);
        }
        WriteBytes(path("cell.scn"), file);
        VectorList loaded(ListFileName::ScanResults, 1);
        LoadTextFileToListView(loaded, path("cell.scn"), kInvalidScan);
        ASSERT_EQ(loaded.rows.size(), 1u);
        EXPECT_EQ(loaded.rows[0].cells[0], c.text);
        EXPECT_EQ(NativePath(loaded.rows[0].cells[0]), NativePath(c.text));
    }
}

TEST_F(ListFiles, ReaderAcceptsLineEndsBomAndShortOrLongLines) {
    struct Case {
        const char* what;
        QByteArray bytes;
        std::vector<Row> rows;
    };
    const std::vector<Case> cases = {
        {"CR LF", "ListViewScanResults\r\n1a\tb\tc\t\r\n0d\te\tf\t\r\n", {{true, {"a", "b", "c"}}, {false, {"d", "e", "f"}}}},
        {"LF", "ListViewScanResults\n1a\tb\tc\t\n0d\te\tf\t\n", {{true, {"a", "b", "c"}}, {false, {"d", "e", "f"}}}},
        {"lone CR, no final line end", "ListViewScanResults\r1a\tb\tc\t\r0d\te\tf\t",
         {{true, {"a", "b", "c"}}, {false, {"d", "e", "f"}}}},
        {"BOM", "\xef\xbb\xbfListViewScanResults\r\n1a\tb\tc\t\r\n", {{true, {"a", "b", "c"}}}},
        // Past the start of the file U+FEFF is text: the check mark of a line
        // that starts with it.  A line of it alone is an empty line: no row.
        {"a BOM starting a row line is its check mark", "ListViewScanResults\r\n" + kBom + "1a\tb\tc\t\r\n",
         {{false, {"1a", "b", "c"}}}},
        {"a line that is only a BOM",
         kBom + "ListViewScanResults\r\n1a\tb\tc\t\r\n" + kBom + "\r\n0d\te\tf\t\r\n",
         {{true, {"a", "b", "c"}}, {false, {"d", "e", "f"}}}},
        {"a BOM inside a cell", "ListViewScanResults\r\n1" + kBom + "a\tb" + kBom + "\tc\t\r\n",
         {{true, {QStringLiteral("\uFEFFa"), QStringLiteral("b\uFEFF"), "c"}}}},
        {"blank lines are skipped", "ListViewScanResults\r\n\r\n1a\tb\tc\t\r\n\r\n\r\n", {{true, {"a", "b", "c"}}}},
        {"only a check mark", "ListViewScanResults\r\n1\r\n", {{true, {"", "", ""}}}},
        {"any other mark is unchecked", "ListViewScanResults\r\nXa\tb\tc\t\r\n", {{false, {"a", "b", "c"}}}},
        {"missing fields are empty", "ListViewScanResults\r\n1a\t\r\n", {{true, {"a", "", ""}}}},
        {"a field without its TAB is empty", "ListViewScanResults\r\n1a\tb\tc\r\n", {{true, {"a", "b", ""}}}},
        {"extra fields are ignored", "ListViewScanResults\r\n1a\tb\tc\td\te\t\r\n", {{true, {"a", "b", "c"}}}},
        {"no rows", "ListViewScanResults\r\n", {}},
    };
    for (const Case& c : cases) {
        WriteBytes(path("in.scn"), c.bytes);
        VectorList list = ScanList({{true, {"old", "old", "old"}}});
        LoadTextFileToListView(list, path("in.scn"), kInvalidScan);
        EXPECT_EQ(list.rows, c.rows) << c.what;
        EXPECT_EQ(list.loads, 1) << c.what;
        EXPECT_FALSE(list.loading) << c.what;
    }
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ListFiles, ReaderTakesNonUtf8LinesAsWindows1252) {
    // A file of an older version: Windows-1252 throughout.
    WriteBytes(path("old.scn"), "ListViewScanResults\r\n1Caf\xe9\t\x93Quoted\x94\t\x80 5\t\r\n");
    VectorList list(ListFileName::ScanResults, 3);
    LoadTextFileToListView(list, path("old.scn"), kInvalidScan);
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.rows[0].cells, (QStringList{"Café", "“Quoted”", "€ 5"}));

    // Mixed: each line is decoded on its own.
    WriteBytes(path("mixed.scn"), "ListViewScanResults\r\n1Bj\xc3\xb6rk\t\t\t\r\n0Bj\xf6rk\t\t\t\r\n");
    LoadTextFileToListView(list, path("mixed.scn"), kInvalidScan);
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0].cells[0], "Björk");
    EXPECT_EQ(list.rows[1].cells[0], "Björk");
}

TEST_F(ListFiles, WrongOrEmptyFileIsRefusedAndTheRowsStay) {
    for (const QByteArray& bytes :
         {QByteArray("ListViewSimResults\r\n1a\tb\tc\t\r\n"), QByteArray("listviewscanresults\r\n1a\tb\tc\t\r\n"),
          QByteArray(""), kBom,
          // One mark starts the file; a second is part of the first line.
          kBom + kBom + "ListViewScanResults\r\n1a\tb\tc\t\r\n", kBom + "\r\nListViewScanResults\r\n1a\tb\tc\t\r\n"}) {
        WriteBytes(path("wrong.scn"), bytes);
        VectorList list = ScanList({{true, {"keep", "", ""}}});
        ui.shown.clear();
        LoadTextFileToListView(list, path("wrong.scn"), kInvalidScan);
        ASSERT_EQ(ui.shown.size(), 1u) << bytes.constData();
        EXPECT_EQ(ui.shown[0].prompt, kInvalidScan);
        EXPECT_EQ(ui.shown[0].title, "Invalid File");
        EXPECT_EQ(ui.shown[0].style, Mb::OKOnly | Mb::Exclamation);
        EXPECT_EQ(list.rows.size(), 1u);
        EXPECT_EQ(list.loads, 0);
    }
}

TEST_F(ListFiles, MissingFileDoesNothing) {
    VectorList list = ScanList({{true, {"keep", "", ""}}});
    LoadTextFileToListView(list, path("none.scn"), kInvalidScan);
    EXPECT_EQ(list.rows.size(), 1u);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ListFiles, EmptyListAndCancelWriteNothing) {
    VectorList empty = ScanList({});
    bool asked = false;
    EXPECT_FALSE(SaveListViewToTextFile(empty, [&] { asked = true; return path("x.scn"); }, "There are no Scan Results"));
    EXPECT_FALSE(asked) << "no dialog for an empty list";
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, "There are no Scan Results");
    EXPECT_EQ(ui.shown[0].title, "List Empty");

    ui.shown.clear();
    const VectorList list = ScanList({{true, {"a", "b", "c"}}});
    EXPECT_FALSE(SaveListViewToTextFile(list, [] { return QString(); }, "empty"));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_TRUE(Names(dir.path()).isEmpty());
}

TEST_F(ListFiles, ReadOnlyTargetIsRefusedAndKept) {
    WriteBytes(path("locked.scn"), "previous");
    SetMode(path("locked.scn"), 0444);
    const VectorList list = ScanList({{true, {"a", "b", "c"}}});
    EXPECT_FALSE(SaveListViewToTextFile(list, [&] { return path("locked.scn"); }, "empty"));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, path("locked.scn") + "\r\n\r\n" +
                                      "Cannot save file. Path/File access error. A file of this name already exists "
                                      "and may be read-only.");
    EXPECT_EQ(ui.shown[0].title, "Path/File Access Error");
    EXPECT_EQ(ReadBytes(path("locked.scn")), "previous");
}

TEST_F(ListFiles, ExistingFileIsReplacedWholeWithItsMode) {
    WriteBytes(path("old.scn"), QByteArray(5000, 'z'));
    SetMode(path("old.scn"), 0640);
    const VectorList list = ScanList({{true, {"a", "b", "c"}}});
    EXPECT_TRUE(SaveListViewToTextFile(list, [&] { return path("old.scn"); }, "empty"));
    EXPECT_EQ(ReadBytes(path("old.scn")), "ListViewScanResults\r\n1a\tb\tc\t\r\n");
    EXPECT_EQ(ModeOf(path("old.scn")), 0640u);
    EXPECT_EQ(Names(dir.path()), QStringList{"old.scn"});
}

TEST_F(ListFiles, WriteFailuresAreReportedOrPassedUp) {
    const VectorList list = ScanList({{true, {"a", "b", "c"}}});
    QDir(dir.path()).mkdir("folder.scn");
    EXPECT_FALSE(SaveListViewToTextFile(list, [&] { return path("folder.scn"); }, "empty"));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt,
              path("folder.scn") + "\r\n\r\nCannot save file. Path/File access error. The file may be read-only.");
    EXPECT_EQ(ui.shown[0].title, "Path/File Access Error");
    EXPECT_EQ(Names(dir.path()), QStringList{"folder.scn"}) << "no temporary file left";

    try {
        SaveListViewToTextFile(list, [&] { return path("missing/x.scn"); }, "empty");
        ADD_FAILURE() << "other errors go up the error trail";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::FileNotFound);
        EXPECT_TRUE(e.description().endsWith("|SaveListViewToTextFile;ListViewScanResults;empty"));
    }
}

TEST_F(ListFiles, ItemModelAdapterReadsAndFillsCheckStateInColumnZero) {
    QStandardItemModel model(0, 3);
    auto addRow = [&](bool checked, QStringList cells) {
        QList<QStandardItem*> items;
        for (const QString& c : cells) items << new QStandardItem(c);
        items[0]->setCheckable(true);
        items[0]->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        model.appendRow(items);
    };
    addRow(true, {"a.mp3", "/m", "x"});
    addRow(false, {"b.mp3", "/m", "y"});
    ItemModelListFile adapter(model, ListFileName::ScanResults);
    WriteListFile(adapter, path("m.scn"));
    EXPECT_EQ(ReadBytes(path("m.scn")), "ListViewScanResults\r\n1a.mp3\t/m\tx\t\r\n0b.mp3\t/m\ty\t\r\n");

    QStandardItemModel other(0, 3);
    ItemModelListFile target(other, ListFileName::ScanResults);
    other.appendRow({new QStandardItem("stale"), new QStandardItem, new QStandardItem});
    LoadTextFileToListView(target, path("m.scn"), kInvalidScan);
    ASSERT_EQ(other.rowCount(), 2);
    EXPECT_EQ(other.item(0, 0)->text(), "a.mp3");
    EXPECT_EQ(other.item(0, 0)->checkState(), Qt::Checked);
    EXPECT_EQ(other.item(1, 2)->text(), "y");
    EXPECT_EQ(other.item(1, 0)->checkState(), Qt::Unchecked);
}

TEST_F(ListFiles, WholeFileTextEndsEveryLineWithCrLf) {
    struct Case {
        QByteArray bytes;
        QString text;
    };
    for (const Case& c : {Case{"a\r\nb", "a\r\nb\r\n"}, Case{"a\nb\n", "a\r\nb\r\n"}, Case{"a\rb\r\n\r\n", "a\r\nb\r\n\r\n"},
                          Case{"", ""}, Case{"\xef\xbb\xbfx", "x\r\n"}, Case{"caf\xe9", "café\r\n"}}) {
        WriteBytes(path("t.txt"), c.bytes);
        EXPECT_EQ(GetTextFromFile(path("t.txt")), c.text) << c.bytes.constData();
    }
    try {
        GetTextFromFile(path("none.txt"));
        ADD_FAILURE() << "a missing file raises";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::FileNotFound);
        EXPECT_TRUE(e.description().endsWith("|GetTextFromFile;" + path("none.txt")));
    }
}

TEST_F(ListFiles, TheWholeFileDecoderReadsAsTheLineReader) {
    for (const QByteArray& bytes :
         {kBom + kBom + "a\r\nb", "a\r\n" + kBom + "\r\n" + kBom + "b\n", "caf\xe9\r\n" + kBom + "\r\n" + kBom + "x\r",
          kBom + "\r\n\r\nc", QByteArray("\r\n")}) {
        WriteBytes(path("t.txt"), bytes);
        QStringList lines;
        TextFileLines reader(path("t.txt"));
        for (QStringView line; reader.next(line);) lines << line.toString();
        EXPECT_EQ(DecodeTextFile(bytes).split(QLatin1Char('\n')),
                  lines + (bytes.endsWith('\n') || bytes.endsWith('\r') ? QStringList{""} : QStringList{}))
            << bytes.toHex().constData();
    }
}

TEST_F(ListFiles, LinesLongerThanTheReadBufferAndLineEndsAcrossIt) {
    // The reader reads in pieces of 1 MiB: put a CR LF exactly across the first
    // boundary, then a line of 3 MiB.
    const qsizetype boundary = 1 << 20;
    QByteArray first = "ListViewScanResults\r\n1";
    first += QByteArray(boundary - 1 - first.size() - 1, 'a');
    first += '\t';
    ASSERT_EQ(first.size(), boundary - 1);
    const QByteArray longCell(3 << 20, 'b');
    const QByteArray bytes = first + "\r\n0" + longCell + "\t\r\n1c\t\r";
    WriteBytes(path("big.scn"), bytes);

    VectorList list(ListFileName::ScanResults, 1);
    LoadTextFileToListView(list, path("big.scn"), kInvalidScan);
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rows[0].cells[0].size(), boundary - 24);
    EXPECT_EQ(list.rows[1].cells[0].size(), longCell.size());
    EXPECT_EQ(list.rows[2], (Row{true, {"c"}}));

    const QString text = GetTextFromFile(path("big.scn"));
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 4) << "a CR LF split by the buffer is one line end";
    EXPECT_EQ(text.size(), bytes.size() + 1);
}
