// The entry probe over kernel32 and shlwapi.
#pragma once

#include "platform/EntryProbe.h"

#include <optional>

namespace kestrova {

class Win32EntryProbe : public EntryProbe {
public:
    std::string ExpandEnvironment(const std::string& text) override;
    std::optional<std::string> LoadIndirectString(const std::string& text) override;
    std::string NativePath(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    std::string FindProgram(const std::string& name) override;
    bool IsWindows64() override;

private:
    // This is a 32-bit process on 64-bit Windows.
    bool UnderWow64();

    std::optional<bool> underWow64_;
    std::string systemFolder_;  // upper-cased "<Windows>\SYSTEM32", once known
    std::string nativeFolder_;  // "<Windows>\Sysnative"
};

}  // namespace kestrova
