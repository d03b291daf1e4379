#include "app/GeneralErrorText.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(GeneralErrorText, AddsAFullStopOnlyAfterACharacterThatSortsAfterIt)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Failed to create key x", "Failed to create key x."},
        {"Done.", "Done."},
        {"Why?", "Why?."},                   // '?' comes after '.'
        {"Stop!", "Stop!"},                  // '!' comes before '.'
        {"a-", "a-"},                        // '-' comes before '.'
        {"path/", "path/."},                 // '/' comes right after '.'
        {"Ошибка", "Ошибка."},               // a non-ASCII last letter
        {"", ""},
    };
    for (const auto& [message, shown] : cases)
        EXPECT_EQ(GeneralErrorText(message), shown) << message;
}

}  // namespace
}  // namespace kestrova
