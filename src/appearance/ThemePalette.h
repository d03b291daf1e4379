// The two visual styles the windows can be switched to, each one palette of colours,
// found by the style's name.
#pragma once

#include <cstdint>
#include <string_view>

namespace kestrova {

// A colour laid out as Win32's COLORREF: 0x00BBGGRR.
using Colour = std::uint32_t;
constexpr Colour Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 | static_cast<Colour>(blue) << 16;
}

inline constexpr std::string_view kLightStyleName = "Windows11 Modern Light";
inline constexpr std::string_view kDarkStyleName = "Windows11 Modern Dark";

struct ThemePalette {
    std::string_view name;
    bool dark;                // the system-drawn title bar and popup menus go dark too
    Colour face;              // window surface: title strip, tab strip, status bars
    Colour text;              // text on the face and on pages
    Colour mutedText;         // captions of the tabs not shown
    Colour border;            // frames of tabs, pages, group boxes and status panels
    Colour page;              // the shown tab and its page, with the group box on it
    Colour listBackground;
    Colour listText;
    Colour inactiveSelection;  // the selected row of a list without the focus
    Colour headerBackground;  // column headers of the lists
    Colour headerText;
    Colour buttonHot;         // the general-menu button under the mouse
    Colour buttonDown;        // the general-menu button while it is down
    Colour link;              // link labels
};

// The palette of the style named `name` (exact); null for a name no style has.
const ThemePalette* FindStyle(std::string_view name);

}  // namespace kestrova
