// A file system that forwards to another and breaks the steps of writing a file:
// the write of the new contents (at once, or half-way as on a full disk), the rename
// over the old file, or the process dying just before that rename.
#pragma once

#include "platform/FileSystem.h"

#include <stdexcept>

namespace kestrova {

enum class FileFault { None, WriteFailsAtOnce, WriteFailsHalfway, ReplaceFails, CrashBeforeReplace };

// Thrown for FileFault::CrashBeforeReplace: the writer stops dead, nothing cleans up.
struct SimulatedCrash : std::runtime_error {
    SimulatedCrash() : std::runtime_error("simulated crash") {}
};

class FaultInjectingFileSystem : public FileSystem {
public:
    explicit FaultInjectingFileSystem(FileSystem& inner) : inner_(inner) {}

    FileFault fault = FileFault::None;

    PathKind GetPathKind(const std::string& path) override { return inner_.GetPathKind(path); }
    bool MakeDirectory(const std::string& path) override { return inner_.MakeDirectory(path); }
    bool RemoveFile(const std::string& path) override { return inner_.RemoveFile(path); }
    bool RemoveEmptyDirectory(const std::string& path) override { return inner_.RemoveEmptyDirectory(path); }
    bool MovePath(const std::string& oldPath, const std::string& newPath) override
    {
        return inner_.MovePath(oldPath, newPath);
    }
    bool CanOpenForWriting(const std::string& path) override { return inner_.CanOpenForWriting(path); }
    bool WriteEmptyFile(const std::string& path) override { return inner_.WriteEmptyFile(path); }
    std::vector<FoundEntry> FindEntries(const std::string& pattern) override { return inner_.FindEntries(pattern); }
    bool ReadWholeFile(const std::string& path, std::string& contents) override
    {
        return inner_.ReadWholeFile(path, contents);
    }
    bool WriteWholeFile(const std::string& path, std::string_view contents) override;
    bool MoveReplacing(const std::string& source, const std::string& target) override;
    std::string EnvironmentVariable(const std::string& name) override { return inner_.EnvironmentVariable(name); }
    std::string AppDataFolder() override { return inner_.AppDataFolder(); }
    std::string TempFolder() override { return inner_.TempFolder(); }
    std::string WindowsFolder() override { return inner_.WindowsFolder(); }

private:
    FileSystem& inner_;
};

}  // namespace kestrova
