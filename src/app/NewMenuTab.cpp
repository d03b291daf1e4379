#include "app/NewMenuTab.h"

#include "app/ListRebuild.h"
#include "catalogue/NewMenuNames.h"
#include "platform/RegistryEditorJump.h"

namespace kestrova {

NewMenuTab::NewMenuTab(MainWindow& form, RegistryBackend& registry, FileSystem& files, Shell& shell,
                       UndoDeleteCommand& deletions)
    : form_(form), deletions_(deletions), registry_(registry), files_(files), shell_(shell), catalogue_(registry, shell)
{
}

void NewMenuTab::Wire()
{
    MainWindowHandlers& hooks = form_.handlers;
    hooks.LoadNewMenuList = [this] { LoadNewMenuList(); };
    hooks.OnNewMenuItemChecked = [this](std::size_t index, bool checked) {
        return ListViewNewMenuItemChecked(index, checked);
    };
    hooks.NewMenuMenuUpdateClick = [this] { NewMenuMenuUpdateClick(); };
    hooks.NewMenuMenuDeleteClick = [this] { NewMenuMenuDeleteClick(); };
    hooks.NewMenuRegOpenClick = [this] { NewMenuRegOpenClick(); };
}

void NewMenuTab::LoadNewMenuList()
{
    RebuildList(form_, form_.ListViewNewMenu, [this](RowSink& rows) { catalogue_.LoadRows(rows); });
}

bool NewMenuTab::ListViewNewMenuItemChecked(std::size_t index, bool checked)
{
    const ListView& list = form_.ListViewNewMenu;
    if (form_.listRebuilding || index >= list.Count())
        return true;
    EntryRow row = list.Row(index);
    row.checked = checked;
    return catalogue_.SwitchRow(row);
}

void NewMenuTab::NewMenuMenuUpdateClick()
{
    LoadNewMenuList();
}

void NewMenuTab::NewMenuMenuDeleteClick()
{
    const ListView& list = form_.ListViewNewMenu;
    const int selected = list.SelectedIndex();
    if (selected < 0)
        return;
    if (form_.ConfirmDeletion(form_.LangText("LangDeleteNewMenu"), list.Row(selected).caption))
        DeleteNewMenuItem();
}

void NewMenuTab::DeleteNewMenuItem()
{
    const ListView& list = form_.ListViewNewMenu;
    const int selected = list.SelectedIndex();
    if (selected < 0)
        return;
    const EntryRow row = list.Row(selected);
    if (deletions_.DeleteWithCopy([&](DeletionBackup& backup, DeletionUndo& undo) {
            return catalogue_.DeleteNewMenuItem(row, backup, undo);
        }))
        LoadNewMenuList();
}

void NewMenuTab::NewMenuRegOpenClick()
{
    const ListView& list = form_.ListViewNewMenu;
    const int selected = list.SelectedIndex();
    if (selected < 0)
        return;
    const EntryRow row = list.Row(selected);
    if (row.subItems.size() >= 3)
        OpenRegeditAt(registry_, files_, shell_, NewMenuSectionRoot(row.subItems[1]), row.subItems[2]);
}

}  // namespace kestrova
