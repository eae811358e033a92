#include "shell/ui/Skins.h"

#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"
#include "foundation/Twips.h"
#include "shell/SkinScheme.h"
#include "foundation/WindowProtocol.h"
#include "foundation/ui/WindowPositions.h"
#include "shell/ui/ControlTypes.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/SkinnedWindow.h"

#include <QDir>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <cmath>

namespace {

// What the last dressing did to a window, so that dressing it again neither
// repeats a move nor loses the way back.
class SkinDressState : public QObject {
public:
    explicit SkinDressState(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("sv_skin_dress_state")); }
    bool plain = false;
    int shift = 0;                            // pixels the direct controls moved up
    QList<QPointer<QWidget>> hiddenChrome;    // chrome the plain dressing hid
    QList<QPointer<QWidget>> shownStandard;   // standard controls it showed
};

SkinDressState* StateOf(const QWidget* frm) {
    return frm->findChild<SkinDressState*>(QStringLiteral("sv_skin_dress_state"), Qt::FindDirectChildrenOnly);
}

SkinDressState* EnsureState(QWidget* frm) {
    if (SkinDressState* state = StateOf(frm)) return state;
    return new SkinDressState(frm);
}

// A step that fails only because the window or control lacks the member
// (438) or cannot read it at run time (393) is skipped.
template <typename F>
void SkipMissing(F&& step) {
    try {
        std::forward<F>(step)();
    } catch (const SvError& error) {
        if (error.number() == ErrNo::MemberNotFound || error.number() == ErrNo::PropertyNotReadable) return;
        throw;
    }
}

SkinnedWindow& SkinnedOf(QWidget* frm) {
    auto* window = qobject_cast<SkinnedWindow*>(frm);
    if (!window) RaiseError(ErrNo::MemberNotFound);
    return *window;
}

// A fixed-size window keeps its designed size whatever its frame.
bool IsSizable(const QWidget* w) {
    return w->minimumSize() != w->maximumSize() && !w->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
}

bool ExplicitlyHidden(const QWidget* w) { return w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide); }

bool IsChromeTag(const QString& tag) {
    static const QStringList tags = {QStringLiteral("Button"), QStringLiteral("Minimise"), QStringLiteral("Maximise"),
                                     QStringLiteral("Close"),  QStringLiteral("Check"),    QStringLiteral("Option"),
                                     QStringLiteral("Title"),  QStringLiteral("SkinLabel")};
    return tags.contains(tag);
}

bool IsStandardType(const QString& type) {
    return type == QLatin1String("CommandButton") || type == QLatin1String("CheckBox") ||
           type == QLatin1String("OptionButton") || type == QLatin1String("Frame") ||
           type == QLatin1String("TabStrip");
}

int PictureIndexForTag(const QString& tag) {
    if (tag == QLatin1String("Button")) return SkinPicture::ButtonUp;
    if (tag == QLatin1String("Minimise")) return SkinPicture::MinimiseUp;
    if (tag == QLatin1String("Maximise")) return SkinPicture::RestoreUp;
    if (tag == QLatin1String("Close")) return SkinPicture::CloseUp;
    if (tag == QLatin1String("Check")) return SkinPicture::CheckOff;
    if (tag == QLatin1String("Option")) return SkinPicture::RadioOff;
    return -1;
}

void SetRole(QWidget* w, QPalette::ColorRole role, int32_t value) {
    QPalette palette = w->palette();
    SetSkinColour(palette, role, ColorFromValue(value));
    w->setPalette(palette);
}

void SetFrameless(QWidget* frm, bool frameless) {
    if (frm->windowFlags().testFlag(Qt::FramelessWindowHint) == frameless) return;
    // The window's outer corner stays put: a frame that comes back goes
    // round the window from where the frameless window's corner was, so its
    // title bar does not end up above that place.
    const QPoint place = frm->pos();
    const QSize size = frm->size();
    const bool visible = frm->isVisible();
    SetWindowFlagInPlace(frm, Qt::FramelessWindowHint, frameless);
    const QMargins frame = WindowDecorations(frm);
    frm->setGeometry(QRect(place + QPoint(frame.left(), frame.top()), size));
    if (visible) frm->show();
}

// A window dressed plain goes back to its skinned layout before it is
// dressed with skins again.
void UndoPlainDressing(QWidget* frm) {
    SkinDressState* state = StateOf(frm);
    if (!state || !state->plain) return;
    for (QWidget* c : DirectControls(frm)) {
        if (ControlTypeName(c) != QLatin1String("OptionButton")) c->move(c->x(), c->y() + state->shift);
    }
    for (const QPointer<QWidget>& c : state->hiddenChrome)
        if (c) c->show();
    for (const QPointer<QWidget>& c : state->shownStandard)
        if (c) c->hide();
    if (auto* window = qobject_cast<SkinnedWindow*>(frm); window && window->ImageTitleBar) window->ImageTitleBar->show();
    state->hiddenChrome.clear();
    state->shownStandard.clear();
    state->plain = false;
    state->shift = 0;
}

