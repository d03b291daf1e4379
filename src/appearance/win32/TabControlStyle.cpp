#include "appearance/win32/ControlStyles.h"

#include <commctrl.h>

#include <string>

#include "appearance/win32/PaintTools.h"
#include "ui/win32/Dpi.h"

namespace kestrova {

namespace {

std::wstring TabText(HWND tabs, int index)
{
    wchar_t buffer[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

bool ShowsFocus(HWND control)
{
    return GetFocus() == control && !(SendMessageW(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

void PaintTabs(HWND tabs, HDC dc, const RECT& client, const ThemePalette& palette)
{
    FillSolid(dc, client, palette.face);
    const int count = TabCtrl_GetItemCount(tabs);
    if (count == 0) {  // the title strip: a surface with a line at its foot
        DrawLine(dc, client.left, client.bottom - 1, client.right, client.bottom - 1, palette.border);
        return;
    }
    // The page's frame just outside the area the sheets cover.
    RECT page = client;
    TabCtrl_AdjustRect(tabs, FALSE, &page);
    InflateRect(&page, 1, 1);
    FillSolid(dc, page, palette.page);
    FrameSolid(dc, page, palette.border);

    const int selected = TabCtrl_GetCurSel(tabs);
    const int lift = ScaleForDpi(2, WindowDpi(tabs));
    for (int i = 0; i < count; ++i) {
        RECT tab{};
        TabCtrl_GetItemRect(tabs, i, &tab);
        std::wstring text = TabText(tabs, i);
        if (i != selected) {
            DrawLabel(dc, tabs, text, tab, palette.mutedText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            continue;
        }
        // The shown tab stands a little higher and opens into its page.
        RECT card{tab.left, tab.top - lift, tab.right, page.top + 1};
        FillSolid(dc, card, palette.page);
        DrawLine(dc, card.left, card.top, card.right, card.top, palette.border);
        DrawLine(dc, card.left, card.top, card.left, card.bottom, palette.border);
        DrawLine(dc, card.right - 1, card.top, card.right - 1, card.bottom, palette.border);
        RECT label{tab.left, tab.top - lift, tab.right, tab.bottom - lift};
        DrawLabel(dc, tabs, text, label, palette.text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (ShowsFocus(tabs)) {
            InflateRect(&label, -lift, -lift);
            DrawFocusRect(dc, &label);
        }
    }
}

}  // namespace

void ApplyTabControlStyle(HWND tabs, const ThemePalette& palette)
{
    SetPaletteSubclass(tabs, PaintedControlProc<PaintTabs>, palette);
}

}  // namespace kestrova
