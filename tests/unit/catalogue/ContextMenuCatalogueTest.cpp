#include "catalogue/ContextMenuCatalogue.h"

#include "PlatformFileSystem.h"
#include "FaultInjectingRegistry.h"
#include "RecordingShell.h"
#include "RegistrySeed.h"
#include "ScratchBackup.h"
#include "VectorRowSink.h"
#include "platform/AppError.h"
#include "platform/MemoryRegistry.h"
#include "platform/RegValueData.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

// The catalogues find the registry editor through a file system; these tests never start it.
PlatformFileSystem editorFiles;

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr std::uint32_t View32 = access::Wow64_32Key;
const std::string Classes = "SOFTWARE\\Classes\\";
const std::string Backup = "SOFTWARE\\Classes\\SOFTWARE\\ContextMenu\\FilesFolders\\";

EntryRow Row(const std::string& caption, const std::string& type, const std::string& path, bool checked)
{
    return EntryRow{caption, {type, "HKEY_LOCAL_MACHINE", Classes + path}, checked,
                    EntryTarget::Key(HKLM, View32, Classes + path)};
}

// A verb with values of several types and two levels of subkeys.
KeyTree SampleVerb()
{
    return KeyTree{}
        .Value("", MakeStringValue("Shred permanently"))
        .Value("Icon", MakeStringValue("%ProgramFiles%\\Shredder\\shred.exe", RegType::ExpandSz))
        .Value("Position", MakeDwordValue(2))
        .Value("Flags", RegValue{static_cast<std::uint32_t>(RegType::Binary), {1, 2, 3}})
        .Subkey("command", KeyTree{}.Value("", MakeStringValue("shred.exe \"%1\"")))
        .Subkey("DropTarget", KeyTree{}.Subkey("Options", KeyTree{}.Value("Mode", MakeDwordValue(7))));
}

class ContextMenuCatalogueTest : public ::testing::Test {
protected:
    MemoryRegistry hive;
    RegistrySeed seed{hive};
    RecordingShell shell;
    ContextMenuCatalogue catalogue{hive, editorFiles, shell};
    ScratchBackup backup{hive};

    void Verb(const std::string& path, const std::string& name, const RegValue& value)
    {
        seed.SetValue(HKLM, View32, Classes + path, name, value);
    }
    void Key(const std::string& path) { seed.CreateKey(HKLM, View32, Classes + path); }

    std::vector<EntryRow> Load()
    {
        VectorRowSink sink;
        catalogue.LoadRows(sink);
        return sink.rows;
    }
};

TEST_F(ContextMenuCatalogueTest, ListsShownEntriesInScanOrderWithTheirTexts)
{
    Key("*\\shell\\open");                                                    // hidden name
    Verb("*\\shell\\Zeta", "", MakeStringValue("Zeta verb"));                 // default value
    Verb("*\\shell\\alpha", "MUIVerb", MakeStringValue(""));                  // empty MUIVerb wins
    Verb("*\\shell\\alpha", "", MakeStringValue("ignored"));
    Verb("*\\shellex\\ContextMenuHandlers\\PackRat", "MUIVerb", MakeStringValue("ignored"));
    Verb("Directory\\shell\\Foo", "MUIVerb", MakeStringValue("Bar"));
    Key("Directory\\shell\\MSIExec");                                         // begins with MS
    Verb("Drive\\shell\\Plain", "", MakeStringValue(""));                     // empty default: key name
    Verb("exefile\\shell\\Indirect", "MUIVerb", MakeStringValue("@shell32.dll,-8506"));
    Key("msstylesfile\\shell\\AMS");
    Verb("*\\shell\\Foo", "", MakeStringValue("All-files Foo"));              // same name, other location
    Key("txtfile\\shell\\NotScanned");

    const std::vector<EntryRow> expected = {
        Row("", "All Files", "*\\shell\\alpha", true),
        Row("All-files Foo", "All Files", "*\\shell\\Foo", true),
        Row("Zeta verb", "All Files", "*\\shell\\Zeta", true),
        Row("PackRat", "All Files", "*\\shellex\\ContextMenuHandlers\\PackRat", true),
        Row("Bar", "Directory", "Directory\\shell\\Foo", true),
        Row("Plain", "Drive", "Drive\\shell\\Plain", true),
        Row("@shell32.dll,-8506", "exefile", "exefile\\shell\\Indirect", true),
        Row("AMS", "msstylesfile", "msstylesfile\\shell\\AMS", true),
    };
    EXPECT_EQ(Load(), expected);
}

