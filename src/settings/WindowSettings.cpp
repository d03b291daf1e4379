#include "settings/WindowSettings.h"

#include <algorithm>

namespace kestrova {

namespace {

constexpr std::string_view kSection = "Option";
constexpr std::string_view kMaximized = "wsMaximized";
constexpr std::string_view kNormal = "wsNormal";

}  // namespace

void LoadSettings(const IniDocument& document, SettingsWindow& window)
{
    for (const std::string_view entry : kThemeEntries) {
        const bool chosen = document.ReadBool(kSection, entry, false);
        window.SetMenuItemChecked(entry, chosen);
        if (chosen)
            window.ClickMenuItem(entry);
    }
    if (document.ReadString(kSection, "Window", "") == kMaximized) {
        window.Maximize();
        return;
    }
    const int height = document.ReadInteger(kSection, "Height", window.OuterHeight());
    window.SetOuterHeight(std::max(height, window.MinimumOuterHeight()));
    const int width = document.ReadInteger(kSection, "Width", window.OuterWidth());
    window.SetOuterWidth(std::max(width, window.MinimumOuterWidth()));
}

void SaveSettings(IniDocument& document, const SettingsWindow& window, std::optional<bool> quickUpdate)
{
    if (quickUpdate)
        document.WriteBool(kSection, "CheckBoxQuickUpdate", *quickUpdate);
    for (const std::string_view entry : kThemeEntries)
        document.WriteBool(kSection, entry, window.MenuItemChecked(entry));
    if (window.IsMaximized()) {
        document.WriteString(kSection, "Window", kMaximized);
        return;
    }
    document.WriteString(kSection, "Window", kNormal);
    document.WriteInteger(kSection, "Height", window.OuterHeight());
    document.WriteInteger(kSection, "Width", window.OuterWidth());
}

void LoadSettings(const SettingsFile& file, SettingsWindow& window) { LoadSettings(file.Open(), window); }

void SaveSettings(const SettingsFile& file, const SettingsWindow& window, std::optional<bool> quickUpdate)
{
    IniDocument document = file.Open();
    SaveSettings(document, window, quickUpdate);
    file.Write(document);
}

}  // namespace kestrova
