#include "catalogue/MorePlacesCatalogue.h"

#include "PlatformFileSystem.h"
#include "RecordingShell.h"
#include "RegistrySeed.h"
#include "ScratchBackup.h"
#include "VectorRowSink.h"
#include "catalogue/KeySwitch.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegValueData.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrova {
namespace {

PlatformFileSystem editorFiles;

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr std::uint32_t View32 = access::Wow64_32Key;
constexpr std::uint32_t View64 = access::Wow64_64Key;
const std::string Machine = "SOFTWARE\\Classes\\";
const std::string User = "Software\\Classes\\";
const std::string RecycleBin = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\shell\\";

// The item names themselves stand for the texts, so the test sees which text each place asks for.
std::string ItemName(std::string_view item) { return "<" + std::string(item) + ">"; }

EntryRow Row(const std::string& caption, const std::string& place, RegRoot root, const std::string& path, bool checked)
{
    return EntryRow{caption, {place, root == HKLM ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER", path}, checked,
                    EntryTarget::Key(root, View64, path)};
}

class MorePlacesCatalogueTest : public ::testing::Test {
protected:
    MemoryRegistry hive;
    RegistrySeed seed{hive};
    RecordingShell shell;
    MorePlacesCatalogue catalogue{hive, editorFiles, shell, ItemName};
    ScratchBackup deletions{hive};

    std::vector<EntryRow> Load()
    {
        VectorRowSink sink;
        catalogue.LoadRows(sink);
        return sink.rows;
    }
};

TEST(MorePlaces, MachinePlacesThenTheUsersOwnCopiesOfTheFirstListThenTheUsersOtherPlaces)
{
    const std::vector<MenuPlace> places = MorePlaces(ItemName);
    ASSERT_EQ(places.size(), 13u + 15u + 13u);
    EXPECT_TRUE(std::all_of(places.begin(), places.end(), [](const MenuPlace& place) { return place.viewBits == View64; }));
    const auto at = [&](std::size_t i) { return std::make_tuple(places[i].root, places[i].path, places[i].shown); };
    EXPECT_EQ(at(0), std::make_tuple(HKLM, Machine + "AllFilesystemObjects\\shell", std::string("<LangPlaceAllObjects>")));
    EXPECT_EQ(at(8), std::make_tuple(HKLM, Machine + "Directory\\shellex\\DragDropHandlers",
                                     std::string("<LangPlaceRightDrag>")));
    EXPECT_EQ(at(12), std::make_tuple(HKLM, Machine + RecycleBin.substr(0, RecycleBin.size() - 1),
                                      std::string("<LangPlaceRecycleBin>")));
    EXPECT_EQ(at(13), std::make_tuple(HKCU, User + "*\\shell", std::string("All Files")));
    EXPECT_EQ(at(14), std::make_tuple(HKCU, User + "*\\shellex\\ContextMenuHandlers", std::string("All Files")));
    EXPECT_EQ(at(27), std::make_tuple(HKCU, User + "msstylesfile\\shell", std::string("msstylesfile")));
    EXPECT_EQ(at(28), std::make_tuple(HKCU, User + "AllFilesystemObjects\\shell", std::string("<LangPlaceAllObjects>")));
    EXPECT_EQ(at(33), std::make_tuple(HKCU, User + "DesktopBackground\\shellex\\ContextMenuHandlers",
                                      std::string("<LangPlaceDesktop>")));
}

TEST_F(MorePlacesCatalogueTest, ListsBothRootsInTheViewExplorerReadsWithTheFilterAndSwitchedOffEntries)
{
    seed.SetString(HKLM, View64, Machine + "Directory\\Background\\shell\\Terminal", "MUIVerb", "Open terminal here");
    seed.CreateKey(HKLM, View64, Machine + "Directory\\Background\\shell\\cmd");  // hidden by the name filter
    seed.SetString(HKLM, View64, Machine + RecycleBin + "Shred", "", "Shred the bin");
    seed.SetString(HKLM, View32, Machine + RecycleBin + "OnlyIn32", "", "not where Explorer looks");
    seed.SetString(HKCU, View64, User + "*\\shell\\EditWith", "", "Edit with Quill");
    seed.SetString(HKCU, View64, User + "Directory\\shellex\\DragDropHandlers\\Packer", "", "{1234}");
    seed.SetString(HKCU, View64, User + "SOFTWARE\\ContextMenu\\FilesFolders\\DesktopBackground\\shell\\Aside", "",
                   "Aside verb");
    seed.CreateKey(HKLM, View64, Machine + "*\\shell\\FirstListOnly");  // the first list's, not this one's

    const std::vector<EntryRow> expected = {
        Row("Open terminal here", "<LangPlaceFolderBackground>", HKLM, Machine + "Directory\\Background\\shell\\Terminal",
            true),
        Row("Shred the bin", "<LangPlaceRecycleBin>", HKLM, Machine + RecycleBin + "Shred", true),
        Row("Edit with Quill", "All Files", HKCU, User + "*\\shell\\EditWith", true),
        Row("Aside verb", "<LangPlaceDesktop>", HKCU, User + "DesktopBackground\\shell\\Aside", false),
        Row("Packer", "<LangPlaceRightDrag>", HKCU, User + "Directory\\shellex\\DragDropHandlers\\Packer", true),
    };
    EXPECT_EQ(Load(), expected);
}

TEST_F(MorePlacesCatalogueTest, AUserEntrySwitchesThroughTheUsersOwnBackupAreaWhole)
{
    const std::string verb = User + "Directory\\Background\\shell\\Terminal";
    const std::string aside = User + "SOFTWARE\\ContextMenu\\FilesFolders\\Directory\\Background\\shell\\Terminal";
    const KeyTree tree = KeyTree{}
                             .Value("MUIVerb", MakeStringValue("Open terminal here"))
                             .Subkey("command", KeyTree{}.Value("", MakeStringValue("term.exe -d \"%V\"")));
    seed.WriteTree(HKCU, View64, verb, tree);
    EntryRow row = Load().at(0);

    row.checked = false;
    ASSERT_TRUE(catalogue.SwitchRow(row));
    EXPECT_FALSE(seed.KeyExists(HKCU, View64, verb));
    EXPECT_EQ(seed.Snapshot(HKCU, View64, aside), tree);
    EXPECT_FALSE(seed.KeyExists(HKLM, View32, kPendingSwitchKey));
    EXPECT_FALSE(seed.KeyExists(HKCU, View32, kUserPendingSwitchKey));
    EXPECT_EQ(Load(), (std::vector<EntryRow>{Row("Open terminal here", "<LangPlaceFolderBackground>", HKCU, verb, false)}));

    row.checked = true;
    ASSERT_TRUE(catalogue.SwitchRow(row));
    EXPECT_EQ(seed.Snapshot(HKCU, View64, verb), tree);
    EXPECT_FALSE(seed.KeyExists(HKCU, View64, aside));
    EXPECT_EQ(shell.broadcasts, 2);
}

TEST_F(MorePlacesCatalogueTest, AMachineHandlerInTheRedirectedClassesSwitchesInThe64BitView)
{
    const std::string handler = Machine + "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\Manage";
    seed.SetString(HKLM, View64, handler, "", "Manage");
    EntryRow row = Load().at(0);
    row.checked = false;
    ASSERT_TRUE(catalogue.SwitchRow(row));
    EXPECT_TRUE(seed.KeyExists(HKLM, View64,
                               Machine + "SOFTWARE\\ContextMenu\\FilesFolders\\CLSID\\"
                                         "{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\Manage"));
    EXPECT_FALSE(seed.KeyExists(HKLM, View64, handler));
}

TEST_F(MorePlacesCatalogueTest, AUserEntryIsDeletedWithItsCopyAndUndoPutsItBack)
{
    const std::string verb = User + "*\\shell\\EditWith";
    const KeyTree tree = KeyTree{}.Value("", MakeStringValue("Edit with Quill")).Subkey("command", KeyTree{});
    seed.WriteTree(HKCU, View64, verb, tree);
    const EntryRow row = Load().at(0);

    ASSERT_TRUE(catalogue.DeleteRow(row, deletions.backup, deletions.undo));
    EXPECT_FALSE(seed.KeyExists(HKCU, View64, verb));
    ASSERT_TRUE(deletions.undo.CanUndo());
    EXPECT_EQ(deletions.undo.Latest().catalogue, kMorePlacesKind);
    EXPECT_EQ(deletions.undo.Latest().row, row.target);
    EXPECT_TRUE(deletions.undo.Latest().backupFile.ends_with(" more-places EditWith.reg")) << deletions.undo.Latest().backupFile;
    EXPECT_EQ(deletions.undo.UndoLatest(), UndoResult::Restored);
    EXPECT_EQ(seed.Snapshot(HKCU, View64, verb), tree);
}

}  // namespace
}  // namespace kestrova
