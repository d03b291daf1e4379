// The theme entries of the general menu: the system's app theme, light or dark, each
// switching every window's style and the lists' grid lines, and following the system
// while the system theme is chosen. The choice lives in the program's state; the menu
// shows it.
#pragma once

#include "app/MainWindow.h"
#include "appearance/win32/AppStyle.h"
#include "platform/RegistryBackend.h"
#include "settings/ProgramState.h"

namespace kestrova {

class ThemeMenu {
public:
    ThemeMenu(MainWindow& form, ProgramState& state, AppStyle& style, RegistryBackend& registry);

    // Makes `choice` the theme: its entry the only one marked, then its style applied.
    // The system theme lets an unreadable system setting through to the caller, with no
    // style applied.
    void Choose(ThemeChoice choice);
    // Shows the state's theme and applies it; with none chosen no entry is marked and the
    // look stays as it is.
    void ShowChosen();
    // With the system theme chosen, the style follows the system's app theme again;
    // the grid lines stay as they are, and errors are swallowed.
    void SystemSettingChanged();

private:
    void ApplyTheme(bool dark);

    MainWindow& form_;
    ProgramState& state_;
    AppStyle& style_;
    RegistryBackend& registry_;
};

}  // namespace kestrova
