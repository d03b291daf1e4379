// Where the running program's file is.
#pragma once

#include <string>

namespace kestrova {

// The full path of the running executable.
std::string ExecutablePath();

// Its folder, ending in a backslash.
std::string ExecutableFolder();

}  // namespace kestrova
