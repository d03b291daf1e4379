#include "update/DownloadProgress.h"

namespace kestrova {

namespace {

constexpr int kMaxPosition = 100;

// dividend / divisor rounded to the nearest integer, halves to the even one; both
// positive. The remainder is compared without doubling it, which could overflow.
std::int64_t DivideRoundingHalfToEven(std::int64_t dividend, std::int64_t divisor)
{
    const std::int64_t quotient = dividend / divisor;
    const std::int64_t remainder = dividend % divisor;
    const std::int64_t rest = divisor - remainder;
    if (remainder > rest || (remainder == rest && quotient % 2 != 0))
        return quotient + 1;
    return quotient;
}

}  // namespace

std::int64_t BytesPerPercent(std::int64_t announcedSize)
{
    return announcedSize > 0 ? DivideRoundingHalfToEven(announcedSize, kMaxPosition) : 0;
}

int ProgressPosition(std::int64_t received, std::int64_t bytesPerPercent)
{
    if (bytesPerPercent <= 0 || received <= 0)
        return 0;
    const std::int64_t position = DivideRoundingHalfToEven(received, bytesPerPercent);
    return position > kMaxPosition ? kMaxPosition : static_cast<int>(position);
}

}  // namespace kestrova
