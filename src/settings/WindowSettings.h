// The main window's stored options: the theme, whether it was maximised and its outer
// size, and the update window's quick-update option. Loaded as the last step of the
// window's creation, saved each time it closes.
#pragma once

#include "settings/IniDocument.h"
#include "settings/ProgramState.h"
#include "settings/SettingsFile.h"

#include <optional>
#include <string_view>

namespace kestrova {

// The main window as its settings see it; the Win32 window and test doubles implement it.
class SettingsWindow {
public:
    virtual ~SettingsWindow() = default;

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

// The theme entries of the general menu, in menu order: their option keys and item
// names, and the theme each stands for.
struct ThemeEntry {
    std::string_view name;
    ThemeChoice choice;
};
inline constexpr ThemeEntry kThemeEntries[] = {
    {"ThemeAuto", ThemeChoice::System}, {"ThemeLight", ThemeChoice::Light}, {"ThemeDark", ThemeChoice::Dark}};

// Reads the stored options: the theme is the last entry in menu order stored as set
// (none when no entry is); then "wsMaximized" (exactly that) maximises, anything else
// restores Height, then Width, no smaller than the minimum.
void LoadSettings(const IniDocument& document, SettingsWindow& window, ProgramState& state);

// Stores the options: the state's quick-update choice (its key left as it stands while
// there is none), each theme entry, and the window. Height and Width are kept as they are
// while the window is maximised.
void SaveSettings(IniDocument& document, const SettingsWindow& window, const ProgramState& state);

// The same on the options file: LoadSettings reads it and writes nothing, SaveSettings
// reads it, changes it and writes it back (AppError when that fails).
void LoadSettings(const SettingsFile& file, SettingsWindow& window, ProgramState& state);
void SaveSettings(const SettingsFile& file, const SettingsWindow& window, const ProgramState& state);

}  // namespace kestrova
