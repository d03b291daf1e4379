#include "app/SendToTab.h"

#include "app/ListRebuild.h"

#include <string>

namespace kestrova {

namespace {

constexpr const char* kMenuEnabledItem = "SendToMenuEnabled";

// Built in, not translated: the question before the SendTo folder is emptied.
constexpr const char* kRestoreQuestion =
    "Восстановить все элементы SendTo по умолчанию?\r\n"
    "Будут удалены все пользовательские элементы и созданы стандартные.";

}  // namespace

SendToTab::SendToTab(MainWindow& form, RegistryBackend& registry, FileSystem& files, Shell& shell,
                     UndoDeleteCommand& deletions)
    : form_(form), deletions_(deletions), catalogue_(files, shell), menuSwitch_(registry, shell)
{
}

void SendToTab::Wire()
{
    MainWindowHandlers& hooks = form_.handlers;
    hooks.LoadSendToList = [this] { LoadSendToList(); };
    hooks.LoadSendToMenuState = [this] { LoadSendToMenuState(); };
    hooks.OnSendToItemChecked = [this](std::size_t index, bool checked) {
        return ListViewSendToItemChecked(index, checked);
    };
    hooks.SendToMenuUpdateClick = [this] { SendToMenuUpdateClick(); };
    hooks.SendToMenuRestoreDefaultClick = [this] { SendToMenuRestoreDefaultClick(); };
    hooks.SendToMenuEnabledClick = [this] { SendToMenuEnabledClick(); };
    hooks.SendToMenuOpenFolderClick = [this] { SendToMenuOpenFolderClick(); };
    hooks.SendToMenuDeleteClick = [this] { SendToMenuDeleteClick(); };
}

void SendToTab::LoadSendToList()
{
    RebuildList(form_, form_.ListViewSendTo, [this](RowSink& rows) { catalogue_.LoadRows(rows); });
}

void SendToTab::LoadSendToMenuState()
{
    // A value that cannot be read leaves the mark clear.
    form_.SetMenuItemChecked(kMenuEnabledItem, false);
    const bool on = !menuSwitch_.IsSendToMenuDisabled();
    form_.SetMenuItemChecked(kMenuEnabledItem, on);
}

bool SendToTab::ListViewSendToItemChecked(std::size_t index, bool checked)
{
    const ListView& list = form_.ListViewSendTo;
    if (form_.listRebuilding || index >= list.Count())
        return true;
    EntryRow row = list.Row(index);
    row.checked = checked;
    return catalogue_.SwitchRow(row);
}

void SendToTab::SendToMenuUpdateClick()
{
    LoadSendToList();
}

void SendToTab::SendToMenuRestoreDefaultClick()
{
    if (!form_.AskConfirmation(kRestoreQuestion))
        return;
    // A standard entry that cannot be created ends the command before the rebuild.
    catalogue_.RestoreDefaults();
    LoadSendToList();
}

void SendToTab::SendToMenuEnabledClick()
{
    menuSwitch_.SetSendToMenuEnabled(form_.MenuItemChecked(kMenuEnabledItem));
}

void SendToTab::SendToMenuOpenFolderClick()
{
    const ListView& list = form_.ListViewSendTo;
    const int selected = list.SelectedIndex();
    if (selected >= 0)
        catalogue_.ShowInExplorer(reinterpret_cast<WindowHandle>(form_.Handle()), list.Row(selected));
}

void SendToTab::SendToMenuDeleteClick()
{
    const ListView& list = form_.ListViewSendTo;
    const int selected = list.SelectedIndex();
    if (selected < 0)
        return;
    if (form_.ConfirmDeletion(form_.LangText("LangDeleteSendToMenu"), list.Row(selected).caption))
        DeleteSendToItem();
}

void SendToTab::DeleteSendToItem()
{
    const ListView& list = form_.ListViewSendTo;
    const int current = list.SelectedIndex();
    if (current < 0)
        return;
    const EntryRow row = list.Row(current);
    if (deletions_.DeleteWithCopy([&](DeletionBackup& backup, DeletionUndo& undo) {
            return catalogue_.DeleteSendToItem(row, backup, undo);
        }))
        LoadSendToList();
}

}  // namespace kestrova
