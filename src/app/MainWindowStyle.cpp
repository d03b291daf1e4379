// The main window's look: each of its controls painted in a style's palette, the
// lists' grid lines, and the marks of the theme entries.
#include "app/MainWindow.h"

#include "appearance/win32/ControlStyles.h"

namespace kestrova {

void MainWindow::ApplyStyle(const ThemePalette& palette)
{
    for (const auto& [name, window] : namedWindows_) {
        switch (model_.Get(name).kind) {
        case ComponentKind::TabControl:
            ApplyTabControlStyle(window, palette);
            break;
        case ComponentKind::TabSheet:
            ApplySheetStyle(window, palette);
            break;
        case ComponentKind::GroupBox:
            ApplyGroupBoxStyle(window, palette);
            break;
        default:
            break;
        }
    }
    ApplyTabControlStyle(PageControlMenu.Handle(), palette);
    ApplySpeedButtonStyle(SpeedButton_GeneralMenu, palette);
    for (ListBinding& binding : bindings_) {
        ApplyListViewStyle(binding.list->Handle(), palette);
        ApplyStatusBarStyle(binding.statusBar->Handle(), palette);
    }
}

void MainWindow::SetGridLines(bool shown)
{
    for (ListBinding& binding : bindings_)
        binding.list->SetGridLines(shown);
}

}  // namespace kestrova
