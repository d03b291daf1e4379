#include "settings/WindowSettings.h"

#include <algorithm>

namespace kestrova {

namespace {

constexpr std::string_view kSection = "Option";
constexpr std::string_view kMaximized = "wsMaximized";
constexpr std::string_view kNormal = "wsNormal";

}  // namespace

void LoadSettings(const IniDocument& document, SettingsWindow& window, ProgramState& state)
{
    state.theme.reset();
    for (const ThemeEntry& entry : kThemeEntries)
        if (document.ReadBool(kSection, entry.name, false))
            state.theme = entry.choice;
    if (document.ReadString(kSection, "Window", "") == kMaximized) {
        window.Maximize();
        return;
    }
    const int height = document.ReadInteger(kSection, "Height", window.OuterHeight());
    window.SetOuterHeight(std::max(height, window.MinimumOuterHeight()));
    const int width = document.ReadInteger(kSection, "Width", window.OuterWidth());
    window.SetOuterWidth(std::max(width, window.MinimumOuterWidth()));
}

void SaveSettings(IniDocument& document, const SettingsWindow& window, const ProgramState& state)
{
    if (state.quickUpdate)
        document.WriteBool(kSection, "CheckBoxQuickUpdate", *state.quickUpdate);
    for (const ThemeEntry& entry : kThemeEntries)
        document.WriteBool(kSection, entry.name, state.theme == entry.choice);
    if (window.IsMaximized()) {
        document.WriteString(kSection, "Window", kMaximized);
        return;
    }
    document.WriteString(kSection, "Window", kNormal);
    document.WriteInteger(kSection, "Height", window.OuterHeight());
    document.WriteInteger(kSection, "Width", window.OuterWidth());
}

void LoadSettings(const SettingsFile& file, SettingsWindow& window, ProgramState& state)
{
    LoadSettings(file.Open(), window, state);
}

void SaveSettings(const SettingsFile& file, const SettingsWindow& window, const ProgramState& state)
{
    IniDocument document = file.Open();
    SaveSettings(document, window, state);
    file.Write(document);
}

}  // namespace kestrova
