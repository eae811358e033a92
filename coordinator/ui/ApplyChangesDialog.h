#pragma once
// The Apply Changes dialog: the modal confirmation Apply shows before it
// touches a file.  It lists every pending kind of change as a ticked box
// (coordinator/ApplyConfirmation.h); unticking one switches that change off
// where it lives, at once and whatever the dialog then ends with: an
// override's tick or a "Remove" in the override set, one of the
// coordinator's three switches (its skinned picture follows), or, for the
// deletions, this run's deletes.  OK is enabled while at least one listed
// change stays ticked; OK sets the coordinator's mblnApplyChanges, Cancel
// or the close box leave it false.  With nothing pending the dialog is never
// shown: "No Changes Specified" says so instead.

#include "coordinator/ApplyConfirmation.h"

#include <QDialog>
#include <array>
#include <functional>

class FormFileNameTagCoordinator;
class QCheckBox;
class QLabel;
class QPushButton;

class DialogApplyChanges : public QDialog {
    Q_OBJECT
public:
    // `deleteRows`: the ticked rows marked "Delete".
    DialogApplyChanges(FormFileNameTagCoordinator& coordinator, int deleteRows, QWidget* parent = nullptr);

    QLabel* LabelInfo = nullptr;
    std::array<QCheckBox*, ConfirmRow::Count> CheckChange{};
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // The rows shown, in order.
    const std::vector<ConfirmationRow>& Rows() const { return m_rows; }
    bool HasRows() const { return !m_rows.empty(); }
    // Whether this run deletes the rows marked "Delete".
    bool DeleteFiles() const { return m_deleteFiles; }

    // The click of row `index` (after its box changed).
    void CheckChange_Click(int index);
    void OKButton_Click();
    void CancelButton_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FormFileNameTagCoordinator& m_coordinator;
    std::vector<ConfirmationRow> m_rows;
    bool m_deleteFiles = true;
};

// Builds the dialog and shows it modally (or hands it to the test answer);
// shows "No Changes Specified" instead when nothing is pending.  Returns the
// coordinator's mblnApplyChanges; `deleteFiles` receives the deletion row's
// tick.
bool ConfirmApplyChanges(FormFileNameTagCoordinator& coordinator, int deleteRows, bool& deleteFiles);

// Tests answer the dialog instead of a user: the function gets the loaded
// dialog and clicks what it likes (nothing: the dialog is closed, as by its
// close box).  An empty function restores the modal dialog.
using ApplyChangesAnswer = std::function<void(DialogApplyChanges&)>;
void SetApplyChangesAnswerForTesting(ApplyChangesAnswer answer);
