// Drawing helpers shared by the controls that are painted in a style's colours, and
// the subclass through which such a control keeps its palette.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "appearance/ThemePalette.h"

namespace kestrova {

void FillSolid(HDC dc, const RECT& rect, Colour colour);
// A line one pixel wide; horizontal or vertical, the end point excluded.
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, Colour colour);
void FrameSolid(HDC dc, const RECT& rect, Colour colour);
// `text` in the control's font, in `colour`, over what is already there.
void DrawLabel(HDC dc, HWND control, const std::wstring& text, RECT rect, Colour colour, UINT format);
// The control's window text.
std::wstring ControlText(HWND control);
// The size `text` takes in the control's font.
SIZE MeasureLabel(HDC dc, HWND control, const std::wstring& text);

// Gives `control` the subclass `procedure` painting with `palette` (or switches the
// palette of the one it has), and repaints it.
void SetPaletteSubclass(HWND control, SUBCLASSPROC procedure, const ThemePalette& palette);
inline const ThemePalette& PaletteOf(DWORD_PTR subclassData) { return *reinterpret_cast<const ThemePalette*>(subclassData); }

// Answers WM_PAINT, drawing off-screen and copying the result at once so nothing
// flickers, or WM_PRINTCLIENT, drawing into the DC it brings.
void PaintControl(HWND control, UINT message, WPARAM wParam, const std::function<void(HDC, const RECT&)>& paint);

// The subclass of a control that `Paint` draws whole, background included.
template <void (*Paint)(HWND control, HDC dc, const RECT& client, const ThemePalette& palette)>
LRESULT CALLBACK PaintedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        PaintControl(control, message, wParam,
                     [&](HDC dc, const RECT& client) { Paint(control, dc, client, PaletteOf(data)); });
        return 0;
    default:
        return DefSubclassProc(control, message, wParam, lParam);
    }
}

}  // namespace kestrova
