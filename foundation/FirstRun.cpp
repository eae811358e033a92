#include "foundation/FirstRun.h"

#include "foundation/Errors.h"
#include "foundation/SettingsStore.h"

#include <QVariant>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

struct StartingValue {
    QString section;
    QString key;
    QVariant value;
    int type;
};

// The starting values, in the order they are stored.
std::vector<StartingValue> startingValues() {
    std::vector<StartingValue> v;
    auto text = [&v](const char* section, const QString& key, const char* value) {
        v.push_back({QString::fromUtf8(section), key, QVariant(QString::fromUtf8(value)), SettingType::String});
    };
    auto textAt = [&text](const char* section, const char* key, const char* value) {
        text(section, QString::fromUtf8(key), value);
    };
    auto integer = [&v](const char* section, const char* key, int value) {
        v.push_back({QString::fromUtf8(section), QString::fromUtf8(key), QVariant(value), SettingType::Integer});
    };
    // Words of special-word list `list`, keyed list number + word number.
    auto words = [&text](int list, std::initializer_list<const char*> list_words) {
        int n = 0;
        for (const char* word : list_words)
            text("SpecialWordsFormat", QString::number(list) + QString::number(++n), word);
    };

    textAt("ComboFilenameFormat", "Text", "%N2 - :%A - :%T");
    textAt("ComboFilenameFormat", "1", "%N1 - :%A - :%T");
    textAt("ComboFilenameFormat", "2", "%N2 :%L - :%A - :%T");
    textAt("ComboFilenameFormat", "3", "%L - :%N2 - :%A - :%T");
    textAt("ComboFilenameFormat", "4", "%N2 - :%T");
    textAt("CSWFrom", "0", "vs");
    textAt("CSWFrom", "1", "featuring");
    textAt("CSWFrom", "2", "feat");
    textAt("CSWTo", "0", "vs.");
    textAt("CSWTo", "1", "feat.");
    textAt("CSWTo", "2", "feat.");
    integer("SpecialWordsFormat", "0", 5);
    integer("SpecialWordsFormat", "3", 3);
    integer("SpecialWordsFormat", "1", 7);
    integer("SpecialWordsFormat", "4", 7);
    words(0, {"ABBA", "REM", "MC", "DJ", "USA"});
    words(3, {"UK", "USA", "USSR"});
    words(1, {"a", "an", "and", "in", "is", "of", "the"});
    words(4, {"a", "an", "and", "in", "is", "of", "the"});

    const char* html = "MusicCataloguerHTML";
    textAt(html, "NumColumnHeadings", "5");
    textAt(html, "ColumnHeading1", "File Name");
    textAt(html, "ColumnHeading2", "Artist");
    textAt(html, "ColumnHeading3", "Title");
    textAt(html, "ColumnHeading4", "Length");
    textAt(html, "ColumnHeading5", "File Size");
    textAt(html, "SortBy", "1");
    textAt(html, "SortKey", "Artist");
    textAt(html, "SortOrder", "0");
    textAt(html, "ListTextFont", "Font: Tahoma, Size Default, Colour lime");
    textAt(html, "ListTextColour", "black");
    textAt(html, "HeaderFont0", "Font: Default, Size Default, Colour Default");
    textAt(html, "HeaderFont1", "Font: Tahoma, Size +2, Colour lime, Bold");
    textAt(html, "HeaderFont2", "Font: Tahoma, Size Default, Colour lime");
    textAt(html, "HeaderFont3", "Font: Tahoma, Size Default, Colour lime");
    textAt(html, "HeaderFont4", "Font: Comic Sans MS, Size Default, Colour lime");
    textAt(html, "HeaderColour0", "black");
    textAt(html, "HeaderColour1", "black");
    textAt(html, "HeaderColour2", "black");
    textAt(html, "HeaderColour4", "darkgreen");
    textAt(html, "HeaderColour3", "darkgreen");
    textAt(html, "PageColour0", "black");
    textAt(html, "PageColour1", "lime");
    textAt(html, "PageColour3", "blue");
    textAt(html, "PageColour2", "lightblue");
    textAt(html, "PageColour4", "lime");

    const char* plain = "MusicCataloguerText";
    textAt(plain, "NumColumnHeadings", "5");
    const char* columns[][2] = {{"File Name", "36"}, {"Artist", "20"}, {"Title", "25"}, {"Length", "8"}, {"File Size", "9"}};
    for (int n = 1; n <= 5; ++n) {
        text(plain, QStringLiteral("ColumnHeading") + QString::number(n), columns[n - 1][0]);
        text(plain, QStringLiteral("ColumnHeadingWidth") + QString::number(n), columns[n - 1][1]);
    }
    textAt(plain, "SortBy", "1");
    textAt(plain, "SortKey", "Artist");
    textAt(plain, "SortOrder", "0");

    textAt("ComboFontCombination", "Text", "Default");
    textAt("ComboFontCombination", "1", "Arial, Helvetica, sans-serif");
    textAt("ComboFontCombination", "2", "Times New Roman, Times, serif");
    textAt("ComboFontCombination", "3", "Courier New, Courier, mono");
    textAt("ComboFontCombination", "4", "Georgia, Times New Roman, Times, serif");
    textAt("ComboFontCombination", "5", "Verdana, Arial, Helvetica, sans-serif");
    textAt("ComboFontCombination", "6", "Geneva, Arial, Helvetica, san-serif");  // sic: "san-serif"
    return v;
}

}  // namespace

namespace {
std::vector<std::function<void()>>& FirstRunRegistrations() {
    static std::vector<std::function<void()>> registrations;
    return registrations;
}
}  // namespace

void SetFirstRunRegistrations(std::vector<std::function<void()>> registrations) {
    FirstRunRegistrations() = std::move(registrations);
}

void InitialiseFirstTimeOptions() {
    WithTrail(QStringLiteral("InitialiseFirstTimeOptions"), [] {
        const QString settings = QStringLiteral("Settings");
        const QString marker = QStringLiteral("Initialised");
        if (GetOptionSetting(settings, marker, QStringLiteral("False"), SettingType::Boolean).toBool()) return;

        // A registration that fails is shown and the first run goes on: the
        // user can register the types later from the Options dialog.
        for (const std::function<void()>& registration : FirstRunRegistrations()) ResumeNext(registration);

        for (const StartingValue& value : startingValues())
            SaveOptionSetting(value.section, value.key, value.value, value.type);

        // Last, so that a first run cut short is done again.
        SaveOptionSetting(settings, marker, QVariant(true), SettingType::Boolean);
    });
}
