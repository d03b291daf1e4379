// The main window's stored options: the theme entry, whether it was maximised and its
// outer size, and the update window's quick-update option. Loaded as the last step of
// the window's creation, saved each time it closes.
#pragma once

#include "settings/IniDocument.h"
#include "settings/SettingsFile.h"

#include <optional>
#include <string_view>

namespace kestrova {

// The main window as its settings see it; the Win32 window and test doubles implement it.
class SettingsWindow {
public:
    virtual ~SettingsWindow() = default;

    virtual bool MenuItemChecked(std::string_view item) const = 0;
    virtual void SetMenuItemChecked(std::string_view item, bool checked) = 0;
    // Activates a menu entry exactly as a user's click would: its mark, then its handler.
    virtual void ClickMenuItem(std::string_view item) = 0;

    virtual bool IsMaximized() const = 0;
    virtual void Maximize() = 0;
    // The outer size in pixels, and the smallest one the window allows at its DPI.
    virtual int OuterHeight() const = 0;
    virtual int OuterWidth() const = 0;
    virtual void SetOuterHeight(int height) = 0;
    virtual void SetOuterWidth(int width) = 0;
    virtual int MinimumOuterHeight() const = 0;
    virtual int MinimumOuterWidth() const = 0;
};

// The theme entries of the general menu, in menu order; also their option keys.
inline constexpr std::string_view kThemeEntries[] = {"ThemeAuto", "ThemeLight", "ThemeDark"};

// Applies the stored options: each theme entry in menu order gets the stored mark and,
// when set, is clicked (so the last one set wins); then "wsMaximized" (exactly that)
// maximises, anything else restores Height, then Width, no smaller than the minimum.
void LoadSettings(const IniDocument& document, SettingsWindow& window);

// Stores the options. `quickUpdate` is the update window's check box CheckBoxQuickUpdate,
// or none while that window does not exist: its key is then left as it stands. Height
// and Width are kept as they are while the window is maximised.
void SaveSettings(IniDocument& document, const SettingsWindow& window, std::optional<bool> quickUpdate);

// The same on the options file: LoadSettings reads it and writes nothing, SaveSettings
// reads it, changes it and writes it back (AppError when that fails).
void LoadSettings(const SettingsFile& file, SettingsWindow& window);
void SaveSettings(const SettingsFile& file, const SettingsWindow& window, std::optional<bool> quickUpdate);

}  // namespace kestrova
