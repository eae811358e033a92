#include "shell/ui/SkinController.h"

#include "foundation/CommonTexts.h"
#include "foundation/Errors.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/ui/WindowPositions.h"
#include "foundation/Twips.h"
#include "shell/SkinScheme.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/SkinnedWindow.h"
#include "shell/ui/Skins.h"

namespace {
SkinnedWindow& Owned(const QPointer<SkinnedWindow>& owner) {
    if (!owner) RaiseError(ErrNo::ObjectNotSet);
    return *owner;
}
}  // namespace

void clsSkin::Initialise(SkinnedWindow* frm, bool blnCoreTool) {
    WithTrail(CallSite(QStringLiteral("Initialise"), frm ? frm->Name() : QString(), blnCoreTool), [&] {
        mfrmOwner = frm;
        SkinnedWindow& window = Owned(mfrmOwner);
        window.InitialiseDialogText();
        if (blnCoreTool) UpdateCommonControls(&window);
        ReadWindowPos(&window);
        LoadSkin(&window);
        LoadCursorToControls(&window, 101);
    });
}

void clsSkin::Resize() {
    WithTrail(QStringLiteral("Resize"), [&] {
        SkinnedWindow& window = Owned(mfrmOwner);
        SkinImage* maximise = window.ImageSystemMenu[1];
        if (!maximise) RaiseError(ErrNo::MemberNotFound);
        maximise->setToolTip(
            GetResourceString(window.isMaximized() ? TextId::Common::Restore : TextId::Common::Maximize));
        if (!window.ImageTitleBar) RaiseError(ErrNo::MemberNotFound);
        const int width = TwipsToPixelsX(PixelsToTwipsX(window.width()) - 50);
        window.ImageTitleBar->resize(std::max(0, width), window.ImageTitleBar->height());
    });
}

void clsSkin::LabelMenu_MouseDown(int Index, int Button, int, float, float) {
    if (Button != 1) return;
    ResumeNext([&] {
        SkinnedWindow& window = Owned(mfrmOwner);
        if (Index < 0 || Index > 4 || !window.LabelMenu[static_cast<size_t>(Index)]) RaiseMissingElement(Index);
        window.LabelMenu[static_cast<size_t>(Index)]->SetBorderStyle(1);
    });
}

void clsSkin::LabelMenu_MouseUp(int Index, int Button, int, float, float) {
    if (Button != 1) return;
    ResumeNext([&] {
        SkinnedWindow& window = Owned(mfrmOwner);
        if (Index < 0 || Index > 4 || !window.LabelMenu[static_cast<size_t>(Index)]) RaiseMissingElement(Index);
        window.LabelMenu[static_cast<size_t>(Index)]->SetBorderStyle(0);
    });
}

// A double click maximises or restores, as the maximise button does, and
// not on a window that has that button switched off.
static bool CanMaximise(const SkinnedWindow* window) {
    return !window || !window->ImageSystemMenu[1] || window->ImageSystemMenu[1]->isEnabled();
}

void clsSkin::ImageTitleBar_DblClick() {
    if (CanMaximise(mfrmOwner)) ImageSystemMenu_Click(1);
}

void clsSkin::LabelTitle_DblClick() {
    if (CanMaximise(mfrmOwner)) ImageSystemMenu_Click(1);
}

void clsSkin::DragOwner(int Button) {
    if (Button != 1) return;
    ResumeNext([&] { Owned(mfrmOwner).BeginWindowDrag(); });
}

void clsSkin::ImageTitleBar_MouseDown(int Button, int, float, float) { DragOwner(Button); }

void clsSkin::LabelTitle_MouseDown(int Button, int, float, float) { DragOwner(Button); }

void clsSkin::ImageSystemMenu_Click(int Index) {
    ResumeNext([&] { SystemMenuItemSelect(&Owned(mfrmOwner), Index); });
}

void clsSkin::ShowSystemMenuPicture(int Index, bool down) {
    static const int kDown[] = {SkinPicture::MinimiseDown, SkinPicture::RestoreDown, SkinPicture::CloseDown};
    static const int kUp[] = {SkinPicture::MinimiseUp, SkinPicture::RestoreUp, SkinPicture::CloseUp};
    if (Index < 0 || Index > 2) return;
    ResumeNext([&] {
        SkinnedWindow& window = Owned(mfrmOwner);
        SkinImage* image = window.ImageSystemMenu[static_cast<size_t>(Index)];
        if (!image) RaiseError(ErrNo::MemberNotFound);
        image->SetPicture(window.ImageSkins[static_cast<size_t>(down ? kDown[Index] : kUp[Index])]);
    });
}

void clsSkin::ImageSystemMenu_MouseDown(int Index, int Button, int, float, float) {
    if (Button == 1) ShowSystemMenuPicture(Index, true);
}

void clsSkin::ImageSystemMenu_MouseUp(int Index, int Button, int, float, float) {
    if (Button == 1) ShowSystemMenuPicture(Index, false);
}
