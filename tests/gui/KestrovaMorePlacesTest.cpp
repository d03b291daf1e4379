// The "More places" list of a started Kestrova.exe, read from outside the process: a
// per-user verb and a machine handler of the 64-bit view listed with their place and
// section, the space bar moving the per-user verb whole into the user's own backup area
// and back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "KestrovaProcess.h"
#include "RegistrySeed.h"
#include "RemoteListView.h"
#include "platform/RegValueData.h"
#include "platform/win32/Win32Registry.h"

namespace kestrova {
namespace {

constexpr std::uint32_t View64 = access::Wow64_64Key;
constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKCU = RegRoot::CurrentUser;

class KestrovaMorePlaces : public ::testing::Test {
protected:
    void TearDown() override
    {
        seed.DeleteTree(HKCU, View64, verb);
        seed.DeleteTree(HKCU, View64, aside);
        seed.DeleteTree(HKLM, View64, handler);
    }

    // The row with only the list's own three columns, the details after them left out.
    static EntryRow Leading(EntryRow row)
    {
        row.subItems.resize(std::min<std::size_t>(row.subItems.size(), 3));
        return row;
    }

    Win32Registry registry;
    RegistrySeed seed{registry};
    const std::string id = std::to_string(std::random_device{}());
    const std::string verb = "Software\\Classes\\Directory\\Background\\shell\\KestrovaPlaces" + id;
    const std::string aside =
        "Software\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\Directory\\Background\\shell\\KestrovaPlaces" + id;
    const std::string handler = "SOFTWARE\\Classes\\Drive\\shellex\\ContextMenuHandlers\\KestrovaPlaces" + id;
    const KeyTree verbTree = KeyTree{}
                                 .Value("MUIVerb", MakeStringValue("Terminal here " + id))
                                 .Subkey("command", KeyTree{}.Value("", MakeStringValue("term.exe -d \"%V\"")));
};

TEST_F(KestrovaMorePlaces, RowsOfBothRootsAndTheSpaceBarMovesAPerUserVerbWhole)
{
    seed.WriteTree(HKCU, View64, verb, verbTree);
    seed.SetString(HKLM, View64, handler, "", "{00000000-1111-2222-3333-444444444444}");
    KestrovaProcess program(KestrovaExe());
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr) << "no window appeared";

    const auto [handlerList, handlerRow] = FindRowOfPath(window, program.Id(), handler);
    ASSERT_NE(handlerList, nullptr) << "the machine handler is not listed";
    EXPECT_EQ(Leading(RowsOf(handlerList, program.Id()).at(handlerRow)),
              (EntryRow{"KestrovaPlaces" + id, {"Диски", "HKEY_LOCAL_MACHINE", handler}, true}));

    const auto [list, row] = FindRowOfPath(window, program.Id(), verb);
    ASSERT_NE(list, nullptr) << "the per-user verb is not listed";
    EXPECT_EQ(list, handlerList);
    EXPECT_EQ(Leading(RowsOf(list, program.Id()).at(row)),
              (EntryRow{"Terminal here " + id, {"Фон папки", "HKEY_CURRENT_USER", verb}, true}));

    PressSpaceOn(list, row);
    EXPECT_FALSE(RowsOf(list, program.Id()).at(row).checked);
    EXPECT_FALSE(seed.KeyExists(HKCU, View64, verb));
    EXPECT_EQ(seed.Snapshot(HKCU, View64, aside), verbTree);

    PressSpaceOn(list, row);
    EXPECT_TRUE(RowsOf(list, program.Id()).at(row).checked);
    EXPECT_EQ(seed.Snapshot(HKCU, View64, verb), verbTree);
    EXPECT_FALSE(seed.KeyExists(HKCU, View64, aside));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace kestrova
