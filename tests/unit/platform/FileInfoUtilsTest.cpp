// Reading strings from version resources built by the test: through the portable reader
// everywhere and, on Windows, through version.dll's VerQueryValueW as well, so both
// readers answer the same table.
#include "platform/BlobVersionInfo.h"
#include "platform/FileInfoUtils.h"

#include "VersionResourceBuilder.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/win32/Win32VersionInfo.h"
#endif

namespace kestrova {
namespace {

constexpr const char* kExe = "C:\\Tools\\Kestrova\\Kestrova.exe";

#ifdef _WIN32
// Resources from memory, queried by version.dll.
class BlobFilesQueriedByWindows : public BlobVersionInfo {
public:
    bool QueryValue(std::span<const std::uint8_t> block, const std::string& subBlock, const std::uint8_t*& value,
                    std::uint32_t& length) const override
    {
        return Win32VersionInfo().QueryValue(block, subBlock, value, length);
    }
};
#endif

enum class Reader { Portable, Windows };

class FileInfoUtilsTest : public ::testing::TestWithParam<Reader> {
protected:
    FileInfoUtilsTest()
    {
#ifdef _WIN32
        if (GetParam() == Reader::Windows)
            api = &windows;
#endif
    }

    void Install(const VersionResourceBuilder& resource) { api->SetResource(kExe, resource.Build()); }

