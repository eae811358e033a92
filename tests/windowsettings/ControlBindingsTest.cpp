// Settings reaching real controls: a list's sort and columns, a font, a
// combo box's history, and the option dialogs whose controls have handlers
// that react to being set (a title's text ticks its check, a value ticks its
// field check).

#include "windowsettings/SettingsFixture.h"

#include "foundation/ui/ListColumns.h"
#include "options/ui/ControlSettingsUi.h"
#include "options/ui/DialogSettingsUi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardItemModel>
#include <QTextEdit>
#include <QTreeView>
#include <memory>

namespace {

using ControlBindingsTest = SettingsTest;

// A list of three columns and rows "c", "a", "b" in its first column.
struct TestList {
    TestList() {
        view.setObjectName("ListViewTest");
        model.setHorizontalHeaderLabels({"Name", "Size", "Kind"});
        for (const char* name : {"c", "a", "b"})
            model.appendRow({new QStandardItem(name), new QStandardItem("1"), new QStandardItem("x")});
        view.setModel(&model);
    }
    QStringList FirstColumn() const {
        QStringList names;
        for (int r = 0; r < model.rowCount(); ++r) names << model.index(r, 0).data().toString();
        return names;
    }
    QStandardItemModel model;
    QTreeView view;
};

}  // namespace

TEST_F(ControlBindingsTest, AListComesBackSortedAndWithItsColumnsAsLeft) {
    {
        TestList list;
        list.view.setProperty("Sorted", true);
        list.view.setProperty("SortKey", 0);
        list.view.setProperty("SortOrder", 1);
        SetColumnWidthTwips(&list.view, 0, 1800);
        SetColumnWidthTwips(&list.view, 1, 0);
        SetColumnWidthTwips(&list.view, 2, 2400);
        WriteSortSettings(&list.view);
        WriteColumnSettings(&list.view);
    }
    TestList list;
    ReadSortSettings(&list.view);
    ReadColumnSettings(&list.view);
    EXPECT_EQ(list.FirstColumn(), (QStringList{"c", "b", "a"}));  // sorted at once
    EXPECT_TRUE(list.view.header()->isSortIndicatorShown());
    EXPECT_EQ(list.view.header()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(ColumnWidthTwips(&list.view, 1), 0);
    EXPECT_NEAR(ColumnWidthTwips(&list.view, 2), 2400, 15);
    EXPECT_NEAR(ColumnWidthTwips(&list.view, 0), 1800, 15);
}

TEST_F(ControlBindingsTest, AStoredSortColumnTheListNoLongerHasSortsByTheFirst) {
    Store("ListViewTest", "Sorted", "True");
    Store("ListViewTest", "SortKey", "9");
    TestList list;
    ReadSortSettings(&list.view);
    EXPECT_EQ(list.view.property("SortKey").toInt(), 0);
    EXPECT_EQ(list.FirstColumn(), (QStringList{"a", "b", "c"}));
    EXPECT_TRUE(ui.shown.empty());
    // Unsorted: no mark, rows as they were, key and order still taken.
    Store("ListViewTest", "Sorted", "False");
    Store("ListViewTest", "SortKey", "2");
    TestList unsorted;
    ReadSortSettings(&unsorted.view);
    EXPECT_FALSE(unsorted.view.header()->isSortIndicatorShown());
    EXPECT_EQ(unsorted.FirstColumn(), (QStringList{"c", "a", "b"}));
    EXPECT_EQ(unsorted.view.property("SortKey").toInt(), 2);
}

TEST_F(ControlBindingsTest, AFontComesBackAndAnEmptyStoreKeepsTheDesignedOne) {
    QTextEdit viewer;
    viewer.setObjectName("RichViewer");
    QFont designed("DejaVu Sans");
    designed.setPointSizeF(11);
    designed.setBold(true);
    viewer.setFont(designed);
    ReadFontSettings(&viewer);
    EXPECT_EQ(viewer.font().family(), designed.family());
    EXPECT_EQ(viewer.font().pointSizeF(), 11);
    EXPECT_FALSE(viewer.font().bold());  // the flags always apply

    QFont changed("DejaVu Serif");
    changed.setPointSizeF(8.25);
    changed.setItalic(true);
    viewer.setFont(changed);
    WriteFontSettings(&viewer);
    QTextEdit next;
    next.setObjectName("RichViewer");
    next.setFont(designed);
    ReadFontSettings(&next);
    EXPECT_EQ(next.font().family(), "DejaVu Serif");
    EXPECT_EQ(next.font().pointSizeF(), 8.25);
    EXPECT_TRUE(next.font().italic());
    EXPECT_FALSE(next.font().bold());
}

TEST_F(ControlBindingsTest, AComboBoxKeepsItsTypedEntriesOnceEach) {
    auto makeBox = [] {
        auto box = std::make_unique<QComboBox>();
        box->setObjectName("ComboFileNameFormat");
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->addItem("%N2 - :%T");
        return box;
    };
    auto box = makeBox();
    ReadComboBoxSettings(box.get(), 5, "%N2 - :%A: - %T");
    EXPECT_EQ(box->count(), 1);
    EXPECT_EQ(box->currentText(), "%N2 - :%A: - %T");
    WriteComboBoxSettings(box.get(), 5);  // typed (matches no entry)
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(1), "%N2 - :%A: - %T");

    box = makeBox();
    ReadComboBoxSettings(box.get(), 5, "");
    EXPECT_EQ(box->count(), 2);
    box->setCurrentIndex(0);  // picked
    WriteComboBoxSettings(box.get(), 5);
    EXPECT_EQ(Stored("ComboFileNameFormat", "Text"), "%N2 - :%T");
    box->setEditText("%N2 - :%A: - %T");  // typed again, already listed
    WriteComboBoxSettings(box.get(), 5);
    EXPECT_EQ(box->count(), 2);

    box = makeBox();
    ReadComboBoxSettings(box.get(), 5, "");
    EXPECT_EQ(box->count(), 2);
    EXPECT_EQ(box->currentText(), "%N2 - :%A: - %T");
}

