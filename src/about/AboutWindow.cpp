// The About window's life: creation, the modal showing, its handlers, the model's texts
// on screen and the dispatch of its messages.
#include "about/AboutWindow.h"

#include <exception>
#include <utility>

#include "about/AboutLinks.h"
#include "about/AboutWindowComponents.h"
#include "platform/win32/WideString.h"

namespace kestrova {

AboutWindow::AboutWindow(Shell& shell, std::string copyright, std::function<std::string()> mainCaption)
    : shell_(shell), mainCaption_(std::move(mainCaption)), model_(BuildAboutWindowComponents())
{
    model_.SetText("LabelCopyright", TextAttribute::Caption, std::move(copyright));
    CreateComponents();
    LoadProgramIcon();
    ApplyFonts();
    LayoutControls();
    model_.SetObserver(this);
}

AboutWindow::~AboutWindow()
{
    model_.SetObserver(nullptr);
    DestroyHandle();
    if (icon_)
        DestroyIcon(icon_);
}

HWND AboutWindow::ComponentHandle(std::string_view name) const
{
    auto control = controls_.find(name);
    return control == controls_.end() ? nullptr : control->second;
}

void AboutWindow::ShowModal()
{
    BeforeShowing();
    modal_.Run(Handle());
}

void AboutWindow::BeforeShowing() { model_.SetText("LabelVersion", TextAttribute::Caption, mainCaption_()); }

void AboutWindow::LinkClick(std::string_view linkLabel)
{
    for (const AboutLink& link : AboutLinks())
        if (link.component == linkLabel)
            shell_.OpenAsDesktopUser(link.target);  // a browser or mail program of ours would run elevated
    ProcessPendingMessages();
}

void AboutWindow::Run(Command command, std::string_view component)
{
    switch (command) {
    case Command::OpenLink:
        LinkClick(component);
        break;
    case Command::CloseWindow:
        Close();
        break;
    default:
        break;
    }
}

void AboutWindow::Close()
{
    if (modal_.Running())
        modal_.End();
    else
        ShowWindow(Handle(), SW_HIDE);
}

void AboutWindow::CaptionChanged(const std::string& caption) { SetWindowTextW(Handle(), Widen(caption).c_str()); }

void AboutWindow::ComponentChanged(const Component& component)
{
    if (HWND control = ComponentHandle(component.name); control && component.Has(TextAttribute::Caption)) {
        SetWindowTextW(control, Widen(component.Get(TextAttribute::Caption)).c_str());
        InvalidateRect(control, nullptr, TRUE);
    }
}

void AboutWindow::ReportUncaughtError(const std::exception& error)
{
    if (reportError)
        reportError(error.what());
}

const Component* AboutWindow::ComponentOf(HWND control) const
{
    for (const Component& component : model_.Components())
        if (control && ComponentHandle(component.name) == control)
            return &component;
    return nullptr;
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        // Enter and Escape come as IDOK and IDCANCEL; the button is IDOK itself.
        const int id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL)
            Run(Command::CloseWindow, {});
        else if (HIWORD(wParam) == STN_CLICKED)
            if (const Component* component = ComponentOf(reinterpret_cast<HWND>(lParam)))
                Run(component->command, component->name);
        return 0;
    }
    case WM_ACTIVATE:
        // Like a dialog's, the keyboard goes to the button whenever the window comes forward.
        if (LOWORD(wParam) != WA_INACTIVE) {
            SetFocus(ComponentHandle("Button1"));
            return 0;
        }
        return FormWindow::HandleMessage(message, wParam, lParam);
    case WM_SETCURSOR:
        if (const Component* component = ComponentOf(reinterpret_cast<HWND>(wParam));
            component && component->kind == ComponentKind::LinkLabel) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        return FormWindow::HandleMessage(message, wParam, lParam);
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CLOSE:
        Close();
        return 0;
    default:
        return FormWindow::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace kestrova
