#pragma once
// The Encoder Decoder's file list: one row per file with its check mark (the
// rows a batch converts), the file's name with its extension, the folder that
// holds it and its type description.  Rows are added by the open dialog, by
// drops, by Read Scan Results and by the CD Ripper; the same file may stand
// in the list more than once.  Nothing else stands behind the list.
//
// The check marks, the view's own check-box clicks (setData), removing rows
// and sorting are foundation/CheckedRowModel.h's.  Sorting orders the rows by
// one column's text ignoring letter case, keeping the order of equal texts.

#include "foundation/CheckedRowModel.h"

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

class EncoderFileListModel : public CheckedRowModel<EncoderFileRow> {
    Q_OBJECT
public:
    explicit EncoderFileListModel(QObject* parent = nullptr);

    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // ---- rows ----
    const EncoderFileRow& row(int r) const { return m_rows[size_t(r)]; }
    // A checked row for `path` (name = its last part, folder = the rest, type
    // from the name's extension).
    void appendPath(const QString& path);
    // A checked row for `fileName` in `folder`, as the scan results hold it.
    void appendFile(const QString& folder, const QString& fileName);

protected:
    QVariant cellData(int row, int column, int role) const override;
    QString sortText(int row, int column) const override;

private:
    QString typeOf(const QString& fileName);
    // Type descriptions by lower-case extension: one look-up per extension.
    QHash<QString, QString> m_types;
};
