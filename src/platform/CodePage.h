// Text in a Windows code page, such as the system's "ANSI" one, to and from the core's
// UTF-8. Code page 65001 is UTF-8 itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

// The system's ANSI code page (GetACP on Windows; 1252 elsewhere).
unsigned AnsiCodePage();

// The console's OEM code page, in which cmd reads a batch file (GetOEMCP on Windows; 437
// elsewhere).
unsigned OemCodePage();

// Bytes in `codePage` as UTF-8; bytes with no meaning there become U+FFFD.
std::string CodePageToUtf8(std::string_view bytes, unsigned codePage);

// UTF-8 text in `codePage`, or nothing when some character has no exact form there.
std::optional<std::string> Utf8ToCodePage(std::string_view text, unsigned codePage);

}  // namespace kestrova
