#include "app/ContextMenuTab.h"

#include "app/ListRebuild.h"
#include "platform/AppError.h"
#include "platform/RegistryEditorJump.h"

#include <string>

namespace kestrova {

ContextMenuTab::ContextMenuTab(MainWindow& form, RegistryBackend& registry, FileSystem& files, Shell& shell,
                               UndoDeleteCommand& deletions)
    : form_(form), deletions_(deletions), registry_(registry), files_(files), shell_(shell), catalogue_(registry, shell)
{
}

void ContextMenuTab::Wire()
{
    MainWindowHandlers& hooks = form_.handlers;
    hooks.LoadContextMenuList = [this] { LoadContextMenuList(); };
    hooks.OnContextMenuItemChecked = [this](std::size_t index, bool checked) {
        return ListViewContextMenuItemChecked(index, checked);
    };
    hooks.ContextMenuUpdateClick = [this] { ContextMenuUpdateClick(); };
    hooks.ContextMenuDeleteClick = [this] { ContextMenuDeleteClick(); };
    hooks.ContextMenuRegOpenClick = [this] { ContextMenuRegOpenClick(); };
}

void ContextMenuTab::LoadContextMenuList()
{
    std::string malformed;
    RebuildList(form_, form_.ListViewContextMenu,
                [this, &malformed](RowSink& rows) { malformed = catalogue_.LoadRows(rows); });
    if (!malformed.empty())
        throw AppError(malformed);
}

bool ContextMenuTab::ListViewContextMenuItemChecked(std::size_t index, bool checked)
{
    const ListView& list = form_.ListViewContextMenu;
    if (form_.listRebuilding || index >= list.Count())
        return true;
    EntryRow row = list.Row(index);
    row.checked = checked;
    return catalogue_.SwitchRow(row);
}

void ContextMenuTab::ContextMenuUpdateClick()
{
    LoadContextMenuList();
}

void ContextMenuTab::ContextMenuDeleteClick()
{
    const ListView& list = form_.ListViewContextMenu;
    const int selected = list.SelectedIndex();
    if (selected < 0)
        return;
    if (form_.ConfirmDeletion(form_.LangText("LangDeleteContextMenu"), list.Row(selected).caption))
        DeleteContextMenuItem();
}

void ContextMenuTab::DeleteContextMenuItem()
{
    const ListView& list = form_.ListViewContextMenu;
    const int current = list.SelectedIndex();
    if (current < 0)
        return;
    // A failed deletion, or a failed rebuild after it, changes nothing the user sees;
    // one stopped for want of its copy says so.
    const EntryRow row = list.Row(current);
    try {
        if (deletions_.DeleteWithCopy([&](DeletionBackup& backup, DeletionUndo& undo) {
                return catalogue_.DeleteContextMenuItem(row, backup, undo);
            }))
            LoadContextMenuList();
    } catch (const AppError&) {
    }
}

void ContextMenuTab::ContextMenuRegOpenClick()
{
    const ListView& list = form_.ListViewContextMenu;
    const int selected = list.SelectedIndex();
    if (selected < 0)
        return;
    const EntryRow row = list.Row(selected);
    if (row.subItems.size() >= 3)
        OpenRegeditAt(registry_, files_, shell_, row.subItems[1], row.subItems[2]);
}

}  // namespace kestrova
