#include "app/UndoDeleteCommand.h"

#include "catalogue/RegistryNames.h"
#include "platform/win32/WideString.h"
#include "product/ProductNames.h"

#include <ctime>
#include <string_view>

namespace kestrova {

namespace {

constexpr std::string_view kUndoItems[] = {"ContextMenuUndo", "NewMenuMenuUndo", "SendToMenuUndo"};

}  // namespace

UndoDeleteCommand::UndoDeleteCommand(MainWindow& form, RegistryBackend& registry, FileSystem& files,
                                     std::function<std::string()> backupFolder)
    : form_(form), backup_(registry, files, std::move(backupFolder), [] { return std::time(nullptr); }),
      undo_(registry, files)
{
}

void UndoDeleteCommand::Wire()
{
    form_.handlers.UndoDeleteClick = [this] { UndoDeleteClick(); };
    UpdateItems();
}

void UndoDeleteCommand::UpdateItems()
{
    for (std::string_view item : kUndoItems)
        form_.SetMenuItemEnabled(item, undo_.CanUndo());
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

void UndoDeleteCommand::UndoDeleteClick()
{
    if (!undo_.CanUndo())
        return;
    const DeletedEntry entry = undo_.Latest();
    switch (undo_.UndoLatest()) {
    case UndoResult::Restored:
        UpdateItems();
        ShowRestoredRow(entry);
        break;
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
}

void UndoDeleteCommand::ShowRestoredRow(const DeletedEntry& entry)
{
    ListView* list = &form_.ListViewSendTo;
    std::function<void()> rebuild = form_.handlers.LoadSendToList;
    if (entry.catalogue == kContextMenuKind) {
        list = &form_.ListViewContextMenu;
        rebuild = form_.handlers.LoadContextMenuList;
    } else if (entry.catalogue == kNewMenuKind) {
        list = &form_.ListViewNewMenu;
        rebuild = form_.handlers.LoadNewMenuList;
    }
    for (int page = 0; page < form_.PageControlMenu.PageCount(); ++page)
        if (GetParent(list->Handle()) == form_.PageControlMenu.Sheet(page))
            form_.PageControlMenu.SetActivePageIndex(page);
    SetFocus(list->Handle());
    if (rebuild)
        rebuild();
    for (std::size_t index = 0; index < list->Count(); ++index) {
        const EntryRow row = list->Row(index);
        for (const std::string& text : row.subItems) {
            if (text == entry.rowPath) {
                list->SelectAndFocusRow(index);
                return;
            }
        }
    }
}

}  // namespace kestrova
