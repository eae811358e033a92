#pragma once
// What the option dialogs share about closing: however one
// closes (OK, Cancel, the close box), its place on the screen is stored once,
// and from then on it knows it is closing, so checks that run when a box
// loses the focus stay quiet while the dialog goes.

#include <QDialog>

class QCloseEvent;

class OptionDialogBase : public QDialog {
public:
    // Leaves without storing anything but the dialog's place.
    void CancelButton_Click();

protected:
    using QDialog::QDialog;
    // Stores the place once; later calls do nothing.
    void Unload();
    // What a dialog lets go of besides, once, as it unloads.
    virtual void Unloading() {}
    bool Unloaded() const { return m_unloaded; }
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_unloaded = false;
};
