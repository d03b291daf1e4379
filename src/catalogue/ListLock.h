// The lock that keeps one list to one process at a time: the window and the command line
// each hold it around a rebuild, a switch or a delete of that list, so that neither sees
// the other's change half made. One lock per catalogue kind, shared by every session.
#pragma once

#include <string>
#include <string_view>

namespace kestrova {

inline std::string ListLockName(std::string_view kind) { return "Global\\Kestrova-list-" + std::string(kind); }

}  // namespace kestrova
