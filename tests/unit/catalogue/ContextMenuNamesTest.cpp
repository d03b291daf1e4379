#include "catalogue/ContextMenuNames.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(ContextMenuNames, ProtectedNamesFollowTheirAsciiOnlyCaseRules)
{
    struct Case {
        const char* name;
        bool hidden;
    };
    const Case cases[] = {
        {"open", true}, {"OPEN", true}, {"Open", true},            // hidden names, any ASCII case
        {"Open With EncryptionMenu", true}, {"install", true},
        {"{d969a300-e7ff-11D0-a93b-00a0c90f2719}", true},          // identifiers ignore case too
        {"MSIExec", true}, {"ms", true}, {"MyWindowsTool", true},  // begins with MS, contains WINDOWS
        {"microsoft.edit", true}, {"FileSystemTools", true},
        {"AMS", false}, {"Opener", false}, {"Open ", false}, {"EditWithQuill", false}, {"", false},
        // Only a to z fold: a dotless capital I or a Cyrillic letter is not an ASCII letter.
        {"\xC4\xB0nstall", false}, {"\xD0\x9CS", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsProtectedEntryName(c.name), c.hidden) << c.name;
}

TEST(ContextMenuNames, FileTypeIsTheFirstComponentBelowClasses)
{
    EXPECT_EQ(GetEntryFileType("SOFTWARE\\Classes\\*\\shell\\Foo"), "All Files");
    EXPECT_EQ(GetEntryFileType("SOFTWARE\\Classes\\Directory\\shell\\Foo"), "Directory");
    EXPECT_EQ(GetEntryFileType("SOFTWARE\\Classes\\lnkfile"), "lnkfile");
    // The prefix is matched exactly; otherwise the first component is taken as it is.
    EXPECT_EQ(GetEntryFileType("software\\classes\\*\\shell"), "software");
    EXPECT_EQ(GetEntryFileType("*"), "All Files");
    EXPECT_EQ(GetEntryFileType("Software\\Classes\\*\\shell\\Foo", RegRoot::CurrentUser), "All Files");
    EXPECT_EQ(GetEntryFileType("Software\\Classes\\Folder\\shell\\Foo", RegRoot::CurrentUser), "Folder");
}

TEST(ContextMenuNames, BackupKeyLiesBelowTheClassesOfTheEntrysOwnRoot)
{
    EXPECT_EQ(EntryBackupKey(RegRoot::LocalMachine, "SOFTWARE\\Classes\\*\\shell\\Foo"),
              "SOFTWARE\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\*\\shell\\Foo");
    EXPECT_EQ(EntryBackupKey(RegRoot::CurrentUser, "Software\\Classes\\Directory\\Background\\shell\\Foo"),
              "Software\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\Directory\\Background\\shell\\Foo");
    EXPECT_EQ(EntryBackupKey(RegRoot::LocalMachine,
                             "SOFTWARE\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\shell\\Empty"),
              "SOFTWARE\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}"
              "\\shell\\Empty");
}

}  // namespace
}  // namespace kestrova
