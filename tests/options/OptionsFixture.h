#pragma once
// Shared set-up of the option tests: a temporary settings store and XDG
// folders, scripted message boxes, and file-type registration that writes its
// files but runs no desktop tools.

#include "foundation/Errors.h"
#include "foundation/IniFile.h"
#include "foundation/SettingsStore.h"
#include "options/FileAssociations.h"
#include "support/ScriptedUi.h"

#include <QVariant>
#include <gtest/gtest.h>

class OptionsTest : public ::testing::Test {
protected:
    OptionsTest() {
        m_oldRefresher = SetAssociationRefresher([this](const QString&) { ++refreshes; });
        SetAssociationProgramPath(QStringLiteral("/opt/Sonivard/sonivard"));
    }
    ~OptionsTest() override {
        SetAssociationRefresher(m_oldRefresher);
        SetAssociationProgramPath(QString());
    }

    static void Store(const QString& section, const QString& key, const QString& text) {
        SaveOptionSetting(section, key, text, SettingType::String);
    }
    // The stored text, or a null string when the key does not exist.
    static QString Stored(const QString& section, const QString& key) {
        const auto doc = ReadIniFile(SettingsStorePath(), IniSyntax::Store);
        const QString* value = doc->value(section, key);
        return value ? *value : QString();
    }
    // Every (section, key) in the store.
    static QList<QPair<QString, QString>> StoredKeys() {
        QList<QPair<QString, QString>> keys;
        const auto doc = ReadIniFile(SettingsStorePath(), IniSyntax::Store);
        for (const QString& section : doc->sectionNames())
            for (const QString& key : doc->keyNames(section)) keys.append({section, key});
        return keys;
    }

    TempHome home;
    ScriptedUi ui;
    int refreshes = 0;

private:
    AssociationRefresher m_oldRefresher;
};
