// The order of version numbers, and the trimming of a version file's body.
#include "update/VersionCompare.h"

#include "platform/AsciiText.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(CompareVersions, OrdersDottedNumbersPartByPart)
{
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"1.2.10", "1.2.9", 1},   // numbers, not texts
        {"1.2", "1.2.0.0", 0},    // missing parts are 0
        {"2.0", "10.0", -1},
        {"1.2.beta", "1.2", 0},   // a word counts as 0
        {"1.2.3", "1.2.3.0", 0},
        {"1.2.4", "1.2.3.9", 1},
        {"1..3", "1.0.3", 0},     // an empty part is 0
        {"1.2 3", "1.2.3", 0},    // a blank ends a part too
        {"1.2\t4", "1.2.3", 1},
        {"99999999999.1", "0.2", -1},  // too large for a number: 0
        {"", "0.0", 0},
        {"1.0.0.6", "1.0.0.5", 1},
        {"1.0.0.5", "1.0.0.6", -1},
    };
    for (const Case& test : cases)
        EXPECT_EQ(CompareVersions(test.a, test.b), test.expected) << test.a << " vs " << test.b;
}

TEST(TrimBlanks, RemovesEveryCharacterUpToCode32AtBothEnds)
{
    EXPECT_EQ(TrimBlanks("1.2.3.4\r\n"), "1.2.3.4");
    EXPECT_EQ(TrimBlanks(std::string_view("\x01 \t1.2 3\x1f\x20\0", 12)), "1.2 3");
    EXPECT_EQ(TrimBlanks(" \r\n\t "), "");
}

}  // namespace
}  // namespace kestrova
