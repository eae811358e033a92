#include "foundation/ReadOptions.h"

#include "foundation/Errors.h"
#include "foundation/FirstRun.h"
#include "foundation/OptionRecords.h"
#include "foundation/SettingsStore.h"

namespace {

// The title under which the program keeps its settings.
const QString kProgramTitle = QStringLiteral("Sonivard");
const QString kDefaultFont = QStringLiteral("Font: Default, Size Default, Colour Default");
const QString kDefaultTitle = QStringLiteral("My Music Collection");

ICataloguerOutputView* g_cataloguerView = nullptr;

// One key each, with its default text and type code.
QString readText(const QString& section, const QString& key, const QString& defaultText = QString()) {
    return GetOptionSetting(section, key, defaultText, SettingType::String).toString();
}
bool readBool(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Boolean).toBool();
}
bool readBool(const QString& section, const QString& key, bool defaultValue) {
    return readBool(section, key, defaultValue ? QStringLiteral("True") : QStringLiteral("False"));
}
int readInteger(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Integer).toInt();
}
int32_t readLong(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Long).toInt();
}
int readStrictInteger(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::StrictInteger).toInt();
}
double readDouble(const QString& section, const QString& key, const QString& defaultText) {
    return GetOptionSetting(section, key, defaultText, SettingType::Double).toDouble();
}

QString numbered(const char* key, qsizetype n) { return QLatin1String(key) + QString::number(n); }

// A rule's keys put its number first ("12Choice"), as the Options dialog
// stores them; with the number last, rule 12's "Point" and rule 2's "Point1"
// would share one key.
QString ruleKey(int32_t n, const char* field) { return QString::number(n) + QLatin1String(field); }

// A rule count from the store, refused before any array is sized for it.
int32_t checkedRuleCount(int32_t count) {
    if (count > MaxRuleCount) RaiseError(ErrNo::Overflow);
    if (count < 0) RaiseError(ErrNo::SubscriptOutOfRange);
    return count;
}

// A one-character user separator: the first character, a blank for none.
QString oneCharacter(const QString& stored) { return stored.isEmpty() ? QStringLiteral(" ") : stored.left(1); }

}  // namespace

void SetCataloguerOutputView(ICataloguerOutputView* view) { g_cataloguerView = view; }

void GetPreferences() {
    WithTrail(QStringLiteral("GetPreferences"), [] {
        const QString s = QStringLiteral("Preferences");
        gblnDisplayMessageBox = readBool(s, QStringLiteral("DisplayMessageBox"), true);
        gblnUseRecycleBin = readBool(s, QStringLiteral("UseRecycleBin"), false);
        gblnWebHelp = readBool(s, QStringLiteral("WebHelp"), false);
        gblnWriteReadOnly = readBool(s, QStringLiteral("WriteReadOnly"), false);
        gblnShowSplashScreen = readBool(s, QStringLiteral("SplashScreen"), true);
        gblnRetainWindows = readBool(s, QStringLiteral("RetainWindows"), false);
        gblnUseSkins = readBool(s, QStringLiteral("UseSkins"), true);
        gstrSkinScheme = readText(s, QStringLiteral("SkinScheme"), QStringLiteral("Fun Blue"));
    });
}

void GetScanningCentreOptions() {
    WithTrail(QStringLiteral("GetScanningCentreOptions"), [] {
        const QString s = QStringLiteral("MP3ScanningCentre");
        gblnClearResults = readBool(s, QStringLiteral("ClearResults"), true);
        gblnIncFilesWithID3v1 = readBool(s, QStringLiteral("IncFilesWithID3v1"), true);
        gblnIncFilesWithoutID3v1 = readBool(s, QStringLiteral("IncFilesWithoutID3v1"), true);
        gblnIncFilesWithID3v2 = readBool(s, QStringLiteral("IncFilesWithID3v2"), true);
        gblnIncFilesWithoutID3v2 = readBool(s, QStringLiteral("IncFilesWithoutID3v2"), true);
        gstrScanFilter = readText(s, QStringLiteral("ScanFilter"), QStringLiteral("*.mp3"));

        const QString r = QStringLiteral("ScanRules");
        const int32_t count = checkedRuleCount(readLong(r, QStringLiteral("NumScanRules"), QStringLiteral("0")));
        // Rebuilt whole: the rules, then one empty element.
        gudtScanRules.assign(static_cast<size_t>(count) + 1, ScanRule{});
        for (int32_t n = 1; n <= count; ++n) {
            ScanRule& rule = gudtScanRules[static_cast<size_t>(n - 1)];
            rule.Choice = readText(r, ruleKey(n, "Choice"));
            rule.Scope = readText(r, ruleKey(n, "Scope"));
            rule.Filter = readText(r, ruleKey(n, "Filter"));
            rule.Target = readText(r, ruleKey(n, "Target"));
            rule.CaseSensitive = readBool(r, ruleKey(n, "CaseSensitive"), QString());
        }
    });
}

