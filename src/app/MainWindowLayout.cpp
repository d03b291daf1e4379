// The main window's frame, its controls built from the component model, fonts, and
// the placement of everything at the window's DPI.
#include "app/MainWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "app/MainWindowIds.h"
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
// The strip above a list that has controls of its own: a check box, a note and a button.
constexpr int kControlStripHeight = 34;
constexpr int kControlHeight = 24;
constexpr int kCheckBoxWidth = 230;
constexpr int kButtonWidth = 170;

constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

BOOL CALLBACK SetChildFont(HWND child, LPARAM font)
{
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}

}  // namespace

void MainWindow::CreateFrame()
{
    CreateTopLevel(Widen(model_.Caption()), kClientWidth, kClientHeight, kFormStyle, 0);
    RequestRoundedCorners();
}

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
            SpeedButton_GeneralMenu.Create(parent, main_window_ids::kGeneralMenuButton);
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
        case ComponentKind::CheckBox:
        case ComponentKind::Button:
        case ComponentKind::Label: {
            const DWORD style = component.kind == ComponentKind::CheckBox ? WS_TABSTOP | BS_AUTOCHECKBOX
                                : component.kind == ComponentKind::Button ? WS_TABSTOP | BS_PUSHBUTTON
                                                                          : SS_LEFT;
            const int id = main_window_ids::kFirstPageControl + static_cast<int>(pageControls_.size());
            namedWindows_[component.name] = CreateWindowExW(
                0, component.kind == ComponentKind::Label ? L"STATIC" : L"BUTTON", caption.c_str(),
                WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
            pageControls_.push_back(component.name);
            break;
        }
        case ComponentKind::ImageList:
            imageListGeneral_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4);
            break;
        default:  // menus are built below; other kinds belong to other windows
            break;
        }
    }
    menus_.Build(model_, "PopupMenuLanguage", main_window_ids::kFirstMenuCommand);
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

    for (const ListBinding& binding : bindings_) {
        HWND sheetWindow = GetParent(binding.list->Handle());
        RECT sheet;
        GetClientRect(sheetWindow, &sheet);
        // A page with controls of its own has them in a strip above its group box.
        int strip = 0;
        for (const std::string& name : pageControls_)
            if (GetParent(namedWindows_.at(name)) == sheetWindow)
                strip = Scale(kControlStripHeight);
        if (strip) {
            const int margin = Scale(kMenuButtonMargin);
            const int controlTop = (strip - Scale(kControlHeight)) / 2;
            const int checkBoxWidth = Scale(kCheckBoxWidth);
            const int buttonWidth = Scale(kButtonWidth);
            for (const std::string& name : pageControls_) {
                HWND control = namedWindows_.at(name);
                const ComponentKind kind = model_.Get(name).kind;
                if (kind == ComponentKind::CheckBox)
                    MoveWindow(control, margin, controlTop, checkBoxWidth, Scale(kControlHeight), TRUE);
                else if (kind == ComponentKind::Button)
                    MoveWindow(control, std::max(0, static_cast<int>(sheet.right) - buttonWidth - margin), controlTop,
                               buttonWidth, Scale(kControlHeight), TRUE);
                else
                    MoveWindow(control, 2 * margin + checkBoxWidth, controlTop + Scale(4),
                               std::max(0, static_cast<int>(sheet.right) - checkBoxWidth - buttonWidth - 4 * margin),
                               Scale(kControlHeight), TRUE);
            }
        }
        int statusHeight = Scale(kStatusBarHeight);
        int groupHeight = std::max(0, static_cast<int>(sheet.bottom) - statusHeight - strip);
        MoveWindow(binding.statusBar->Handle(), 0, strip + groupHeight, sheet.right, statusHeight, TRUE);
        MoveWindow(namedWindows_.at(binding.groupBoxName), 0, strip, sheet.right, groupHeight, TRUE);
        int padding = Scale(kGroupBoxPadding);
        int top = strip + Scale(kGroupBoxCaptionSpace);
        MoveWindow(binding.list->Handle(), padding, top, std::max(0, static_cast<int>(sheet.right) - 2 * padding),
                   std::max(0, groupHeight - Scale(kGroupBoxCaptionSpace) - padding), TRUE);
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

void MainWindow::LimitTrackSize(MINMAXINFO& limits) const
{
    limits.ptMinTrackSize = {Scale(kMinOuterWidth), Scale(kMinOuterHeight)};
}

}  // namespace kestrova
