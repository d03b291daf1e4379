// The file system over POSIX, for running the program's logic on Linux. Paths with
// Windows separators work, and names resolve without regard to ASCII case, so the
// same logic and tests behave as they do on Windows.
#pragma once

#include "platform/FileSystem.h"

namespace kestrova {

class PosixFileSystem : public FileSystem {
public:
    PathKind GetPathKind(const std::string& path) override;
    bool MakeDirectory(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    bool RemoveEmptyDirectory(const std::string& path) override;
    bool MovePath(const std::string& oldPath, const std::string& newPath) override;
    bool CanOpenForWriting(const std::string& path) override;
    bool WriteEmptyFile(const std::string& path) override;
    // Entries in the order NTFS gives them: "." and ".." first, then by upper-cased name.
    std::vector<FoundEntry> FindEntries(const std::string& pattern) override;
    bool ReadWholeFile(const std::string& path, std::string& contents) override;
    bool WriteWholeFile(const std::string& path, std::string_view contents) override;
    bool MoveReplacing(const std::string& source, const std::string& target) override;
    std::string EnvironmentVariable(const std::string& name) override;
    // Linux has no such folder: the value of APPDATA, so a test can place it.
    std::string AppDataFolder() override;
    std::string TempFolder() override;
    std::string WindowsFolder() override;
};

}  // namespace kestrova
