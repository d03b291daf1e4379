// Percent steps of a download for the progress bar and the taskbar button.
#include "update/DownloadProgress.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace kestrova {
namespace {

TEST(BytesPerPercent, IsTheHundredthRoundedHalfToEven)
{
    struct Case {
        std::int64_t announced;
        std::int64_t expected;
    };
    const Case cases[] = {
        {1'000'000, 10'000},
        {250, 2},  // 2.5 -> 2
        {350, 4},  // 3.5 -> 4
        {249, 2},
        {251, 3},
        {49, 0},   // under one byte per percent
        {50, 0},
        {51, 1},
        {150, 2},
        {0, 0},    // not announced
        {-1, 0},
        {std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::max() / 100},
    };
    for (const Case& test : cases)
        EXPECT_EQ(BytesPerPercent(test.announced), test.expected) << test.announced;
}

TEST(ProgressPosition, IsReceivedOverBytesPerPercentRoundedHalfToEvenWithin0To100)
{
    struct Case {
        std::int64_t received;
        std::int64_t bytesPerPercent;
        int expected;
    };
    const Case cases[] = {
        {250'000, 10'000, 25},
        {1'000'000, 10'000, 100},
        {5, 2, 2},     // 2.5 -> 2
        {7, 2, 4},     // 3.5 -> 4
        {3, 2, 2},     // 1.5 -> 2
        {4'999, 10'000, 0},
        {15'001, 10'000, 2},
        {1'200'000, 10'000, 100},  // more than announced
        {std::numeric_limits<std::int64_t>::max(), 1, 100},
        {std::numeric_limits<std::int64_t>::max() - 1, std::numeric_limits<std::int64_t>::max(), 1},
        {-5, 10, 0},
        {500, 0, 0},   // size not announced
        {500, -3, 0},
    };
    for (const Case& test : cases)
        EXPECT_EQ(ProgressPosition(test.received, test.bytesPerPercent), test.expected)
            << test.received << " / " << test.bytesPerPercent;
}

}  // namespace
}  // namespace kestrova
