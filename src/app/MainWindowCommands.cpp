// The main window's menus and keyboard: the general-menu button, menu items run as a
// user's choice, the language sub-menu, and the shortcuts.
#include "app/MainWindow.h"

#include <iterator>

#include "app/MainWindowIds.h"
#include "platform/win32/WideString.h"

namespace kestrova {

namespace {

using namespace main_window_ids;

// The window's shortcuts; each one's accelerator id is kFirstShortcut plus its index.
struct ShortcutKey {
    BYTE flags;
    WORD key;
    Command command;
    bool forFocusedList;  // runs the item of the focused list's menu
};

constexpr ShortcutKey kShortcuts[] = {
    {FVIRTKEY, VK_F1, Command::ShowAbout, false},
    {FVIRTKEY, VK_F5, Command::RefreshList, true},
    {FVIRTKEY | FCONTROL, 'O', Command::OpenEntryPlace, true},
    {FVIRTKEY | FCONTROL, 'Z', Command::UndoDelete, false},
    {FVIRTKEY | FCONTROL, VK_TAB, Command::NextPage, false},
    {FVIRTKEY | FCONTROL | FSHIFT, VK_TAB, Command::PreviousPage, false},
};

HACCEL CreateShortcuts()
{
    ACCEL table[std::size(kShortcuts)];
    for (std::size_t i = 0; i < std::size(kShortcuts); ++i)
        table[i] = {kShortcuts[i].flags, kShortcuts[i].key, static_cast<WORD>(kFirstShortcut + static_cast<int>(i))};
    return CreateAcceleratorTableW(table, static_cast<int>(std::size(table)));
}

}  // namespace

void MainWindow::CreateShortcutTable()
{
    shortcuts_ = CreateShortcuts();
}

void MainWindow::SpeedButton_GeneralMenuClick()
{
    if (!SpeedButton_GeneralMenu.AllowAllUp()) {
        ReleaseGeneralMenuButton();
        EndMenu();
        return;
    }
    SpeedButton_GeneralMenu.SetAllowAllUp(false);
    SpeedButton_GeneralMenu.SetDown(true);
    // The menu's top right corner at the button's bottom right corner, in screen coordinates.
    RECT button;
    GetWindowRect(SpeedButton_GeneralMenu.Handle(), &button);
    SetForegroundWindow(Handle());
    int command = TrackPopupMenu(menus_.Menu("PopupMenu_General"), TPM_RIGHTALIGN | TPM_TOPALIGN | TPM_RETURNCMD,
                                 button.right, button.bottom, 0, Handle(), nullptr);
    if (command)
        ExecuteCommand(command);
}

void MainWindow::ReleaseGeneralMenuButton()
{
    SpeedButton_GeneralMenu.SetAllowAllUp(true);
    SpeedButton_GeneralMenu.SetDown(false);
}

bool MainWindow::InGeneralMenu(const Component& item) const
{
    for (const Component* at = &item; !at->parent.empty(); at = &model_.Get(at->parent))
        if (at->parent == "PopupMenu_General")
            return true;
    return false;
}

const ListView* MainWindow::ListOfMenuItem(const Component& item) const
{
    for (const ListBinding& binding : bindings_)
        if (item.parent == binding.popupMenu)
            return binding.list;
    return nullptr;
}

const Component* MainWindow::MenuItemWith(std::string_view menu, Command command) const
{
    for (const Component* item : model_.Children(menu))
        if (item->command == command)
            return item;
    return nullptr;
}

void MainWindow::SetCommandEnabled(Command command, bool enabled)
{
    for (const Component& component : model_.Components())
        if (component.kind == ComponentKind::MenuItem && component.command == command)
            menus_.SetEnabled(component.name, enabled);
}

bool MainWindow::ControlChecked(std::string_view name) const
{
    return SendMessageW(namedWindows_.find(name)->second, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::SetControlChecked(std::string_view name, bool checked)
{
    SendMessageW(namedWindows_.find(name)->second, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool MainWindow::ControlEnabled(std::string_view name) const { return IsWindowEnabled(namedWindows_.find(name)->second); }

void MainWindow::SetControlEnabled(std::string_view name, bool enabled)
{
    EnableWindow(namedWindows_.find(name)->second, enabled);
}

bool MainWindow::ControlVisible(std::string_view name) const
{
    return GetWindowLongW(namedWindows_.find(name)->second, GWL_STYLE) & WS_VISIBLE;
}

void MainWindow::SetControlVisible(std::string_view name, bool visible)
{
    ShowWindow(namedWindows_.find(name)->second, visible ? SW_SHOW : SW_HIDE);
}

void MainWindow::ClickControl(std::string_view name)
{
    // BM_CLICK sends the control's own BN_CLICKED, as a mouse click would.
    SendMessageW(namedWindows_.find(name)->second, BM_CLICK, 0, 0);
}

void MainWindow::ClickMenuItem(std::string_view itemName)
{
    const Component& item = model_.Get(itemName);
    if (item.command == Command::None)
        return;
    if (InGeneralMenu(item))
        ReleaseGeneralMenuButton();
    if (actions_)
        actions_->Run(item.command, ListOfMenuItem(item));
}

void MainWindow::ExecuteCommand(int commandId)
{
    if (commandId >= kFirstLanguageCommand && commandId < kFirstLanguageCommand + kMaxLanguageItems) {
        auto index = static_cast<std::size_t>(commandId - kFirstLanguageCommand);
        if (index < languageItems_.size() && actions_)
            actions_->ChooseLanguage(index);
        return;
    }
    std::string item = menus_.ItemName(commandId);
    if (!item.empty())
        ClickMenuItem(item);
}

void MainWindow::ClearLanguageMenu()
{
    HMENU menu = menus_.Menu("LanguageMenu");
    while (GetMenuItemCount(menu) > 0)
        DeleteMenu(menu, 0, MF_BYPOSITION);
    languageItems_.clear();
}

std::size_t MainWindow::AddLanguageMenuItem(const std::string& caption)
{
    std::size_t index = languageItems_.size();
    // A "&" in a file name is shown as such, never taken for an accelerator mark.
    std::wstring text;
    for (const wchar_t c : Widen(caption))
        text += c == L'&' ? std::wstring(L"&&") : std::wstring(1, c);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.fType = MFT_RADIOCHECK;
    info.wID = static_cast<UINT>(kFirstLanguageCommand + static_cast<int>(index));
    info.dwTypeData = text.data();
    HMENU menu = menus_.Menu("LanguageMenu");
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
    languageItems_.push_back(caption);
    return index;
}

bool MainWindow::LanguageMenuItemChecked(std::size_t index) const
{
    return GetMenuState(menus_.Menu("LanguageMenu"), static_cast<UINT>(index), MF_BYPOSITION) & MF_CHECKED;
}

void MainWindow::SetLanguageMenuItemChecked(std::size_t index, bool checked)
{
    CheckMenuItem(menus_.Menu("LanguageMenu"), static_cast<UINT>(index),
                  MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MainWindow::TranslateShortcut(MSG& message)
{
    if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd))
        return false;
    return TranslateAcceleratorW(Handle(), shortcuts_, &message) != 0;
}

void MainWindow::RunShortcut(Command command, bool forFocusedList)
{
    if (command == Command::NextPage || command == Command::PreviousPage) {
        ShowNeighbourPage(command == Command::NextPage ? 1 : -1);
        return;
    }
    const Component* item = nullptr;
    if (forFocusedList) {
        if (const ListBinding* binding = BindingOf(GetFocus()))
            item = MenuItemWith(binding->popupMenu, command);
    } else {
        for (const Component& component : model_.Components())
            if (component.kind == ComponentKind::MenuItem && component.command == command && !item)
                item = &component;
    }
    // Only an item that shows the keys answers them, and only while it is enabled.
    if (item && !item->menu.shortcut.empty() && menus_.Enabled(item->name))
        ClickMenuItem(item->name);
}

void MainWindow::HandleCommand(int id, int notification)
{
    const auto shortcut = static_cast<std::size_t>(id - kFirstShortcut);
    const auto control = static_cast<std::size_t>(id - kFirstPageControl);
    if (id == kGeneralMenuButton && notification == BN_CLICKED)
        SpeedButton_GeneralMenuClick();
    else if (id >= kFirstPageControl && control < pageControls_.size()) {
        if (notification == BN_CLICKED && actions_)
            actions_->Run(model_.Get(pageControls_[control]).command, nullptr);
    }
    else if (id >= kFirstShortcut && shortcut < std::size(kShortcuts))
        RunShortcut(kShortcuts[shortcut].command, kShortcuts[shortcut].forFocusedList);
    else
        ExecuteCommand(id);
}

}  // namespace kestrova
