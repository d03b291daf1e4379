// Reading a profile: what the command line writes reads back the same, and anything that
// is not a profile is refused whole, naming the line.
#include "cli/Profile.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

bool Known(std::string_view name) { return name == "context" || name == "new" || name == "sendto"; }

TEST(Profile, WhatIsSavedReadsBackTheSame)
{
    const std::vector<ProfileList> lists = {
        {"context", {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\Привет мир", "HKEY_LOCAL_MACHINE\\x\\y"}},
        {"new", {}},
        {"sendto", {"Fax Recipient.lnk"}},
    };
    const ProfileParse parsed = ParseProfile(FormatProfile(lists, "1.0.0.0"), Known);
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.lists, lists);
}

TEST(Profile, OnlyIdsThatReadBackAsThemselvesFitALine)
{
    for (const char* id : {"HKEY_LOCAL_MACHINE\\x", "Fax.lnk", "a#b;c[d]"})
        EXPECT_TRUE(FitsProfileLine(id)) << id;
    for (const char* id : {"", "#Fax.lnk", ";x", "[sendto]", " lead", "trail\t", "two\nlines"})
        EXPECT_FALSE(FitsProfileLine(id)) << id;
}

TEST(Profile, CommentsBlanksAByteOrderMarkAndARepeatedListAreAccepted)
{
    const ProfileParse parsed = ParseProfile("\xEF\xBB\xBF# made by hand\n\n[ sendto ]\n  a.lnk\t\n; note\r\n"
                                             "[context]\r\nHKEY_X\\k\r\n[sendto]\nb.lnk",
                                             Known);
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.lists, (std::vector<ProfileList>{{"sendto", {"a.lnk", "b.lnk"}}, {"context", {"HKEY_X\\k"}}}));
}

TEST(Profile, AnythingButAProfileIsRefusedWholeNamingTheLine)
{
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"[context]\nHKEY_X\\a\n\x01\x02\x03", "line 3: the file holds control characters, not text"},
        {std::string("[context]\nHKEY\0X\n", 16), "line 2: the file holds control characters, not text"},
        {"[context]\n\xFF\xFEjunk\n", "the file is not UTF-8 text"},
        {"HKEY_X\\a\n[context]\n", "line 1: an id above the first [list] line"},
        {"# c\n[printers]\nx\n", "line 2: there is no list \"printers\""},
        {"[context\nx\n", "line 1: a list line must read [name]"},
        {std::string(kMaxProfileSize + 1, 'a'), "the file is larger than 1024 KiB"},
    };
    for (const Case& c : cases) {
        const ProfileParse parsed = ParseProfile(c.text, Known);
        EXPECT_EQ(parsed.error, c.error) << c.text.substr(0, 40);
        EXPECT_TRUE(parsed.lists.empty()) << c.error;
    }
}

}  // namespace
}  // namespace kestrova
