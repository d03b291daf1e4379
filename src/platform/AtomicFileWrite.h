// Writing a file whole or not at all: the new contents go to a temporary file in the
// same folder, which then replaces the old file in one rename. A failure or a crash at
// any step leaves the previous file as it was.
#pragma once

#include "platform/FileSystem.h"

#include <string>
#include <string_view>

namespace kestrova {

// The temporary file that WriteFileAtomically uses for `path`.
std::string TemporaryPathFor(const std::string& path);

// Writes `contents` to `path`; false when it failed, with the old file untouched and
// the temporary file removed as far as possible.
bool WriteFileAtomically(FileSystem& fs, const std::string& path, std::string_view contents);

}  // namespace kestrova
