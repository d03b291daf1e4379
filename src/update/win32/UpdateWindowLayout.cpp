// The update window's frame and controls built from its component model, their fonts,
// their places at the window's DPI, and their colours in a style's palette.
#include "update/win32/UpdateWindow.h"

#include <commctrl.h>

#include "appearance/win32/ControlStyles.h"
#include "platform/win32/WideString.h"
#include "ui/win32/SystemLibraryCalls.h"

namespace kestrova {

namespace {

// Layout at 96 DPI: four bands from top to bottom, each the full width.
constexpr int kClientWidth = 444;
constexpr int kClientHeight = 191;
constexpr int kButtonBandHeight = 37;
constexpr int kOptionBandHeight = 40;
constexpr int kProgressBandHeight = 21;

// A dialog frame with only the close box, and a taskbar button of its own. No
// WS_CLIPCHILDREN: a group box paints only its frame and relies on the window below it.
constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

struct Place {
    int left, top, width, height;  // within the band or group box that holds the control
};

// Places within their parent component; a band's own place is worked out from the bands.
Place PlaceOf(std::string_view name, int width)
{
    if (name == "LabelUpDate")
        return {8, 14, width - 16, 17};
    // The titles end at 220 and are right-aligned; their room reaches further left than the
    // design's so that a wider substitute font does not wrap them.
    if (name == "LabelLocalTitle")
        return {8, 38, 212, 15};
    if (name == "LabelLocalVersion")
        return {226, 38, 200, 15};
    if (name == "LabelServerTitle")
        return {8, 59, 212, 15};
    if (name == "LabelServerVersion")
        return {226, 59, 200, 15};
    if (name == "CheckBoxQuickUpdate")
        return {13, 16, 100, 17};
    if (name == "CheckBoxAutoCheck")
        return {125, 16, 170, 17};
    if (name == "CheckBoxAutoUpdate")
        return {301, 16, 137, 17};
    if (name == "ButtonDownload")
        return {90, 6, 95, 25};
    if (name == "ButtonClose")
        return {261, 6, 95, 25};
    return {0, 0, 0, 0};
}

// The bands, top to bottom: GroupBox1 takes what the others leave.
Place BandOf(std::string_view name, int width, int height)
{
    const int buttons = height - kButtonBandHeight;
    const int options = buttons - kOptionBandHeight;
    const int progress = options - kProgressBandHeight;
    if (name == "GroupBox1")
        return {0, 0, width, progress};
    if (name == "ProgressBarUpdate")
        return {0, progress, width, kProgressBandHeight};
    if (name == "GroupBoxOption")
        return {0, options, width, kOptionBandHeight};
    if (name == "TabControlButtons")
        return {0, buttons, width, kButtonBandHeight};
    return {0, 0, 0, 0};
}

struct ControlKind {
    const wchar_t* windowClass;
    DWORD style;
};

ControlKind KindOf(const Component& component)
{
    switch (component.kind) {
    case ComponentKind::GroupBox:
        return {L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS};
    case ComponentKind::Label:
        if (component.name == "LabelUpDate")
            return {L"STATIC", SS_CENTER | SS_NOPREFIX};
        if (component.name == "LabelLocalTitle" || component.name == "LabelServerTitle")
            return {L"STATIC", SS_RIGHT | SS_NOPREFIX};
        return {L"STATIC", SS_LEFT | SS_NOPREFIX};
    case ComponentKind::ProgressBar:
        return {PROGRESS_CLASSW, 0};
    case ComponentKind::CheckBox:
        return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
    case ComponentKind::TabControl:
        return {WC_TABCONTROLW, WS_CLIPSIBLINGS};
    case ComponentKind::Button:
        return {L"BUTTON", static_cast<DWORD>(WS_TABSTOP | (component.name == "ButtonDownload" ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON))};
    default:
        return {nullptr, 0};  // the hidden menu, the HTTP client and the taskbar display have no control
    }
}

}  // namespace

void UpdateWindow::CreateComponents()
{
    CreateTopLevel(Widen(model_.Caption()), kClientWidth, kClientHeight, kFormStyle, kFormExStyle);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const Component& component : model_.Components()) {
        const ControlKind kind = KindOf(component);
        if (!kind.windowClass)
            continue;
        // Every control is a child of the window itself, so its notifications come here;
        // group boxes and the button strip only frame the controls drawn over them.
        HWND control = CreateWindowExW(0, kind.windowClass, Widen(component.Get(TextAttribute::Caption)).c_str(),
                                       WS_CHILD | WS_VISIBLE | kind.style, 0, 0, 0, 0, Handle(),
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(component.name))),
                                       instance, nullptr);
        controls_[component.name] = control;
        // A later child lies below the earlier ones; what a band holds must lie above it.
        if (!component.parent.empty())
            SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    // Created checked, as the options are until the stored ones are loaded.
    for (const char* name : {"CheckBoxQuickUpdate", "CheckBoxAutoCheck", "CheckBoxAutoUpdate"})
        SetChecked(name, true);
    SendMessageW(Control("ProgressBarUpdate"), PBM_SETRANGE32, 0, 100);
}

