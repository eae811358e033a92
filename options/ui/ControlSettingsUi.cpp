#include "options/ui/ControlSettingsUi.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QHeaderView>
#include <QListWidget>
#include <QTreeView>

#include "foundation/Errors.h"
#include "foundation/ui/ListColumns.h"
#include "shell/ui/ControlUtils.h"

namespace {

QString NameOf(const QObject* control) { return control ? control->objectName() : QString(); }

// The control's settings section: its name.
template <typename T>
T& Named(T* control) {
    if (!control) RaiseError(ErrNo::ObjectNotSet);
    if (control->objectName().isEmpty()) RaiseError(ErrNo::InvalidCall);
    return *control;
}

int ColumnCount(const QTreeView& list) { return list.model() ? list.model()->columnCount() : 0; }

}  // namespace

// ---- sort -----------------------------------------------------------------------

ListSortSettings TakeListSort(const QTreeView* list) {
    ListSortSettings sort;
    if (!list) return sort;
    sort.Sorted = list->property("Sorted").toBool();
    sort.SortKey = list->property("SortKey").toInt();
    sort.SortOrder = list->property("SortOrder").toInt() == 1 ? 1 : 0;
    return sort;
}

void ShowListSort(QTreeView* list, const ListSortSettings& sort) {
    if (!list) RaiseError(ErrNo::ObjectNotSet);
    // A list that lost columns since the sort was stored sorts by the first.
    const int key = sort.SortKey >= 0 && sort.SortKey < std::max(1, ColumnCount(*list)) ? sort.SortKey : 0;
    list->setProperty("Sorted", sort.Sorted);
    list->setProperty("SortKey", key);
    list->setProperty("SortOrder", sort.SortOrder == 1 ? 1 : 0);
    QHeaderView* header = list->header();
    header->setSortIndicatorShown(sort.Sorted);
    if (sort.Sorted) header->setSortIndicator(key, sort.SortOrder == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
    SortListIfSorted(list);
}

void ReadSortSettings(QTreeView* list) {
    QTreeView& view = Named(list);
    ListSortSettings sort = TakeListSort(&view);
    ReadThenShow([&] { sort.Read(view.objectName()); }, [&] { ShowListSort(&view, sort); });
}

void WriteSortSettings(QTreeView* list) { TakeListSort(&Named(list)).Write(list->objectName()); }

// ---- columns --------------------------------------------------------------------

ListColumnSettings TakeListColumns(const QTreeView* list) {
    ListColumnSettings columns;
    if (!list) return columns;
    const int count = ColumnCount(*list);
    for (int c = 0; c < count; ++c) columns.Widths.push_back(ColumnWidthTwips(list, c));
    return columns;
}

void ShowListColumns(QTreeView* list, const ListColumnSettings& columns) {
    if (!list) RaiseError(ErrNo::ObjectNotSet);
    const int count = std::min(ColumnCount(*list), static_cast<int>(columns.Widths.size()));
    for (int c = 0; c < count; ++c) SetColumnWidthTwips(list, c, columns.Widths[static_cast<size_t>(c)]);
}

void ReadColumnSettings(QTreeView* list) {
    QTreeView& view = Named(list);
    ListColumnSettings columns;
    ReadThenShow([&] { columns.Read(view.objectName(), ColumnCount(view)); }, [&] { ShowListColumns(&view, columns); });
}

void WriteColumnSettings(QTreeView* list) { TakeListColumns(&Named(list)).Write(list->objectName()); }

// ---- font -----------------------------------------------------------------------

FontSettings TakeFont(const QWidget* control) {
    FontSettings settings;
    if (!control) return settings;
    const QFont font = control->font();
    settings.FontName = font.family();
    settings.FontSize = std::max(0.0, font.pointSizeF());
    settings.FontItalic = font.italic();
    settings.FontBold = font.bold();
    return settings;
}

void ShowFont(QWidget* control, const FontSettings& settings) {
    if (!control) RaiseError(ErrNo::ObjectNotSet);
    QFont font = control->font();
    if (!settings.FontName.isEmpty()) font.setFamily(settings.FontName);
    if (settings.FontSize > 0) font.setPointSizeF(settings.FontSize);
    font.setItalic(settings.FontItalic);
    font.setBold(settings.FontBold);
    control->setFont(font);
}

void ReadFontSettings(QWidget* control) {
    QWidget& widget = Named(control);
    FontSettings settings = TakeFont(&widget);
    // Face and size stay as designed unless stored.
    settings.FontName.clear();
    settings.FontSize = 0;
    ReadThenShow([&] { settings.Read(widget.objectName()); }, [&] { ShowFont(&widget, settings); });
}

void WriteFontSettings(QWidget* control) { TakeFont(&Named(control)).Write(control->objectName()); }

// ---- combo box history ------------------------------------------------------------

QComboBox* NewHistoryComboBox(QWidget* parent, const QString& name) { return NewEditableComboBox(parent, name); }

ComboBoxSettings TakeComboBox(const QComboBox* box) {
    ComboBoxSettings settings;
    if (!box) return settings;
    for (int i = 0; i < box->count(); ++i) settings.List.append(box->itemText(i));
    settings.Text = box->currentText();
    return settings;
}

bool ComboBoxTextTyped(const QComboBox* box) {
    if (!box) return false;
    const int current = box->currentIndex();
    return current < 0 || box->itemText(current) != box->currentText();
}

void ShowComboBox(QComboBox* box, const ComboBoxSettings& settings) {
    if (!box) RaiseError(ErrNo::ObjectNotSet);
    for (qsizetype i = box->count(); i < settings.List.size(); ++i) box->addItem(settings.List.at(i));
    // Adding the first entry makes it current; the text is set last.
    box->setCurrentText(settings.Text);
}

void ReadComboBoxSettings(QComboBox* box, int limit, const QString& defaultText) {
    QComboBox& combo = Named(box);
    ComboBoxSettings settings = TakeComboBox(&combo);
    ReadThenShow([&] { settings.Read(combo.objectName(), limit, defaultText); },
                 [&] { ShowComboBox(&combo, settings); });
}

void WriteComboBoxSettings(QComboBox* box, int limit) {
    QComboBox& combo = Named(box);
    ComboBoxSettings settings = TakeComboBox(&combo);
    const bool typed = ComboBoxTextTyped(&combo);
    // The typed entry joins the list even when the store refuses it.
    ReadThenShow([&] { settings.Write(combo.objectName(), limit, typed); }, [&] { ShowComboBox(&combo, settings); });
}

void RemoveFromList(QListWidget* list, const QString& text) {
    WithTrail(CallSite(QStringLiteral("RemoveFromList"), NameOf(list), text), [&] {
        if (!list) RaiseError(ErrNo::ObjectNotSet);
        for (int i = list->count() - 1; i >= 0; --i)
            if (list->item(i)->text() == text) delete list->takeItem(i);
    });
}
