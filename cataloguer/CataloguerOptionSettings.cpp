#include "cataloguer/CataloguerOptionSettings.h"

#include "foundation/Errors.h"
#include "foundation/SettingsStore.h"
#include "foundation/StoredValues.h"

#include <iterator>

namespace {

const QString kHTML = QStringLiteral("MusicCataloguerHTML");
const QString kText = QStringLiteral("MusicCataloguerText");

QString Numbered(const char* key, int n) { return QLatin1String(key) + QString::number(n); }

// ---- HTML columns: the keys in stored order, with their defaults ----

const QString kColumnCountKey = QStringLiteral("NumColumnHeadings");
const QString kColumnCountDefault = QStringLiteral("0");
const char* const kColumnKey = "ColumnHeading";  // 1 to the count, default ""
const QString kSortByKey = QStringLiteral("SortBy");
constexpr bool kSortByDefault = false;
const QString kSortKeyKey = QStringLiteral("SortKey");  // default ""
const QString kSortOrderKey = QStringLiteral("SortOrder");
const QString kSortOrderDefault = QStringLiteral("0");
const QString kListTextFontKey = QStringLiteral("ListTextFont");
const QString kListTextColourKey = QStringLiteral("ListTextColour");  // default ""
const QString kExtensionKey = QStringLiteral("OutputExtension");
const QString kExtensionDefault = QStringLiteral("html");

ICataloguerOutputView* g_cataloguerView = nullptr;

// The text columns use the same count, heading and sort keys, and after each
// heading its width (default "": a width must be stored).
const char* const kColumnWidthKey = "ColumnHeadingWidth";

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

// ---- page headers: the keys in stored order, with their defaults ----

// "PageLinksAppear" comes first in the HTML header: a place in a box of three.
const QString kPageLinksKey = QStringLiteral("PageLinksAppear");
const QString kPageLinksDefault = QStringLiteral("0");
constexpr int kPageLinkPlaces = 3;

// Then the title: its check and its text.
const QString kTitleCheckKey = QStringLiteral("HeaderTitle");
constexpr bool kTitleCheckDefault = true;
const QString kTitleTextKey = QStringLiteral("TitleText");

// Then the other checks, the same in both sections, each ticked on a first
// run: the window records' field and the two program records' fields.
using Checks = CataloguerHeaderChecks;
struct HeaderCheck {
    const char* key;
    bool Checks::*check;
    bool CataloguerHTMLOptions::*html;
    bool CataloguerTextOptions::*text;
};
constexpr bool kHeaderCheckDefault = true;
const HeaderCheck kHeaderChecks[] = {
    {"CollectionProps", &Checks::CheckCollectionProperties, &CataloguerHTMLOptions::blnHTMLCollectionProps,
     &CataloguerTextOptions::blnCollectionProps},
    {"TotalNumFiles", &Checks::CheckTotalNumFiles, &CataloguerHTMLOptions::blnHTMLTotalNumFiles,
     &CataloguerTextOptions::blnTotalNumFiles},
    {"TotalSizeFiles", &Checks::CheckTotalSizeFiles, &CataloguerHTMLOptions::blnHTMLTotalSizeFiles,
     &CataloguerTextOptions::blnTotalSizeFiles},
    {"TotalLengthFiles", &Checks::CheckTotalLengthFiles, &CataloguerHTMLOptions::blnHTMLTotalLengthFiles,
     &CataloguerTextOptions::blnTotalLengthFiles},
    {"ListProps", &Checks::CheckListProperties, &CataloguerHTMLOptions::blnHTMLListProps,
     &CataloguerTextOptions::blnListProps},
    {"ListCreationDate", &Checks::CheckListCreationDate, &CataloguerHTMLOptions::blnHTMLListCreationDate,
     &CataloguerTextOptions::blnListCreationDate},
    {"ListCreationTime", &Checks::CheckListCreationTime, &CataloguerHTMLOptions::blnHTMLListCreationTime,
     &CataloguerTextOptions::blnListCreationTime},
    {"NumPagesInList", &Checks::CheckNumPagesInList, &CataloguerHTMLOptions::blnHTMLNumPagesInList,
     &CataloguerTextOptions::blnNumPagesInList},
    {"ColumnHeadings", &Checks::CheckColumnHeadings, &CataloguerHTMLOptions::blnHTMLColumnHeadings,
     &CataloguerTextOptions::blnColumnHeadings},
};

// Last in the HTML header, for each of its five parts: "HeaderFont<n>" (a
// font description) and "HeaderColour<n>" (a colour text, default "").
constexpr int kHeaderParts = 5;
const char* const kHeaderFontKey = "HeaderFont";
const char* const kHeaderColourKey = "HeaderColour";

// A check as the window stores it ("1"/"0", read by number) and as the
// program reads it (a Boolean).
bool ReadCheck(const QString& section, const QString& key, bool defaultValue) {
    return Stored::Check(section, key, Stored::CheckText(defaultValue));
}
bool ReadTruth(const QString& section, const QString& key, bool defaultValue) {
    return Stored::Truth(section, key, Stored::TruthText(defaultValue));
}

}  // namespace

