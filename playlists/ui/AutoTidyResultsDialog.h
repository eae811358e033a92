#pragma once
// The "Auto-Tidy Results" dialog: the entries whose missing files Auto-Tidy
// found (title, file name, where it was found) and those it removed (title,
// stored path), each list in the order Auto-Tidy visited them.

#include "playlists/AutoTidy.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTreeView;

class DialogAutoTidyResults : public QDialog {
    Q_OBJECT
public:
    explicit DialogAutoTidyResults(const AutoTidyReport& report, QWidget* parent = nullptr);

    QLabel* LabelFound = nullptr;
    QTreeView* ListViewFound = nullptr;
    QLabel* LabelUnfound = nullptr;
    QTreeView* ListViewUnfound = nullptr;
    QPushButton* OKButton = nullptr;

    void InitialiseDialogText();
    void ResizeColumns();
    // Shows the dialog modally (in tests, the driver stands in for the user).
    void ShowModal();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

void SetAutoTidyResultsDialogDriver(std::function<void(DialogAutoTidyResults&)> driver);
