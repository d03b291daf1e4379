#include "appearance/win32/PaintTools.h"

namespace kestrova {

namespace {

constexpr UINT_PTR kPaletteSubclassId = 1;

// An off-screen bitmap of the given size, selected into a DC like `compatibleWith`.
class OffscreenBitmap {
public:
    OffscreenBitmap(HDC compatibleWith, int width, int height)
        : dc_(CreateCompatibleDC(compatibleWith)), bitmap_(CreateCompatibleBitmap(compatibleWith, width, height)),
          previous_(SelectObject(dc_, bitmap_))
    {
    }
    ~OffscreenBitmap()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    OffscreenBitmap(const OffscreenBitmap&) = delete;
    OffscreenBitmap& operator=(const OffscreenBitmap&) = delete;

    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

// Selects the control's font into a DC for as long as it lives.
class ControlFont {
public:
    ControlFont(HDC dc, HWND control)
        : dc_(dc), previous_(SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))))
    {
    }
    ~ControlFont() { SelectObject(dc_, previous_); }
    ControlFont(const ControlFont&) = delete;
    ControlFont& operator=(const ControlFont&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace

void FillSolid(HDC dc, const RECT& rect, Colour colour)
{
    // An opaque empty text fills with the background colour without a brush to make.
    COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, Colour colour)
{
    RECT line = y1 == y2 ? RECT{x1, y1, x2, y1 + 1} : RECT{x1, y1, x1 + 1, y2};
    FillSolid(dc, line, colour);
}

void FrameSolid(HDC dc, const RECT& rect, Colour colour)
{
    DrawLine(dc, rect.left, rect.top, rect.right, rect.top, colour);
    DrawLine(dc, rect.left, rect.bottom - 1, rect.right, rect.bottom - 1, colour);
    DrawLine(dc, rect.left, rect.top, rect.left, rect.bottom, colour);
    DrawLine(dc, rect.right - 1, rect.top, rect.right - 1, rect.bottom, colour);
}

void DrawLabel(HDC dc, HWND control, const std::wstring& text, RECT rect, Colour colour, UINT format)
{
    ControlFont font(dc, control);
    int previousMode = SetBkMode(dc, TRANSPARENT);
    COLORREF previousColour = SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_NOPREFIX);
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
}

std::wstring ControlText(HWND control)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

SIZE MeasureLabel(HDC dc, HWND control, const std::wstring& text)
{
    ControlFont font(dc, control);
    RECT rect{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void SetPaletteSubclass(HWND control, SUBCLASSPROC procedure, const ThemePalette& palette)
{
    SetWindowSubclass(control, procedure, kPaletteSubclassId, reinterpret_cast<DWORD_PTR>(&palette));
    RedrawWindow(control, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

void PaintControl(HWND control, UINT message, WPARAM wParam, const std::function<void(HDC, const RECT&)>& paint)
{
    RECT client;
    GetClientRect(control, &client);
    if (message == WM_PRINTCLIENT) {
        paint(reinterpret_cast<HDC>(wParam), client);
        return;
    }
    PAINTSTRUCT paintInfo;
    HDC dc = BeginPaint(control, &paintInfo);
    {
        OffscreenBitmap offscreen(dc, client.right, client.bottom);
        paint(offscreen.Dc(), client);
        BitBlt(dc, 0, 0, client.right, client.bottom, offscreen.Dc(), 0, 0, SRCCOPY);
    }
    EndPaint(control, &paintInfo);
}

}  // namespace kestrova
