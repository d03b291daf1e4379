#include "app/UndoDeleteCommand.h"

#include "catalogue/RegistryNames.h"
#include "platform/win32/WideString.h"
#include "product/ProductNames.h"

#include <ctime>

namespace kestrova {

UndoDeleteCommand::UndoDeleteCommand(MainWindow& form, RegistryBackend& registry, FileSystem& files,
                                     std::function<std::string()> backupFolder)
    : form_(form), backup_(registry, files, std::move(backupFolder), [] { return std::time(nullptr); }),
      undo_(registry, files)
{
    UpdateItems();
}

void UndoDeleteCommand::UpdateItems()
{
    form_.SetCommandEnabled(Command::UndoDelete, undo_.CanUndo());
}

void UndoDeleteCommand::Tell(const std::string& text)
{
    form_.messageBox(form_.Handle(), Widen(text), Widen(kApplicationTitle), MB_OK | MB_ICONWARNING);
}

bool UndoDeleteCommand::DeleteWithCopy(const std::function<bool(DeletionBackup&, DeletionUndo&)>& deleteEntry)
{
    try {
        if (!deleteEntry(backup_, undo_))
            return false;
    } catch (const BackupError& error) {
        ReportBackupFailure(error);
        return false;
    }
    UpdateItems();
    return true;
}

void UndoDeleteCommand::ReportBackupFailure(const BackupError& error)
{
    Tell(form_.LangText("LangBackupFailed") + "\n" + error.what());
}

std::optional<DeletedEntry> UndoDeleteCommand::UndoLatest()
{
    if (!undo_.CanUndo())
        return std::nullopt;
    const DeletedEntry entry = undo_.Latest();
    switch (undo_.UndoLatest()) {
    case UndoResult::Restored:
        UpdateItems();
        return entry;
    case UndoResult::NameTaken:
        Tell(form_.LangText("LangUndoNameTaken") + "\n" +
             (entry.kind == DeletedEntry::Kind::RegistryKey ? RootKeyName(entry.root) + "\\" + entry.path
                                                             : entry.path));
        break;
    case UndoResult::Failed:
        Tell(form_.LangText("LangUndoFailed") + "\n" + entry.backupFile);
        break;
    case UndoResult::NothingToUndo:
        break;
    }
    return std::nullopt;
}

}  // namespace kestrova
