// The bytes of a text file in UTF-16 little-endian with its byte-order mark, as
// Windows programs write "Unicode" text, for tests that prepare or expect such files.
#pragma once

#include <string>

namespace kestrova {

inline std::string Utf16LittleEndianFile(const std::u16string& text)
{
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

}  // namespace kestrova
