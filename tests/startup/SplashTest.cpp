// The splash window as the start procedure shows it: modal, on top, and
// closed by itself when its time is up or its picture is clicked.

#include "shell/ui/Splash.h"
#include "shell/ui/SkinWidgets.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

TEST(SplashWindow, ClosesItselfWhenItsTimeIsUp) {
    ScriptedUi ui;
    SplashScreen splash(nullptr, {}, 300);
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash.LabelPlatform->font().pointSize(), 12);
    EXPECT_TRUE(splash.LabelPlatform->font().bold());
    QElapsedTimer timer;
    timer.start();
    splash.exec();  // returns only when the window has closed itself
    EXPECT_GE(timer.elapsed(), 290);
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_TRUE(ui.shown.empty());
}

TEST(SplashWindow, AClickOnThePictureClosesItAtOnceAndEscapeDoesNot) {
    ScriptedUi ui;
    SplashScreen splash(nullptr, {}, 60000);
    QTimer::singleShot(50, &splash, [&] {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&splash, &escape);
    });
    QTimer::singleShot(150, &splash, [&] {
        EXPECT_TRUE(splash.isVisible());
        EXPECT_TRUE(splash.Wait().Started());
        emit splash.ImageBackground->Click();
    });
    QElapsedTimer timer;
    timer.start();
    splash.exec();
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST(SplashWindow, WaitsOnTheClockAndNotOnAClickBeforeItsActivation) {
    int64_t now = 0;
    SplashScreen splash(nullptr, [&] { return now; });
    splash.ImageBackground_Click();  // not yet shown: no effect on the wait
    splash.Form_Activate();
    splash.show();
    now = 3999;
    splash.CheckTimeUp();
    EXPECT_TRUE(splash.isVisible());
    now = 4000;
    splash.CheckTimeUp();
    EXPECT_FALSE(splash.isVisible());
}
