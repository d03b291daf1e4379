// Names equal ignoring case: ASCII, Latin-1 and Cyrillic letters, nothing else.
#include "platform/TextCase.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(TextCaseTest, LettersMatchTheirOtherCaseAndOtherCharactersOnlyThemselves)
{
    const struct {
        const char* a;
        const char* b;
        bool equal;
    } cases[] = {
        {"Option", "oPTION", true},
        {"Option", "Options", false},
        {"\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89", true},               // Été, éTÉ
        {"\xC3\x97", "\xC3\xB7", false},                                  // × and ÷ are no letters
        {"\xD0\x81\xD0\xB6", "\xD1\x91\xD0\x96", true},                   // Ёж, ёЖ
        {"\xD0\xAF\xD0\xB7\xD1\x8B\xD0\xBA", "\xD1\x8F\xD0\x97\xD0\xAB\xD0\x9A", true},  // Язык, яЗЫК
        {"\xD0\xAF", "\xD0\xB0", false},                                  // Я, а
        {"", "", true},
        {"a", "\xC3\xA1", false},                                          // a, á
        {"\xC3\xA1b", "\xC3\x81B1", false},                               // áb, ÁB1
        // Malformed UTF-8 compares as the U+FFFD it converts to.
        {"\xFF", "\xC3", true},
        {"\xE2\x82x", "\x80X", true},
        {"\xC3", "\xC3\xC3", false},
        {"\xEF\xBF\xBD", "\xFE", true},                                 // U+FFFD itself
        {"\xF0\x9F\x98\x80a", "\xF0\x9F\x98\x80A", true},               // outside the BMP
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x81", false},
        {"\xF0\x9F\x98\x80", "\xEF\xBF\xBD", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EqualsIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
        EXPECT_EQ(CaseFolded(c.a) == CaseFolded(c.b), c.equal) << c.a << " / " << c.b;
    }
}

}  // namespace
}  // namespace kestrova
