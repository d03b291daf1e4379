#include "ui/win32/FormWindow.h"


#include "ui/win32/Dpi.h"
#include "ui/win32/SystemLibraryCalls.h"

namespace kestrova {

namespace {

constexpr wchar_t kFormClass[] = L"KestrovaForm";
constexpr wchar_t kContainerClass[] = L"KestrovaContainer";

// Not in every SDK's headers: the window-corner attribute of Windows 11 and its "round" value.
constexpr DWORD kWindowCornerPreference = 33;
constexpr int kRoundCorners = 2;

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_DRAWITEM:
    // Passed on by DefWindowProc, a child's context menu request would name the sheet
    // instead of the control that was clicked.
    case WM_CONTEXTMENU:
        return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void RegisterClassOnce(const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, name, &existing))
        return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    windowClass.hIcon = LoadIconW(instance, L"MAINICON");
    if (!windowClass.hIcon)
        windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    RegisterClassExW(&windowClass);
}

}  // namespace

FormWindow::~FormWindow() { DestroyHandle(); }

void FormWindow::DestroyHandle()
{
    if (!hwnd_)
        return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

int FormWindow::Scale(int value96) const { return ScaleForDpi(value96, dpi_); }

void FormWindow::CreateTopLevel(const std::wstring& title, int clientWidth96, int clientHeight96,
                                DWORD style, DWORD exStyle)
{
    RegisterClassOnce(kFormClass, WindowProc);
    CreateWindowExW(exStyle, kFormClass, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                    clientWidth96, clientHeight96, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    dpi_ = WindowDpi(hwnd_);
    SIZE outer = OuterSizeForClient(Scale(clientWidth96), Scale(clientHeight96), style, exStyle, dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    CenterOnDesktop();
}

void FormWindow::CenterOnDesktop()
{
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormWindow::RequestRoundedCorners()
{
    int corners = kRoundCorners;
    SetDwmWindowAttribute(hwnd_, kWindowCornerPreference, &corners, sizeof corners);
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DPICHANGED) {
        dpi_ = HIWORD(wParam);
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        DpiChanged();
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        self->ReportUncaughtError(error);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

HWND CreateContainer(HWND parent)
{
    RegisterClassOnce(kContainerClass, ContainerProc);
    // No WS_CLIPCHILDREN: a group box paints only its frame and relies on the sheet below it.
    return CreateWindowExW(WS_EX_CONTROLPARENT, kContainerClass, L"",
                           WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace kestrova
