// The About window's frame, its controls built from the component model, the icon and
// fonts, and the placement of everything at the window's DPI.
#include "about/AboutWindow.h"

#include <commctrl.h>

#include <utility>

#include "platform/win32/WideString.h"

namespace kestrova {

namespace {

// Layout at 96 DPI.
constexpr int kClientWidth = 334;
constexpr int kClientHeight = 161;
constexpr int kBodyHeight = 126;
constexpr int kPanelInset = 4;  // the labels' and the button's distance from their panel's edges
constexpr int kLabelsTop = 10;
constexpr int kVersionHeight = 20;
constexpr int kLineHeight = 17;
constexpr int kIconLeft = 12;
constexpr int kIconTop = 14;
constexpr int kIconSize = 32;
constexpr int kFontHeight = -11;  // Segoe UI, 8 points

// A fixed single border with the close box only; its own taskbar button.
constexpr DWORD kFormStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_APPWINDOW;

}  // namespace

void AboutWindow::CreateComponents()
{
    // No owner: like the desktop's own windows, it stands on its own in the taskbar.
    CreateTopLevel(Widen(model_.Caption()), kClientWidth, kClientHeight, kFormStyle, kFormExStyle);
    RequestRoundedCorners();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const Component& component : model_.Components()) {
        const std::wstring caption = Widen(component.Get(TextAttribute::Caption));
        HWND control = nullptr;
        switch (component.kind) {
        case ComponentKind::TabControl:
            control = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                      Handle(), nullptr, instance, nullptr);
            break;
        case ComponentKind::Image:
        case ComponentKind::Label:
        case ComponentKind::LinkLabel: {
            // Links tell their clicks (and take the mouse); all draw themselves through the window.
            const DWORD notify = component.kind == ComponentKind::LinkLabel ? SS_NOTIFY : 0;
            control = CreateWindowExW(0, L"Static", caption.c_str(),
                                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_OWNERDRAW | notify, 0, 0, 0, 0,
                                      Handle(), nullptr, instance, nullptr);
            break;
        }
        case ComponentKind::Button:
            // IDOK, so that Enter presses it as in a dialog.
            control = CreateWindowExW(0, L"Button", caption.c_str(),
                                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)),
                                      instance, nullptr);
            break;
        default:
            break;
        }
        if (control)
            controls_[component.name] = control;
    }
    // The panels lie below the controls laid over them, the icon above the labels it overlaps.
    for (const char* panel : {"TabControlBody", "TabControlButtons"})
        SetWindowPos(ComponentHandle(panel), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(ComponentHandle("Image1"), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void AboutWindow::LoadProgramIcon()
{
    // The icon's own image for the size shown, rather than a smaller one stretched.
    const int size = Scale(kIconSize);
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, size, size, 0));
    if (icon_)
        DestroyIcon(icon_);
    icon_ = icon;
}

void AboutWindow::ApplyFonts()
{
    Font font(L"Segoe UI", kFontHeight, Dpi());
    Font linkFont(L"Segoe UI", kFontHeight, Dpi(), FW_NORMAL, true);
    Font buttonFont(L"Segoe UI", kFontHeight, Dpi(), FW_BOLD);
    for (const Component& component : model_.Components()) {
        HFONT chosen = component.kind == ComponentKind::LinkLabel ? linkFont.Handle()
                       : component.kind == ComponentKind::Button  ? buttonFont.Handle()
                                                                  : font.Handle();
        if (HWND control = ComponentHandle(component.name))
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), TRUE);
    }
    // The old fonts go only now that no control uses them any more.
    font_ = std::move(font);
    linkFont_ = std::move(linkFont);
    buttonFont_ = std::move(buttonFont);
}

void AboutWindow::LayoutControls()
{
    const int width = Scale(kClientWidth);
    const int bodyHeight = Scale(kBodyHeight);
    const int inset = Scale(kPanelInset);
    MoveWindow(ComponentHandle("TabControlBody"), 0, 0, width, bodyHeight, TRUE);
    MoveWindow(ComponentHandle("TabControlButtons"), 0, bodyHeight, width, Scale(kClientHeight) - bodyHeight, TRUE);
    MoveWindow(ComponentHandle("Image1"), Scale(kIconLeft), Scale(kIconTop), Scale(kIconSize), Scale(kIconSize), TRUE);

    // The labels in bands one below the other, across the panel.
    int top = Scale(kLabelsTop);
    for (const Component& component : model_.Components()) {
        if (component.kind != ComponentKind::Label && component.kind != ComponentKind::LinkLabel)
            continue;
        const int height = Scale(component.name == "LabelVersion" ? kVersionHeight : kLineHeight);
        MoveWindow(ComponentHandle(component.name), inset, top, width - 2 * inset, height, TRUE);
        top += height;
    }
    MoveWindow(ComponentHandle("Button1"), inset, bodyHeight + inset, width - 2 * inset,
               Scale(kClientHeight) - bodyHeight - 2 * inset, TRUE);
}

void AboutWindow::DpiChanged()
{
    // The fixed client area at the new DPI, whatever the frame around it became.
    const SIZE outer = OuterSizeForClient(Scale(kClientWidth), Scale(kClientHeight), kFormStyle, kFormExStyle, Dpi());
    SetWindowPos(Handle(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    LoadProgramIcon();
    ApplyFonts();
    LayoutControls();
}

}  // namespace kestrova