void GetFileNameTagCoordinatorOptions() {
    WithTrail(QStringLiteral("GetFileNameTagCoordinatorOptions"), [] {
        gstrFileNameFormat = readText(QStringLiteral("ComboFileNameFormat"), QStringLiteral("Text"),
                                      QStringLiteral("%N2 - :%A: - %T"));

        const QString sep = QStringLiteral("SourceSeparator");
        gblnSourceSeparators[0] = readBool(sep, QStringLiteral("0"), true);
        for (int i = 1; i <= 5; ++i) gblnSourceSeparators[i] = readBool(sep, QString::number(i), false);
        gstrSourceSeparators[0] = oneCharacter(readText(sep, QStringLiteral("TextSourceSeparator1")));
        gstrSourceSeparators[1] = oneCharacter(readText(sep, QStringLiteral("TextSourceSeparator2")));

        const QString c = QStringLiteral("FileNameTagCoordinator");
        gstrOrder[0] = readText(c, QStringLiteral("Order1"), QStringLiteral("Album"));
        gstrOrder[1] = readText(c, QStringLiteral("Order2"), QStringLiteral("Artist"));
        gstrOrder[2] = readText(c, QStringLiteral("Order3"), QStringLiteral("Title"));
        gblnID3v1TagPref = readBool(c, QStringLiteral("ID3v1TagPref"), false);
        gblnID3v2TagPref = readBool(c, QStringLiteral("ID3v2TagPref"), false);
        gblnDoubleBarrel = readBool(c, QStringLiteral("DoubleBarrel"), true);

        const QString r = QStringLiteral("SimulateRules");
        const int32_t count = checkedRuleCount(readLong(r, QStringLiteral("NumSimulateRules"), QStringLiteral("0")));
        gudtSimulateRules.assign(static_cast<size_t>(count) + 1, SimulateRule{});
        for (int32_t n = 1; n <= count; ++n) {
            SimulateRule& rule = gudtSimulateRules[static_cast<size_t>(n - 1)];
            rule.Choice = readText(r, ruleKey(n, "Choice"));
            rule.Range = readText(r, ruleKey(n, "Range"));
            rule.Point = readText(r, ruleKey(n, "Point"));
            rule.Point1 = readInteger(r, ruleKey(n, "Point1"), QString());
            rule.Point2 = readInteger(r, ruleKey(n, "Point2"), QString());
        }
    });
}

