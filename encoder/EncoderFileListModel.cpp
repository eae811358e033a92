#include "encoder/EncoderFileListModel.h"

#include "foundation/FileUtils.h"
#include "foundation/Registry.h"
#include "foundation/ResourceStrings.h"

#include <QFileInfo>

QString EncoderFileRow::path() const { return JoinPath(folder, fileName); }

EncoderFileListModel::EncoderFileListModel(QObject* parent)
    : CheckedRowModel({.columns = EncoderColumn::Count, .removable = true, .sortable = true}, parent) {}

QVariant EncoderFileListModel::cellData(int row, int column, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    return sortText(row, column);  // a cell sorts by the text it shows
}

QString EncoderFileListModel::sortText(int row, int column) const {
    const EncoderFileRow& r = m_rows[size_t(row)];
    switch (column) {
    case EncoderColumn::FileName: return r.fileName;
    case EncoderColumn::Folder: return r.folder;
    default: return r.type;
    }
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

void EncoderFileListModel::appendPath(const QString& path) {
    EncoderFileRow row;
    row.fileName = FileNamePart(path);
    row.folder = ParentFolder(path);
    row.type = typeOf(path);
    addRow(std::move(row));
}

void EncoderFileListModel::appendFile(const QString& folder, const QString& fileName) {
    EncoderFileRow row;
    row.fileName = fileName;
    row.folder = folder;
    row.type = typeOf(fileName);
    addRow(std::move(row));
}
