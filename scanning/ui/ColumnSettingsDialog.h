#pragma once
// The "Column Settings" dialog: which columns of a list are shown and how
// wide each shown column is.  It works on any list handed to InitiateDialog
// and changes the list's columns only when the user presses OK.

#include <QDialog>
#include <QPointer>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

class DialogColumnSettings : public QDialog {
    Q_OBJECT
public:
    explicit DialogColumnSettings(QWidget* parent = nullptr);

    // Fills the dialog from the list's columns: one row per column, ticked
    // when the column is shown.
    void InitiateDialog(QTreeView* list);

    // ---- controls (named as the window declares them) ----
    QTreeWidget* ListViewColumns = nullptr;
    QPushButton* BtnShow = nullptr;
    QPushButton* BtnHide = nullptr;
    QLabel* LabelTheselectedcolumnshouldbe = nullptr;
    QLineEdit* TextColumnWidth = nullptr;
    QLabel* Labelpixelswide = nullptr;
    QLabel* LabelInfo = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // The width (twips) each column gets when it is shown on OK.
    const std::vector<float>& ColumnWidths() const { return msngColumnWidths; }

    void BtnShow_Click();
    void BtnHide_Click();
    void OKButton_Click();
    void CancelButton_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void InitialiseDialogText();
    void UpdateControls();
    void TextColumnWidth_Change();
    int SelectedRow() const;

    QPointer<QTreeView> mlvwColumns;
    std::vector<float> msngColumnWidths;
    bool m_filling = false;
};
