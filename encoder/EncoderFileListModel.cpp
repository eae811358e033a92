#include "encoder/EncoderFileListModel.h"

#include "foundation/FileUtils.h"
#include "foundation/Registry.h"
#include "foundation/ResourceStrings.h"
#include "foundation/TextOrder.h"

#include <QFileInfo>

QString EncoderFileRow::path() const { return JoinPath(folder, fileName); }

EncoderFileListModel::EncoderFileListModel(QObject* parent) : QAbstractTableModel(parent) {}

int EncoderFileListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows(); }

int EncoderFileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : EncoderColumn::Count;
}

QVariant EncoderFileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows() || index.column() >= EncoderColumn::Count) return {};
    const EncoderFileRow& r = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        switch (index.column()) {
        case EncoderColumn::FileName: return r.fileName;
        case EncoderColumn::Folder: return r.folder;
        default: return r.type;
        }
    case Qt::CheckStateRole:
        if (index.column() == 0) return r.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    default: return {};
    }
}

bool EncoderFileListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rows() || role != Qt::CheckStateRole || index.column() != 0) return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags EncoderFileListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant EncoderFileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case EncoderColumn::FileName: return GetResourceString(TextId::Encoder::ColumnFileName);
    case EncoderColumn::Folder: return GetResourceString(TextId::Encoder::ColumnFolder);
    case EncoderColumn::Type: return GetResourceString(TextId::Encoder::ColumnType);
    default: return {};
    }
}

bool EncoderFileListModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rows()) return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
    endRemoveRows();
    return true;
}

void EncoderFileListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= EncoderColumn::Count || m_rows.size() < 2) return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> permutation = CaseInsensitiveOrder(
        rows(),
        [&](int r) -> const QString& {
            const EncoderFileRow& row = m_rows[size_t(r)];
            return column == EncoderColumn::FileName ? row.fileName
                   : column == EncoderColumn::Folder ? row.folder
                                                     : row.type;
        },
        order);
    const std::vector<int> newRowOf = ApplyOrder(m_rows, permutation);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& idx : before) after.push_back(index(newRowOf[size_t(idx.row())], idx.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString EncoderFileListModel::typeOf(const QString& fileName) {
    const QString name = FileNamePart(fileName);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString key = dot > 0 ? name.mid(dot + 1).toLower() : QString();
    auto it = m_types.constFind(key);
    if (it != m_types.constEnd()) return *it;
    const QString type = GetFileType(fileName);
    m_types.insert(key, type);
    return type;
}

void EncoderFileListModel::append(EncoderFileRow row) {
    const int at = rows();
    beginInsertRows(QModelIndex(), at, at);
    m_rows.push_back(std::move(row));
    endInsertRows();
}

void EncoderFileListModel::appendPath(const QString& path) {
    EncoderFileRow row;
    row.fileName = FileNamePart(path);
    row.folder = ParentFolder(path);
    row.type = typeOf(path);
    append(std::move(row));
}

void EncoderFileListModel::appendFile(const QString& folder, const QString& fileName) {
    EncoderFileRow row;
    row.fileName = fileName;
    row.folder = folder;
    row.type = typeOf(fileName);
    append(std::move(row));
}

void EncoderFileListModel::clear() {
    if (m_rows.empty()) return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void EncoderFileListModel::setChecked(int row, bool checked) {
    if (row < 0 || row >= rows() || m_rows[size_t(row)].checked == checked) return;
    m_rows[size_t(row)].checked = checked;
    const QModelIndex cell = index(row, 0);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
}

void EncoderFileListModel::setAllChecked(bool checked) {
    if (m_rows.empty()) return;
    for (EncoderFileRow& r : m_rows) r.checked = checked;
    emit dataChanged(index(0, 0), index(rows() - 1, 0), {Qt::CheckStateRole});
}

int EncoderFileListModel::checkedCount() const {
    int n = 0;
    for (const EncoderFileRow& r : m_rows) n += r.checked ? 1 : 0;
    return n;
}
