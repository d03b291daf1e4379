#include "platform/Utf.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(Utf, RoundTripsAsciiCyrillicAndSupplementaryCharacters)
{
    const std::string text = "Open \xD0\x9E\xD1\x82\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD1\x8C \xF0\x9F\x98\x80";
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 5u + 7u + 1u + 2u);
    EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(Utf, MalformedInputBecomesReplacementCharacter)
{
    EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), (std::u16string{u'a', 0xFFFD, u'b'}));
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), std::u16string{0xFFFD});
    EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD800, u'x'}), "\xEF\xBF\xBDx");
}

TEST(Utf, IsValidUtf8AcceptsOnlyWellFormedSequences)
{
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("a \xD0\x96 \xEF\xBF\xBD \xF0\x9F\x98\x80"));  // a literal U+FFFD is well-formed
    EXPECT_FALSE(IsValidUtf8("\xFF"));
    EXPECT_FALSE(IsValidUtf8("\xD0"));              // cut short
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
}

}  // namespace
}  // namespace kestrova
