// Deleting with a copy first, and the undo command of the three lists: the popup
// menus' first item and Ctrl+Z, enabled while a deletion of this run can be put back.
#pragma once

#include "app/MainWindow.h"
#include "catalogue/DeletionBackup.h"
#include "catalogue/DeletionUndo.h"
#include "platform/FileSystem.h"
#include "platform/RegistryBackend.h"

#include <functional>
#include <optional>
#include <string>

namespace kestrova {

class UndoDeleteCommand {
public:
    // `backupFolder` names the folder for the copies at each delete.
    UndoDeleteCommand(MainWindow& form, RegistryBackend& registry, FileSystem& files,
                      std::function<std::string()> backupFolder);


    // Runs a catalogue's delete with this command's copy and undo list; true when the
    // entry is gone. A delete stopped for want of its copy tells the user why.
    bool DeleteWithCopy(const std::function<bool(DeletionBackup&, DeletionUndo&)>& deleteEntry);

    // Puts the latest deletion back and returns it, for the tab that lists it to show;
    // says why when it cannot, and returns none.
    std::optional<DeletedEntry> UndoLatest();

private:
    // The undo items are enabled exactly while a deletion can be put back.
    void UpdateItems();
    void ReportBackupFailure(const BackupError& error);
    void Tell(const std::string& text);

    MainWindow& form_;
    DeletionBackup backup_;
    DeletionUndo undo_;
};

}  // namespace kestrova
