#include "scanning/ui/ListColumns.h"

#include "foundation/Errors.h"
#include "foundation/SettingsStore.h"
#include "foundation/Twips.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTreeView>
#include <algorithm>
#include <cmath>

namespace {
QString NameOf(const QTreeView* list) { return list ? list->objectName() : QString(); }

QTreeView& Required(QTreeView* list) {
    if (!list) RaiseError(ErrNo::ObjectNotSet);
    return *list;
}

int ColumnCount(const QTreeView* list) {
    return list && list->model() ? list->model()->columnCount() : 0;
}

QString Key(int column, const char* what) { return QString::number(column + 1) + QLatin1String(what); }
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

void ReadSortSettings(QTreeView* list) {
    try {
        QTreeView& view = Required(list);
        const QString section = view.objectName();
        const bool sorted = GetOptionSetting(section, QStringLiteral("Sorted"), QStringLiteral("False"),
                                             SettingType::Boolean).toBool();
        int key = GetOptionSetting(section, QStringLiteral("SortKey"), QStringLiteral("0"), SettingType::Integer).toInt();
        const int order = GetOptionSetting(section, QStringLiteral("SortOrder"), QStringLiteral("0"),
                                           SettingType::Integer).toInt();
        if (key < 0 || key >= std::max(1, ColumnCount(list))) key = 0;
        view.setProperty("Sorted", sorted);
        view.setProperty("SortKey", key);
        view.setProperty("SortOrder", order == 1 ? 1 : 0);
        view.header()->setSortIndicatorShown(sorted);
        if (sorted) view.header()->setSortIndicator(key, order == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("ReadSortSettings"), NameOf(list)));
    }
}

void WriteSortSettings(QTreeView* list) {
    try {
        QTreeView& view = Required(list);
        const QString section = view.objectName();
        SaveOptionSetting(section, QStringLiteral("Sorted"), view.property("Sorted").toBool(), SettingType::Boolean);
        SaveOptionSetting(section, QStringLiteral("SortKey"), view.property("SortKey").toInt(), SettingType::Integer);
        SaveOptionSetting(section, QStringLiteral("SortOrder"), view.property("SortOrder").toInt(),
                          SettingType::Integer);
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("WriteSortSettings"), NameOf(list)));
    }
}

void SortListIfSorted(QTreeView* list) {
    if (!list || !list->model() || !list->property("Sorted").toBool()) return;
    const int key = list->property("SortKey").toInt();
    if (key < 0 || key >= list->model()->columnCount()) return;
    list->model()->sort(key, list->property("SortOrder").toInt() == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void ReadColumnSettings(QTreeView* list) {
    try {
        QTreeView& view = Required(list);
        const QString section = view.objectName();
        const int count = ColumnCount(list);
        for (int c = 0; c < count; ++c) {
            const bool visible = GetOptionSetting(section, Key(c, "Visible"), QStringLiteral("True"),
                                                  SettingType::Boolean).toBool();
            if (visible)
                SetColumnWidthTwips(list, c, StoredColumnWidthTwips(list, c));
            else
                SetColumnWidthTwips(list, c, 0);
        }
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("ReadColumnSettings"), NameOf(list)));
    }
}

void WriteColumnSettings(QTreeView* list) {
    try {
        QTreeView& view = Required(list);
        const QString section = view.objectName();
        const int count = ColumnCount(list);
        for (int c = 0; c < count; ++c) {
            const double width = ColumnWidthTwips(list, c);
            if (width > 0) {
                SaveOptionSetting(section, Key(c, "Visible"), true, SettingType::Boolean);
                SaveOptionSetting(section, Key(c, "Width"), static_cast<float>(width), SettingType::Single);
            } else {
                SaveOptionSetting(section, Key(c, "Visible"), false, SettingType::Boolean);
            }
        }
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("WriteColumnSettings"), NameOf(list)));
    }
}

double StoredColumnWidthTwips(const QTreeView* list, int column) {
    const double width = GetOptionSetting(NameOf(list), Key(column, "Width"), QStringLiteral("1440"),
                                          SettingType::Single).toDouble();
    return width > 0 ? width : kDefaultColumnTwips;
}