void SetCataloguerOutputView(ICataloguerOutputView* view) { g_cataloguerView = view; }

QString DefaultPageKeywords() {
    return QStringLiteral("Brellick Software, ") + QStringLiteral("Sonivard") + QStringLiteral(", MP3, Music");
}

// ---- HTML columns ---------------------------------------------------------------------

void HTMLCatalogueChecks::Read() {
    ListIncludedHTML.clear();
    const int count = Stored::Integer(kHTML, kColumnCountKey, kColumnCountDefault);
    for (int n = 1; n <= count; ++n) ListIncludedHTML << Stored::Text(kHTML, Numbered(kColumnKey, n));
    CheckSortByHTML = Stored::CheckState(kHTML, kSortByKey, Stored::CheckText(kSortByDefault));
    ComboSortKeyHTML = Stored::Text(kHTML, kSortKeyKey);
    // The order box offers two entries: another index is no value it can show.
    ComboOrderHTML = Stored::IntegerIn(kHTML, kSortOrderKey, kSortOrderDefault, -1, 1);
    LabelFont = Stored::Text(kHTML, kListTextFontKey, kDefaultListTextFont);
    ComboFill = Stored::Text(kHTML, kListTextColourKey);
    TextOutputFileNameExtension = Stored::Text(kHTML, kExtensionKey, kExtensionDefault);
}

void HTMLCatalogueChecks::Write() const {
    Stored::SaveInteger(kHTML, kColumnCountKey, static_cast<int32_t>(ListIncludedHTML.size()));
    for (int n = 1; n <= ListIncludedHTML.size(); ++n)
        Stored::SaveText(kHTML, Numbered(kColumnKey, n), ListIncludedHTML[n - 1]);
    Stored::SaveInteger(kHTML, kSortByKey, CheckSortByHTML);
    Stored::SaveText(kHTML, kSortKeyKey, ComboSortKeyHTML);
    Stored::SaveInteger(kHTML, kSortOrderKey, ComboOrderHTML);
    Stored::SaveText(kHTML, kListTextFontKey, LabelFont);
    Stored::SaveText(kHTML, kListTextColourKey, ComboFill);
    Stored::SaveText(kHTML, kExtensionKey, TextOutputFileNameExtension);
}

void GetMusicCataloguerHTMLOptions(CataloguerHTMLOptions& o) {
    WithTrail(QStringLiteral("GetMusicCataloguerHTMLOptions"), [&] {
        const int count = GetOptionSetting(kHTML, kColumnCountKey, kColumnCountDefault, SettingType::Integer).toInt();
        o.intHTMLNumColumnHeadings = count;
        if (count > 0) {
            o.strHTMLColumnHeadings.assign(static_cast<size_t>(count), QString());
            for (int n = 1; n <= count; ++n)
                o.strHTMLColumnHeadings[static_cast<size_t>(n - 1)] = Stored::Text(kHTML, Numbered(kColumnKey, n));
        }
        o.blnHTMLSortBy = Stored::Truth(kHTML, kSortByKey, Stored::TruthText(kSortByDefault));
        o.strHTMLSortKey = Stored::Text(kHTML, kSortKeyKey);
        o.lngHTMLSortOrder =
            GetOptionSetting(kHTML, kSortOrderKey, kSortOrderDefault, SettingType::StrictInteger).toInt();
        o.strListTextFont = Stored::Text(kHTML, kListTextFontKey, kDefaultListTextFont);
        o.strListTextColour = Stored::Text(kHTML, kListTextColourKey);
        o.strOutputExtension = Stored::Text(kHTML, kExtensionKey, kExtensionDefault);

        if (g_cataloguerView && g_cataloguerView->IsHTMLOutputSelected())
            g_cataloguerView->SetExtensionCaption(QStringLiteral("XXX.") + o.strOutputExtension);
    });
}

