// Deleting with a copy first, and the undo command of the three lists: the popup
// menus' first item and Ctrl+Z, enabled while a deletion of this run can be put back.
#pragma once

#include "app/MainWindow.h"
#include "catalogue/DeletionBackup.h"
#include "catalogue/DeletionUndo.h"
#include "platform/FileSystem.h"
#include "platform/RegistryBackend.h"

#include <functional>
#include <string>

namespace kestrova {

class UndoDeleteCommand {
public:
    // `backupFolder` names the folder for the copies at each delete.
    UndoDeleteCommand(MainWindow& form, RegistryBackend& registry, FileSystem& files,
                      std::function<std::string()> backupFolder);

    // Connects the undo items and disables them: nothing is deleted yet.
    void Wire();

    DeletionBackup& Backup() { return backup_; }
    DeletionUndo& Undo() { return undo_; }

    // After a delete that went to the undo list.
    void Deleted() { UpdateItems(); }
    // Tells the user that nothing was deleted because its copy could not be written.
    void ReportBackupFailure(const BackupError& error);

    // Puts the latest deletion back, rebuilds its list and selects its row; says why
    // when it cannot.
    void UndoDeleteClick();

private:
    void UpdateItems();
    void Tell(const std::string& text);
    void ShowRestoredRow(const DeletedEntry& entry);

    MainWindow& form_;
    DeletionBackup backup_;
    DeletionUndo undo_;
};

}  // namespace kestrova
