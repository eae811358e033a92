#pragma once
// The splash window: a picture with the platform line and the copyright
// notice, on top of every other window, shown modally by the start procedure.
// It closes itself four seconds after it first becomes active, or at once when
// its picture is clicked.  It waits on a timer: the message loop runs as
// usual meanwhile.

#include "shell/start/SplashWait.h"

#include <QDialog>

class QLabel;
class QTimer;
class SkinImage;

class SplashScreen : public QDialog {
    Q_OBJECT
public:
    // `clock` (milliseconds) is for tests; by default a monotonic clock.
    explicit SplashScreen(QWidget* parent = nullptr, SplashWait::Clock clock = {},
                          int64_t durationMs = SplashWait::kDurationMs);

    SkinImage* ImageBackground = nullptr;
    QLabel* LabelPlatform = nullptr;
    QLabel* LabelCopyright = nullptr;

    // The first activation starts the wait (later ones do nothing).
    void Form_Activate();
    void ImageBackground_Click();
    // Looks at the wait and closes the window when it is over, else waits on.
    void CheckTimeUp();
    const SplashWait& Wait() const { return m_wait; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Escape does not close it: only the time or a click on the picture.
    void reject() override {}

private:
    SplashWait m_wait;
    QTimer* m_timer = nullptr;
};

// Shows the splash window modally; returns when it has closed itself.
void ShowSplashScreen();
