#include "app/MainWindow.h"

#include <commctrl.h>
#include <dwmapi.h>
#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <utility>

#include "app/ApplicationTitle.h"
#include "app/MainWindowComponents.h"
#include "app/GeneralErrorText.h"
#include "platform/win32/WideString.h"

namespace kestrova {

namespace {

// Layout at 96 DPI.
constexpr int kClientWidth = 684;
constexpr int kClientHeight = 545;
constexpr int kMinOuterWidth = 700;
constexpr int kMinOuterHeight = 550;
constexpr int kTitleStripHeight = 32;
constexpr int kMenuButtonSize = 22;
constexpr int kMenuButtonMargin = 5;
constexpr int kStatusBarHeight = 19;
constexpr int kGroupBoxCaptionSpace = 18;
constexpr int kGroupBoxPadding = 4;

constexpr int kGeneralMenuButtonId = 10;
constexpr int kRefreshShortcutId = 900;
constexpr int kOpenFolderShortcutId = 901;
constexpr int kNextPageShortcutId = 902;
constexpr int kPreviousPageShortcutId = 903;
constexpr int kFirstMenuCommandId = 1000;
constexpr int kFirstLanguageCommandId = 20000;
constexpr int kMaxLanguageItems = 10000;

constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

// Not in every SDK's headers: the window-corner attribute of Windows 11 and its "round" value.
constexpr DWORD kWindowCornerPreference = 33;
constexpr int kRoundCorners = 2;

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
};

HACCEL CreateShortcuts(WORD aboutCommandId)
{
    ACCEL table[] = {
        {FVIRTKEY, VK_F1, aboutCommandId},
        {FVIRTKEY, VK_F5, kRefreshShortcutId},
        {FVIRTKEY | FCONTROL, 'O', kOpenFolderShortcutId},
        {FVIRTKEY | FCONTROL, VK_TAB, kNextPageShortcutId},
        {FVIRTKEY | FCONTROL | FSHIFT, VK_TAB, kPreviousPageShortcutId},
    };
    return CreateAcceleratorTableW(table, static_cast<int>(std::size(table)));
}

BOOL CALLBACK SetChildFont(HWND child, LPARAM font)
{
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}

}  // namespace

MainWindow::MainWindow() : model_(BuildMainWindowComponents())
{
    bindings_ = {
        {&ListViewContextMenu, "ListViewContextMenu", &StatusBarMenu, "StatusBarMenu", "PopupMenuEdit",
         "ContextMenuUpdate", "ContextMenuRegOpen", "ContextMenuDelete",
         &MainWindowHandlers::OnContextMenuItemChecked},
        {&ListViewNewMenu, "ListViewNewMenu", &StatusBarNewMenu, "StatusBarNewMenu", "PopupMenuNewMenu",
         "NewMenuMenuUpdate", "NewMenuRegOpen", "NewMenuMenuDelete", &MainWindowHandlers::OnNewMenuItemChecked},
        {&ListViewSendTo, "ListViewSendTo", &StatusBarSendTo, "StatusBarSendTo", "PopupMenuSendTo",
         "SendToMenuUpdate", "SendToMenuOpenFolder", "SendToMenuDelete", &MainWindowHandlers::OnSendToItemChecked},
    };
    CreateTopLevel(Widen(model_.Caption()), kClientWidth, kClientHeight, kFormStyle, 0);
    int corners = kRoundCorners;
    DwmSetWindowAttribute(Handle(), kWindowCornerPreference, &corners, sizeof corners);
    CreateComponents();
    shortcuts_ = CreateShortcuts(static_cast<WORD>(menus_.CommandId("AboutMenu")));
    ApplyFonts();
    LayoutControls();
    model_.SetObserver(this);
}

MainWindow::~MainWindow()
{
    model_.SetObserver(nullptr);
    DestroyHandle();
    if (shortcuts_)
        DestroyAcceleratorTable(shortcuts_);
    if (imageListGeneral_)
        ImageList_Destroy(imageListGeneral_);
}

std::string MainWindow::LangText(std::string_view itemName) const
{
    return model_.Get(itemName).Get(TextAttribute::Caption);
}

