// What the details of a menu entry need from the system beyond the registry: expanding
// environment strings, resolving indirect strings, finding files and knowing whether
// Windows is 64-bit. Implemented over kernel32/shlwapi on Windows and by a fake in tests.
#pragma once

#include <optional>
#include <string>

namespace kestrova {

class EntryProbe {
public:
    virtual ~EntryProbe() = default;

    // ExpandEnvironmentStringsW: %NAME% replaced where NAME is set, left as it is otherwise.
    virtual std::string ExpandEnvironment(const std::string& text) = 0;
    // SHLoadIndirectString of a text whose environment strings are already expanded
    // ("@file,-id", "@file,index", "@{package?ms-resource:...}"); nothing when it does not resolve.
    virtual std::optional<std::string> LoadIndirectString(const std::string& text) = 0;
    // The path at which this process reaches the file that a 64-bit Explorer would open
    // at `path` (a 32-bit process on 64-bit Windows reaches System32 through Sysnative).
    virtual std::string NativePath(const std::string& path) = 0;
    // GetFileAttributesW: a file, not a folder, exists at `path` (as NativePath gives it).
    virtual bool FileExists(const std::string& path) = 0;
    // SearchPathW: the full path of a bare file name found where the system looks for
    // programs; empty when it is not found.
    virtual std::string FindProgram(const std::string& name) = 0;
    // Windows itself is 64-bit (for the 32-bit build: it runs under WOW64).
    virtual bool IsWindows64() = 0;
};

}  // namespace kestrova
