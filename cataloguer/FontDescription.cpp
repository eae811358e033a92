#include "cataloguer/FontDescription.h"

#include "foundation/Errors.h"
#include "foundation/SharedServices.h"
#include "foundation/NumberText.h"

QString FontStyleWord(bool italic, bool bold) {
    if (italic && bold) return kFontStyles[3];
    if (bold) return kFontStyles[2];
    if (italic) return kFontStyles[1];
    return kFontStyles[0];
}

QString BuildFontDescription(const QString& faces, const QString& size, const QString& colour, const QString& style,
                             bool underline) {
    const QString defaultWord = QStringLiteral("Default");
    QString text = QStringLiteral("Font: ") + (faces.isEmpty() ? defaultWord : faces) + QStringLiteral(", Size ") +
                   (size.isEmpty() ? defaultWord : size) + QStringLiteral(", Colour ") + colour;
    if (!style.isEmpty() && style.compare(kFontStyles[0], Qt::CaseInsensitive) != 0) text += QStringLiteral(", ") + style;
    if (underline) text += QStringLiteral(" Underline");
    return text;
}

FontDescription ParseFontDescription(const QString& description) {
    return WithTrail(CallSite(QStringLiteral("ParseFontDescription"), description), [&] {
        FontDescription font;
        GetFont(description, font.faces, font.size, font.colour, font.italic, font.bold, font.underline);
        return font;
    });
}

bool IsFontSizeText(const QString& size) {
    const QString trimmed = size.trimmed();
    return trimmed.isEmpty() || trimmed.compare(QStringLiteral("Default"), Qt::CaseInsensitive) == 0 ||
           IsNumericText(trimmed);
}