// ---- creation and layout ----

HWND MainWindow::ContainerOf(const Component& component) const
{
    // Controls sit directly on their tab sheet (a group box only frames them), so that
    // their notifications reach the window through the sheet.
    for (std::string parent = component.parent; !parent.empty();) {
        const Component& owner = model_.Get(parent);
        if (owner.kind == ComponentKind::TabSheet)
            return namedWindows_.at(owner.name);
        parent = owner.parent;
    }
    return Handle();
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

void MainWindow::CreateComponents()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const Component& component : model_.Components()) {
        HWND parent = ContainerOf(component);
        std::wstring caption = Widen(component.Get(TextAttribute::Caption));
        switch (component.kind) {
        case ComponentKind::TabControl:
            namedWindows_[component.name] =
                CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                parent, nullptr, instance, nullptr);
            break;
        case ComponentKind::SpeedButton:
            SpeedButton_GeneralMenu.Create(parent, kGeneralMenuButtonId);
            SpeedButton_GeneralMenu.SetCaption(caption);
            SetWindowPos(SpeedButton_GeneralMenu.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            break;
        case ComponentKind::PageControl:
            PageControlMenu.Create(parent, TCS_MULTILINE, Dpi());
            break;
        case ComponentKind::TabSheet:
            namedWindows_[component.name] = PageControlMenu.AddSheet(caption);
            break;
        case ComponentKind::GroupBox:
            namedWindows_[component.name] =
                CreateWindowExW(0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 0, 0,
                                parent, nullptr, instance, nullptr);
            break;
        case ComponentKind::ListView:
            if (ListBinding* binding = BindingNamed(component.name)) {
                ListView& list = *binding->list;
                list.Create(parent, component, Dpi());
                SetWindowPos(list.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
                list.onItemChecked = [this, binding](std::size_t index) { ListItemChecked(*binding, index); };
                list.onSelectionChanged = [this, &list] { UpdateListCommands(list); };
            }
            break;
        case ComponentKind::StatusBar:
            if (ListBinding* binding = BindingNamed(component.name))
                binding->statusBar->Create(parent, component, Dpi());
            break;
        case ComponentKind::ImageList:
            imageListGeneral_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4);
            break;
        case ComponentKind::PopupMenu:
        case ComponentKind::MenuItem:
            break;
        }
    }
    menus_.Build(model_, "PopupMenuLanguage", kFirstMenuCommandId);
}

void MainWindow::ApplyFonts()
{
    Font font(L"Segoe UI", -12, Dpi());
    Font buttonFont(L"Tahoma", -21, Dpi());
    EnumChildWindows(Handle(), SetChildFont, reinterpret_cast<LPARAM>(font.Handle()));
    SpeedButton_GeneralMenu.SetFont(buttonFont.Handle());
    // The old fonts go only now that no control uses them any more.
    font_ = std::move(font);
    buttonFont_ = std::move(buttonFont);
}

void MainWindow::LayoutControls()
{
    auto titleStrip = namedWindows_.find("TabControlTitle");
    if (titleStrip == namedWindows_.end())
        return;  // a size message while the window itself is being created
    RECT client;
    GetClientRect(Handle(), &client);
    int width = client.right;
    int height = client.bottom;
    int titleHeight = Scale(kTitleStripHeight);
    MoveWindow(titleStrip->second, 0, 0, width, titleHeight, TRUE);
    int buttonSize = Scale(kMenuButtonSize);
    int margin = Scale(kMenuButtonMargin);
    MoveWindow(SpeedButton_GeneralMenu.Handle(), width - buttonSize - margin, (titleHeight - buttonSize) / 2,
               buttonSize, buttonSize, TRUE);
    PageControlMenu.SetBounds({0, titleHeight, width, std::max(height, titleHeight)});

    static constexpr const char* kGroupBoxes[] = {"GroupBoxMenuList", "GroupBoxNewMenu", "GroupBoxSendTo"};
    for (std::size_t i = 0; i < bindings_.size(); ++i) {
        const ListBinding& binding = bindings_[i];
        RECT sheet;
        GetClientRect(GetParent(binding.list->Handle()), &sheet);
        int statusHeight = Scale(kStatusBarHeight);
        int groupHeight = std::max(0, static_cast<int>(sheet.bottom) - statusHeight);
        MoveWindow(binding.statusBar->Handle(), 0, groupHeight, sheet.right, statusHeight, TRUE);
        MoveWindow(namedWindows_.at(kGroupBoxes[i]), 0, 0, sheet.right, groupHeight, TRUE);
        int padding = Scale(kGroupBoxPadding);
        int top = Scale(kGroupBoxCaptionSpace);
        MoveWindow(binding.list->Handle(), padding, top, std::max(0, static_cast<int>(sheet.right) - 2 * padding),
                   std::max(0, groupHeight - top - padding), TRUE);
        binding.list->FitColumns();
    }
}

