#include "foundation/ui/ResultsListView.h"

#include "foundation/NativePath.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QUrl>

ResultsListView::ResultsListView(const QString& name, QWidget* parent) : QTreeView(parent) {
    setObjectName(name);
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
    setDefaultDropAction(Qt::CopyAction);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QHeaderView* h = header();
    h->setStretchLastSection(false);
    h->setSectionsMovable(false);
    h->setSectionsClickable(true);
    h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(h, &QHeaderView::sectionClicked, this, [this](int section) { emit ColumnClicked(section); });
}

QStringList ResultsListView::DroppedFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls())
        if (const QString path = PathFromFileUrl(url); !path.isEmpty()) files.push_back(path);
    return files;
}

void ResultsListView::DeliverDroppedFiles(const QStringList& files) {
    QPointer<ResultsListView> self(this);
    QTimer::singleShot(0, this, [self, files] {
        if (self) emit self->FilesDropped(files);
    });
}

void ResultsListView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    emit FocusChanged(true);
}

void ResultsListView::focusOutEvent(QFocusEvent* event) {
    QTreeView::focusOutEvent(event);
    emit FocusChanged(false);
}

void ResultsListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit RowDoubleClicked();
}

void ResultsListView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton) emit RightButtonUp(event->globalPosition().toPoint());
}

ListFileProxyModel::ListFileProxyModel(QAbstractItemModel& rows, std::unique_ptr<IListFileModel> file,
                                       QObject* parent)
    : QIdentityProxyModel(parent), m_file(std::move(file)) {
    setSourceModel(&rows);
}
