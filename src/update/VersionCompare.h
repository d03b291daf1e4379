// The order of dotted version numbers such as 1.2.3.4, of any length.
#pragma once

#include <string_view>

namespace kestrova {

// 1 when `a` is newer than `b`, -1 when older, 0 when equal. Parts end at "." and at
// blanks or control characters; a missing, empty or non-numeric part counts as 0, so
// 1.2 equals 1.2.0.0 and 1.2.beta equals 1.2.
int CompareVersions(std::string_view a, std::string_view b);

}  // namespace kestrova
