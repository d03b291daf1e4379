#include "platform/TextCase.h"

#include "platform/AsciiText.h"
#include "platform/Utf.h"

#include <algorithm>

namespace kestrova {

namespace {

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The upper-case form of a UTF-16 unit for the letters this comparison knows.
char16_t FoldCase(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)  // Latin-1 small letters, not the division sign
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x0430 && c <= 0x044F)  // Cyrillic а to я
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x0450 && c <= 0x045F)  // Cyrillic ѐ to џ
        return static_cast<char16_t>(c - 0x50);
    return c;
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    // Each letter and its other case take the same number of UTF-8 bytes.
    if (a.size() != b.size())
        return false;
    if (IsAscii(a) && IsAscii(b))
        return EqualsIgnoringAsciiCase(a, b);
    const std::u16string wideA = Utf8ToUtf16(a);
    const std::u16string wideB = Utf8ToUtf16(b);
    return std::equal(wideA.begin(), wideA.end(), wideB.begin(), wideB.end(),
                      [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

int CompareIgnoringCase(std::string_view a, std::string_view b)
{
    const std::u16string wideA = Utf8ToUtf16(a);
    const std::u16string wideB = Utf8ToUtf16(b);
    const auto [endA, endB] = std::mismatch(wideA.begin(), wideA.end(), wideB.begin(), wideB.end(),
                                            [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
    if (endA == wideA.end())
        return endB == wideB.end() ? 0 : -1;
    if (endB == wideB.end())
        return 1;
    return FoldCase(*endA) < FoldCase(*endB) ? -1 : 1;
}

}  // namespace kestrova
