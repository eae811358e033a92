#include "options/CataloguerDialogSettings.h"

#include "foundation/Errors.h"
#include "foundation/StoredValues.h"

namespace {

const QString kHTML = QStringLiteral("MusicCataloguerHTML");
const QString kText = QStringLiteral("MusicCataloguerText");
const QString kTicked = QStringLiteral("1");

constexpr int kPageLinkPlaces = 3;

QString Numbered(const char* key, int n) { return QLatin1String(key) + QString::number(n); }

using Checks = CataloguerHeaderChecks;

// The header checks after the title, in reading order.
struct HeaderCheck {
    const char* key;
    bool Checks::*check;
};
const HeaderCheck kHeaderChecks[] = {
    {"CollectionProps", &Checks::CheckCollectionProperties},
    {"TotalNumFiles", &Checks::CheckTotalNumFiles},
    {"TotalSizeFiles", &Checks::CheckTotalSizeFiles},
    {"TotalLengthFiles", &Checks::CheckTotalLengthFiles},
    {"ListProps", &Checks::CheckListProperties},
    {"ListCreationDate", &Checks::CheckListCreationDate},
    {"ListCreationTime", &Checks::CheckListCreationTime},
    {"NumPagesInList", &Checks::CheckNumPagesInList},
    {"ColumnHeadings", &Checks::CheckColumnHeadings},
};

}  // namespace

// ---- header checks ----------------------------------------------------------------------

void CataloguerHeaderChecks::ReadChecks(const QString& section) {
    CheckTitle = Stored::Check(section, QStringLiteral("HeaderTitle"), kTicked);
    TextTitle = Stored::Text(section, QStringLiteral("TitleText"), kDefaultCatalogueTitle);
    for (const HeaderCheck& c : kHeaderChecks) this->*c.check = Stored::Check(section, QLatin1String(c.key), kTicked);
}

void CataloguerHeaderChecks::WriteChecks(const QString& section) const {
    Stored::SaveCheck(section, QStringLiteral("HeaderTitle"), CheckTitle);
    Stored::SaveText(section, QStringLiteral("TitleText"), TextTitle);
    for (const HeaderCheck& c : kHeaderChecks) Stored::SaveCheck(section, QLatin1String(c.key), this->*c.check);
}

void HTMLCataloguerHeaderSettings::Read() {
    WithTrail(QStringLiteral("ReadHTMLCataloguerHeaderOptionsSettings"), [&] {
        // The page-links box has three places and refuses any other.
        ComboPageLinks =
            Stored::IntegerIn(kHTML, QStringLiteral("PageLinksAppear"), QStringLiteral("0"), 0, kPageLinkPlaces - 1);
        ReadChecks(kHTML);
        for (int n = 0; n < 5; ++n) {
            LabelFont[n] = Stored::Text(kHTML, Numbered("HeaderFont", n), kDefaultHeaderFont);
            ComboFill[n] = Stored::Text(kHTML, Numbered("HeaderColour", n));
        }
    });
}

void HTMLCataloguerHeaderSettings::Write() const {
    WithTrail(QStringLiteral("WriteHTMLCataloguerHeaderOptionsSettings"), [&] {
        Stored::SaveInteger(kHTML, QStringLiteral("PageLinksAppear"), ComboPageLinks);
        WriteChecks(kHTML);
        for (int n = 0; n < 5; ++n) {
            Stored::SaveText(kHTML, Numbered("HeaderFont", n), LabelFont[n]);
            Stored::SaveText(kHTML, Numbered("HeaderColour", n), ComboFill[n]);
        }
    });
}

void TextCataloguerHeaderSettings::Read() {
    WithTrail(QStringLiteral("ReadTextCataloguerHeaderOptionsSettings"), [&] { ReadChecks(kText); });
}

void TextCataloguerHeaderSettings::Write() const {
    WithTrail(QStringLiteral("WriteTextCataloguerHeaderOptionsSettings"), [&] { WriteChecks(kText); });
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