void UpdateWindow::ApplyFonts()
{
    Font font(L"Segoe UI", -12, Dpi());
    Font boldFont(L"Segoe UI", -12, Dpi(), FW_BOLD);
    for (const auto& [name, control] : controls_) {
        const bool isBold = name == "LabelUpDate" || name == "LabelServerVersion";
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(isBold ? boldFont.Handle() : font.Handle()), TRUE);
    }
    // The old fonts go only now that no control uses them any more.
    font_ = std::move(font);
    boldFont_ = std::move(boldFont);
}

void UpdateWindow::LayoutControls()
{
    RECT client;
    GetClientRect(Handle(), &client);
    // Places are at 96 DPI within a client area of the design size.
    const int width = MulDiv(client.right, kDesignDpi, static_cast<int>(Dpi()));
    const int height = MulDiv(client.bottom, kDesignDpi, static_cast<int>(Dpi()));
    for (const Component& component : model_.Components()) {
        HWND control = Control(component.name);
        if (!control)
            continue;
        Place place = BandOf(component.name, width, height);
        if (!component.parent.empty()) {
            const Place band = BandOf(component.parent, width, height);
            place = PlaceOf(component.name, band.width);
            place.left += band.left;
            place.top += band.top;
        }
        MoveWindow(control, Scale(place.left), Scale(place.top), Scale(place.width), Scale(place.height), TRUE);
    }
}

void UpdateWindow::DpiChanged()
{
    ApplyFonts();
    LayoutControls();
}

void UpdateWindow::ApplyStyle(const ThemePalette& palette)
{
    palette_ = &palette;
    if (pageBrush_)
        DeleteObject(pageBrush_);
    pageBrush_ = CreateSolidBrush(palette.page);
    ApplyGroupBoxStyle(Control("GroupBox1"), palette);
    ApplyGroupBoxStyle(Control("GroupBoxOption"), palette);
    ApplyTabControlStyle(Control("TabControlButtons"), palette);
    // A themed progress bar keeps the theme's colours; without a theme it takes the palette's.
    HWND progress = Control("ProgressBarUpdate");
    SetSystemWindowTheme(progress, palette.dark ? L" " : nullptr, palette.dark ? L" " : nullptr);
    SendMessageW(progress, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(palette.listBackground));
    for (const Component& component : model_.Components()) {
        if (component.kind == ComponentKind::CheckBox) {
            // A themed check box draws its text in the theme's colour, which a dark
            // palette cannot change; the classic one takes the colour given to it.
            SetSystemWindowTheme(Control(component.name), palette.dark ? L"" : nullptr, palette.dark ? L"" : nullptr);
        } else if (component.kind == ComponentKind::Button) {
            SetSystemWindowTheme(Control(component.name), palette.dark ? L"DarkMode_Explorer" : nullptr, nullptr);
        }
    }
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT UpdateWindow::ColourStatic(HDC dc, HWND control)
{
    SetTextColor(dc, palette_->text);
    SetBkColor(dc, palette_->page);
    return reinterpret_cast<LRESULT>(pageBrush_);
}

}  // namespace kestrova
