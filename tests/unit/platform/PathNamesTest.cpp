#include "platform/PathNames.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(PathNames, SplitAtTheLastSeparatorIgnoringTrailingOnes)
{
    struct Case {
        const char* path;
        const char* separators;
        const char* parent;
        const char* last;
    };
    const Case cases[] = {
        {"SOFTWARE\\Classes\\*\\shell\\Verb", "\\", "SOFTWARE\\Classes\\*\\shell", "Verb"},
        {"SOFTWARE\\Classes\\Verb\\\\", "\\", "SOFTWARE\\Classes", "Verb"},
        {"Verb", "\\", "", "Verb"},
        {"", "\\", "", ""},
        {"Key/With/Slashes", "\\", "", "Key/With/Slashes"},  // a registry name may hold "/"
        {"C:\\Program Files\\Kestrova\\Kestrova.exe", "\\", "C:\\Program Files\\Kestrova", "Kestrova.exe"},
        {"http://host/download/Kestrova.zip", "\\/", "http://host/download", "Kestrova.zip"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParentPath(c.path, c.separators), c.parent) << c.path;
        EXPECT_EQ(LastName(c.path, c.separators), c.last) << c.path;
    }
}

TEST(PathNames, TheFolderKeepsItsSeparatorForANameToFollow)
{
    EXPECT_EQ(FolderWithSeparator("C:\\Kestrova\\Kestrova.exe"), "C:\\Kestrova\\");
    EXPECT_EQ(FolderWithSeparator("C:\\Kestrova\\"), "C:\\Kestrova\\");
    EXPECT_EQ(FolderWithSeparator("Kestrova.exe"), "");
}

}  // namespace
}  // namespace kestrova
