// Text files in the encodings Windows programs write: UTF-8 or UTF-16 (either byte
// order) named by a byte-order mark, else the system's ANSI code page; and their lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

enum class TextEncoding { Ansi, Utf8, Utf16LittleEndian, Utf16BigEndian };

struct DecodedText {
    TextEncoding encoding;
    std::string text;  // UTF-8, without the byte-order mark
};

// A file's bytes as UTF-8: the encoding from the byte-order mark, else `ansiCodePage`.
DecodedText DecodeText(std::string_view bytes, unsigned ansiCodePage);

// UTF-8 text as a file's bytes in `encoding`, with its byte-order mark (none for ANSI).
// Text that the ANSI code page cannot hold is written as UTF-8 with a byte-order mark
// instead of being lost.
std::string EncodeText(std::string_view text, TextEncoding encoding, unsigned ansiCodePage);

// The lines of a text, split at CR LF, LF and a lone CR; no empty line after a final break.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace kestrova
