// The deletions of this run, latest last, and putting the latest one back from its copy.
// A restore never overwrites: where something of the entry's name exists again it
// changes nothing. Nor does it trust the copy: one changed since it was written fails.
#pragma once

#include "catalogue/DeletionBackup.h"
#include "platform/FileSystem.h"
#include "platform/RegistryBackend.h"

#include <string>
#include <vector>

namespace kestrova {

enum class UndoResult { Restored, NameTaken, Failed, NothingToUndo };

class DeletionUndo {
public:
    DeletionUndo(RegistryBackend& registry, FileSystem& files);

    void Remember(DeletedEntry entry);
    bool CanUndo() const { return !deleted_.empty(); }
    // The deletion the next undo puts back; only while CanUndo().
    const DeletedEntry& Latest() const { return deleted_.back(); }

    // Puts the latest deletion back whole and forgets it. One that cannot be put back
    // stays the latest, with everything as it was.
    UndoResult UndoLatest();

private:
    // The copy's bytes into `contents`; false when it cannot be read or was changed.
    bool ReadUnchangedCopy(const DeletedEntry& entry, std::string& contents);
    UndoResult RestoreKey(const DeletedEntry& entry);
    UndoResult RestoreFile(const DeletedEntry& entry);

    RegistryBackend& registry_;
    FileSystem& files_;
    std::vector<DeletedEntry> deleted_;
};

}  // namespace kestrova
