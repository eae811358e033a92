#include "shell/ui/ControlUtils.h"

#include "foundation/Errors.h"
#include "shell/ControlRules.h"
#include "foundation/Twips.h"
#include "shell/SkinScheme.h"
#include "foundation/WindowProtocol.h"
#include "shell/ui/ControlTypes.h"
#include "shell/ui/SkinnedWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBrush>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QTreeView>
#include <QWindow>
#include <cmath>

namespace {
QString NameOf(const QObject* o) { return o ? o->objectName() : QString(); }

template <typename T>
T* Required(T* p) {
    if (!p) RaiseError(ErrNo::ObjectNotSet);
    return p;
}

std::function<void()>& BeepHook() {
    static std::function<void()> hook;
    return hook;
}

// The point of a control's top-left corner in its window, in twips.
QPointF TwipsInWindow(QWidget* control, QWidget* window) {
    const QPoint p = control->parentWidget() == window ? control->pos()
                                                       : control->mapTo(window, QPoint(0, 0));
    return QPointF(PixelsToTwipsX(p.x()), PixelsToTwipsY(p.y()));
}
}  // namespace

void SetBeepForTesting(std::function<void()> beep) { BeepHook() = std::move(beep); }

QComboBox* NewEditableComboBox(QWidget* parent, const QString& name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // Making a box editable gives it a completer over its list; without one
    // the text is the user's alone.
    box->setCompleter(nullptr);
    return box;
}

void Beep() {
    if (BeepHook())
        BeepHook()();
    else
        QApplication::beep();
}

void SetWindowFlagInPlace(QWidget* window, Qt::WindowType flag, bool on) {
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(flag, on);
    if (flags == window->windowFlags()) return;
    // Not through setWindowFlags: that re-creates a native window, and on a
    // window not yet shown it turns a client-area position into a frame one.
    window->overrideWindowFlags(flags);
    QWindow* handle = window->windowHandle();
    if (handle && window->testAttribute(Qt::WA_WState_Created)) handle->setFlags(flags);
}

void SetOnTop(QWidget* window, bool blnOnTop) {
    WithTrail(CallSite(QStringLiteral("SetOnTop"), NameOf(window), blnOnTop), [&] {
        Required(window);
        const bool quiet = window->testAttribute(Qt::WA_ShowWithoutActivating);
        window->setAttribute(Qt::WA_ShowWithoutActivating, true);
        // The window keeps its place as it was given: it is not placed again
        // by its client area, which would put its frame above that place.
        SetWindowFlagInPlace(window, Qt::WindowStaysOnTopHint, blnOnTop);
        window->show();
        // Out of the topmost band, the window still comes to the front of
        // the ordinary windows.
        if (!blnOnTop) window->raise();
        window->setAttribute(Qt::WA_ShowWithoutActivating, quiet);
    });
}

bool FormLoaded(const QString& strFormName) {
    try {
        bool found = false;
        for (IToolWindow* window : WindowRegistry::Loaded())
            if (window->Name() == strFormName) found = true;
        return found;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("FormLoaded"), strFormName));
    }
}

void ChangeListViewRowColour(QAbstractItemView* list, int row, int32_t lngColour) {
    WithTrail(CallSite(QStringLiteral("ChangeListViewRowColour"), NameOf(list), lngColour), [&] {
        QAbstractItemModel* model = Required(Required(list)->model());
        const QBrush brush(ColorFromValue(lngColour));
        for (int column = 0; column < model->columnCount(); ++column)
            model->setData(model->index(row, column), brush, Qt::ForegroundRole);
        list->viewport()->update();
    });
}

void IncDecTextBox(QLineEdit* textBox, int32_t direction, int32_t limit, int32_t step) {
    WithTrail(CallSite(QStringLiteral("IncDecTextBox"), NameOf(textBox), direction, limit, step), [&] {
        Required(textBox);
        if (const auto text = IncDecText(textBox->text(), direction, limit, step)) textBox->setText(*text);
    });
}

void MaintainDimensions(QWidget* frm, float sngMinHeight, float sngMinWidth) {
    WithTrail(CallSite(QStringLiteral("MaintainDimensions"), NameOf(frm), sngMinHeight, sngMinWidth), [&] {
        Required(frm);
        if (!frm->isMinimized()) {
            auto* window = qobject_cast<SkinnedWindow*>(frm);
            if (!window || !window->LabelTitle) RaiseError(ErrNo::MemberNotFound);
            const SkinSettings& s = gudtSkinSettings;
            window->LabelTitle->move(TwipsToPixelsX(s.TitleFromLeft), TwipsToPixelsY(s.TitleFromTop));
            const double width = PixelsToTwipsX(frm->width());
            const float fromRight[] = {s.MinimiseFromRight, s.MaximiseFromRight, s.CloseFromRight};
            const float fromTop[] = {s.MinimiseFromTop, s.MaximiseFromTop, s.CloseFromTop};
            for (size_t i = 0; i < 3; ++i) {
                SkinImage* button = window->ImageSystemMenu[i];
                if (!button) RaiseError(ErrNo::MemberNotFound);
                button->move(TwipsToPixelsX(width - fromRight[i]), TwipsToPixelsY(fromTop[i]));
            }
        }
        if (!frm->isMinimized() && !frm->isMaximized() && !frm->isFullScreen()) {
            if (PixelsToTwipsY(frm->height()) < sngMinHeight) frm->resize(frm->width(), TwipsToPixelsY(sngMinHeight));
            if (PixelsToTwipsX(frm->width()) < sngMinWidth) frm->resize(TwipsToPixelsX(sngMinWidth), frm->height());
        }
    });
}