void MainWindow::DpiChanged()
{
    PageControlMenu.SetDpi(Dpi());
    ApplyFonts();
    for (ListBinding& binding : bindings_) {
        binding.list->SetDpi(Dpi());
        binding.statusBar->SetDpi(Dpi());
    }
    LayoutControls();
}

void MainWindow::Show(int showCommand)
{
    ShowWindow(Handle(), showCommand);
    UpdateWindow(Handle());
}

// ---- the model's texts on screen ----

void MainWindow::CaptionChanged(const std::string& caption) { SetWindowTextW(Handle(), Widen(caption).c_str()); }

void MainWindow::ComponentChanged(const Component& component)
{
    std::wstring caption = Widen(component.Get(TextAttribute::Caption));
    switch (component.kind) {
    case ComponentKind::SpeedButton:
        SpeedButton_GeneralMenu.SetCaption(caption);
        break;
    case ComponentKind::TabSheet:
        for (int page = 0; page < PageControlMenu.PageCount(); ++page)
            if (PageControlMenu.Sheet(page) == namedWindows_.at(component.name))
                PageControlMenu.SetSheetCaption(page, caption);
        break;
    case ComponentKind::GroupBox:
        SetWindowTextW(namedWindows_.at(component.name), caption.c_str());
        break;
    case ComponentKind::ListView:
        if (ListBinding* binding = BindingNamed(component.name))
            binding->list->ApplyColumnCaptions(component);
        break;
    case ComponentKind::StatusBar:
        if (ListBinding* binding = BindingNamed(component.name))
            binding->statusBar->ApplyPanels(component);
        break;
    case ComponentKind::MenuItem:
        menus_.ApplyCaption(component);
        break;
    default:
        break;
    }
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

// ---- creation steps ----

void MainWindow::RunCreationStep(const std::function<void()>& step)
{
    if (step)
        step();
}

void MainWindow::FormCreate()
{
    try {
        RunCreationStep(handlers.SetPortableMode);
        RunCreationStep(handlers.ComposeCaption);
        PageControlMenu.SetActivePageIndex(0);
        RunCreationStep(handlers.LoadContextMenuList);
        RunCreationStep(handlers.LoadSendToList);
        RunCreationStep(handlers.LoadSendToMenuState);
        RunCreationStep(handlers.LoadNewMenuList);
        RunCreationStep(handlers.LoadSettings);
    } catch (const std::exception& error) {
        ShowGeneralError(error.what());
    }
}

// ---- general menu button ----

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

void MainWindow::FormMouseMove() { ReleaseGeneralMenuButton(); }

LRESULT MainWindow::HandleSystemCommand(WPARAM command, LPARAM position)
{
    LRESULT result = DefWindowProcW(Handle(), WM_SYSCOMMAND, command, position);
    // A restore that ends maximized (from a minimized maximized window) has no place to centre.
    if ((command & 0xFFF0) == SC_RESTORE && !IsZoomed(Handle()) && !IsIconic(Handle()))
        CenterOnDesktop();
    return result;
}

// ---- lists ----

void MainWindow::ShowNeighbourPage(int step)
{
    const int count = PageControlMenu.PageCount();
    const int page = (PageControlMenu.ActivePageIndex() + step + count) % count;
    PageControlMenu.SetActivePageIndex(page);
    for (const ListBinding& binding : bindings_)
        if (GetParent(binding.list->Handle()) == PageControlMenu.Sheet(page))
            SetFocus(binding.list->Handle());
}

void MainWindow::UpdateListCommands(const ListView& list)
{
    const ListBinding* binding = BindingOf(list.Handle());
    if (!binding)
        return;
    bool rowSelected = list.Count() > 0 && list.SelectedIndex() >= 0;
    menus_.SetEnabled(binding->deleteItem, rowSelected);
    menus_.SetEnabled(binding->openItem, rowSelected);
    menus_.SetEnabled(binding->refreshItem, true);
}

void MainWindow::ListItemChecked(const ListBinding& binding, std::size_t index)
{
    const auto& hook = handlers.*binding.checkHook;
    if (FLoading || !hook || index >= binding.list->Count())
        return;
    bool checked = binding.list->Row(index).checked;
    bool switched = false;
    try {
        switched = hook(index, checked);
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

// ---- dialogs ----

bool MainWindow::AskConfirmation(const std::string& text) { return kestrova::AskConfirmation(messageBox, Handle(), text); }

bool MainWindow::ConfirmDeletion(const std::string& prompt, const std::string& caption)
{
    return AskConfirmation(prompt + " [" + caption + "]");
}

void MainWindow::ShowGeneralError(const std::string& message)
{
    messageBox(Handle(), Widen(GeneralErrorText(message)), Widen(kApplicationTitle), MB_OK | MB_ICONERROR);
}

// ---- menus and commands ----

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
    if (commandId >= kFirstLanguageCommandId && commandId < kFirstLanguageCommandId + kMaxLanguageItems) {
        auto index = static_cast<std::size_t>(commandId - kFirstLanguageCommandId);
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
    std::wstring text = Widen(caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.fType = MFT_RADIOCHECK;
    info.wID = static_cast<UINT>(kFirstLanguageCommandId + static_cast<int>(index));
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

// ---- messages ----

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        LayoutControls();
        return 0;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {Scale(kMinOuterWidth), Scale(kMinOuterHeight)};
        return 0;
    }
    case WM_MOUSEMOVE:
        FormMouseMove();
        return 0;
    case WM_SYSCOMMAND:
        return HandleSystemCommand(wParam, lParam);
    case WM_SETTINGCHANGE:
        if (handlers.WMSettingChange)
            handlers.WMSettingChange();
        return 0;
    case WM_CONTEXTMENU:
        // Elsewhere, such as on the title bar, the system's own menu opens.
        if (ShowListMenu(reinterpret_cast<HWND>(wParam), lParam))
            return 0;
        return FormWindow::HandleMessage(message, wParam, lParam);
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == kGeneralMenuButtonId && HIWORD(wParam) == BN_CLICKED) {
            SpeedButton_GeneralMenuClick();
        } else if (id == kRefreshShortcutId) {
            if (const ListBinding* binding = BindingOf(GetFocus()))
                ClickMenuItem(binding->refreshItem);
        } else if (id == kOpenFolderShortcutId) {
            if (GetFocus() == ListViewSendTo.Handle() && menus_.Enabled("SendToMenuOpenFolder"))
                ClickMenuItem("SendToMenuOpenFolder");
        } else if (id == kNextPageShortcutId || id == kPreviousPageShortcutId) {
            ShowNeighbourPage(id == kNextPageShortcutId ? 1 : -1);
        } else {
            ExecuteCommand(id);
        }
        return 0;
    }
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.hwndFrom == PageControlMenu.Handle() && header.code == TCN_SELCHANGE) {
            PageControlMenu.ShowSelectedSheet();
            return 0;
        }
        LRESULT result = 0;
        for (ListBinding& binding : bindings_) {
            if (binding.list->HandleNotify(header, result))
                return result;
            if (header.hwndFrom == binding.list->Handle() && header.code == NM_CLICK)
                UpdateListCommands(*binding.list);
        }
        return 0;
    }
    case WM_CLOSE:
        try {
            if (handlers.FormClose)
                handlers.FormClose();
        } catch (const std::exception& error) {
            ShowGeneralError(error.what());
        }
        DestroyWindow(Handle());
        PostQuitMessage(0);
        return 0;
    default:
        return FormWindow::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace kestrova
