// Every colour of the two styles.
#include "appearance/ThemePalette.h"

namespace kestrova {

namespace {

constexpr ThemePalette kLight{
    .name = kLightStyleName,
    .dark = false,
    .face = Rgb(243, 243, 243),
    .text = Rgb(27, 27, 27),
    .mutedText = Rgb(92, 92, 92),
    .border = Rgb(213, 213, 213),
    .page = Rgb(251, 251, 251),
    .listBackground = Rgb(255, 255, 255),
    .listText = Rgb(0, 0, 0),
    .inactiveSelection = Rgb(217, 217, 217),
    .headerBackground = Rgb(255, 255, 255),
    .headerText = Rgb(27, 27, 27),
    .buttonHot = Rgb(229, 229, 229),
    .buttonDown = Rgb(214, 214, 214),
    .link = Rgb(0, 95, 184),
};

constexpr ThemePalette kDark{
    .name = kDarkStyleName,
    .dark = true,
    .face = Rgb(32, 32, 32),
    .text = Rgb(255, 255, 255),
    .mutedText = Rgb(197, 197, 197),
    .border = Rgb(69, 69, 69),
    .page = Rgb(43, 43, 43),
    .listBackground = Rgb(28, 28, 28),
    .listText = Rgb(255, 255, 255),
    .inactiveSelection = Rgb(70, 70, 70),
    .headerBackground = Rgb(43, 43, 43),
    .headerText = Rgb(255, 255, 255),
    .buttonHot = Rgb(58, 58, 58),
    .buttonDown = Rgb(74, 74, 74),
    .link = Rgb(96, 205, 255),
};

}  // namespace

const ThemePalette* FindStyle(std::string_view name)
{
    for (const ThemePalette* style : {&kLight, &kDark})
        if (style->name == name)
            return style;
    return nullptr;
}

}  // namespace kestrova
