// What the program is set to while it runs. Made first at start-up and handed to every
// part that reads or changes it: options are applied here, and the windows show them.
#pragma once

#include <optional>
#include <string>

namespace kestrova {

enum class ThemeChoice { System, Light, Dark };

// The update window's two stored options: checking at start-up and updating at once.
struct UpdateOptions {
    bool autoCheck = true;    // CheckBoxAutoCheck
    bool autoUpdate = false;  // CheckBoxAutoUpdate
};

struct ProgramState {
    // Options and backups beside the program ("portable.ini" found there at start-up).
    bool portable = false;
    // The chosen language file's base name; empty while none is chosen.
    std::string language;
    // None while no theme is stored: the look stays as built and no theme entry is marked.
    std::optional<ThemeChoice> theme;
    // The update window's quick-update choice, stored with the main window's options;
    // none while there is no update window, so its stored value stays as it is.
    std::optional<bool> quickUpdate;
    // The update window's stored options; auto-update is never set without auto-check.
    UpdateOptions updates;
    // Whether Explorer shows its Send to sub-menu.
    bool sendToMenuEnabled = false;
};

}  // namespace kestrova
