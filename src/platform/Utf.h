// UTF-8 (the core's strings) to and from UTF-16 (the Windows APIs and the
// registry's stored text). Invalid input becomes U+FFFD rather than failing.
#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// Decodes the code point at `text[i]` (i below the size), advancing `i` past it; a
// malformed sequence gives U+FFFD, as the conversion below does.
char32_t DecodeUtf8(std::string_view text, std::size_t& i);

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Whether `text` is well-formed UTF-8 (no stray, overlong or surrogate sequences).
bool IsValidUtf8(std::string_view text);

}  // namespace kestrova
