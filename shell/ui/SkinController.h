#pragma once
// The per-window skin controller: every skinned window owns one.  Initialise
// prepares the window's texts, position, dressing and cursor; the window
// forwards its resize and the mouse events of its chrome (menu-bar labels,
// picture title bar, title label, the three title-bar buttons) to the members
// of the same names.  Mouse arguments are the platform's: Button 1 left,
// 2 right, 4 middle; X and Y in twips.

#include <QPointer>

class SkinnedWindow;

class clsSkin {
public:
    void Initialise(SkinnedWindow* frm, bool blnCoreTool);
    void Resize();
    void LabelMenu_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void LabelMenu_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void ImageTitleBar_DblClick();
    void LabelTitle_DblClick();
    void ImageTitleBar_MouseDown(int Button, int Shift, float X, float Y);
    void LabelTitle_MouseDown(int Button, int Shift, float X, float Y);
    void ImageSystemMenu_Click(int Index);
    void ImageSystemMenu_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void ImageSystemMenu_MouseUp(int Index, int Button, int Shift, float X, float Y);

    SkinnedWindow* Owner() const { return mfrmOwner; }

private:
    void DragOwner(int Button);
    void ShowSystemMenuPicture(int Index, bool down);
    QPointer<SkinnedWindow> mfrmOwner;
};
