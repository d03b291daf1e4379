#include "appearance/win32/ControlStyles.h"

#include <commctrl.h>

#include <string>

#include "appearance/win32/PaintTools.h"
#include "ui/win32/Dpi.h"

namespace kestrova {

namespace {

// Only the frame and the caption: the box's inside belongs to the controls laid over
// it, which a group box does not clip, and to the sheet painted below it.
void PaintGroupBox(HWND groupBox, HDC dc, const ThemePalette& palette)
{
    RECT client;
    GetClientRect(groupBox, &client);
    const std::wstring caption = ControlText(groupBox);
    const SIZE text = MeasureLabel(dc, groupBox, caption.empty() ? L" " : caption);
    RECT frame = client;
    frame.top += text.cy / 2;
    FrameSolid(dc, frame, palette.border);
    if (caption.empty())
        return;
    const UINT dpi = WindowDpi(groupBox);
    const int gap = ScaleForDpi(2, dpi);
    const int left = ScaleForDpi(8, dpi);
    RECT label{left, client.top, left + text.cx + 2 * gap, client.top + text.cy};
    FillSolid(dc, label, palette.page);
    InflateRect(&label, -gap, 0);
    DrawLabel(dc, groupBox, caption, label, palette.text, DT_LEFT | DT_TOP | DT_SINGLELINE);
}

LRESULT CALLBACK GroupBoxProc(HWND groupBox, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(groupBox, &paint);
        PaintGroupBox(groupBox, dc, PaletteOf(data));
        EndPaint(groupBox, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintGroupBox(groupBox, reinterpret_cast<HDC>(wParam), PaletteOf(data));
        return 0;
    case WM_SETTEXT: {
        // The button would draw its new caption in its own look at once; the sheet
        // repaints the box instead, erasing a longer old caption on the way.
        SendMessageW(groupBox, WM_SETREDRAW, FALSE, 0);
        LRESULT result = DefSubclassProc(groupBox, message, wParam, lParam);
        SendMessageW(groupBox, WM_SETREDRAW, TRUE, 0);
        RECT box;
        GetWindowRect(groupBox, &box);
        MapWindowPoints(nullptr, GetParent(groupBox), reinterpret_cast<POINT*>(&box), 2);
        RedrawWindow(GetParent(groupBox), &box, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
        return result;
    }
    default:
        return DefSubclassProc(groupBox, message, wParam, lParam);
    }
}

// The sheet's surface, and the drawing of the list on it, which asks its parent.
LRESULT CALLBACK SheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    if (message == WM_ERASEBKGND || message == WM_PRINTCLIENT) {
        RECT client;
        GetClientRect(sheet, &client);
        FillSolid(reinterpret_cast<HDC>(wParam), client, PaletteOf(data).page);
        return 1;
    }
    if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
        // Labels and check boxes on the sheet: the palette's text on the page colour.
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, PaletteOf(data).text);
        SetBkColor(dc, PaletteOf(data).page);
        SetDCBrushColor(dc, PaletteOf(data).page);
        return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }
    LRESULT result = 0;
    if (message == WM_NOTIFY && DrawStyledListItem(lParam, result))
        return result;
    return DefSubclassProc(sheet, message, wParam, lParam);
}

}  // namespace

void ApplySheetStyle(HWND sheet, const ThemePalette& palette)
{
    SetPaletteSubclass(sheet, SheetProc, palette);
}

void ApplyGroupBoxStyle(HWND groupBox, const ThemePalette& palette)
{
    SetPaletteSubclass(groupBox, GroupBoxProc, palette);
}

}  // namespace kestrova
