// Text rules of the registry's and the file system's names where only the letters
// a to z change case: every other byte, those of non-ASCII letters included, stays.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace kestrova {

constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string AsciiUpper(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return AsciiUpper(c); });
    return upper;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

// Characters of code 0 to 32: spaces, tabs, line breaks and other control characters.
constexpr bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

// `text` without the blanks and control characters at its start, its end, or both.
constexpr std::string_view TrimBlanksLeft(std::string_view text)
{
    while (!text.empty() && IsBlankOrControl(text.front()))
        text.remove_prefix(1);
    return text;
}

constexpr std::string_view TrimBlanksRight(std::string_view text)
{
    while (!text.empty() && IsBlankOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}

constexpr std::string_view TrimBlanks(std::string_view text) { return TrimBlanksLeft(TrimBlanksRight(text)); }

// The value of a hexadecimal digit of either case; -1 for any other character.
constexpr int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Whether `text` begins with `prefix`, comparing exactly.
inline bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace kestrova