void InitialiseProgBar(QProgressBar* bar, float sngMax) {
    WithTrail(CallSite(QStringLiteral("InitialiseProgBar"), NameOf(bar), sngMax), [&] {
        Required(bar);
        if (sngMax > 0) {
            bar->setMaximum(static_cast<int>(std::nearbyint(sngMax)));
            bar->setValue(0);
        }
    });
}

void IncrementProgBar(QProgressBar* bar, int32_t value) {
    WithTrail(CallSite(QStringLiteral("IncrementProgBar"), NameOf(bar), value), [&] {
        Required(bar);
        const double next = ProgBarStep(bar->minimum(), bar->maximum(), bar->value(), value);
        bar->setValue(static_cast<int>(next));
    });
}

void EnsureNumericTextBox(QLineEdit* textBox, bool blnAllowZero, bool blnAllowMinus, bool blnAllowDecimal) {
    WithTrail(
            CallSite(QStringLiteral("EnsureNumericTextBox"), NameOf(textBox), blnAllowZero, blnAllowMinus), [&] {
        Required(textBox);
        const NumericTextFix fix = EnsureNumericText(textBox->text(), textBox->cursorPosition(), blnAllowZero,
                                                     blnAllowMinus, blnAllowDecimal);
        if (fix.changed) textBox->setText(fix.text);  // the change event cleans the next character
        textBox->setCursorPosition(std::min(fix.caret, static_cast<int>(textBox->text().size())));
        if (fix.changed) Beep();
    });
}

bool ListItemSelected(QAbstractItemView* list) {
    try {
        Required(list);
        return list->model() && list->currentIndex().isValid();
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("ListItemSelected"), NameOf(list)));
    }
}

int32_t ListItemsChecked(QAbstractItemView* list) {
    try {
        Required(list);
        const QAbstractItemModel* model = list->model();
        if (!model) return 0;
        int32_t count = 0;
        const int rows = model->rowCount();
        for (int row = 0; row < rows; ++row)
            if (model->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked) ++count;
        return count;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("ListItemsChecked"), NameOf(list)));
    }
}

int32_t ListItemsSelected(QAbstractItemView* list) {
    try {
        Required(list);
        const QItemSelectionModel* selection = list->selectionModel();
        return selection ? static_cast<int32_t>(selection->selectedRows(0).size()) : 0;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("ListItemsSelected"), NameOf(list)));
    }
}

void DrawTransparentFrame(QWidget* frm, QWidget* topLeft, QWidget* bottomRight, float sngMargin) {
    WithTrail(CallSite(QStringLiteral("DrawTransparentFrame"), NameOf(frm), NameOf(topLeft),
                                NameOf(bottomRight), sngMargin), [&] {
        auto* window = qobject_cast<SkinnedWindow*>(Required(frm));
        if (!window) RaiseError(ErrNo::MemberNotFound);
        Required(topLeft);
        Required(bottomRight);
        const QPointF first = TwipsInWindow(topLeft, frm);
        const QPointF second = TwipsInWindow(bottomRight, frm);
        const double l = first.x() - sngMargin;
        const double t = first.y() - sngMargin;
        const double r = second.x() + PixelsToTwipsX(bottomRight->width()) + sngMargin;
        const double b = second.y() + PixelsToTwipsY(bottomRight->height()) + sngMargin;
        window->AddSurfaceFrame(topLeft, bottomRight,
                                QRect(QPoint(TwipsToPixelsX(l), TwipsToPixelsY(t)),
                                      QPoint(TwipsToPixelsX(r), TwipsToPixelsY(b))));
    });
}

QCursor ProgramCursor(int32_t id) {
    if (id != 101) RaiseError(ErrNo::ResourceNotFound);
    static const QCursor cursor = [] {
        // An arrow with a blue body and a white rim, hot spot at its tip.
        QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath arrow;
        arrow.moveTo(1, 1);
        arrow.lineTo(1, 19);
        arrow.lineTo(5.5, 15);
        arrow.lineTo(9, 22.5);
        arrow.lineTo(12, 21);
        arrow.lineTo(8.5, 13.5);
        arrow.lineTo(14.5, 13.5);
        arrow.closeSubpath();
        painter.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(QColor(0x1f, 0x55, 0xa8));
        painter.drawPath(arrow);
        painter.end();
        return QCursor(QPixmap::fromImage(image), 1, 1);
    }();
    return cursor;
}

void LoadCursorToControls(QWidget* frm, int32_t lngCursor) {
    WithTrail(CallSite(QStringLiteral("LoadCursorToControls"), NameOf(frm), lngCursor), [&] {
        Required(frm);
        for (QWidget* control : WindowControls(frm)) {
            bool ok = false;
            const int pointer = control->property("MousePointer").toInt(&ok);
            if (ok && pointer == 99) control->setCursor(ProgramCursor(lngCursor));
        }
    });
}

void ChangeSortColumn(QTreeView* list, int32_t header) {
    WithTrail(CallSite(QStringLiteral("ChangeSortColumn"), NameOf(list), header), [&] {
        Required(list);
        SortState state;
        state.sortKey = list->property("SortKey").toInt();
        state.sortOrder = list->property("SortOrder").toInt();
        state.sorted = list->property("Sorted").toBool();
        const SortState next = NextSortState(state, header);
        list->setProperty("SortKey", next.sortKey);
        list->setProperty("SortOrder", next.sortOrder);
        list->setProperty("Sorted", next.sorted);
        const Qt::SortOrder order = next.sortOrder == 0 ? Qt::AscendingOrder : Qt::DescendingOrder;
        // One sort mark at a time: marking the new column clears the old.
        list->header()->setSortIndicatorShown(true);
        list->header()->setSortIndicator(next.sortKey, order);
        list->sortByColumn(next.sortKey, order);
    });
}