void GetFileNameTagCoordinatorAdvOptions() {
    WithTrail(QStringLiteral("GetFileNameTagCoordinatorAdvOptions"), [] {
        const QString c = QStringLiteral("FileNameTagCoordinator");
        const char* targets[2] = {"Artist", "Title"};
        for (int t = 0; t < 2; ++t) {
            const QString target = QLatin1String(targets[t]);
            gblnUpperCase[t] = readBool(c, target + QLatin1String("UpperCase"), false);
            gblnLowerCase[t] = readBool(c, target + QLatin1String("LowerCase"), false);
            gblnCapitalise[t] = readBool(c, target + QLatin1String("Capitalise"), true);
            gblnDontChange[t] = readBool(c, target + QLatin1String("DontChange"), false);
            gblnRemoveUnder[t] = readBool(c, target + QLatin1String("RemoveUnder"), true);
        }

        for (size_t i = 0; i < gstrCSWFrom.size(); ++i) {
            gstrCSWFrom[i] = readText(QStringLiteral("CSWFrom"), QString::number(i));
            gstrCSWTo[i] = readText(QStringLiteral("CSWTo"), QString::number(i));
        }

        // List L = 3 x target + kind; read kind by kind, Artist before Title.
        const QString w = QStringLiteral("SpecialWordsFormat");
        std::array<int, 2>* counts[3] = {&gintNumUpperCaseWords, &gintNumLowerCaseWords, &gintNumCapitalisedWords};
        for (int kind = 0; kind < 3; ++kind) {
            for (int target = 0; target < 2; ++target) {
                const int list = 3 * target + kind;
                const int count = readInteger(w, QString::number(list), QStringLiteral("0"));
                (*counts[kind])[target] = count;
                SpecialWordLists& lists = gudtSpecialWords[target];
                std::vector<QString>& words =
                    kind == 0 ? lists.UpperCase : kind == 1 ? lists.LowerCase : lists.Capitalised;
                if (count <= 0) continue;  // the old words stay; the count says none apply
                words.resize(static_cast<size_t>(count));
                for (int n = 1; n <= count; ++n)
                    words[static_cast<size_t>(n - 1)] = readText(w, QString::number(list) + QString::number(n));
            }
        }

        gblnTheAtEnd = readBool(c, QStringLiteral("TheAtEnd"), false);
        gblnRemoveDoubleSpaces = readBool(c, QStringLiteral("RemoveDoubleSpaces"), true);
        gblnRigorousTrackNum = readBool(c, QStringLiteral("RigorousTrackNum"), true);
        glngColourChange = readLong(c, QStringLiteral("ColourChange"), QStringLiteral("&H80000008"));
        glngColourChangeQ = readLong(c, QStringLiteral("ColourChangeQ"), QStringLiteral("&H00C00000"));
        glngColourNoChange = readLong(c, QStringLiteral("ColourNoChange"), QStringLiteral("&H00808080"));
        glngColourDelete = readLong(c, QStringLiteral("ColourDelete"), QStringLiteral("&H000000C0"));
        gintTrackNumLimit = readInteger(c, QStringLiteral("TrackNumLimit"), QStringLiteral("30"));
    });
}

void GetMusicCataloguerHTMLOptions() {
    WithTrail(QStringLiteral("GetMusicCataloguerHTMLOptions"), [] {
        const QString s = QStringLiteral("MusicCataloguerHTML");
        const int count = readInteger(s, QStringLiteral("NumColumnHeadings"), QStringLiteral("0"));
        gintHTMLNumColumnHeadings = count;
        if (count > 0) {
            gstrHTMLColumnHeadings.assign(static_cast<size_t>(count), QString());
            for (int n = 1; n <= count; ++n)
                gstrHTMLColumnHeadings[static_cast<size_t>(n - 1)] = readText(s, numbered("ColumnHeading", n));
        }
        gblnHTMLSortBy = readBool(s, QStringLiteral("SortBy"), false);
        gstrHTMLSortKey = readText(s, QStringLiteral("SortKey"));
        glngHTMLSortOrder = readStrictInteger(s, QStringLiteral("SortOrder"), QStringLiteral("0"));
        gstrListTextFont = readText(s, QStringLiteral("ListTextFont"), kDefaultFont);
        gstrListTextColour = readText(s, QStringLiteral("ListTextColour"));
        gstrOutputExtension = readText(s, QStringLiteral("OutputExtension"), QStringLiteral("html"));

        if (g_cataloguerView && g_cataloguerView->IsHTMLOutputSelected())
            g_cataloguerView->SetExtensionCaption(QStringLiteral("XXX.") + gstrOutputExtension);
    });
}

void GetHTMLCataloguerHeaderOptions() {
    WithTrail(QStringLiteral("GetHTMLCataloguerHeaderOptions"), [] {
        const QString s = QStringLiteral("MusicCataloguerHTML");
        glngPageLinksAppear = readStrictInteger(s, QStringLiteral("PageLinksAppear"), QStringLiteral("0"));
        gblnHTMLHeaderTitle = readBool(s, QStringLiteral("HeaderTitle"), true);
        gstrHTMLTitleText = readText(s, QStringLiteral("TitleText"), kDefaultTitle);
        gblnHTMLCollectionProps = readBool(s, QStringLiteral("CollectionProps"), true);
        gblnHTMLTotalNumFiles = readBool(s, QStringLiteral("TotalNumFiles"), true);
        gblnHTMLTotalSizeFiles = readBool(s, QStringLiteral("TotalSizeFiles"), true);
        gblnHTMLTotalLengthFiles = readBool(s, QStringLiteral("TotalLengthFiles"), true);
        gblnHTMLListProps = readBool(s, QStringLiteral("ListProps"), true);
        gblnHTMLListCreationDate = readBool(s, QStringLiteral("ListCreationDate"), true);
        gblnHTMLListCreationTime = readBool(s, QStringLiteral("ListCreationTime"), true);
        gblnHTMLNumPagesInList = readBool(s, QStringLiteral("NumPagesInList"), true);
        gblnHTMLColumnHeadings = readBool(s, QStringLiteral("ColumnHeadings"), true);
        for (size_t i = 0; i < gstrHeaderFont.size(); ++i) {
            gstrHeaderFont[i] = readText(s, numbered("HeaderFont", qsizetype(i)), kDefaultFont);
            gstrHeaderColour[i] = readText(s, numbered("HeaderColour", qsizetype(i)));
        }
    });
}

