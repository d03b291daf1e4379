// The start-up test that the system is Windows 10 or 11.
#pragma once

#include "platform/RegistryBackend.h"

#include <cstdint>

namespace kestrova {

struct OsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
};

// The numbers the system reports: those of the version API, refined from the
// registry's "Windows NT\CurrentVersion" when the API reports a version above 6.1
// (the API may be capped there for programs that do not declare newer systems).
OsVersion ReportedOsVersion(const OsVersion& fromApi, RegistryBackend& registry);

// Windows 11 reports major version 10 as well; build 10240 was the first of Windows 10.
bool IsWindows10Or11(const OsVersion& reported);

}  // namespace kestrova
