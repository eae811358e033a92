// The stored form of single controls' states: a list's sort and columns, a
// font, an editable combo box's history.

#include "windowsettings/SettingsFixture.h"

#include "options/ControlSettings.h"

namespace {

const QString kList = QStringLiteral("ListViewTest");

}  // namespace

TEST_F(SettingsTest, ColumnWidthsComeBackAndAShownColumnNeverComesBackWithoutWidth) {
    struct Case {
        const char* visible;  // nullptr: not stored
        const char* width;
        double expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, 1440},  // a first start
        {"True", "2000", 2000},
        {"1", "500", 500},
        {"True", "1e3", 1000},
        {"False", "2000", 0},  // hidden, its last width kept in the store
        {"0", nullptr, 0},
        // Shown but stored without a width it could show: the default width.
        {"True", "0", 1440},
        {"True", "-300", 1440},
        {"True", "wide", 1440},
        {nullptr, "", 1440},
    };
    for (const Case& c : cases) {
        const QString list = kList + QString::number(&c - cases);
        if (c.visible) Store(list, "1Visible", c.visible);
        if (c.width) Store(list, "1Width", c.width);
        ListColumnSettings columns;
        columns.Read(list, 1);
        ASSERT_EQ(columns.Widths.size(), 1u);
        EXPECT_EQ(columns.Widths[0], c.expected) << (c.visible ? c.visible : "-") << " " << (c.width ? c.width : "-");
    }
}

TEST_F(SettingsTest, ColumnsBeyondTheStoredOnesAreShownAtTheDefaultWidth) {
    Store(kList, "1Width", "900");
    Store(kList, "5Width", "900");  // a column the list no longer has
    ListColumnSettings columns;
    columns.Read(kList, 3);
    EXPECT_EQ(columns.Widths, (std::vector<double>{900, 1440, 1440}));
}

TEST_F(SettingsTest, AHiddenColumnStoresOnlyItsVisibility) {
    Store(kList, "2Width", "777");
    ListColumnSettings columns;
    columns.Widths = {1234.5, 0, 60};
    columns.Write(kList);
    EXPECT_EQ(Contents(), (std::vector<StoredRow>{{kList, "2Width", "777"},
                                                  {kList, "1Visible", "True"},
                                                  {kList, "1Width", "1234.5"},
                                                  {kList, "2Visible", "False"},
                                                  {kList, "3Visible", "True"},
                                                  {kList, "3Width", "60"}}));
}

TEST_F(SettingsTest, AColumnsVisibilityThatIsNoTruthStopsTheReading) {
    Store(kList, "2Visible", "perhaps");
    ListColumnSettings columns;
    const auto [number, description] = ErrorOf([&] { columns.Read(kList, 3); });
    EXPECT_EQ(number, ErrNo::TypeMismatch);
    EXPECT_TRUE(description.endsWith("|ReadColumnSettings;ListViewTest")) << description.toStdString();
    EXPECT_EQ(columns.Widths, std::vector<double>{1440});  // the first column was read
}

TEST_F(SettingsTest, SortStateReadsAsStoredWithinItsRange) {
    struct Case {
        const char *sorted, *key, *order;  // nullptr: not stored
        ListSortSettings expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, {false, 0, 0}},
        {"True", "3", "1", {true, 3, 1}},
        {"1", "2", "0", {true, 2, 0}},
        {"False", "7", "1", {false, 7, 1}},  // unsorted still keeps key and order
        {"True", "-2", "7", {true, 0, 0}},
        {"True", "x", "descending", {true, 0, 0}},
    };
    for (const Case& c : cases) {
        const QString list = kList + QString::number(&c - cases);
        if (c.sorted) Store(list, "Sorted", c.sorted);
        if (c.key) Store(list, "SortKey", c.key);
        if (c.order) Store(list, "SortOrder", c.order);
        ListSortSettings sort;
        sort.Read(list);
        EXPECT_EQ(sort, c.expected) << list.toStdString();
    }
    Store(kList, "Sorted", "sometimes");
    ListSortSettings sort;
    const auto [number, description] = ErrorOf([&] { sort.Read(kList); });
    EXPECT_EQ(number, ErrNo::TypeMismatch);
    EXPECT_TRUE(description.endsWith("|ReadSortSettings;ListViewTest")) << description.toStdString();
}

