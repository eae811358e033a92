#pragma once
// The numbered texts of the program (captions, tool tips, messages), in a US
// and a UK English table with the same entry numbers.  Code number N is table
// entry N + 1000.  Callers name the code: GetResourceString(TextId::Scan::Caption)
// with the constants of resources/StringIds.h, which the build generates from
// the tables (how to add a text: see that header or scripts/check-strings.py).

#include "resources/StringIds.h"

#include <QLocale>
#include <QString>
#include <cstdint>

QString GetResourceString(int32_t lngId);

enum class StringTableLanguage { US, UK };
// The table for a locale: UK for British and other non-US English locales,
// US for American English and for every other language.
StringTableLanguage StringTableLanguageFor(const QLocale& locale);
// The table for the user's interface language (the first of the system's
// UI languages, else the system locale).
StringTableLanguage SystemStringTableLanguage();
// Tests pick a table explicitly.
void SetStringTableLanguage(StringTableLanguage language);
StringTableLanguage CurrentStringTableLanguage();

// Starts the embedded click sound (resource 101) and returns at once; silent
// where no audio device exists.
void PlayResourceSound(int32_t lngId);
// The bytes of an embedded sound resource (a RIFF/WAVE image).
QByteArray ResourceSoundBytes(int32_t lngId);
