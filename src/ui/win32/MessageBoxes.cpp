#include "ui/win32/MessageBoxes.h"

#include "platform/win32/WideString.h"

namespace kestrova {

int SystemMessageBox(HWND owner, const std::wstring& text, const std::wstring& title, UINT type)
{
    return MessageBoxW(owner, text.c_str(), title.c_str(), type);
}

bool AskConfirmation(const MessageBoxFunction& messageBox, HWND owner, const std::string& text)
{
    return messageBox(owner, Widen(text), L"Confirm", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

}  // namespace kestrova