TEST_F(ControlBindingsTest, RemoveFromListTakesEveryEqualEntry) {
    struct Case {
        QStringList entries;
        QString text;
        QStringList left;
    };
    const Case cases[] = {
        {{"Artist", "Title", "Title", "Year"}, "Title", {"Artist", "Year"}},
        {{"Title", "Artist", "Title"}, "Title", {"Artist"}},
        {{"Title"}, "title", {"Title"}},
        {{}, "Title", {}},
    };
    for (const Case& c : cases) {
        QListWidget list;
        list.setObjectName("ListNotIncludedHTML");
        list.addItems(c.entries);
        RemoveFromList(&list, c.text);
        QStringList left;
        for (int i = 0; i < list.count(); ++i) left << list.item(i)->text();
        EXPECT_EQ(left, c.left) << c.text.toStdString();
    }
}

// ---- header dialogs ---------------------------------------------------------------------

namespace {

// The controls of a header dialog with its handlers: a title's edit ticks
// the title check, the title check enables the title box.
struct HeaderDialog {
    HeaderDialog() {
        QCheckBox** checks[] = {&c.CheckTitle,          &c.CheckCollectionProperties, &c.CheckTotalNumFiles,
                                &c.CheckTotalSizeFiles, &c.CheckTotalLengthFiles,     &c.CheckListProperties,
                                &c.CheckListCreationDate, &c.CheckListCreationTime,   &c.CheckNumPagesInList,
                                &c.CheckColumnHeadings};
        for (QCheckBox** check : checks) {
            *check = new QCheckBox(&window);
            (*check)->setChecked(true);
        }
        c.TextTitle = new QLineEdit("My Music Collection", &window);
        QObject::connect(c.TextTitle, &QLineEdit::textChanged, c.CheckTitle, [this] { c.CheckTitle->setChecked(true); });
        QObject::connect(c.CheckTitle, &QCheckBox::toggled, c.TextTitle, &QLineEdit::setEnabled);
        c.ComboPageLinks = new QComboBox(&window);
        c.ComboPageLinks->addItems({"top and bottom of each page", "top of each page", "bottom of each page"});
        for (int n = 0; n < 5; ++n) {
            c.LabelFont[n] = new QLabel(&window);
            c.ComboFill[n] = new QComboBox(&window);
            c.ComboFill[n]->setEditable(true);
        }
        c.ComboFill_LostFocus = [this](int n) { repainted << n; };
    }
    QWidget window;
    HTMLCataloguerHeaderControls c;
    QList<int> repainted;
};

}  // namespace