TEST_F(ContextMenuCatalogueTest, SwitchedOffEntriesAreListedClearAfterTheLiveRowsOfTheirLocation)
{
    Verb("*\\shell\\Live", "", MakeStringValue("Live verb"));
    Verb("*\\shell\\Both", "", MakeStringValue("Both, live copy"));
    seed.SetString(HKLM, View32, Backup + "*\\shell\\Both", "", "Both, backup copy");
    seed.SetString(HKLM, View32, Backup + "*\\shell\\Gone", "MUIVerb", "Gone verb");
    seed.SetString(HKLM, View32, Backup + "*\\shell\\Aside", "", "Aside verb");
    seed.CreateKey(HKLM, View32, Backup + "*\\shell\\Delete");                    // hidden there too
    seed.CreateKey(HKLM, View32, Backup + "*\\shellex\\ContextMenuHandlers\\Old");
    seed.SetString(HKLM, View32, Backup + "*\\shellex\\ContextMenuHandlers\\Old", "MUIVerb", "ignored");
    Verb("Directory\\shell\\Next", "", MakeStringValue("Next verb"));

    const std::vector<EntryRow> expected = {
        Row("Both, live copy", "All Files", "*\\shell\\Both", false),
        Row("Live verb", "All Files", "*\\shell\\Live", true),
        Row("Aside verb", "All Files", "*\\shell\\Aside", false),
        Row("Gone verb", "All Files", "*\\shell\\Gone", false),
        Row("Old", "All Files", "*\\shellex\\ContextMenuHandlers\\Old", false),
        Row("Next verb", "Directory", "Directory\\shell\\Next", true),
    };
    EXPECT_EQ(Load(), expected);
}

TEST_F(ContextMenuCatalogueTest, NoEntryGivesOnePlaceholderRow)
{
    Key("*\\shell\\Open");
    EXPECT_EQ(Load(), (std::vector<EntryRow>{EntryRow{"", {"", "", ""}, false, {}}}));
}

TEST_F(ContextMenuCatalogueTest, CaptionValueOfWrongTypeCountsAsAbsentAndIsReportedAfterTheWholeScan)
{
    Verb("*\\shell\\First", "", MakeStringValue("First verb"));
    seed.SetString(HKLM, View32, Backup + "*\\shell\\First", "", "backup");
    Verb("*\\shell\\NumberVerb", "MUIVerb", MakeDwordValue(1));
    Verb("*\\shell\\NumberVerb", "", MakeStringValue("Falls back to the default"));
    Verb("*\\shell\\NumberBoth", "MUIVerb", MakeDwordValue(1));
    Verb("*\\shell\\NumberBoth", "", MakeDwordValue(2));
    Verb("Directory\\shell\\Last", "", MakeStringValue("Last verb"));

    VectorRowSink sink;
    const std::string malformed = catalogue.LoadRows(sink);

    EXPECT_EQ(sink.rows, (std::vector<EntryRow>{
                             Row("First verb", "All Files", "*\\shell\\First", false),
                             Row("NumberBoth", "All Files", "*\\shell\\NumberBoth", true),
                             Row("Falls back to the default", "All Files", "*\\shell\\NumberVerb", true),
                             Row("Last verb", "Directory", "Directory\\shell\\Last", true),
                         }));
    EXPECT_EQ(malformed,
              "Invalid data type for 'MUIVerb'\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\NumberBoth\n\n"
              "Invalid data type for ''\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\NumberBoth\n\n"
              "Invalid data type for 'MUIVerb'\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\*\\shell\\NumberVerb");

    VectorRowSink again;
    Verb("*\\shell\\NumberVerb", "MUIVerb", MakeStringValue("Mended"));
    seed.DeleteTree(HKLM, View32, Classes + "*\\shell\\NumberBoth");
    EXPECT_EQ(catalogue.LoadRows(again), "") << "a later scan reports only what it finds";
}

