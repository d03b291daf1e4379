// A profile: the switched-off entries of some lists, one id a line below a "[list]" line,
// in UTF-8 with comment lines ("#" or ";"). Applying one makes exactly those entries of
// the lists it names switched off. The file comes from wherever the caller points, so
// reading it trusts nothing: its size is bounded and anything but text is refused.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrova {

// Larger files are refused before they are read whole.
inline constexpr std::size_t kMaxProfileSize = 1024 * 1024;

struct ProfileList {
    std::string name;
    std::vector<std::string> switchedOff;  // ids, in the file's order

    bool operator==(const ProfileList&) const = default;
};

struct ProfileParse {
    std::vector<ProfileList> lists;  // in the order first named; a list named twice is merged
    std::string error;               // empty when the text is a profile
};

// Reads a profile's text. `isListName` says whether a "[name]" line names a list the
// command line knows. Errors name the line: text that is not UTF-8, control characters
// other than tabs and line breaks, an id above the first "[list]" line, an unknown list.
ProfileParse ParseProfile(std::string_view text, const std::function<bool(std::string_view)>& isListName);

// Whether `id` reads back from a profile line as itself: not empty, without blanks or
// control characters at either end, and not starting with "#", ";" or "[".
bool FitsProfileLine(std::string_view id);

// The text `profile save` writes, with Windows line breaks.
std::string FormatProfile(const std::vector<ProfileList>& lists, std::string_view version);

}  // namespace kestrova
