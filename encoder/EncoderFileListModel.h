#pragma once
// The Encoder Decoder's file list: one row per file with its check mark (the
// rows a batch converts), the file's name with its extension, the folder that
// holds it and its type description.  Rows are added by the open dialog, by
// drops, by Read Scan Results and by the CD Ripper; the same file may stand
// in the list more than once.  Nothing else stands behind the list.
//
// The view's own check-box clicks come in through setData.  Sorting orders
// the rows by one column's text ignoring letter case, keeping the order of
// equal texts.

#include <QAbstractTableModel>
#include <QHash>
#include <QString>
#include <vector>

namespace EncoderColumn {
constexpr int FileName = 0, Folder = 1, Type = 2;
constexpr int Count = 3;
}  // namespace EncoderColumn

struct EncoderFileRow {
    bool checked = true;
    QString fileName;
    QString folder;
    QString type;
    // The file's full path: folder and name joined with one "/".
    QString path() const;
};

class EncoderFileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit EncoderFileListModel(QObject* parent = nullptr);

    // ---- Qt model ----
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // ---- rows ----
    int rows() const { return static_cast<int>(m_rows.size()); }
    const EncoderFileRow& row(int r) const { return m_rows[size_t(r)]; }
    // A checked row for `path` (name = its last part, folder = the rest, type
    // from the name's extension).
    void appendPath(const QString& path);
    // A checked row for `fileName` in `folder`, as the scan results hold it.
    void appendFile(const QString& folder, const QString& fileName);
    void clear();
    void setChecked(int row, bool checked);
    void setAllChecked(bool checked);
    int checkedCount() const;

private:
    void append(EncoderFileRow row);
    QString typeOf(const QString& fileName);
    std::vector<EncoderFileRow> m_rows;
    // Type descriptions by lower-case extension: one look-up per extension.
    QHash<QString, QString> m_types;
};
