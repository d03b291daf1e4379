// The file system, environment and known folders through kernel32 and shell32.
#pragma once

#include "platform/FileSystem.h"

namespace kestrova {

class Win32FileSystem : public FileSystem {
public:
    PathKind GetPathKind(const std::string& path) override;
    bool MakeDirectory(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    bool RemoveEmptyDirectory(const std::string& path) override;
    bool MovePath(const std::string& oldPath, const std::string& newPath) override;
    bool CanOpenForWriting(const std::string& path) override;
    bool WriteEmptyFile(const std::string& path) override;
    std::vector<FoundEntry> FindEntries(const std::string& pattern) override;
    bool ReadWholeFile(const std::string& path, std::string& contents) override;
    bool WriteWholeFile(const std::string& path, std::string_view contents) override;
    bool MoveReplacing(const std::string& source, const std::string& target) override;
    std::string EnvironmentVariable(const std::string& name) override;
    std::string AppDataFolder() override;
    std::string TempFolder() override;
    std::string WindowsFolder() override;
};

}  // namespace kestrova
