#pragma once
// The launcher bar ("the Integrator panel"): one caption per tool window, a
// description of the tool under the pointer, an Options button with a
// pop-up of the option pages, an Exit button that closes the main window, and
// a Stay On Top box remembered between runs ("Integrator"/"StayOnTop").  It
// has no skin, no menu bar and no close command; it stays loaded until the
// main window's unload unloads every window.
//
// While the box is ticked the bar stays above other windows, except a
// maximised (or full-screen) window on its screen: the bar leaves the
// topmost band for as long as such a window is up, so that window's title
// bar and menus are not kept under it.

#include "foundation/WindowProtocol.h"
#include "shell/menus/ui/KeyRouter.h"

#include <QPixmap>
#include <QWidget>
#include <array>

class QAction;
class QMenu;
class SkinImage;
class SkinLabel;

class FormIntegrator : public QWidget, public IToolWindow, public ISkinHost, public IKeyHost {
    Q_OBJECT
public:
    explicit FormIntegrator(QWidget* parent = nullptr);
    ~FormIntegrator() override;

    // The loaded bar, or null.
    static FormIntegrator* Instance();

    // 1 while the bar stays on top (box checked), 0 otherwise.
    int16_t mintCheckStayOnTop = 0;
    // Toggles the stay-on-top state (the box's click).
    void CheckStayOnTop_Click();
    // Shows the box face for the current value, then toggles once (see
    // ReadIntegratorSettings, which stores the opposite first).
    void UpdateSkinControls() override;
    // Puts the bar in the topmost band, or takes it out, as the box and the
    // maximised windows under it say (a modal dialog that lowered the bar
    // calls this when it closes).
    void ApplyStayOnTop();

    // ---- IToolWindow ----
    QString Name() const override { return objectName(); }
    QString Caption() const override { return windowTitle(); }
    void ShowWindow() override;
    // Unloading is for the program's end only (the bar has no close command).
    void UnloadWindow() override;

    // ---- IKeyHost ----
    int HelpTopic() const override { return ToolWindow(WindowNames::Integrator).helpTopic; }
    // Alt+O the Options pop-up, Alt+X Exit, Alt+S Stay On Top.
    void ProcessShortcutKeys(int keyCode, int shift) override;

    // ---- controls ----
    SkinImage* ImageBackground = nullptr;
    // Elements 0, 2, 3, 4, 5, 6 (there is no element 1): the Tools item numbers.
    std::array<SkinLabel*, 7> LabelTool{};
    SkinLabel* LabelToolName = nullptr;
    SkinLabel* LabelInfo = nullptr;
    SkinImage* BtnOptions = nullptr;
    SkinLabel* LabelOptions = nullptr;
    SkinImage* BtnExit = nullptr;
    SkinLabel* LabelExit = nullptr;
    SkinImage* CheckStayOnTop = nullptr;
    SkinLabel* LabelStayOnTop = nullptr;
    QPixmap ImageOptionsUP, ImageOptionsDN, ImageExitUP, ImageExitDN, ImageCheckON, ImageCheckOFF;
    QMenu* mnuOptionsRoot = nullptr;
    std::array<QAction*, 5> mnuOptions{};  // elements 1 to 4
    QAction* mnuOptionsEncoderDecoder = nullptr;
    QAction* mnuOptionsGap1 = nullptr;
    QAction* mnuOptionsPreferences = nullptr;

    // ---- event handlers, public so the keyboard and tests reach them ----
    void LabelTool_Click(int Index);
    void LabelTool_MouseMove(int Index);
    void ImageBackground_MouseMove();
    void BtnOptions_Click();
    void LabelOptions_Click();
    void BtnExit_Click();
    void LabelExit_Click();
    void BtnOptions_MouseDown(int Button);
    void BtnOptions_MouseUp();
    void BtnExit_MouseDown(int Button);
    void BtnExit_MouseUp();
    void LabelStayOnTop_Click();
    void mnuOptions_Click(int Index);
    void mnuOptionsEncoderDecoder_Click();
    void mnuOptionsPreferences_Click();

    // The caption colours of the design.
    static QColor ToolColour() { return QColor(192, 0, 0); }
    static QColor ToolHighlightColour() { return QColor(255, 0, 0); }
    static QColor ButtonCaptionColour() { return QColor(0, 0, 128); }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Notes windows being maximised, restored, shown and hidden.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormLoad();
    void InitialiseDialogText();
    void FitToolCaptions();
    void FormUnload();
    void BuildControls();
    // A shown maximised or full-screen window on the bar's screen, or null.
    QWidget* MaximisedWindowUnderneath() const;
    bool m_unloading = false;
    bool m_unloaded = false;
};

// The bar's settings: "Integrator"/"StayOnTop" (1 on top, the default).
void ReadIntegratorSettings();
void WriteIntegratorSettings();
