// A backup folder in a scratch folder of the platform's real file system, with the undo
// list beside it, for tests that delete entries.
#pragma once

#include "PlatformFileSystem.h"
#include "ScratchFolder.h"
#include "catalogue/DeletionBackup.h"
#include "catalogue/DeletionUndo.h"

#include <ctime>

namespace kestrova {

struct ScratchBackup {
    explicit ScratchBackup(RegistryBackend& registry)
        : backup(registry, fs, [this] { return folder / "Backup\\"; }, [] { return std::time_t{1796000000}; }),
          undo(registry, fs)
    {
    }

    PlatformFileSystem fs;
    ScratchFolder folder{fs};
    DeletionBackup backup;
    DeletionUndo undo;
};

}  // namespace kestrova
