// Edit commands on text boxes, rich-text boxes and lists: which items the
// Edit menu enables, and what Cut, Copy, Paste, Delete, Select All and Invert
// Selection do.

#include "foundation/Errors.h"
#include "foundation/Twips.h"
#include "shell/edit/ui/EditCommands.h"
#include "support/ScriptedUi.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTextEdit>
#include <QTreeView>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A window with a text box, a rich-text box and a list, and its Edit menu.
struct EditWindow {
    QWidget window;
    QLineEdit* text = new QLineEdit(&window);
    QTextEdit* rich = new QTextEdit(&window);
    QTreeView* list = new QTreeView(&window);
    QStandardItemModel model;
    EditMenuItems items{};

    EditWindow() {
        window.setObjectName(QStringLiteral("FormTest"));
        text->setObjectName(QStringLiteral("TextBox"));
        rich->setObjectName(QStringLiteral("RichViewer"));
        list->setObjectName(QStringLiteral("ListViewTest"));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(text);
        layout->addWidget(rich);
        layout->addWidget(list);
        list->setModel(&model);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->header()->setMinimumSectionSize(0);
        for (int i = 0; i < 7; ++i) {
            if (i == 4) continue;
            items[static_cast<size_t>(i)] = new QAction(QStringLiteral("item%1").arg(i), &window);
        }
        window.resize(600, 400);
        window.show();
    }

    // Rows of texts; column widths in twips (0 hides the column).
    void fill(const std::vector<QStringList>& rows, const std::vector<double>& widths, bool checkboxes = false) {
        model.clear();
        model.setColumnCount(static_cast<int>(widths.size()));
        for (const QStringList& texts : rows) {
            QList<QStandardItem*> cells;
            for (const QString& t : texts) cells << new QStandardItem(t);
            if (checkboxes) cells.first()->setCheckable(true);
            model.appendRow(cells);
        }
        for (size_t c = 0; c < widths.size(); ++c) {
            const int px = TwipsToPixelsX(widths[c]);
            if (px == 0) list->header()->setSectionHidden(static_cast<int>(c), true);
            else list->header()->resizeSection(static_cast<int>(c), px);
        }
    }
    void selectRows(const std::vector<int>& rows) {
        list->selectionModel()->clearSelection();
        for (int r : rows)
            list->selectionModel()->select(model.index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (!rows.empty())
            list->selectionModel()->setCurrentIndex(model.index(rows.front(), 0), QItemSelectionModel::NoUpdate);
    }
    QStringList rowTexts() const {
        QStringList out;
        for (int r = 0; r < model.rowCount(); ++r) out << model.item(r, 0)->text();
        return out;
    }
    // Enabled state of items 0,1,2,3,5,6 as a string of 0/1.
    QString states() const {
        QString s;
        for (int i : {0, 1, 2, 3, 5, 6}) s += items[static_cast<size_t>(i)]->isEnabled() ? '1' : '0';
        return s;
    }
};

QString Clipboard() { return QGuiApplication::clipboard()->text(); }

}  // namespace

TEST(ListCopy, CopiesShownColumnsOfSelectedRowsAsTabSeparatedCrLfLines) {
    struct Case {
        const char* name;
        bool checkboxes;
        std::vector<double> widths;
        std::vector<int> selected;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"hidden middle column adds nothing, not even its tab", false, {1500, 0, 900}, {0, 1},
         QStringLiteral("a\tc\r\nd\tf\r\n")},
        {"narrow first column with check boxes shows only the box", true, {200, 900, 900}, {0},
         QStringLiteral("\tb\tc\r\n")},
        {"first column wider than the box is copied", true, {600, 900, 900}, {1},
         QStringLiteral("d\te\tf\r\n")},
        {"rows come in list order whatever the selection order", false, {900, 900, 900}, {1, 0},
         QStringLiteral("a\tb\tc\r\nd\te\tf\r\n")},
        {"rows with nothing selected copy the empty text", false, {900, 900, 900}, {}, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditWindow w;
        w.fill({{"a", "b", "c"}, {"d", "e", "f"}}, c.widths, c.checkboxes);
        QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
        w.selectRows(c.selected);
        EditCopy(w.list);
        EXPECT_EQ(Clipboard(), c.expected);
    }
}

TEST(ListCopy, CellsWithTabsOrLineBreaksCannotSplitARow) {
    EditWindow w;
    w.fill({{"a\tb", "c\r\nd"}}, {900, 900});
    w.selectRows({0});
    EditCopy(w.list);
    EXPECT_EQ(Clipboard(), QStringLiteral("a b\tc  d\r\n"));
}

TEST(ListCopy, EmptyListLeavesTheClipboardAlone) {
    EditWindow w;
    w.fill({}, {900, 900});
    QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
    EditCopy(w.list);
    EXPECT_EQ(Clipboard(), QStringLiteral("earlier"));
}

TEST(ListEdit, CutRemovesTheSelectedRowsAndKeepsTheOrderOfTheRest) {
    EditWindow w;
    w.fill({{"r0"}, {"r1"}, {"r2"}, {"r3"}, {"r4"}, {"r5"}}, {900});
    w.selectRows({1, 2, 4});
    EditMenuItemSelect(EditItem::Cut, w.list);
    EXPECT_EQ(Clipboard(), QStringLiteral("r1\r\nr2\r\nr4\r\n"));
    EXPECT_EQ(w.rowTexts(), (QStringList{"r0", "r3", "r5"}));
}

