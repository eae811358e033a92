#pragma once
// The base of every skinned tool window.  It carries the chrome that shared
// code reaches by name (ImageTitleBar, LabelTitle, ImageSystemMenu 0..2, the
// hidden picture store ImageSkins 0..11 and PictureBoxBackground, and on a
// window with a menu bar LabelMenu 0..4 with the shared Edit, Tools and Help
// menus, ImageGreenIndicator, LabelStatusBar and ProgBar), registers itself
// as a loaded window, and routes the chrome's mouse events to its skin
// controller.
//
// A window is built in its skinned layout: picture buttons, check boxes and
// option buttons with their caption labels visible, the standard controls
// they stand for hidden.  The subclass builds its controls and wrappers in
// its constructor, then calls LoadWindow(), which dresses the window for the
// current preferences and shows it.  Positions given in twips go through
// foundation/Twips.h.
//
// With skins on the window is frameless: the picture title bar drags it
// (QWindow::startSystemMove, or a move of our own where the window manager
// offers none), the three picture buttons minimise, maximise/restore and
// close it, and its edges resize it.  With skins off it wears the platform's
// frame.

#include "foundation/WindowProtocol.h"
// Every window reads and writes its position (ReadWindowPos, WriteWindowPos).
#include "foundation/ui/WindowPositions.h"
#include "shell/ui/SkinWidgets.h"

#include <QCursor>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class clsSkin;
class clsSkinnedControl;

class SkinnedWindow : public QWidget, public IToolWindow, public IDialogTextHost, public ICommonControlsHost {
    Q_OBJECT
public:
    struct Features {
        bool menuBar = true;    // LabelMenu, the shared menus, ImageGreenIndicator
        bool statusBar = true;  // LabelStatusBar and ProgBar
    };
    explicit SkinnedWindow(const QString& name, Features features, QWidget* parent = nullptr);
    explicit SkinnedWindow(const QString& name, QWidget* parent = nullptr)
        : SkinnedWindow(name, Features{}, parent) {}
    ~SkinnedWindow() override;

    // ---- IToolWindow ----
    QString Name() const override { return objectName(); }
    QString Caption() const override { return windowTitle(); }
    QString Tag() const override { return m_formTag; }
    void ShowWindow() override;
    void UnloadWindow() override;
    // Also the window's dynamic property "Tag" (the window positions go by it).
    void SetFormTag(const QString& tag);
    // The caption: the window title and LabelTitle.
    void SetCaption(const QString& caption);

    // ---- IDialogTextHost: the window's own texts (none here) ----
    void InitialiseDialogText() override {}

    // ---- ICommonControlsHost ----
    void SetSystemMenuToolTip(int index, const QString& text) override;
    void SetGreenIndicatorToolTip(const QString& text) override;
    void SetLabelMenuCaption(int index, const QString& text) override;
    void SetMenuItemCaption(Menu menu, int index, const QString& text) override;

    // ---- named controls (null where the window has none) ----
    SkinImage* ImageTitleBar = nullptr;
    SkinLabel* LabelTitle = nullptr;
    std::array<SkinImage*, 3> ImageSystemMenu{};
    // The hidden store of the scheme's pictures, and the background cell.
    std::array<QPixmap, 12> ImageSkins;
    QPixmap PictureBoxBackground;
    std::array<SkinLabel*, 5> LabelMenu{};
    QMenu* mnuEditRoot = nullptr;
    std::array<QAction*, 7> mnuEdit{};
    QMenu* mnuToolsRoot = nullptr;
    std::array<QAction*, 12> mnuTools{};
    QMenu* mnuHelpRoot = nullptr;
    std::array<QAction*, 6> mnuHelp{};
    SkinImage* ImageGreenIndicator = nullptr;
    QLabel* LabelStatusBar = nullptr;
    QProgressBar* ProgBar = nullptr;

    // The window's own File and Actions menus (labels 0 and 3).
    void SetLabelMenuPopup(int index, QMenu* menu);
    // Pops up the menu of label `index` under the label.
    void PopupLabelMenu(int index);

    // The skin controller (null until LoadWindow).
    clsSkin* Skin() const { return m_skin.get(); }

