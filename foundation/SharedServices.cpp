#include "foundation/SharedServices.h"

#include "foundation/DesktopServices.h"

#include "foundation/Dialogs.h"
#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QObject>
#include <QPalette>
#include <QUrl>
#include <array>

namespace {

// A to Z, a to z and the Latin-1 letters (without the multiplication and
// division signs).
bool isLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= 0xC0 && u <= 0xD6) ||
           (u >= 0xD8 && u <= 0xF6) || (u >= 0xF8 && u <= 0xFF);
}

QString ownerText(QObject* owner) { return owner ? owner->objectName() : QStringLiteral("0"); }

bool isCancel() { return CurrentError().number() == ErrNo::CommonDialogCancel; }

bool showFileDialog(bool save, CommonDialog& dialog, const QString& title, const QString& filter,
                    QString& fileName, const QString& initDir) {
    const QString procedure = save ? QStringLiteral("DisplayCommonDialogSave") : QStringLiteral("DisplayCommonDialogOpen");
    try {
        dialog.DialogTitle = title;
        dialog.Filter = filter;
        dialog.FileName = fileName;
        dialog.InitDir = initDir;
        if (save)
            dialog.ShowSave();
        else
            dialog.ShowOpen();
        fileName = dialog.FileName;
        return true;
    } catch (...) {
        if (isCancel()) return false;
        PropagateError(CallSite(procedure, dialog.ownerName(), title, filter, fileName, initDir));
    }
}

}  // namespace

bool IsSeparator(const QString& strChar, bool blnIncludeBlanks) {
    try {
        if (blnIncludeBlanks && (strChar == QLatin1String("_") || strChar == QLatin1String(" "))) return true;
        const CoordinatorOptions& options = Options().Coordinator;
        const std::array<QString, 6> separators = {QStringLiteral("-"),          QStringLiteral("~"),
                                                   QStringLiteral(";"),          QStringLiteral(","),
                                                   options.strSourceSeparators[0], options.strSourceSeparators[1]};
        for (size_t i = 0; i < separators.size(); ++i)
            if (options.blnSourceSeparators[i] && strChar == separators[i]) return true;
        return false;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("IsSeparator"), strChar, blnIncludeBlanks));
    }
}

bool IsDoubleBarrel(const QString& strText, int intPos) {
    if (!Options().Coordinator.blnDoubleBarrel) return false;
    if (intPos <= 1 || intPos >= strText.size()) return false;
    // intPos is 1-based: the hyphen is at index intPos - 1.
    return strText[intPos - 1] == QLatin1Char('-') && isLetter(strText[intPos - 2]) && isLetter(strText[intPos]);
}

bool OpenWebBrowser(const QString& strURL, QObject* owner) {
    try {
        if (strURL.isEmpty()) return false;
        const QUrl url = UrlFromText(strURL);
        return url.isValid() && DesktopServices().openUrl(url);
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("OpenWebBrowser"), strURL, ownerText(owner)));
    }
}

QString TimeFromSeconds(int64_t lngSeconds) {
    const int64_t total = lngSeconds < 0 ? 0 : lngSeconds;
    const int64_t hours = total / 3600;
    const int64_t minutes = (total - hours * 3600) / 60;
    const int64_t seconds = total - hours * 3600 - minutes * 60;
    const QChar zero = QLatin1Char('0');
    return QStringLiteral("%1:%2:%3").arg(hours, 2, 10, zero).arg(minutes, 2, 10, zero).arg(seconds, 2, 10, zero);
}

bool ColourFromDialog(CommonDialog& dialog, int32_t& backColour, int32_t lngFlags, const QString& pictureName) {
    try {
        dialog.Flags = lngFlags | Cdl::CCRGBInit;
        dialog.Color = backColour;
        dialog.ShowColor();
        backColour = dialog.Color;
        return true;
    } catch (...) {
        if (isCancel()) return false;
        PropagateError(CallSite(QStringLiteral("ColourFromDialog"), dialog.ownerName(), pictureName, lngFlags));
    }
}

