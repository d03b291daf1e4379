#include "ui/win32/GuiThreadCall.h"

namespace kestrova {

namespace {

UINT HandOverMessage()
{
    static const UINT message = RegisterWindowMessageW(L"Kestrova.RunOnWindowThread");
    return message;
}

}  // namespace

bool RunOnWindowThread(HWND window, const std::function<void()>& step)
{
    // A message sent to a window that has gone is not delivered; SendMessage then fails.
    if (!IsWindow(window))
        return false;
    DWORD_PTR ran = 0;
    SendMessageTimeoutW(window, HandOverMessage(), 0, reinterpret_cast<LPARAM>(&step), SMTO_BLOCK, INFINITE, &ran);
    return ran != 0;
}

bool RunHandedOverStep(UINT message, LPARAM lParam)
{
    if (message != HandOverMessage())
        return false;
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return true;
}

}  // namespace kestrova
