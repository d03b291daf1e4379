// Cutting a path at its last separator: the parent part and the last name. Registry key
// paths and file paths both use it; trailing separators are ignored.
#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// The path without the separators it ends in.
std::string_view WithoutTrailingSeparators(std::string_view path, std::string_view separators = "\\");

// The text before the last separator; empty when there is none.
std::string ParentPath(std::string_view path, std::string_view separators = "\\");

// The text after the last separator; the whole path when there is none.
std::string LastName(std::string_view path, std::string_view separators = "\\");

// The text up to and including the last separator: the folder of a file's path, ready
// for a name to be appended. Empty when there is no separator.
std::string FolderWithSeparator(std::string_view path, std::string_view separators = "\\");

}  // namespace kestrova
