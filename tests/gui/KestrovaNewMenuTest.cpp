// The New-menu list of a started Kestrova.exe, read from outside the process as a user
// sees it: a template's row, the space bar renaming ShellNew to old_ShellNew whole, the
// row's state after a restart, and the way back.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "KestrovaProcess.h"
#include "RegistrySeed.h"
#include "RemoteListView.h"
#include "platform/RegValueData.h"
#include "platform/win32/Win32Registry.h"

namespace kestrova {
namespace {

constexpr std::uint32_t View32 = access::Wow64_32Key;
constexpr RegRoot HKLM = RegRoot::LocalMachine;

class KestrovaNewMenu : public ::testing::Test {
protected:
    void TearDown() override { seed.DeleteTree(HKLM, View32, classKey); }

    Win32Registry registry;
    RegistrySeed seed{registry};
    const std::string id = std::to_string(std::random_device{}());
    const std::string classKey = "SOFTWARE\\Classes\\.kestrovaprocess" + id;
    const KeyTree shellNew = KeyTree{}
                                 .Value("NullFile", MakeStringValue(""))
                                 .Value("MenuText", MakeStringValue("Kestrova process sheet " + id))
                                 .Value("Flags", MakeDwordValue(9))
                                 .Subkey("Config", KeyTree{}.Subkey("Inner", KeyTree{}.Value("n", MakeDwordValue(1))));
};

TEST_F(KestrovaNewMenu, TheSpaceBarRenamesTheTemplateWholeAndARestartShowsItSwitchedOff)
{
    seed.SetString(HKLM, View32, classKey, "", "Kestrova process file");
    seed.WriteTree(HKLM, View32, classKey + "\\ShellNew", shellNew);
    const std::string section = "HKEY_LOCAL_MACHINE (32)";
    {
        KestrovaProcess program(KestrovaExe());
        HWND window = program.WaitForWindow();
        ASSERT_NE(window, nullptr) << "no window appeared";
        const auto [list, row] = FindRowOfPath(window, program.Id(), classKey + "\\ShellNew");
        ASSERT_NE(list, nullptr) << "the template is not listed";
        // The details follow the list's own columns.
        EXPECT_EQ(RowsOf(list, program.Id()).at(row),
                  (EntryRow{"Kestrova process sheet " + id,
                            {"Kestrova process file", section, classKey + "\\ShellNew",
                             "Kestrova process sheet " + id, "", "", ""},
                            true}));

        PressSpaceOn(list, row);
        EXPECT_FALSE(RowsOf(list, program.Id()).at(row).checked);
        EXPECT_FALSE(seed.KeyExists(HKLM, View32, classKey + "\\ShellNew"));
        EXPECT_EQ(seed.Snapshot(HKLM, View32, classKey + "\\old_ShellNew"), shellNew);
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
    {
        KestrovaProcess program(KestrovaExe());
        HWND window = program.WaitForWindow();
        ASSERT_NE(window, nullptr) << "no window appeared";
        const auto [list, row] = FindRowOfPath(window, program.Id(), classKey + "\\old_ShellNew");
        ASSERT_NE(list, nullptr) << "the switched-off template is not listed";
        EXPECT_EQ(RowsOf(list, program.Id()).at(row),
                  (EntryRow{"Kestrova process sheet " + id,
                            {"Kestrova process file", section, classKey + "\\old_ShellNew",
                             "Kestrova process sheet " + id, "", "", ""},
                            false}));

        PressSpaceOn(list, row);
        EXPECT_TRUE(RowsOf(list, program.Id()).at(row).checked);
        EXPECT_EQ(seed.Snapshot(HKLM, View32, classKey + "\\ShellNew"), shellNew);
        EXPECT_FALSE(seed.KeyExists(HKLM, View32, classKey + "\\old_ShellNew"));
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

}  // namespace
}  // namespace kestrova
