#include "shell/edit/ui/EditCommands.h"

#include "foundation/Errors.h"
#include "foundation/Twips.h"
#include "shell/edit/ListCopy.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextEdit>
#include <QTreeView>
#include <algorithm>

namespace {

QString ControlName(const QWidget* control) { return control ? control->objectName() : QString(); }

// ---- text boxes ----------------------------------------------------------
// One face over the three text widgets, in the terms the commands use.
struct TextBox {
    QLineEdit* line = nullptr;
    QTextEdit* rich = nullptr;
    QPlainTextEdit* plain = nullptr;

    explicit TextBox(QWidget* w)
        : line(qobject_cast<QLineEdit*>(w)), rich(qobject_cast<QTextEdit*>(w)), plain(qobject_cast<QPlainTextEdit*>(w)) {}
    bool valid() const { return line || rich || plain; }

    QTextCursor cursor() const { return rich ? rich->textCursor() : plain->textCursor(); }
    void setCursor(const QTextCursor& c) const {
        if (rich) rich->setTextCursor(c);
        else plain->setTextCursor(c);
    }
    bool locked() const { return line ? line->isReadOnly() : rich ? rich->isReadOnly() : plain->isReadOnly(); }
    bool hasSelection() const { return line ? line->hasSelectedText() : cursor().hasSelection(); }
    bool empty() const {
        if (line) return line->text().isEmpty();
        return (rich ? rich->document() : plain->document())->isEmpty();
    }
    QString selectedText() const {
        if (line) return line->selectedText();
        // The document separates paragraphs with U+2029; the clipboard wants
        // ordinary line ends.
        QString text = cursor().selectedText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        text.replace(QChar::LineSeparator, QLatin1Char('\n'));
        return text;
    }
    // Replaces the selection (or inserts at the caret) with plain text.
    void replaceSelection(const QString& text) const {
        if (line) {
            line->insert(text);
            return;
        }
        QTextCursor c = cursor();
        c.insertText(text);
        setCursor(c);
    }
    // Deletes the selection, or the one character after the caret.
    void deleteSelectionOrNext() const {
        if (line) {
            line->del();
            return;
        }
        QTextCursor c = cursor();
        c.deleteChar();
        setCursor(c);
    }
    void selectAll() const {
        if (line) line->selectAll();
        else if (rich) rich->selectAll();
        else plain->selectAll();
    }
};

// ---- lists ---------------------------------------------------------------
QAbstractItemView* ListOf(QWidget* w) {
    auto* view = qobject_cast<QAbstractItemView*>(w);
    return view && view->model() && view->selectionModel() ? view : nullptr;
}

QHeaderView* ColumnHeader(const QAbstractItemView* view) {
    if (auto* tree = qobject_cast<const QTreeView*>(view)) return tree->header();
    if (auto* table = qobject_cast<const QTableView*>(view)) return table->horizontalHeader();
    return nullptr;
}

int RowCount(const QAbstractItemView* view) {
    return view->model()->rowCount(view->rootIndex());
}

bool HasCurrentItem(const QAbstractItemView* view) { return view->selectionModel()->currentIndex().isValid(); }

bool ListHasCheckboxes(const QAbstractItemView* view) {
    const QVariant declared = view->property("Checkboxes");
    if (declared.isValid()) return declared.toBool();
    const QAbstractItemModel* model = view->model();
    if (model->rowCount(view->rootIndex()) == 0) return false;
    return (model->flags(model->index(0, 0, view->rootIndex())) & Qt::ItemIsUserCheckable) != 0;
}

std::vector<bool> ShownColumns(const QAbstractItemView* view) {
    const QAbstractItemModel* model = view->model();
    const int columns = model->columnCount(view->rootIndex());
    std::vector<bool> shown(static_cast<size_t>(columns), false);
    const QHeaderView* header = ColumnHeader(view);
    if (!header) {
        // A single-column list shows its model column only.
        const auto* listView = qobject_cast<const QListView*>(view);
        const int column = listView ? listView->modelColumn() : 0;
        if (column < columns) shown[static_cast<size_t>(column)] = true;
        return shown;
    }
    for (int c = 0; c < columns; ++c) {
        const double width = header->isSectionHidden(c) ? 0 : PixelsToTwipsX(header->sectionSize(c));
        shown[static_cast<size_t>(c)] = c == 0 ? FirstColumnShown(ListHasCheckboxes(view), width) : width > 0;
    }
    return shown;
}

// Selected rows in list order.
std::vector<int> SelectedRows(const QAbstractItemView* view) {
    std::vector<int> rows;
    const QItemSelection selection = view->selectionModel()->selection();
    for (const QItemSelectionRange& range : selection) {
        if (range.parent() != view->rootIndex()) continue;
        for (int r = range.top(); r <= range.bottom(); ++r) rows.push_back(r);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QItemSelection AllRows(const QAbstractItemView* view) {
    const QAbstractItemModel* model = view->model();
    const int rows = model->rowCount(view->rootIndex());
    const int columns = model->columnCount(view->rootIndex());
    if (rows == 0 || columns == 0) return {};
    return QItemSelection(model->index(0, 0, view->rootIndex()), model->index(rows - 1, columns - 1, view->rootIndex()));
}

void SetItem(const EditMenuItems& items, int index, bool enabled) {
    QAction* action = items[static_cast<size_t>(index)];
    if (!action) RaiseMissingElement(index);
    action->setEnabled(enabled);
}

}  // namespace

EditControlKind EditKindOf(const QWidget* control) {
    if (!control) return EditControlKind::Other;
    if (qobject_cast<const QLineEdit*>(control) || qobject_cast<const QPlainTextEdit*>(control))
        return EditControlKind::TextBox;
    if (qobject_cast<const QTextEdit*>(control)) return EditControlKind::RichTextBox;
    if (ListOf(const_cast<QWidget*>(control))) return EditControlKind::ListView;
    return EditControlKind::Other;
}

bool HandlesEditKeysItself(const QWidget* control) {
    const EditControlKind kind = EditKindOf(control);
    return kind == EditControlKind::TextBox || kind == EditControlKind::RichTextBox;
}

void EditMenuRootSelect(QWidget* window, QWidget* control, const EditMenuItems& mnuEdit) {
    WithTrail(CallSite(QStringLiteral("EditMenuRootSelect"), window ? window->objectName() : QString(),
                       ControlName(control)),
              [&] {
                  const QWidget* active = window ? window->focusWidget() : nullptr;
                  if (!active || !control || active != control) {
                      for (const int i : {0, 1, 2, 3, 5, 6}) SetItem(mnuEdit, i, false);
                      return;
                  }
                  switch (EditKindOf(control)) {
                  case EditControlKind::TextBox:
                  case EditControlKind::RichTextBox: {
                      const TextBox box(control);
                      SetItem(mnuEdit, EditItem::Cut, box.hasSelection() && !box.locked());
                      SetItem(mnuEdit, EditItem::Copy, box.hasSelection());
                      SetItem(mnuEdit, EditItem::Paste, !box.locked());
                      SetItem(mnuEdit, EditItem::Delete, !box.empty() && !box.locked());
                      SetItem(mnuEdit, EditItem::SelectAll, !box.empty());
                      SetItem(mnuEdit, EditItem::InvertSelection, false);
                      break;
                  }
                  case EditControlKind::ListView: {
                      const QAbstractItemView* list = ListOf(control);
                      const bool current = HasCurrentItem(list);
                      const bool rows = RowCount(list) > 0;
                      SetItem(mnuEdit, EditItem::Cut, current);
                      SetItem(mnuEdit, EditItem::Copy, current);
                      SetItem(mnuEdit, EditItem::Paste, false);
                      SetItem(mnuEdit, EditItem::Delete, current);
                      SetItem(mnuEdit, EditItem::SelectAll, rows);
                      SetItem(mnuEdit, EditItem::InvertSelection, rows);
                      break;
                  }
                  case EditControlKind::Other: break;
                  }
              });
}

void EditMenuItemSelect(int index, QWidget* control) {
    WithTrail(CallSite(QStringLiteral("EditMenuItemSelect"), index, ControlName(control)), [&] {
        switch (index) {
        case EditItem::Cut:
            EditCopy(control);
            EditDelete(control);
            break;
        case EditItem::Copy: EditCopy(control); break;
        case EditItem::Paste: EditPaste(control); break;
        case EditItem::Delete: EditDelete(control); break;
        case EditItem::SelectAll: EditSelectAll(control); break;
        case EditItem::InvertSelection: EditInvertSel(control); break;
        default: break;
        }
    });
}

void EditCopy(QWidget* control) {
    WithTrail(CallSite(QStringLiteral("EditCopy"), ControlName(control)), [&] {
        if (const TextBox box(control); box.valid()) {
            if (box.hasSelection()) QGuiApplication::clipboard()->setText(box.selectedText());
            return;
        }
        if (QAbstractItemView* list = ListOf(control)) {
            if (RowCount(list) == 0) return;
            // Built whole first, then put on the clipboard in one go.
            const QString text = ListRowsAsText(*list->model(), SelectedRows(list), ShownColumns(list));
            QGuiApplication::clipboard()->setText(text);
        }
    });
}

void EditPaste(QWidget* control) {
    WithTrail(CallSite(QStringLiteral("EditPaste"), ControlName(control)), [&] {
        const TextBox box(control);
        if (!box.valid()) return;  // a list is never pasted into
        box.replaceSelection(QGuiApplication::clipboard()->text());
    });
}

void EditDelete(QWidget* control) {
    WithTrail(CallSite(QStringLiteral("EditDelete"), ControlName(control)), [&] {
        if (const TextBox box(control); box.valid()) {
            box.deleteSelectionOrNext();
            return;
        }
        QAbstractItemView* list = ListOf(control);
        if (!list) return;
        const std::vector<int> rows = SelectedRows(list);
        QAbstractItemModel* model = list->model();
        // The rows are about to go: drop the selection first, or the view
        // would move every remaining selection range at each removal (slow
        // for a scattered selection in a long list).
        if (QItemSelectionModel* selection = list->selectionModel()) selection->clearSelection();
        // From the last selected run to the first, one removal per run of
        // neighbouring rows, so positions still to come stay valid.
        size_t end = rows.size();
        while (end > 0) {
            size_t begin = end - 1;
            while (begin > 0 && rows[begin - 1] == rows[begin] - 1) --begin;
            const int first = rows[begin];
            const int count = rows[end - 1] - first + 1;
            if (!model->removeRows(first, count, list->rootIndex()))
                RaiseError(ErrNo::InvalidCall, QStringLiteral("Sonivard"),
                           QStringLiteral("The list's rows cannot be removed"));
            end = begin;
        }
    });
}

void EditSelectAll(QWidget* control) {
    WithTrail(CallSite(QStringLiteral("EditSelectAll"), ControlName(control)), [&] {
        if (const TextBox box(control); box.valid()) {
            box.selectAll();
            return;
        }
        if (QAbstractItemView* list = ListOf(control))
            list->selectionModel()->select(AllRows(list), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    });
}

void EditInvertSel(QWidget* control) {
    WithTrail(CallSite(QStringLiteral("EditInvertSel"), ControlName(control)), [&] {
        QAbstractItemView* list = ListOf(control);
        if (!list) return;
        // Row by row in runs: a row counts as selected when any of its
        // cells is, and ends up with all its cells in the opposite state.
        QItemSelectionModel* selection = list->selectionModel();
        const QAbstractItemModel* model = list->model();
        const int rows = model->rowCount(list->rootIndex());
        const int columns = model->columnCount(list->rootIndex());
        if (rows == 0 || columns == 0) return;
        const std::vector<int> selected = SelectedRows(list);
        QItemSelection inverted;
        int next = 0;
        auto addRun = [&](int first, int last) {
            if (first > last) return;
            inverted.select(model->index(first, 0, list->rootIndex()), model->index(last, columns - 1, list->rootIndex()));
        };
        for (const int r : selected) {
            addRun(next, r - 1);
            next = r + 1;
        }
        addRun(next, rows - 1);
        selection->select(inverted, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    });
}
