#include "coordinator/CoordinatorOptionSettings.h"

#include "foundation/Errors.h"
#include "foundation/ReadOptions.h"
#include "foundation/SettingsStore.h"
#include "foundation/StoredValues.h"

namespace {

const QString kFormatTextKey = QStringLiteral("Text");
const QString kSeparators = QStringLiteral("SourceSeparator");
const QString kCoordinator = QStringLiteral("FileNameTagCoordinator");
const QString kRules = QStringLiteral("SimulateRules");
const QString kRuleCountKey = QStringLiteral("NumSimulateRules");

// Separator n's enable key is its number; only "-" (0) is on at first.
QString separatorKey(int n) { return QString::number(n); }
bool separatorOn(int n) { return n == 0; }
// The user separators' keys, "TextSourceSeparator1" and "2".
QString userSeparatorKey(int i) { return QStringLiteral("TextSourceSeparator") + QString::number(i + 1); }

// "Order1" to "Order3" and what a new user finds in them.
QString orderKey(int i) { return QStringLiteral("Order") + QString::number(i + 1); }
const std::array<QString, 3> kDefaultOrder{QStringLiteral("Album"), QStringLiteral("Artist"), QStringLiteral("Title")};

const QString kID3v1Key = QStringLiteral("ID3v1TagPref");
const QString kID3v2Key = QStringLiteral("ID3v2TagPref");
constexpr bool kID3v1Default = false;
constexpr bool kID3v2Default = false;
const QString kDoubleBarrelKey = QStringLiteral("DoubleBarrel");
constexpr bool kDoubleBarrelDefault = true;

QString readText(const QString& section, const QString& key, const QString& defaultText = QString()) {
    return GetOptionSetting(section, key, defaultText, SettingType::String).toString();
}
bool readBool(const QString& section, const QString& key, bool defaultValue) {
    return GetOptionSetting(section, key, Stored::TruthText(defaultValue), SettingType::Boolean).toBool();
}
int readInteger(const QString& section, const QString& key) {
    return GetOptionSetting(section, key, QString(), SettingType::Integer).toInt();
}

// A one-character user separator: the first character, a blank for none.
QString oneCharacter(const QString& stored) { return stored.isEmpty() ? QStringLiteral(" ") : stored.left(1); }

}  // namespace

void GetFileNameTagCoordinatorOptions(CoordinatorOptions& o) {
    WithTrail(QStringLiteral("GetFileNameTagCoordinatorOptions"), [&] {
        o.strFileNameFormat = readText(kFileNameFormatCombo, kFormatTextKey, kDefaultFileNameFormat);

        for (int i = 0; i <= 5; ++i) o.blnSourceSeparators[i] = readBool(kSeparators, separatorKey(i), separatorOn(i));
        for (int i = 0; i < 2; ++i) o.strSourceSeparators[i] = oneCharacter(readText(kSeparators, userSeparatorKey(i)));

        for (int i = 0; i < 3; ++i) o.strOrder[i] = readText(kCoordinator, orderKey(i), kDefaultOrder[i]);
        o.blnID3v1TagPref = readBool(kCoordinator, kID3v1Key, kID3v1Default);
        o.blnID3v2TagPref = readBool(kCoordinator, kID3v2Key, kID3v2Default);
        o.blnDoubleBarrel = readBool(kCoordinator, kDoubleBarrelKey, kDoubleBarrelDefault);

        const int32_t count = ReadRuleCount(kRules, kRuleCountKey);
        o.udtSimulateRules.assign(static_cast<size_t>(count) + 1, SimulateRule{});
        for (int32_t n = 1; n <= count; ++n) {
            SimulateRule& rule = o.udtSimulateRules[static_cast<size_t>(n - 1)];
            rule.Choice = readText(kRules, RuleKey(n, "Choice"));
            rule.Range = readText(kRules, RuleKey(n, "Range"));
            rule.Point = readText(kRules, RuleKey(n, "Point"));
            rule.Point1 = readInteger(kRules, RuleKey(n, "Point1"));
            rule.Point2 = readInteger(kRules, RuleKey(n, "Point2"));
        }
    });
}

CoordinatorChecks::CoordinatorChecks()
    : LabelOrder(kDefaultOrder),
      OptionID3v1TagPref(kID3v1Default),
      OptionID3v2TagPref(kID3v2Default),
      CheckDoubleBarrel(kDoubleBarrelDefault ? 1 : 0) {
    for (int i = 0; i < 6; ++i) CheckSourceSeparator[i] = separatorOn(i) ? 1 : 0;
}

void CoordinatorChecks::Read() {
    for (int i = 0; i < 6; ++i)
        CheckSourceSeparator[i] = Stored::CheckState(kSeparators, separatorKey(i), Stored::CheckText(separatorOn(i)));
    for (int i = 0; i < 2; ++i) TextSourceSeparator[i] = Stored::Text(kSeparators, userSeparatorKey(i));

    for (int i = 0; i < 3; ++i) LabelOrder[i] = Stored::Text(kCoordinator, orderKey(i), kDefaultOrder[i]);
    OptionID3v1TagPref = Stored::Truth(kCoordinator, kID3v1Key, Stored::TruthText(kID3v1Default));
    OptionID3v2TagPref = Stored::Truth(kCoordinator, kID3v2Key, Stored::TruthText(kID3v2Default));
    CheckDoubleBarrel = Stored::CheckState(kCoordinator, kDoubleBarrelKey, Stored::CheckText(kDoubleBarrelDefault));
}

void CoordinatorChecks::Write() const {
    for (int i = 0; i < 6; ++i) Stored::SaveInteger(kSeparators, separatorKey(i), CheckSourceSeparator[i]);
    for (int i = 0; i < 2; ++i) Stored::SaveText(kSeparators, userSeparatorKey(i), TextSourceSeparator[i]);

    for (int i = 0; i < 3; ++i) Stored::SaveText(kCoordinator, orderKey(i), LabelOrder[i]);
    Stored::SaveTruth(kCoordinator, kID3v1Key, OptionID3v1TagPref);
    Stored::SaveTruth(kCoordinator, kID3v2Key, OptionID3v2TagPref);
    Stored::SaveInteger(kCoordinator, kDoubleBarrelKey, CheckDoubleBarrel);
}

void WriteSimulateRules(const std::vector<SimulateRule>& rules) {
    const int count = RuleCount(rules);
    Stored::SaveInteger(kRules, kRuleCountKey, count);
    for (int n = 1; n <= count; ++n) {
        const SimulateRule& rule = rules[static_cast<size_t>(n - 1)];
        Stored::SaveText(kRules, RuleKey(n, "Choice"), rule.Choice);
        Stored::SaveText(kRules, RuleKey(n, "Range"), rule.Range);
        Stored::SaveText(kRules, RuleKey(n, "Point"), rule.Point);
        Stored::SaveInteger(kRules, RuleKey(n, "Point1"), rule.Point1);
        Stored::SaveInteger(kRules, RuleKey(n, "Point2"), rule.Point2);
    }
}
