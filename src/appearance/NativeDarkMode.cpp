#include "appearance/NativeDarkMode.h"

namespace kestrova {

namespace {

constexpr std::uint32_t kBuild1903 = 18362;
constexpr std::uint32_t kBuild2004 = 19041;
constexpr std::uint32_t kImmersiveDarkModeBefore2004 = 19;
constexpr std::uint32_t kImmersiveDarkMode = 20;

}  // namespace

std::optional<std::uint32_t> DarkTitleBarAttribute(std::uint32_t build)
{
    if (build >= kBuild2004)
        return kImmersiveDarkMode;
    if (build >= kBuild1903)
        return kImmersiveDarkModeBefore2004;
    return std::nullopt;
}

bool DarkMenusAvailable(std::uint32_t build, bool underWine)
{
    return build >= kBuild1903 && !underWine;
}

}  // namespace kestrova
