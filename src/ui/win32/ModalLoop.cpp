#include "ui/win32/ModalLoop.h"

namespace kestrova {

namespace {

struct ThreadWindows {
    HWND modal;
    std::vector<HWND> disabled;
};

BOOL CALLBACK DisableOtherWindow(HWND window, LPARAM data)
{
    auto& windows = *reinterpret_cast<ThreadWindows*>(data);
    if (window != windows.modal && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        windows.disabled.push_back(window);
    }
    return TRUE;
}

}  // namespace

void ModalLoop::Run(HWND window)
{
    if (running_)
        return;
    running_ = true;
    ending_ = false;
    HWND previouslyActive = GetActiveWindow();
    ThreadWindows others{window, {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableOtherWindow, reinterpret_cast<LPARAM>(&others));
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);

    MSG message{};
    while (!ending_ && IsWindow(window)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1)
            break;
        if (IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }

    // The others first, so that hiding the window hands the activation back to them.
    for (HWND other : others.disabled)
        if (IsWindow(other))
            EnableWindow(other, TRUE);
    if (IsWindow(window))
        ShowWindow(window, SW_HIDE);
    if (previouslyActive && IsWindow(previouslyActive))
        SetActiveWindow(previouslyActive);
    running_ = false;
}

void ProcessPendingMessages()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace kestrova
