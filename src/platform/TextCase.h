// Comparing names without regard to letter case, as the options and language files
// need it: ASCII, Latin-1 and Cyrillic letters match their other case.
#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// The UTF-16 form of a UTF-8 text with those letters in upper case: two texts are equal
// ignoring case exactly when their folded forms are equal.
std::u16string CaseFolded(std::string_view text);

// Whether two UTF-8 texts are equal when letter case is ignored.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Orders two UTF-8 texts with letter case ignored in the same way: below, at or above 0.
int CompareIgnoringCase(std::string_view a, std::string_view b);

}  // namespace kestrova
