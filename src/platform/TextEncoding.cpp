#include "platform/TextEncoding.h"

#include "platform/CodePage.h"
#include "platform/Utf.h"

#include <algorithm>
#include <optional>

namespace kestrova {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

std::string DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    return Utf16ToUtf8(units);
}

std::string EncodeUtf16(std::string_view text, bool bigEndian)
{
    std::string bytes;
    for (const char16_t unit : Utf8ToUtf16(text)) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

}  // namespace

DecodedText DecodeText(std::string_view bytes, unsigned ansiCodePage)
{
    if (bytes.starts_with(kUtf8Mark))
        return {TextEncoding::Utf8, std::string(bytes.substr(kUtf8Mark.size()))};
    if (bytes.starts_with(kUtf16LittleEndianMark))
        return {TextEncoding::Utf16LittleEndian, DecodeUtf16(bytes.substr(2), false)};
    if (bytes.starts_with(kUtf16BigEndianMark))
        return {TextEncoding::Utf16BigEndian, DecodeUtf16(bytes.substr(2), true)};
    return {TextEncoding::Ansi, CodePageToUtf8(bytes, ansiCodePage)};
}

std::string EncodeText(std::string_view text, TextEncoding encoding, unsigned ansiCodePage)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        break;
    case TextEncoding::Utf16LittleEndian:
        return std::string(kUtf16LittleEndianMark) + EncodeUtf16(text, false);
    case TextEncoding::Utf16BigEndian:
        return std::string(kUtf16BigEndianMark) + EncodeUtf16(text, true);
    case TextEncoding::Ansi:
        if (std::optional<std::string> bytes = Utf8ToCodePage(text, ansiCodePage))
            return *bytes;
        break;
    }
    return std::string(kUtf8Mark) + std::string(text);
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == '\r')
            ++start;
        if (start < text.size() && text[start] == '\n' && (start == end || text[start - 1] == '\r'))
            ++start;
    }
    return lines;
}

}  // namespace kestrova
