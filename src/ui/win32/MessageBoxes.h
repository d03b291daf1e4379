// Message boxes go through a replaceable function, so that tests can read what
// would be shown without a modal box; and the shared Yes/No confirmation.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kestrova {

// Same contract as MessageBoxW: returns the button chosen (IDYES, IDOK, ...).
using MessageBoxFunction =
    std::function<int(HWND owner, const std::wstring& text, const std::wstring& title, UINT type)>;

int SystemMessageBox(HWND owner, const std::wstring& text, const std::wstring& title, UINT type);

// A modal Yes/No question with the standard title "Confirm", Yes the default button;
// true only when Yes is chosen.
bool AskConfirmation(const MessageBoxFunction& messageBox, HWND owner, const std::string& text);

}  // namespace kestrova
