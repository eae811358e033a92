#pragma once
// Helpers of the tests that go over every tool window: the main window over a
// scan of real files, every window of the program registered, the options a
// new user has, and what the windows' commands show counted where the tests
// can see it (message boxes, common dialogs, folder browsers, the desktop's
// "open", pop-up menus and the Apply confirmation).

#include "mainwin/MainWinSupport.h"
#include "support/RecordingDesktop.h"

#include <QObject>

class AllWindowsTest : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The loaded window of that name (created when it is not), shown, made
    // the active window, and the focus on its edit control (the window's
    // list) where it has one.
    QWidget* Show(const QString& name);
    // Closes every loaded window but the main one.
    void CloseToolWindows();
    // Every visible pop-up menu closed.
    static void CloseMenus();
    // How often something was shown: boxes, dialogs, folder browsers, opened
    // pages, pop-up menus, Apply confirmations.
    int Shows() const;
    // Lets the events through until `changed` holds (at most five seconds),
    // then a while longer, long enough for a second, wrong run to show.
    template <typename F>
    static void SettleAfter(F changed);

    QString music;
    RecordingDesktop desktop;
    int browses = 0;
    int menus = 0;
    int confirmations = 0;

private:
    QObject* m_menuWatch = nullptr;
};

#include <QCoreApplication>
#include <QElapsedTimer>

template <typename F>
void AllWindowsTest::SettleAfter(F changed) {
    QElapsedTimer timer;
    timer.start();
    while (!changed() && timer.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const qint64 settled = timer.elapsed() + 250;
    while (timer.elapsed() < settled) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}
