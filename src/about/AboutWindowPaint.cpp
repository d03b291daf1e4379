// The About window's look: its panels, labels, icon and button in a style's palette.
#include "about/AboutWindow.h"

#include "appearance/win32/ControlStyles.h"
#include "appearance/win32/OwnerDrawnControls.h"

namespace kestrova {

void AboutWindow::ApplyStyle(const ThemePalette& palette)
{
    palette_ = &palette;
    for (const char* panel : {"TabControlBody", "TabControlButtons"})
        ApplyTabControlStyle(ComponentHandle(panel), palette);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void AboutWindow::DrawItem(const DRAWITEMSTRUCT& item) const
{
    if (item.CtlType == ODT_BUTTON) {
        PaintOwnerDrawnButton(item, palette_);
        return;
    }
    // Label texts are centred and stand at the foot of their band.
    const Component* label = ComponentOf(item.hwndItem);
    const LabelKind kind = label && label->kind == ComponentKind::LinkLabel ? LabelKind::Link : LabelKind::Plain;
    PaintOwnerDrawnLabel(item, palette_, kind, DT_CENTER | DT_BOTTOM);
    if (item.hwndItem == ComponentHandle("Image1") && icon_) {
        const RECT& box = item.rcItem;
        DrawIconEx(item.hDC, box.left, box.top, icon_, box.right - box.left, box.bottom - box.top, 0, nullptr,
                   DI_NORMAL);
    }
}

}  // namespace kestrova
