#pragma once
// What the checked results lists of the tool windows share: a list of whole
// rows (check boxes in column 0, several rows selectable, no editing in
// place, sortable by a header click) that reports what the user does to it
// and leaves the decisions to its window.  Files dropped on it are delivered
// after the drop event has ended, so the program they come from is not held
// while the window works on them.
//
// ListFileProxyModel shows a table model's rows unchanged and is at the same
// time that list as the list-file reader and writer see it, so code that
// knows only a list by its name (the command line's ".scn" and ".sim") can
// load it.

#include "foundation/ListFiles.h"

#include <QIdentityProxyModel>
#include <QStringList>
#include <QTreeView>
#include <memory>

class QMimeData;

class ResultsListView : public QTreeView {
    Q_OBJECT
public:
    // `name` is the list's objectName (its list files' first line).
    ResultsListView(const QString& name, QWidget* parent = nullptr);

    // The local files a drag carries (in order); empty when it carries none.
    static QStringList DroppedFiles(const QMimeData* data);

signals:
    void ColumnClicked(int column);
    void RowDoubleClicked();
    void RightButtonUp(const QPoint& globalPos);
    void FocusChanged(bool hasFocus);
    // Files dropped on the list (delivered after the drop event has ended).
    void FilesDropped(const QStringList& paths);

protected:
    // Emits FilesDropped with `files` once the current event has ended.
    void DeliverDroppedFiles(const QStringList& files);
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class ListFileProxyModel final : public QIdentityProxyModel, public IListFileModel {
public:
    ListFileProxyModel(QAbstractItemModel& rows, std::unique_ptr<IListFileModel> file, QObject* parent);
    int rowCount(const QModelIndex& parent) const override { return QIdentityProxyModel::rowCount(parent); }
    int columnCount(const QModelIndex& parent) const override { return QIdentityProxyModel::columnCount(parent); }
    QString listName() const override { return m_file->listName(); }
    int rowCount() const override { return m_file->rowCount(); }
    int columnCount() const override { return m_file->columnCount(); }
    bool isChecked(int row) const override { return m_file->isChecked(row); }
    QString cellText(int row, int column) const override { return m_file->cellText(row, column); }
    void clearRows() override { m_file->clearRows(); }
    void appendRow(bool checked, std::span<const QStringView> cells) override { m_file->appendRow(checked, cells); }
    void beginLoad() override { m_file->beginLoad(); }
    void endLoad() override { m_file->endLoad(); }

private:
    std::unique_ptr<IListFileModel> m_file;
};
