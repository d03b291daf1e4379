#include "platform/win32/WideString.h"

#include "platform/Utf.h"

namespace kestrova {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide strings are UTF-16");

std::wstring Widen(std::string_view text)
{
    const std::u16string wide = Utf8ToUtf16(text);
    return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(std::wstring_view text)
{
    return Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

}  // namespace kestrova
