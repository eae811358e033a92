#pragma once
// The program's version information: what the About and splash windows show.

#include <QString>

namespace VersionInfo {
// The product title.
QString Title();
// The maker's name.
QString CompanyName();
// Major, minor and revision of the build (the CMake project version).
int Major();
int Minor();
int Revision();
// "1.2.3".
QString VersionText();
// The legal notice.
QString LegalCopyright();
}  // namespace VersionInfo