TEST_F(ControlBindingsTest, AStoredUntickedTitleComesBackUnticked) {
    for (const char* check : {"0", "1"}) {
        Store("MusicCataloguerHTML", "HeaderTitle", check);
        Store("MusicCataloguerHTML", "TitleText", "Jazz and Blues");
        Store("MusicCataloguerText", "HeaderTitle", check);
        Store("MusicCataloguerText", "TitleText", "Jazz and Blues");
        const bool ticked = QString(check) == "1";

        HeaderDialog html;
        HTMLCataloguerHeaderSettings s = TakeHTMLHeaderSettings(html.c);
        s.Read();
        ShowHTMLHeaderSettings(s, html.c);
        EXPECT_EQ(html.c.CheckTitle->isChecked(), ticked) << check;
        EXPECT_EQ(html.c.TextTitle->text(), "Jazz and Blues");
        EXPECT_EQ(html.c.TextTitle->isEnabled(), ticked);
        EXPECT_EQ(html.repainted, (QList<int>{0, 1, 2, 3, 4}));

        HeaderDialog text;
        TextCataloguerHeaderSettings t = TakeTextHeaderSettings(text.c);
        t.Read();
        ShowTextHeaderSettings(t, text.c);
        EXPECT_EQ(text.c.CheckTitle->isChecked(), ticked) << check;
    }
}

TEST_F(ControlBindingsTest, AHeaderDialogComesBackAsItWasConfirmed) {
    {
        HeaderDialog dialog;
        HTMLCataloguerHeaderSettings first = TakeHTMLHeaderSettings(dialog.c);
        first.Read();
        ShowHTMLHeaderSettings(first, dialog.c);
        dialog.c.ComboPageLinks->setCurrentIndex(1);
        dialog.c.TextTitle->setText("Vinyl");
        dialog.c.CheckTitle->setChecked(false);
        dialog.c.CheckListCreationTime->setChecked(false);
        dialog.c.LabelFont[2]->setText("Font: Tahoma, Size Default, Colour lime");
        dialog.c.ComboFill[4]->setEditText("darkgreen");
        TakeHTMLHeaderSettings(dialog.c).Write();
    }
    HeaderDialog dialog;
    HTMLCataloguerHeaderSettings s = TakeHTMLHeaderSettings(dialog.c);
    ReadThenShow([&] { s.Read(); }, [&] { ShowHTMLHeaderSettings(s, dialog.c); });
    EXPECT_EQ(dialog.c.ComboPageLinks->currentIndex(), 1);
    EXPECT_EQ(dialog.c.TextTitle->text(), "Vinyl");
    EXPECT_FALSE(dialog.c.CheckTitle->isChecked());
    EXPECT_FALSE(dialog.c.CheckListCreationTime->isChecked());
    EXPECT_TRUE(dialog.c.CheckListCreationDate->isChecked());
    EXPECT_EQ(dialog.c.LabelFont[2]->text(), "Font: Tahoma, Size Default, Colour lime");
    EXPECT_EQ(dialog.c.LabelFont[0]->text(), "Font: Default, Size Default, Colour Default");
    EXPECT_EQ(dialog.c.ComboFill[4]->currentText(), "darkgreen");
}

// ---- override tool ----------------------------------------------------------------------

namespace {

// The override tool's controls, each value's change handler ticking its
// field check, as the tool's handlers do.
struct OverrideTool {
    OverrideTool() {
        auto text = [this](QLineEdit*& edit, QCheckBox*& check) {
            edit = new QLineEdit(&window);
            check = new QCheckBox(&window);
            QObject::connect(edit, &QLineEdit::textChanged, check, [check] { check->setChecked(true); });
        };
        c.CheckID3v1Tag = new QCheckBox(&window);
        c.CheckID3v2Tag = new QCheckBox(&window);
        text(c.TextID3v1Artist, c.CheckID3v1Artist);
        text(c.TextID3v1Title, c.CheckID3v1Title);
        text(c.TextID3v1Album, c.CheckID3v1Album);
        text(c.TextID3v1Year, c.CheckID3v1Year);
        text(c.TextID3v1Comment, c.CheckID3v1Comment);
        c.ComboID3v1Genre = new QComboBox(&window);
        c.CheckID3v1Genre = new QCheckBox(&window);
        c.ComboID3v1Genre->addItem(QString());
        for (int g = 0; g < 148; ++g) c.ComboID3v1Genre->addItem(QStringLiteral("Genre %1").arg(g));
        QObject::connect(c.ComboID3v1Genre, &QComboBox::currentIndexChanged, c.CheckID3v1Genre,
                         [this] { c.CheckID3v1Genre->setChecked(true); });
        text(c.TextID3v2Track, c.CheckID3v2Track);
        text(c.TextID3v2Artist, c.CheckID3v2Artist);
        text(c.TextID3v2Title, c.CheckID3v2Title);
        text(c.TextID3v2Album, c.CheckID3v2Album);
        text(c.TextID3v2Year, c.CheckID3v2Year);
        text(c.TextID3v2Comment, c.CheckID3v2Comment);
        text(c.TextID3v2Composer, c.CheckID3v2Composer);
        text(c.TextID3v2OrigArtist, c.CheckID3v2OrigArtist);
        text(c.TextID3v2Copyright, c.CheckID3v2Copyright);
        text(c.TextID3v2URL, c.CheckID3v2URL);
        text(c.TextID3v2Encodedby, c.CheckID3v2Encodedby);
        c.ComboID3v2Genre = new QComboBox(&window);
        c.ComboID3v2Genre->setEditable(true);
        c.CheckID3v2Genre = new QCheckBox(&window);
        QObject::connect(c.ComboID3v2Genre, &QComboBox::editTextChanged, c.CheckID3v2Genre,
                         [this] { c.CheckID3v2Genre->setChecked(true); });
    }
    QWidget window;
    MassTaggingOverrideToolControls c;
};

}  // namespace

