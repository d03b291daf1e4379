// Kestrova: start-up. One instance only; the main window runs the message loop until
// it is closed.
#include <windows.h>
#include <commctrl.h>

#include "app/ApplicationTitle.h"
#include "app/SingleInstance.h"
#include "app/Unit_Base.h"

namespace {

constexpr LCID kRussianLocale = 1049;

// The manifest asks for per-monitor DPI awareness; this covers a build that runs without it.
void BecomePerMonitorDpiAware()
{
    using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    auto setContext = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (setContext)
        setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

int RunMessageLoop(kestrova::TForm1& form)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.TranslateShortcut(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand)
{
    if (kestrova::IsAnotherInstanceRunning())
        return 0;
    SetThreadLocale(kRussianLocale);
    BecomePerMonitorDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    kestrova::TForm1 form;
    // The catalogues, settings and the version caption are wired into form.handlers here.
    form.FormCreate();
    form.Show(showCommand);
    return RunMessageLoop(form);
}
