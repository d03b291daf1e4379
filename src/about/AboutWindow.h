// The About window (component model name "Form8"): the program's icon, the main
// window's caption, the copyright line and four contact links, shown modally from the
// main window. It lives as long as the program; closing it only hides it.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "appearance/win32/AppStyle.h"
#include "platform/Shell.h"
#include "ui/ComponentModel.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/ModalLoop.h"

namespace kestrova {

class AboutWindow : public FormWindow, private ModelObserver, public StyledWindow {
public:
    // Creates the hidden window with the program icon and `copyright` (the executable's
    // LegalCopyright). `mainCaption` gives the main window's caption of the moment.
    AboutWindow(Shell& shell, std::string copyright, std::function<std::string()> mainCaption);
    ~AboutWindow() override;

    // The application's general error report, for an error that a handler let through.
    std::function<void(const std::string& message)> reportError;

    // The components; the language engine reads and writes their texts here.
    WindowModel& Model() { return model_; }
    // The control realising a component (labels, the image, the panels and the button).
    HWND ComponentHandle(std::string_view name) const;

    // Shows the window modally and returns once it is closed.
    void ShowModal();
    // Every showing: LabelVersion takes the main window's caption.
    void BeforeShowing();
    // A link label's click: the shell opens its target, owned by this window; a failure
    // is not reported.
    void LinkClick(std::string_view linkLabel);
    // Runs the command of a component (or of Enter and Escape, with none).
    void Run(Command command, std::string_view component);

    HWND StyledHandle() const override { return Handle(); }
    void ApplyStyle(const ThemePalette& palette) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged() override;
    void ReportUncaughtError(const std::exception& error) override;

private:
    void CaptionChanged(const std::string& caption) override;
    void ComponentChanged(const Component& component) override;

    // Layout: the controls from the model, the icon and fonts at the window's DPI.
    void CreateComponents();
    void LoadProgramIcon();
    void ApplyFonts();
    void LayoutControls();
    // Drawing of the owner-drawn labels, image and button.
    void DrawItem(const DRAWITEMSTRUCT& item) const;
    // The component a control realises, or null.
    const Component* ComponentOf(HWND control) const;
    void Close();

    Shell& shell_;
    std::function<std::string()> mainCaption_;
    WindowModel model_;
    std::map<std::string, HWND, std::less<>> controls_;
    const ThemePalette* palette_ = nullptr;
    HICON icon_ = nullptr;
    Font font_;
    Font linkFont_;
    Font buttonFont_;
    ModalLoop modal_;
};

}  // namespace kestrova