// ---- text columns ---------------------------------------------------------------------

void TextCatalogueChecks::Read() {
    ListIncludedText.clear();
    const int count = Stored::Integer(kText, kColumnCountKey, kColumnCountDefault);
    for (int n = 1; n <= count; ++n) {
        IncludedColumn column;
        column.name = Stored::Text(kText, Numbered(kColumnKey, n));
        column.width = Stored::Text(kText, Numbered(kColumnWidthKey, n));
        ListIncludedText.push_back(column);
    }
    CheckSortByText = Stored::CheckState(kText, kSortByKey, Stored::CheckText(kSortByDefault));
    ComboSortKeyText = Stored::Text(kText, kSortKeyKey);
    ComboOrderText = Stored::IntegerIn(kText, kSortOrderKey, kSortOrderDefault, -1, 1);
}

void TextCatalogueChecks::Write() const {
    Stored::SaveInteger(kText, kColumnCountKey, static_cast<int32_t>(ListIncludedText.size()));
    for (int n = 1; n <= static_cast<int>(ListIncludedText.size()); ++n) {
        const IncludedColumn& column = ListIncludedText[static_cast<size_t>(n - 1)];
        Stored::SaveText(kText, Numbered(kColumnKey, n), column.name);
        Stored::SaveText(kText, Numbered(kColumnWidthKey, n), column.width);
    }
    Stored::SaveInteger(kText, kSortByKey, CheckSortByText);
    Stored::SaveText(kText, kSortKeyKey, ComboSortKeyText);
    Stored::SaveInteger(kText, kSortOrderKey, ComboOrderText);
}

