// The three lists as the window binds them: each list with its status bar and popup
// menu; check-box changes, command enabling, popup menus and page switching.
#include "app/MainWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <exception>
#include <utility>

namespace kestrova {

void MainWindow::BindLists()
{
    bindings_ = {
        {&ListViewContextMenu, "ListViewContextMenu", &StatusBarMenu, "StatusBarMenu", "PopupMenuEdit",
         "GroupBoxMenuList"},
        {&ListViewNewMenu, "ListViewNewMenu", &StatusBarNewMenu, "StatusBarNewMenu", "PopupMenuNewMenu",
         "GroupBoxNewMenu"},
        {&ListViewSendTo, "ListViewSendTo", &StatusBarSendTo, "StatusBarSendTo", "PopupMenuSendTo", "GroupBoxSendTo"},
        {&ListViewMorePlaces, "ListViewMorePlaces", &StatusBarMorePlaces, "StatusBarMorePlaces", "PopupMenuMorePlaces",
         "GroupBoxMorePlaces"},
        {&ListViewWindows11Menu, "ListViewWindows11Menu", &StatusBarWindows11Menu, "StatusBarWindows11Menu",
         "PopupMenuWindows11Menu", "GroupBoxWindows11Menu"},
    };
}

MainWindow::ListBinding* MainWindow::BindingNamed(std::string_view name)
{
    for (ListBinding& binding : bindings_)
        if (binding.listName == name || binding.statusBarName == name)
            return &binding;
    return nullptr;
}

const MainWindow::ListBinding* MainWindow::BindingOf(HWND list) const
{
    for (const ListBinding& binding : bindings_)
        if (binding.list->Handle() == list)
            return &binding;
    return nullptr;
}

std::string_view MainWindow::StatusBarNameOf(const ListView& list) const
{
    const ListBinding* binding = BindingOf(list.Handle());
    return binding ? std::string_view(binding->statusBarName) : std::string_view();
}

void MainWindow::SetStatusPanelText(std::string_view statusBar, std::size_t panel, std::string text)
{
    model_.SetPanelText(statusBar, panel, std::move(text));
}

void MainWindow::ShowNeighbourPage(int step)
{
    const int count = PageControlMenu.PageCount();
    const int page = (PageControlMenu.ActivePageIndex() + step + count) % count;
    PageControlMenu.SetActivePageIndex(page);
    for (const ListBinding& binding : bindings_)
        if (GetParent(binding.list->Handle()) == PageControlMenu.Sheet(page))
            SetFocus(binding.list->Handle());
}

void MainWindow::ShowListPage(const ListView& list)
{
    for (int page = 0; page < PageControlMenu.PageCount(); ++page)
        if (GetParent(list.Handle()) == PageControlMenu.Sheet(page))
            PageControlMenu.SetActivePageIndex(page);
    SetFocus(list.Handle());
}

void MainWindow::UpdateListCommands(const ListView& list)
{
    const ListBinding* binding = BindingOf(list.Handle());
    if (!binding)
        return;
    const bool rowSelected = list.Count() > 0 && list.SelectedIndex() >= 0;
    for (const auto& [command, enabled] : {std::pair{Command::DeleteEntry, rowSelected},
                                          std::pair{Command::OpenEntryPlace, rowSelected},
                                          std::pair{Command::SwitchOnlyWithShift, rowSelected},
                                          std::pair{Command::RefreshList, true}})
        if (const Component* item = MenuItemWith(binding->popupMenu, command))
            menus_.SetEnabled(item->name, enabled);
}

void MainWindow::ListItemChecked(const ListBinding& binding, std::size_t index)
{
    if (!actions_ || index >= binding.list->Count())
        return;
    const bool checked = binding.list->Row(index).checked;
    bool switched = false;
    try {
        switched = actions_->SwitchRow(*binding.list, index, checked);
    } catch (const std::exception&) {
        // A failed switch says nothing; the box going back is the only sign.
    }
    if (!switched)
        binding.list->SetCheckedSilently(index, !checked);
}

bool MainWindow::ShowListMenu(HWND list, LPARAM position)
{
    const ListBinding* binding = BindingOf(list);
    if (!binding)
        return false;
    POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    // From the keyboard both coordinates are -1; a 64-bit lParam need not be -1 as a whole.
    if (at.x == -1 && at.y == -1) {  // at the selected row, else the list's corner
        RECT row{};
        int selected = binding->list->SelectedIndex();
        if (selected < 0 || !ListView_GetItemRect(list, selected, &row, LVIR_LABEL))
            row = {};
        at = {row.left, row.bottom};
        ClientToScreen(list, &at);
    }
    SetForegroundWindow(Handle());
    int command = TrackPopupMenu(menus_.Menu(binding->popupMenu), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0,
                                 Handle(), nullptr);
    if (command)
        ExecuteCommand(command);
    return true;
}

bool MainWindow::HandleListNotify(const NMHDR& header, LRESULT& result)
{
    for (ListBinding& binding : bindings_) {
        if (binding.list->HandleNotify(header, result))
            return true;
        if (header.hwndFrom == binding.list->Handle() && header.code == NM_CLICK)
            UpdateListCommands(*binding.list);
    }
    return false;
}

}  // namespace kestrova
