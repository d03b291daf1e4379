#include "platform/RegValueData.h"

#include "platform/Utf.h"

namespace kestrova {

RegValue MakeStringValue(std::string_view text, RegType type)
{
    RegValue value;
    value.type = static_cast<std::uint32_t>(type);
    for (char16_t unit : Utf8ToUtf16(text) + u'\0') {
        value.data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        value.data.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return value;
}

RegValue MakeDwordValue(std::uint32_t number)
{
    RegValue value;
    value.type = static_cast<std::uint32_t>(RegType::Dword);
    for (int shift = 0; shift < 32; shift += 8)
        value.data.push_back(static_cast<std::uint8_t>(number >> shift));
    return value;
}

std::string TextOfStringData(const std::vector<std::uint8_t>& data)
{
    std::u16string text;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == u'\0')
            break;
        text.push_back(unit);
    }
    return Utf16ToUtf8(text);
}

std::optional<std::uint32_t> DwordOfData(const std::vector<std::uint8_t>& data)
{
    if (data.size() != 4)
        return std::nullopt;
    return static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
           static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
}

}  // namespace kestrova