void DressSkinned(QWidget* frm) {
    UndoPlainDressing(frm);
    RemoveTitleBar(frm, false);
    ReadSkinSettings(SkinSchemeFolder() + QStringLiteral("/Settings.ini"), gudtSkinSettings);

    const QString folder = SkinSchemeFolder();
    if (QDir(folder).exists()) {
        const auto& files = SkinPictureFiles();
        SkipMissing([&] {
            SkinnedWindow& window = SkinnedOf(frm);
            if (!window.ImageTitleBar) RaiseError(ErrNo::MemberNotFound);
            window.ImageTitleBar->SetPicture(QPixmap::fromImage(LoadSkinPicture(folder + QLatin1Char('/') + files[0])));
        });
        for (size_t i = 0; i < 12; ++i) {
            SkipMissing([&] {
                SkinnedWindow& window = SkinnedOf(frm);
                window.ImageSkins[i] = QPixmap::fromImage(LoadSkinPicture(folder + QLatin1Char('/') + files[i + 1]));
            });
        }
        SkipMissing([&] {
            SkinnedWindow& window = SkinnedOf(frm);
            window.PictureBoxBackground = QPixmap::fromImage(LoadSkinPicture(folder + QLatin1Char('/') + files[13]));
        });
    }

    SkipMissing([&] { PaintForm(frm); });

    const SkinSettings& s = gudtSkinSettings;
    for (QWidget* c : WindowControls(frm)) {
        const QString type = ControlTypeName(c);
        const QString tag = ControlTag(c);
        if (type == QLatin1String("Image")) {
            const int index = PictureIndexForTag(tag);
            if (index < 0) continue;
            SkipMissing([&] {
                SkinnedWindow& window = SkinnedOf(frm);
                static_cast<SkinImage*>(c)->SetPicture(window.ImageSkins[static_cast<size_t>(index)]);
            });
        } else if (type == QLatin1String("Label")) {
            const int32_t colour = tag == QLatin1String("Button")  ? s.ButtonForeColor
                                   : tag == QLatin1String("Title") ? s.TitleForeColor
                                                                   : s.LabelForeColor;
            SetRole(c, QPalette::WindowText, colour);
        } else if (type == QLatin1String("TextBox")) {
            SetRole(c, QPalette::Text, s.TextBoxForeColor);
            SetRole(c, QPalette::Base, s.TextBoxBackColor);
        } else if (type == QLatin1String("ListBox") || type == QLatin1String("ComboBox")) {
            SetRole(c, QPalette::Base, s.ListBoxBackColor);
            SetRole(c, QPalette::Text, s.TextBoxForeColor);
            if (type == QLatin1String("ComboBox")) {
                // A closed list-only combo box draws its face as a button.
                SetRole(c, QPalette::Button, s.ListBoxBackColor);
                SetRole(c, QPalette::ButtonText, s.TextBoxForeColor);
            }
        }
    }
    // The check box and option pictures took their "off" faces: each shows
    // its value again, on every window (not only those with
    // UpdateSkinControls).
    if (auto* window = qobject_cast<SkinnedWindow*>(frm)) window->RefreshSkinnedControls();
}

void DressPlain(QWidget* frm) {
    SkinDressState* state = EnsureState(frm);
    // Skins switched off on a window that wore them: the platform frame
    // comes back, so the window can still be moved and closed.
    RestoreTitleBar(frm);
    auto* window = qobject_cast<SkinnedWindow*>(frm);
    if (window) {
        window->SetBackgroundCells(QPixmap(), {});
        if (window->ImageTitleBar && !ExplicitlyHidden(window->ImageTitleBar)) window->ImageTitleBar->hide();
    }
    if (!state->plain) {
        // Only the window's own controls move: the controls inside a frame
        // or container move with it.
        state->shift = window && window->ImageTitleBar ? window->ImageTitleBar->height() : 0;
        for (QWidget* c : DirectControls(frm)) {
            if (ControlTypeName(c) != QLatin1String("OptionButton")) c->move(c->x(), c->y() - state->shift);
        }
    }
    for (QWidget* c : WindowControls(frm)) {
        if (IsChromeTag(ControlTag(c)) && !ExplicitlyHidden(c)) {
            c->hide();
            state->hiddenChrome.append(c);
        }
        if (IsStandardType(ControlTypeName(c)) && ExplicitlyHidden(c)) {
            c->show();
            state->shownStandard.append(c);
        }
    }
    state->plain = true;
}

}  // namespace