TEST_F(ContextMenuCatalogueTest, SwitchingOffAndOnMovesTheWholeKeyAndBroadcastsEachTime)
{
    const KeyTree verb = SampleVerb();
    seed.WriteTree(HKLM, View32, Classes + "*\\shell\\Shred", verb);
    EntryRow row = Row("Shred permanently", "All Files", "*\\shell\\Shred", false);

    EXPECT_TRUE(catalogue.SwitchRow(row));
    EXPECT_FALSE(seed.KeyExists(HKLM, View32, Classes + "*\\shell\\Shred"));
    EXPECT_EQ(seed.Snapshot(HKLM, View32, Backup + "*\\shell\\Shred"), verb);
    EXPECT_EQ(shell.broadcasts, 1);
    // Still listed after a rebuild, with a clear box, so it can be switched back on.
    EXPECT_EQ(Load(), (std::vector<EntryRow>{row}));

    row.checked = true;
    EXPECT_TRUE(catalogue.SwitchRow(row));
    EXPECT_EQ(seed.Snapshot(HKLM, View32, Classes + "*\\shell\\Shred"), verb);
    EXPECT_FALSE(seed.KeyExists(HKLM, View32, Backup + "*\\shell\\Shred"));
    EXPECT_EQ(shell.broadcasts, 2);

    // Nothing to move still broadcasts.
    EXPECT_TRUE(catalogue.SwitchRow(row));
    EXPECT_EQ(shell.broadcasts, 3);
}

TEST_F(ContextMenuCatalogueTest, TheMovedCopyReplacesTheOneAtTheFarSide)
{
    const KeyTree live = SampleVerb();
    const KeyTree stale = KeyTree{}.Value("", MakeStringValue("stale")).Subkey("old", KeyTree{});
    for (bool enable : {false, true}) {
        MemoryRegistry fresh;
        RegistrySeed freshSeed(fresh);
        const std::string path = Classes + "Folder\\shell\\Tool";
        const std::string backup = Backup + "Folder\\shell\\Tool";
        freshSeed.WriteTree(HKLM, View32, enable ? backup : path, live);
        freshSeed.WriteTree(HKLM, View32, enable ? path : backup, stale);
        RecordingShell quiet;
        ContextMenuCatalogue switcher(fresh, editorFiles, quiet);
        switcher.SetEntryEnabled(EntryTarget::Key(HKLM, View32, path), enable);
        EXPECT_EQ(freshSeed.Snapshot(HKLM, View32, enable ? path : backup), live) << "enable=" << enable;
        EXPECT_FALSE(freshSeed.KeyExists(HKLM, View32, enable ? backup : path)) << "enable=" << enable;
    }
}

TEST_F(ContextMenuCatalogueTest, RowsThatNameNoKeySwitchNothing)
{
    seed.WriteTree(HKLM, View32, Classes + "*\\shell\\Shred", SampleVerb());
    // Whatever the texts say, only the row's target counts.
    const std::string path = Classes + "*\\shell\\Shred";
    const EntryRow rows[] = {
        EntryRow{"", {"", "", ""}, false, {}},                                         // placeholder
        EntryRow{"Shred", {"All Files", "HKEY_LOCAL_MACHINE", path}, false, {}},       // texts without a target
        EntryRow{"Shred", {"All Files", "HKEY_LOCAL_MACHINE", path}, false, EntryTarget::File(path)},
    };
    for (const EntryRow& row : rows)
        EXPECT_TRUE(catalogue.SwitchRow(row));
    EXPECT_EQ(shell.broadcasts, 0);
    EXPECT_EQ(seed.Snapshot(HKLM, View32, Classes + "*\\shell\\Shred"), SampleVerb());
}

// Whatever registry call fails, the entry is whole at its place or in the backup
// area, never in part at both, and a switch reported as done has really moved it.
TEST(ContextMenuSwitchFaults, NoCallFailureLosesAnyPartOfTheEntry)
{
    const KeyTree verb = SampleVerb();
    const KeyTree stale = KeyTree{}.Value("", MakeStringValue("stale"));
    const std::string path = Classes + "*\\shell\\Shred";
    const std::string backup = Backup + "*\\shell\\Shred";
    for (bool enable : {false, true}) {
        for (bool withStaleCopy : {false, true}) {
            bool sweptPastTheEnd = false;
            for (std::size_t failing = 1; !sweptPastTheEnd; ++failing) {
                MemoryRegistry hive;
                RegistrySeed seed(hive);
                const std::string& from = enable ? backup : path;
                const std::string& to = enable ? path : backup;
                seed.WriteTree(HKLM, View32, from, verb);
                if (withStaleCopy)
                    seed.WriteTree(HKLM, View32, to, stale);
                FaultInjectingRegistry faulty(hive);
                faulty.FailCalls({failing});
                RecordingShell shell;
                ContextMenuCatalogue catalogue(faulty, editorFiles, shell);
                const EntryRow row{"Shred", {"All Files", "HKEY_LOCAL_MACHINE", path}, enable,
                                   EntryTarget::Key(HKLM, View32, path)};

                const bool switched = catalogue.SwitchRow(row);
                sweptPastTheEnd = faulty.FailedCalls() == 0;

                const auto atFrom = seed.Snapshot(HKLM, View32, from);
                const auto atTo = seed.Snapshot(HKLM, View32, to);
                const std::string where = "enable=" + std::to_string(enable) + " stale=" +
                                          std::to_string(withStaleCopy) + " failing call " + std::to_string(failing);
                EXPECT_TRUE(atFrom == verb || atTo == verb) << where;
                if (switched) {
                    EXPECT_EQ(atTo, verb) << where;
                    EXPECT_FALSE(atFrom.has_value()) << where;
                    EXPECT_EQ(shell.broadcasts, 1) << where;
                } else {
                    EXPECT_EQ(shell.broadcasts, 0) << where;
                }
            }
        }
    }
}

