// The main window (component model name "Form1"): title strip with the general-menu button, three tabs
// each holding a check-box list and its status bar, the popup menus, and the hooks
// through which the catalogues, settings, themes, languages and dialogs act on it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "appearance/win32/AppStyle.h"
#include "ui/ComponentModel.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/ListView.h"
#include "ui/win32/MenuSet.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/PageControl.h"
#include "ui/win32/SpeedButton.h"
#include "ui/win32/StatusBar.h"

namespace kestrova {

// What the rest of the program does on the window's events. Empty hooks do nothing.
struct MainWindowHandlers {
    // Steps of RunCreationSteps, run in this order (the first tab is shown after ComposeCaption).
    std::function<void()> SetPortableMode;
    std::function<void()> ComposeCaption;
    std::function<void()> LoadContextMenuList;
    std::function<void()> LoadSendToList;
    std::function<void()> LoadSendToMenuState;
    std::function<void()> LoadNewMenuList;
    std::function<void()> LoadSettings;

    std::function<void()> FormClose;        // saves the window settings
    std::function<void()> SystemSettingChanged;  // a system setting changed

    // A user changed the check box of row `index` to `checked`. Return false (or throw)
    // when the switch failed: the box is then set back without calling the hook again.
    std::function<bool(std::size_t index, bool checked)> OnContextMenuItemChecked;
    std::function<bool(std::size_t index, bool checked)> OnNewMenuItemChecked;
    std::function<bool(std::size_t index, bool checked)> OnSendToItemChecked;

    // Menu commands, named after their items. ThemeAuto/Light/Dark, CheckUpdateMenu and
    // AboutMenu release the general-menu button before their hook runs; radio and check
    // items have their mark set by the click before their hook runs.
    std::function<void()> ThemeAutoClick;
    std::function<void()> ThemeLightClick;
    std::function<void()> ThemeDarkClick;
    std::function<void()> CheckUpdateMenuClick;
    std::function<void()> AboutMenuClick;
    std::function<void()> ContextMenuUpdateClick;
    std::function<void()> ContextMenuRegOpenClick;
    std::function<void()> ContextMenuDeleteClick;
    std::function<void()> NewMenuMenuUpdateClick;
    std::function<void()> NewMenuRegOpenClick;
    std::function<void()> NewMenuMenuDeleteClick;
    std::function<void()> SendToMenuUpdateClick;
    std::function<void()> SendToMenuRestoreDefaultClick;
    std::function<void()> SendToMenuEnabledClick;
    std::function<void()> SendToMenuOpenFolderClick;
    std::function<void()> SendToMenuDeleteClick;
    // The undo item of every list's popup menu, and Ctrl+Z.
    std::function<void()> UndoDeleteClick;
    // An entry of the language sub-menu, by its index there.
    std::function<void(std::size_t index)> LanguageMenuItemClick;
};

class MainWindow : public FormWindow, private ModelObserver, public StyledWindow {
public:
    // Creates the window, hidden, with all its components; RunCreationSteps is run by the caller
    // once the hooks are wired.
    MainWindow();
    ~MainWindow() override;

    MainWindowHandlers handlers;
    // Every message box of the window goes through here.
    MessageBoxFunction messageBox = SystemMessageBox;
    // Set while a list is rebuilt: check-box changes are then ignored.
    bool listRebuilding = false;

    // The components; the language engine reads and writes their texts here.
    WindowModel& Model() { return model_; }
    const WindowModel& Model() const { return model_; }
    // The caption of a hidden Lang... item: a message text in the current language.
    std::string LangText(std::string_view itemName) const;

    SpeedButton SpeedButton_GeneralMenu;
    PageControl PageControlMenu;
    ListView ListViewContextMenu;
    ListView ListViewNewMenu;
    ListView ListViewSendTo;
    StatusBar StatusBarMenu;
    StatusBar StatusBarNewMenu;
    StatusBar StatusBarSendTo;

    void RunCreationSteps();
    void Show(int showCommand);

    // The status bar that belongs to a list, and writing a panel's text (panel 1: the count).
    std::string_view StatusBarNameOf(const ListView& list) const;
    void SetStatusPanelText(std::string_view statusBar, std::size_t panel, std::string text);

