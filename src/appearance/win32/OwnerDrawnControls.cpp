#include "appearance/win32/OwnerDrawnControls.h"

#include "appearance/win32/PaintTools.h"
#include "ui/win32/Dpi.h"

namespace kestrova {

namespace {

// Links are blue also in the system's colours, whatever its hot-tracking colour is.
constexpr Colour kSystemLinkColour = Rgb(0, 102, 204);

}  // namespace

void PaintOwnerDrawnLabel(const DRAWITEMSTRUCT& item, const ThemePalette* palette, LabelKind kind, UINT alignment)
{
    FillSolid(item.hDC, item.rcItem, palette ? palette->face : GetSysColor(COLOR_BTNFACE));
    Colour colour = palette ? palette->text : GetSysColor(COLOR_BTNTEXT);
    if (kind == LabelKind::Link)
        colour = palette ? palette->link : kSystemLinkColour;
    DrawLabel(item.hDC, item.hwndItem, ControlText(item.hwndItem), item.rcItem, colour, alignment | DT_SINGLELINE);
}

void PaintOwnerDrawnButton(const DRAWITEMSTRUCT& item, const ThemePalette* palette)
{
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;
    if (palette) {
        FillSolid(dc, rect, pressed ? palette->buttonDown : palette->page);
        FrameSolid(dc, rect, palette->border);
    } else {
        DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    }
    DrawLabel(dc, item.hwndItem, ControlText(item.hwndItem), rect,
              palette ? palette->text : GetSysColor(COLOR_BTNTEXT), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        const int inset = ScaleForDpi(3, WindowDpi(item.hwndItem));
        InflateRect(&rect, -inset, -inset);
        SetTextColor(dc, palette ? palette->text : GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, palette ? palette->page : GetSysColor(COLOR_BTNFACE));
        DrawFocusRect(dc, &rect);
    }
}

}  // namespace kestrova