TEST_F(ContextMenuCatalogueTest, DeleteRemovesOnlyTheKeyAtTheRowsPath)
{
    seed.WriteTree(HKLM, View32, Classes + "*\\shell\\Shred", SampleVerb());
    seed.WriteTree(HKLM, View32, Backup + "*\\shell\\Shred", SampleVerb());
    EXPECT_TRUE(catalogue.DeleteRow(Row("Shred permanently", "All Files", "*\\shell\\Shred", true), backup.backup, backup.undo));
    EXPECT_FALSE(seed.KeyExists(HKLM, View32, Classes + "*\\shell\\Shred"));
    EXPECT_EQ(seed.Snapshot(HKLM, View32, Backup + "*\\shell\\Shred"), SampleVerb());
    EXPECT_EQ(shell.broadcasts, 0);
}

TEST_F(ContextMenuCatalogueTest, ASwitchedOffEntryIsDeletedFromTheBackupAreaAndUndoPutsItBackThere)
{
    seed.WriteTree(HKLM, View32, Backup + "*\\shell\\Shred", SampleVerb());
    const EntryRow row = Load().at(0);
    ASSERT_FALSE(row.checked);
    ASSERT_TRUE(catalogue.DeleteRow(row, backup.backup, backup.undo));
    EXPECT_FALSE(seed.KeyExists(HKLM, View32, Backup + "*\\shell\\Shred"));
    EXPECT_EQ(backup.undo.UndoLatest(), UndoResult::Restored);
    EXPECT_EQ(seed.Snapshot(HKLM, View32, Backup + "*\\shell\\Shred"), SampleVerb());
    EXPECT_FALSE(seed.KeyExists(HKLM, View32, Classes + "*\\shell\\Shred"));
}

TEST_F(ContextMenuCatalogueTest, DeleteRefusesProtectedCaptionsAndRowsWithoutAKey)
{
    seed.WriteTree(HKLM, View32, Classes + "*\\shell\\Tool", SampleVerb());
    const std::string path = Classes + "*\\shell\\Tool";
    const std::vector<std::string> texts{"All Files", "HKEY_LOCAL_MACHINE", path};
    const EntryRow refused[] = {
        EntryRow{"My wInDoWs tool", texts, true, EntryTarget::Key(HKLM, View32, path)},
        EntryRow{"Tool", texts, true, {}},
        EntryRow{"Tool", texts, true, EntryTarget::File(path)},
        // An empty path would name the root key itself.
        EntryRow{"Tool", {"All Files", "HKEY_LOCAL_MACHINE", ""}, true, EntryTarget::Key(HKLM, View32, "")},
        EntryRow{"", {"", "", ""}, false, {}},
    };
    for (const EntryRow& row : refused)
        EXPECT_FALSE(catalogue.DeleteRow(row, backup.backup, backup.undo)) << row.caption;
    EXPECT_EQ(seed.Snapshot(HKLM, View32, path), SampleVerb());
}

TEST_F(ContextMenuCatalogueTest, DeleteAcceptsHkeyUsers)
{
    seed.WriteTree(RegRoot::Users, View32, ".DEFAULT\\Software\\Classes\\*\\shell\\Tool", SampleVerb());
    EXPECT_TRUE(catalogue.DeleteRow(
        EntryRow{"Tool", {"All Files", "HKEY_USERS", ".DEFAULT\\Software\\Classes\\*\\shell\\Tool"}, true,
                 EntryTarget::Key(RegRoot::Users, View32, ".DEFAULT\\Software\\Classes\\*\\shell\\Tool")},
        backup.backup, backup.undo));
    EXPECT_FALSE(seed.KeyExists(RegRoot::Users, View32, ".DEFAULT\\Software\\Classes\\*\\shell\\Tool"));
}

}  // namespace
}  // namespace kestrova
