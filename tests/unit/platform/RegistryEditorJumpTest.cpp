#include "platform/RegistryEditorJump.h"

#include "FaultInjectingRegistry.h"
#include "PlatformFileSystem.h"
#include "RecordingShell.h"
#include "RegistrySeed.h"
#include "ScratchFolder.h"
#include "TestFiles.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegValueData.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

const std::string RegeditKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";

// The real file system, with the Windows folder moved into a scratch folder.
class WindowsFolderIn : public PlatformFileSystem {
public:
    std::string systemRoot;
    std::string WindowsFolder() override { return systemRoot; }
};

class RegistryEditorJumpTest : public ::testing::Test {
protected:
    MemoryRegistry hive;
    RegistrySeed seed{hive};
    WindowsFolderIn files;
    ScratchFolder windows{files};
    RecordingShell shell;

    void SetUp() override { files.systemRoot = windows.path().substr(0, windows.path().size() - 1); }

    std::optional<std::string> LastKey()
    {
        const auto value = seed.Value(RegRoot::CurrentUser, 0, RegeditKey, "LastKey");
        return value ? std::optional(TextOfStringData(value->data)) : std::nullopt;
    }
};

TEST_F(RegistryEditorJumpTest, WritesTheLastKeyAndStartsTheWindowsFoldersEditor)
{
    EXPECT_TRUE(OpenRegeditAt(hive, files, shell, "HKEY_LOCAL_MACHINE", "SOFTWARE\\Classes\\*\\shell\\Foo"));
    EXPECT_EQ(LastKey(), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\Foo");
    ASSERT_EQ(shell.opened.size(), 1u);
    // No SysNative folder, as on a 32-bit Windows.
    EXPECT_EQ(shell.opened[0], (ShellOpenCall{0, windows / "regedit.exe", "", "", 1}));
}

TEST_F(RegistryEditorJumpTest, PrefersTheSysNativeEditorWhenItExists)
{
    ASSERT_TRUE(files.MakeDirectory(windows / "SysNative"));
    ASSERT_TRUE(files.WriteEmptyFile(windows / "SysNative\\regedt32.exe"));
    files.systemRoot = windows.path();  // already ends in a backslash
    EXPECT_TRUE(OpenRegeditAtKey(hive, files, shell, "HKEY_CURRENT_USER"));
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].file, windows / "SysNative\\regedt32.exe");
}

TEST_F(RegistryEditorJumpTest, JoinCollapsesPairsOfBackslashesInOnePass)
{
    struct Case {
        const char* root;
        const char* path;
        const char* key;
    };
    const Case cases[] = {
        {"HKEY_LOCAL_MACHINE\\", "SOFTWARE\\Classes", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes"},
        {"HKEY_LOCAL_MACHINE", "\\SOFTWARE\\Classes", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes"},
        // Three backslashes at the join: the first pair becomes one, the third stays.
        {"HKEY_LOCAL_MACHINE\\", "\\SOFTWARE", "HKEY_LOCAL_MACHINE\\\\SOFTWARE"},
        {"HKEY_USERS", "", "HKEY_USERS"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(OpenRegeditAt(hive, files, shell, c.root, c.path));
        EXPECT_EQ(LastKey(), c.key) << c.root << " + " << c.path;
    }
    EXPECT_EQ(CollapseDoubleBackslashes("a\\\\\\b"), "a\\\\b");
    EXPECT_EQ(CollapseDoubleBackslashes("a\\\\\\\\b"), "a\\\\b");
}

TEST_F(RegistryEditorJumpTest, NothingHappensWithoutARootOrWhenTheSettingCannotBeWritten)
{
    EXPECT_FALSE(OpenRegeditAt(hive, files, shell, "", "SOFTWARE\\Classes"));
    EXPECT_FALSE(LastKey());
    for (std::size_t failing : {1u, 2u}) {  // opening the settings key, writing the value
        FaultInjectingRegistry faulty(hive);
        faulty.FailCalls({failing});
        EXPECT_FALSE(OpenRegeditAtKey(faulty, files, shell, "HKEY_USERS")) << failing;
    }
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(RegistryEditorJumpTest, AFailedStartReportsFalseAndKeepsTheWrittenKey)
{
    shell.openSucceeds = false;
    EXPECT_FALSE(OpenRegeditAtKey(hive, files, shell, "HKEY_USERS\\.DEFAULT"));
    EXPECT_EQ(LastKey(), "HKEY_USERS\\.DEFAULT");
}

#ifdef _WIN32
TEST(RegistryEditorJump, TheEditorComesFromTheWindowsFolderWhateverSystemRootSays)
{
    // %SystemRoot% is the user's to set; an editor planted where it points must not start elevated.
    PlatformFileSystem files;
    ScratchFolder planted(files);
    ASSERT_TRUE(files.WriteEmptyFile(planted / "regedit.exe"));
    ScopedEnvironmentVariable systemRoot("SystemRoot", planted.path());
    MemoryRegistry hive;
    RecordingShell shell;
    EXPECT_TRUE(OpenRegeditAtKey(hive, files, shell, "HKEY_CURRENT_USER"));
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_FALSE(shell.opened[0].file.starts_with(planted.path())) << shell.opened[0].file;
    EXPECT_TRUE(shell.opened[0].file.starts_with(files.WindowsFolder() + "\\")) << shell.opened[0].file;
}
#endif

}  // namespace
}  // namespace kestrova
