#include "appearance/win32/ControlStyles.h"

#include <commctrl.h>

#include <string>

#include "appearance/win32/PaintTools.h"
#include "ui/win32/Dpi.h"

namespace kestrova {

namespace {

std::wstring PartText(HWND statusBar, int part)
{
    auto length = LOWORD(SendMessageW(statusBar, SB_GETTEXTLENGTHW, part, 0));
    std::wstring text(length + 1u, L'\0');
    SendMessageW(statusBar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void PaintStatusBar(HWND statusBar, HDC dc, const RECT& client, const ThemePalette& palette)
{
    FillSolid(dc, client, palette.face);
    DrawLine(dc, client.left, client.top, client.right, client.top, palette.border);
    const UINT dpi = WindowDpi(statusBar);
    const int padding = ScaleForDpi(2, dpi);
    const int dividerInset = ScaleForDpi(3, dpi);
    const int parts = static_cast<int>(SendMessageW(statusBar, SB_GETPARTS, 0, 0));
    for (int part = 0; part < parts; ++part) {
        // The part's width from the status bar; its height is the bar's, whatever
        // height the bar would have chosen for itself.
        RECT rect{};
        SendMessageW(statusBar, SB_GETRECT, part, reinterpret_cast<LPARAM>(&rect));
        rect.top = client.top;
        rect.bottom = client.bottom;
        DrawLine(dc, rect.right - 1, rect.top + dividerInset, rect.right - 1, rect.bottom - dividerInset,
                 palette.border);
        // As the status bar itself reads them: one leading tab centres a text, two align it right.
        std::wstring text = PartText(statusBar, part);
        std::size_t tabs = text.find_first_not_of(L'\t');
        tabs = tabs == std::wstring::npos ? text.size() : tabs;
        UINT align = tabs >= 2 ? DT_RIGHT : tabs == 1 ? DT_CENTER : DT_LEFT;
        InflateRect(&rect, -padding, 0);
        DrawLabel(dc, statusBar, text.substr(tabs), rect, palette.text,
                  align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
}

}  // namespace

void ApplyStatusBarStyle(HWND statusBar, const ThemePalette& palette)
{
    SetPaletteSubclass(statusBar, PaintedControlProc<PaintStatusBar>, palette);
}

}  // namespace kestrova
