// The parts of the program's windows that the system draws itself: the title bar,
// darkened through a DWM attribute, and popup menus, through uxtheme's unnamed exports.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace kestrova {

class SystemDarkMode {
public:
    // Finds what `windowsBuild` offers; uxtheme's exports are looked up only where they
    // mean what this class calls them for.
    explicit SystemDarkMode(std::uint32_t windowsBuild);

    void ApplyToTitleBar(HWND window, bool dark) const;
    // Every popup menu the process opens from now on.
    void ApplyToMenus(bool dark) const;

private:
    using SetPreferredAppModeFunction = int(WINAPI*)(int mode);
    using FlushMenuThemesFunction = void(WINAPI*)();

    std::optional<std::uint32_t> titleBarAttribute_;
    SetPreferredAppModeFunction setPreferredAppMode_ = nullptr;
    FlushMenuThemesFunction flushMenuThemes_ = nullptr;
};

// True inside Wine, whose ntdll exports wine_get_version.
bool IsRunningUnderWine();
// True while the user has a high-contrast theme on: the system's colours then win.
bool IsHighContrastOn();

}  // namespace kestrova
