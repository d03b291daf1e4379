#include "appearance/win32/ControlStyles.h"

#include <commctrl.h>

#include <string>

#include "appearance/win32/PaintTools.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/ListView.h"

namespace kestrova {

namespace {

struct HeaderItem {
    std::wstring text;
    int format = 0;
};

HeaderItem ItemOf(HWND header, int index)
{
    wchar_t buffer[256] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    SendMessageW(header, HDM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return {buffer, item.fmt};
}

LRESULT DrawHeader(const NMCUSTOMDRAW& draw, const ThemePalette& palette)
{
    HWND header = draw.hdr.hwndFrom;
    switch (draw.dwDrawStage) {
    case CDDS_PREPAINT: {
        // The space right of the last column too.
        RECT client;
        GetClientRect(header, &client);
        FillSolid(draw.hdc, client, palette.headerBackground);
        DrawLine(draw.hdc, client.left, client.bottom - 1, client.right, client.bottom - 1, palette.border);
        return CDRF_NOTIFYITEMDRAW;
    }
    case CDDS_ITEMPREPAINT: {
        RECT rect = draw.rc;
        Colour background = (draw.uItemState & CDIS_SELECTED) ? palette.buttonDown
                            : (draw.uItemState & CDIS_HOT)    ? palette.buttonHot
                                                              : palette.headerBackground;
        FillSolid(draw.hdc, rect, background);
        DrawLine(draw.hdc, rect.left, rect.bottom - 1, rect.right, rect.bottom - 1, palette.border);
        DrawLine(draw.hdc, rect.right - 1, rect.top, rect.right - 1, rect.bottom - 1, palette.border);
        const HeaderItem item = ItemOf(header, static_cast<int>(draw.dwItemSpec));
        InflateRect(&rect, -ScaleForDpi(6, WindowDpi(header)), 0);
        UINT align = (item.format & HDF_RIGHT) ? DT_RIGHT : (item.format & HDF_CENTER) ? DT_CENTER : DT_LEFT;
        DrawLabel(draw.hdc, header, item.text, rect, palette.headerText,
                  align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        return CDRF_SKIPDEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

// The sunken edge round the list, which the system draws in its own colours: a line
// in the border colour with the list's background inside it.
void PaintEdge(HWND list, const ThemePalette& palette)
{
    RECT window;
    GetWindowRect(list, &window);
    OffsetRect(&window, -window.left, -window.top);
    HDC dc = GetWindowDC(list);
    FrameSolid(dc, window, palette.border);
    const int edge = GetSystemMetrics(SM_CXEDGE);
    for (int ring = 1; ring < edge; ++ring) {
        InflateRect(&window, -1, -1);
        FrameSolid(dc, window, palette.listBackground);
    }
    ReleaseDC(list, dc);
}

// Sent to a control to learn whether it is a styled list: such a list answers with its
// palette, any other control with 0.
constexpr UINT kPaletteQuery = WM_APP + 0x4B50;

LRESULT CALLBACK ListViewProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    if (message == kPaletteQuery)
        return static_cast<LRESULT>(data);
    if (message == WM_NOTIFY) {
        // The header reports its drawing to its parent, the list.
        const auto& notify = *reinterpret_cast<const NMHDR*>(lParam);
        if (notify.code == NM_CUSTOMDRAW && notify.hwndFrom == ListView_GetHeader(list))
            return DrawHeader(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam), PaletteOf(data));
    } else if (message == WM_NCPAINT) {
        LRESULT result = DefSubclassProc(list, message, wParam, lParam);
        if (GetWindowLongPtrW(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
            PaintEdge(list, PaletteOf(data));
        return result;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

LRESULT DrawItem(NMLVCUSTOMDRAW& draw, const ThemePalette& palette)
{
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    // A focused list keeps the system's highlight; without the focus the list would
    // use the system's face colour, which a dark list's text cannot be read on.
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw.nmcd.uItemState & CDIS_SELECTED) &&
        GetFocus() != draw.nmcd.hdr.hwndFrom) {
        draw.nmcd.uItemState &= ~CDIS_SELECTED;
        draw.clrTextBk = palette.inactiveSelection;
        draw.clrText = palette.listText;
    }
    // A row whose entry's file is missing is drawn in the muted colour.
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw.nmcd.lItemlParam & kDimmedRowFlag)) {
        draw.clrText = palette.mutedText;
        return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}

}  // namespace

bool DrawStyledListItem(LPARAM notify, LRESULT& result)
{
    const auto& header = *reinterpret_cast<const NMHDR*>(notify);
    if (header.code != static_cast<UINT>(NM_CUSTOMDRAW))
        return false;
    const auto* palette = reinterpret_cast<const ThemePalette*>(SendMessageW(header.hwndFrom, kPaletteQuery, 0, 0));
    if (!palette)
        return false;
    result = DrawItem(*reinterpret_cast<NMLVCUSTOMDRAW*>(notify), *palette);
    return true;
}

void ApplyListViewStyle(HWND list, const ThemePalette& palette)
{
    ListView_SetBkColor(list, palette.listBackground);
    ListView_SetTextColor(list, palette.listText);
    ListView_SetTextBkColor(list, palette.listBackground);
    SetPaletteSubclass(list, ListViewProc, palette);
    RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace kestrova
