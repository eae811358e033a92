#include "foundation/ui/ListColumns.h"

#include "foundation/Errors.h"
#include "foundation/Twips.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTreeView>
#include <algorithm>
#include <cmath>

namespace {
QTreeView& Required(QTreeView* list) {
    if (!list) RaiseError(ErrNo::ObjectNotSet);
    return *list;
}
}  // namespace

bool ListHasCheckboxes(const QTreeView* list) {
    if (!list) return false;
    const QVariant declared = list->property("Checkboxes");
    if (declared.isValid()) return declared.toBool();
    const QAbstractItemModel* model = list->model();
    if (!model || model->rowCount() == 0) return false;
    return model->flags(model->index(0, 0)).testFlag(Qt::ItemIsUserCheckable);
}

double ColumnWidthTwips(const QTreeView* list, int column) {
    if (!list) return 0;
    const QHeaderView* header = list->header();
    if (header->isSectionHidden(column)) return 0;
    return PixelsToTwipsX(header->sectionSize(column));
}

void SetColumnWidthTwips(QTreeView* list, int column, double twips) {
    QHeaderView* header = Required(list).header();
    if (column < 0 || column >= header->count()) RaiseError(ErrNo::SubscriptOutOfRange);
    // A width beyond what a column can take (a long run of typed digits, a
    // stored value) gives the widest column, never an overflowed number.
    const double widest = PixelsToTwipsX(header->maximumSectionSize());
    const int pixels = TwipsToPixelsX(std::min(twips, widest));
    if (twips <= 0 || pixels <= 0) {
        header->setSectionHidden(column, true);
        return;
    }
    header->setSectionHidden(column, false);
    header->resizeSection(column, pixels);
}

bool ColumnCountsAsHidden(const QTreeView* list, int column) {
    const double width = ColumnWidthTwips(list, column);
    if (width <= 0) return true;
    // A rounding of the pixel width must not turn 230 twips into "shown".
    return column == 0 && ListHasCheckboxes(list) && width <= kCheckBoxColumnTwips + 0.5;
}

void SortListIfSorted(QTreeView* list) {
    if (!list || !list->model() || !list->property("Sorted").toBool()) return;
    const int key = list->property("SortKey").toInt();
    if (key < 0 || key >= list->model()->columnCount()) return;
    list->model()->sort(key, list->property("SortOrder").toInt() == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
}