TEST(ListEdit, DeleteWorksOnListsLongerThanASixteenBitCount) {
    EditWindow w;
    QStandardItemModel& m = w.model;
    m.setColumnCount(1);
    for (int i = 0; i < 40000; ++i) m.appendRow(new QStandardItem(QString::number(i)));
    w.list->selectionModel()->select(QItemSelection(m.index(39990, 0), m.index(39999, 0)),
                                     QItemSelectionModel::Select);
    EditDelete(w.list);
    EXPECT_EQ(m.rowCount(), 39990);
    EXPECT_EQ(m.item(39989)->text(), QStringLiteral("39989"));
}

TEST(ListEdit, SelectAllAndInvertSelection) {
    EditWindow w;
    w.fill({{"a"}, {"b"}, {"c"}}, {900});
    w.selectRows({1});
    EditInvertSel(w.list);
    auto selected = [&] {
        QString s;
        for (int r = 0; r < 3; ++r) s += w.list->selectionModel()->isRowSelected(r) ? '1' : '0';
        return s;
    };
    EXPECT_EQ(selected(), QStringLiteral("101"));
    EditSelectAll(w.list);
    EXPECT_EQ(selected(), QStringLiteral("111"));
    EditInvertSel(w.list);
    EXPECT_EQ(selected(), QStringLiteral("000"));
}

TEST(ListEdit, PasteNeverTouchesAList) {
    EditWindow w;
    w.fill({{"a"}}, {900});
    QGuiApplication::clipboard()->setText(QStringLiteral("x\ty\r\n"));
    w.selectRows({0});
    EditPaste(w.list);
    EXPECT_EQ(w.rowTexts(), QStringList{"a"});
}

TEST(TextEdit, CommandsOnTextBoxes) {
    EditWindow w;
    // Delete with nothing selected takes the character after the caret.
    w.text->setText(QStringLiteral("abcd"));
    w.text->setCursorPosition(2);
    EditDelete(w.text);
    EXPECT_EQ(w.text->text(), QStringLiteral("abd"));
    // At the end of the text nothing changes.
    w.text->setCursorPosition(3);
    EditDelete(w.text);
    EXPECT_EQ(w.text->text(), QStringLiteral("abd"));

    // Copy of a selection, then paste replacing another selection.
    w.text->setText(QStringLiteral("hello world"));
    w.text->setSelection(0, 5);
    EditCopy(w.text);
    EXPECT_EQ(Clipboard(), QStringLiteral("hello"));
    w.text->setSelection(6, 5);
    EditPaste(w.text);
    EXPECT_EQ(w.text->text(), QStringLiteral("hello hello"));

    // Copy without a selection leaves the clipboard alone.
    w.text->deselect();
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    EditCopy(w.text);
    EXPECT_EQ(Clipboard(), QStringLiteral("kept"));

    // Cut = copy + delete; with an empty clipboard paste deletes the selection.
    w.text->setText(QStringLiteral("one two"));
    w.text->setSelection(3, 4);
    EditMenuItemSelect(EditItem::Cut, w.text);
    EXPECT_EQ(w.text->text(), QStringLiteral("one"));
    EXPECT_EQ(Clipboard(), QStringLiteral(" two"));
    QGuiApplication::clipboard()->clear();
    w.text->setSelection(0, 1);
    EditPaste(w.text);
    EXPECT_EQ(w.text->text(), QStringLiteral("ne"));
}

TEST(TextEdit, RichTextBoxIsEditedThroughItsPlainText) {
    EditWindow w;
    w.rich->setPlainText(QStringLiteral("line 1\nline 2"));
    EditSelectAll(w.rich);
    EditCopy(w.rich);
    EXPECT_EQ(Clipboard(), QStringLiteral("line 1\nline 2"));
    QGuiApplication::clipboard()->setText(QStringLiteral("<b>x</b>"));
    EditPaste(w.rich);
    EXPECT_EQ(w.rich->toPlainText(), QStringLiteral("<b>x</b>"));
}

TEST(EditMenu, EnabledItemsFollowTheServedControl) {
    EditWindow w;
    w.fill({{"a"}, {"b"}}, {900});

    // Focus elsewhere: every item disabled for the list.
    for (QAction* a : w.items)
        if (a) a->setEnabled(true);
    w.text->setFocus();
    EditMenuRootSelect(&w.window, w.list, w.items);
    EXPECT_EQ(w.states(), QStringLiteral("000000"));

    // A list: Paste never; Cut/Copy/Delete need a current item.
    w.list->setFocus();
    w.list->selectionModel()->clearCurrentIndex();
    EditMenuRootSelect(&w.window, w.list, w.items);
    EXPECT_EQ(w.states(), QStringLiteral("000011"));
    w.selectRows({1});
    EditMenuRootSelect(&w.window, w.list, w.items);
    EXPECT_EQ(w.states(), QStringLiteral("110111"));

    // A locked rich-text box with a selection: Copy and Select All only.
    w.rich->setPlainText(QStringLiteral("some text"));
    w.rich->setReadOnly(true);
    w.rich->selectAll();
    w.rich->setFocus();
    EditMenuRootSelect(&w.window, w.rich, w.items);
    EXPECT_EQ(w.states(), QStringLiteral("010010"));

    // An editable empty text box: Paste only.
    w.text->clear();
    w.text->setFocus();
    EditMenuRootSelect(&w.window, w.text, w.items);
    EXPECT_EQ(w.states(), QStringLiteral("001000"));
}

TEST(EditMenu, AnErrorCarriesTheCallSiteTrail) {
    EditWindow w;
    w.items[EditItem::Copy] = nullptr;
    w.text->setText(QStringLiteral("x"));
    w.text->setFocus();
    try {
        EditMenuRootSelect(&w.window, w.text, w.items);
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::ControlArrayElementMissing);
        EXPECT_TRUE(e.description().endsWith(QStringLiteral("|EditMenuRootSelect;FormTest;TextBox")));
    }
}