    BlobVersionInfo portable;
#ifdef _WIN32
    BlobFilesQueriedByWindows windows;
#endif
    BlobVersionInfo* api = &portable;
};

TEST_P(FileInfoUtilsTest, FileVersionKeepsDigitsAndSingleDotsUpToTheFirstOtherCharacter)
{
    const struct {
        std::string stored;
        std::string expected;
    } cases[] = {
        {"1.2.3.4", "1.2.3.4"},  {"1, 2, 3, 4", "1.2.3.4"}, {"1, 0, 0, 7", "1.0.0.7"}, {"2.0.1 beta", "2.0.1"},
        {"1..2.", "1.2"},        {",1.2", "1.2"},           {"1.2 3", "1.23"},         {" 3.1", "3.1"},
        {"10.20.300.4000", "10.20.300.4000"},
        // Nothing usable: the fixed file information's 9.8.7.6 is used instead.
        {"Build 2.0", "9.8.7.6"}, {"", "9.8.7.6"},          {"...", "9.8.7.6"},
    };
    for (const auto& c : cases) {
        Install(VersionResourceBuilder()
                    .FixedFileVersion(9, 8, 7, 6)
                    .Translation(0x0419, 1200)
                    .String("041904B0", "FileVersion", c.stored));
        EXPECT_EQ(GetFileVersion(*api, kExe), c.expected) << '"' << c.stored << '"';
    }
}

TEST_P(FileInfoUtilsTest, FileVersionFallsBackToFixedFileInformation)
{
    Install(VersionResourceBuilder().FixedFileVersion(2, 5, 0, 11).Translation(0x0409, 1252));
    EXPECT_EQ(GetFileVersion(*api, kExe), "2.5.0.11") << "no FileVersion string";

    Install(VersionResourceBuilder().FixedFileVersion(65535, 0, 1, 65534));
    EXPECT_EQ(GetFileVersion(*api, kExe), "65535.0.1.65534") << "halves are unsigned 16-bit";

    Install(VersionResourceBuilder().Translation(0x0409, 1252).String("040904E4", "FileVersion", "beta"));
    EXPECT_EQ(GetFileVersion(*api, kExe), "") << "no fixed file information either";
}

TEST_P(FileInfoUtilsTest, StringsComeOnlyFromTheTableOfTheFirstTranslation)
{
    Install(VersionResourceBuilder()
                .Translation(0x0419, 0x04B0)
                .String("040904E4", "LegalCopyright", "wrong table")
                .String("041904B0", "LegalCopyright", "\xC2\xA9 2026 \xD0\x9A\xD0\xB5\xD1\x81\xD1\x82\xD1\x80\xD0\xBE\xD0\xB2\xD0\xB0")
                .String("041904B0", "CompanyName", "Kestrova")
                .String("040904E4", "ProductName", "only in the fallback table"));
    EXPECT_EQ(GetLegalCopyright(*api, kExe),
              "\xC2\xA9 2026 \xD0\x9A\xD0\xB5\xD1\x81\xD1\x82\xD1\x80\xD0\xBE\xD0\xB2\xD0\xB0");
    EXPECT_EQ(GetCompanyName(*api, kExe), "Kestrova");
    EXPECT_EQ(GetVersionInfoString(*api, kExe, "companyname"), "Kestrova") << "names ignore case";
    EXPECT_EQ(GetVersionInfoString(*api, kExe, "ProductName"), "") << "no other table is tried";
    EXPECT_EQ(GetVersionInfoString(*api, kExe, "FileDescription"), "");
}

TEST_P(FileInfoUtilsTest, TranslationCodeFallsBackTo040904E4)
{
    const auto withTable = [](const std::string& code) {
        return VersionResourceBuilder()
            .FixedFileVersion(1, 0, 0, 0)
            .String(code, "CompanyName", "from " + code)
            .String(code, "FileVersion", "3.4");
    };
    const struct {
        std::string what;
        VersionResourceBuilder resource;
        std::string company;
    } cases[] = {
        {"no translation list", withTable("040904E4"), "from 040904E4"},
        {"first entry 0000 0000", withTable("040904E4").Translation(0, 0), "from 040904E4"},
        {"list shorter than one entry", withTable("040904E4").TranslationBytes({0x19, 0x04}), "from 040904E4"},
        {"empty list", withTable("040904E4").TranslationBytes({}), "from 040904E4"},
        {"only the first entry counts", withTable("041904B0").TranslationBytes({0x19, 0x04, 0xB0, 0x04, 0x09, 0x04, 0xE4, 0x04}),
         "from 041904B0"},
        {"letters in the code", withTable("0C0A04E4").Translation(0x0C0A, 0x04E4), "from 0C0A04E4"},
        {"language only, code page 0", withTable("04190000").Translation(0x0419, 0), "from 04190000"},
    };
    for (const auto& c : cases) {
        Install(c.resource);
        EXPECT_EQ(GetCompanyName(*api, kExe), c.company) << c.what;
        EXPECT_EQ(GetFileVersion(*api, kExe), "3.4") << c.what;
    }
}

TEST_P(FileInfoUtilsTest, FileWithoutVersionResourceGivesEmptyStrings)
{
    for (const std::string& file : {std::string("C:\\Other.exe"), std::string(kExe)}) {
        EXPECT_EQ(GetFileVersion(*api, file), "") << file;
        EXPECT_EQ(GetLegalCopyright(*api, file), "") << file;
        EXPECT_EQ(GetCompanyName(*api, file), "") << file;
        EXPECT_EQ(GetVersionInfoString(*api, file, "ProductName"), "") << file;
        Install(VersionResourceBuilder());  // a resource with nothing in it, for the second round
    }
}

INSTANTIATE_TEST_SUITE_P(Portable, FileInfoUtilsTest, ::testing::Values(Reader::Portable));
#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Windows, FileInfoUtilsTest, ::testing::Values(Reader::Windows));
#endif

// The portable reader only: it must stay inside whatever a cut-off resource claims.
TEST(BlobVersionInfo, TruncatedResourceIsReadSafely)
{
    const std::vector<std::uint8_t> resource = VersionResourceBuilder()
                                                   .FixedFileVersion(1, 2, 3, 4)
                                                   .Translation(0x0409, 1252)
                                                   .String("040904E4", "CompanyName", "Kestrova")
                                                   .Build();
    BlobVersionInfo api;
    for (std::size_t size = 0; size < resource.size(); ++size) {
        api.SetResource(kExe, {resource.begin(), resource.begin() + static_cast<std::ptrdiff_t>(size)});
        GetFileVersion(api, kExe);
        GetCompanyName(api, kExe);
    }
    api.SetResource(kExe, resource);
    EXPECT_EQ(GetFileVersion(api, kExe), "1.2.3.4");
    EXPECT_EQ(GetCompanyName(api, kExe), "Kestrova");
}

}  // namespace
}  // namespace kestrova
