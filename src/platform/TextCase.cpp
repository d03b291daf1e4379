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

std::u16string CaseFolded(std::string_view text)
{
    std::u16string folded = Utf8ToUtf16(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldCase);
    return folded;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (IsAscii(a) && IsAscii(b))
        return EqualsIgnoringAsciiCase(a, b);
    return CaseFolded(a) == CaseFolded(b);
}

int CompareIgnoringCase(std::string_view a, std::string_view b)
{
    const auto order = CaseFolded(a) <=> CaseFolded(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

}  // namespace kestrova
