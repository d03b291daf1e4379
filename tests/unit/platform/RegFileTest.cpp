// Registry files: the lines the registry editor expects for each kind of value, every
// value back unchanged after writing and reading, and files that are not to be trusted.
#include "platform/RegFile.h"

#include "platform/RegValueData.h"
#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

RegValue Raw(std::uint32_t type, std::vector<std::uint8_t> bytes)
{
    return RegValue{type, std::move(bytes)};
}

std::string Text(const std::string& fileBytes)
{
    return DecodeText(fileBytes, 0).text;
}

TEST(RegFile, EachValueIsWrittenAsTheRegistryEditorWritesIt)
{
    struct Case {
        std::string name;
        RegValue value;
        std::string line;
    };
    const Case cases[] = {
        {"", MakeStringValue("C:\\Tools\\tool.exe \"%1\""), R"(@="C:\\Tools\\tool.exe \"%1\"")"},
        {"Quote\"Back\\slash", MakeStringValue(""), R"("Quote\"Back\\slash"="")"},
        {"Cyrillic", MakeStringValue("Открыть"), "\"Cyrillic\"=\"Открыть\""},
        {"Dword", MakeDwordValue(0xDEADBEEF), "\"Dword\"=dword:deadbeef"},
        {"Short dword", Raw(4, {1, 2}), "\"Short dword\"=hex(4):01,02"},
        {"Qword", Raw(11, {1, 0, 0, 0, 0, 0, 0, 0}), "\"Qword\"=hex(b):01,00,00,00,00,00,00,00"},
        {"Binary", Raw(3, {0xAB, 0x01}), "\"Binary\"=hex:ab,01"},
        {"Empty", Raw(3, {}), "\"Empty\"=hex:"},
        {"None", Raw(0, {}), "\"None\"=hex(0):"},
        {"Expand", MakeStringValue("%A%", RegType::ExpandSz),
         "\"Expand\"=hex(2):25,00,41,00,25,00,00,00"},
        {"Multi", Raw(7, {'a', 0, 0, 0, 0, 0}), "\"Multi\"=hex(7):61,00,00,00,00,00"},
        {"Line break", Raw(1, {'a', 0, '\n', 0, 0, 0}), "\"Line break\"=hex(1):61,00,0a,00,00,00"},
        {"Unterminated", Raw(1, {'a', 0}), "\"Unterminated\"=hex(1):61,00"},
        {"Big type", Raw(0x20000, {7}), "\"Big type\"=hex(20000):07"},
    };
    for (const Case& c : cases) {
        const std::string text = Text(FormatRegFile({RegFileKey{"HKEY_CURRENT_USER\\K", {{c.name, c.value}}}}));
        EXPECT_EQ(text, "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n" + c.line + "\r\n\r\n")
            << c.name;
    }
}

TEST(RegFile, TheFileIsLittleEndianUtf16WithAByteOrderMarkAndLongDataWraps)
{
    const std::string bytes = FormatRegFile({RegFileKey{"HKEY_CURRENT_USER\\K", {{"Long", Raw(3, std::vector<std::uint8_t>(60, 0xFF))}}}});
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE" "W\0", 4));
    const std::string text = Text(bytes);
    const std::size_t first = text.find("\"Long\"=hex:");
    const std::size_t end = text.find("\r\n", first);
    EXPECT_LE(end - first, 80u);
    EXPECT_EQ(text.substr(end - 1, 5), "\\\r\n  ");
}

TEST(RegFile, EveryValueComesBackUnchanged)
{
    std::vector<std::uint8_t> everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.push_back(static_cast<std::uint8_t>(b));
    const std::vector<RegFileKey> keys = {
        RegFileKey{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\Tool",
                   {{"", MakeStringValue("Tool \"quoted\" C:\\path\\")},
                    {"Every byte", Raw(3, everyByte)},
                    {"Odd string", Raw(1, {'a', 0, 'b'})},
                    {"Lone surrogate", Raw(1, {0x00, 0xD8, 0, 0})},
                    {"Inner NUL", Raw(2, {'a', 0, 0, 0, 'b', 0, 0, 0})},
                    {"Dword", MakeDwordValue(7)},
                    {"=@\"[]", MakeStringValue("=\"\\")}}},
        RegFileKey{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\Tool\\command", {}},
        RegFileKey{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\Tool\\Ключ [1]", {{"x", Raw(0, {})}}},
    };
    EXPECT_EQ(ParseRegFile(FormatRegFile(keys)), keys);
}

TEST(RegFile, FilesThatAreNotPlainKeysAndValuesAreRefused)
{
    const std::string header = "Windows Registry Editor Version 5.00\r\n\r\n";
    const std::string refused[] = {
        "",
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n",
        header + "\"a\"=\"b\"\r\n",
        header + "[-HKEY_CURRENT_USER\\K]\r\n",
        header + "[HKEY_CURRENT_USER\\K]\r\n\"a\"=-\r\n",
        header + "[HKEY_CURRENT_USER\\K]\r\n\"a\"=hex:1,2\r\n",
        header + "[HKEY_CURRENT_USER\\K]\r\n\"a\"=dword:123456789\r\n",
        header + "[HKEY_CURRENT_USER\\K]\r\n\"a=\"b\"\r\n",
    };
    for (const std::string& text : refused)
        EXPECT_FALSE(ParseRegFile(EncodeText(text, TextEncoding::Utf16LittleEndian, 0))) << text;

    // Comments, blanks, upper-case digits and continued lines as people and editors write them.
    const std::string accepted = header + "; saved by hand\r\n[HKEY_CURRENT_USER\\K]\r\n\"a\" = hex:01,\\\r\n   FF\r\n@=dword:0000000A\r\n";
    EXPECT_EQ(ParseRegFile(EncodeText(accepted, TextEncoding::Utf16LittleEndian, 0)),
              (std::vector<RegFileKey>{{"HKEY_CURRENT_USER\\K", {{"a", Raw(3, {1, 0xFF})}, {"", MakeDwordValue(10)}}}}));
}

}  // namespace
}  // namespace kestrova
