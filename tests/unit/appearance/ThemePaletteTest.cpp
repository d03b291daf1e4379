#include "appearance/ThemePalette.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace kestrova {
namespace {

TEST(ThemePalette, StylesAreFoundByTheirExactNamesOnly)
{
    const ThemePalette* light = FindStyle("Windows11 Modern Light");
    const ThemePalette* dark = FindStyle("Windows11 Modern Dark");
    ASSERT_NE(light, nullptr);
    ASSERT_NE(dark, nullptr);
    EXPECT_FALSE(light->dark);
    EXPECT_TRUE(dark->dark);
    EXPECT_EQ(FindStyle("windows11 modern dark"), nullptr);
    EXPECT_EQ(FindStyle("Windows10"), nullptr);
    EXPECT_EQ(FindStyle(""), nullptr);
}

// Text must stand out from what it is drawn on, in both styles.
TEST(ThemePalette, TextContrastsWithItsBackground)
{
    auto luminance = [](Colour colour) {
        return 0.2126 * (colour & 0xFF) + 0.7152 * ((colour >> 8) & 0xFF) + 0.0722 * ((colour >> 16) & 0xFF);
    };
    for (const char* name : {"Windows11 Modern Light", "Windows11 Modern Dark"}) {
        const ThemePalette& p = *FindStyle(name);
        const std::pair<Colour, Colour> pairs[] = {{p.text, p.face}, {p.text, p.page}, {p.mutedText, p.face},
                                                   {p.listText, p.listBackground}, {p.headerText, p.headerBackground},
                                                   {p.text, p.buttonDown}, {p.link, p.face}};
        for (const auto& [text, background] : pairs)
            EXPECT_GT(std::abs(luminance(text) - luminance(background)), 100.0) << name;
    }
}

}  // namespace
}  // namespace kestrova
