#include "appearance/WindowsDarkMode.h"

#include "platform/RegistryCursor.h"

namespace kestrova {

namespace {

constexpr const char* kPersonalizeKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize\\";
constexpr const char* kAppsUseLightTheme = "AppsUseLightTheme";

}  // namespace

bool IsWindowsDarkMode(RegistryBackend& registry)
{
    RegistryCursor reg(registry, access::Read);
    reg.RootKey = RegRoot::CurrentUser;
    if (!reg.KeyExists(kPersonalizeKey) || !reg.OpenKey(kPersonalizeKey, false))
        return false;
    // The key closes with `reg`, also when reading the value fails.
    return reg.ValueExists(kAppsUseLightTheme) && reg.ReadInteger(kAppsUseLightTheme) == 0;
}

}  // namespace kestrova
