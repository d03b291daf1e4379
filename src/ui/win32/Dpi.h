// Per-monitor DPI: layout values are written at 96 DPI and scaled to the window's
// monitor; fonts are made for one DPI and recreated when it changes.
#pragma once

#include <windows.h>

#include <string>

namespace kestrova {

inline constexpr UINT kDesignDpi = 96;

// The DPI of the window's monitor (96 where the system cannot say).
UINT WindowDpi(HWND window);

inline int ScaleForDpi(int value96, UINT dpi) { return MulDiv(value96, static_cast<int>(dpi), kDesignDpi); }

// Outer size of a window whose client area is `clientWidth` × `clientHeight` (already scaled).
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);

// An owned GDI font.
class Font {
public:
    Font() = default;
    // `height96` is the font height at 96 DPI (negative: character height, as LOGFONT);
    // `weight` as LOGFONT's (FW_BOLD for bold).
    Font(const std::wstring& face, int height96, UINT dpi, LONG weight = FW_NORMAL, bool underline = false);
    ~Font();
    Font(Font&& other) noexcept;
    Font& operator=(Font&& other) noexcept;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    HFONT Handle() const { return handle_; }

private:
    HFONT handle_ = nullptr;
};

}  // namespace kestrova