TEST_F(SettingsTest, FontKeepsItsFractionalSizeAndAnEmptyStoreKeepsTheDesign) {
    FontSettings empty;
    empty.Read("RichViewer");
    EXPECT_EQ(empty, FontSettings{});

    const FontSettings font{"DejaVu Serif", 8.25, true, false};
    font.Write("RichViewer");
    EXPECT_EQ(Contents(), (std::vector<StoredRow>{{"RichViewer", "FontName", "DejaVu Serif"},
                                                  {"RichViewer", "FontSize", "8.25"},
                                                  {"RichViewer", "FontItalic", "True"},
                                                  {"RichViewer", "FontBold", "False"}}));
    FontSettings back;
    back.Read("RichViewer");
    EXPECT_EQ(back, font);

    const FontSettings longSize{"Sans", 9.333333, false, true};
    longSize.Write("Other");
    EXPECT_EQ(Stored("Other", "FontSize"), "9.3333");
}

// ---- combo box histories ------------------------------------------------------------

TEST_F(SettingsTest, AComboHistoryWritesItsLastEntriesNewestFirst) {
    struct Case {
        const char* name;
        QStringList list;
        QString text;
        bool typed;
        int limit;
        QStringList listAfter;
        std::vector<StoredRow> stored;  // the keys written, in order
    };
    const QString box = QStringLiteral("ComboTest");
    const Case cases[] = {
        {"a new typed entry joins the list", {"A", "B"}, "C", true, 5, {"A", "B", "C"},
         {{box, "1", "C"}, {box, "2", "B"}, {box, "3", "A"}, {box, "Text", "C"}}},
        {"the limit keeps the newest", {"1", "2", "3", "4", "5", "6"}, "7", true, 5,
         {"1", "2", "3", "4", "5", "6", "7"},
         {{box, "1", "7"}, {box, "2", "6"}, {box, "3", "5"}, {box, "4", "4"}, {box, "5", "3"}, {box, "Text", "7"}}},
        {"a typed copy of a listed entry is not added again", {"A", "B"}, "A", true, 5, {"A", "B"},
         {{box, "1", "B"}, {box, "2", "A"}, {box, "Text", "A"}}},
        {"a picked entry stores only the text", {"A", "B"}, "B", false, 5, {"A", "B"}, {{box, "Text", "B"}}},
        {"an empty text stores only the text", {"A"}, "", true, 5, {"A"}, {{box, "Text", ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempHome fresh;
        ComboBoxSettings combo{c.list, c.text};
        combo.Write(box, c.limit, c.typed);
        EXPECT_EQ(combo.List, c.listAfter);
        EXPECT_EQ(Contents(), c.stored);
    }
}

TEST_F(SettingsTest, AComboHistoryReadsOldestFirstWithoutCopies) {
    const QString box = QStringLiteral("ComboTest");
    Store(box, "1", "Newest");
    Store(box, "2", "Design");  // a designed entry that was stored with the rest
    Store(box, "3", "");
    Store(box, "4", "Newest");  // an old copy of one entry
    Store(box, "5", "Oldest");
    Store(box, "6", "beyond the limit");
    ComboBoxSettings combo{{"Design"}, "typed"};
    combo.Read(box, 5, "Default");
    EXPECT_EQ(combo.List, (QStringList{"Design", "Oldest", "Newest"}));
    EXPECT_EQ(combo.Text, "Default");
    Store(box, "Text", "%A - %T");
    combo.Read(box, 5, "Default");
    EXPECT_EQ(combo.Text, "%A - %T");
    EXPECT_EQ(combo.List.size(), 3);
}

TEST_F(SettingsTest, AComboHistoryStaysTheSameOverManyRuns) {
    // Each run starts from the designed list, reads, has the user type or
    // pick, and writes, as a window does between load and unload.
    const QString box = QStringLiteral("ComboFileNameFormat");
    const QStringList design{"%N2 - :%T"};
    const struct {
        QString text;
        bool typed;
    } runs[] = {{"%A - :%T", true}, {"%N2 - :%T", true}, {"%A - :%T", false}, {"%L", true}, {"%A - :%T", true}};
    ComboBoxSettings combo;
    for (const auto& run : runs) {
        combo = ComboBoxSettings{design, QString()};
        combo.Read(box, 5, "");
        combo.Text = run.text;
        combo.Write(box, 5, run.typed);
    }
    combo = ComboBoxSettings{design, QString()};
    combo.Read(box, 5, "");
    EXPECT_EQ(combo.List, (QStringList{"%N2 - :%T", "%A - :%T", "%L"}));
    EXPECT_EQ(combo.Text, "%A - :%T");
}
