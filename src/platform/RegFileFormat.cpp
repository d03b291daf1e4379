// Writing registry files: strings that can be read back exactly are quoted, every
// other value is written as hexadecimal bytes of its type.
#include "platform/RegFile.h"

#include "platform/TextEncoding.h"
#include "platform/Utf.h"

#include <cstdio>

namespace kestrova {

namespace {

constexpr std::size_t kLineWidth = 80;

std::string Escaped(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '\\' || c == '"')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::u16string UnitsOf(const std::vector<std::uint8_t>& data)
{
    std::u16string units;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2)
        units += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    return units;
}

// The text of REG_SZ data that a quoted string gives back byte for byte: whole UTF-16
// units ending in the one NUL, no line break, nothing the conversion would change.
std::optional<std::string> QuotableText(const RegValue& value)
{
    if (value.type != static_cast<std::uint32_t>(RegType::Sz) || value.data.size() % 2 != 0)
        return std::nullopt;
    std::u16string units = UnitsOf(value.data);
    if (units.empty() || units.back() != u'\0')
        return std::nullopt;
    units.pop_back();
    if (units.find_first_of(u"\r\n", 0, 2) != std::u16string::npos || units.find(u'\0') != std::u16string::npos)
        return std::nullopt;
    std::string text = Utf16ToUtf8(units);
    if (Utf8ToUtf16(text) != units)
        return std::nullopt;
    return text;
}

std::string HexByte(std::uint8_t byte)
{
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", byte);
    return digits;
}

// "hex:" or "hex(N):" and the bytes, wrapped as the registry editor wraps them: a line
// ends in ",\" once it would pass 80 characters and the next goes on after two blanks.
std::string HexData(const std::string& lineStart, const RegValue& value)
{
    std::string text = lineStart;
    if (value.type == static_cast<std::uint32_t>(RegType::Binary)) {
        text += "hex:";
    } else {
        char type[16];
        std::snprintf(type, sizeof type, "hex(%x):", static_cast<unsigned>(value.type));
        text += type;
    }
    std::size_t lineLength = text.size();
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        std::string byte = HexByte(value.data[i]);
        if (i + 1 < value.data.size())
            byte += ',';
        if (lineLength + byte.size() > kLineWidth - 2 && i + 1 < value.data.size()) {
            text += "\\\r\n  ";
            lineLength = 2;
        }
        text += byte;
        lineLength += byte.size();
    }
    return text;
}

// Text in quotes, its backslashes and quotes escaped.
std::string Quoted(std::string_view text)
{
    std::string quoted = "\"";
    quoted += Escaped(text);
    quoted += '"';
    return quoted;
}

std::string ValueLine(const std::string& name, const RegValue& value)
{
    const std::string start = (name.empty() ? std::string("@") : Quoted(name)) + "=";
    if (const std::optional<std::string> text = QuotableText(value))
        return start + Quoted(*text);
    if (value.type == static_cast<std::uint32_t>(RegType::Dword) && value.data.size() == 4) {
        char number[16];
        std::snprintf(number, sizeof number, "dword:%08x",
                      static_cast<unsigned>(value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                                            (static_cast<std::uint32_t>(value.data[3]) << 24)));
        return start + number;
    }
    return HexData(start, value);
}

}  // namespace

std::string FormatRegFile(const std::vector<RegFileKey>& keys)
{
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
    for (const RegFileKey& key : keys) {
        text += "[" + key.path + "]\r\n";
        for (const auto& [name, value] : key.values)
            text += ValueLine(name, value) + "\r\n";
        text += "\r\n";
    }
    return EncodeText(text, TextEncoding::Utf16LittleEndian, 0);
}

}  // namespace kestrova