void GetHTMLPageProperties() {
    WithTrail(QStringLiteral("GetHTMLPageProperties"), [] {
        const QString s = QStringLiteral("MusicCataloguerHTML");
        gstrPageTitle = readText(s, QStringLiteral("Title"), kDefaultTitle);
        gstrPageDescription = readText(s, QStringLiteral("Description"), kDefaultTitle);
        const QString keywords = QStringLiteral("Brellick Software, ") + kProgramTitle + QStringLiteral(", MP3, Music");
        gstrPageKeywords = readText(s, QStringLiteral("Keywords"), keywords);
        gstrBackgroundImage = readText(s, QStringLiteral("BackgroundImage"));
        for (size_t i = 0; i < gstrPageColour.size(); ++i)
            gstrPageColour[i] = readText(s, numbered("PageColour", qsizetype(i)), QStringLiteral("Default"));
        for (size_t i = 0; i < gstrMargin.size(); ++i) gstrMargin[i] = readText(s, numbered("Margin", qsizetype(i)));
    });
}

void GetMusicCataloguerTextOptions() {
    WithTrail(QStringLiteral("GetMusicCataloguerTextOptions"), [] {
        const QString s = QStringLiteral("MusicCataloguerText");
        const int count = readInteger(s, QStringLiteral("NumColumnHeadings"), QStringLiteral("0"));
        gintNumColumnHeadings = count;
        if (count > 0) {
            gstrColumnHeadings.assign(static_cast<size_t>(count), QString());
            gintColumnHeadingWidths.assign(static_cast<size_t>(count), 0);
            for (int n = 1; n <= count; ++n) {
                gstrColumnHeadings[static_cast<size_t>(n - 1)] = readText(s, numbered("ColumnHeading", n));
                // A width is stored as text and must hold a whole number: a
                // missing or non-numeric width is an error.
                gintColumnHeadingWidths[static_cast<size_t>(n - 1)] =
                    readStrictInteger(s, numbered("ColumnHeadingWidth", n), QString());
            }
        }
        gblnSortBy = readBool(s, QStringLiteral("SortBy"), false);
        gstrSortKey = readText(s, QStringLiteral("SortKey"));
        glngSortOrder = readStrictInteger(s, QStringLiteral("SortOrder"), QStringLiteral("0"));
    });
}

void GetTextCataloguerHeaderOptions() {
    WithTrail(QStringLiteral("GetTextCataloguerHeaderOptions"), [] {
        const QString s = QStringLiteral("MusicCataloguerText");
        gblnHeaderTitle = readBool(s, QStringLiteral("HeaderTitle"), true);
        gstrTitleText = readText(s, QStringLiteral("TitleText"), kDefaultTitle);
        gblnCollectionProps = readBool(s, QStringLiteral("CollectionProps"), true);
        gblnTotalNumFiles = readBool(s, QStringLiteral("TotalNumFiles"), true);
        gblnTotalSizeFiles = readBool(s, QStringLiteral("TotalSizeFiles"), true);
        gblnTotalLengthFiles = readBool(s, QStringLiteral("TotalLengthFiles"), true);
        gblnListProps = readBool(s, QStringLiteral("ListProps"), true);
        gblnListCreationDate = readBool(s, QStringLiteral("ListCreationDate"), true);
        gblnListCreationTime = readBool(s, QStringLiteral("ListCreationTime"), true);
        gblnNumPagesInList = readBool(s, QStringLiteral("NumPagesInList"), true);
        gblnColumnHeadings = readBool(s, QStringLiteral("ColumnHeadings"), true);
    });
}

