// Strings from the version resource of an executable file: its version as digits and
// dots, its copyright and its company. No state: every call reads the file again, so the
// functions are safe on any thread. Every failure gives an empty string.
#pragma once

#include "platform/VersionInfoApi.h"

#include <string>

namespace kestrova {

// The string value `name` from the string table of the resource's first translation
// (or of "040904E4" when there is none); no other table is tried.
std::string GetVersionInfoString(const VersionInfoApi& api, const std::string& fileName, const std::string& name);

// The FileVersion string cleaned to digits and dots, or else the fixed file information's
// version as "major.minor.release.build".
std::string GetFileVersion(const VersionInfoApi& api, const std::string& fileName);

std::string GetLegalCopyright(const VersionInfoApi& api, const std::string& fileName);
std::string GetCompanyName(const VersionInfoApi& api, const std::string& fileName);

}  // namespace kestrova
