#include "cataloguer/CataloguerOptionSettings.h"

#include "foundation/Errors.h"
#include "foundation/StoredValues.h"

#include <iterator>

namespace {

const QString kHTML = QStringLiteral("MusicCataloguerHTML");

QString Numbered(const char* key, int n) { return QLatin1String(key) + QString::number(n); }

// ---- page properties: the keys in stored order, with their defaults ----

// The single texts; the colours and margins follow them.
enum PageKey : int { PageTitle, PageDescription, PageKeywords, PageBackgroundImage };
const char* const kPageKeys[] = {"Title", "Description", "Keywords", "BackgroundImage"};
static_assert(std::size(kPageKeys) == PageBackgroundImage + 1);
QString PageDefault(PageKey k) {
    switch (k) {
    case PageTitle:
    case PageDescription: return kDefaultCatalogueTitle;
    case PageKeywords: return DefaultPageKeywords();
    case PageBackgroundImage: break;
    }
    return QString();
}
QString ReadPageText(PageKey k) { return Stored::Text(kHTML, QLatin1String(kPageKeys[k]), PageDefault(k)); }
void SavePageText(PageKey k, const QString& value) { Stored::SaveText(kHTML, QLatin1String(kPageKeys[k]), value); }

constexpr int kPageColours = 5;
constexpr int kMargins = 4;
const char* const kPageColourKey = "PageColour";  // 0 to 4
const QString kPageColourDefault = QStringLiteral("Default");
const char* const kMarginKey = "Margin";  // 0 to 3, default ""

}  // namespace

QString DefaultPageKeywords() {
    return QStringLiteral("Brellick Software, ") + QStringLiteral("Sonivard") + QStringLiteral(", MP3, Music");
}

// ---- page properties ----------------------------------------------------------------

void HTMLPagePropertiesSettings::Read() {
    WithTrail(QStringLiteral("ReadHTMLPagePropertiesSettings"), [&] {
        TextTitle = ReadPageText(PageTitle);
        TextDescription = ReadPageText(PageDescription);
        TextKeywords = ReadPageText(PageKeywords);
        TextBackgroundImage = ReadPageText(PageBackgroundImage);
        for (int i = 0; i < kPageColours; ++i)
            ComboColour[i] = Stored::Text(kHTML, Numbered(kPageColourKey, i), kPageColourDefault);
        for (int j = 0; j < kMargins; ++j) TextMargin[j] = Stored::Text(kHTML, Numbered(kMarginKey, j));
    });
}

void HTMLPagePropertiesSettings::Write() const {
    WithTrail(QStringLiteral("WriteHTMLPagePropertiesSettings"), [&] {
        SavePageText(PageTitle, TextTitle);
        SavePageText(PageDescription, TextDescription);
        SavePageText(PageKeywords, TextKeywords);
        SavePageText(PageBackgroundImage, TextBackgroundImage);
        for (int i = 0; i < kPageColours; ++i) Stored::SaveText(kHTML, Numbered(kPageColourKey, i), ComboColour[i]);
        for (int j = 0; j < kMargins; ++j) Stored::SaveText(kHTML, Numbered(kMarginKey, j), TextMargin[j]);
    });
}

void GetHTMLPageProperties(CataloguerHTMLOptions& o) {
    WithTrail(QStringLiteral("GetHTMLPageProperties"), [&] {
        o.strPageTitle = ReadPageText(PageTitle);
        o.strPageDescription = ReadPageText(PageDescription);
        o.strPageKeywords = ReadPageText(PageKeywords);
        o.strBackgroundImage = ReadPageText(PageBackgroundImage);
        for (size_t i = 0; i < o.strPageColour.size(); ++i)
            o.strPageColour[i] = Stored::Text(kHTML, Numbered(kPageColourKey, int(i)), kPageColourDefault);
        for (size_t i = 0; i < o.strMargin.size(); ++i)
            o.strMargin[i] = Stored::Text(kHTML, Numbered(kMarginKey, int(i)));
    });
}
