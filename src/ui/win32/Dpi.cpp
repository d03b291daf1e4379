#include "ui/win32/Dpi.h"

#include <utility>

namespace kestrova {

namespace {

// Looked up at run time so that the program still starts, and can say it needs
// Windows 10, on systems whose user32 lacks the per-monitor functions.
template <typename Function>
Function User32Function(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

UINT WindowDpi(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    if (dpi == 0) {
        HDC screen = GetDC(nullptr);
        dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
        ReleaseDC(nullptr, screen);
    }
    return dpi ? dpi : kDesignDpi;
}

SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi)
{
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

Font::Font(const std::wstring& face, int height96, UINT dpi, LONG weight, bool underline)
{
    LOGFONTW font{};
    font.lfHeight = ScaleForDpi(height96, dpi);
    font.lfWeight = weight;
    font.lfUnderline = underline;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    handle_ = CreateFontIndirectW(&font);
}

Font::~Font()
{
    if (handle_)
        DeleteObject(handle_);
}

Font::Font(Font&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

Font& Font::operator=(Font&& other) noexcept
{
    if (this != &other) {
        if (handle_)
            DeleteObject(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

}  // namespace kestrova
