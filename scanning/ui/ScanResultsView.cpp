#include "scanning/ui/ScanResultsView.h"

#include "foundation/ListFiles.h"
#include "foundation/NativePath.h"
#include "scanning/engine/ScanResultsListFile.h"
#include "scanning/engine/ScanResultsModel.h"
#include "foundation/Twips.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace {
// Drag data that names the file-list format at once and builds the list
// only when a drop target asks, so a drag of many rows starts at once.
class FileListMimeData : public QMimeData {
public:
    explicit FileListMimeData(std::function<QStringList()> paths) : m_paths(std::move(paths)) {}

    bool hasFormat(const QString& mimeType) const override {
        return mimeType == QLatin1String("text/uri-list") || QMimeData::hasFormat(mimeType);
    }
    QStringList formats() const override { return {QStringLiteral("text/uri-list")}; }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override {
        Q_UNUSED(mimeType);
        // Every request gets the file list, whatever format it names.
        if (!m_built) {
            m_built = true;
            if (m_paths)
                for (const QString& path : m_paths()) m_urls.push_back(FileUrlFromPath(path));
        }
        if (type.id() == QMetaType::QByteArray || type.id() == QMetaType::QString) {
            QByteArray bytes;
            for (const QUrl& url : m_urls) bytes += url.toEncoded() + "\r\n";
            if (type.id() == QMetaType::QString) return QString::fromUtf8(bytes);
            return bytes;
        }
        QVariantList list;
        list.reserve(m_urls.size());
        for (const QUrl& url : m_urls) list.push_back(url);
        return list;
    }

private:
    std::function<QStringList()> m_paths;
    mutable bool m_built = false;
    mutable QList<QUrl> m_urls;
};
}  // namespace

ScanResultsView::ScanResultsView(QWidget* parent)
    : ResultsListView(QStringLiteral("ListViewScanResults"), parent) {
    setAlternatingRowColors(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    QHeaderView* h = header();
    h->setMinimumSectionSize(std::max(4, TwipsToPixelsX(150)));
    h->setDefaultSectionSize(TwipsToPixelsX(1440));
}

void ScanResultsView::setResultsModel(ScanResultsModel* model) {
    m_model = model;
    QAbstractItemModel* old = this->model();
    setModel(model ? new ListFileProxyModel(*model, std::make_unique<ScanResultsListFile>(*model), this) : nullptr);
    if (old && old->parent() == this) old->deleteLater();
    // Column widths are set by the window (every column starts 1440 twips).
    for (int c = 0; c < (model ? model->columnCount() : 0); ++c) header()->resizeSection(c, TwipsToPixelsX(1440));
}

QList<int> ScanResultsView::SelectedRows() const {
    QList<int> rows;
    if (!selectionModel()) return rows;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int r = range.top(); r <= range.bottom(); ++r) rows.push_back(r);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QStringList ScanResultsView::SelectedPaths() const {
    QStringList paths;
    if (!m_model) return paths;
    for (int row : SelectedRows()) paths.push_back(m_model->fullPath(row));
    return paths;
}

QMimeData* ScanResultsView::FileListData(std::function<QStringList()> paths) {
    return new FileListMimeData(std::move(paths));
}

void ScanResultsView::startDrag(Qt::DropActions) {
    if (!m_model || SelectedRows().isEmpty()) return;
    if (setDragInProcess) setDragInProcess(true);
    auto* drag = new QDrag(this);
    // The paths are taken when the target asks: the selection as it is then.
    QPointer<ScanResultsView> self(this);
    drag->setMimeData(FileListData([self] { return self ? self->SelectedPaths() : QStringList(); }));
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    if (setDragInProcess) setDragInProcess(false);
}

bool ScanResultsView::acceptsDrag(const QMimeData* data) const {
    if (dragInProcess && dragInProcess()) return false;  // our own rows never come back
    return !DroppedFiles(data).isEmpty();
}

bool ScanResultsView::acceptAsCopy(QDropEvent* event) const {
    // Dropped files are only read: they are taken as a copy whatever the
    // user proposed, so that the program they come from never deletes them
    // as after a move.  A drag that offers no copy is refused.
    if (!acceptsDrag(event->mimeData()) || !(event->possibleActions() & Qt::CopyAction)) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

void ScanResultsView::dragEnterEvent(QDragEnterEvent* event) { acceptAsCopy(event); }

void ScanResultsView::dragMoveEvent(QDragMoveEvent* event) { acceptAsCopy(event); }

void ScanResultsView::dropEvent(QDropEvent* event) {
    if (!acceptAsCopy(event)) return;
    const QStringList files = DroppedFiles(event->mimeData());
    // The files are processed as a job of the window once the drag is over,
    // so the dragging program is not held while they are read.
    DeliverDroppedFiles(files);
}
