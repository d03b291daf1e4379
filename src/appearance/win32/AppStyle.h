// The visual style of all the program's windows: switching every window to a style
// named by the user's theme choice. A window takes part by registering itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "appearance/ThemePalette.h"
#include "appearance/win32/SystemDarkMode.h"

namespace kestrova {

// A window that paints its controls in a style's palette.
class StyledWindow {
public:
    virtual HWND StyledHandle() const = 0;
    virtual void ApplyStyle(const ThemePalette& palette) = 0;

protected:
    ~StyledWindow() = default;
};

class AppStyle {
public:
    explicit AppStyle(std::uint32_t windowsBuild) : system_(windowsBuild) {}

    // A window added once a style is active takes that style at once.
    void Add(StyledWindow& window);
    void Remove(StyledWindow& window);

    // Switches every window to the style of that name; a name no style has changes nothing.
    void Apply(std::string_view styleName);
    // Null until a style has been applied: the windows then have the platform's own look.
    const ThemePalette* Active() const { return active_; }

private:
    void ApplyTo(StyledWindow& window, bool systemPartsDark) const;

    SystemDarkMode system_;
    std::vector<StyledWindow*> windows_;
    const ThemePalette* active_ = nullptr;
};

// Switches all windows to the named style without ever reporting: an unknown name or
// a failed switch leaves the present look.
void SetAppTheme(AppStyle& style, std::string_view styleName);

}  // namespace kestrova