TEST_F(ControlBindingsTest, TheOverrideToolComesBackWithValuesAndChecksAsLeft) {
    {
        OverrideTool tool;
        tool.c.CheckID3v1Tag->setChecked(true);
        tool.c.TextID3v1Artist->setText("Artist");  // ticks its check
        tool.c.TextID3v1Title->setText("Title");
        tool.c.CheckID3v1Title->setChecked(false);  // a value kept with its check off
        tool.c.ComboID3v1Genre->setCurrentIndex(18);
        tool.c.CheckID3v1Genre->setChecked(false);
        tool.c.ComboID3v2Genre->setEditText("Trip-Hop");
        tool.c.TextID3v2URL->setText("https://example.org/");
        TakeMassTaggingSettings(tool.c).Write();
    }
    OverrideTool tool;
    MassTaggingOverrideToolSettings s = TakeMassTaggingSettings(tool.c);
    ReadThenShow([&] { s.Read(); }, [&] { ShowMassTaggingSettings(s, tool.c); });
    EXPECT_TRUE(tool.c.CheckID3v1Tag->isChecked());
    EXPECT_FALSE(tool.c.CheckID3v2Tag->isChecked());
    EXPECT_EQ(tool.c.TextID3v1Artist->text(), "Artist");
    EXPECT_TRUE(tool.c.CheckID3v1Artist->isChecked());
    EXPECT_EQ(tool.c.TextID3v1Title->text(), "Title");
    EXPECT_FALSE(tool.c.CheckID3v1Title->isChecked());
    EXPECT_EQ(tool.c.ComboID3v1Genre->currentIndex(), 18);
    EXPECT_FALSE(tool.c.CheckID3v1Genre->isChecked());
    EXPECT_EQ(tool.c.ComboID3v2Genre->currentText(), "Trip-Hop");
    EXPECT_TRUE(tool.c.CheckID3v2Genre->isChecked());
    EXPECT_EQ(tool.c.TextID3v2URL->text(), "https://example.org/");
    EXPECT_TRUE(tool.c.CheckID3v2URL->isChecked());
    EXPECT_FALSE(tool.c.CheckID3v2Title->isChecked());
}

TEST_F(ControlBindingsTest, TheFontEditorsHistoryGrowsByTypedCombinations) {
    Store("ComboFontCombination", "Text", "Default");
    Store("ComboFontCombination", "1", "Arial, Helvetica, sans-serif");
    Store("ComboFontCombination", "2", "Courier New, Courier, mono");
    auto makeBox = [] {
        auto box = std::make_unique<QComboBox>();
        box->setObjectName("ComboFontCombination");
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        return box;
    };
    auto box = makeBox();
    ReadHTMLFontSettings(box.get());
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(0), "Courier New, Courier, mono");
    EXPECT_EQ(box->currentText(), "Default");

    box->setEditText("Tahoma");  // one face: nothing stored
    WriteHTMLFontSettings(box.get());
    EXPECT_EQ(box->count(), 2);
    EXPECT_EQ(Stored("ComboFontCombination", "Text"), "Default");

    box->setEditText("Verdana, Geneva, sans-serif");
    WriteHTMLFontSettings(box.get());
    EXPECT_EQ(box->count(), 3);
    box = makeBox();
    ReadHTMLFontSettings(box.get());
    EXPECT_EQ(box->count(), 3);
    EXPECT_EQ(box->itemText(2), "Verdana, Geneva, sans-serif");
}
