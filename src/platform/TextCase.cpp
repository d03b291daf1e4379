#include "platform/TextCase.h"

#include "platform/AsciiText.h"
#include "platform/Utf.h"

#include <algorithm>

namespace kestrova {

namespace {

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

// ASCII bytes are characters of their own, compared as such until one text ends or a
// byte from 0x80 up comes. Such a byte decodes to a unit from 0x80 up (a letter, another
// character or U+FFFD), which folding keeps above 0x7F, so it never matches an ASCII
// character. From there both texts are decoded and folded character by character with
// the conversion's own rules, so that no UTF-16 copy is made.
bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    for (; i < a.size() && i < b.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x >= 0x80 || y >= 0x80)
            break;
        if (AsciiUpper(static_cast<char>(x)) != AsciiUpper(static_cast<char>(y)))
            return false;
    }
    std::size_t j = i;
    while (i < a.size() && j < b.size()) {
        const char32_t x = DecodeUtf8(a, i);
        const char32_t y = DecodeUtf8(b, j);
        // Code points above U+FFFF become surrogate pairs, which folding leaves alone.
        if (x != y && (x > 0xFFFF || y > 0xFFFF ||
                       FoldCase(static_cast<char16_t>(x)) != FoldCase(static_cast<char16_t>(y))))
            return false;
    }
    return i == a.size() && j == b.size();
}

int CompareIgnoringCase(std::string_view a, std::string_view b)
{
    const auto order = CaseFolded(a) <=> CaseFolded(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

}  // namespace kestrova