void GetFont(const QString& strDescription, QString& strFace, QString& strSize, QString& strColour, bool& blnItalic,
             bool& blnBold, bool& blnUnderline) {
    try {
        // Positions below are 0-based indexes; the description counts from 1.
        const QString& d = strDescription;
        const qsizetype size = d.indexOf(QLatin1String(", Size"), 7);  // from position 8
        if (size < 0) RaiseError(ErrNo::InvalidCall);
        const qsizetype comma1 = d.indexOf(QLatin1Char(','), size + 7);  // from 8 characters after ", Size"
        if (comma1 < 0) RaiseError(ErrNo::InvalidCall);
        qsizetype comma2 = d.indexOf(QLatin1Char(','), comma1 + 9);  // from 10 characters after the comma
        const bool styleFollows = comma2 >= 0;
        if (!styleFollows) comma2 = d.size();

        strFace = d.mid(6, size - 6);
        strSize = d.mid(size + 7, comma1 - (size + 7));
        const qsizetype colourStart = comma1 + 9;
        strColour = colourStart < comma2 ? d.mid(colourStart, comma2 - colourStart) : QString();
        // Without a style the underline mark follows the colour directly and
        // is not part of it.
        static const QLatin1String underlineMark(" Underline");
        if (!styleFollows && d.endsWith(underlineMark) && d.size() - underlineMark.size() >= colourStart) {
            strColour = d.mid(colourStart, d.size() - underlineMark.size() - colourStart);
        }

        if (d.indexOf(QLatin1String("Italic"), comma1) >= 0) blnItalic = true;
        if (d.indexOf(QLatin1String("Bold"), comma1) >= 0) blnBold = true;
        if (d.indexOf(QLatin1String("Underline"), comma1) >= 0) blnUnderline = true;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("GetFont"), strDescription, strFace, strSize, strColour, blnItalic,
                                blnBold, blnUnderline));
    }
}

void ShowContextMenuIndicator(QObject* form, bool blnShow) {
    WithTrail(CallSite(QStringLiteral("ShowContextMenuIndicator"), ownerText(form), blnShow), [&] {
        if (!form) RaiseError(ErrNo::ObjectNotSet);
        QObject* indicator = form->findChild<QObject*>(QStringLiteral("ImageGreenIndicator"));
        // raise() and lower() are slots of every widget: no widget header is
        // needed to reach them.
        if (!indicator || !QMetaObject::invokeMethod(indicator, blnShow ? "raise" : "lower", Qt::DirectConnection))
            RaiseError(ErrNo::MemberNotFound);
    });
}

bool DisplayCommonDialogOpen(CommonDialog& dialog, const QString& strTitle, const QString& strFilter,
                             QString& strFileName, const QString& strInitDir) {
    return showFileDialog(false, dialog, strTitle, strFilter, strFileName, strInitDir);
}

bool DisplayCommonDialogSave(CommonDialog& dialog, const QString& strTitle, const QString& strFilter,
                             QString& strFileName, const QString& strInitDir) {
    return showFileDialog(true, dialog, strTitle, strFilter, strFileName, strInitDir);
}

// ---- colour values --------------------------------------------------------

QColor PaintColour(int32_t colour, const QPalette& palette) {
    if (!IsSystemColour(colour)) {
        const auto v = static_cast<uint32_t>(colour);
        return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
    }
    using P = QPalette;
    switch (static_cast<uint32_t>(colour) & 0xFF) {
    case 0: return palette.color(P::Button);                      // scroll bars
    case 1: return palette.color(P::Window);                      // desktop
    case 2: return palette.color(P::Highlight);                   // active title bar
    case 3: return palette.color(P::Mid);                         // inactive title bar
    case 4: return palette.color(P::Window);                      // menu bar
    case 5: return palette.color(P::Base);                        // window background
    case 6: return palette.color(P::Shadow);                      // window frame
    case 7: return palette.color(P::WindowText);                  // menu text
    case 8: return palette.color(P::Text);                        // window text
    case 9: return palette.color(P::HighlightedText);             // title bar text
    case 10: return palette.color(P::Mid);                        // active border
    case 11: return palette.color(P::Midlight);                   // inactive border
    case 12: return palette.color(P::Dark);                       // application workspace
    case 13: return palette.color(P::Highlight);                  // highlight
    case 14: return palette.color(P::HighlightedText);            // highlighted text
    case 15: return palette.color(P::Button);                     // button face
    case 16: return palette.color(P::Dark);                       // button shadow
    case 17: return palette.color(P::Disabled, P::Text);          // grey text
    case 18: return palette.color(P::ButtonText);                 // button text
    case 19: return palette.color(P::Disabled, P::WindowText);    // inactive title text
    case 20: return palette.color(P::Light);                      // 3-D highlight
    case 21: return palette.color(P::Shadow);                     // 3-D dark shadow
    case 22: return palette.color(P::Midlight);                   // 3-D light
    case 23: return palette.color(P::ToolTipText);                // tool tip text
    case 24: return palette.color(P::ToolTipBase);                // tool tip background
    default: return QColor(Qt::black);
    }
}

QColor PaintColour(int32_t colour) { return PaintColour(colour, QGuiApplication::palette()); }

int32_t ColourValue(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<int32_t>(uint32_t(rgb.red()) | (uint32_t(rgb.green()) << 8) | (uint32_t(rgb.blue()) << 16));
}
