// Labels and push buttons that their window draws itself (owner-drawn statics and
// buttons, answering WM_DRAWITEM), in a style's palette or, before any style is
// applied, in the system's colours.
#pragma once

#include <windows.h>

#include "appearance/ThemePalette.h"

namespace kestrova {

enum class LabelKind { Plain, Link };

// A single-line label: its surface, and its text placed by `alignment` (DT_ flags); a
// link in the link colour (its font brings the underline).
void PaintOwnerDrawnLabel(const DRAWITEMSTRUCT& item, const ThemePalette* palette, LabelKind kind, UINT alignment);
// A push button: flat in the palette, or the system's frame; pressed and focused
// states shown.
void PaintOwnerDrawnButton(const DRAWITEMSTRUCT& item, const ThemePalette* palette);

}  // namespace kestrova
