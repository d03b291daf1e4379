// Real files for tests, by the program's paths (UTF-8, Windows separators): writing and
// reading their bytes, a folder's whole contents at a glance, and environment
// variables set for the length of a test.
#pragma once

#include "platform/FileSystem.h"

#include <map>
#include <optional>
#include <string>

namespace kestrova {

void WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);

// The path under which this program opens a file of the source or build tree named by
// its Linux path: under Wine, on drive Z:, where Wine shows the Linux root.
std::string BuildHostPath(const std::string& linuxPath);

// Every entry of `folder` (which ends with a backslash) and its sub-folders by its
// path below `folder`: a file's bytes, or "<folder>" for a folder.
std::map<std::string, std::string> FolderContents(FileSystem& fs, const std::string& folder);
inline constexpr const char* kFolderMark = "<folder>";

// Sets an environment variable of this process; the old value (or none) is back when
// the object goes.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(std::string name, const std::string& value);
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> saved_;
};

}  // namespace kestrova
