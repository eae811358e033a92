#include "coordinator/ui/SimResultsView.h"

#include "coordinator/SimResultsModel.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>

SimResultsView::SimResultsView(QWidget* parent) : ResultsListView(QStringLiteral("ListViewSimResults"), parent) {
    setDragDropMode(QAbstractItemView::DropOnly);
    // The folder column is hidden by a width of 0.
    header()->setMinimumSectionSize(0);
}

void SimResultsView::setResultsModel(SimResultsModel* model) {
    m_model = model;
    QAbstractItemModel* old = this->model();
    setModel(model ? new ListFileProxyModel(*model, std::make_unique<SimResultsListFile>(*model), this) : nullptr);
    if (old && old->parent() == this) old->deleteLater();
}

bool SimResultsView::acceptAsCopy(QDropEvent* event) const {
    // Dropped rows and files are only read: taken as a copy, so the program
    // they come from never deletes them as after a move.
    const QStringList files = DroppedFiles(event->mimeData());
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
    if (acceptAsCopy(event)) DeliverDroppedFiles(DroppedFiles(event->mimeData()));
}
