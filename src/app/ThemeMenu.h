// The theme entries of the general menu: the system's app theme, light or dark, each
// switching every window's style and the lists' grid lines, and following the system
// while the system entry is chosen.
#pragma once

#include "app/MainWindow.h"
#include "appearance/win32/AppStyle.h"
#include "platform/RegistryBackend.h"

namespace kestrova {

class ThemeMenu {
public:
    ThemeMenu(MainWindow& form, AppStyle& style, RegistryBackend& registry);

    // Connects the three entries' hooks and the system-setting hook of the window.
    void Wire();

    // Each releases the general-menu button and leaves its own entry the only one
    // marked, then applies its style. ThemeAutoClick lets an unreadable system theme
    // through to the caller, with no style applied.
    void ThemeAutoClick();
    void ThemeLightClick();
    void ThemeDarkClick();
    // With the system entry chosen, the style follows the system's app theme again;
    // the grid lines stay as they are, and errors are swallowed.
    void SystemSettingChanged();

private:
    void Choose(const char* entry);
    void ApplyTheme(bool dark);

    MainWindow& form_;
    AppStyle& style_;
    RegistryBackend& registry_;
};

}  // namespace kestrova
