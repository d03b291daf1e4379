#include "app/ThemeMenu.h"

#include "appearance/ThemePalette.h"
#include "appearance/WindowsDarkMode.h"

#include <exception>

namespace kestrova {

ThemeMenu::ThemeMenu(MainWindow& form, AppStyle& style, RegistryBackend& registry)
    : form_(form), style_(style), registry_(registry)
{
}

void ThemeMenu::Wire()
{
    MainWindowHandlers& hooks = form_.handlers;
    hooks.ThemeAutoClick = [this] { ThemeAutoClick(); };
    hooks.ThemeLightClick = [this] { ThemeLightClick(); };
    hooks.ThemeDarkClick = [this] { ThemeDarkClick(); };
    hooks.SystemSettingChanged = [this] { SystemSettingChanged(); };
}

void ThemeMenu::Choose(const char* entry)
{
    form_.ReleaseGeneralMenuButton();
    form_.UnCheckTheme();
    form_.SetMenuItemChecked(entry, true);
}

void ThemeMenu::ApplyTheme(bool dark)
{
    SetAppTheme(style_, dark ? kDarkStyleName : kLightStyleName);
    form_.SetGridLines(!dark);
}

void ThemeMenu::ThemeAutoClick()
{
    Choose("ThemeAuto");
    ApplyTheme(IsWindowsDarkMode(registry_));
}

void ThemeMenu::ThemeLightClick()
{
    Choose("ThemeLight");
    ApplyTheme(false);
}

void ThemeMenu::ThemeDarkClick()
{
    Choose("ThemeDark");
    ApplyTheme(true);
}

void ThemeMenu::SystemSettingChanged()
{
    if (!form_.MenuItemChecked("ThemeAuto"))
        return;
    try {
        SetAppTheme(style_, IsWindowsDarkMode(registry_) ? kDarkStyleName : kLightStyleName);
    } catch (const std::exception&) {
        // Whatever the system's theme holds, a settings change never reports.
    }
}

}  // namespace kestrova
