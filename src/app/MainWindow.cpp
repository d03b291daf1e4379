// The main window's life: creation and its steps, the model's texts on screen, the
// dialogs, and the dispatch of its messages to the files that handle them.
#include "app/MainWindow.h"

#include <commctrl.h>

#include <exception>

#include "product/ProductNames.h"
#include "app/GeneralErrorText.h"
#include "app/MainWindowComponents.h"
#include "platform/win32/WideString.h"

namespace kestrova {

MainWindow::MainWindow() : model_(BuildMainWindowComponents())
{
    BindLists();
    CreateFrame();
    CreateComponents();
    CreateShortcutTable();
    ApplyFonts();
    LayoutControls();
    model_.SetObserver(this);
}

MainWindow::~MainWindow()
{
    model_.SetObserver(nullptr);
    DestroyHandle();
    if (shortcuts_)
        DestroyAcceleratorTable(shortcuts_);
    if (imageListGeneral_)
        ImageList_Destroy(imageListGeneral_);
}

std::string MainWindow::LangText(std::string_view itemName) const
{
    return model_.Get(itemName).Get(TextAttribute::Caption);
}


void MainWindow::CaptionChanged(const std::string& caption) { SetWindowTextW(Handle(), Widen(caption).c_str()); }

void MainWindow::ComponentChanged(const Component& component)
{
    std::wstring caption = Widen(component.Get(TextAttribute::Caption));
    switch (component.kind) {
    case ComponentKind::SpeedButton:
        SpeedButton_GeneralMenu.SetCaption(caption);
        break;
    case ComponentKind::TabSheet:
        for (int page = 0; page < PageControlMenu.PageCount(); ++page)
            if (PageControlMenu.Sheet(page) == namedWindows_.at(component.name))
                PageControlMenu.SetSheetCaption(page, caption);
        break;
    case ComponentKind::GroupBox:
    case ComponentKind::CheckBox:
    case ComponentKind::Button:
    case ComponentKind::Label:
        SetWindowTextW(namedWindows_.at(component.name), caption.c_str());
        break;
    case ComponentKind::ListView:
        if (ListBinding* binding = BindingNamed(component.name))
            binding->list->ApplyColumnCaptions(component);
        break;
    case ComponentKind::StatusBar:
        if (ListBinding* binding = BindingNamed(component.name))
            binding->statusBar->ApplyPanels(component);
        break;
    case ComponentKind::MenuItem:
        menus_.ApplyCaption(component);
        break;
    default:
        break;
    }
}


void MainWindow::RunCreationStep(const std::function<void()>& step)
{
    // A failing step is reported and the next one still runs: one malformed registry
    // value must not leave the other lists empty or the stored options unread (and then
    // overwritten with the layout's values at close).
    try {
        if (step)
            step();
    } catch (const std::exception& error) {
        ShowGeneralError(error.what());
    }
}

void MainWindow::RunCreationSteps(const std::vector<std::function<void()>>& steps)
{
    PageControlMenu.SetActivePageIndex(0);
    for (const std::function<void()>& step : steps)
        RunCreationStep(step);
}

void MainWindow::FormMouseMove() { ReleaseGeneralMenuButton(); }

LRESULT MainWindow::HandleSystemCommand(WPARAM command, LPARAM position)
{
    LRESULT result = DefWindowProcW(Handle(), WM_SYSCOMMAND, command, position);
    // A restore that ends maximized (from a minimized maximized window) has no place to centre.
    if ((command & 0xFFF0) == SC_RESTORE && !IsZoomed(Handle()) && !IsIconic(Handle()))
        CenterOnDesktop();
    return result;
}


bool MainWindow::AskConfirmation(const std::string& text) { return kestrova::AskConfirmation(messageBox, Handle(), text); }

bool MainWindow::ConfirmDeletion(const std::string& prompt, const std::string& caption)
{
    return AskConfirmation(prompt + " [" + caption + "]");
}

void MainWindow::ShowGeneralError(const std::string& message)
{
    messageBox(Handle(), Widen(GeneralErrorText(message)), Widen(kApplicationTitle), MB_OK | MB_ICONERROR);
}


LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        LayoutControls();
        return 0;
    case WM_GETMINMAXINFO:
        LimitTrackSize(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_MOUSEMOVE:
        FormMouseMove();
        return 0;
    case WM_SYSCOMMAND:
        return HandleSystemCommand(wParam, lParam);
    case WM_SETTINGCHANGE:
        if (actions_)
            actions_->SystemSettingChanged();
        return 0;
    case WM_CONTEXTMENU:
        // Elsewhere, such as on the title bar, the system's own menu opens.
        if (ShowListMenu(reinterpret_cast<HWND>(wParam), lParam))
            return 0;
        return FormWindow::HandleMessage(message, wParam, lParam);
    case WM_COMMAND:
        HandleCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.hwndFrom == PageControlMenu.Handle() && header.code == TCN_SELCHANGE) {
            PageControlMenu.ShowSelectedSheet();
            return 0;
        }
        LRESULT result = 0;
        return HandleListNotify(header, result) ? result : 0;
    }
    case WM_CLOSE:
        try {
            if (actions_)
                actions_->Closing();
        } catch (const std::exception& error) {
            ShowGeneralError(error.what());
        }
        DestroyWindow(Handle());
        PostQuitMessage(0);
        return 0;
    default:
        return FormWindow::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace kestrova