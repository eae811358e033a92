#pragma once
// Acting on a modal dialog from a window test: the action runs from inside
// the dialog's own event loop once the dialog is up, so a test can look at a
// real dialog and then close or answer it as the user would.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// Runs `act` on the next modal dialog other than `outer`, once it shows.
inline void OnNextModal(std::function<void(QDialog&)> act, QWidget* outer = nullptr, int tries = 100) {
    QTimer::singleShot(tries == 100 ? 0 : 20, [act = std::move(act), outer, tries]() mutable {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog != outer && dialog->isVisible()) {
            act(*dialog);
        } else if (tries > 0) {
            OnNextModal(std::move(act), outer, tries - 1);
        } else {
            ADD_FAILURE() << "no dialog came up";
        }
    });
}

// Closes the next modal dialog (other than `outer`) as its close box would.
inline void CloseNextModal(QWidget* outer = nullptr) {
    OnNextModal([](QDialog& d) { d.close(); }, outer);
}
