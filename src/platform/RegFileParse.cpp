// Reading registry files back: key sections, quoted strings, dwords and hexadecimal
// data of any type, with the registry editor's line continuations.
#include "platform/RegFile.h"

#include "platform/AsciiText.h"
#include "platform/TextEncoding.h"
#include "platform/Utf.h"

namespace kestrova {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

std::string_view TrimmedLeft(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

std::string_view Trimmed(std::string_view text)
{
    text = TrimmedLeft(text);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Reads a quoted string with \\ and \" escapes from the start of `text`, which is left
// after the closing quote.
std::optional<std::string> QuotedText(std::string_view& text)
{
    if (text.empty() || text.front() != '"')
        return std::nullopt;
    std::string result;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            result += text[++i];
        } else if (text[i] == '"') {
            text.remove_prefix(i + 1);
            return result;
        } else {
            result += text[i];
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> HexBytes(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    text = Trimmed(text);
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view byte = Trimmed(text.substr(0, comma));
        if (byte.size() != 2 || HexDigitValue(byte[0]) < 0 || HexDigitValue(byte[1]) < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(HexDigitValue(byte[0]) * 16 + HexDigitValue(byte[1])));
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
        if (Trimmed(text).empty())
            return std::nullopt;
    }
    return bytes;
}

std::optional<std::uint32_t> HexNumber(std::string_view text, std::size_t maxDigits)
{
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    std::uint32_t number = 0;
    for (char c : text) {
        if (HexDigitValue(c) < 0)
            return std::nullopt;
        number = number * 16 + static_cast<std::uint32_t>(HexDigitValue(c));
    }
    return number;
}

std::optional<RegValue> ValueData(std::string_view data)
{
    if (!data.empty() && data.front() == '"') {
        const std::optional<std::string> text = QuotedText(data);
        if (!text || !Trimmed(data).empty())
            return std::nullopt;
        RegValue value{static_cast<std::uint32_t>(RegType::Sz), {}};
        for (char16_t unit : Utf8ToUtf16(*text) + u'\0') {
            value.data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
            value.data.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        return value;
    }
    if (data.substr(0, 6) == "dword:") {
        const auto number = HexNumber(Trimmed(data.substr(6)), 8);
        if (!number)
            return std::nullopt;
        return RegValue{static_cast<std::uint32_t>(RegType::Dword),
                        {static_cast<std::uint8_t>(*number), static_cast<std::uint8_t>(*number >> 8),
                         static_cast<std::uint8_t>(*number >> 16), static_cast<std::uint8_t>(*number >> 24)}};
    }
    std::uint32_t type = static_cast<std::uint32_t>(RegType::Binary);
    if (data.substr(0, 4) == "hex(") {
        const std::size_t close = data.find("):");
        const auto number = close == std::string_view::npos ? std::nullopt : HexNumber(data.substr(4, close - 4), 8);
        if (!number)
            return std::nullopt;
        type = *number;
        data.remove_prefix(close + 2);
    } else if (data.substr(0, 4) == "hex:") {
        data.remove_prefix(4);
    } else {
        return std::nullopt;
    }
    auto bytes = HexBytes(data);
    if (!bytes)
        return std::nullopt;
    return RegValue{type, std::move(*bytes)};
}

// Joins the lines of hexadecimal data that end in a backslash with the ones after them.
std::vector<std::string> LogicalLines(std::string_view text)
{
    std::vector<std::string> lines;
    bool continues = false;
    for (std::string_view line : SplitLines(text)) {
        if (continues) {
            lines.back() += TrimmedLeft(line);
        } else {
            lines.emplace_back(line);
        }
        const std::string& last = lines.back();
        // Only hexadecimal data ends in a backslash: a string ends in its quote.
        continues = !last.empty() && last.back() == '\\' && Trimmed(last).front() != ';';
        if (continues)
            lines.back().pop_back();
    }
    return lines;
}

}  // namespace

std::optional<std::vector<RegFileKey>> ParseRegFile(std::string_view bytes)
{
    const std::vector<std::string> lines = LogicalLines(DecodeText(bytes, 0).text);
    std::vector<RegFileKey> keys;
    bool headerSeen = false;
    for (const std::string& line : lines) {
        const std::string_view text = Trimmed(line);
        if (text.empty() || text.front() == ';')
            continue;
        if (!headerSeen) {
            if (text != kHeader)
                return std::nullopt;
            headerSeen = true;
        } else if (text.front() == '[') {
            // A key section; "[-...]" would delete a key, which these files never ask.
            if (text.back() != ']' || text.size() < 3 || text[1] == '-')
                return std::nullopt;
            keys.push_back(RegFileKey{std::string(text.substr(1, text.size() - 2)), {}});
        } else {
            if (keys.empty())
                return std::nullopt;
            std::string_view rest = text;
            std::string name;
            if (rest.front() == '@') {
                rest.remove_prefix(1);
            } else if (auto quoted = QuotedText(rest)) {
                name = std::move(*quoted);
            } else {
                return std::nullopt;
            }
            rest = TrimmedLeft(rest);
            if (rest.empty() || rest.front() != '=')
                return std::nullopt;
            std::optional<RegValue> value = ValueData(Trimmed(rest.substr(1)));
            if (!value)
                return std::nullopt;
            keys.back().values.emplace_back(std::move(name), std::move(*value));
        }
    }
    if (!headerSeen)
        return std::nullopt;
    return keys;
}

}  // namespace kestrova
