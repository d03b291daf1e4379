#include "catalogue/NewMenuNames.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(NewMenuNames, SkippedAndNeverEnteredNamesFollowAsciiCaseRulesOnly)
{
    const struct {
        std::string name;
        bool skipped, neverEntered;
    } cases[] = {
        {"WOW6432Node", true, false},  {"wow6432NODE", true, false},    {".LNK", true, false},
        {"Media Type", true, false},   {"MediaType", false, false},     {"{any", true, false},
        {"x{", false, false},          {"CLSID", true, true},           {"\xC4\xB0nterface", false, false},
        {".txt", false, false},        {"SHELLEX", false, true},        {"ShellNew", false, true},
        {"old_shellnew", false, true}, {"Shell", false, true},          {"ShellNew2", false, false},
        {"curver", false, true},       {"DefaultIcon", false, true},    {"Treatment", false, true},
        {"persistenthandler", false, true}, {"Insertable", false, false}, {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsSkippedClassName(c.name), c.skipped) << c.name;
        EXPECT_EQ(IsNeverEnteredSubkeyName(c.name), c.neverEntered) << c.name;
    }
}

TEST(NewMenuNames, SectionsShowTheView)
{
    EXPECT_EQ(NewMenuSection(0x20219), "HKEY_LOCAL_MACHINE (32)");
    EXPECT_EQ(NewMenuSection(0x20119), "HKEY_LOCAL_MACHINE (64)");
}

}  // namespace
}  // namespace kestrova
