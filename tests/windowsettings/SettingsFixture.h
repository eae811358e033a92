#pragma once
// Shared set-up of the settings-pair tests: each test gets its own empty
// settings store, scripted message boxes, and ways to put texts into the
// store and to see everything it holds.

#include "foundation/Errors.h"
#include "foundation/IniFile.h"
#include "foundation/SettingsStore.h"
#include "support/ScriptedUi.h"

#include <QString>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

// One stored entry.
struct StoredRow {
    QString section, key, value;
    bool operator==(const StoredRow&) const = default;
};
inline void PrintTo(const StoredRow& row, std::ostream* os) {
    *os << '[' << row.section.toStdString() << "] " << row.key.toStdString() << '=' << row.value.toStdString();
}
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class SettingsTest : public ::testing::Test {
public:
    static void Store(const QString& section, const QString& key, const QString& text) {
        SaveOptionSetting(section, key, text, SettingType::String);
    }
    // Every entry of the store, sections in the order they were first
    // written, keys likewise within their section.
    static std::vector<StoredRow> Contents() {
        std::vector<StoredRow> rows;
        const auto doc = ReadIniFile(SettingsStorePath(), IniSyntax::Store);
        for (const QString& section : doc->sectionNames())
            for (const QString& key : doc->keyNames(section)) rows.push_back({section, key, *doc->value(section, key)});
        return rows;
    }
    // The stored text, or "(none)".
    static QString Stored(const QString& section, const QString& key) {
        return GetOptionSetting(section, key, QStringLiteral("(none)"), SettingType::String).toString();
    }
    // Runs `step`; returns the number and description of the error it
    // raised (0 and "" when none).
    template <typename F>
    static std::pair<int32_t, QString> ErrorOf(F&& step) {
        try {
            step();
        } catch (const SvError& e) {
            return {e.number(), e.description()};
        }
        return {0, QString()};
    }

protected:
    TempHome home;
    ScriptedUi ui;
};
