#pragma once
// The results list of the scanning centre as a control: a checked, sortable
// list over the results model that hands its rows out as files when they are
// dragged and takes dropped files in, always as a copy.  It only reports; the
// window decides.

#include "foundation/ui/ResultsListView.h"

#include <QStringList>
#include <functional>

class QDropEvent;
class QMimeData;
class ScanResultsModel;

class ScanResultsView : public ResultsListView {
    Q_OBJECT
public:
    explicit ScanResultsView(QWidget* parent = nullptr);

    // Shows `model`'s rows.  The view's model() is a pass-through of it that
    // is also the list as the list-file reader and writer see it, so code
    // that knows only the list (the command line's ".scn") can load it.
    void setResultsModel(ScanResultsModel* model);
    ScanResultsModel* resultsModel() const { return m_model; }

    // The selected rows in list order.
    QList<int> SelectedRows() const;
    // The full paths of the selected rows in list order.
    QStringList SelectedPaths() const;

    // The window's drag flag (mblnDragInProcess): read on every drag over the
    // list, set at the start of a drag out and cleared at its end.
    std::function<bool()> dragInProcess;
    std::function<void(bool)> setDragInProcess;

    // The drag data of rows dragged out: the file-list format, filled with
    // the paths only when a drop target asks for it.
    static QMimeData* FileListData(std::function<QStringList()> paths);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool acceptsDrag(const QMimeData* data) const;
    // Accepts the drag or drop as a copy, or ignores it; true when accepted.
    bool acceptAsCopy(QDropEvent* event) const;
    ScanResultsModel* m_model = nullptr;
};
