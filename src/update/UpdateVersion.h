// Which text from the update server counts as a version: it becomes part of a signed
// message and of what the window shows, so only a plain version passes.
#pragma once

#include <cstddef>
#include <string_view>

namespace kestrova {

// version.txt is one short line; a longer answer names no version.
inline constexpr std::size_t kVersionFileLimit = 1024;

// One to four numbers of one to five digits each, separated by single dots (1.0.0.7).
bool IsUpdateVersion(std::string_view text);

}  // namespace kestrova
