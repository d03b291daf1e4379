#include "appearance/win32/AppStyle.h"

#include <algorithm>
#include <exception>

namespace kestrova {

namespace {

// High contrast keeps the system's own colours on the parts the system draws.
bool SystemPartsDark(const ThemePalette& palette) { return palette.dark && !IsHighContrastOn(); }

}  // namespace

void AppStyle::Add(StyledWindow& window)
{
    windows_.push_back(&window);
    if (active_)
        ApplyTo(window, SystemPartsDark(*active_));
}

void AppStyle::Remove(StyledWindow& window)
{
    windows_.erase(std::remove(windows_.begin(), windows_.end(), &window), windows_.end());
}

void AppStyle::Apply(std::string_view styleName)
{
    const ThemePalette* palette = FindStyle(styleName);
    if (!palette)
        return;
    active_ = palette;
    const bool systemPartsDark = SystemPartsDark(*palette);
    system_.ApplyToMenus(systemPartsDark);
    for (StyledWindow* window : windows_)
        ApplyTo(*window, systemPartsDark);
}

void AppStyle::ApplyTo(StyledWindow& window, bool systemPartsDark) const
{
    system_.ApplyToTitleBar(window.StyledHandle(), systemPartsDark);
    window.ApplyStyle(*active_);
}

void SetAppTheme(AppStyle& style, std::string_view styleName)
{
    try {
        style.Apply(styleName);
    } catch (const std::exception&) {
        // A style that cannot be applied leaves the windows as they are, silently.
    }
}

}  // namespace kestrova