    // The wrappers of the window's skinned controls (each adds itself when
    // bound and goes when destroyed).  A dressing gives every check box and
    // option picture its "off" face; RefreshSkinnedControls shows each
    // wrapper's value again (Refresh), so no picture contradicts its value.
    void AddSkinnedControl(clsSkinnedControl* control);
    void RemoveSkinnedControl(clsSkinnedControl* control);
    void RefreshSkinnedControls();

    // Minimum size in twips, held on every resize.
    void SetMinimumSizeTwips(double height, double width);
    double MinimumHeightTwips() const { return m_minHeight; }
    double MinimumWidthTwips() const { return m_minWidth; }

    // ---- chrome support used by the skin engine and controller ----
    // A drag of the window by its picture title bar, begun at the last press
    // on the title bar or title label.
    void BeginWindowDrag();
    bool IsDraggingWindow() const { return m_dragging; }
    // Whether the sizing border of a frameless window works (RemoveTitleBar
    // with blnBorder True takes it off).
    void SetSizingBorder(bool on) { m_sizingBorder = on; }
    bool SizingBorder() const { return m_sizingBorder; }
    // The background cells drawn by PaintForm (kept across repaints: the
    // cell picture and where each copy goes, in pixels), and the etched
    // frames drawn on the background.  New cells clear the frames.
    void SetBackgroundCells(const QPixmap& cell, const std::vector<QRect>& cells);
    const std::vector<QRect>& BackgroundCellRects() const { return m_cells; }
    void AddSurfaceFrame(QWidget* first, QWidget* second, const QRect& frame);
    std::vector<QRect> SurfaceFrames() const;

protected:
    // The load handler's skin part: creates the skin controller and runs its
    // Initialise (texts, position, dressing, cursor); a failure is shown in
    // the critical error box.
    void LoadWindow(bool blnCoreTool);
    // Lays out the window's controls after a resize (the menu bar row and the
    // status line here); runs after the minimum size and chrome positions.
    virtual void LayoutControls();
    // The unload-query handler: set cancel to stay open.
    virtual void QueryUnload(bool& cancel) { (void)cancel; }
    // The unload handler: runs once the window is closing.
    virtual void FormUnload() {}

    void resizeEvent(QResizeEvent* event) override;
    // A change of window state (maximised, restored) counts as a resize.
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void BuildChrome(const Features& features);
    void ContinueWindowDrag(const QPoint& globalPos);
    void EndWindowDrag();
    Qt::Edges EdgesAt(const QPoint& pos) const;

    QString m_formTag = QStringLiteral("Skinnable");
    std::unique_ptr<clsSkin> m_skin;
    std::vector<clsSkinnedControl*> m_skinnedControls;
    std::array<QPointer<QMenu>, 5> m_labelPopups{};
    double m_minHeight = 0, m_minWidth = 0;
    bool m_inResize = false;

    QPoint m_pressGlobal;
    bool m_dragging = false;
    QPoint m_dragAnchor, m_dragStartPos;
    bool m_sizingBorder = true;
    Qt::Edges m_resizeEdges;
    bool m_edgeCursor = false, m_hadOwnCursor = false;
    QCursor m_ownCursor;
    QRect m_resizeStartGeometry;

    QPixmap m_cell;
    std::vector<QRect> m_cells;
    struct SurfaceFrame {
        QPointer<QWidget> first, second;
        QRect rect;
    };
    std::vector<SurfaceFrame> m_frames;
};

// A skinned window that runs long jobs: ProgBar, LabelStatusBar and the
// busy pointer for the long-job procedures.  EnableControls is the window's.
class SkinnedJobWindow : public SkinnedWindow, public ILongJobHost {
    Q_OBJECT
public:
    using SkinnedWindow::SkinnedWindow;
    void SetProgBarValue(double value) override;
    void SetProgBarMax(double maximum) override;
    void SetStatusBarCaption(const QString& text) override;
    void SetBusyPointer(bool busy) override;

protected:
    // The red indicator light, created in the green one's place and stacked
    // under it (the window brings whichever applies to the front), and ProgBar
    // turned upright without text.  Called once from the constructor, after
    // the controls that should lie beneath the light.
    SkinImage* BuildRedIndicatorAndProgBar();
};

// A small round indicator light (11 x 11 pixels): a rim and a gradient from
// `light` at the top left to `dark`.
QPixmap IndicatorPicture(const QColor& rim, const QColor& light, const QColor& dark);