void LoadSkin(QWidget* frm) {
    const QString name = frm ? frm->objectName() : QString();
    // Shown again when it was shown, or when it is loading to be shown; a
    // window that is hidden, or loading hidden, stays hidden.
    const bool show = frm && (frm->isVisible() || (!ExplicitlyHidden(frm) && !WindowRegistry::LoadingHidden(name)));
    try {
        if (!frm) RaiseError(ErrNo::ObjectNotSet);
        frm->hide();
        if (Options().Preferences.blnUseSkins)
            DressSkinned(frm);
        else
            DressPlain(frm);
        if (show) frm->show();
    } catch (...) {
        if (show) frm->show();
        PropagateError(CallSite(QStringLiteral("LoadSkin"), name));
    }
}

void SkinForms() {
    WithTrail(QStringLiteral("SkinForms"), [&] {
        for (IToolWindow* tool : WindowRegistry::Loaded()) {
            if (tool->Tag() != QLatin1String("Skinnable")) continue;
            auto* window = dynamic_cast<QWidget*>(tool);
            if (!window) continue;
            LoadSkin(window);
            MaintainDimensions(window, static_cast<float>(PixelsToTwipsY(window->height())),
                               static_cast<float>(PixelsToTwipsX(window->width())));
            // Windows without UpdateSkinControls are passed over.
            if (auto* host = dynamic_cast<ISkinHost*>(tool)) host->UpdateSkinControls();
        }
    });
}

void RemoveTitleBar(QWidget* frm, bool blnBorder) {
    WithTrail(CallSite(QStringLiteral("RemoveTitleBar"), frm ? frm->objectName() : QString(), blnBorder), [&] {
        if (!frm) RaiseError(ErrNo::ObjectNotSet);
        // Stored window heights include the caption (WriteWindowPos adds it
        // for a skinned window): a normal window that loses its caption
        // gives that height back, so its client area keeps its size.  A
        // window without a caption is not shrunk again.
        const bool hadCaption = !frm->windowFlags().testFlag(Qt::FramelessWindowHint);
        if (hadCaption && frm->windowState() == Qt::WindowNoState && IsSizable(frm))
            frm->resize(frm->width(), std::max(1, frm->height() - CaptionHeightPixels(frm)));
        SetFrameless(frm, true);
        if (auto* window = qobject_cast<SkinnedWindow*>(frm)) window->SetSizingBorder(!blnBorder);
    });
}

void RestoreTitleBar(QWidget* frm) {
    WithTrail(CallSite(QStringLiteral("RestoreTitleBar"), frm ? frm->objectName() : QString()), [&] {
        if (!frm) RaiseError(ErrNo::ObjectNotSet);
        if (!frm->windowFlags().testFlag(Qt::FramelessWindowHint)) return;
        // The caption's height comes back as RemoveTitleBar took it.
        if (frm->windowState() == Qt::WindowNoState && IsSizable(frm))
            frm->resize(frm->width(), frm->height() + CaptionHeightPixels(frm));
        SetFrameless(frm, false);
    });
}

bool IsDressedPlain(const QWidget* frm) {
    const SkinDressState* state = frm ? StateOf(frm) : nullptr;
    return state && state->plain;
}

void PaintForm(QWidget* frm) {
    WithTrail(CallSite(QStringLiteral("PaintForm"), frm ? frm->objectName() : QString()), [&] {
        SkinnedWindow& window = SkinnedOf(frm);
        const double cellW = 800.0 * gsngTwipsPerPixelX;
        const double cellH = 600.0 * gsngTwipsPerPixelY;
        QSize screen(800, 600);
        if (const QScreen* s = window.screen()) screen = s->size();
        const std::vector<QPointF> origins =
            BackgroundCells(PixelsToTwipsX(screen.width()), PixelsToTwipsY(screen.height()), cellW, cellH);
        std::vector<QRect> cells;
        cells.reserve(origins.size());
        for (const QPointF& o : origins)
            cells.emplace_back(TwipsToPixelsX(o.x()), TwipsToPixelsY(o.y()), TwipsToPixelsX(cellW),
                               TwipsToPixelsY(cellH));
        window.SetBackgroundCells(window.PictureBoxBackground, cells);
    });
}

void SystemMenuItemSelect(QWidget* frm, int Index) {
    try {
        if (!frm) RaiseError(ErrNo::ObjectNotSet);
        switch (Index) {
        case 0:
            frm->showMinimized();
            break;
        case 1:
            if (frm->isMaximized())
                frm->showNormal();
            else
                frm->showMaximized();
            break;
        case 2:
            frm->close();
            break;
        default:
            break;
        }
    } catch (...) {
        DisplayErrorMessage();
    }
}

int32_t TitleBarHeight(QWidget* frm) {
    try {
        if (!frm) RaiseError(ErrNo::ObjectNotSet);
        if (frm->windowFlags().testFlag(Qt::FramelessWindowHint)) return 0;
        return static_cast<int32_t>(
            std::nearbyint(CaptionHeightPixels(frm) * static_cast<double>(gsngTwipsPerPixelY)));
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("TitleBarHeight"), frm ? frm->objectName() : QString()));
    }
}
