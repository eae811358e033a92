#include "coordinator/ui/SimResultsView.h"

#include "coordinator/SimResultsModel.h"
#include "foundation/Twips.h"
#include "scanning/ui/ScanResultsView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <algorithm>

namespace {

// The rows as the view shows them, and as a list file sees them.
class SimResultsListModel final : public QIdentityProxyModel, public IListFileModel {
public:
    SimResultsListModel(SimResultsModel& rows, QObject* parent) : QIdentityProxyModel(parent), m_file(rows) {
        setSourceModel(&rows);
    }
    int rowCount(const QModelIndex& parent) const override { return QIdentityProxyModel::rowCount(parent); }
    int columnCount(const QModelIndex& parent) const override { return QIdentityProxyModel::columnCount(parent); }
    QString listName() const override { return m_file.listName(); }
    int rowCount() const override { return m_file.rowCount(); }
    int columnCount() const override { return m_file.columnCount(); }
    bool isChecked(int row) const override { return m_file.isChecked(row); }
    QString cellText(int row, int column) const override { return m_file.cellText(row, column); }
    void clearRows() override { m_file.clearRows(); }
    void appendRow(bool checked, std::span<const QStringView> cells) override { m_file.appendRow(checked, cells); }
    void beginLoad() override { m_file.beginLoad(); }
    void endLoad() override { m_file.endLoad(); }

private:
    SimResultsListFile m_file;
};

}  // namespace

SimResultsView::SimResultsView(QWidget* parent) : QTreeView(parent) {
    setObjectName(QStringLiteral("ListViewSimResults"));
    setProperty("Checkboxes", true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDefaultDropAction(Qt::CopyAction);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QHeaderView* h = header();
    h->setStretchLastSection(false);
    h->setSectionsMovable(false);
    h->setSectionsClickable(true);
    h->setMinimumSectionSize(0);
    h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(h, &QHeaderView::sectionClicked, this, [this](int section) { emit ColumnClicked(section); });
}

void SimResultsView::setResultsModel(SimResultsModel* model) {
    m_model = model;
    QAbstractItemModel* old = this->model();
    setModel(model ? new SimResultsListModel(*model, this) : nullptr);
    if (old && old->parent() == this) old->deleteLater();
}

bool SimResultsView::acceptAsCopy(QDropEvent* event) const {
    // Dropped rows and files are only read: taken as a copy, so the program
    // they come from never deletes them as after a move.
    const QStringList files = ScanResultsView::DroppedFiles(event->mimeData());
    if (files.isEmpty() || !acceptsFiles || !acceptsFiles(files) || !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

void SimResultsView::dragEnterEvent(QDragEnterEvent* event) { acceptAsCopy(event); }

void SimResultsView::dragMoveEvent(QDragMoveEvent* event) { acceptAsCopy(event); }

void SimResultsView::dropEvent(QDropEvent* event) {
    if (!acceptAsCopy(event)) return;
    const QStringList files = ScanResultsView::DroppedFiles(event->mimeData());
    // Processed as a job of the window once the drag is over, so the dragging
    // window is not held meanwhile.
    QPointer<SimResultsView> self(this);
    QTimer::singleShot(0, this, [self, files] {
        if (self) emit self->FilesDropped(files);
    });
}

void SimResultsView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    emit FocusChanged(true);
}

void SimResultsView::focusOutEvent(QFocusEvent* event) {
    QTreeView::focusOutEvent(event);
    emit FocusChanged(false);
}

void SimResultsView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit RowDoubleClicked();
}

void SimResultsView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && event->buttons() == Qt::NoButton)
        emit RightButtonUp(event->globalPosition().toPoint());
}
