// The controls of a window painted in a style's palette. Themed controls ignore colour
// messages and a theme's dark classes are not everywhere, so each control kind here is
// painted by its own code once a style is applied; applying another style repaints it.
#pragma once

#include <windows.h>

#include "appearance/ThemePalette.h"
#include "ui/win32/SpeedButton.h"

namespace kestrova {

// A tab control: its tabs, and the frame of its page; one without tabs is a plain strip.
void ApplyTabControlStyle(HWND tabs, const ThemePalette& palette);
// A status bar: its panels' texts and dividers.
void ApplyStatusBarStyle(HWND statusBar, const ThemePalette& palette);
// A flat speed button: its surface in each state, and its text.
void ApplySpeedButtonStyle(SpeedButton& button, const ThemePalette& palette);
// A tab sheet (a plain container): its surface.
void ApplySheetStyle(HWND sheet, const ThemePalette& palette);
// A group box: its frame and caption; the sheet below it shows through.
void ApplyGroupBoxStyle(HWND groupBox, const ThemePalette& palette);
// A report list view: its background and text through the list's own colour messages,
// and its column header drawn by custom draw.
void ApplyListViewStyle(HWND list, const ThemePalette& palette);
// For the parent of a styled list: draws the list's selected row in the palette while
// the list has no focus. True when `notify` was such a list's custom draw.
bool DrawStyledListItem(LPARAM notify, LRESULT& result);

}  // namespace kestrova
