#include "appearance/NativeDarkMode.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(NativeDarkMode, TitleBarAttributeByBuild)
{
    EXPECT_EQ(DarkTitleBarAttribute(17763), std::nullopt);
    EXPECT_EQ(DarkTitleBarAttribute(18361), std::nullopt);
    EXPECT_EQ(DarkTitleBarAttribute(18362), 19u);
    EXPECT_EQ(DarkTitleBarAttribute(19040), 19u);
    EXPECT_EQ(DarkTitleBarAttribute(19041), 20u);
    EXPECT_EQ(DarkTitleBarAttribute(22631), 20u);
}

TEST(NativeDarkMode, DarkMenusFromBuild18362AndNeverUnderWine)
{
    EXPECT_FALSE(DarkMenusAvailable(18361, false));
    EXPECT_TRUE(DarkMenusAvailable(18362, false));
    EXPECT_TRUE(DarkMenusAvailable(22631, false));
    EXPECT_FALSE(DarkMenusAvailable(19045, true));
}

}  // namespace
}  // namespace kestrova
