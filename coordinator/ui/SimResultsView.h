#pragma once
// The simulate results table as a control: a checked, sortable list over the
// simulate results model that takes dragged scan results rows and dropped
// ".sim" files.  It only reports; the window decides.  The view's model() is
// a pass-through of the rows that is also the list as the list-file reader
// and writer see it, so code that knows only the list by name (the command
// line's ".sim") can load it.

#include "foundation/ui/ResultsListView.h"

#include <QStringList>
#include <functional>

class QDropEvent;
class QMimeData;
class SimResultsModel;

class SimResultsView : public ResultsListView {
    Q_OBJECT
public:
    explicit SimResultsView(QWidget* parent = nullptr);

    void setResultsModel(SimResultsModel* model);
    SimResultsModel* resultsModel() const { return m_model; }

    // Asked on every drag over the list with the files the drag carries (never
    // empty): whether a drop would be taken.
    std::function<bool(const QStringList& files)> acceptsFiles;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Accepts the drag or drop as a copy, or ignores it; true when accepted.
    bool acceptAsCopy(QDropEvent* event) const;
    SimResultsModel* m_model = nullptr;
};
