#include "appearance/win32/SystemDarkMode.h"


#include "appearance/NativeDarkMode.h"
#include "ui/win32/SystemLibraryCalls.h"

namespace kestrova {

namespace {

// uxtheme's export numbers and the modes of SetPreferredAppMode.
constexpr WORD kSetPreferredAppModeOrdinal = 135;
constexpr WORD kFlushMenuThemesOrdinal = 136;
constexpr int kAppModeDefault = 0;
constexpr int kAppModeForceDark = 2;

template <typename Function>
Function ExportByOrdinal(HMODULE module, WORD ordinal)
{
    FARPROC address = GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
    // Through a plain function pointer type, which any other function pointer type converts from.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

}  // namespace

SystemDarkMode::SystemDarkMode(std::uint32_t windowsBuild) : titleBarAttribute_(DarkTitleBarAttribute(windowsBuild))
{
    if (!DarkMenusAvailable(windowsBuild, IsRunningUnderWine()))
        return;
    // Stays loaded for the life of the process, as the menus it themes do.
    HMODULE uxtheme = LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!uxtheme)
        return;
    setPreferredAppMode_ = ExportByOrdinal<SetPreferredAppModeFunction>(uxtheme, kSetPreferredAppModeOrdinal);
    flushMenuThemes_ = ExportByOrdinal<FlushMenuThemesFunction>(uxtheme, kFlushMenuThemesOrdinal);
}

void SystemDarkMode::ApplyToTitleBar(HWND window, bool dark) const
{
    if (!titleBarAttribute_)
        return;
    BOOL value = dark;
    if (SUCCEEDED(SetDwmWindowAttribute(window, *titleBarAttribute_, &value, sizeof value)))
        // The frame is redrawn only when told that it changed.
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void SystemDarkMode::ApplyToMenus(bool dark) const
{
    if (!setPreferredAppMode_ || !flushMenuThemes_)
        return;
    setPreferredAppMode_(dark ? kAppModeForceDark : kAppModeDefault);
    flushMenuThemes_();
}

bool IsRunningUnderWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool IsHighContrastOn()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace kestrova