void GetEncoderDecoderOptions() {
    WithTrail(QStringLiteral("GetEncoderDecoderOptions"), [] {
        const QString s = QStringLiteral("EncoderDecoder");
        auto key = [](const char* k) { return QLatin1String(k); };
        glngBitrate = readStrictInteger(s, key("Bitrate"), QStringLiteral("12"));
        glngMode = readStrictInteger(s, key("Mode"), QStringLiteral("0"));
        gblnSameAsInputDirectory = readBool(s, key("SameAsInputDirectory"), true);
        gblnUse = readBool(s, key("Use"), false);
        gstrUseFolder = readText(s, key("UseFolder"));
        glngOptimisation = readStrictInteger(s, key("Optimisation"), QStringLiteral("0"));
        gblnIncludeCRCChecksums = readBool(s, key("IncludeCRCChecksums"), false);
        gblnCopy = readBool(s, key("Copy"), false);
        gblnCopyright = readBool(s, key("Copyright"), false);
        gblnDeleteSourceFile = readBool(s, key("DeleteSourceFile"), false);
        gblnEnableVBR = readBool(s, key("EnableVBR"), true);
        glngMaximumVBRBitrate = readStrictInteger(s, key("MaximumVBRBitrate"), QStringLiteral("12"));
        gintQuality = readInteger(s, key("Quality"), QStringLiteral("4"));
        gblnDisableVBRTag = readBool(s, key("DisableVBRTag"), false);
        gblnEnforceMinimumBitrate = readBool(s, key("EnforceMinimumBitrate"), false);
        gblnUseABR = readBool(s, key("UseABR"), false);
        gintTargetBitrateForABR = readInteger(s, key("TargetBitrateForABR"), QStringLiteral("128"));
        gblnAllowBlockTypesToDiffer = readBool(s, key("AllowBlockTypesToDiffer"), false);
        gblnDisableAllFiltering = readBool(s, key("DisableAllFiltering"), false);
        gblnDisableBitReservoir = readBool(s, key("DisableBitReservoir"), false);
        gblnDisableShortBlocks = readBool(s, key("DisableShortBlocks"), false);
        gblnComplyISOMPEGSpec = readBool(s, key("ComplyISOMPEGSpec"), false);
        glngATHControl = readStrictInteger(s, key("ATHControl"), QStringLiteral("0"));
        glngAlgorithmQuality = readStrictInteger(s, key("AlgorithmQuality"), QStringLiteral("0"));
        gstrCustomOptions = readText(s, key("CustomOptions"));
        gblnOnlyUseCustom = readBool(s, key("OnlyUseCustom"), false);
        glngOutputSamplingFrequency = readStrictInteger(s, key("OutputSamplingFrequency"), QStringLiteral("1"));
        gblnHighPassFilteringFreq = readBool(s, key("HighPassFilteringFreq"), false);
        gdblHighPassFilteringFreqkHz = readDouble(s, key("HighPassFilteringFreqkHz"), QStringLiteral("0.001"));
        gblnWidthOfHighPassFilter = readBool(s, key("WidthOfHighPassFilter"), false);
        gdblWidthOfHighPassFilterkHz = readDouble(s, key("WidthOfHighPassFilterkHz"), QStringLiteral("0"));
        gblnLowPassFilteringFreq = readBool(s, key("LowPassFilteringFreq"), false);
        gdblLowPassFilteringFreqkHz = readDouble(s, key("LowPassFilteringFreqkHz"), QStringLiteral("50000"));
        gblnWidthOfLowPassFilter = readBool(s, key("WidthOfLowPassFilter"), false);
        gdblWidthOfLowPassFilterkHz = readDouble(s, key("WidthOfLowPassFilterkHz"), QStringLiteral("0"));
    });
}

void GetMainOptions() {
    WithTrail(QStringLiteral("GetMainOptions"), [] {
        InitialiseFirstTimeOptions();
        GetPreferences();
        GetScanningCentreOptions();
        GetFileNameTagCoordinatorOptions();
        GetFileNameTagCoordinatorAdvOptions();
        GetMusicCataloguerHTMLOptions();
        GetHTMLCataloguerHeaderOptions();
        GetHTMLPageProperties();
        GetMusicCataloguerTextOptions();
        GetTextCataloguerHeaderOptions();
        GetEncoderDecoderOptions();
    });
}
