// The main window (component model name "Form1"): title strip with the general-menu button, three tabs
// each holding a check-box list and its status bar, and the popup menus. Every command and
// event goes to the program behind it, through MainWindowActions.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "appearance/win32/AppStyle.h"
#include "ui/Command.h"
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

// The program behind the main window: it runs the window's commands and answers its
// events, and the window shows what it sets.
class MainWindowActions {
public:
    virtual ~MainWindowActions() = default;
    // A menu item's or shortcut's command; `list` is the list whose popup menu or
    // shortcut gave it, null for the general menu.
    virtual void Run(Command command, const ListView* list) = 0;
    // A user changed the box of row `index` of `list` to `checked`. False (or an error)
    // when the switch failed: the box is then set back without asking again.
    virtual bool SwitchRow(const ListView& list, std::size_t index, bool checked) = 0;
    // An entry of the language sub-menu, by its index there.
    virtual void ChooseLanguage(std::size_t index) = 0;
    virtual void SystemSettingChanged() = 0;
    // The window is closing: its options are saved.
    virtual void Closing() = 0;
};

class MainWindow : public FormWindow, private ModelObserver, public StyledWindow {
public:
    // Creates the window, hidden, with all its components; the caller runs its creation
    // steps once the actions are set.
    MainWindow();
    ~MainWindow() override;

    // Where the window's commands and events go; none: they do nothing.
    void SetActions(MainWindowActions* actions) { actions_ = actions; }
    // Every message box of the window goes through here.
    MessageBoxFunction messageBox = SystemMessageBox;

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
    ListView ListViewMorePlaces;
    ListView ListViewWindows11Menu;
    StatusBar StatusBarMenu;
    StatusBar StatusBarNewMenu;
    StatusBar StatusBarSendTo;
    StatusBar StatusBarMorePlaces;
    StatusBar StatusBarWindows11Menu;

    // Shows the first page, then runs each step in order; a failing step is reported and
    // the next one still runs.
    void RunCreationSteps(const std::vector<std::function<void()>>& steps);
    void Show(int showCommand);

    // The status bar that belongs to a list, and writing a panel's text (panel 1: the count).
    std::string_view StatusBarNameOf(const ListView& list) const;
    void SetStatusPanelText(std::string_view statusBar, std::size_t panel, std::string text);
    // Shows the page that holds `list` and gives the list the focus.
    void ShowListPage(const ListView& list);

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

    // Runs a menu item as a user's choice would: an item of the general menu releases the
    // button first; then its command goes to the actions.
    void ClickMenuItem(std::string_view itemName);
    bool MenuItemEnabled(std::string_view itemName) const { return menus_.Enabled(itemName); }
    void SetMenuItemEnabled(std::string_view itemName, bool enabled) { menus_.SetEnabled(itemName, enabled); }
    bool MenuItemChecked(std::string_view itemName) const { return menus_.Checked(itemName); }
    void SetMenuItemChecked(std::string_view itemName, bool checked) { menus_.SetChecked(itemName, checked); }
    HMENU PopupMenu(std::string_view name) const { return menus_.Menu(name); }
    // The check boxes, buttons and labels on the pages, by component name.
    bool ControlChecked(std::string_view name) const;
    void SetControlChecked(std::string_view name, bool checked);
    bool ControlEnabled(std::string_view name) const;
    void SetControlEnabled(std::string_view name, bool enabled);
    bool ControlVisible(std::string_view name) const;
    void SetControlVisible(std::string_view name, bool visible);
    // Runs the control's command as a user's click would (a check box changes first).
    void ClickControl(std::string_view name);
    // Enables or disables every menu item that carries `command`.
    void SetCommandEnabled(Command command, bool enabled);

    // Look: every control painted in the palette; the three lists' grid lines.
    HWND StyledHandle() const override { return Handle(); }
    void ApplyStyle(const ThemePalette& palette) override;
    void SetGridLines(bool shown);

    // The language sub-menu, filled at run time: "name<TAB>display name" entries.
    void ClearLanguageMenu();
    std::size_t AddLanguageMenuItem(const std::string& caption);
    std::size_t LanguageMenuItemCount() const { return languageItems_.size(); }
    std::string LanguageMenuItemCaption(std::size_t index) const { return languageItems_.at(index); }
    bool LanguageMenuItemChecked(std::size_t index) const;
    void SetLanguageMenuItemChecked(std::size_t index, bool checked);

    // The window's keyboard shortcuts: F1 anywhere in the window, a list's F5 and
    // Ctrl+O while that list has the focus and its menu shows them, Ctrl+Tab and
    // Ctrl+Shift+Tab to the next and previous page, Ctrl+Z as the undo item while it is
    // enabled. True when the message was used.
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
        const char* groupBoxName;
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
    // A shortcut runs the menu item that shows it: for a list's shortcut the item of the
    // focused list's menu, else the window's first item with the command.
    void RunShortcut(Command command, bool forFocusedList);
    // The item of `menu` that carries `command`; null when none does.
    const Component* MenuItemWith(std::string_view menu, Command command) const;
    // The list whose popup menu holds `item`; null for the general menu.
    const ListView* ListOfMenuItem(const Component& item) const;
    bool InGeneralMenu(const Component& item) const;

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

    MainWindowActions* actions_ = nullptr;
    WindowModel model_;
    MenuSet menus_;
    Font font_;
    Font buttonFont_;
    std::map<std::string, HWND, std::less<>> namedWindows_;  // title strip, tab sheets, group boxes, page controls
    std::vector<std::string> pageControls_;  // check boxes, buttons and labels: id kFirstPageControl + index
    HIMAGELIST imageListGeneral_ = nullptr;
    HACCEL shortcuts_ = nullptr;
    std::vector<ListBinding> bindings_;
    std::vector<std::string> languageItems_;
};

}  // namespace kestrova