void GetMusicCataloguerTextOptions(CataloguerTextOptions& o) {
    WithTrail(QStringLiteral("GetMusicCataloguerTextOptions"), [&] {
        const int count = GetOptionSetting(kText, kColumnCountKey, kColumnCountDefault, SettingType::Integer).toInt();
        o.intNumColumnHeadings = count;
        if (count > 0) {
            o.strColumnHeadings.assign(static_cast<size_t>(count), QString());
            o.intColumnHeadingWidths.assign(static_cast<size_t>(count), 0);
            for (int n = 1; n <= count; ++n) {
                o.strColumnHeadings[static_cast<size_t>(n - 1)] = Stored::Text(kText, Numbered(kColumnKey, n));
                o.intColumnHeadingWidths[static_cast<size_t>(n - 1)] =
                    GetOptionSetting(kText, Numbered(kColumnWidthKey, n), QString(), SettingType::StrictInteger)
                        .toInt();
            }
        }
        o.blnSortBy = Stored::Truth(kText, kSortByKey, Stored::TruthText(kSortByDefault));
        o.strSortKey = Stored::Text(kText, kSortKeyKey);
        o.lngSortOrder = GetOptionSetting(kText, kSortOrderKey, kSortOrderDefault, SettingType::StrictInteger).toInt();
    });
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

// ---- page headers ---------------------------------------------------------------------

void CataloguerHeaderChecks::ReadChecks(const QString& section) {
    CheckTitle = ReadCheck(section, kTitleCheckKey, kTitleCheckDefault);
    TextTitle = Stored::Text(section, kTitleTextKey, kDefaultCatalogueTitle);
    for (const HeaderCheck& c : kHeaderChecks)
        this->*c.check = ReadCheck(section, QLatin1String(c.key), kHeaderCheckDefault);
}

void CataloguerHeaderChecks::WriteChecks(const QString& section) const {
    Stored::SaveCheck(section, kTitleCheckKey, CheckTitle);
    Stored::SaveText(section, kTitleTextKey, TextTitle);
    for (const HeaderCheck& c : kHeaderChecks) Stored::SaveCheck(section, QLatin1String(c.key), this->*c.check);
}

void HTMLCataloguerHeaderSettings::Read() {
    WithTrail(QStringLiteral("ReadHTMLCataloguerHeaderOptionsSettings"), [&] {
        // The page-links box has three places and refuses any other.
        ComboPageLinks = Stored::IntegerIn(kHTML, kPageLinksKey, kPageLinksDefault, 0, kPageLinkPlaces - 1);
        ReadChecks(kHTML);
        for (int n = 0; n < kHeaderParts; ++n) {
            LabelFont[n] = Stored::Text(kHTML, Numbered(kHeaderFontKey, n), kDefaultHeaderFont);
            ComboFill[n] = Stored::Text(kHTML, Numbered(kHeaderColourKey, n));
        }
    });
}

void HTMLCataloguerHeaderSettings::Write() const {
    WithTrail(QStringLiteral("WriteHTMLCataloguerHeaderOptionsSettings"), [&] {
        Stored::SaveInteger(kHTML, kPageLinksKey, ComboPageLinks);
        WriteChecks(kHTML);
        for (int n = 0; n < kHeaderParts; ++n) {
            Stored::SaveText(kHTML, Numbered(kHeaderFontKey, n), LabelFont[n]);
            Stored::SaveText(kHTML, Numbered(kHeaderColourKey, n), ComboFill[n]);
        }
    });
}

void TextCataloguerHeaderSettings::Read() {
    WithTrail(QStringLiteral("ReadTextCataloguerHeaderOptionsSettings"), [&] { ReadChecks(kText); });
}

void TextCataloguerHeaderSettings::Write() const {
    WithTrail(QStringLiteral("WriteTextCataloguerHeaderOptionsSettings"), [&] { WriteChecks(kText); });
}

void GetHTMLCataloguerHeaderOptions(CataloguerHTMLOptions& o) {
    WithTrail(QStringLiteral("GetHTMLCataloguerHeaderOptions"), [&] {
        o.lngPageLinksAppear =
            GetOptionSetting(kHTML, kPageLinksKey, kPageLinksDefault, SettingType::StrictInteger).toInt();
        o.blnHTMLHeaderTitle = ReadTruth(kHTML, kTitleCheckKey, kTitleCheckDefault);
        o.strHTMLTitleText = Stored::Text(kHTML, kTitleTextKey, kDefaultCatalogueTitle);
        for (const HeaderCheck& c : kHeaderChecks)
            o.*c.html = ReadTruth(kHTML, QLatin1String(c.key), kHeaderCheckDefault);
        for (size_t i = 0; i < o.strHeaderFont.size(); ++i) {
            o.strHeaderFont[i] = Stored::Text(kHTML, Numbered(kHeaderFontKey, int(i)), kDefaultHeaderFont);
            o.strHeaderColour[i] = Stored::Text(kHTML, Numbered(kHeaderColourKey, int(i)));
        }
    });
}

void GetTextCataloguerHeaderOptions(CataloguerTextOptions& o) {
    WithTrail(QStringLiteral("GetTextCataloguerHeaderOptions"), [&] {
        o.blnHeaderTitle = ReadTruth(kText, kTitleCheckKey, kTitleCheckDefault);
        o.strTitleText = Stored::Text(kText, kTitleTextKey, kDefaultCatalogueTitle);
        for (const HeaderCheck& c : kHeaderChecks)
            o.*c.text = ReadTruth(kText, QLatin1String(c.key), kHeaderCheckDefault);
    });
}

// ---- font history -------------------------------------------------------------------------

void HTMLFontSettings::Read() {
    WithTrail(QStringLiteral("ReadHTMLFontSettings"),
              [&] { ComboFontCombination.Read(ComboName, Limit, QStringLiteral("Default")); });
}

void HTMLFontSettings::Write(bool typed) {
    WithTrail(QStringLiteral("WriteHTMLFontSettings"), [&] {
        if (ComboFontCombination.Text.contains(QLatin1Char(','))) ComboFontCombination.Write(ComboName, Limit, typed);
    });
}
