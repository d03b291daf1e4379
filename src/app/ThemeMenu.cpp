#include "app/ThemeMenu.h"

#include "appearance/ThemePalette.h"
#include "appearance/WindowsDarkMode.h"
#include "settings/WindowSettings.h"

#include <exception>

namespace kestrova {

ThemeMenu::ThemeMenu(MainWindow& form, ProgramState& state, AppStyle& style, RegistryBackend& registry)
    : form_(form), state_(state), style_(style), registry_(registry)
{
}

void ThemeMenu::ApplyTheme(bool dark)
{
    SetAppTheme(style_, dark ? kDarkStyleName : kLightStyleName);
    form_.SetGridLines(!dark);
}

void ThemeMenu::Choose(ThemeChoice choice)
{
    state_.theme = choice;
    ShowChosen();
}

void ThemeMenu::ShowChosen()
{
    for (const ThemeEntry& entry : kThemeEntries)
        form_.SetMenuItemChecked(entry.name, state_.theme == entry.choice);
    if (!state_.theme)
        return;
    switch (*state_.theme) {
    case ThemeChoice::System:
        ApplyTheme(IsWindowsDarkMode(registry_));
        break;
    case ThemeChoice::Light:
        ApplyTheme(false);
        break;
    case ThemeChoice::Dark:
        ApplyTheme(true);
        break;
    }
}

void ThemeMenu::SystemSettingChanged()
{
    if (state_.theme != ThemeChoice::System)
        return;
    try {
        SetAppTheme(style_, IsWindowsDarkMode(registry_) ? kDarkStyleName : kLightStyleName);
    } catch (const std::exception&) {
        // Whatever the system's theme holds, a settings change never reports.
    }
}

}  // namespace kestrova
