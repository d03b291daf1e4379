#include "ui/win32/SpeedButton.h"

#include <windowsx.h>

namespace kestrova {

namespace {

constexpr wchar_t kSpeedButtonClass[] = L"KestrovaSpeedButton";

void RegisterSpeedButtonClass(WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, kSpeedButtonClass, &windowClass))
        return;
    windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_HAND);
    windowClass.lpszClassName = kSpeedButtonClass;
    RegisterClassExW(&windowClass);
}

}  // namespace

void SpeedButton::Create(HWND parent, int commandId)
{
    RegisterSpeedButtonClass(WindowProc);
    hwnd_ = CreateWindowExW(0, kSpeedButtonClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(commandId)),
                            GetModuleHandleW(nullptr), this);
}

void SpeedButton::SetDown(bool down)
{
    if (down_ == down)
        return;
    down_ = down;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void SpeedButton::SetCaption(const std::wstring& caption)
{
    SetWindowTextW(hwnd_, caption.c_str());
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void SpeedButton::SetFont(HFONT font)
{
    font_ = font;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void SpeedButton::SetColours(std::optional<SpeedButtonColours> colours)
{
    colours_ = colours;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void SpeedButton::Click()
{
    SendMessageW(GetParent(hwnd_), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(hwnd_), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd_));
}

void SpeedButton::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    RECT rect;
    GetClientRect(hwnd_, &rect);
    if (colours_) {
        SetDCBrushColor(dc, down_ ? colours_->down : hot_ ? colours_->hot : colours_->face);
        FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    } else {
        FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
        if (down_) {
            DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
            OffsetRect(&rect, 1, 1);
        } else if (hot_) {
            DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
        }
    }
    wchar_t caption[64] = {};
    GetWindowTextW(hwnd_, caption, 64);
    HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours_ ? colours_->text : GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, caption, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(hwnd_, &paint);
}

LRESULT SpeedButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        if (!hot_) {
            hot_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
            TrackMouseEvent(&track);
            InvalidateRect(hwnd_, nullptr, TRUE);
        }
        return 0;
    case WM_MOUSELEAVE:
        hot_ = false;
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
        SetCapture(hwnd_);
        return 0;
    case WM_LBUTTONUP: {
        if (GetCapture() != hwnd_)
            return 0;
        ReleaseCapture();
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT rect;
        GetClientRect(hwnd_, &rect);
        if (PtInRect(&rect, point))
            Click();
        return 0;
    }
    case BM_CLICK:
        Click();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

LRESULT CALLBACK SpeedButton::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<SpeedButton*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<SpeedButton*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return self->HandleMessage(message, wParam, lParam);
}

}  // namespace kestrova
