// Which Windows builds can draw their own parts of a window dark: the title bar
// through a DWM attribute, popup menus through uxtheme's unnamed exports.
#pragma once

#include <cstdint>
#include <optional>

namespace kestrova {

// The DWM window attribute that darkens the title bar on `build`: 20 from build 19041,
// 19 on builds 18362 to 19040; none before.
std::optional<std::uint32_t> DarkTitleBarAttribute(std::uint32_t build);

// uxtheme's exports 135 (SetPreferredAppMode) and 136 (FlushMenuThemes) mean that from
// build 18362 only; Wine gives those numbers to other functions.
bool DarkMenusAvailable(std::uint32_t build, bool underWine);

}  // namespace kestrova
