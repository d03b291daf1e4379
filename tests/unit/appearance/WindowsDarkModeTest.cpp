#include "appearance/WindowsDarkMode.h"

#include "RegistrySeed.h"
#include "platform/AppError.h"
#include "platform/MemoryRegistry.h"

#include <gtest/gtest.h>

#include <optional>

namespace kestrova {
namespace {

const std::string Personalize = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

class WindowsDarkModeTest : public ::testing::Test {
protected:
    MemoryRegistry hive;
    RegistrySeed seed{hive};

    void Store(const RegValue& value) { seed.SetValue(RegRoot::CurrentUser, 0, Personalize, "AppsUseLightTheme", value); }
    void StoreNumber(std::uint32_t number) { seed.SetDword(RegRoot::CurrentUser, 0, Personalize, "AppsUseLightTheme", number); }
};

TEST_F(WindowsDarkModeTest, OnlyTheNumberZeroMeansDark)
{
    struct Case {
        std::optional<std::uint32_t> stored;
        bool dark;
    };
    const Case cases[] = {{0, true}, {1, false}, {2, false}, {0xFFFFFFFF, false}, {std::nullopt, false}};
    for (const Case& c : cases) {
        seed.DeleteTree(RegRoot::CurrentUser, 0, Personalize);
        seed.CreateKey(RegRoot::CurrentUser, 0, Personalize);
        if (c.stored)
            StoreNumber(*c.stored);
        EXPECT_EQ(IsWindowsDarkMode(hive), c.dark) << (c.stored ? std::to_string(*c.stored) : "absent");
        EXPECT_EQ(hive.OpenHandleCount(), 0u) << "the key is closed";
    }
}

TEST_F(WindowsDarkModeTest, MissingKeyMeansLight)
{
    EXPECT_FALSE(IsWindowsDarkMode(hive));
}

TEST_F(WindowsDarkModeTest, ValueOfAnotherTypeIsAnErrorAndTheKeyIsClosed)
{
    const RegValue others[] = {
        {static_cast<std::uint32_t>(RegType::Sz), {'0', 0, 0, 0}},
        {static_cast<std::uint32_t>(RegType::Binary), {0, 0, 0, 0}},
        {static_cast<std::uint32_t>(RegType::Qword), {0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const RegValue& value : others) {
        Store(value);
        try {
            IsWindowsDarkMode(hive);
            ADD_FAILURE() << "type " << value.type << " was read as a number";
        } catch (const AppError& error) {
            EXPECT_STREQ(error.what(), "Invalid data type for 'AppsUseLightTheme'");
        }
        EXPECT_EQ(hive.OpenHandleCount(), 0u);
    }
}

}  // namespace
}  // namespace kestrova
