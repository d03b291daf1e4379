// The one place where the core's UTF-8 strings meet the wide strings of Win32 calls.
#pragma once

#include <string>
#include <string_view>

namespace kestrova {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

}  // namespace kestrova
