#include "options/ui/OptionListModels.h"

void RuleEntriesModel::SetCount(int count) {
    count = std::max(0, count);
    if (count > m_count) {
        beginInsertRows(QModelIndex(), m_count, count - 1);
        m_count = count;
        endInsertRows();
    } else if (count < m_count) {
        beginRemoveRows(QModelIndex(), count, m_count - 1);
        m_count = count;
        endRemoveRows();
    }
}

int RuleEntriesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_count; }

QVariant RuleEntriesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_count) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return RuleEntryText(index.row() + 1);
    return {};
}

ColumnListModel::ColumnListModel(const CatalogueColumnLists* lists, Side side, QObject* parent)
    : QAbstractTableModel(parent), m_lists(lists), m_side(side) {}

void ColumnListModel::Refresh() {
    beginResetModel();
    endResetModel();
}

int ColumnListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return m_side == Side::NotIncluded ? static_cast<int>(m_lists->NotIncluded().size())
                                       : static_cast<int>(m_lists->Included().size());
}

int ColumnListModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return m_side == Side::Included && m_lists->HasWidths() ? 2 : 1;
}

QVariant ColumnListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    if (m_side == Side::NotIncluded) return m_lists->NotIncluded()[index.row()];
    const IncludedColumn& column = m_lists->Included()[static_cast<size_t>(index.row())];
    return index.column() == 0 ? column.name : column.width;
}

QVariant ColumnListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == 0 ? QStringLiteral("Column") : QStringLiteral("Width");
}
