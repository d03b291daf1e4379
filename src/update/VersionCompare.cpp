#include "update/VersionCompare.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

namespace kestrova {

namespace {

bool EndsPart(char c) { return c == '.' || IsBlankOrControl(c); }

std::vector<std::string_view> SplitParts(std::string_view version)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= version.size(); ++i) {
        if (i == version.size() || EndsPart(version[i])) {
            parts.push_back(version.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// The part as a decimal number; 0 when it is missing, empty or not wholly a number.
std::int64_t PartValue(const std::vector<std::string_view>& parts, std::size_t index)
{
    if (index >= parts.size())
        return 0;
    const std::string_view part = parts[index];
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (part.empty() || error != std::errc() || end != part.data() + part.size())
        return 0;
    return value;
}

}  // namespace

int CompareVersions(std::string_view a, std::string_view b)
{
    const std::vector<std::string_view> partsA = SplitParts(a);
    const std::vector<std::string_view> partsB = SplitParts(b);
    const std::size_t count = std::max(partsA.size(), partsB.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::int64_t valueA = PartValue(partsA, i);
        const std::int64_t valueB = PartValue(partsB, i);
        if (valueA != valueB)
            return valueA > valueB ? 1 : -1;
    }
    return 0;
}

}  // namespace kestrova
