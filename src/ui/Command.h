// What a menu item, button, link or shortcut asks for. Components carry their command in
// the component model; each window runs the commands through one switch.
#pragma once

namespace kestrova {

enum class Command {
    None,
    // The main window's general menu.
    ThemeSystem,
    ThemeLight,
    ThemeDark,
    CheckForUpdates,
    ShowAbout,
    // A list's popup menu: they act on the list whose menu it is.
    UndoDelete,
    RefreshList,
    OpenEntryPlace,
    DeleteEntry,
    RestoreSendToDefaults,
    SwitchSendToMenu,
    // The Windows 11 menu's check box and button.
    SwitchClassicMenu,
    RestartExplorer,
    SwitchOnlyWithShift,
    // The main window's keyboard.
    NextPage,
    PreviousPage,
    // The update and About windows.
    SwitchAutoCheck,
    SwitchAutoUpdate,
    SwitchQuickUpdate,
    DownloadUpdate,
    OpenLink,
    CloseWindow,
};

}  // namespace kestrova
