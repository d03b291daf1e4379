// A modal Yes/No question whose two buttons carry texts of our own (a language's words
// for Yes and No), with the information icon and Yes as the default button.
#pragma once

#include <windows.h>

#include <string>

namespace kestrova {

// True only when Yes is chosen; closing the box is No.
bool AskYesNo(HWND owner, const std::string& text, const std::string& title, const std::string& yes,
              const std::string& no);

}  // namespace kestrova
