// The main window's look: each of its controls painted in a style's palette, the
// lists' grid lines, and the marks of the theme entries.
#include "app/MainWindow.h"

#include "appearance/win32/ControlStyles.h"
#include "ui/win32/SystemLibraryCalls.h"

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
        case ComponentKind::CheckBox:
            // A themed check box draws its text in the theme's colour, which a dark palette
            // cannot change; the classic one takes the sheet's colours.
            SetSystemWindowTheme(window, palette.dark ? L"" : nullptr, palette.dark ? L"" : nullptr);
            InvalidateRect(window, nullptr, TRUE);
            break;
        case ComponentKind::Button:
            SetSystemWindowTheme(window, palette.dark ? L"DarkMode_Explorer" : nullptr, nullptr);
            InvalidateRect(window, nullptr, TRUE);
            break;
        case ComponentKind::Label:
            InvalidateRect(window, nullptr, TRUE);
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
