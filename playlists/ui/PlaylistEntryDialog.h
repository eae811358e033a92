#pragma once
// The "Playlist Entry" dialog: one entry's title and file, to edit the
// selected entry (mode 0), insert a new one at the selected row (mode 1) or
// add one at the end (mode 2).  Its OK stores the entry in the open playlist
// and sets the Playlist Manager's mblnPlaylistChanged; Cancel, or an OK
// refused for an empty field, leaves it false.  The window refreshes its
// views after the dialog only when it is true.

#include "foundation/Dialogs.h"

#include <QDialog>
#include <cstdint>
#include <functional>

class FormPlaylistManager;
class QLabel;
class QLineEdit;
class QPushButton;

class DialogPlaylistEntry : public QDialog {
    Q_OBJECT
public:
    // `selectedRow` names the entry of modes 0 and 1.
    DialogPlaylistEntry(FormPlaylistManager& owner, int selectedRow);

    // 0 edit, 1 insert, 2 add.
    int32_t mplaylistEntry = 0;

    QLabel* LabelTitle = nullptr;
    QLineEdit* TextTitle = nullptr;
    QLabel* LabelFile = nullptr;
    QLineEdit* TextFile = nullptr;
    QPushButton* BtnBrowse = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    CommonDialog CommonDialogFile;

    void InitialiseDialogText();
    void BtnBrowse_Click();
    void OKButton_Click();
    void CancelButton_Click();

    // Shows the dialog modally (in tests, the driver stands in for the user).
    void ShowModal();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    FormPlaylistManager& m_owner;
    int m_selectedRow;
};

// The filter of the Browse button's open dialog.
QString PlaylistEntryFileFilter();

// Tests stand in for the user: the driver runs once the dialog is shown
// (an empty function restores the user).
void SetPlaylistEntryDialogDriver(std::function<void(DialogPlaylistEntry&)> driver);
