// Code pages through MultiByteToWideChar and WideCharToMultiByte.
#include "platform/CodePage.h"

#include "platform/win32/WideString.h"

#include <windows.h>

namespace kestrova {

namespace {

constexpr unsigned kUtf8CodePage = 65001;

}  // namespace

unsigned AnsiCodePage() { return GetACP(); }

unsigned OemCodePage() { return GetOEMCP(); }

std::string CodePageToUtf8(std::string_view bytes, unsigned codePage)
{
    if (codePage == kUtf8CodePage || bytes.empty())
        return std::string(bytes);
    const int inLength = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), inLength, nullptr, 0);
    if (length <= 0)
        return std::string(bytes.size(), '?');
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), inLength, wide.data(), length);
    return Narrow(wide);
}

std::optional<std::string> Utf8ToCodePage(std::string_view text, unsigned codePage)
{
    if (codePage == kUtf8CodePage || text.empty())
        return std::string(text);
    const std::wstring wide = Widen(text);
    const int inLength = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), inLength, nullptr, 0,
                                           nullptr, &lossy);
    if (length <= 0 || lossy)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), inLength, bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
}

}  // namespace kestrova
