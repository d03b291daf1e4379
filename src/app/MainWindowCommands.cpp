// The main window's menus and keyboard: the general-menu button, menu items run as a
// user's choice, the language sub-menu, and the shortcuts.
#include "app/MainWindow.h"

#include <iterator>

#include "app/MainWindowIds.h"
#include "platform/win32/WideString.h"

namespace kestrova {

namespace {

using namespace main_window_ids;

using Hook = std::function<void()> MainWindowHandlers::*;

struct MenuHandler {
    const char* item;
    Hook hook;
    bool releasesGeneralMenuButton;
};

constexpr MenuHandler kMenuHandlers[] = {
    {"ThemeAuto", &MainWindowHandlers::ThemeAutoClick, true},
    {"ThemeLight", &MainWindowHandlers::ThemeLightClick, true},
    {"ThemeDark", &MainWindowHandlers::ThemeDarkClick, true},
    {"CheckUpdateMenu", &MainWindowHandlers::CheckUpdateMenuClick, true},
    {"AboutMenu", &MainWindowHandlers::AboutMenuClick, true},
    {"ContextMenuUpdate", &MainWindowHandlers::ContextMenuUpdateClick, false},
    {"ContextMenuRegOpen", &MainWindowHandlers::ContextMenuRegOpenClick, false},
    {"ContextMenuDelete", &MainWindowHandlers::ContextMenuDeleteClick, false},
    {"NewMenuMenuUpdate", &MainWindowHandlers::NewMenuMenuUpdateClick, false},
    {"NewMenuRegOpen", &MainWindowHandlers::NewMenuRegOpenClick, false},
    {"NewMenuMenuDelete", &MainWindowHandlers::NewMenuMenuDeleteClick, false},
    {"SendToMenuUpdate", &MainWindowHandlers::SendToMenuUpdateClick, false},
    {"SendToMenuRestoreDefault", &MainWindowHandlers::SendToMenuRestoreDefaultClick, false},
    {"SendToMenuEnabled", &MainWindowHandlers::SendToMenuEnabledClick, false},
    {"SendToMenuOpenFolder", &MainWindowHandlers::SendToMenuOpenFolderClick, false},
    {"SendToMenuDelete", &MainWindowHandlers::SendToMenuDeleteClick, false},
    {"ContextMenuUndo", &MainWindowHandlers::UndoDeleteClick, false},
    {"NewMenuMenuUndo", &MainWindowHandlers::UndoDeleteClick, false},
    {"SendToMenuUndo", &MainWindowHandlers::UndoDeleteClick, false},
};

HACCEL CreateShortcuts(WORD aboutCommandId)
{
    ACCEL table[] = {
        {FVIRTKEY, VK_F1, aboutCommandId},
        {FVIRTKEY, VK_F5, kRefreshShortcut},
        {FVIRTKEY | FCONTROL, 'O', kOpenFolderShortcut},
        {FVIRTKEY | FCONTROL, 'Z', kUndoShortcut},
        {FVIRTKEY | FCONTROL, VK_TAB, kNextPageShortcut},
        {FVIRTKEY | FCONTROL | FSHIFT, VK_TAB, kPreviousPageShortcut},
    };
    return CreateAcceleratorTableW(table, static_cast<int>(std::size(table)));
}

}  // namespace

void MainWindow::CreateShortcutTable()
{
    shortcuts_ = CreateShortcuts(static_cast<WORD>(menus_.CommandId("AboutMenu")));
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

void MainWindow::ClickMenuItem(std::string_view itemName)
{
    const Component& item = model_.Get(itemName);
    menus_.ApplyAutoCheck(model_, item);
    for (const MenuHandler& handler : kMenuHandlers) {
        if (item.name != handler.item)
            continue;
        if (handler.releasesGeneralMenuButton)
            ReleaseGeneralMenuButton();
        if (const auto& hook = handlers.*handler.hook)
            hook();
    }
}

void MainWindow::ExecuteCommand(int commandId)
{
    if (commandId >= kFirstLanguageCommand && commandId < kFirstLanguageCommand + kMaxLanguageItems) {
        auto index = static_cast<std::size_t>(commandId - kFirstLanguageCommand);
        if (index < languageItems_.size() && handlers.LanguageMenuItemClick)
            handlers.LanguageMenuItemClick(index);
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

void MainWindow::HandleCommand(int id, int notification)
{
    if (id == kGeneralMenuButton && notification == BN_CLICKED) {
        SpeedButton_GeneralMenuClick();
    } else if (id == kRefreshShortcut) {
        if (const ListBinding* binding = BindingOf(GetFocus()))
            ClickMenuItem(binding->refreshItem);
    } else if (id == kOpenFolderShortcut) {
        if (GetFocus() == ListViewSendTo.Handle() && menus_.Enabled("SendToMenuOpenFolder"))
            ClickMenuItem("SendToMenuOpenFolder");
    } else if (id == kUndoShortcut) {
        if (menus_.Enabled("ContextMenuUndo"))
            ClickMenuItem("ContextMenuUndo");
    } else if (id == kNextPageShortcut || id == kPreviousPageShortcut) {
        ShowNeighbourPage(id == kNextPageShortcut ? 1 : -1);
    } else {
        ExecuteCommand(id);
    }
}

}  // namespace kestrova
