// The INI text rules on documents in memory: reading, look-ups, changes, writing,
// encodings and typed values.
#include "settings/IniDocument.h"

#include <gtest/gtest.h>

#include <climits>

namespace kestrova {
namespace {

constexpr unsigned kCyrillicCodePage = 1251;

// "Привет" (hello) in UTF-8 and in code page 1251.
constexpr char kHelloUtf8[] = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
constexpr char kHello1251[] = "\xCF\xF0\xE8\xE2\xE5\xF2";

IniDocument Parse(std::string_view text) { return IniDocument::Parse(text, kCyrillicCodePage); }

TEST(IniDocumentTest, ReadingTrimsDropsCommentsAndIgnoresRepeatedSections)
{
    const IniDocument document = Parse("Stray=before any header\r\n"
                                       "  [ Option ]  \r\n"
                                       "\t; a comment\n"
                                       "\r\n"
                                       "Height = 600 \r"
                                       "Formula=a=b\n"
                                       "  NoEquals  \n"
                                       "Height=700\n"
                                       "[option]\n"
                                       "Width=1\n"
                                       "[Language]\n"
                                       "Language=English\n"
                                       "[]\n"
                                       "[\n"
                                       "=empty key");
    ASSERT_EQ(document.Sections().size(), 3u);
    EXPECT_EQ(document.Sections()[0].name, "Option");
    const std::vector<IniEntry> option = {
        {"Height", "600"}, {"Formula", "a=b"}, {"NoEquals", std::nullopt}, {"Height", "700"}};
    EXPECT_EQ(document.Sections()[0].entries, option);
    EXPECT_EQ(document.Sections()[1].name, "Language");
    EXPECT_EQ(document.Sections()[2].name, "") << "an empty header is a section too";
    const std::vector<IniEntry> unnamed = {{"[", std::nullopt}, {"", "empty key"}};
    EXPECT_EQ(document.Sections()[2].entries, unnamed);
}

TEST(IniDocumentTest, LookUpsIgnoreCaseAndTheFirstEntryWins)
{
    const IniDocument document = Parse("[Option]\nheight=600\nHEIGHT=700\nBare\n"
                                       "[\xDF\xE7\xFB\xEA]\nKey=cyrillic\n");  // [Язык] in code page 1251
    EXPECT_EQ(document.ReadString("OPTION", "Height", "-"), "600");
    EXPECT_TRUE(document.SectionExists("option"));
    EXPECT_FALSE(document.SectionExists("Options"));
    EXPECT_EQ(document.ReadString("Option", "Bare", "absent"), "absent") << "a key without a value";
    EXPECT_FALSE(document.ValueExists("Option", "Bare"));
    EXPECT_TRUE(document.ValueExists("Option", "HeIgHt"));
    EXPECT_EQ(document.ReadString("Option", "Width", "default"), "default");
    EXPECT_EQ(document.ReadString("\xD1\x8F\xD0\x97\xD0\xAB\xD0\x9A", "key", "-"), "cyrillic") << "[яЗЫК]";
    EXPECT_EQ(document.ReadSection("Option"), (std::vector<std::string>{"height", "HEIGHT", "Bare"}));
    EXPECT_EQ(document.ReadSectionValues("Option"), (std::vector<std::string>{"height=600", "HEIGHT=700", "Bare"}));
    EXPECT_TRUE(document.ReadSection("Missing").empty());
}

TEST(IniDocumentTest, ChangesFollowTheFirstEntryAndWritingProducesTheCanonicalText)
{
    IniDocument document = Parse("; hand-edited\n[Option]\nWindow=wsNormal\nwindow=second\nBare\n"
                                 "[Foreign]\nKeep=me\n[Old]\nGone=1\n");
    document.WriteString("OPTION", "WINDOW", "wsMaximized");
    document.WriteInteger("Option", "Height", 600);
    document.WriteBool("Option", "ThemeDark", true);
    document.WriteBool("Option", "ThemeAuto", false);
    document.WriteString("Language", "Language", "English");
    document.DeleteKey("Option", "window");
    document.DeleteKey("Option", "Missing");
    document.DeleteKey("Missing", "Window");
    document.EraseSection("OLD");
    EXPECT_EQ(document.Serialize(), "[Option]\r\n"
                                    "window=second\r\n"
                                    "Bare\r\n"
                                    "Height=600\r\n"
                                    "ThemeDark=1\r\n"
                                    "ThemeAuto=0\r\n"
                                    "\r\n"
                                    "[Foreign]\r\n"
                                    "Keep=me\r\n"
                                    "\r\n"
                                    "[Language]\r\n"
                                    "Language=English\r\n"
                                    "\r\n");
    EXPECT_EQ(IniDocument(kCyrillicCodePage).Serialize(), "") << "an empty document";
}

TEST(IniDocumentTest, TheEncodingComesFromTheByteOrderMarkAndIsKeptOnWriting)
{
    const std::string text = std::string("[S]\r\nK=") + kHelloUtf8 + "\r\n\r\n";
    const auto utf16 = [&](bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        // Only the Cyrillic letters U+041F etc. need two non-zero bytes.
        const std::u16string units = u"[S]\r\nK=\u041F\u0440\u0438\u0432\u0435\u0442\r\n\r\n";
        for (const char16_t unit : units) {
            const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
            bytes += bigEndian ? high : low;
            bytes += bigEndian ? low : high;
        }
        return bytes;
    };
    const struct {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
    } cases[] = {
        {"ANSI 1251", std::string("[S]\r\nK=") + kHello1251 + "\r\n\r\n", TextEncoding::Ansi},
        {"UTF-8", "\xEF\xBB\xBF" + text, TextEncoding::Utf8},
        {"UTF-16 LE", utf16(false), TextEncoding::Utf16LittleEndian},
        {"UTF-16 BE", utf16(true), TextEncoding::Utf16BigEndian},
    };
    for (const auto& c : cases) {
        const IniDocument document = Parse(c.bytes);
        EXPECT_EQ(document.Encoding(), c.encoding) << c.name;
        EXPECT_EQ(document.ReadString("s", "k", ""), kHelloUtf8) << c.name;
        EXPECT_EQ(document.Serialize(), c.bytes) << c.name;
    }
}

TEST(IniDocumentTest, AnAnsiDocumentKeepsTextItsCodePageCannotHoldByTurningUtf8)
{
    IniDocument document(kCyrillicCodePage);
    document.WriteString("Language", "Language", kHelloUtf8);
    EXPECT_EQ(document.Serialize(), std::string("[Language]\r\nLanguage=") + kHello1251 + "\r\n\r\n");
    document.WriteString("Language", "Other", "\xE6\x97\xA5");  // 日, not in code page 1251
    const std::string bytes = document.Serialize();
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF"));
    EXPECT_EQ(Parse(bytes).ReadString("Language", "Other", ""), "\xE6\x97\xA5");
    EXPECT_EQ(Parse(bytes).ReadString("Language", "Language", ""), kHelloUtf8);
}

TEST(IniDocumentTest, TypedReadsTakeDecimalAndHexadecimalElseTheDefault)
{
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"600", 600},      {"0x258", 600},           {"0X258", 600},         {"$258", 600},
        {"$ff", 255},      {"-5", -5},               {"+7", 7},              {"$FFFFFFFF", -1},
        {"-$10", -16},     {"2147483647", INT_MAX},  {"-2147483648", INT_MIN}, {"0x80000000", INT_MIN},
        {"abc", -99},      {"", -99},                {"12abc", -99},         {"0x", -99},
        {"$", -99},        {"2147483648", -99},      {"$100000000", -99},    {"1 2", -99},
        {"--1", -99},      {"0x-1", -99},            {"1.5", -99},           {"99999999999999999999", -99},
    };
    for (const auto& c : cases) {
        const IniDocument document = Parse(std::string("[Option]\nValue=") + c.text + "\n");
        EXPECT_EQ(document.ReadInteger("Option", "Value", -99), c.expected) << '"' << c.text << '"';
    }
    const IniDocument booleans = Parse("[B]\nOne=1\nZero=0\nTwo=2\nHexZero=0x0\nWord=yes\nBare\n");
    EXPECT_TRUE(booleans.ReadBool("B", "One", false));
    EXPECT_FALSE(booleans.ReadBool("B", "Zero", true));
    EXPECT_TRUE(booleans.ReadBool("B", "Two", false));
    EXPECT_FALSE(booleans.ReadBool("B", "HexZero", true));
    EXPECT_TRUE(booleans.ReadBool("B", "Word", true));
    EXPECT_FALSE(booleans.ReadBool("B", "Word", false));
    EXPECT_TRUE(booleans.ReadBool("B", "Bare", true));
    EXPECT_FALSE(booleans.ReadBool("B", "Missing", false));
}

}  // namespace
}  // namespace kestrova