    void SpeedButton_GeneralMenuClick();
    void ReleaseGeneralMenuButton();
    void FormMouseMove();
    // Runs the system command as usual; a restored window is centred on the desktop again.
    LRESULT HandleSystemCommand(WPARAM command, LPARAM position);
    // Delete and Open are enabled exactly when the list has rows and one is selected.
    void UpdateListCommands(const ListView& list);

    bool AskConfirmation(const std::string& text);
    bool ConfirmDeletion(const std::string& prompt, const std::string& caption);
    // The application's general error report for an error nobody handled.
    void ShowGeneralError(const std::string& message);

    // Runs a menu item as a user's choice would: its own mark, then its handler.
    void ClickMenuItem(std::string_view itemName);
    bool MenuItemEnabled(std::string_view itemName) const { return menus_.Enabled(itemName); }
    void SetMenuItemEnabled(std::string_view itemName, bool enabled) { menus_.SetEnabled(itemName, enabled); }
    bool MenuItemChecked(std::string_view itemName) const { return menus_.Checked(itemName); }
    void SetMenuItemChecked(std::string_view itemName, bool checked) { menus_.SetChecked(itemName, checked); }
    HMENU PopupMenu(std::string_view name) const { return menus_.Menu(name); }

    // Look: every control painted in the palette; the three lists' grid lines; the
    // theme entries' marks cleared.
    HWND StyledHandle() const override { return Handle(); }
    void ApplyStyle(const ThemePalette& palette) override;
    void SetGridLines(bool shown);
    void UnCheckTheme();

    // The language sub-menu, filled at run time: "name<TAB>display name" entries.
    void ClearLanguageMenu();
    std::size_t AddLanguageMenuItem(const std::string& caption);
    std::size_t LanguageMenuItemCount() const { return languageItems_.size(); }
    std::string LanguageMenuItemCaption(std::size_t index) const { return languageItems_.at(index); }
    bool LanguageMenuItemChecked(std::size_t index) const;
    void SetLanguageMenuItemChecked(std::size_t index, bool checked);

    // The window's keyboard shortcuts: F1 anywhere in the window, a list's F5 and
    // Ctrl+O while that list has the focus, Ctrl+Tab and Ctrl+Shift+Tab to the next and
    // previous page, Ctrl+Z as the undo item while it is enabled. True when the message
    // was used.
    bool TranslateShortcut(MSG& message);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override;
    void ReportUncaughtError(const std::exception& error) override { ShowGeneralError(error.what()); }

private:
    struct ListBinding {
        ListView* list;
        const char* listName;
        StatusBar* statusBar;
        const char* statusBarName;
        const char* popupMenu;
        const char* refreshItem;
        const char* openItem;
        const char* deleteItem;
        std::function<bool(std::size_t, bool)> MainWindowHandlers::*checkHook;
    };

    void CaptionChanged(const std::string& caption) override;
    void ComponentChanged(const Component& component) override;

    // Layout: the frame, the controls from the model, fonts and placement.
    void CreateFrame();
    void CreateComponents();
    HWND ContainerOf(const Component& component) const;
    void ApplyFonts();
    void LayoutControls();
    void LimitTrackSize(MINMAXINFO& limits) const;

    // Commands: menu items, the button and the shortcuts.
    void CreateShortcutTable();
    void HandleCommand(int id, int notification);
    void ExecuteCommand(int commandId);

    // Lists: each list bound to its status bar, popup menu and commands.
    void BindLists();
    // Passes a notification to the list it came from; true when that list used it.
    bool HandleListNotify(const NMHDR& header, LRESULT& result);
    // Shows the page `step` pages on, wrapping round, and gives its list the focus.
    void ShowNeighbourPage(int step);
    // Opens the popup menu of the list the click was in; false when it was in no list.
    bool ShowListMenu(HWND list, LPARAM position);
    void ListItemChecked(const ListBinding& binding, std::size_t index);
    const ListBinding* BindingOf(HWND list) const;
    ListBinding* BindingNamed(std::string_view listOrStatusBar);
    void RunCreationStep(const std::function<void()>& step);

    WindowModel model_;
    MenuSet menus_;
    Font font_;
    Font buttonFont_;
    std::map<std::string, HWND, std::less<>> namedWindows_;  // title strip, tab sheets, group boxes
    HIMAGELIST imageListGeneral_ = nullptr;
    HACCEL shortcuts_ = nullptr;
    std::vector<ListBinding> bindings_;
    std::vector<std::string> languageItems_;
};

}  // namespace kestrova
