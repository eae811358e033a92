#pragma once
// The few registry reads and writes the program makes outside its settings
// store, kept in a private INI file ($XDG_CONFIG_HOME/Sonivard/Registry.ini):
// one section per key ("HKEY_CLASSES_ROOT\.scn"), one line per named string
// value ("@" is the key's default value).  Key and value names are matched
// ignoring case.  File-type descriptions come from the shared MIME database.

#include <QString>
#include <cstdint>

// Predefined root keys, with the platform's handle values.
namespace RegistryRoot {
constexpr int32_t ClassesRoot = static_cast<int32_t>(0x80000000u);
constexpr int32_t CurrentUser = static_cast<int32_t>(0x80000001u);
constexpr int32_t LocalMachine = static_cast<int32_t>(0x80000002u);
constexpr int32_t Users = static_cast<int32_t>(0x80000003u);
constexpr int32_t CurrentConfig = static_cast<int32_t>(0x80000005u);
}  // namespace RegistryRoot

// Result codes, with the platform's values.
namespace RegistryResult {
constexpr int32_t Success = 0;
constexpr int32_t FileNotFound = 2;
constexpr int32_t AccessDenied = 5;
constexpr int32_t InvalidHandle = 6;
constexpr int32_t IoFailed = 1016;
}  // namespace RegistryResult

// Creates the key and every missing key above it.
int32_t RegistryCreateKey(int32_t rootKey, const QString& subKey);
// Deletes the key together with every key below it.
int32_t RegistryDeleteKey(int32_t rootKey, const QString& subKey);
// Stores a string value under an existing key (an empty name is the default
// value); a missing key is not created (FileNotFound).
int32_t RegistrySetValue(int32_t rootKey, const QString& subKey, const QString& valueName, const QString& value);
// The value's text with blanks and NULs trimmed from both ends, or
// `defaultText` when the key or value is missing or the value does not fit
// the 128-character buffer of the reader.
QString RegistryGetValue(int32_t rootKey, const QString& subKey, const QString& valueName, const QString& defaultText);

// The description of a file's type: what the registry stand-in holds for its
// extension, else the MIME database's description of the extension, else the
// extension in capitals followed by " File", or "File" without an extension.
QString GetFileType(const QString& path);

// Full path of the private registry file (follows $XDG_CONFIG_HOME).
QString RegistryFilePath();
