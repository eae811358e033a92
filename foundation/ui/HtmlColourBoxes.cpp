#include "foundation/ui/HtmlColourBoxes.h"

#include "foundation/Errors.h"
#include "foundation/HtmlColours.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "foundation/StringUtils.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QPalette>
#include <QWidget>

namespace {

QString NameOf(const QWidget* w) { return w ? w->objectName() : QString(); }

// The box now shows the text's colour: a colour the colour dialog left on it
// (the swatch's stored value, which is read before the paint) is dropped, or
// the dialog would later report that old colour instead of the one shown.
void SetBackground(QWidget* box, const QColor& colour) {
    box->setProperty("BackColor", QVariant());
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, colour);
    box->setPalette(palette);
    box->setAutoFillBackground(true);
}

QColor ButtonFace() { return QApplication::palette().color(QPalette::Button); }

}  // namespace

void HTMLColoursIntoComboBox(QComboBox* combo) {
    WithTrail(CallSite(QStringLiteral("HTMLColoursIntoComboBox"), NameOf(combo)), [&] {
        if (!combo) RaiseError(ErrNo::ObjectNotSet);
        combo->addItems(HtmlColourNames());
    });
}

void HTMLColourIntoPictureBox(QComboBox* combo, QWidget* pictureBox) {
    WithTrail(CallSite(QStringLiteral("HTMLColourIntoPictureBox"), NameOf(combo), NameOf(pictureBox)), [&] {
        if (!combo || !pictureBox) RaiseError(ErrNo::ObjectNotSet);
        const QString text = combo->currentText();
        if (text.isEmpty() || text.compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0) {
            SetBackground(pictureBox, ButtonFace());
            return;
        }
        QString converted = text;
        if (HTML2VBColour(converted)) {
            // "&HBBGGRR": the digits after "&H" are the platform value.
            SetBackground(pictureBox, ColourFromVB(static_cast<int32_t>(converted.mid(2).toUInt(nullptr, 16))));
            if (text.size() == 6 && !text.startsWith(QLatin1String("0x")) && IsHex(text)) {
                const QString completed = QLatin1Char('#') + text;
                if (combo->isEditable()) combo->setEditText(completed);
                else combo->setCurrentText(completed);
            }
            return;
        }
        SetBackground(pictureBox, ButtonFace());
        MsgBox(GetResourceString(TextId::Common::InvalidColorText), Mb::OKOnly | Mb::Exclamation,
               GetResourceString(TextId::Common::InvalidColor));
        combo->setFocus();
    });
}

bool IsColourBoxText(const QString& text) {
    if (text.isEmpty() || text.compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0) return true;
    QString converted = text;
    return HTML2VBColour(converted);
}

bool LeavingToCheck(const QFocusEvent* event, const QWidget* ok, const QWidget* cancel) {
    if (!event) return false;
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason: return true;
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason: {
        // The focus has moved on already when the box hears of it.
        const QWidget* next = QApplication::focusWidget();
        return next != ok && next != cancel;
    }
    default: return false;
    }
}
